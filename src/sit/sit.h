// What a front end may ask of a network of linked stations, the layer above the single
// station: the network file, and the links that carry the trains leaving one station by a
// linked line end along the line to the next, where that station's rules take them in (sent
// at once onto an arrivals-only line, offered on a line used both ways). The stations
// themselves are run by whoever owns them (the headless runner, the window), all on one
// clock: each runs its events due by a time, then the network takes what reached the ends of
// its lines, in one total order that makes a run reproducible from its files and its seed.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/stav.h"

namespace stanovar {

// ---- the network file ----

struct StaniceSite {
  std::string jmeno;  // as the file gives it (UTF-8)
  std::string cesta;  // a station folder or settings file, absolute
};

struct KonecSpojeni {
  std::string stanice;  // a station's name in the file
  std::string trat;     // the neighbour name its line ends carry (windows-1250, upper case)
};

struct SpojeniSite {
  KonecSpojeni a, b;
  double dobaJizdy = 300;  // seconds a train runs along the line
  int delka = 0;           // metres, for whoever shows the line
};

struct PopisSite {
  std::string soubor;  // the network file, absolute
  std::vector<StaniceSite> stanice;
  std::vector<SpojeniSite> spojeni;
};

constexpr const char* FormatSite = "stanovar-network";
constexpr int VerzeSite = 1;

// Reads a network file (UTF-8 JSON). False, with a message naming what is wrong, for a file
// that cannot be read, is not a network, or names a station twice or a link of a station it
// does not list.
bool CtiSit(const std::string& soubor, PopisSite& sit, std::string& chyba);

// ---- the links ----

// One direction of one linked line: the trains sent along it, as the summary reports them.
struct SouhrnSmeru {
  std::string z, k;  // "STATION/LINE" of the sending and of the receiving end (UTF-8)
  long long odeslano = 0, prijato = 0;
  long long odkloneno = 0;  // refused again and again, sent on elsewhere by the neighbour
  long long naTrati = 0;
};

class Sit {
 public:
  // Links the stations (their states in the order of the file, each with its station open):
  // every line end a link names, in the order the schemas list them, is linked to its
  // counterpart and generates no train of its own any more. False, with a message naming it,
  // for an unknown line, a line end linked twice, names with different numbers of line ends,
  // or a direction a line end sends trains in that the other end cannot take in.
  bool propoj(const PopisSite& popis, const std::vector<Stav*>& stanice, std::uint32_t seed,
              std::string& chyba);
  // The stations, all still alive, are heard no more: before they are linked again in another
  // order (the window's played station changing hands), or when they go on alone.
  void odpoj();

  // The earliest simulated time a train still on its way reaches the end of a line, or a
  // refused one is offered again; infinity when none.
  double dalsiCas() const;
  // After every station ran its events due by `ted`: the trains at the ends of their lines
  // are taken in by the receiving stations' rules, in the order they came; one refused three
  // times, or waiting half an hour behind others, is sent on elsewhere by the neighbour.
  // Returns, per station, whether it was handed a train or offered one. `priprav` is called
  // for a station before the network acts on it (its owner moves its clock on to `ted`).
  // A train already due that its station could not take in is tried again at every call;
  // given `zmenene` (per station: whether anything happened there since the last call), only
  // when its station has changed, since until then it would be turned away the same way.
  const std::vector<char>& zpracuj(double ted, const std::function<void(std::size_t)>& priprav = {},
                                   const std::vector<char>* zmenene = nullptr);

  // What is wrong with the links, empty when nothing: a train lost or counted twice, a
  // receiving end in a state no train on the line explains.
  std::string over() const;
  std::vector<SouhrnSmeru> souhrn() const;

  // The links' own state for a save of the whole network, and back onto stations loaded
  // from the save of each (propoj first, with the same file).
  nlohmann::json uloz() const;
  bool obnov(const nlohmann::json& j, std::string& chyba);

  // The trains on their way to a station's linked line ends, the earliest first, for the
  // window to show: number, the line end's identifier, the station sending it (its place in
  // the file), the simulated time it arrives, and whether it is offered there now.
  struct Prijizdejici {
    int cislo = 0;
    int soused = 0;
    std::size_t odkud = 0;
    double prijezd = 0;
    bool nabidnut = false;
  };
  std::vector<Prijizdejici> prijizdejici(std::size_t stanice) const;

 private:
  struct VlakNaTrati {
    RSpoj spoj;           // the train as it left: number, composition, locomotive
    double prijezd = 0;   // simulated time it reaches the far end
    int stav = 0;         // 0 on its way or waiting, 1 offered, 2 refused
    double znovu = 0;     // a refused train is offered again from this time
    int odmitnuti = 0;    // times refused
    bool odlozen = false;  // due, tried and turned away; its station has not changed since
  };
  struct Smer {
    std::size_t z = 0, k = 0;  // sending and receiving station
    int zKonec = 0, kKonec = 0;  // their line ends' identifiers
    int zKolej = 0, kKolej = 0;  // their line tracks
    double doba = 0;             // days along the line
    std::string jmenoZ, jmenoK;
    std::deque<VlakNaTrati> vlaky;
    long long odeslano = 0, prijato = 0, odkloneno = 0;
  };

  void odjel(std::size_t stanice, Stav& s, const Oznameni& o);
  void predan(std::size_t stanice, Stav& s, const Oznameni& o);
  void odmitnut(std::size_t stanice, const Oznameni& o);
  void stazen(std::size_t stanice, const Oznameni& o);
  bool prevezmi(Smer& m, double ted);
  int Spoj(Stav& s, const RSpoj& e);
  Smer* smerKonce(std::size_t stanice, int soused, bool zasilajici);

  std::vector<Stav*> stanice_;
  std::vector<int> posluchaci_;  // the listener's number in each station
  std::vector<std::string> jmena_;
  std::vector<Smer> smery_;
  // The timetable entry each train in a station was handed over with, by station and number.
  std::vector<std::map<int, RSpoj>> spoje_;
  std::mt19937 nahoda_;
  double posledni_ = -std::numeric_limits<double>::infinity();  // the last zpracuj's time
  std::vector<char> dotcene_;  // zpracuj's answer, kept to spare an allocation a step

  // dalsiCas and the earliest instant zpracuj has anything to do, kept until a line changes.
  void spocitejTerminy() const;
  mutable bool platne_ = false;
  mutable double dalsi_ = 0, nejdrive_ = 0;
  mutable double nejdriveVolne_ = 0;     // the same without trains turned away
  mutable std::vector<char> blokovane_;  // per station: a train turned away waits for it
  std::vector<char> pripraveno_;         // per station: priprav called in this call
};

// ---- Network play in a window ----

// One station of a network played by a person on the window's own state and clock, while
// the others run as the headless runner runs them: each on a virtual clock kept at the
// played station's simulated time, routed by an automatic dispatcher of its own, with the
// lines carrying the trains between them. The player may take over another station at any
// time: the two states change hands by a save and an open (as a take-over does), so every
// train, offer and route carries over, and the station left goes on under the automatic
// dispatcher.
class HraSite {
 public:
  HraSite();
  // Stops listening to the window's state, which outlives it.
  ~HraSite();
  HraSite(const HraSite&) = delete;
  HraSite& operator=(const HraSite&) = delete;

  // Loads the network file and every station of it, and plays station `hrana` (its place in
  // the file) on `okno`, the window's state: its clock, speed, language and colours stay,
  // its station is replaced. The other stations start at okno's simulated time. Empty when
  // done, else what could not be read (naming the station), and `okno` is as it was.
  std::string otevri(const std::string& soubor, std::size_t hrana, Stav& okno);
  // Plays station `nova` instead: the window's state takes it over at the speed the player
  // had, and the station played so far goes on under the automatic dispatcher (a route the
  // player was choosing is abandoned). Empty when done, else why not; nothing changed then.
  std::string prepni(std::size_t nova);
  // After every tick of the played station: every other station runs its events up to the
  // played station's simulated time, in one order with the lines, and the lines hand over
  // what reached their ends, into the played station too.
  void dohon();
  // The window leaves the network (it opens another station or shift): nobody listens to its
  // state any more, and its line ends generate trains again as a station's alone do.
  void ukonci();

  bool aktivni() const { return okno_ != nullptr; }
  std::size_t hrana() const { return hrana_; }
  const PopisSite& popis() const { return popis_; }
  const Sit& sit() const { return sit_; }
  // A station not played, for a look at it; none for the played one.
  Stav* stanice(std::size_t i);

 private:
  struct Pozadi;
  static std::unique_ptr<Pozadi> nactiStanici(const PopisSite& popis, std::size_t i,
                                              Stav& okno, std::string& chyba);
  static std::unique_ptr<Pozadi> novePozadi(const Stav& okno);
  std::string propoj();

  PopisSite popis_;
  // By place in the file; empty at the played station's place.
  std::vector<std::unique_ptr<Pozadi>> pozadi_;
  Stav* okno_ = nullptr;
  std::size_t hrana_ = 0;
  Sit sit_;
  std::uint32_t seed_ = 0;
};

}  // namespace stanovar
