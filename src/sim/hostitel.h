// The host of a network played over the wire, and the headless player that joins it.
//
// The host is authoritative: it alone runs the network (BehSite's run, one clock, one total
// order) and answers for every station. A player takes one station: the host's dispatcher no
// longer looks at it; instead, at every step where the station would look, the host tells the
// player, the player decides, and the inputs it made (the same mouse-downs, keys and answers a
// person makes) are given to the host's station in their order. Stations nobody plays are
// dispatched by the host as in a run in one process.
//
// What a headless player decides on is an exact copy of its station: the host sends it the
// station's whole state when it joins and again whenever the lines acted on the station (a
// train handed over or offered by the neighbour), and otherwise only the step's time; the
// player runs the station's own events up to that time itself, as deterministic as the host's,
// and its dispatcher looks at the copy. In lockstep the host waits for every player's answer
// before it goes on, so the inputs are given at the very instant the dispatcher made them and
// the run equals the same network run in one process with the same dispatchers. In real time
// the host never waits: inputs that come after their station moved on are given when they
// come, as a person's late click is, and the player is sent its station again.
//
// A player that goes (closed, lost, too slow to read) hands its station back to the host's
// automatic dispatcher at once; it may join again and take the station as it stands then.
// When the run ends, or the host is told to stop, every client is told before it closes.
#pragma once

#include <csignal>
#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "sim/sit_beh.h"

namespace stanovar {

namespace spojeni {
class Server;
struct ZpravaKlienta;
}

struct VolbyHostitele {
  std::string adresa = "127.0.0.1";
  std::uint16_t port = 0;
  std::string token;      // required to join when not empty
  bool lockstep = false;  // the clock waits for every player's answer
  double rychlost = 1;    // simulated seconds per wall second, 0 to 6, without lockstep
  int hracu = 0;          // players to wait for before the clock starts
  // Whoever gives this key may set the clock's speed (the window that started the host);
  // empty: nobody may.
  std::string klic;
  // Set (by a signal) when the host is to stop; the run ends at its next step.
  const volatile std::sig_atomic_t* zastavit = nullptr;
};

class Hostitel : public UcastniciSite {
 public:
  Hostitel(BehSite& sit, VolbyHostitele volby, std::ostream& hlaseni);
  ~Hostitel() override;

  // Listens. Empty when it does (the port it listens on is then port()), else why not.
  std::string poslouchej();
  std::uint16_t port() const;
  // Tells every client the run ended and why ("hours", "closed", "violation"), and closes.
  void konec(const std::string& duvod);

  void krok(double cas, const std::vector<char>& udalosti, const std::vector<char>& posun,
            const std::vector<char>& predano, const std::vector<char>& pohled) override;
  bool jinde(std::size_t stanice) const override { return hraci_[stanice] != 0; }
  bool predKrokem(double cas, std::vector<char>& zmenene) override;
  std::vector<Vstup> vstupy(std::size_t stanice) override;

 private:
  struct Klient {
    bool pripojen = false, pozorovatel = false;
    std::size_t stanice = 0;
    long long ceka = -1;       // the step whose answer is awaited
    long long posledni = -1;   // the last step sent
    long long odpovezeno = -1;  // the last step answered
    std::vector<Vstup> vstupy;  // answered and not yet given
    bool pozde = false;         // given after the station moved on: sent the station again
  };

  void obsluz(int ms);
  void zprava(int spojeni, const std::string& text);
  void pripoj(int spojeni, const spojeni::ZpravaKlienta& z);
  void odeslatDeni(double cas);
  void odpoj(int spojeni, const std::string& proc);
  // In real time: the inputs that came, given at once, each player told how (given at the
  // instant it made them, or its station sent again). Whether any were given.
  bool dejVstupy(std::vector<char>& zmenene);
  // The simulated time the wall clock has reached at the host's speed.
  double simTed() const;
  void zmenRychlost(double rychlost);
  // Tells every client the clock and who plays.
  void posliHodiny();

  BehSite& sit_;
  VolbyHostitele volby_;
  std::ostream& hlaseni_;
  std::unique_ptr<spojeni::Server> server_;
  std::map<int, Klient> klienti_;
  std::vector<int> hraci_;              // per station: its player's connection, 0 none
  std::vector<std::pair<int, std::string>> cekajici_;  // joins, handled between steps
  std::vector<char> znovu_;             // per station: its player is sent the station again
  long long krok_ = 0;
  double posledniCas_ = 0;              // simulated time of the last step
  bool zastavit_ = false;
  bool zacalo_ = false;
  double zacatekSim_ = 0;               // simulated time when the clock started
  double zacatekStena_ = 0;             // and the wall time then (seconds)
  // The clock's pace: the simulated time at a wall time, moved whenever the speed changes.
  double zakladSim_ = 0, zakladStena_ = 0;
  double hodinyOdeslany_ = 0;           // wall time the clock was last told
  bool vKroku_ = false;
  // What observers are told after each step, per station.
  struct Deni {
    struct Udalost {
      double cas;
      int druh, vlak, prvek;
      double h1, h2;
    };
    std::vector<Udalost> udalosti;
    std::vector<std::pair<int, const char*>> cesty;
  };
  std::vector<Deni> deni_;
  int pozorovatelu_ = 0;
};

struct VolbyHrace {
  std::string host = "127.0.0.1";
  std::uint16_t port = 0;
  std::string stanice, token;
  std::string dispecer = "auto";  // auto or random
  bool seedZadan = false;
  std::uint32_t seed = 0;
  // For tests: drop the connection after this many steps (0 never), and join again, this
  // many times.
  long long odpojitPo = 0;
  int odpojeni = 0;
};

// Plays a station of a host's network until the host ends the run. Returns the exit code: 0
// when the host ended the run, 2 when it could not join (refused, unreachable), 3 when the
// connection was lost.
int Hraj(const VolbyHrace& volby, std::ostream& hlaseni);

}  // namespace stanovar
