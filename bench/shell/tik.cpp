// The whole program's idle cost: the main window's 100 ms tick on the demo station at speed 1
// with no trains, where nothing is due and only the clock changes, once a second. The
// baseline is the core's tick alone, without mirroring the window view onto the widgets.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>

#include "fakes/skriptovane_prostredi.h"
#include "shell/hlavni_okno.h"
#include "traffic/smycka.h"

using namespace stanovar;

namespace {

template <bool Okno>
void Tik(benchmark::State& state) {
  test::SkriptovaneProstredi env;
  env.cas = 8.0 / 24;
  shell::TForm1 okno(QStringLiteral(STANOVAR_DATA_DIR), &env);
  if (okno.stav().Koleje.empty()) state.SkipWithError("demo station not found");
  // No train arrives while measuring: the next generation lies far ahead.
  okno.stav().CetnostVlaku = 0;
  for (auto _ : state) {
    env.posun(0.1);
    if constexpr (Okno)
      okno.CasovacUdalostiTimer();
    else
      CasovacUdalostiTimer(okno.stav());
  }
  if (!okno.stav().Vlaky.empty()) state.SkipWithError("a train arrived");
}

void BM_TikOkna(benchmark::State& state) { Tik<true>(state); }
void BM_TikJadra(benchmark::State& state) { Tik<false>(state); }
BENCHMARK(BM_TikOkna)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TikJadra)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
