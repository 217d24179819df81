#include "shell/panely_okna.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <initializer_list>

#include "shell/kodovani.h"
#include "shell/vzhled.h"

namespace stanovar::shell {

namespace {
// A label of the window's fixed layout: place, size, and font size in pixels.
QLabel* Stitek(QWidget* rodic, int x, int y, int w, int h, int px = 12, bool tucne = false) {
  auto* l = new QLabel(rodic);
  l->setGeometry(x, y, w, h);
  QFont f(QStringLiteral("arial"));
  f.setPixelSize(px);
  f.setBold(tucne);
  l->setFont(f);
  return l;
}

// The direction arrow of the train panel: a shaft with its head to the left (1) or right (2),
// two pixels wide in the foreground colour on the background.
QPixmap Sipka(int smer, Barva pozadi, Barva popredi) {
  QPixmap p(24, 24);
  p.fill(NaQColor(pozadi));
  if (smer != 1 && smer != 2) return p;
  QPainter g(&p);
  g.setPen(QPen(NaQColor(popredi), 2, Qt::SolidLine, Qt::FlatCap));
  g.drawLine(3, 8, 20, 8);
  if (smer == 1)
    g.drawPolyline(QPolygon({QPoint(9, 2), QPoint(3, 8), QPoint(9, 14)}));
  else
    g.drawPolyline(QPolygon({QPoint(14, 2), QPoint(20, 8), QPoint(14, 14)}));
  return p;
}

void Panel(QWidget* w, const PanelView& v) {
  w->move(v.left, v.top);
  w->setVisible(v.viditelny);
  if (v.viditelny) w->raise();
}
}  // namespace

PanelyOkna::PanelyOkna(QWidget* k, const Stav& stav, Paleta paleta) : QObject(k), stav_(stav) {
  hodiny_ = Stitek(k, 0, 0, 81, 33, 18);
  rychlostSimLabel_ = Stitek(k, 0, 24, 129, 17);
  cetnostVlakuLabel_ = Stitek(k, 0, 40, 129, 17);

  // The value labels; where they stand and how wide they are is laid out from the
  // headings once the language is known (rozlozPanely).
  const bool kompaktni = stav_.prostredi->dpi() == 96;
  const int velke = kompaktni ? 12 : 15;  // value labels, larger on the designed layout
  panelVlak_ = new QWidget(k);
  panelVlak_->setGeometry(192, 0, kompaktni ? 590 : 569, 57);
  label2_ = Stitek(panelVlak_, 0, 4, kompaktni ? 590 : 569, 16, 12);
  QLabel** vlakove[] = {&labelVlak_, &labelCil_, &imageSmer_, &labelMaxRychl_, &labelDelka_,
                        &labelHmotnost_, &labelLoko_, &labelOdjezd_, &labelRychl_, &labelVzdal_};
  for (int i = 0; i < 10; ++i)
    *vlakove[i] = Stitek(panelVlak_, 0, 24, i == 2 ? 24 : 56, 24,
                         i < 2 || i == 3 ? velke : 12, i == 1);

  panelKolej_ = new QWidget(k);
  panelKolej_->setGeometry(185, 288, 368, 57);
  label3_ = Stitek(panelKolej_, 0, 4, 368, 16, 12);
  QLabel** kolejove[] = {&labelKolej_, &labelDelkaKol_, &labelRychlKol_, &labelSklon_,
                         &labelStanice_, &labelSoused_};
  for (int i = 0; i < 6; ++i) *kolejove[i] = Stitek(panelKolej_, 0, 24, 60, 24, 12);
  for (QLabel* l : hodnotyVlaku()) l->setTextFormat(Qt::PlainText);
  for (QLabel* l : hodnotyKoleje()) l->setTextFormat(Qt::PlainText);

  panelSouhlas_ = new QWidget(k);
  panelSouhlas_->setGeometry(224, 392, 505, 57);
  labelSouhlas_ = Stitek(panelSouhlas_, 8, 4, 489, 20, 12);
  labelAno_ = Stitek(panelSouhlas_, 120, 28, 80, 24, 15, true);
  labelNe_ = Stitek(panelSouhlas_, 300, 28, 80, 24, 15, true);
  for (QLabel* l : {labelAno_, labelNe_}) l->setAlignment(Qt::AlignCenter);
  barvyOdpovedi(paleta);

  for (QLabel* l : {labelAno_, labelNe_}) {
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }
}

std::vector<QLabel*> PanelyOkna::hodnotyVlaku() const {
  return {labelVlak_, labelCil_,  imageSmer_,  labelMaxRychl_, labelDelka_,
          labelHmotnost_, labelLoko_, labelOdjezd_, labelRychl_, labelVzdal_};
}

std::vector<QLabel*> PanelyOkna::hodnotyKoleje() const {
  return {labelKolej_, labelDelkaKol_, labelRychlKol_, labelSklon_, labelStanice_, labelSoused_};
}

int PanelyOkna::potrebnaSirka() const {
  int panely = 0;
  for (QWidget* p : {panelVlak_, panelKolej_, panelSouhlas_})
    panely = std::max(panely, 192 + p->width());
  return panely;
}

bool PanelyOkna::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress && (o == labelAno_ || o == labelNe_)) {
    if (o == labelAno_)
      emit ano();
    else
      emit ne();
    return true;
  }
  return QObject::eventFilter(o, e);
}

void PanelyOkna::rozlozPanely(const OknoView& o) {
  const bool kompaktni = stav_.prostredi->dpi() == 96;
  // Left edges of the fixed layout, for a heading that does not split into the columns;
  // they were laid out for 96 dots per inch and scale by 5/4 for the designed layout.
  const int levyVlak[] = {0, 41, 93, 140, 198, 244, 290, 332, 392, 441};
  const int levyKolej[] = {8, 60, 104, 156, 192, 240};
  auto pevny = [&](int x) { return kompaktni ? x : x * 5 / 4; };
  // The widest value of each column that must show whole: six-digit train numbers, speeds
  // to 999 km/h, lengths and weights to 9999, distances to 99999 m, and any name.
  const QString cislice[] = {QStringLiteral("888888"), QString(), QString(), QStringLiteral("888"),
                             QStringLiteral("8888"),   QStringLiteral("8888"), QString(),
                             QStringLiteral("88:88"),  QStringLiteral("888"),
                             QStringLiteral("88888")};
  const auto vlak = hodnotyVlaku();
  std::vector<PopisSloupce> popisy;
  for (int i = 0; i < 10; ++i) {
    PopisSloupce p{vlak[i]->font(), cislice[i], pevny(levyVlak[i])};
    if (i == 1 || i == 6) p.vzor = VzorJmena(p.pismo);
    if (i == 2) p.sirka = 24;  // the direction arrow
    popisy.push_back(p);
  }
  rozlozPanel(panelVlak_, label2_, nadpisyVlaku_, vlak, o.Label2, popisy,
              kompaktni ? 590 : 569, rozvrzeniVlaku_);

  const QString kolejove[] = {QStringLiteral("8888"), QStringLiteral("88888"),
                              QStringLiteral("888"), QStringLiteral("-88,8"), QString(), QString()};
  const auto kolej = hodnotyKoleje();
  popisy.clear();
  for (int i = 0; i < 6; ++i) {
    PopisSloupce p{kolej[i]->font(), kolejove[i], pevny(levyKolej[i])};
    if (i >= 4) p.vzor = VzorJmena(p.pismo);
    popisy.push_back(p);
  }
  rozlozPanel(panelKolej_, label3_, nadpisyKoleje_, kolej, o.Label3, popisy, 368,
              rozvrzeniKoleje_);
  // New heading labels take the colours, and the window may have to grow for the panels.
  zobrazenePozadi_ = ~Barva{0};
  emit rozlozeny();
}

void PanelyOkna::rozlozPanel(QWidget* panel, QLabel* nadpis, std::vector<QLabel*>& nadpisy,
                             const std::vector<QLabel*>& hodnoty, const std::string& text,
                             const std::vector<PopisSloupce>& popisy, int minSirka, Rozvrzeni& r) {
  const QString t = ZBajtu(text);
  r = RozlozPanel(t, nadpis->font(), popisy, minSirka);
  panel->resize(r.sirkaPanelu, panel->height());
  const QFontMetrics fm(nadpis->font());
  nadpis->setText(t);
  nadpis->setGeometry(0, nadpis->y(), std::max(r.sirkaPanelu, fm.horizontalAdvance(t) + 2),
                      nadpis->height());
  nadpis->setVisible(!r.rozdelene);
  for (std::size_t i = 0; i < r.sloupce.size(); ++i) {
    if (r.rozdelene) {
      if (nadpisy.size() <= i) {
        nadpisy.push_back(new QLabel(panel));
        nadpisy.back()->setFont(nadpis->font());
        nadpisy.back()->setTextFormat(Qt::PlainText);
      }
      QLabel* n = nadpisy[i];
      n->setText(r.sloupce[i].nadpis);
      n->setGeometry(r.sloupce[i].x, nadpis->y(), fm.horizontalAdvance(r.sloupce[i].nadpis) + 2,
                     nadpis->height());
      n->show();
    }
    hodnoty[i]->setGeometry(r.sloupce[i].x, hodnoty[i]->y(), r.sloupce[i].sirka,
                            hodnoty[i]->height());
    // The room changed: the value is fitted again at the next mirroring.
    zobrazeneTexty_.erase(hodnoty[i]);
  }
  for (std::size_t i = r.rozdelene ? r.sloupce.size() : 0; i < nadpisy.size(); ++i)
    nadpisy[i]->hide();
}

void PanelyOkna::vypisHodnotu(QLabel* l, const std::string& t) {
  // Only a value wider than any of its kind can be is shortened, and then shown whole in
  // its tooltip.
  const QString cela = ZBajtu(t);
  const QFontMetrics fm(l->font());
  if (fm.horizontalAdvance(cela) <= l->width()) {
    l->setText(cela);
    l->setToolTip(QString());
  } else {
    l->setText(fm.elidedText(cela, Qt::ElideRight, l->width()));
    l->setToolTip(cela);
  }
}

void PanelyOkna::barvyOdpovedi(Paleta p) {
  Barvy(labelAno_, BarvaVPalete(p, BarvaAno), RGB(0, 0, 0));
  Barvy(labelNe_, BarvaVPalete(p, BarvaNe), RGB(0, 0, 0));
}

void PanelyOkna::zrcadli(const OknoView& o) {
  auto zmena = [&](const void* w, const std::string& t) {
    auto [z, novy] = zobrazeneTexty_.try_emplace(w);
    if (!novy && z->second == t) return false;
    z->second = t;
    return true;
  };
  auto text = [&](QLabel* w, const std::string& t) {
    if (zmena(w, t)) w->setText(ZBajtu(t));
  };
  // A value that does not fit its column is shortened.
  auto hodnota = [&](QLabel* w, const std::string& t) {
    if (zmena(w, t)) vypisHodnotu(w, t);
  };
  text(hodiny_, o.hodiny);
  text(rychlostSimLabel_, o.RychlostSimLabel);
  text(cetnostVlakuLabel_, o.CetnostVlakuLabel);
  if (zmena(label2_, o.Label2) | zmena(label3_, o.Label3)) rozlozPanely(o);
  text(labelAno_, o.LabelAno);
  text(labelNe_, o.LabelNe);

  hodnota(labelVlak_, o.LabelVlak);
  hodnota(labelCil_, o.LabelCil);
  if (zmena(imageSmer_, std::to_string(o.ImageSmer) + "/" + std::to_string(o.pozadi) + "/" +
                           std::to_string(o.popredi)))
    imageSmer_->setPixmap(Sipka(o.ImageSmer, o.pozadi, o.popredi));
  hodnota(labelMaxRychl_, o.LabelMaxRychl);
  hodnota(labelDelka_, o.LabelDelka);
  hodnota(labelHmotnost_, o.LabelHmotnost);
  hodnota(labelLoko_, o.LabelLoko);
  hodnota(labelOdjezd_, o.LabelOdjezd);
  hodnota(labelRychl_, o.LabelRychl);
  hodnota(labelVzdal_, o.LabelVzdal);
  hodnota(labelKolej_, o.LabelKolej);
  hodnota(labelDelkaKol_, o.LabelDelkaKol);
  hodnota(labelRychlKol_, o.LabelRychlKol);
  hodnota(labelSklon_, o.LabelSklon);
  hodnota(labelStanice_, o.LabelStanice);
  hodnota(labelSoused_, o.LabelSoused);
  text(labelSouhlas_, o.LabelSouhlas);

  Panel(panelVlak_, o.PanelVlak);
  Panel(panelKolej_, o.PanelKolej);
  Panel(panelSouhlas_, o.PanelSouhlas);

  // The labels and panels take the drawing's colours; the answer labels keep their own.
  // Palettes are set only when the colours change, not on every tick.
  if (o.pozadi != zobrazenePozadi_ || o.popredi != zobrazenePopredi_) {
    zobrazenePozadi_ = o.pozadi;
    zobrazenePopredi_ = o.popredi;
    for (QLabel* l : nadpisyVlaku_) Barvy(l, o.pozadi, o.popredi);
    for (QLabel* l : nadpisyKoleje_) Barvy(l, o.pozadi, o.popredi);
    for (QWidget* w : std::initializer_list<QWidget*>{
             hodiny_, rychlostSimLabel_, cetnostVlakuLabel_, panelVlak_, panelKolej_,
             panelSouhlas_, label2_, label3_, labelVlak_, labelCil_, imageSmer_, labelMaxRychl_,
             labelDelka_, labelHmotnost_, labelLoko_, labelOdjezd_, labelRychl_, labelVzdal_,
             labelKolej_, labelDelkaKol_, labelRychlKol_, labelSklon_, labelStanice_,
             labelSoused_, labelSouhlas_})
      Barvy(w, o.pozadi, o.popredi);
  }
}

}  // namespace stanovar::shell
