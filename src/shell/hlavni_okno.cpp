#include "shell/hlavni_okno.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolTip>
#include <algorithm>
#include <iterator>

#include "jadro.h"
#include "model/seznamy.h"
#include "shell/dialogy.h"
#include "shell/editor_okno.h"
#include "shell/hra_pres_sit.h"
#include "shell/hra_site.h"
#include "shell/kodovani.h"
#include "shell/tabule_vlaku.h"
#include "shell/vykaz.h"
#include "shell/vzhled.h"
#include "smena/smena.h"

namespace stanovar::shell {


TForm1::TForm1(const QString& startovniAdresar, Prostredi* prostredi)
    : qtProstredi_(this) {
  setWindowTitle(QStringLiteral("   Stanovar"));
  stav_.prostredi = prostredi ? prostredi : &qtProstredi_;

  auto* klient = new QWidget(this);
  klient->resize(KlientSirka, KlientVyska);
  setCentralWidget(klient);
  vytvorMenu();
  vytvorTabuli();

  // Until the user chooses a zoom, the one that fills the screen best.
  const QSize dostupne = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableSize()
                             : QSize(KlientSirka, KlientVyska);
  const int vychozi = zvetseniProObrazovku(dostupne, Tabule::Skryta);
  pohled_ = new PohledStanice(klient, QRect(0, ObrazTop, KlientSirka, KlientVyska - 60), stav_,
                              std::max(vychozi, 100));
  stav_.platno = pohled_->platno();
  connect(pohled_, &PohledStanice::klik, this, &TForm1::Image1MouseDown);
  connect(pohled_, &PohledStanice::zvetseniZmeneno, this, &TForm1::zvetseniZmeneno);
  connect(pohled_, &PohledStanice::paletaZmenena, this, &TForm1::paletaZmenena);

  // The panels are made after the picture, so that they lie over it.
  panely_ = new PanelyOkna(klient, stav_, pohled_->paleta());
  connect(panely_, &PanelyOkna::ano, this, &TForm1::LabelAnoClick);
  connect(panely_, &PanelyOkna::ne, this, &TForm1::LabelNeClick);
  connect(panely_, &PanelyOkna::rozlozeny, this, &TForm1::prizpusobOkno);
  smena_ = new PrikazySmeny(stav_, dalsiTexty_, this, [this] { zrcadli(); });
  sit_ = new SitOkna(stav_, dalsiTexty_, this, klient, menuSoubor_, menuUlozitSmenu_, menuBar(),
                     [this] { zrcadli(); });
  tabule_->model()->doplnek = [this](std::vector<RadekTabule>& r) { sit_->doplnTabuli(r); };
  sit_->zmena = [this](bool hraje) { hraje ? smena_->zastavZaznam() : smena_->zacniZaznam(); };
  presSit_ = new HraPresSit(stav_, dalsiTexty_, this, menuSoubor_, menuUlozitSmenu_, [this] { zrcadli(); },
                            [this](const QString& t) { statusBar()->showMessage(t); });
  presSit_->zmena = [this](bool hraje) {
    hraje ? smena_->zastavZaznam() : smena_->zacniZaznam();
    // Dialogs that pause the clock would move the copy's clock off the host's.
    menuNastav_->setEnabled(!hraje);
    menuEditor_->setEnabled(!hraje);
    menuOprogramu_->setEnabled(!hraje);
  };
  sit_->smiJinam = [this] { return presSit_->smiOpustit(); };
  presSit_->smiJinam = [this] { return sit_->smiOpustit(); };
  vytvorTlacitka();
  move(0, 0);

  // The start-up proper: defaults, settings file, language, locomotives, schema, timetable.
  SledujSkore(stav_);
  Spust(stav_, QFile::encodeName(startovniAdresar).toStdString());
  dalsiTexty_.nacti(stav_);
  // File dialogs and message boxes speak the language of the station folder too.
  if (dalsiTexty_.cesky() &&
      prekladQt_.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&prekladQt_);

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
  menuEditor_->setText(dalsiTexty_.text(DalsiText::UpravitStanici));
  sit_->noveTexty();
  presSit_->noveTexty();
  menuPokracovat_->setEnabled(QFile::exists(PrikazySmeny::cestaPosledniSmeny()));
  // The dock's title renames its menu command too: the command gets its access key after.
  tabule_->noveTexty();
  menuTabule_->setText(dalsiTexty_.text(DalsiText::TabuleVlaku));
  menuVykaz_->setText(dalsiTexty_.text(DalsiText::VykazSmeny));
  menuLegenda_->setText(dalsiTexty_.text(DalsiText::Legenda));
  menuPrvniVlak_->setText(dalsiTexty_.text(DalsiText::PrvniVlak));
  {
    const QSignalBlocker ticho(menuBarvoslepa_);
    menuBarvoslepa_->setChecked(pohled_->paleta() == Paleta::Barvoslepa);
  }
  // The guided first train, on the very first start.
  pruvodce_ = new PruvodceOkna(dalsiTexty_, klient);
  if (!Predvolby().value(QStringLiteral("pruvodce/ukazan"), false).toBool()) pruvodce_->zacni();
  zrcadli();
  pohled_->zmenZvetseni(pohled_->zvetseni(), QPointF(0, 0), false);
  vejdiSe();
  smena_->zacniZaznam();
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  QCoreApplication::removeTranslator(&prekladQt_);
  if (!zavreno_) ZrusitVse(stav_);
  // It listens to the state and lends it its outside world: gone while the state still is.
  delete presSit_;
  presSit_ = nullptr;
}

TFormSoubory* TForm1::formSoubory() {
  if (!soubory_) soubory_ = new TFormSoubory(stav_, this);
  return soubory_;
}

TFormNastav* TForm1::formNastav() {
  if (!nastav_) nastav_ = new TFormNastav(stav_, this);
  return nastav_;
}

void TForm1::vytvorMenu() {
  menuSoubor_ = menuBar()->addMenu(QString());
  menuOtevrit_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuOtevritClick);
  menuNastav_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuNastavClick);
  // The editor is a window of its own: the simulation pauses only while the folder is chosen.
  menuEditor_ = menuSoubor_->addAction(QString(), this, [this] {
    const QString schema = QFile::decodeName(stav_.nastaveni.cestaSchema.c_str());
    ZacniModalni(stav_);
    zrcadli();
    OtevriEditor(this, dalsiTexty_, stav_,
                 schema.isEmpty() ? QFile::decodeName(stav_.nastaveni.startovniAdresar.c_str())
                                  : QFileInfo(schema).absolutePath());
    KonecModalni(stav_);
    zrcadli();
  });
  menuSoubor_->addSeparator();
  // A network is not saved as one station's shift: refused, never half kept. The commands
  // that put another station in the window leave the network only when the player agrees.
  menuUlozitSmenu_ = menuSoubor_->addAction(QString(), this, [this] {
    if (sit_->aktivni() || presSit_->aktivni()) return smena_->hlaseni(DalsiText::SitNelzeUlozit, std::string());
    smena_->MenuUlozitSmenuClick();
  });
  menuUlozitSmenu_->setShortcut(QKeySequence::Save);
  auto poOpusteni = [this](void (PrikazySmeny::*prikaz)()) {
    return [this, prikaz] { if (sit_->smiOpustit() && presSit_->smiOpustit()) (smena_->*prikaz)(); };
  };
  menuOtevritSmenu_ = menuSoubor_->addAction(QString(), this, poOpusteni(&PrikazySmeny::MenuOtevritSmenuClick));
  menuPokracovat_ = menuSoubor_->addAction(QString(), this, poOpusteni(&PrikazySmeny::MenuPokracovatClick));
  menuPrevzit_ = menuSoubor_->addAction(QString(), this, poOpusteni(&PrikazySmeny::MenuPrevzitClick));
  // Resuming is offered once closing has saved a shift.
  connect(menuSoubor_, &QMenu::aboutToShow, this, [this] {
    menuPokracovat_->setEnabled(QFile::exists(PrikazySmeny::cestaPosledniSmeny()));
  });
  menuSoubor_->addSeparator();
  menuKonec_ = menuSoubor_->addAction(QString(), this, &TForm1::MenuKonecClick);

  menuZobrazeni_ = menuBar()->addMenu(QString());
  menuZvetsit_ = menuZobrazeni_->addAction(QString(), this, [this] { pohled_->zvetsi(1); });
  // Ctrl and the "+" key, whether or not the keyboard needs Shift for it.
  menuZvetsit_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                              QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  menuZmensit_ = menuZobrazeni_->addAction(QString(), this, [this] { pohled_->zvetsi(-1); });
  menuZmensit_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  menuSkutecna_ = menuZobrazeni_->addAction(QString(), this, [this] { pohled_->nastavZvetseni(100); });
  menuSkutecna_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  menuZobrazeni_->addSeparator();
  auto* skupina = new QActionGroup(this);
  for (int z : PohledStanice::Zvetseni) {
    QAction* a = menuZobrazeni_->addAction(QStringLiteral("%1 %").arg(z), this,
                                           [this, z] { pohled_->nastavZvetseni(z); });
    a->setCheckable(true);
    skupina->addAction(a);
    menuUrovne_.push_back(a);
  }
  menuZobrazeni_->addSeparator();
  menuBarvoslepa_ = menuZobrazeni_->addAction(QString());
  menuBarvoslepa_->setCheckable(true);
  connect(menuBarvoslepa_, &QAction::toggled, this,
          [this](bool zap) { pohled_->nastavPaletu(zap ? Paleta::Barvoslepa : Paleta::Klasicka); });

  menuNapoveda_ = menuBar()->addMenu(QString());
  menuHelp_ = menuNapoveda_->addAction(QString(), this, &TForm1::MenuHelpClick);
  menuPrvniVlak_ = menuNapoveda_->addAction(QString(), this, [this] {
    pruvodce_->zacni();
    zrcadli();
  });
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
    vejdiSe();
  });
  menuVykaz_ = menuZobrazeni_->addAction(QString(), this, &TForm1::MenuVykazClick);
  menuLegenda_ = menuZobrazeni_->addAction(QString(), this, &TForm1::MenuLegendaClick);
  stavSkore_ = new QLabel(this);
  stavSkore_->setObjectName(QStringLiteral("StavSkore"));
  statusBar()->addWidget(stavSkore_);
  napovedy_ = new Napovedy(dalsiTexty_, this);
  statusBar()->addWidget(napovedy_->duvod(), 1);
}

void TForm1::vytvorTlacitka() {
  // Debugging controls: hidden, no visible control leads to them.
  QWidget* k = centralWidget();
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
  const RKolej* k = nullptr;
  if (oznacenyVlak_) {
    const int id = KolejVlaku(stav_, oznacenyVlak_);
    k = id ? NajdiKolej(stav_, id) : nullptr;
    if (!k) oznacenyVlak_ = 0;
  }
  pohled_->oznacKolej(k);
}

void TForm1::MenuVykazClick() {
  ZacniModalni(stav_);
  zrcadli();
  VykazSmeny vykaz(stav_, dalsiTexty_, this);
  vykaz.exec();
  MenuDialogKonec(stav_);
  zrcadli();
}

void TForm1::zvetseniZmeneno(int procent) {
  for (std::size_t i = 0; i < menuUrovne_.size(); ++i)
    menuUrovne_[i]->setChecked(PohledStanice::Zvetseni[i] == procent);
  menuZvetsit_->setEnabled(procent < PohledStanice::Zvetseni[std::size(PohledStanice::Zvetseni) - 1]);
  menuZmensit_->setEnabled(procent > PohledStanice::Zvetseni[0]);
  prizpusobOkno();
}

void TForm1::paletaZmenena(Paleta p) {
  panely_->barvyOdpovedi(p);
  const QSignalBlocker ticho(menuBarvoslepa_);
  menuBarvoslepa_->setChecked(p == Paleta::Barvoslepa);
}

void TForm1::zrcadli() {
  const OknoView& o = stav_.okno;
  // The menu texts, as the panels their labels: set only when their bytes change.
  auto zmena = [&](const void* w, const std::string& t) {
    auto [z, novy] = zobrazeneTexty_.try_emplace(w);
    if (!novy && z->second == t) return false;
    z->second = t;
    return true;
  };
  auto text = [&](QAction* a, const std::string& t) {
    if (zmena(a, t)) a->setText(ZBajtu(t));
  };
  if (zmena(menuSoubor_, o.MenuSoubor)) menuSoubor_->setTitle(ZBajtu(o.MenuSoubor));
  text(menuOtevrit_, o.MenuOtevrit);
  text(menuNastav_, o.MenuNastav);
  text(menuKonec_, o.MenuKonec);
  if (zmena(menuNapoveda_, o.MenuNapoveda)) menuNapoveda_->setTitle(ZBajtu(o.MenuNapoveda));
  text(menuHelp_, o.MenuHelp);
  text(menuOprogramu_, o.MenuOprogramu);
  panely_->zrcadli(o);

  // The window takes the drawing's colours, and so does the room around the picture.
  if (o.pozadi != zobrazenePozadi_ || o.popredi != zobrazenePopredi_) {
    zobrazenePozadi_ = o.pozadi;
    zobrazenePopredi_ = o.popredi;
    Barvy(this, o.pozadi, o.popredi);
    Barvy(centralWidget(), o.pozadi, o.popredi);
    pohled_->nastavBarvy(o.pozadi, o.popredi);
  }

  if (o.Blikac != blikac_.isActive()) o.Blikac ? blikac_.start() : blikac_.stop();
  if (o.Rychlomer != rychlomer_.isActive()) o.Rychlomer ? rychlomer_.start() : rychlomer_.stop();

  pohled_->obnov();
  obnovTabuli();
  if (pruvodce_) pruvodce_->obnov(stav_, tabule_->isVisible(), pohled_->geometry());
  // The title names the station and the shift's file.
  if (stav_.nastaveni.cestaSchema != schemaJmena_) {
    schemaJmena_ = stav_.nastaveni.cestaSchema;
    jmenoStanice_ = JmenoStanice(stav_);
  }
  const QString titulek = Titulek(ZBajtu(jmenoStanice_), smena_->soubor());
  if (titulek != windowTitle()) setWindowTitle(titulek);
  if (o.zavrit) {
    stav_.okno.zavrit = false;
    if (smimeZavrit()) close();
  }
}

bool TForm1::smimeZavrit() {
  // Esc is easily pressed by mistake; the menu and the close box are not.
  if (stav_.Koleje.empty()) return true;
  const bool zprava = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  const auto odpoved = QMessageBox::question(this, QGuiApplication::applicationDisplayName(),
                                             dalsiTexty_.text(DalsiText::OpravduKonec));
  stav_.zpravaOtevrena = zprava;
  return odpoved == QMessageBox::Yes;
}

template <class Volani>
void TForm1::volejJadro(Volani&& volani) {
  if (stav_.zpravaOtevrena) return;
  volani(stav_);
  // A person's inputs while playing a host's station go to the host.
  if (presSit_) presSit_->poVolani();
  zrcadli();
}

// A network's other stations catch up with the window's station after each tick.
void TForm1::CasovacUdalostiTimer() {
  // A host's station runs only as the host steps it; the tick shows the host's clock.
  if (presSit_->aktivni()) return volejJadro([this](Stav&) { presSit_->poTiku(); });
  volejJadro([this](Stav& s) { stanovar::CasovacUdalostiTimer(s), sit_->poTiku(); });
}
void TForm1::BlikacTimer() { volejJadro(stanovar::BlikacTimer); }
void TForm1::RychlomerTimer() { volejJadro(stanovar::RychlomerTimer); }
void TForm1::Button1Click() { volejJadro(stanovar::Button1Click); }
void TForm1::Button2Click() { volejJadro(stanovar::Button2Click); }
void TForm1::LabelAnoClick() {
  volejSVykladem({PodnetHrace::Souhlas, false, 0, 0, 0}, stanovar::LabelAnoClick);
}
void TForm1::LabelNeClick() { volejJadro(stanovar::LabelNeClick); }

template <class Volani>
void TForm1::volejSVykladem(const PodnetHrace& v, Volani&& volani) {
  volejJadro([&](Stav& s) {
    Pozorovani p(s, v);
    volani(s);
    napovedy_->rekni(p.Vysledek());
  });
}

void TForm1::Image1MouseDown(Qt::MouseButton tlacitko, int x, int y) {
  const Tlacitko t = tlacitko == Qt::RightButton    ? Tlacitko::Prave
                     : tlacitko == Qt::MiddleButton ? Tlacitko::Prostredni
                                                    : Tlacitko::Leve;
  const auto d = t == Tlacitko::Leve ? Vstup::Leve : t == Tlacitko::Prave ? Vstup::Prave : Vstup::Prostredni;
  volejSVykladem({PodnetHrace::Klik, t != Tlacitko::Leve, 0, x, y}, [&](Stav&) { smena_->vstup({0, d, 0, x, y}); });
}

void TForm1::FormKeyDown(int vk) {
  // The key acts at the mouse cursor's point on the picture.
  const QPoint b = pohled_->kurzorNaStanici();
  if (presSit_->klavesa(vk)) return;
  volejSVykladem({PodnetHrace::Klavesa, false, vk, b.x(), b.y()},
                 [&](Stav&) { smena_->vstup({0, Vstup::Klavesa, vk, b.x(), b.y()}); });
}

QString TForm1::popisBodu(QPoint bod) {
  const QPoint b = pohled_->naStanici(bod);
  return TextPopisu(dalsiTexty_, PopisBodu(stav_, b.x(), b.y()));
}

void TForm1::MenuLegendaClick() {
  Legenda l(dalsiTexty_, stav_, pohled_->paleta(), this);
  l.exec();
}

void TForm1::VyberVlak(int cislo) {
  volejJadro([&](Stav& s) {
    VyberZTabule(s, cislo);
    oznacenyVlak_ = cislo;
  });
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

bool TForm1::eventFilter(QObject* o, QEvent* e) {
  if (o == pohled_->Image1() && e->type() == QEvent::ToolTip) {
    auto* h = static_cast<QHelpEvent*>(e);
    const QString t = popisBodu(h->pos());
    if (t.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(h->globalPos(), t, pohled_->Image1());
    return true;
  }
  if (o == centralWidget() && e->type() == QEvent::Resize) {
    const QSize k = centralWidget()->size();
    pohled_->setGeometry(0, ObrazTop, k.width(), std::max(k.height() - 60, 0));
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
  if (!sit_->smiOpustit() || !presSit_->smiOpustit()) return;
  MenuOtevritZacni(stav_);
  zrcadli();
  formSoubory()->exec();
  MenuDialogKonec(stav_);
  // The station may have been opened again: its inputs are kept from here.
  smena_->zacniZaznam();
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
  // Every way out (Esc, the menu, the close box) goes through the reset, after the shift is
  // kept for "Resume last shift".
  if (!zavreno_) {
    // Of a network, the station played is kept, as one station on its own (the inputs kept
    // from before the network stay as they are).
    sit_->zmena = nullptr;
    sit_->opust();
    // Of a host's station, the host's automatic dispatcher takes it; here it is kept as it
    // stands. A host started here ends, telling every player.
    presSit_->zmena = nullptr;
    presSit_->opust();
    smena_->ulozPosledni();
    ZrusitVse(stav_);
    zavreno_ = true;
  }
  casovacUdalosti_.stop();
  blikac_.stop();
  rychlomer_.stop();
  e->accept();
}

}  // namespace stanovar::shell
