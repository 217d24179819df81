// Event queue throughput in the main loop's steady state: with a fixed number of events
// pending, schedule one at a random future time and execute the earliest.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "fakes/svet.h"
#include "jadro.h"
#include "model/fronta.h"
#include "traffic/smycka.h"

using namespace stanovar;

namespace {

constexpr double Sekunda = 1.0 / 86400.0;

// Offsets up to ten simulated minutes ahead, drawn once so the generator stays out of the
// measured loop; a few distinct values repeat so that ties occur as they do with trains.
std::vector<double> Posuny() {
  std::mt19937_64 rng(12345);
  std::uniform_real_distribution<double> d(0.0, 600.0 * Sekunda);
  std::vector<double> v(1 << 16);
  for (auto& x : v) x = d(rng);
  for (std::size_t i = 0; i < v.size(); i += 7) v[i] = 30.0 * Sekunda;
  return v;
}

RUdalost Udalost(double cas, int vlak) {
  RUdalost u;
  u.cas = cas;
  u.vlak = vlak;
  u.druh = 1;
  return u;
}

// The queue alone: one insertion at now + offset, then the earliest taken out; "now"
// follows the executed events as the clock would.
void BM_NaplanujAVyjmiNejdrivejsi(benchmark::State& state) {
  const auto posuny = Posuny();
  const auto pocet = static_cast<std::size_t>(state.range(0));
  FrontaUdalosti f;
  double ted = 0.5;
  std::size_t k = 0;
  for (std::size_t i = 0; i < pocet; ++i) f.vloz(Udalost(ted + posuny[k++ & 0xFFFF], 1));
  RUdalost u;
  for (auto _ : state) {
    f.vloz(Udalost(ted + posuny[k++ & 0xFFFF], 1));
    f.vyjmi(f.nejdrivejsiHandle(), &u);
    ted = u.cas;
    benchmark::DoNotOptimize(u);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_NaplanujAVyjmiNejdrivejsi)
    ->Arg(8192)
    ->Arg(1 << 17)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Through the main loop's entry points: NaplanujUdalost, then the earliest event taken
// out with VyjmiUdalost and dispatched with ProvedUdalost (a kind that no handler takes).
void BM_SmyckaNaplanujAProved(benchmark::State& state) {
  const auto posuny = Posuny();
  test::Svet w;
  double ted = 0.5;
  std::size_t k = 0;
  for (int i = 0; i < state.range(0); ++i)
    NaplanujUdalost(w.stav, 0, 1, 0, 0, 0, ted + posuny[k++ & 0xFFFF]);
  RUdalost u;
  for (auto _ : state) {
    NaplanujUdalost(w.stav, 0, 1, 0, 0, 0, ted + posuny[k++ & 0xFFFF]);
    VyjmiUdalost(w.stav, w.stav.fronta.nejdrivejsiHandle(), &u);
    ProvedUdalost(w.stav, u);
    ted = u.cas;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_SmyckaNaplanujAProved)->Arg(8192)->Repetitions(9)->ReportAggregatesOnly(true);

// Re-planning: a random pending event taken out by its handle and a replacement scheduled.
void BM_VyjmiPodleHandlu(benchmark::State& state) {
  const auto posuny = Posuny();
  const auto pocet = static_cast<std::size_t>(state.range(0));
  FrontaUdalosti f;
  std::vector<FrontaUdalosti::Handle> h(pocet);
  std::size_t k = 0;
  for (auto& x : h) x = f.vloz(Udalost(0.5 + posuny[k++ & 0xFFFF], 1));
  std::mt19937 rng(7);
  std::vector<std::uint32_t> kdo(1 << 16);
  for (auto& x : kdo) x = static_cast<std::uint32_t>(rng() % pocet);
  for (auto _ : state) {
    auto i = kdo[k & 0xFFFF];
    f.vyjmi(h[i]);
    h[i] = f.vloz(Udalost(0.5 + posuny[k++ & 0xFFFF], 1));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_VyjmiPodleHandlu)->Arg(8192)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
