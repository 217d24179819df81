#include "shell/hlavni_okno.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QActionGroup>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QFileDialog>
#include <QFileInfo>
#include <QDir>
#include <QStatusBar>
#include <QWheelEvent>
#include <cmath>

#include "jadro.h"
#include "model/seznamy.h"
#include "shell/dialogy.h"
#include "shell/kodovani.h"
#include "shell/tabule_vlaku.h"
#include "shell/vykaz.h"
#include "smena/smena.h"

namespace stanovar::shell {

namespace {
// Client area of the designed 800 x 600 window, and the picture placed in it below the
// labels: left 0, top 59, the client width, the client height less 60.
constexpr int KlientSirka = 792;
constexpr int KlientVyska = 540;
constexpr int ObrazTop = 59;

void Barvy(QWidget* w, Barva pozadi, Barva popredi) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, NaQColor(pozadi));
  p.setColor(QPalette::WindowText, NaQColor(popredi));
  w->setAutoFillBackground(true);
  w->setPalette(p);
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

// Per-user preferences of the window. Not stanovar.ini: other programs read that file and
// know its seven lines only.
QSettings Predvolby() { return QSettings(QStringLiteral("Stanovar"), QStringLiteral("stanovar")); }
const QString KlicZvetseni = QStringLiteral("zobrazeni/zvetseni");
const QString KlicPaleta = QStringLiteral("zobrazeni/paleta");
const QString KlicTabule = QStringLiteral("zobrazeni/tabule");

// Room the window frame takes, for sizing a window that is not shown yet.
constexpr QSize RamOkna(16, 40);
}  // namespace

void ObrazStanice::paintEvent(QPaintEvent* e) {
  if (!platno_) return;
  QPainter p(this);
  // The image is already at the device's resolution: painted pixel for pixel, never scaled.
  const QImage& o = platno_->obraz();
  const QRectF cil = QRectF(e->rect()) & QRectF(0, 0, o.width() / pomer_, o.height() / pomer_);
  const QRectF zdroj(cil.x() * pomer_, cil.y() * pomer_, cil.width() * pomer_, cil.height() * pomer_);
  p.drawImage(cil, o, zdroj);
  if (!oznaceni_.isEmpty()) {
    // Black under white dashes: seen on any background, in any palette.
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(oznaceni_);
    p.setPen(QPen(Qt::white, 1, Qt::DashLine));
    p.drawRect(oznaceni_);
  }
}

void ObrazStanice::mousePressEvent(QMouseEvent* e) {
  // Device pixels of the image, not logical ones: the canvas knows which station pixel each
  // of them shows.
  emit stisk(e->button(), static_cast<int>(std::floor(e->position().x() * pomer_)),
             static_cast<int>(std::floor(e->position().y() * pomer_)));
}

TForm1::TForm1(const QString& startovniAdresar, Prostredi* prostredi)
    : qtProstredi_(this) {
  setWindowTitle(QStringLiteral("   Stanovar"));
  stav_.prostredi = prostredi ? prostredi : &qtProstredi_;

  auto* klient = new QWidget(this);
  klient->resize(KlientSirka, KlientVyska);
  setCentralWidget(klient);
  vytvorMenu();
  vytvorTabuli();

  // A high-resolution screen gets the picture drawn at its own resolution, not enlarged.
  if (QScreen* o = QGuiApplication::primaryScreen()) pomer_ = std::max(1.0, o->devicePixelRatio());
  QSettings predvolby = Predvolby();
  paleta_ = predvolby.value(KlicPaleta).toInt() == 1 ? Paleta::Barvoslepa : Paleta::Klasicka;
  const QSize dostupne = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableSize()
                             : QSize(KlientSirka, KlientVyska);
  // Until the user chooses a zoom, the one that fills the screen best.
  zvetseni_ = predvolby.contains(KlicZvetseni) ? predvolby.value(KlicZvetseni).toInt()
                                              : zvetseniProObrazovku(dostupne);
  zvetseni_ = *std::min_element(std::begin(Zvetseni), std::end(Zvetseni), [&](int a, int b) {
    return std::abs(a - zvetseni_) < std::abs(b - zvetseni_);
  });

  posuv_ = new QScrollArea(klient);
  posuv_->setFrameShape(QFrame::NoFrame);
  posuv_->setGeometry(0, ObrazTop, KlientSirka, KlientVyska - 60);
  posuv_->setWidgetResizable(false);
  posuv_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  posuv_->viewport()->setAutoFillBackground(true);
  image1_ = new ObrazStanice(posuv_);
  platno_ = std::make_unique<QtPlatno>(KlientSirka, KlientVyska - 60, stav_.prostredi->dpi(),
                                       static_cast<int>(std::lround(zvetseni_ * pomer_)));
  platno_->nastavPaletu(paleta_, stav_.okno.popredi, stav_.okno.pozadi);
  image1_->nastavPlatno(platno_.get(), pomer_);
  image1_->setFixedSize(QSize(platno_->obraz().width(), platno_->obraz().height()) / pomer_);
  posuv_->setWidget(image1_);
  stav_.platno = platno_.get();
  connect(image1_, &ObrazStanice::stisk, this, &TForm1::Image1MouseDown);

  vytvorOvladace();
  move(0, 0);

  // The start-up proper: defaults, settings file, language, locomotives, schema, timetable.
  SledujSkore(stav_);
  Spust(stav_, QFile::encodeName(startovniAdresar).toStdString());
  dalsiTexty_.nacti(stav_);

  casovacUdalosti_.setInterval(100);
  connect(&casovacUdalosti_, &QTimer::timeout, this, &TForm1::CasovacUdalostiTimer);
  casovacUdalosti_.start();
  blikac_.setInterval(250);
  connect(&blikac_, &QTimer::timeout, this, &TForm1::BlikacTimer);
  rychlomer_.setInterval(250);
  connect(&rychlomer_, &QTimer::timeout, this, &TForm1::RychlomerTimer);

  qApp->installEventFilter(this);
  menuZobrazeni_->setTitle(dalsiTexty_.text(DalsiText::MenuZobrazeni));
  menuZvetsit_->setText(dalsiTexty_.text(DalsiText::Zvetsit));
  menuZmensit_->setText(dalsiTexty_.text(DalsiText::Zmensit));
  menuSkutecna_->setText(dalsiTexty_.text(DalsiText::SkutecnaVelikost));
  menuBarvoslepa_->setText(dalsiTexty_.text(DalsiText::Barvoslepa));
  menuUlozitSmenu_->setText(dalsiTexty_.text(DalsiText::UlozitSmenu));
  menuOtevritSmenu_->setText(dalsiTexty_.text(DalsiText::OtevritSmenu));
  menuPokracovat_->setText(dalsiTexty_.text(DalsiText::PokracovatPosledni));
  menuPrevzit_->setText(dalsiTexty_.text(DalsiText::PrevzitProvoz));
  menuPokracovat_->setEnabled(QFile::exists(cestaPosledniSmeny()));
  // The dock's title renames its menu command too: the command gets its access key after.
  tabule_->noveTexty();
  menuTabule_->setText(dalsiTexty_.text(DalsiText::TabuleVlaku));
  menuVykaz_->setText(dalsiTexty_.text(DalsiText::VykazSmeny));
  {
    const QSignalBlocker ticho(menuBarvoslepa_);
    menuBarvoslepa_->setChecked(paleta_ == Paleta::Barvoslepa);
  }
  zrcadli();
  zmenZvetseni(zvetseni_, QPointF(0, 0), false);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  if (!zavreno_) ZrusitVse(stav_);
}

TFormSoubory* TForm1::formSoubory() {
  if (!soubory_) soubory_ = new TFormSoubory(stav_, this);
  return soubory_;
}

TFormNastav* TForm1::formNastav() {
  if (!nastav_) nastav_ = new TFormNastav(stav_, this);
  return nastav_;
}

QLabel* TForm1::stitek(QWidget* rodic, int x, int y, int w, int h, int px, bool tucne) {
  auto* l = new QLabel(rodic);
  l->setGeometry(x, y, w, h);
  QFont f(QStringLiteral("arial"));
  f.setPixelSize(px);
  f.setBold(tucne);
  l->setFont(f);
  return l;
}

void TForm1::vytvorMenu() {
  menuSoubor_ = menuBar()->addMenu(QString());
  menuOtevrit_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuOtevritClick);
  menuNastav_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuNastavClick);
  menuSoubor_->addSeparator();
  menuUlozitSmenu_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuUlozitSmenuClick);
  menuUlozitSmenu_->setShortcut(QKeySequence::Save);
  menuOtevritSmenu_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuOtevritSmenuClick);
  menuPokracovat_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuPokracovatClick);
  menuPrevzit_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuPrevzitClick);
  // Resuming is offered once closing has saved a shift.
  connect(menuSoubor_, &QMenu::aboutToShow, this,
          [this] { menuPokracovat_->setEnabled(QFile::exists(cestaPosledniSmeny())); });
  menuSoubor_->addSeparator();
  menuKonec_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuKonecClick);

  menuZobrazeni_ = menuBar()->addMenu(QString());
  menuZvetsit_ = menuZobrazeni_->addAction(QString(), this, [this] { zvetsi(1); });
  // Ctrl and the "+" key, whether or not the keyboard needs Shift for it.
  menuZvetsit_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                              QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  menuZmensit_ = menuZobrazeni_->addAction(QString(), this, [this] { zvetsi(-1); });
  menuZmensit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  menuSkutecna_ = menuZobrazeni_->addAction(QString(), this, [this] { nastavZvetseni(100); });
  menuSkutecna_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  menuZobrazeni_->addSeparator();
  auto* skupina = new QActionGroup(this);
  for (int z : Zvetseni) {
    QAction* a = menuZobrazeni_->addAction(QStringLiteral("%1 %").arg(z), this,
                                           [this, z] { nastavZvetseni(z); });
    a->setCheckable(true);
    skupina->addAction(a);
    menuUrovne_.push_back(a);
  }
  menuZobrazeni_->addSeparator();
  menuBarvoslepa_ = menuZobrazeni_->addAction(QString());
  menuBarvoslepa_->setCheckable(true);
  connect(menuBarvoslepa_, &QAction::toggled, this,
          [this](bool zap) { nastavPaletu(zap ? Paleta::Barvoslepa : Paleta::Klasicka); });

  menuNapoveda_ = menuBar()->addMenu(QString());
  menuHelp_ = menuNapoveda_->addAction(QString(), this, &TForm1::MenuHelpClick);
  menuNapoveda_->addSeparator();
  menuOprogramu_ = menuNapoveda_->addAction(QString(), this, &TForm1::MenuOprogramuClick);
}

void TForm1::vytvorTabuli() {
  tabule_ = new TabuleVlaku(dalsiTexty_, this);
  addDockWidget(Qt::RightDockWidgetArea, tabule_);
  // Shown only once the user asks for it: the window keeps its classic look until then.
  tabule_->setVisible(Predvolby().value(KlicTabule, false).toBool());
  connect(tabule_, &TabuleVlaku::vybran, this, &TForm1::VyberVlak);
  menuZobrazeni_->addSeparator();
  menuTabule_ = tabule_->toggleViewAction();
  menuZobrazeni_->addAction(menuTabule_);
  connect(menuTabule_, &QAction::triggered, this, [this](bool zap) {
    Predvolby().setValue(KlicTabule, zap);
    obnovTabuli();
    prizpusobOkno();
  });
  menuVykaz_ = menuZobrazeni_->addAction(QString(), this, &TForm1::MenuVykazClick);
  stavSkore_ = new QLabel(this);
  stavSkore_->setObjectName(QStringLiteral("StavSkore"));
  statusBar()->addWidget(stavSkore_);
}

void TForm1::obnovTabuli() {
  if (!tabule_) return;
  if (tabule_->isVisible()) tabule_->obnov(stav_);
  const VysledekSkore v = SpocitejSkore(stav_, SimCas(stav_));
  const QString t = dalsiTexty_.text(DalsiText::StavovyRadek).arg(v.body).arg(v.cekaji);
  if (t != zobrazeneSkore_) {
    zobrazeneSkore_ = t;
    stavSkore_->setText(t);
  }
  // The frame follows the chosen train from track to track, and goes with it.
  QRect r;
  if (oznacenyVlak_) {
    const int id = KolejVlaku(stav_, oznacenyVlak_);
    if (const RKolej* k = id ? NajdiKolej(stav_, id) : nullptr) {
      auto naPohled = [&](int v) { return platno_->naObraz(v) / pomer_; };
      const int x1 = std::min(k->x1, k->x2), x2 = std::max(k->x1, k->x2);
      r = QRectF(QPointF(naPohled(x1 - 2), naPohled(k->y1 - gy / 2)),
                 QPointF(naPohled(x2 + 2), naPohled(k->y1 + gy / 2)))
              .toAlignedRect();
    } else {
      oznacenyVlak_ = 0;
    }
  }
  image1_->oznac(r);
}

void TForm1::VyberVlak(int cislo) {
  if (stav_.zpravaOtevrena) return;
  VyberZTabule(stav_, cislo);
  oznacenyVlak_ = cislo;
  zrcadli();
}

void TForm1::MenuVykazClick() {
  ZacniModalni(stav_);
  zrcadli();
  VykazSmeny vykaz(stav_, dalsiTexty_, this);
  vykaz.exec();
  MenuDialogKonec(stav_);
  zrcadli();
}

void TForm1::vytvorOvladace() {
  QWidget* k = centralWidget();
  hodiny_ = stitek(k, 0, 0, 81, 33, 18);
  rychlostSimLabel_ = stitek(k, 0, 24, 129, 17);
  cetnostVlakuLabel_ = stitek(k, 0, 40, 129, 17);

  // The value labels; where they stand and how wide they are is laid out from the
  // headings once the language is known (rozlozPanely).
  const bool kompaktni = stav_.prostredi->dpi() == 96;
  const int velke = kompaktni ? 12 : 15;  // value labels, larger on the designed layout
  panelVlak_ = new QWidget(k);
  panelVlak_->setGeometry(192, 0, kompaktni ? 590 : 569, 57);
  label2_ = stitek(panelVlak_, 0, 4, kompaktni ? 590 : 569, 16, 12);
  QLabel** vlakove[] = {&labelVlak_, &labelCil_, &imageSmer_, &labelMaxRychl_, &labelDelka_,
                        &labelHmotnost_, &labelLoko_, &labelOdjezd_, &labelRychl_, &labelVzdal_};
  for (int i = 0; i < 10; ++i)
    *vlakove[i] = stitek(panelVlak_, 0, 24, i == 2 ? 24 : 56, 24,
                         i < 2 || i == 3 ? velke : 12, i == 1);

  panelKolej_ = new QWidget(k);
  panelKolej_->setGeometry(185, 288, 368, 57);
  label3_ = stitek(panelKolej_, 0, 4, 368, 16, 12);
  QLabel** kolejove[] = {&labelKolej_, &labelDelkaKol_, &labelRychlKol_, &labelSklon_,
                         &labelStanice_, &labelSoused_};
  for (int i = 0; i < 6; ++i) *kolejove[i] = stitek(panelKolej_, 0, 24, 60, 24, 12);
  for (QLabel* l : hodnotyVlaku()) l->setTextFormat(Qt::PlainText);
  for (QLabel* l : hodnotyKoleje()) l->setTextFormat(Qt::PlainText);

  panelSouhlas_ = new QWidget(k);
  panelSouhlas_->setGeometry(224, 392, 505, 57);
  labelSouhlas_ = stitek(panelSouhlas_, 8, 4, 489, 20, 12);
  labelAno_ = stitek(panelSouhlas_, 120, 28, 80, 24, 15, true);
  labelNe_ = stitek(panelSouhlas_, 300, 28, 80, 24, 15, true);
  for (QLabel* l : {labelAno_, labelNe_}) l->setAlignment(Qt::AlignCenter);
  barvyOdpovedi();

  for (QLabel* l : {labelAno_, labelNe_}) l->setCursor(Qt::PointingHandCursor);

  // Debugging controls: hidden, no visible control leads to them.
  button1_ = new QPushButton(QStringLiteral("po\u0161li vlak"), k);
  button1_->move(592, 32);
  button1_->hide();
  connect(button1_, &QPushButton::clicked, this, &TForm1::Button1Click);
  button2_ = new QPushButton(QStringLiteral("button2"), k);
  button2_->move(592, 64);
  button2_->hide();
  connect(button2_, &QPushButton::clicked, this, &TForm1::Button2Click);
  konecbtn_ = new QPushButton(QStringLiteral("konec"), k);
  konecbtn_->move(704, 105);
  konecbtn_->hide();
  connect(konecbtn_, &QPushButton::clicked, this, &TForm1::MenuKonecClick);
}

std::vector<QLabel*> TForm1::hodnotyVlaku() const {
  return {labelVlak_, labelCil_,  imageSmer_,  labelMaxRychl_, labelDelka_,
          labelHmotnost_, labelLoko_, labelOdjezd_, labelRychl_, labelVzdal_};
}

std::vector<QLabel*> TForm1::hodnotyKoleje() const {
  return {labelKolej_, labelDelkaKol_, labelRychlKol_, labelSklon_, labelStanice_, labelSoused_};
}

void TForm1::rozlozPanely() {
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
  rozlozPanel(panelVlak_, label2_, nadpisyVlaku_, vlak, stav_.okno.Label2, popisy,
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
  rozlozPanel(panelKolej_, label3_, nadpisyKoleje_, kolej, stav_.okno.Label3, popisy, 368,
              rozvrzeniKoleje_);
  // New heading labels take the colours, and the window may have to grow for the panels.
  zobrazenePozadi_ = ~Barva{0};
  if (posuv_) prizpusobOkno();
}

void TForm1::rozlozPanel(QWidget* panel, QLabel* nadpis, std::vector<QLabel*>& nadpisy,
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

void TForm1::hodnota(QLabel* l, const std::string& t) {
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

void TForm1::barvyOdpovedi() {
  Barvy(labelAno_, BarvaVPalete(paleta_, BarvaAno), RGB(0, 0, 0));
  Barvy(labelNe_, BarvaVPalete(paleta_, BarvaNe), RGB(0, 0, 0));
}

QPoint TForm1::naStanici(QPointF bod) const {
  return {platno_->naStanici(static_cast<int>(std::floor(bod.x() * pomer_))),
          platno_->naStanici(static_cast<int>(std::floor(bod.y() * pomer_)))};
}

int TForm1::zvetseniProObrazovku(QSize dostupne) const {
  const int menu = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  for (auto z = std::rbegin(Zvetseni); z != std::rend(Zvetseni); ++z) {
    const QSize okno(KlientSirka * *z / 100, ObrazTop + (KlientVyska - 60) * *z / 100 + 1 + menu);
    if (okno.width() + RamOkna.width() <= dostupne.width() &&
        okno.height() + RamOkna.height() <= dostupne.height())
      return *z;
  }
  return 100;
}

void TForm1::prizpusobOkno() {
  // The panels must show whole; the picture as much as the screen allows, scrolled beyond.
  int panely = 0;
  for (QWidget* p : {panelVlak_, panelKolej_, panelSouhlas_})
    panely = std::max(panely, 192 + p->width());
  centralWidget()->setMinimumSize(panely, ObrazTop + 120);
  if (isMaximized() || isFullScreen()) return;
  QSize klient(std::max(image1_->width(), panely), ObrazTop + image1_->height() + 1);
  klient = klient.expandedTo(QSize(KlientSirka, KlientVyska));
  const int menu = menuBar()->sizeHint().height();
  // The status bar below and the board beside the picture take room of their own.
  const QSize okraje(tabule_ && tabule_->isVisible() ? tabule_->width() : 0,
                     menu + statusBar()->sizeHint().height());
  if (QScreen* o = screen()) {
    const QSize d = o->availableSize() - RamOkna - okraje;
    klient = klient.boundedTo(d).expandedTo(QSize(panely, ObrazTop + 120));
  }
  resize(klient + okraje);
  centralWidget()->resize(klient);
}

void TForm1::zvetsi(int kroku) {
  const int i = static_cast<int>(std::find(std::begin(Zvetseni), std::end(Zvetseni), zvetseni_) -
                                 std::begin(Zvetseni));
  const int j = std::clamp(i + kroku, 0, static_cast<int>(std::size(Zvetseni)) - 1);
  nastavZvetseni(Zvetseni[j]);
}

void TForm1::nastavZvetseni(int procent) {
  const QSize v = posuv_->viewport()->size();
  zmenZvetseni(procent, QPointF(v.width() / 2.0, v.height() / 2.0), true);
}

void TForm1::zmenZvetseni(int procent, QPointF kotva, bool ulozit) {
  procent = *std::min_element(std::begin(Zvetseni), std::end(Zvetseni), [&](int a, int b) {
    return std::abs(a - procent) < std::abs(b - procent);
  });
  // The station point under the anchor stays under it.
  QScrollBar* h = posuv_->horizontalScrollBar();
  QScrollBar* v = posuv_->verticalScrollBar();
  const double fx = (kotva.x() + h->value()) / std::max(1, image1_->width());
  const double fy = (kotva.y() + v->value()) / std::max(1, image1_->height());
  zvetseni_ = procent;
  platno_->nastavMeritko(static_cast<int>(std::lround(procent * pomer_)));
  image1_->setFixedSize(QSize(platno_->obraz().width(), platno_->obraz().height()) / pomer_);
  for (std::size_t i = 0; i < menuUrovne_.size(); ++i)
    menuUrovne_[i]->setChecked(Zvetseni[i] == procent);
  menuZvetsit_->setEnabled(procent < Zvetseni[std::size(Zvetseni) - 1]);
  menuZmensit_->setEnabled(procent > Zvetseni[0]);
  prizpusobOkno();
  h->setValue(static_cast<int>(std::lround(fx * image1_->width() - kotva.x())));
  v->setValue(static_cast<int>(std::lround(fy * image1_->height() - kotva.y())));
  zobrazenaRevize_ = platno_->revize();
  image1_->update();
  if (ulozit) Predvolby().setValue(KlicZvetseni, procent);
}

void TForm1::nastavPaletu(Paleta p) {
  paleta_ = p;
  platno_->nastavPaletu(p, stav_.okno.popredi, stav_.okno.pozadi);
  barvyOdpovedi();
  {
    const QSignalBlocker ticho(menuBarvoslepa_);
    menuBarvoslepa_->setChecked(p == Paleta::Barvoslepa);
  }
  image1_->update();
  Predvolby().setValue(KlicPaleta, p == Paleta::Barvoslepa ? 1 : 0);
}

void TForm1::zrcadli() {
  const OknoView& o = stav_.okno;
  // A text is converted to the screen's encoding and set only when its bytes differ from
  // those last shown by its control: a tick that changes nothing on screen costs one
  // comparison per text.
  auto zmena = [&](const void* w, const std::string& t) {
    auto [z, novy] = zobrazeneTexty_.try_emplace(w);
    if (!novy && z->second == t) return false;
    z->second = t;
    return true;
  };
  auto text = [&](auto* w, const std::string& t) {
    if (zmena(w, t)) w->setText(ZBajtu(t));
  };
  text(hodiny_, o.hodiny);
  text(rychlostSimLabel_, o.RychlostSimLabel);
  text(cetnostVlakuLabel_, o.CetnostVlakuLabel);

  if (zmena(menuSoubor_, o.MenuSoubor)) menuSoubor_->setTitle(ZBajtu(o.MenuSoubor));
  text(menuOtevrit_, o.MenuOtevrit);
  text(menuNastav_, o.MenuNastav);
  text(menuKonec_, o.MenuKonec);
  if (zmena(menuNapoveda_, o.MenuNapoveda)) menuNapoveda_->setTitle(ZBajtu(o.MenuNapoveda));
  text(menuHelp_, o.MenuHelp);
  text(menuOprogramu_, o.MenuOprogramu);
  if (zmena(label2_, o.Label2) | zmena(label3_, o.Label3)) rozlozPanely();
  text(labelAno_, o.LabelAno);
  text(labelNe_, o.LabelNe);

  if (zmena(labelVlak_, o.LabelVlak)) hodnota(labelVlak_, o.LabelVlak);
  if (zmena(labelCil_, o.LabelCil)) hodnota(labelCil_, o.LabelCil);
  if (zmena(imageSmer_, std::to_string(o.ImageSmer) + "/" + std::to_string(o.pozadi) + "/" +
                           std::to_string(o.popredi)))
    imageSmer_->setPixmap(Sipka(o.ImageSmer, o.pozadi, o.popredi));
  if (zmena(labelMaxRychl_, o.LabelMaxRychl)) hodnota(labelMaxRychl_, o.LabelMaxRychl);
  if (zmena(labelDelka_, o.LabelDelka)) hodnota(labelDelka_, o.LabelDelka);
  if (zmena(labelHmotnost_, o.LabelHmotnost)) hodnota(labelHmotnost_, o.LabelHmotnost);
  if (zmena(labelLoko_, o.LabelLoko)) hodnota(labelLoko_, o.LabelLoko);
  if (zmena(labelOdjezd_, o.LabelOdjezd)) hodnota(labelOdjezd_, o.LabelOdjezd);
  if (zmena(labelRychl_, o.LabelRychl)) hodnota(labelRychl_, o.LabelRychl);
  if (zmena(labelVzdal_, o.LabelVzdal)) hodnota(labelVzdal_, o.LabelVzdal);
  if (zmena(labelKolej_, o.LabelKolej)) hodnota(labelKolej_, o.LabelKolej);
  if (zmena(labelDelkaKol_, o.LabelDelkaKol)) hodnota(labelDelkaKol_, o.LabelDelkaKol);
  if (zmena(labelRychlKol_, o.LabelRychlKol)) hodnota(labelRychlKol_, o.LabelRychlKol);
  if (zmena(labelSklon_, o.LabelSklon)) hodnota(labelSklon_, o.LabelSklon);
  if (zmena(labelStanice_, o.LabelStanice)) hodnota(labelStanice_, o.LabelStanice);
  if (zmena(labelSoused_, o.LabelSoused)) hodnota(labelSoused_, o.LabelSoused);
  text(labelSouhlas_, o.LabelSouhlas);

  Panel(panelVlak_, o.PanelVlak);
  Panel(panelKolej_, o.PanelKolej);
  Panel(panelSouhlas_, o.PanelSouhlas);

  // The window, its labels and panels take the drawing's colours; the answer labels keep
  // their own. Palettes are set only when the colours change, not on every tick.
  if (o.pozadi != zobrazenePozadi_ || o.popredi != zobrazenePopredi_) {
    zobrazenePozadi_ = o.pozadi;
    zobrazenePopredi_ = o.popredi;
    Barvy(this, o.pozadi, o.popredi);
    Barvy(centralWidget(), o.pozadi, o.popredi);
    Barvy(posuv_->viewport(), o.pozadi, o.popredi);
    for (QLabel* l : nadpisyVlaku_) Barvy(l, o.pozadi, o.popredi);
    for (QLabel* l : nadpisyKoleje_) Barvy(l, o.pozadi, o.popredi);
    // The user's own colours stay what they are in any palette.
    platno_->nastavPaletu(paleta_, o.popredi, o.pozadi);
    for (QWidget* w : std::initializer_list<QWidget*>{
             hodiny_, rychlostSimLabel_, cetnostVlakuLabel_, panelVlak_, panelKolej_,
             panelSouhlas_, label2_, label3_, labelVlak_, labelCil_, imageSmer_, labelMaxRychl_,
             labelDelka_, labelHmotnost_, labelLoko_, labelOdjezd_, labelRychl_, labelVzdal_,
             labelKolej_, labelDelkaKol_, labelRychlKol_, labelSklon_, labelStanice_,
             labelSoused_, labelSouhlas_})
      Barvy(w, o.pozadi, o.popredi);
  }

  if (o.Blikac != blikac_.isActive()) o.Blikac ? blikac_.start() : blikac_.stop();
  if (o.Rychlomer != rychlomer_.isActive()) o.Rychlomer ? rychlomer_.start() : rychlomer_.stop();

  if (platno_->revize() != zobrazenaRevize_) {
    zobrazenaRevize_ = platno_->revize();
    image1_->update();
  }
  obnovTabuli();
  if (o.zavrit) {
    stav_.okno.zavrit = false;
    close();
  }
}

void TForm1::CasovacUdalostiTimer() {
  // A message box raised from inside the core is open: its handler has not finished.
  if (stav_.zpravaOtevrena) return;
  stanovar::CasovacUdalostiTimer(stav_);
  zrcadli();
}

void TForm1::BlikacTimer() {
  if (stav_.zpravaOtevrena) return;
  stanovar::BlikacTimer(stav_);
  zrcadli();
}

void TForm1::RychlomerTimer() {
  if (stav_.zpravaOtevrena) return;
  stanovar::RychlomerTimer(stav_);
  zrcadli();
}

void TForm1::Button1Click() {
  if (stav_.zpravaOtevrena) return;
  stanovar::Button1Click(stav_);
  zrcadli();
}

void TForm1::LabelAnoClick() {
  if (stav_.zpravaOtevrena) return;
  stanovar::LabelAnoClick(stav_);
  zrcadli();
}

void TForm1::LabelNeClick() {
  if (stav_.zpravaOtevrena) return;
  stanovar::LabelNeClick(stav_);
  zrcadli();
}

void TForm1::Button2Click() {
  if (stav_.zpravaOtevrena) return;
  stanovar::Button2Click(stav_);
  zrcadli();
}

void TForm1::Image1MouseDown(Qt::MouseButton tlacitko, int x, int y) {
  if (stav_.zpravaOtevrena) return;
  Tlacitko t = tlacitko == Qt::RightButton    ? Tlacitko::Prave
               : tlacitko == Qt::MiddleButton ? Tlacitko::Prostredni
                                              : Tlacitko::Leve;
  // The control reports image pixels; the core knows only the station's own.
  stanovar::Image1MouseDown(stav_, t, platno_->naStanici(x), platno_->naStanici(y));
  zrcadli();
}

int TForm1::VirtualniKlic(int k) {
  switch (k) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_F1: return 112;
    case Qt::Key_F2: return 113;
    case Qt::Key_F3: return 114;
    case Qt::Key_F4: return 115;
    case Qt::Key_F5: return 116;
    default:
      if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // the same codes as virtual keys
      if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;
      return 0;
  }
}

void TForm1::FormKeyDown(int vk) {
  if (stav_.zpravaOtevrena) return;
  // The key acts at the mouse cursor's point on the picture.
  const QPoint b = naStanici(image1_->mapFromGlobal(QCursor::pos()));
  stanovar::FormKeyDown(stav_, vk, b.x(), b.y());
  zrcadli();
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
  if (o == centralWidget() && e->type() == QEvent::Resize) {
    const QSize k = centralWidget()->size();
    posuv_->setGeometry(0, ObrazTop, k.width(), std::max(k.height() - 60, 0));
  }
  // Ctrl and the wheel zoom about the point under the cursor; the wheel alone scrolls.
  if (posuv_ && o == posuv_->viewport() && e->type() == QEvent::Wheel) {
    auto* k = static_cast<QWheelEvent*>(e);
    if (k->modifiers() & Qt::ControlModifier) {
      kolecko_ += k->angleDelta().y();
      const int kroku = kolecko_ / 120;
      kolecko_ -= kroku * 120;
      const int i = static_cast<int>(std::find(std::begin(Zvetseni), std::end(Zvetseni), zvetseni_) -
                                     std::begin(Zvetseni));
      const int j = std::clamp(i + kroku, 0, static_cast<int>(std::size(Zvetseni)) - 1);
      if (j != i) zmenZvetseni(Zvetseni[j], k->position(), true);
      return true;
    }
  }
  // The offer panel's answers are labels that take clicks.
  if (e->type() == QEvent::MouseButtonPress && (o == labelAno_ || o == labelNe_)) {
    o == labelAno_ ? LabelAnoClick() : LabelNeClick();
    return true;
  }
  // Key preview: every key typed into the main window reaches the core first, whichever
  // control has the focus; keys of the dialogs stay theirs.
  if (e->type() == QEvent::KeyPress && QApplication::activeModalWidget() == nullptr) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && w->window() == this) {
      auto* k = static_cast<QKeyEvent*>(e);
      int vk = VirtualniKlic(k->key());
      if (vk != 0 && !(k->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
        FormKeyDown(vk);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(o, e);
}

void TForm1::MenuOtevritClick() {
  MenuOtevritZacni(stav_);
  zrcadli();
  formSoubory()->exec();
  MenuDialogKonec(stav_);
  zrcadli();
}

void TForm1::MenuNastavClick() {
  ZacniModalni(stav_);
  zrcadli();
  formNastav()->exec();
  MenuDialogKonec(stav_);
  zrcadli();
}

void TForm1::MenuKonecClick() { close(); }

void TForm1::MenuHelpClick() { stanovar::MenuHelpClick(stav_); }

void TForm1::MenuOprogramuClick() {
  stanovar::MenuOprogramuClick(stav_);
  zrcadli();
}

QString TForm1::cestaPosledniSmeny() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/posledni.smena");
}

void TForm1::hlaseni(DalsiText t, const std::string& soubor) {
  stav_.zpravaOtevrena = true;
  stav_.prostredi->zpravaOSouboru(dalsiTexty_.bajty(t), soubor, std::string());
  stav_.zpravaOtevrena = false;
}

void TForm1::hlaseni(const VysledekUlozeni& v, const QString& smena) {
  const std::string jmeno = QFile::encodeName(smena).toStdString();
  switch (v.chyba) {
    case ChybaUlozeni::Zadna: break;
    case ChybaUlozeni::NelzeCist: hlaseni(DalsiText::ChybaCteniSmeny, jmeno); break;
    case ChybaUlozeni::Poskozeny: hlaseni(DalsiText::ChybaPoskozenaSmena, jmeno); break;
    case ChybaUlozeni::JinaVerze: hlaseni(DalsiText::ChybaVerzeSmeny, jmeno); break;
    case ChybaUlozeni::ChybiSoubor: hlaseni(DalsiText::ChybaSouboruStanice, v.soubor); break;
    case ChybaUlozeni::ZmenenySoubor: hlaseni(DalsiText::ChybaZmenenaStanice, v.soubor); break;
    case ChybaUlozeni::NelzeZapsat: hlaseni(DalsiText::ChybaZapisuSmeny, jmeno); break;
  }
}

bool TForm1::ulozSmenu(const QString& cesta) {
  QDir().mkpath(QFileInfo(cesta).absolutePath());
  const VysledekUlozeni v = UlozSmenu(stav_, CastiBehu{}, QFile::encodeName(cesta).toStdString());
  hlaseni(v, cesta);
  return static_cast<bool>(v);
}

bool TForm1::otevriSmenu(const QString& cesta) {
  CastiBehu zadne;
  const VysledekUlozeni v = NactiSmenu(stav_, zadne, QFile::encodeName(cesta).toStdString());
  hlaseni(v, cesta);
  zrcadli();
  return static_cast<bool>(v);
}

bool TForm1::prevezmi(const QString& schema) {
  const QFileInfo f(schema);
  const QString zaklad = f.absolutePath() + QLatin1Char('/') + f.completeBaseName();
  auto jmeno = [](const QString& c) { return QFile::encodeName(c).toStdString(); };
  const VysledekUlozeni v = PrevezmiProvoz(stav_, jmeno(f.absoluteFilePath()),
                                           jmeno(zaklad + QStringLiteral(".gvd")),
                                           jmeno(zaklad + QStringLiteral(".lok")));
  if (!v) hlaseni(DalsiText::ChybaPrevzeti, v.soubor);
  zrcadli();
  return static_cast<bool>(v);
}

bool TForm1::prevezmiOtevrenou() {
  const Nastaveni& n = stav_.nastaveni;
  const VysledekUlozeni v = PrevezmiProvoz(stav_, n.cestaSchema, n.cestaGvd, n.cestaLoko);
  if (!v) hlaseni(DalsiText::ChybaPrevzeti, v.soubor);
  zrcadli();
  return static_cast<bool>(v);
}

namespace {
// A file dialog's caption: the menu text without its accelerator and its ellipsis.
QString Titulek(QString t) {
  t.remove(QLatin1Char('&'));
  if (t.endsWith(QChar(0x2026))) t.chop(1);
  return t.trimmed();
}
}  // namespace

void TForm1::MenuUlozitSmenuClick() {
  ZacniModalni(stav_);
  zrcadli();
  QString cesta = QFileDialog::getSaveFileName(
      this, Titulek(dalsiTexty_.text(DalsiText::UlozitSmenu)),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
      dalsiTexty_.text(DalsiText::FiltrSmen));
  if (!cesta.isEmpty()) {
    if (QFileInfo(cesta).suffix().isEmpty()) cesta += QStringLiteral(".smena");
    // Saved paused: opened, it goes on at the speed it ran at.
    ulozSmenu(cesta);
  }
  KonecModalni(stav_);
  zrcadli();
}

void TForm1::MenuOtevritSmenuClick() {
  ZacniModalni(stav_);
  zrcadli();
  const QString cesta = QFileDialog::getOpenFileName(
      this, Titulek(dalsiTexty_.text(DalsiText::OtevritSmenu)),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
      dalsiTexty_.text(DalsiText::FiltrSmen));
  // The opened shift is paused as the dialog paused the one before, and resumes with it.
  if (!cesta.isEmpty() && otevriSmenu(cesta)) ZacniModalni(stav_);
  KonecModalni(stav_);
  zrcadli();
}

void TForm1::MenuPokracovatClick() {
  if (!QFile::exists(cestaPosledniSmeny())) {
    hlaseni(DalsiText::ZadnaUlozenaSmena, std::string());
    return;
  }
  otevriSmenu(cestaPosledniSmeny());
}

void TForm1::MenuPrevzitClick() {
  ZacniModalni(stav_);
  zrcadli();
  const QString adresar = stav_.nastaveni.cestaSchema.empty()
                              ? QDir::currentPath()
                              : QFileInfo(QFile::decodeName(stav_.nastaveni.cestaSchema.c_str())).absolutePath();
  const QString schema = QFileDialog::getOpenFileName(
      this, Titulek(dalsiTexty_.text(DalsiText::PrevzitProvoz)), adresar,
      dalsiTexty_.text(DalsiText::FiltrStanic));
  if (!schema.isEmpty() && prevezmi(schema)) ZacniModalni(stav_);
  KonecModalni(stav_);
  zrcadli();
}

void TForm1::closeEvent(QCloseEvent* e) {
  // Every way out (Esc, the menu, the close box) goes through the reset, after the shift is
  // kept for "Resume last shift". Nobody is there to read a failure.
  if (!zavreno_ && !stav_.Koleje.empty()) {
    QDir().mkpath(QFileInfo(cestaPosledniSmeny()).absolutePath());
    UlozSmenu(stav_, CastiBehu{}, QFile::encodeName(cestaPosledniSmeny()).toStdString());
  }
  if (!zavreno_) {
    ZrusitVse(stav_);
    zavreno_ = true;
  }
  casovacUdalosti_.stop();
  blikac_.stop();
  rychlomer_.stop();
  e->accept();
}

}  // namespace stanovar::shell
