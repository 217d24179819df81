// Drawing the larger demo station (Vlčí Brod) at a zoom: the whole start-up with the canvas
// at 100 % and at 400 %, and painting the loaded picture again at 400 %, which is what a zoom
// step costs.
#include <benchmark/benchmark.h>

#include <QDir>

#include "fakes/skriptovane_prostredi.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/stav.h"
#include "shell/qt_platno.h"

using namespace stanovar;

namespace {

const std::string Slozka = STANOVAR_DATA_DIR "/vlci_brod";

void BM_StartSKreslenim(benchmark::State& state) {
  test::SkriptovaneProstredi env;
  env.dpiHodnota = 96;
  for (auto _ : state) {
    Stav s;
    s.prostredi = &env;
    shell::QtPlatno platno(792, 480, 96, static_cast<int>(state.range(0)));
    s.platno = &platno;
    Spust(s, Slozka);
    if (s.Koleje.empty()) state.SkipWithError("Vlci Brod not found");
    benchmark::DoNotOptimize(platno.obraz().constBits());
    ZrusitVse(s);
  }
}

void BM_PrekresleniNa400(benchmark::State& state) {
  test::SkriptovaneProstredi env;
  env.dpiHodnota = 96;
  Stav s;
  s.prostredi = &env;
  shell::QtPlatno platno(792, 480, 96, 100);
  s.platno = &platno;
  Spust(s, Slozka);
  if (s.Koleje.empty()) state.SkipWithError("Vlci Brod not found");
  for (auto _ : state) {
    platno.nastavMeritko(400);
    benchmark::DoNotOptimize(platno.obraz().constBits());
    state.PauseTiming();
    platno.nastavMeritko(100);
    state.ResumeTiming();
  }
  state.counters["operace"] = static_cast<double>(platno.pocetOperaci());
}

BENCHMARK(BM_StartSKreslenim)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrekresleniNa400)->Unit(benchmark::kMillisecond);

}  // namespace
