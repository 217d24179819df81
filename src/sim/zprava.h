// The capacity report of a station: the station run headless for every seed at every train
// frequency with the automatic dispatcher, and again with the simple one for comparison, all
// runs at once on every core (each its own simulator), and the result as one self-contained
// page (DIR/index.html: charts and the station picture as SVG, tables) and the per-run
// figures (DIR/runs.csv).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/beh.h"

namespace stanovar {

struct VolbyZpravy {
  VolbyBehu beh;  // the station and its files, and the hours of each run
  std::uint32_t seedOd = 1, seedDo = 10;
  int cetnostOd = 1, cetnostDo = 8;
  std::string adresar;  // where index.html and runs.csv go; made when missing
  unsigned vlaken = 0;  // 0: one per core
};

// One run of the report.
struct BehZpravy {
  std::uint32_t seed = 0;
  int cetnost = 0;
  bool jednoduchy = false;  // run by the simple dispatcher
  double hodin = 0;
  SouhrnBehu souhrn;
  double p95Pobytu = 0;  // 95th percentile of the stays, seconds (nearest rank)
  // Per signal: seconds trains stood before it with no route ahead, and how many stops.
  std::map<int, double> cekani;
  std::map<int, int> zastaveni;
};

// The figures of one frequency, as the page shows them; each follows from runs.csv alone:
// trains per hour = trains left / hours run; the mean stay is the mean of the runs' means
// weighted by their trains; the 95th percentile is the mean of the runs' percentiles; the
// points are the mean of the runs' scores.
struct Cetnost {
  int cetnost = 0;
  int behu = 0;
  double vlakuZaHodinu = 0, prumernyPobyt = 0, p95Pobytu = 0, body = 0;
  long long nabidnuto = 0, prijato = 0, odmitnuto = 0, cekaNaOdpoved = 0, poruchVypoctu = 0;
};
// Of the runs of one dispatcher.
std::vector<Cetnost> PodleCetnosti(const std::vector<BehZpravy>& behy, bool jednoduchy = false);

// Runs every seed at every frequency and writes the report. `prubeh` hears how many runs are
// done of how many, from the calling thread. Empty when the report was written, else one
// line that says what went wrong (a station that cannot be read, a folder that cannot be
// written). `behy`, when given, receives the runs, ordered by frequency, then seed.
std::string VytvorZpravu(const VolbyZpravy& v, const std::function<void(int, int)>& prubeh = {},
                         std::vector<BehZpravy>* behy = nullptr);

}  // namespace stanovar
