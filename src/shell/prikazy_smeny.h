// The shift's commands of the main window: the shift saved to a file and opened from one, the
// shift that closing the window kept resumed, and a running station taken over. Each tells
// the user what went wrong in a message box, with the timer ticks held meanwhile.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "model/stav.h"
#include "shell/texty.h"
#include "smena/smena.h"

class QWidget;

namespace stanovar::shell {

class PrikazySmeny : public QObject {
  Q_OBJECT
 public:
  // The file dialogs open over `okno`, their parent; `zrcadli` copies the state onto the
  // window after the core has changed it. The state and the texts are not owned.
  PrikazySmeny(Stav& stav, const DalsiTexty& texty, QWidget* okno, std::function<void()> zrcadli);

  // The shift saved to or opened from a file, and a station taken over (its schema; the
  // timetable and locomotives of the same name beside it). Each returns whether it went
  // through.
  bool ulozSmenu(const QString& cesta);
  bool otevriSmenu(const QString& cesta);
  bool prevezmi(const QString& schema);
  // The station of the settings file (its three files as stanovar.ini names them) taken over.
  bool prevezmiOtevrenou();
  // The file the shift was last saved to or opened from; empty for a shift begun here.
  const QString& soubor() const { return soubor_; }
  void zapomenSoubor() { soubor_.clear(); }
  // Where closing the window keeps the shift: the per-user data folder.
  static QString cestaPosledniSmeny();
  // The shift kept there on closing. Nobody is there to read a failure; a window without a
  // station keeps nothing.
  void ulozPosledni();

  // The player's inputs kept beside it: the shift as it stood when they began
  // (posledni.zacatek.smena) and every click and key since (posledni.akce.csv, the format
  // stanovar-sim --actions plays), begun again whenever another shift or station is put in
  // the window. While a network is played nothing is kept: one station's save and inputs do
  // not hold the trains its neighbours send.
  static QString cestaZacatku();
  static QString cestaVstupu();
  void zacniZaznam();
  void zastavZaznam() { zaznamenava_ = false; }
  // An input of the player given to the core, and kept.
  void vstup(const Vstup& v);

 public slots:
  void MenuUlozitSmenuClick();
  void MenuOtevritSmenuClick();
  void MenuPokracovatClick();
  void MenuPrevzitClick();

 public:
  // A message box of text t and a file name.
  void hlaseni(DalsiText t, const std::string& soubor);

 private:
  void hlaseni(const VysledekUlozeni& v, const QString& smena);

  Stav& stav_;
  const DalsiTexty& texty_;
  QWidget* okno_;
  std::function<void()> zrcadli_;
  QString soubor_;
  ZaznamVstupu zaznam_;
  bool zaznamenava_ = false;
};

}  // namespace stanovar::shell
