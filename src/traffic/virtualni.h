// A simulated day as fast as the core can run it: a virtual wall clock that jumps straight to
// the next event's time, and a random seed taken from that clock and a number given from
// outside, so that a run is reproducible from its files, its seed and its options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/prostredi.h"
#include "model/stav.h"

namespace stanovar {

class VirtualniProstredi : public Prostredi {
 public:
  // Starts at wall-clock time of day `casDne` (day fraction); `seed` varies the train
  // generator's random numbers between runs.
  explicit VirtualniProstredi(double casDne = 0.25, std::uint32_t seed = 0)
      : abs_(casDne), seed_(seed) {}

  double casDne() override;
  std::uint32_t msOdPulnoci() override;
  // Message boxes are counted, not shown: nobody is there to close them.
  void zprava(const std::string& text) override {
    ++pocetZprav;
    posledniZprava = text;
  }
  void otevriDokument(const std::string&) override {}
  int dpi() override { return 96; }

  // Wall-clock days since the start of the first day; never wraps.
  double absolutni() const { return abs_; }
  void nastavAbsolutni(double t) { abs_ = t; }

  int pocetZprav = 0;
  std::string posledniZprava;

  // Its whole state, as plain data, so that a saved run resumes exactly.
  struct Trvale {
    double absolutni = 0;
    std::uint32_t seed = 0;
    int pocetZprav = 0;
    std::string posledniZprava;
  };
  Trvale trvale() const { return {abs_, seed_, pocetZprav, posledniZprava}; }
  void obnov(const Trvale& t) {
    abs_ = t.absolutni;
    seed_ = t.seed;
    pocetZprav = t.pocetZprav;
    posledniZprava = t.posledniZprava;
  }

 private:
  double abs_;
  std::uint32_t seed_;
};

// Moves the virtual wall clock on until the simulated clock has reached `cil` (never back).
void PosunNa(Stav& s, VirtualniProstredi& p, double cil);

// Runs the simulation up to simulated time `konec`: jumps from one event to the next and
// executes everything due there, then calls `poKroku` (for example an automatic dispatcher
// or an invariant check). A calculation fault pauses the clock for the dispatcher to read the
// report; nobody reads it here, so the run resumes. Returns the number of events executed.
long long Simuluj(Stav& s, VirtualniProstredi& p, double konec,
                  const std::function<void()>& poKroku = {});

}  // namespace stanovar
