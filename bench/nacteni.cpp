// Loading the largest station the identifier scheme allows: 5999 tracks, 5999 connectors,
// 5999 signals standing at track joints, and 5999 line ends, read by `otevrit` and drawn on
// a canvas that discards the drawing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/soubory.h"
#include "model/platno.h"
#include "model/prostredi.h"
#include "model/stav.h"
#include "traffic/virtualni.h"

namespace {

using namespace stanovar;

constexpr int PocetKoleji = 5999;

std::string Pole(std::initializer_list<int> v, const std::string& text = {}) {
  std::string r;
  for (int x : v) r.append(1, '\x85').append(std::to_string(x));
  if (!text.empty()) r.append(1, '\x85').append(text);
  return r;
}

// Tracks of 60 pixels joined end to end, `vRadku` to a row, a diagonal connector from every
// track end to the row below, a signal at every other joint and a line end at every joint.
// With `zprava` each kind is listed from the last element to the first, so every row's
// tracks come right to left.
std::string VelkaStanice(int vRadku, bool zprava) {
  std::string s;
  auto x1 = [=](int j) { return (j % vRadku) * 60; };
  auto y = [=](int j) { return 24 + (j / vRadku) * 24; };
  auto poradi = [=](int i) { return zprava ? PocetKoleji - 1 - i : i; };
  for (int j = 0; j < PocetKoleji; ++j) {
    const int i = poradi(j);
    s += '1';
    s += Pole({x1(i), y(i), x1(i) + 60, y(i), 5, 400}, std::to_string(i + 1));
    s += "\x85" "100\x85" "0\r\n";
  }
  for (int j = 0; j < PocetKoleji; ++j) {
    const int i = poradi(j);
    s += '2';
    s += Pole({x1(i) + 60, y(i), x1(i) + 66, y(i) + 12, 0, 50, 40, 0, 1});
    s += "\r\n";
  }
  for (int j = 0; j < PocetKoleji; ++j) {
    const int i = poradi(j);
    s += '3';
    s += Pole({x1(i) + (i % 2 ? 60 : 0), y(i)});
    s += "\r\n";
  }
  for (int j = 0; j < PocetKoleji; ++j) {
    const int i = poradi(j);
    s += '6';
    s += Pole({x1(i), y(i), 0});
    s += "\x85SOUSED\x85" "0\x85" "3\r\n";
  }
  return s;
}

void BM_NacteniVelkeStanice(benchmark::State& state) {
  const std::string cesta =
      (std::filesystem::temp_directory_path() / "stanovar_bench_velka.yrd").string();
  {
    std::ofstream f(cesta, std::ios::binary);
    f << VelkaStanice(static_cast<int>(state.range(0)), state.range(1) != 0);
  }
  PrazdnePlatno platno;
  VirtualniProstredi prostredi(0.5);
  std::size_t prvku = 0;
  for (auto _ : state) {
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    s.nastaveni.cestaSchema = cesta;
    otevrit(s);
    prvku = s.Koleje.size() + s.Spojky.size() + s.Navestidla.size() + s.Sousede.size();
    benchmark::DoNotOptimize(prvku);
  }
  std::remove(cesta.c_str());
  state.counters["prvku"] = static_cast<double>(prvku);
  if (prvku != 4u * PocetKoleji) state.SkipWithError("the station did not load whole");
}
// 60 tracks a row is a large real station; one row of all 5999 is the worst case of the
// track look-up by point. Each is loaded listed left to right (the baseline) and right to
// left, which should take the same time.
BENCHMARK(BM_NacteniVelkeStanice)
    ->Args({60, 0})
    ->Args({60, 1})
    ->Args({PocetKoleji, 0})
    ->Args({PocetKoleji, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
