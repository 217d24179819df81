// The main loop's 100 ms tick in a busy hour at speed 6: every tick shows the clock and runs
// the events due in its 0.6 simulated seconds, drawing to a canvas that discards the drawing.
// The automatic dispatcher routes the trains between ticks and is not timed. Reported: the
// median, 99th percentile and maximum cost of a tick, and the mean number of trains present.
//
// Two stations: the demo station at the highest train frequency (it holds about nine trains
// at once), and a generated station of 30 parallel lines with a platform track each, which
// keeps 30 trains in the station at once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/dispecer.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/platno.h"
#include "model/stav.h"
#include "traffic/cas.h"
#include "traffic/generace.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

namespace {

using namespace stanovar;
namespace fs = std::filesystem;

std::string Radek(std::initializer_list<std::string> pole) {
  std::string r;
  for (const std::string& p : pole) {
    if (!r.empty()) r += '\x85';
    r += p;
  }
  return r + "\r\n";
}

// 30 rows: arrivals line, signal, platform track, signal, departures line; one train a row.
fs::path TricetTrati() {
  const fs::path dir = fs::temp_directory_path() / "stanovar-bench-30";
  fs::create_directories(dir);
  std::string yrd, gvd;
  for (int r = 0; r < 30; ++r) {
    const std::string y = std::to_string(24 + 12 * r), n = std::to_string(r + 1);
    yrd += Radek({"1", "0", y, "60", y, "0", "6000", "Z" + n, "100", "0"});
    yrd += Radek({"1", "66", y, "300", y, "0", "400", n, "80", "0"});
    yrd += Radek({"1", "306", y, "402", y, "0", "6000", "V" + n, "100", "0"});
    yrd += Radek({"2", "60", y, "66", y, std::to_string(18001 + 2 * r), "30", "60", "0", "1"});
    yrd += Radek({"2", "300", y, "306", y, std::to_string(18002 + 2 * r), "30", "60", "0", "1"});
    yrd += Radek({"3", "60", y});
    yrd += Radek({"3", "300", y});
    yrd += Radek({"6", "0", y, std::to_string(6001 + 2 * r), "Z" + n, "1", "1"});
    yrd += Radek({"6", "402", y, std::to_string(6002 + 2 * r), "V" + n, "2", "2"});
    gvd += "*Os#" + std::to_string(5001 + r) + "#Z" + n + "#V" + n + "#120#150#100#E\r\n";
  }
  std::ofstream(dir / "s.yrd", std::ios::binary) << yrd;
  std::ofstream(dir / "s.gvd", std::ios::binary) << gvd;
  std::ofstream(dir / "s.lok", std::ios::binary) << "*elektricka#E#120#3000#80#50#80\r\n";
  std::ofstream(dir / "stanovar.ini", std::ios::binary)
      << "\x86s.yrd\r\n\x88s.gvd\r\n\xB8" "6s.lok\r\n";
  return dir;
}

void Tiky(benchmark::State& stav, const std::string& adresar, bool naplnit) {
  std::vector<double> us;
  double vlaku = 0;
  long long tiku = 0;
  for (auto _ : stav) {
    PrazdnePlatno platno;
    VirtualniProstredi prostredi(0.3, 5);
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    Spust(s, adresar);
    s.CetnostVlaku = 8;
    NastavRychlost(s, 6);
    AutomatickyDispecer dispecer;
    PoslouchejUdalosti(s, [&](double, const RUdalost& u) { dispecer.udalost(u); });
    // Either every timetable train is let in at once and the next five minutes, while all of them run through, are measured, or
    // an hour fills the station at the highest frequency and two busy hours are measured.
    if (naplnit)
      for (const RSpoj& e : std::vector<RSpoj>(s.Grafikon)) PosliVlakCislo(s, e.cislo);
    for (int i = 0; i < (naplnit ? 0 : 6000); ++i) {
      prostredi.nastavAbsolutni(prostredi.absolutni() + 0.1 / 86400);
      CasovacUdalostiTimer(s);
      dispecer(s);
    }
    for (int i = 0; i < (naplnit ? 500 : 12000); ++i) {
      prostredi.nastavAbsolutni(prostredi.absolutni() + 0.1 / 86400);
      const auto a = std::chrono::steady_clock::now();
      CasovacUdalostiTimer(s);
      const auto b = std::chrono::steady_clock::now();
      us.push_back(std::chrono::duration<double, std::micro>(b - a).count());
      vlaku += static_cast<double>(s.Vlaky.size());
      ++tiku;
      dispecer(s);
    }
  }
  std::sort(us.begin(), us.end());
  auto kvantil = [&](double q) { return us[static_cast<std::size_t>(q * (us.size() - 1))]; };
  stav.counters["tick_p50_us"] = kvantil(0.5);
  stav.counters["tick_p99_us"] = kvantil(0.99);
  stav.counters["tick_max_us"] = us.back();
  stav.counters["trains_mean"] = vlaku / static_cast<double>(tiku);
}

void BM_TikDemoRychlost6(benchmark::State& s) { Tiky(s, STANOVAR_DATA_DIR, false); }
void BM_TikTricetVlaku(benchmark::State& s) { Tiky(s, TricetTrati().string(), true); }

}  // namespace

BENCHMARK(BM_TikDemoRychlost6)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TikTricetVlaku)->Iterations(1)->Unit(benchmark::kMillisecond);
