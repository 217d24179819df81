// A day of the demo station through the headless runner, as stanovar-sim runs it: loading
// excluded, with and without the event log and the invariant check. The figure that matters is
// sim_s_per_cpu_s, simulated seconds per second of the process's CPU time, which on an idle
// machine is its wall time (the Time column is wall time, and counts other loads too).
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>

#include "sim/beh.h"

namespace {

using namespace stanovar;

// Takes the log and drops it, so that formatting is measured and the disk is not.
class Zahozeni : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
  int overflow(int c) override { return c; }
};

void Den(benchmark::State& stav, bool zaznam, bool kontrola, bool jednoduchy = false) {
  long long udalosti = 0;
  for (auto _ : stav) {
    stav.PauseTiming();
    VolbyBehu v;
    v.stanice = STANOVAR_DATA_DIR;
    v.seed = 42;
    v.kontrola = kontrola;
    v.jednoduchy = jednoduchy;
    Beh beh(v);
    if (!beh.nacti().empty()) stav.SkipWithError("demo station not found");
    Zahozeni nic;
    std::ostream log(&nic);
    stav.ResumeTiming();
    beh.spust(zaznam ? &log : nullptr);
    udalosti += beh.souhrn().udalosti;
  }
  stav.counters["sim_s_per_cpu_s"] =
      benchmark::Counter(24 * 3600.0 * static_cast<double>(stav.iterations()),
                         benchmark::Counter::kIsRate);
  stav.counters["events_per_day"] = benchmark::Counter(static_cast<double>(udalosti),
                                                       benchmark::Counter::kAvgIterations);
}

void BM_SimDen(benchmark::State& s) { Den(s, false, false); }
void BM_SimDenSeZaznamem(benchmark::State& s) { Den(s, true, false); }
void BM_SimDenSKontrolou(benchmark::State& s) { Den(s, true, true); }
// The same day under the simple dispatcher, for comparison in one run.
void BM_SimDenJednoduchy(benchmark::State& s) { Den(s, false, false, true); }

}  // namespace

BENCHMARK(BM_SimDen)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_SimDenSeZaznamem)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_SimDenSKontrolou)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(BM_SimDenJednoduchy)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
