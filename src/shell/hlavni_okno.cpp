#include "shell/hlavni_okno.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "control/cesty.h"
#include "control/klavesy.h"
#include "control/menu.h"
#include "files/soubory.h"
#include "shell/dialogy.h"
#include "shell/kodovani.h"
#include "traffic/generace.h"
#include "traffic/predani.h"
#include "traffic/smycka.h"

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
}  // namespace

void ObrazStanice::paintEvent(QPaintEvent*) {
  if (!platno_) return;
  QPainter p(this);
  p.drawImage(0, 0, platno_->obraz());
}

void ObrazStanice::mousePressEvent(QMouseEvent* e) {
  QPoint b = e->position().toPoint();
  emit stisk(e->button(), b.x(), b.y());
}

TForm1::TForm1(const QString& startovniAdresar, Prostredi* prostredi)
    : qtProstredi_(this) {
  setWindowTitle(QStringLiteral("   Stanovar"));
  stav_.prostredi = prostredi ? prostredi : &qtProstredi_;

  auto* klient = new QWidget(this);
  klient->setFixedSize(KlientSirka, KlientVyska);
  setCentralWidget(klient);
  vytvorMenu();

  image1_ = new ObrazStanice(klient);
  image1_->setGeometry(0, ObrazTop, KlientSirka, KlientVyska - 60);
  platno_ = std::make_unique<QtPlatno>(KlientSirka, KlientVyska - 60, stav_.prostredi->dpi());
  image1_->nastavPlatno(platno_.get());
  stav_.platno = platno_.get();
  connect(image1_, &ObrazStanice::stisk, this, &TForm1::Image1MouseDown);

  vytvorOvladace();
  move(0, 0);

  // The start-up proper: defaults, settings file, language, locomotives, schema, timetable.
  Spust(stav_, QFile::encodeName(startovniAdresar).toStdString());

  casovacUdalosti_.setInterval(100);
  connect(&casovacUdalosti_, &QTimer::timeout, this, &TForm1::CasovacUdalostiTimer);
  casovacUdalosti_.start();
  blikac_.setInterval(250);
  connect(&blikac_, &QTimer::timeout, this, &TForm1::BlikacTimer);
  rychlomer_.setInterval(250);
  connect(&rychlomer_, &QTimer::timeout, this, &TForm1::RychlomerTimer);

  qApp->installEventFilter(this);
  zrcadli();
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
  menuKonec_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuKonecClick);
  menuNapoveda_ = menuBar()->addMenu(QString());
  menuHelp_ = menuNapoveda_->addAction(QString(), this, &TForm1::MenuHelpClick);
  menuNapoveda_->addSeparator();
  menuOprogramu_ = menuNapoveda_->addAction(QString(), this, &TForm1::MenuOprogramuClick);
}

void TForm1::vytvorOvladace() {
  QWidget* k = centralWidget();
  hodiny_ = stitek(k, 0, 0, 81, 33, 18);
  rychlostSimLabel_ = stitek(k, 0, 24, 129, 17);
  cetnostVlakuLabel_ = stitek(k, 0, 40, 129, 17);

  const bool kompaktni = stav_.prostredi->dpi() == 96;
  const int velke = kompaktni ? 12 : 15;  // value labels, larger on the designed layout

  panelVlak_ = new QWidget(k);
  panelVlak_->setGeometry(192, 0, kompaktni ? 590 : 569, 57);
  label2_ = stitek(panelVlak_, 0, 4, kompaktni ? 590 : 569, 16, 12);
  const int levyVlak[] = {0, 41, 93, 140, 198, 244, 290, 332, 392, 441};
  QLabel** vlakove[] = {&labelVlak_, &labelCil_, &imageSmer_, &labelMaxRychl_, &labelDelka_,
                        &labelHmotnost_, &labelLoko_, &labelOdjezd_, &labelRychl_, &labelVzdal_};
  for (int i = 0; i < 10; ++i) {
    int x = kompaktni ? levyVlak[i] : levyVlak[i] * 5 / 4;
    *vlakove[i] = stitek(panelVlak_, x, 24, i == 2 ? 24 : 56, 24, i < 2 || i == 3 ? velke : 12,
                         i == 1);
  }

  panelKolej_ = new QWidget(k);
  panelKolej_->setGeometry(185, 288, 368, 57);
  label3_ = stitek(panelKolej_, 0, 4, 368, 16, 12);
  const int levyKolej[] = {8, 60, 104, 156, 192, 240};
  QLabel** kolejove[] = {&labelKolej_, &labelDelkaKol_, &labelRychlKol_, &labelSklon_,
                         &labelStanice_, &labelSoused_};
  for (int i = 0; i < 6; ++i) {
    int x = kompaktni ? levyKolej[i] : levyKolej[i] * 5 / 4;
    *kolejove[i] = stitek(panelKolej_, x, 24, 60, 24, 12);
  }

  panelSouhlas_ = new QWidget(k);
  panelSouhlas_->setGeometry(224, 392, 505, 57);
  labelSouhlas_ = stitek(panelSouhlas_, 8, 4, 489, 20, 12);
  labelAno_ = stitek(panelSouhlas_, 120, 28, 80, 24, 15, true);
  labelNe_ = stitek(panelSouhlas_, 300, 28, 80, 24, 15, true);
  for (QLabel* l : {labelAno_, labelNe_}) l->setAlignment(Qt::AlignCenter);
  Barvy(labelAno_, BarvaAno, RGB(0, 0, 0));
  Barvy(labelNe_, BarvaNe, RGB(0, 0, 0));

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
  text(label2_, o.Label2);
  text(label3_, o.Label3);
  text(labelAno_, o.LabelAno);
  text(labelNe_, o.LabelNe);

  text(labelVlak_, o.LabelVlak);
  text(labelCil_, o.LabelCil);
  if (zmena(imageSmer_, std::to_string(o.ImageSmer) + "/" + std::to_string(o.pozadi) + "/" +
                           std::to_string(o.popredi)))
    imageSmer_->setPixmap(Sipka(o.ImageSmer, o.pozadi, o.popredi));
  text(labelMaxRychl_, o.LabelMaxRychl);
  text(labelDelka_, o.LabelDelka);
  text(labelHmotnost_, o.LabelHmotnost);
  text(labelLoko_, o.LabelLoko);
  text(labelOdjezd_, o.LabelOdjezd);
  text(labelRychl_, o.LabelRychl);
  text(labelVzdal_, o.LabelVzdal);
  text(labelKolej_, o.LabelKolej);
  text(labelDelkaKol_, o.LabelDelkaKol);
  text(labelRychlKol_, o.LabelRychlKol);
  text(labelSklon_, o.LabelSklon);
  text(labelStanice_, o.LabelStanice);
  text(labelSoused_, o.LabelSoused);
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
  stanovar::Image1MouseDown(stav_, t, x, y);
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
  QPoint b = image1_->mapFromGlobal(QCursor::pos());
  stanovar::FormKeyDown(stav_, vk, b.x(), b.y());
  zrcadli();
}

bool TForm1::eventFilter(QObject* o, QEvent* e) {
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

void TForm1::closeEvent(QCloseEvent* e) {
  // Every way out (Esc, the menu, the close box) goes through the reset.
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
