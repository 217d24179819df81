// Hostile station files: every reader given what a careless or hostile author could write,
// loaded and drawn on a canvas that really paints its pixels (the Qt window's rule, without
// Qt). Each case reports its time and the process's peak memory; run one case at a time
// (--benchmark_filter) to read its own peak.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/rastrove_platno.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/platno.h"
#include "model/prostredi.h"
#include "model/stav.h"
#include "traffic/virtualni.h"

namespace {

using namespace stanovar;

std::string Radek(char druh, std::initializer_list<std::string> pole) {
  std::string r(1, druh);
  for (const auto& p : pole) r.append(1, '\x85').append(p);
  return r + "\r\n";
}

std::string DlouheKoleje() {
  std::string s;
  for (int i = 0; i < 5999; ++i)
    s += Radek('1', {"-1000000", std::to_string(12 * (i % 40)), "1000000", std::to_string(12 * (i % 40)),
                     "0", "100", std::to_string(i)});
  return s;
}
std::string DlouhaNastupisteAPopisky() {
  std::string s = Radek('1', {"0", "12", "60", "12"});
  for (int i = 0; i < 100000; ++i) {
    s += Radek('5', {"-1000000", "1000000", std::to_string(12 * (i % 40))});
    s += Radek('4', {"-1000000", "", "100", "", "POPISEK", "12"});
  }
  return s;
}
// 60 MB of digits as one track number: written to the file a piece at a time, so that the
// peak measured is the reader's.
void DlouheCisloKoleje(std::ostream& f) {
  f << "1\x85" "0\x85" "12\x85" "700\x85" "12\x85" "0\x85" "100\x85";
  const std::string kus(1u << 20, '7');
  for (int i = 0; i < 60; ++i) f << kus;
  f << "\r\n";
}

double SpickaMB() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return static_cast<double>(r.ru_maxrss) / 1024.0;
}

enum Soubor { Schema, Gvd, Loko, Jazyk };

template <class Zapis>
void Nacti(benchmark::State& state, Soubor druh, Zapis zapis) {
  const std::string cesta = (std::filesystem::temp_directory_path() /
                             ("stanovar_bench_nepratelsky_" + std::to_string(druh))).string();
  {
    std::ofstream f(cesta, std::ios::binary);
    zapis(f);
  }
  test::RastrovePlatno platno;
  VirtualniProstredi prostredi(0.5);
  for (auto _ : state) {
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    switch (druh) {
      case Schema: s.nastaveni.cestaSchema = cesta; otevrit(s); break;
      case Gvd: s.nastaveni.cestaGvd = cesta; OtevriGvd(s); break;
      case Loko: s.nastaveni.cestaLoko = cesta; OtevriLoko(s); break;
      case Jazyk: s.nastaveni.cestaJazyk = cesta; OtevriLng(s); break;
    }
    benchmark::DoNotOptimize(s.Koleje.size() + s.Grafikon.size() + s.Lokomotivy.size());
  }
  std::remove(cesta.c_str());
  state.counters["spicka_MB"] = SpickaMB();
}

auto Opakovane(char c, std::size_t kolik) {
  return [=](std::ostream& f) {
    const std::string kus(1u << 20, c);
    for (std::size_t i = 0; i < kolik >> 20; ++i) f << kus;
  };
}

void BM_DlouheKoleje(benchmark::State& st) { Nacti(st, Schema, [](std::ostream& f) { f << DlouheKoleje(); }); }
void BM_DlouhaNastupiste(benchmark::State& st) {
  Nacti(st, Schema, [](std::ostream& f) { f << DlouhaNastupisteAPopisky(); });
}
void BM_DlouheCisloKoleje(benchmark::State& st) { Nacti(st, Schema, DlouheCisloKoleje); }
void BM_HvezdickyJakoGvd(benchmark::State& st) { Nacti(st, Gvd, Opakovane('*', 8u << 20)); }
void BM_HvezdickyJakoLok(benchmark::State& st) { Nacti(st, Loko, Opakovane('*', 8u << 20)); }
void BM_KonceRadkuJakoJazyk(benchmark::State& st) { Nacti(st, Jazyk, Opakovane('\n', 16u << 20)); }

// The whole read cap (64 MiB) of the worst bytes for each reader.
void BM_CelaMezGvd(benchmark::State& st) { Nacti(st, Gvd, Opakovane('*', MaxVelikostSouboru)); }
void BM_CelaMezLok(benchmark::State& st) { Nacti(st, Loko, Opakovane('*', MaxVelikostSouboru)); }
void BM_CelaMezJazyk(benchmark::State& st) { Nacti(st, Jazyk, Opakovane('\n', MaxVelikostSouboru)); }
void BM_CelaMezSchema(benchmark::State& st) {
  Nacti(st, Schema, [](std::ostream& f) {
    const std::string r = Radek('1', {"0", "12", "60", "12", "0", "100", "1"});
    for (std::size_t n = 0; n < MaxVelikostSouboru; n += r.size()) f << r;
  });
}

BENCHMARK(BM_DlouheKoleje)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DlouhaNastupiste)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DlouheCisloKoleje)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HvezdickyJakoGvd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HvezdickyJakoLok)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KonceRadkuJakoJazyk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CelaMezGvd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CelaMezLok)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CelaMezJazyk)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CelaMezSchema)->Unit(benchmark::kMillisecond);

}  // namespace
