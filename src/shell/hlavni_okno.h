// The main window: the station picture, the clock and speed labels, the information panels,
// the menu and the three timers. It owns the one simulator state and mirrors the state's
// window view onto its widgets after every call into the core.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <unordered_map>

#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"

class QAction;
class QMenu;

namespace stanovar::shell {

class TFormSoubory;
class TFormNastav;

// The picture control: shows the retained image and passes mouse-downs to the core.
class ObrazStanice : public QWidget {
  Q_OBJECT
 public:
  explicit ObrazStanice(QWidget* rodic) : QWidget(rodic) {}
  void nastavPlatno(QtPlatno* p) { platno_ = p; }

 signals:
  void stisk(Qt::MouseButton tlacitko, int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QtPlatno* platno_ = nullptr;
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
  QLabel* LabelAno() { return labelAno_; }
  // The dialogs are built when first wanted: most sessions never open them.
  TFormSoubory* formSoubory();
  TFormNastav* formNastav();

  // Virtual-key code of a Qt key, 0 for keys the core does not know.
  static int VirtualniKlic(int qtKlic);

  // Copies the state's window view onto the widgets.
  void zrcadli();

 public slots:
  void MenuOtevritClick();
  void MenuNastavClick();
  void MenuKonecClick();
  void MenuHelpClick();
  void MenuOprogramuClick();
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
  void vytvorOvladace();
  void Image1MouseDown(Qt::MouseButton tlacitko, int x, int y);
  void FormKeyDown(int vk);
  QLabel* stitek(QWidget* rodic, int x, int y, int w, int h, int px = 12, bool tucne = false);

  QtProstredi qtProstredi_;
  Stav stav_;
  std::unique_ptr<QtPlatno> platno_;

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
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* konecbtn_ = nullptr;

  QMenu* menuSoubor_ = nullptr;
  QMenu* menuNapoveda_ = nullptr;
  QAction *menuOtevrit_, *menuNastav_, *menuKonec_, *menuHelp_, *menuOprogramu_;

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
