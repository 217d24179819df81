// The whole program's idle cost: the main window's 100 ms tick on the demo station at speed 1
// with no trains, where nothing is due and only the clock changes, once a second. The
// baseline is the core's tick alone, without mirroring the window view onto the widgets.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fakes/skriptovane_prostredi.h"
#include "jadro.h"
#include "shell/hlavni_okno.h"
#include "traffic/smycka.h"

using namespace stanovar;

namespace {

template <bool Okno>
void Tik(benchmark::State& state) {
  test::SkriptovaneProstredi env;
  env.cas = 8.0 / 24;
  // The demo station with an empty timetable: the start-up's first generation would
  // otherwise hand a train over at once, and a running train is no idle tick.
  QTemporaryDir tmp;
  QDir data(QStringLiteral(STANOVAR_DATA_DIR));
  for (const QString& f : data.entryList(QDir::Files)) QFile::copy(data.filePath(f), tmp.filePath(f));
  QFile::remove(tmp.filePath(QStringLiteral("demo.gvd")));
  QFile(tmp.filePath(QStringLiteral("demo.gvd"))).open(QIODevice::WriteOnly);
  shell::TForm1 okno(tmp.path(), &env);
  if (okno.stav().Koleje.empty()) state.SkipWithError("demo station not found");
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
