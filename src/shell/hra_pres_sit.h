// A network of stations played together over the network, in the window.
//
// Join: the window connects to a host (stanovar-sim --serve, or another window's File, Host
// network…), takes a free station and plays it as it would play its own. The host alone runs
// the network and its clock. The window keeps an exact copy of its station: the host sends it
// whole at joining (with the station's files, so the player needs none of its own), then for
// every step of the host only its time, and the copy runs its own events up to it, drawing
// them as it goes. A person's click or key acts on the copy at once, so its effect is on the
// picture without waiting for the network, and goes to the host marked with the step the copy
// stood at: the host gives it at that very instant when it comes before the host moved the
// station on (and says so), otherwise when it comes, and then sends the whole station again,
// which the window takes over. Speed keys ask the host; only the hosting window's are heeded.
//
// Host: File, Host network… starts the headless host on a network file as a process of its
// own, with a key that lets this window set the clock, and joins it at the station chosen.
// Closing the window ends the host, which tells every player.
//
// When the host ends the run or the connection is lost, the station stays in the window as it
// stands and goes on there alone, paused.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QUrl>
#include <QWebSocket>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "jadro.h"
#include "model/prostredi.h"
#include "model/stav.h"
#include "shell/texty.h"
#include "smena/smena.h"

class QAction;
class QMenu;
class QWidget;

namespace stanovar::shell {

// The window's outside world while it plays a host's station: the host's clock, the station's
// files as the host sent them, everything else as the desktop gives it.
class ProstrediHrace : public Prostredi {
 public:
  VirtualniProstredi hodiny;
  Prostredi* plocha = nullptr;
  std::map<std::string, std::string> soubory;
  // On the host's clock while joined; on the desktop's once the station goes on alone.
  bool naHodinachHostitele = true;

  double casDne() override;
  std::uint32_t msOdPulnoci() override;
  void zprava(const std::string& text) override { plocha->zprava(text); }
  void otevriDokument(const std::string& cesta) override { plocha->otevriDokument(cesta); }
  int dpi() override { return plocha->dpi(); }
  void zpravaOSouboru(const std::string& pred, const std::string& jmeno, const std::string& po) override {
    plocha->zpravaOSouboru(pred, jmeno, po);
  }
  std::FILE* otevriProCteni(const std::string& cesta) override;
};

class HraPresSit : public QObject {
  Q_OBJECT
 public:
  // The menu commands go into `soubor` before `pred`; `zrcadli` copies the state onto the
  // window, `rekni` puts a line in the status bar.
  HraPresSit(Stav& stav, const DalsiTexty& texty, QWidget* okno, QMenu* soubor, QAction* pred,
             std::function<void()> zrcadli, std::function<void(const QString&)> rekni);
  ~HraPresSit() override;

  void noveTexty();
  // Joined to a host (or joining).
  bool aktivni() const { return faze_ != Faze::Zadna; }
  bool hostuje() const { return host_ != nullptr; }

  // Joins the host at "HOST:PORT" as the player of `stanice` (asks which free one when empty).
  // What goes wrong is told in a message box.
  void pripoj(const QString& adresa, const QString& stanice, const QString& token);
  // Starts a host on the network file, serving on "[ADDRESS:]PORT", and joins it at `stanice`.
  bool hostuj(const QString& sit, const QString& stanice, const QString& sluzba, const QString& token);

  // After every call into the core: the person's inputs it made go to the host.
  void poVolani();
  // The window's tick while joined: the clock shows the host's time; nothing runs by itself.
  void poTiku();
  // A speed key (up, down, F3) while joined: asked of the host, or refused. Whether taken.
  bool klavesa(int vk);
  // Before another station is put into the window: asks, and leaves. Whether to go on.
  bool smiOpustit();
  // Leaves at once (the window closes): the host's automatic dispatcher takes the station, a
  // host started here ends.
  void opust();
  // Told when the window begins playing over the network (true) and when it stops (false).
  std::function<void(bool)> zmena;
  // Asked before joining: whether the window may leave what it plays otherwise.
  std::function<bool()> smiJinam;

 public slots:
  void MenuHostitClick();
  void MenuPripojitClick();

 private:
  enum class Faze { Zadna, Pripojovani, Hraje };
  // One message of the host; whether the window is to be mirrored.
  bool zprava(const std::string& text);
  void zpracujFrontu();
  void odpojeno();
  bool prevezmi(const std::string& ulozeni);
  void oznacPropojene();
  // The station goes on here alone, paused; then the message `t` (with `co`) when `rict`.
  void samostatne(bool rict, DalsiText t, const QString& co);
  QString stavovyText() const;
  void hlaseni(DalsiText t, const QString& co);
  double casHostitele() const;
  QString ptejSe(DalsiText otazka, const QString& vychozi, bool* ok);

  Stav& stav_;
  const DalsiTexty& texty_;
  QWidget* okno_;
  std::function<void()> zrcadli_;
  std::function<void(const QString&)> rekni_;
  QAction* menuHostit_ = nullptr;
  QAction* menuPripojit_ = nullptr;

  Faze faze_ = Faze::Zadna;
  QWebSocket ws_;
  QUrl url_;
  QString posledniAdresa_ = QStringLiteral("127.0.0.1:7300");
  std::deque<std::string> fronta_;  // messages not yet taken
  bool zpracovava_ = false;
  int posledniRychlost_ = 1;
  std::unique_ptr<QProcess> host_;
  ProstrediHrace prostredi_;
  Prostredi* plocha_ = nullptr;
  int posluchac_ = -1;
  std::string stanice_, token_, klic_;
  bool zvolitVolnou_ = false;
  std::vector<int> propojene_;
  std::vector<Vstup> vstupy_;
  long long krok_ = 0;
  // The host's clock as last told, and when.
  double hostCas_ = 0, hostRychlost_ = 1;
  QElapsedTimer odHodin_;
  QString hraji_;
};

}  // namespace stanovar::shell
