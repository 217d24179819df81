// The main window's labels and information panels: the clock, the simulation speed and the
// train frequency at the top left, and the train panel, the track panel and the offer's
// accept panel, each shown where the core puts it. The two value panels lay their columns out
// from their headings in the font they are drawn in; a value that cannot fit is shortened and
// shown whole in its tooltip.
#pragma once

#include <QLabel>
#include <QObject>
#include <QWidget>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/rozvrzeni.h"

namespace stanovar::shell {

class PanelyOkna : public QObject {
  Q_OBJECT
 public:
  // The labels are made on the window's client area, the answer labels in the palette's
  // colours. The state gives the screen's resolution (not owned).
  PanelyOkna(QWidget* klient, const Stav& stav, Paleta paleta);

  QLabel* LabelAno() { return labelAno_; }
  QWidget* PanelVlak() { return panelVlak_; }
  QWidget* PanelKolej() { return panelKolej_; }
  QWidget* PanelSouhlas() { return panelSouhlas_; }
  // Value labels of the two panels, left to right (the train panel's arrow included).
  std::vector<QLabel*> hodnotyVlaku() const;
  std::vector<QLabel*> hodnotyKoleje() const;
  const Rozvrzeni& rozvrzeniVlaku() const { return rozvrzeniVlaku_; }
  const Rozvrzeni& rozvrzeniKoleje() const { return rozvrzeniKoleje_; }
  // Width of a client area that shows every panel whole.
  int potrebnaSirka() const;

  // Copies the state's window view onto the labels and panels. A text is converted and set
  // only when its bytes differ from those its control last showed, so a tick that changes
  // nothing on screen costs one comparison per text.
  void zrcadli(const OknoView& o);
  // The answer labels keep colours of their own, in the palette's version.
  void barvyOdpovedi(Paleta p);

 signals:
  // The answer labels take clicks.
  void ano();
  void ne();
  // The columns were laid out anew: the panels may have another width.
  void rozlozeny();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void rozlozPanely(const OknoView& o);
  void rozlozPanel(QWidget* panel, QLabel* nadpis, std::vector<QLabel*>& nadpisy,
                   const std::vector<QLabel*>& hodnoty, const std::string& text,
                   const std::vector<PopisSloupce>& popisy, int minSirka, Rozvrzeni& r);
  void vypisHodnotu(QLabel* l, const std::string& t);

  const Stav& stav_;
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

  // What was last mirrored: the bytes of each text by its control, and the colours.
  std::unordered_map<const void*, std::string> zobrazeneTexty_;
  Barva zobrazenePozadi_ = ~Barva{0};
  Barva zobrazenePopredi_ = ~Barva{0};
};

}  // namespace stanovar::shell
