// One headless run of a station: loaded from a folder or a settings file, driven by a virtual
// clock that jumps from event to event, routed by the automatic dispatcher, optionally checked
// after every event, with every executed event written as one CSV line. Nothing here reads the
// real clock except the wall time reported in the summary, so the log depends only on the
// files, the seed and the options.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "jadro.h"
#include "model/platno.h"
#include "model/stav.h"
#include "smena/smena.h"


namespace stanovar {

struct VolbyBehu {
  // A folder holding stanovar.ini, or a settings file of any name; may be empty when the
  // station files are all named below.
  std::string stanice;
  // Station files named directly; each replaces the settings file's entry.
  std::string schema, grafikon, lokomotivy, jazyk;
  double hodin = 24;        // simulated hours
  std::uint32_t seed = 0;   // varies the train generator between runs
  int cetnost = 4;          // train frequency 1..8
  bool kontrola = false;    // check every invariant after every event
  bool dispecer = true;     // without it only trains from arrivals-only lines move
  bool jednoduchy = false;  // the simple dispatcher instead of the automatic one
  bool nahodny = false;     // the dispatcher is the random one, seeded by `seed`
  // Keep a save of the state at the end of the run (see Beh::snimek).
  bool snimek = false;
  // Neighbour names (windows-1250) whose line ends are linked to another station of a network.
  std::vector<std::string> propojene;
  // A person's inputs, in time order, each given after every event logged at or before its
  // time and before any later one. A resumed run skips those its first part gave.
  std::vector<Vstup> vstupy;
};

struct SouhrnBehu {
  long long vjelo = 0, odjelo = 0, veStanici = 0;  // trains
  long long nabidnuto = 0, prijato = 0, odmitnuto = 0, cekaNaOdpoved = 0;  // offers
  long long nastaveno = 0, ulozeno = 0, zruseno = 0;  // routes
  // Time in the station, from the hand-over to the departure, of the trains that left;
  // and the longest stay so far of a train still in the station at the end. Seconds.
  double prumernyPobyt = 0, nejdelsiPobyt = 0, nejdelsiZustavajici = 0;
  // The element whose head-of-train entries were the most (ties: the longer occupied, then
  // the lower identifier), 0 when nothing was entered.
  int nejvytizenejsi = 0;
  std::string nazevNejvytizenejsiho;  // "track" and its number (UTF-8), or "connector"
  long long obsazeniNejvytizenejsiho = 0;
  double obsazenoSekund = 0;
  int poruchVypoctu = 0;      // calculation fault reports
  long long spatnymSmerem = 0;  // trains that left by a line to another neighbour
  long long akci = 0;         // actions of the random dispatcher
  long long udalosti = 0;     // executed events
  double simulovanoSekund = 0;
  double stenaSekund = 0;     // wall time of the run itself, loading excluded
  std::string poruseni;       // the first invariant violated, empty when none
  double casPoruseni = 0;     // seconds into the run
  // Each stay in seconds of the trains that left, in the order they left; and the seconds
  // each element entered at least once was occupied.
  std::vector<double> pobyty;
  std::map<int, double> obsazenoPrvku;
  std::map<int, long long> vjezduPrvku;  // how often a train's head entered each
  // The dispatcher's score at the end of the run.
  VysledekSkore skore;
};

class Beh {
 public:
  explicit Beh(VolbyBehu volby);
  Beh(const Beh&) = delete;
  Beh& operator=(const Beh&) = delete;

  // Loads the station. Empty when it could be read, else one line that names what could not.
  std::string nacti();

  // Loads a shift saved by a run with `snimek`, instead of nacti: the station, the clock, the
  // dispatchers and the totals so far, so that spust goes on for volby().hodin more hours
  // exactly as the run would have gone on. With `dispecerZadan` the dispatcher of the options
  // replaces the saved one. Empty when it could be read, else what was wrong.
  std::string obnov(const std::string& cesta, bool dispecerZadan);
  std::string obnovZTextu(const std::string& text, bool dispecerZadan);

  // Runs the loaded station for the hours asked. Each executed event goes to `zaznam`, when
  // given, as one CSV line after a header; `prubeh` hears the fraction done now and then.
  // False when an invariant was violated (the run stops there).
  bool spust(std::ostream* zaznam, const std::function<void(double)>& prubeh = {});

  // The same run in steps, for a caller that runs several stations on one clock (a network):
  // zacni once (false when the check already fails), then, while the earliest event of every
  // station is at or before konecBehu(): provedDo(the earliest time of all), each station's
  // podivejSe, and at the end skonci. Each step is false when an invariant was violated.
  bool zacni(std::ostream* zaznam);
  // The simulated time of the station's earliest event (infinity when none; NaN is due at once).
  double dalsiUdalost();
  bool provedDo(double cas);
  // Moves the station's clock on to simulated time `cas`, running nothing.
  void posunNa(double cas) { PosunNa(s_, prostredi_, cas); }
  bool podivejSe();
  double konecBehu() const;
  void skonci(bool ok);
  // The invariants now, as --check has them (true when not checked).
  bool zkontrolujNyni() { return zkontroluj(SimCas(s_)); }
  // More to check with --check after every event (a network's links); empty when all holds.
  std::function<std::string()> dalsiKontrola;

  // Network play. A station played from elsewhere is looked at by its player, not by the
  // dispatcher of the options, which still hears every event so that it can take the
  // station over at once when the player goes; the check expects a station kept moving
  // (`zivost`) only of a player that is the automatic dispatcher.
  void hranaJinde(bool jinde, bool zivost);
  // The player's inputs of a look, given in their order as the person gave them. False when
  // an invariant was violated.
  bool pouzijVstupy(const std::vector<Vstup>& vstupy);
  // Replaces the station and its clock by a save's, keeping the dispatchers as they are (a
  // player's dispatcher keeps its memory when the host sends its station again). Empty when
  // it could be read, else what was wrong.
  std::string obnovStanici(const std::string& text);
  // The careless dispatcher's numbers from a seed of its own.
  void zasejNahodny(std::uint32_t seed) { nahodny_.obnov({std::mt19937(seed), nahodny_.akci, nahodny_.trvale().slysene}); }

  // The save of the state at the end of the last run, taken before the clock was moved on to
  // the end of the hours asked (so that a resumed run moves it as this one would have).
  const std::string& snimek() const { return snimek_; }
  // A save of the state now.
  std::string uloz();

  const SouhrnBehu& souhrn() const { return souhrn_; }
  const VolbyBehu& volby() const { return volby_; }
  const Stav& stav() const { return s_; }
  // The running state itself, for a caller that drives or inspects it between loading and
  // running.
  Stav& stav() { return s_; }

 private:
  struct Obsazeni {
    long long pocet = 0;
    double od = -1;      // simulated day time since when it is occupied, -1 when free
    double celkem = 0;   // days
  };

  // Hears the state's notices: every executed event, and the trains that leave.
  void slysi(const Oznameni& o);
  void sledujVlakyANabidky(double ted);
  // Checks the state; `ted` is the time of the event just executed, or the clock.
  bool zkontroluj(double ted);
  // The dispatchers' look, and the trains and offers followed before and after it.
  void podivejSeNyni();
  // Gives the inputs timed before log time `mez` (milliseconds) that are still to come; true
  // when it gave any.
  bool vstupyPred(long long mez, bool& ok);
  // A resumed run: passes over the inputs its first part has given already.
  void preskocDaneVstupy();
  // Whether the automatic dispatcher, looking now, would set train `vlak` a route from the
  // signal ahead of it; tried on copies.
  bool mohlBy(int vlak);
  void dokonci(double konec);
  // The totals so far and the options that shape the run, for the save, and back.
  nlohmann::json doplnek() const;
  void doplnek(const nlohmann::json& j);

  VolbyBehu volby_;
  PrazdnePlatno platno_;
  PametCest pamet_;
  VirtualniProstredi prostredi_;
  Stav s_;
  AutomatickyDispecer dispecer_;
  JednoduchyDispecer jednoduchy_;
  NahodnyDispecer nahodny_;
  KontrolaStavu kontrola_;
  SouhrnBehu souhrn_;
  double start_ = 0;
  std::string radky_;                    // log lines not yet written
  std::ostream* zaznam_ = nullptr;
  std::map<int, double> pritomne_;       // train -> simulated time it entered
  // Offered trains seen at the last look, each with whether it was accepted then; and the
  // list being made at this look.
  std::vector<std::pair<int, bool>> nabidky_, nyni_;
  // The trains' numbers at the last look, in list order, and whether a train has been
  // forgotten since.
  std::vector<int> vlakyMinule_;
  bool vlakyZmeneny_ = false;
  std::map<int, Obsazeni> prvky_;
  double soucetPobytu_ = 0;
  double hodinDrive_ = 0;  // hours run before this run (by the saved part of a shift)
  bool jinde_ = false;     // played from elsewhere: its own dispatcher does not look
  bool obnoveny_ = false;  // resumed: the dispatchers have looked at this instant already
  std::size_t vstup_ = 0;  // the next input to give
  std::string snimek_;
};

}  // namespace stanovar
