// Planning one route: one running plan and the ten times of its occupation events, the work
// a train entering a route costs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "dynamics/dotazy.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"

using namespace stanovar;

namespace {

RVlak Vlak(int hmotnost, int vykon, double sklon) {
  RVlak T;
  T.cislo = 1234;
  T.delka = 300;
  T.hmotnost = hmotnost;
  T.vykon = vykon;
  T.sklonPrvku = sklon;
  T.BrzdZrych = 0.7;
  return T;
}

struct Jizda {
  RVlak T;
  int VL;
  double D;
  int VC;
  double V0;
};

// One plan and ten occupation times along it, with the train in its start state.
double Naplanuj(Stav& s, Jizda& j) {
  RVypocet P;
  vypocty(s, P, j.T, j.VL, j.D, j.VC, j.V0);
  j.T.rychlost = j.V0;
  j.T.CilRychl = P.cas1 > 0 ? j.T.rychlost1 / 3.6 : P.RychlostMax;
  j.T.brzdi = false;
  double soucet = 0;
  for (int k = 1; k <= 10; ++k) soucet += VypoctiDobu(s, P, j.T, j.D * k / 10.5, 0);
  return soucet;
}

void BM_TriKilometryZKlidu(benchmark::State& st) {
  test::Svet w;
  Jizda j{Vlak(400, 2000, 0), 100, 3000, 0, 0};
  for (auto _ : st) benchmark::DoNotOptimize(Naplanuj(w.stav, j));
  st.counters["hlaseni"] = static_cast<double>(w.prostredi.zpravy.size());  // must stay 0
}
BENCHMARK(BM_TriKilometryZKlidu)->Repetitions(15)->ReportAggregatesOnly(true);

// A spread of trains, limits, distances and start speeds, cycled through.
void BM_RuzneJizdy(benchmark::State& st) {
  test::Svet w;
  std::vector<Jizda> jizdy;
  std::uint32_t x = 12345;
  auto dalsi = [&](int n) {
    x = x * 1664525u + 1013904223u;
    return static_cast<int>((x >> 8) % static_cast<std::uint32_t>(n));
  };
  for (int i = 0; i < 64; ++i) {
    const int VL = 40 + dalsi(120);
    jizdy.push_back({Vlak(300 + dalsi(1500), 1000 + dalsi(5000), (dalsi(21) - 10) / 1000.0),
                     VL, 200.0 + dalsi(3000), dalsi(3) == 0 ? VL / 2 : 0,
                     dalsi(2) ? 0.0 : dalsi(VL) / 3.6});
  }
  std::size_t i = 0;
  for (auto _ : st) {
    benchmark::DoNotOptimize(Naplanuj(w.stav, jizdy[i]));
    i = (i + 1) % jizdy.size();
  }
  st.counters["hlaseni"] = static_cast<double>(w.prostredi.zpravy.size());  // must stay 0
}
BENCHMARK(BM_RuzneJizdy)->Repetitions(15)->ReportAggregatesOnly(true);

}  // namespace
