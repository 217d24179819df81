// A network of linked stations run without a window: every station a run of its own (as
// stanovar-sim runs one), all on one clock in one total order, the links between them carrying
// the trains; a log per station, a summary of each station and of every line, a save of the
// whole network and a resumption of it.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "sim/beh.h"
#include "sit/sit.h"

namespace stanovar {

constexpr const char* FormatUlozeniSite = "stanovar-network-shift";

class BehSite {
 public:
  // The options of every station's run (the station itself comes from the network file); each
  // station's seed is the network's varied by its place in the file.
  explicit BehSite(VolbyBehu volby) : volby_(std::move(volby)) {}

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
