// A day of traffic on the demo station as fast as the core can run it: the virtual clock
// jumps from event to event, the automatic dispatcher accepts and routes every train, the
// drawing goes to a canvas that discards it. Reports simulated seconds per wall second and
// executed events per second; the bare event loop without the dispatcher is the baseline.
#include <benchmark/benchmark.h>

#include "control/dispecer.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/platno.h"
#include "model/stav.h"
#include "traffic/virtualni.h"

namespace {

using namespace stanovar;

void Den(benchmark::State& stav, bool sDispecerem) {
  const double hodin = 24;
  long long udalosti = 0, vlaku = 0;
  for (auto _ : stav) {
    stav.PauseTiming();
    PrazdnePlatno platno;
    VirtualniProstredi prostredi(0.3, 42);
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    Spust(s, STANOVAR_DATA_DIR);
    AutomatickyDispecer dispecer;
    long long odjelo = 0;
    PoslouchejUdalosti(s, [&](double, const RUdalost& u) {
      odjelo += u.druh == 7;
      dispecer.udalost(u);
    });
    stav.ResumeTiming();
    if (sDispecerem)
      udalosti += Simuluj(s, prostredi, s.SimZaklad + hodin / 24, [&] { dispecer(s); });
    else
      udalosti += Simuluj(s, prostredi, s.SimZaklad + hodin / 24);
    vlaku += odjelo;
  }
  const double sekund = hodin * 3600 * static_cast<double>(stav.iterations());
  stav.counters["sim_s_per_wall_s"] = benchmark::Counter(sekund, benchmark::Counter::kIsRate);
  stav.counters["events_per_s"] =
      benchmark::Counter(static_cast<double>(udalosti), benchmark::Counter::kIsRate);
  stav.counters["trains_left_per_day"] =
      benchmark::Counter(static_cast<double>(vlaku), benchmark::Counter::kAvgIterations);
}

void BM_DenNaDemu(benchmark::State& s) { Den(s, true); }
void BM_DenBezDispecera(benchmark::State& s) { Den(s, false); }

}  // namespace

BENCHMARK(BM_DenNaDemu)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DenBezDispecera)->Unit(benchmark::kMillisecond);
