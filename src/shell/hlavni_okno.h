// The main window. It owns the one simulator state and is put together from parts: the
// station picture with its zoom, scrolling and palette (PohledStanice), the labels and
// information panels (PanelyOkna), the shift's commands (PrikazySmeny) and the board of
// trains (TabuleVlaku). The window itself keeps the menus and the three timers, passes each
// input into the core, and mirrors the state's window view onto the parts after every call.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/stav.h"
#include "shell/napovedy.h"
#include "shell/panely_okna.h"
#include "shell/pohled_stanice.h"
#include "shell/prikazy_smeny.h"
#include "shell/pruvodce_okna.h"
#include "smena/smena.h"
#include "shell/qt_prostredi.h"
#include "shell/texty.h"

class QAction;
class QMenu;

namespace stanovar::shell {

class SitOkna;
class HraPresSit;
class TFormSoubory;
class TFormNastav;
class TabuleVlaku;

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // The start-up directory holds stanovar.ini; `prostredi` replaces the desktop's outside
  // world in tests (not owned).
  explicit TForm1(const QString& startovniAdresar, Prostredi* prostredi = nullptr);
  ~TForm1() override;

  Stav& stav() { return stav_; }
  QtProstredi& qtProstredi() { return qtProstredi_; }
  PohledStanice* pohled() { return pohled_; }
  PanelyOkna* panely() { return panely_; }
  PrikazySmeny* smena() { return smena_; }
  SitOkna* sit() { return sit_; }
  HraPresSit* hraPresSit() { return presSit_; }
  // The picture as the canvas holds it, and the controls by their designed names.
  const QImage& obraz() const { return pohled_->obraz(); }
  ObrazStanice* Image1() { return pohled_->Image1(); }
  QScrollArea* posuv() { return pohled_; }
  QLabel* LabelAno() { return panely_->LabelAno(); }
  QWidget* PanelVlak() { return panely_->PanelVlak(); }
  QWidget* PanelKolej() { return panely_->PanelKolej(); }
  QWidget* PanelSouhlas() { return panely_->PanelSouhlas(); }

  // Client area of the designed 800 x 600 window, and the picture placed in it below the
  // labels: left 0, top 59, the client width, the client height less 60.
  static constexpr int KlientSirka = 792;
  static constexpr int KlientVyska = 540;
  static constexpr int ObrazTop = 59;
  // Room the window frame takes, for sizing a window that is not shown yet.
  static constexpr QSize RamOkna{16, 40};

  // Where the board of trains stands.
  enum class Tabule { Skryta, Vedle, Pod };
  // The window's outer size with the whole picture at zoom z and the board so.
  QSize velikostOkna(int z, Tabule t) const;
  // The largest zoom whose window fits a screen area of this size, 0 when none does.
  int zvetseniProObrazovku(QSize dostupne, Tabule t) const;
  // Fits the window into the screen's available area (or the one given): the board beside
  // the picture, or below it when the whole station shows larger so, and the zoom lowered
  // (not the user's choice) until the whole picture is in view.
  void vejdiSe(QSize dostupne = {});
  // The dialogs are built when first wanted: most sessions never open them.
  TFormSoubory* formSoubory();
  TFormNastav* formNastav();

  // Virtual-key code of a Qt key, 0 for keys the core does not know.
  static int VirtualniKlic(int qtKlic);

  // Copies the state's window view onto the widgets.
  void zrcadli();

  TabuleVlaku* tabule() { return tabule_; }
  QLabel* stavSkore() { return stavSkore_; }
  QAction* menuTabule() { return menuTabule_; }
  QAction* menuLegenda() { return menuLegenda_; }
  Napovedy* napovedy() { return napovedy_; }
  PruvodceOkna* pruvodce() { return pruvodce_; }
  QAction* menuPrvniVlak() { return menuPrvniVlak_; }
  // The tooltip of the picture at a point of the picture control.
  QString popisBodu(QPoint bod);
  QAction* menuVykaz() { return menuVykaz_; }
  // The board and the status bar at the present time; part of every mirroring.
  void obnovTabuli();
  // A train chosen on the board: shown in the train panel, or its offer in the accept panel.
  void VyberVlak(int cislo);

 public slots:
  void MenuOtevritClick();
  void MenuNastavClick();
  void MenuKonecClick();
  void MenuHelpClick();
  void MenuOprogramuClick();
  void MenuVykazClick();
  void MenuLegendaClick();
  void CasovacUdalostiTimer();
  void BlikacTimer();
  void RychlomerTimer();
  void Button1Click();
  void Button2Click();
  void LabelAnoClick();
  void LabelNeClick();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  // A person's input or a timer's tick passed into the core, and the result mirrored. While
  // a message box raised from inside the core is open its handler has not finished, so
  // nothing enters (the clock keeps time: due events run at the next tick).
  template <class Volani>
  void volejJadro(Volani&& volani);
  // The same for one of the player's inputs, telling in the status bar why it did nothing.
  template <class Volani>
  void volejSVykladem(const PodnetHrace& v, Volani&& volani);
  // Esc with a shift running asks first.
  bool smimeZavrit();

  void vytvorMenu();
  void vytvorTabuli();
  void vytvorTlacitka();
  void prizpusobOkno();
  // The screen area the window fits into: the one vejdiSe was given, else the screen's.
  QSize dostupna() const;
  void zvetseniZmeneno(int procent);
  void paletaZmenena(Paleta p);
  void Image1MouseDown(Qt::MouseButton tlacitko, int x, int y);  // station pixels
  void FormKeyDown(int vk);

  QtProstredi qtProstredi_;
  Stav stav_;
  DalsiTexty dalsiTexty_;
  // Qt's own dialogs and buttons in the window's language.
  QTranslator prekladQt_;

  PohledStanice* pohled_ = nullptr;
  PanelyOkna* panely_ = nullptr;
  PrikazySmeny* smena_ = nullptr;
  SitOkna* sit_ = nullptr;
  HraPresSit* presSit_ = nullptr;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* konecbtn_ = nullptr;

  QMenu* menuSoubor_ = nullptr;
  QMenu* menuNapoveda_ = nullptr;
  QAction *menuOtevrit_, *menuNastav_, *menuKonec_, *menuHelp_, *menuOprogramu_;
  QAction *menuUlozitSmenu_, *menuOtevritSmenu_, *menuPokracovat_, *menuPrevzit_;
  QAction* menuEditor_ = nullptr;
  QMenu* menuZobrazeni_ = nullptr;
  QAction *menuZvetsit_, *menuZmensit_, *menuSkutecna_, *menuBarvoslepa_;
  std::vector<QAction*> menuUrovne_;
  QAction* menuTabule_ = nullptr;
  QAction* menuVykaz_ = nullptr;
  QAction* menuLegenda_ = nullptr;
  Napovedy* napovedy_ = nullptr;
  PruvodceOkna* pruvodce_ = nullptr;
  QAction* menuPrvniVlak_ = nullptr;
  std::string jmenoStanice_;  // the title's station name, and the schema it was read from
  std::string schemaJmena_ = "\x01";

  TabuleVlaku* tabule_ = nullptr;
  QLabel* stavSkore_ = nullptr;
  QString zobrazeneSkore_;
  int oznacenyVlak_ = 0;  // train framed on the picture, 0 none

  QTimer casovacUdalosti_;
  QTimer blikac_;
  QTimer rychlomer_;

  TFormSoubory* soubory_ = nullptr;
  TFormNastav* nastav_ = nullptr;
  bool zavreno_ = false;
  QSize dostupna_;
  bool ukazano_ = false;
  // What was last mirrored, so that a timer tick only touches what changed: the bytes of
  // each menu text by its menu or command, and the window's colours.
  std::unordered_map<const void*, std::string> zobrazeneTexty_;
  Barva zobrazenePozadi_ = ~Barva{0};
  Barva zobrazenePopredi_ = ~Barva{0};
};

}  // namespace stanovar::shell
