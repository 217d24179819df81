// The board of trains and the status bar's share of the main loop's tick: the larger shipped
// station at frequency 8 and speed 6 (0.6 simulated seconds a tick), the automatic dispatcher
// keeping it busy between ticks. Timed per tick: the board rebuilt from the core and the
// status bar's score, as every mirroring does them; then the same followed by the paint of
// whatever the tick changed in the window (the picture and the clock too), once with the
// board shown and once without it, whose difference is what painting the board costs.
// Reported besides the mean: the median and the 99th percentile of a tick, and the rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <vector>

#include "control/dispecer.h"
#include "fakes/skriptovane_prostredi.h"
#include "jadro.h"
#include "shell/hlavni_okno.h"
#include "shell/tabule_vlaku.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

using namespace stanovar;

namespace {

template <bool Prekreslit, bool Viditelna = true>
void Tabule(benchmark::State& state) {
  test::SkriptovaneProstredi env;
  env.cas = 6.0 / 24;
  shell::TForm1 okno(QStringLiteral(STANOVAR_DATA_DIR "/vlci_brod"), &env);
  Stav& s = okno.stav();
  if (s.Koleje.empty()) state.SkipWithError("station not found");
  okno.show();
  if (okno.tabule()->isVisible() != Viditelna) okno.menuTabule()->trigger();
  s.CetnostVlaku = 8;
  NastavRychlost(s, 6);
  AutomatickyDispecer dispecer;
  auto tik = [&] {
    env.posun(0.1);
    CasovacUdalostiTimer(s);
    dispecer(s);
  };
  // An hour of traffic first, so that the board is as full as it gets.
  for (int i = 0; i < 6000; ++i) tik();
  okno.obnovTabuli();
  QApplication::processEvents();

  std::vector<double> casy;
  double radku = 0;
  for (auto _ : state) {
    tik();
    const auto a = std::chrono::steady_clock::now();
    okno.obnovTabuli();
    if constexpr (Prekreslit) QApplication::processEvents();
    const double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - a).count();
    state.SetIterationTime(t);
    casy.push_back(t * 1e3);
    radku += okno.tabule()->model()->rowCount();
  }
  std::sort(casy.begin(), casy.end());
  if (!casy.empty()) {
    state.counters["p50_ms"] = casy[casy.size() / 2];
    state.counters["p99_ms"] = casy[casy.size() * 99 / 100];
    state.counters["max_ms"] = casy.back();
    state.counters["rows"] = radku / static_cast<double>(casy.size());
  }
}

void BM_TabuleAStavovyRadek(benchmark::State& state) { Tabule<false>(state); }
void BM_TabuleAStavovyRadekSPrekreslenim(benchmark::State& state) { Tabule<true>(state); }
void BM_PrekresleniBezTabule(benchmark::State& state) { Tabule<true, false>(state); }
BENCHMARK(BM_TabuleAStavovyRadek)->UseManualTime()->Iterations(12000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TabuleAStavovyRadekSPrekreslenim)
    ->UseManualTime()
    ->Iterations(12000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PrekresleniBezTabule)->UseManualTime()->Iterations(12000)->Unit(benchmark::kMicrosecond);

}  // namespace
