// Route search: on the demo station, and on a large generated yard.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "control/cesty.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"

using namespace stanovar;

namespace {

struct Svet {
  PrazdnePlatno platno{1200, 800};
  Stav s;
  Svet() { s.platno = &platno; }
};

// One search from signal n to track k and the reconstruction of its path, as a finished
// selection runs them; returns the number of candidates the search produced. `kroku` gets
// the number of steps of the path found.
std::size_t Hledej(Stav& s, const RNavestidlo& n, int k, std::size_t* kroku = nullptr) {
  s.StartNavestidlo = n.id;
  s.CilovaKolej = k;
  s.VyberCesty = true;
  HledejCestu(s, n.x, n.y, n.strana, 0, 0);
  const std::size_t kandidatu = s.HledanaCesta.size();
  SestavCestu(s, Sestaveni::Konecne);
  if (kroku) *kroku = s.HledanaCesta.size();
  s.HledanaCesta.clear();
  s.VyberCesty = false;
  s.CilovaKolej = 0;
  return kandidatu;
}

// Of all signal and track pairs with a route between them, the one whose search looks at the
// most candidates.
std::pair<int, int> NejdelsiHledani(Stav& s) {
  std::pair<int, int> nej{0, 0};
  std::size_t max = 0;
  for (std::size_t i = 0; i < s.Navestidla.size(); ++i) {
    for (const RKolej& k : s.Koleje) {
      std::size_t kroku = 0;
      std::size_t n = Hledej(s, s.Navestidla[i], k.id, &kroku);
      if (kroku > 0 && n > max) {
        max = n;
        nej = {static_cast<int>(i), k.id};
      }
    }
  }
  return nej;
}

void Demo(Svet& w) {
  w.s.nastaveni.cestaSchema = std::string(STANOVAR_DATA_DIR) + "/demo.yrd";
  otevrit(w.s);
}

// A yard of `rady` parallel rows of `bloky` tracks between two ladders. The entry line
// meets the west ladder, a chain of diagonals with a straight connector off to each row at
// every switch; the east ladder gathers the rows onto the exit line. Between two blocks each
// row has a gap bridged by a straight connector and by crossovers to the rows above and
// below. Signals stand only at the two ends of each row, so a search ranges over the yard.
void Kolejiste(Svet& w, int rady, int bloky) {
  Stav& s = w.s;
  int koleje = static_cast<int>(s.Koleje.size());
  int spojky = static_cast<int>(s.Spojky.size());
  int navestidla = static_cast<int>(s.Navestidla.size());
  auto kolej = [&](int x1, int x2, int y) {
    RKolej k;
    k.id = ++koleje;
    k.x1 = x1;
    k.x2 = x2;
    k.y1 = k.y2 = y;
    k.delka = 200 + 10 * (koleje % 7);
    k.rychlost = static_cast<std::uint8_t>(60 + 10 * (koleje % 5));
    k.cislo = std::to_string(k.id);
    return &PridejKolej(s, k);
  };
  auto spojka = [&](int x1, int y1, int x2, int y2) {
    RKolej k;
    k.id = ZakladSpojek + ++spojky;
    k.x1 = x1;
    k.y1 = y1;
    k.x2 = x2;
    k.y2 = y2;
    k.delka = 30;
    k.rychlost = static_cast<std::uint8_t>(x1 == x2 || y1 == y2 ? 80 : 40);
    PridejSpojku(s, k);
  };
  auto navestidlo = [&](int x, int y, int strana) {
    RNavestidlo n;
    n.x = x;
    n.y = y;
    n.id = ZakladNavestidel + ++navestidla;
    n.strana = static_cast<std::uint16_t>(strana);
    PridejNavestidlo(s, n);
  };
  auto y = [](int r) { return 24 + 12 * r; };
  const int blok = 48;
  const int x0 = 60;                    // entry signal, top of the west ladder
  const int xA = x0 + 6 * rady;         // rows begin
  const int xB = xA + blok * bloky;     // rows end
  const int xE = xB + 6;                // foot of the east ladder

  kolej(0, x0, y(0))->druhKonce = 1;
  navestidlo(x0, y(0), 2);
  for (int r = 0; r < rady; ++r) {
    for (int b = 0; b < bloky; ++b)
      kolej(xA + blok * b + (b == 0 ? 0 : 6), xA + blok * (b + 1), y(r));
    navestidlo(xA, y(r), 1);
    navestidlo(xB, y(r), 2);
  }
  for (int r = 0; r < rady; ++r) {
    if (r + 1 < rady) spojka(x0 + 6 * r, y(r), x0 + 6 * (r + 1), y(r + 1));
    spojka(x0 + 6 * r, y(r), xA, y(r));
    spojka(xB, y(r), xE + 6 * (rady - 1 - r), y(r));
    if (r > 0) spojka(xE + 6 * (rady - 1 - r), y(r), xE + 6 * (rady - r), y(r - 1));
  }
  for (int b = 1; b < bloky; ++b) {
    const int x = xA + blok * b;
    for (int r = 0; r < rady; ++r) {
      spojka(x, y(r), x + 6, y(r));
      if (r + 1 < rady) spojka(x, y(r), x + 6, y(r + 1));
      if (r > 0) spojka(x, y(r), x + 6, y(r - 1));
    }
  }
  const int xL = xE + 6 * (rady - 1);
  kolej(xL, xL + 120, y(0))->druhKonce = 2;
}

void BM_HledaniDemo(benchmark::State& state) {
  Svet w;
  Demo(w);
  if (w.s.Koleje.empty()) {
    state.SkipWithError("demo station not found");
    return;
  }
  auto [n, k] = NejdelsiHledani(w.s);
  const RNavestidlo nav = w.s.Navestidla[static_cast<std::size_t>(n)];
  std::size_t kandidatu = 0, kroku = 0;
  for (auto _ : state) kandidatu = Hledej(w.s, nav, k, &kroku);
  if (kroku == 0) state.SkipWithError("no route found");
  state.counters["kandidatu"] = static_cast<double>(kandidatu);
}
BENCHMARK(BM_HledaniDemo)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Setting a route with the two clicks of the dispatcher and cancelling it again.
void BM_NastaveniAZruseniDemo(benchmark::State& state) {
  Svet w;
  Demo(w);
  if (w.s.Koleje.empty()) {
    state.SkipWithError("demo station not found");
    return;
  }
  auto [n, k] = NejdelsiHledani(w.s);
  const RNavestidlo nav = w.s.Navestidla[static_cast<std::size_t>(n)];
  const RKolej kol = *NajdiKolej(w.s, k);
  Image1MouseDown(w.s, Tlacitko::Leve, nav.x, nav.y);
  Image1MouseDown(w.s, Tlacitko::Leve, (kol.x1 + kol.x2) / 2, kol.y1);
  if (!NajdiCestu(w.s, nav.id)) state.SkipWithError("route not set");
  Image1MouseDown(w.s, Tlacitko::Prave, nav.x, nav.y);
  for (auto _ : state) {
    Image1MouseDown(w.s, Tlacitko::Leve, nav.x, nav.y);
    Image1MouseDown(w.s, Tlacitko::Leve, (kol.x1 + kol.x2) / 2, kol.y1);
    Image1MouseDown(w.s, Tlacitko::Prave, nav.x, nav.y);
  }
  if (!w.s.Cesty.empty() || !w.s.CekajiciCesty.empty()) state.SkipWithError("route left behind");
}
BENCHMARK(BM_NastaveniAZruseniDemo)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The farthest route of yards of 216, 600, 1944 and 5999 connectors: the search ranges
// over the whole yard, so its work grows with the yard.
void BM_HledaniKolejiste(benchmark::State& state) {
  Svet w;
  const int rady = static_cast<int>(state.range(0));
  const int bloky = static_cast<int>(state.range(1));
  Kolejiste(w, rady, bloky);
  // From the entry signal to the last track of the bottom row, the farthest one.
  const RNavestidlo nav = w.s.Navestidla.front();
  const int cil = w.s.Koleje[static_cast<std::size_t>(rady * bloky)].id;
  std::size_t kandidatu = 0, kroku = 0;
  for (auto _ : state) kandidatu = Hledej(w.s, nav, cil, &kroku);
  if (kroku == 0) state.SkipWithError("no route found");
  state.counters["kroku"] = static_cast<double>(kroku);
  state.counters["koleji"] = static_cast<double>(w.s.Koleje.size());
  state.counters["spojek"] = static_cast<double>(w.s.Spojky.size());
  state.counters["kandidatu"] = static_cast<double>(kandidatu);
}
BENCHMARK(BM_HledaniKolejiste)
    ->Args({12, 6})
    ->Args({20, 10})
    ->Args({36, 18})
    ->Args({99, 20})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Connectors that no route reaches, laid out in rows well away from everything else: they
// make a station larger without giving any search more to do.
void Vypln(Svet& w, int spojek) {
  Stav& s = w.s;
  for (int i = 0; s.Spojky.size() < static_cast<std::size_t>(spojek); ++i) {
    RKolej k;
    k.id = ZakladSpojek + static_cast<int>(s.Spojky.size()) + 1;
    k.x1 = 6000 + 12 * (i % 200);
    k.x2 = k.x1 + 6;
    k.y1 = k.y2 = 24 + 12 * (i / 200);
    k.delka = 30;
    k.rychlost = 80;
    PridejSpojku(s, k);
  }
}

// The same route, the farthest one of a yard of 216 connectors, in stations of 216 to 5999
// connectors: the search should take the same time whatever else the station holds.
void BM_HledaniStejneCesty(benchmark::State& state) {
  Svet w;
  Kolejiste(w, 12, 6);
  Vypln(w, static_cast<int>(state.range(0)));
  const RNavestidlo nav = w.s.Navestidla.front();
  const int cil = w.s.Koleje[static_cast<std::size_t>(12 * 6)].id;
  std::size_t kandidatu = 0, kroku = 0;
  for (auto _ : state) kandidatu = Hledej(w.s, nav, cil, &kroku);
  if (kroku == 0) state.SkipWithError("no route found");
  state.counters["kroku"] = static_cast<double>(kroku);
  state.counters["spojek"] = static_cast<double>(w.s.Spojky.size());
  state.counters["kandidatu"] = static_cast<double>(kandidatu);
}
BENCHMARK(BM_HledaniStejneCesty)
    ->Arg(216)
    ->Arg(600)
    ->Arg(1944)
    ->Arg(5999)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The baseline for both: one plain pass over all connectors of a station asking whether
// each holds a point, which is what one connector look-up costs without an index.
void BM_PrujezdSpojek(benchmark::State& state) {
  Svet w;
  Kolejiste(w, 12, 6);
  Vypln(w, static_cast<int>(state.range(0)));
  int drzi = 0;
  for (auto _ : state) {
    drzi = 0;
    for (const RKolej& c : w.s.Spojky) drzi += SpojkaObsahuje(c, 1, 1);
    benchmark::DoNotOptimize(drzi);
  }
  state.counters["spojek"] = static_cast<double>(w.s.Spojky.size());
}
BENCHMARK(BM_PrujezdSpojek)
    ->Arg(216)
    ->Arg(600)
    ->Arg(1944)
    ->Arg(5999)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The conflict check of the farthest route of each yard, which the dispatcher's click runs
// before locking it.
void BM_KontrolaKolejiste(benchmark::State& state) {
  Svet w;
  const int rady = static_cast<int>(state.range(0));
  const int bloky = static_cast<int>(state.range(1));
  Kolejiste(w, rady, bloky);
  const RNavestidlo nav = w.s.Navestidla.front();
  const int cil = w.s.Koleje[static_cast<std::size_t>(rady * bloky)].id;
  w.s.StartNavestidlo = nav.id;
  w.s.CilovaKolej = cil;
  w.s.VyberCesty = true;
  HledejCestu(w.s, nav.x, nav.y, nav.strana, 0, 0);
  SestavCestu(w.s, Sestaveni::Konecne);
  // Lock the east ladder, beyond the end of the route: the check meets locks it has to
  // look at, none of which touches or crosses the route.
  int konecX = 0;
  for (const RKrok& k : w.s.HledanaCesta) konecX = std::max(konecX, k.x);
  for (RKolej& c : w.s.Spojky)
    if (std::min(c.x1, c.x2) > konecX) c.zaver = 2;
  bool konflikt = false;
  for (auto _ : state) {
    konflikt = KontrolaCesty(w.s);
    benchmark::DoNotOptimize(konflikt);
  }
  state.counters["kroku"] = static_cast<double>(w.s.HledanaCesta.size());
  state.counters["spojek"] = static_cast<double>(w.s.Spojky.size());
  state.counters["konflikt"] = konflikt;
}
BENCHMARK(BM_KontrolaKolejiste)
    ->Args({12, 6})
    ->Args({20, 10})
    ->Args({36, 18})
    ->Args({99, 20})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
