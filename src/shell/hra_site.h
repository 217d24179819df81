// A network of stations played in the main window: File, Open network… reads a network file,
// asks which station to play, and plays it on the window's own state while automatic
// dispatchers run the others on the same simulated time. The Network menu's stations change
// the one played (the one left goes on under the automatic dispatcher). The trains coming
// along the linked lines are listed beside the offer panel and on the board of trains.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "model/stav.h"
#include "shell/texty.h"
#include "smena/smena.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

namespace stanovar {
class HraSite;
}

namespace stanovar::shell {

class SitOkna : public QObject {
  Q_OBJECT
 public:
  // The menu command goes into `soubor` before `pred`, the Network menu onto `lista`; the
  // label of coming trains onto `klient`. `zrcadli` copies the state onto the window.
  SitOkna(Stav& stav, const DalsiTexty& texty, QWidget* okno, QWidget* klient, QMenu* soubor,
          QAction* pred, QMenuBar* lista, std::function<void()> zrcadli);
  ~SitOkna() override;

  // The menu texts in the window's language.
  void noveTexty();
  bool aktivni() const;
  // Plays station `stanice` (its place in the file) of the network file; tells what went
  // wrong in a message box. Whether it went through.
  bool otevri(const QString& soubor, int stanice);
  // Plays another station of the open network instead.
  bool prepni(int stanice);
  int hrana() const;
  // The other stations catch up with the window's simulated time; after every tick.
  void poTiku();
  // Before the window's station is replaced by another (opening a station or a shift): with
  // a network open the player is asked, and on yes the network is left. Whether to go on.
  bool smiOpustit();
  void opust();
  // The trains on their way to the played station, as rows of the board.
  void doplnTabuli(std::vector<RadekTabule>& radky) const;
  // What the label of coming trains shows; empty when none come.
  QString textNaTrati() const;
  QLabel* naTrati() { return naTrati_; }
  QMenu* menuSite() { return menuSite_; }
  // Told when the window begins playing a network (true) and when it leaves one (false).
  std::function<void(bool)> zmena;
  // Asked before a network is opened: whether the window may leave what it plays otherwise.
  std::function<bool()> smiJinam;

 public slots:
  void MenuOtevritSitClick();

 private:
  void hlaseni(DalsiText t, const QString& co);
  void obnovMenu();
  void obnovStitek();
  // The network's station name at place i, UTF-8.
  QString jmeno(std::size_t i) const;
  // The seconds until a simulated day fraction, from the window's present.
  double zaSekund(double cas) const;

  Stav& stav_;
  const DalsiTexty& texty_;
  QWidget* okno_;
  std::function<void()> zrcadli_;
  std::unique_ptr<HraSite> hra_;
  QAction* menuOtevrit_ = nullptr;
  QMenu* menuSite_ = nullptr;
  QLabel* naTrati_ = nullptr;
  QString zobrazeno_;
};

}  // namespace stanovar::shell
