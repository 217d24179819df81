// A network of linked stations run without a window: every station a run of its own (as
// stanovar-sim runs one), all on one clock in one total order, the links between them carrying
// the trains; a log per station, a summary of each station and of every line, a save of the
// whole network and a resumption of it.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/beh.h"
#include "sit/sit.h"

namespace stanovar {

constexpr const char* FormatUlozeniSite = "stanovar-network-shift";

// Who else takes part in a run of the network: a host's players, who look at their stations
// instead of the stations' own dispatchers, and its observers. The run calls it at every step
// of the one clock, so a remote station's player sees and acts on the station exactly where
// its own dispatcher would have.
class UcastniciSite {
 public:
  virtual ~UcastniciSite() = default;
  // Before every step at simulated time `cas` (first at the start, before the first look):
  // players come and go here, never inside a step, and a player's inputs that came since its
  // station last looked are given; `zmenene` (one per station) is set for the stations they
  // changed, whose next events are then looked for again. False ends the run there.
  virtual bool predKrokem(double cas, std::vector<char>& zmenene) = 0;
  // After the step's events ran at the stations with `udalosti` set, the lines moved the
  // clocks of those with `posun` set on to `cas` and handed a train or an offer to those with
  // `predano` set: those with `pohled` set look now. The remote ones are told (waiting for
  // their answers, in lockstep); `jinde` then says which stations are played from elsewhere,
  // and `vstupy` gives each one's inputs to be given now, in the order of the network's
  // stations.
  virtual void krok(double cas, const std::vector<char>& udalosti, const std::vector<char>& posun,
                    const std::vector<char>& predano, const std::vector<char>& pohled) = 0;
  virtual bool jinde(std::size_t stanice) const = 0;
  virtual std::vector<Vstup> vstupy(std::size_t stanice) = 0;
};

// Sets the options' dispatcher by its command-line name (auto, simple, random, none); false
// for another name.
bool NastavDispecera(VolbyBehu& v, const std::string& jmeno);

class BehSite {
 public:
  // The options of every station's run (the station itself comes from the network file); each
  // station's seed is the network's varied by its place in the file.
  explicit BehSite(VolbyBehu volby) : volby_(std::move(volby)) {}

  // A station's own dispatcher instead of the options' (by the station's name in the file):
  // auto, simple, random or none. Before nacti.
  std::map<std::string, std::string> dispeceri;
  // Everyone else in the run (a host's players and observers), for spust; none by default.
  UcastniciSite* ucastnici = nullptr;

  // Loads the network file and its stations. Empty when it could be read, else what could
  // not, naming the station or the line.
  std::string nacti(const std::string& soubor);
  // Loads a network saved with --save; `dispecerZadan` as for one station.
  std::string obnov(const std::string& text, bool dispecerZadan);
  static bool JeUlozeniSite(const std::string& text);

  // Runs every station for the hours asked; logs one per station into `slozkaZaznamu` when
  // given (STATION.csv). False when an invariant was violated.
  bool spust(const std::string& slozkaZaznamu, std::string& chyba);
  // The save of the whole network at the end of the last run (kept when the options ask for
  // it, VolbyBehu::snimek).
  const std::string& snimek() const { return snimek_; }

  std::string souhrnJson() const;
  std::string souhrnText() const;
  // The first violation: the station and what it was, empty when none.
  std::string poruseni() const;
  const std::vector<std::unique_ptr<Beh>>& behy() const { return behy_; }
  const Sit& sit() const { return sit_; }
  const PopisSite& popis() const { return popis_; }

 private:
  std::string propoj();
  std::string uloz() const;

  VolbyBehu volby_;
  PopisSite popis_;
  std::vector<std::unique_ptr<Beh>> behy_;
  Sit sit_;
  std::string snimek_;
};

}  // namespace stanovar
