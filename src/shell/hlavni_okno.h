// The main window: the station picture, the clock and speed labels, the information panels,
// the menu and the three timers. It owns the one simulator state and mirrors the state's
// window view onto its widgets after every call into the core.
//
// The picture is shown at a zoom of the user's choice (kept per user, not in the station's
// settings file, which other programs read) inside a scroll area; every click and key is
// mapped back to the station's own pixels before it enters the core.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/stav.h"
#include "smena/smena.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "shell/rozvrzeni.h"
#include "shell/texty.h"

class QAction;
class QActionGroup;
class QMenu;
class QScrollArea;

namespace stanovar::shell {

class TFormSoubory;
class TFormNastav;
class TabuleVlaku;

// The picture control: shows the retained image, one image pixel to one device pixel, and
// passes mouse-downs on, in image pixels.
class ObrazStanice : public QWidget {
  Q_OBJECT
 public:
  explicit ObrazStanice(QWidget* rodic) : QWidget(rodic) {}
  void nastavPlatno(QtPlatno* p, double pomer) {
    platno_ = p;
    pomer_ = pomer;
  }
  // A frame drawn over the picture around the train chosen on the board (logical pixels;
  // empty for none).
  void oznac(const QRect& r) {
    if (r == oznaceni_) return;
    update(oznaceni_.adjusted(-2, -2, 2, 2));
    oznaceni_ = r;
    update(oznaceni_.adjusted(-2, -2, 2, 2));
  }
  const QRect& oznaceni() const { return oznaceni_; }

 signals:
  void stisk(Qt::MouseButton tlacitko, int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QtPlatno* platno_ = nullptr;
  double pomer_ = 1;  // device pixels per logical pixel
  QRect oznaceni_;
};

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  // The start-up directory holds stanovar.ini; `prostredi` replaces the desktop's outside
  // world in tests (not owned).
  explicit TForm1(const QString& startovniAdresar, Prostredi* prostredi = nullptr);
  ~TForm1() override;

  Stav& stav() { return stav_; }
  QtProstredi& qtProstredi() { return qtProstredi_; }
  const QImage& obraz() const { return platno_->obraz(); }
  ObrazStanice* Image1() { return image1_; }
  QScrollArea* posuv() { return posuv_; }
  QLabel* LabelAno() { return labelAno_; }
  QWidget* PanelVlak() { return panelVlak_; }
  QWidget* PanelKolej() { return panelKolej_; }
  QWidget* PanelSouhlas() { return panelSouhlas_; }
  // Value labels of the two panels, left to right (the train panel's arrow included).
  std::vector<QLabel*> hodnotyVlaku() const;
  std::vector<QLabel*> hodnotyKoleje() const;
  const Rozvrzeni& rozvrzeniVlaku() const { return rozvrzeniVlaku_; }
  const Rozvrzeni& rozvrzeniKoleje() const { return rozvrzeniKoleje_; }

  // Zoom in per cent, one of Zvetseni; the nearest level is taken.
  static constexpr int Zvetseni[] = {100, 150, 200, 300, 400};
  int zvetseni() const { return zvetseni_; }
  void nastavZvetseni(int procent);
  void zvetsi(int kroku);  // steps up (positive) or down the levels
  Paleta paleta() const { return paleta_; }
  void nastavPaletu(Paleta p);
  // The largest zoom whose window fits a screen area of this size.
  int zvetseniProObrazovku(QSize dostupne) const;
  // Station pixel shown at a point of the picture control.
  QPoint naStanici(QPointF bod) const;
  // The dialogs are built when first wanted: most sessions never open them.
  TFormSoubory* formSoubory();
  TFormNastav* formNastav();

  // Virtual-key code of a Qt key, 0 for keys the core does not know.
  static int VirtualniKlic(int qtKlic);

  // Copies the state's window view onto the widgets.
  void zrcadli();

  // The shift saved to or opened from a file, and a station taken over (its schema; the
  // timetable and locomotives of the same name beside it). Each tells the user what went
  // wrong, and returns whether it went through.
  bool ulozSmenu(const QString& cesta);
  bool otevriSmenu(const QString& cesta);
  bool prevezmi(const QString& schema);
  // The station of the settings file (its three files as stanovar.ini names them) taken over.
  bool prevezmiOtevrenou();
  // Where closing the window saves the shift: the per-user data folder.
  static QString cestaPosledniSmeny();
  TabuleVlaku* tabule() { return tabule_; }
  QLabel* stavSkore() { return stavSkore_; }
  QAction* menuTabule() { return menuTabule_; }
  QAction* menuVykaz() { return menuVykaz_; }
  // The board and the status bar at the present time; part of every mirroring.
  void obnovTabuli();
  // A train chosen on the board: shown in the train panel, or its offer in the accept panel.
  void VyberVlak(int cislo);

 public slots:
  void MenuOtevritClick();
  void MenuNastavClick();
  void MenuKonecClick();
  void MenuUlozitSmenuClick();
  void MenuOtevritSmenuClick();
  void MenuPokracovatClick();
  void MenuPrevzitClick();
  void MenuHelpClick();
  void MenuOprogramuClick();
  void MenuVykazClick();
  void CasovacUdalostiTimer();
  void BlikacTimer();
  void RychlomerTimer();
  void Button1Click();
  void Button2Click();
  void LabelAnoClick();
  void LabelNeClick();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void vytvorMenu();
  void vytvorTabuli();
  void vytvorOvladace();
  void rozlozPanely();
  void rozlozPanel(QWidget* panel, QLabel* nadpis, std::vector<QLabel*>& nadpisy,
                   const std::vector<QLabel*>& hodnoty, const std::string& text,
                   const std::vector<PopisSloupce>& popisy, int minSirka, Rozvrzeni& r);
  void hodnota(QLabel* l, const std::string& t);
  void prizpusobOkno();
  // Zoom about a point of the scroll area's viewport; `ulozit` keeps it for the next start.
  void zmenZvetseni(int procent, QPointF kotva, bool ulozit);
  void barvyOdpovedi();
  void Image1MouseDown(Qt::MouseButton tlacitko, int x, int y);
  void FormKeyDown(int vk);
  // A message box of text t and a file name, with the timer ticks held meanwhile.
  void hlaseni(DalsiText t, const std::string& soubor);
  void hlaseni(const VysledekUlozeni& v, const QString& smena);
  QLabel* stitek(QWidget* rodic, int x, int y, int w, int h, int px = 12, bool tucne = false);

  QtProstredi qtProstredi_;
  Stav stav_;
  std::unique_ptr<QtPlatno> platno_;
  DalsiTexty dalsiTexty_;
  int zvetseni_ = 100;
  double pomer_ = 1;
  Paleta paleta_ = Paleta::Klasicka;
  int kolecko_ = 0;  // wheel turn not yet used for a zoom step

  QScrollArea* posuv_ = nullptr;
  ObrazStanice* image1_ = nullptr;
  QLabel* hodiny_ = nullptr;
  QLabel* rychlostSimLabel_ = nullptr;
  QLabel* cetnostVlakuLabel_ = nullptr;

  QWidget* panelVlak_ = nullptr;
  QLabel* label2_ = nullptr;
  QLabel *labelVlak_, *labelCil_, *imageSmer_, *labelMaxRychl_, *labelDelka_, *labelHmotnost_,
      *labelLoko_, *labelOdjezd_, *labelRychl_, *labelVzdal_;
  QWidget* panelKolej_ = nullptr;
  QLabel* label3_ = nullptr;
  QLabel *labelKolej_, *labelDelkaKol_, *labelRychlKol_, *labelSklon_, *labelStanice_,
      *labelSoused_;
  QWidget* panelSouhlas_ = nullptr;
  QLabel *labelSouhlas_, *labelAno_, *labelNe_;
  std::vector<QLabel*> nadpisyVlaku_, nadpisyKoleje_;  // headings split into columns
  Rozvrzeni rozvrzeniVlaku_, rozvrzeniKoleje_;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* konecbtn_ = nullptr;

  QMenu* menuSoubor_ = nullptr;
  QMenu* menuNapoveda_ = nullptr;
  QAction *menuOtevrit_, *menuNastav_, *menuKonec_, *menuHelp_, *menuOprogramu_;
  QAction *menuUlozitSmenu_, *menuOtevritSmenu_, *menuPokracovat_, *menuPrevzit_;
  QMenu* menuZobrazeni_ = nullptr;
  QAction *menuZvetsit_, *menuZmensit_, *menuSkutecna_, *menuBarvoslepa_;
  std::vector<QAction*> menuUrovne_;
  QAction* menuTabule_ = nullptr;
  QAction* menuVykaz_ = nullptr;

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
  // What was last mirrored, so that a timer tick only touches what changed: the bytes of
  // each text by its control, the picture's revision and the colours.
  std::unordered_map<const void*, std::string> zobrazeneTexty_;
  std::uint64_t zobrazenaRevize_ = ~std::uint64_t{0};
  Barva zobrazenePozadi_ = ~Barva{0};
  Barva zobrazenePopredi_ = ~Barva{0};
};

}  // namespace stanovar::shell
