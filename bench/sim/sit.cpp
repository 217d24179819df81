// A network of N copies of the demo station in a line, each linked to the next (one's
// Kamenec to the next one's Dubno), run for a simulated day: against N days of one station,
// the links' own cost.
#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

#include "sim/sit_beh.h"

using namespace stanovar;

namespace {

std::string SitKopii(int n) {
  nlohmann::json stanice = nlohmann::json::array(), spojeni = nlohmann::json::array();
  for (int i = 0; i < n; ++i) {
    stanice.push_back({{"name", "S" + std::to_string(i)}, {"path", STANOVAR_DATA_DIR}});
    if (i > 0)
      spojeni.push_back({{"a", {{"station", "S" + std::to_string(i - 1)}, {"line", "KAMENEC"}}},
                         {"b", {{"station", "S" + std::to_string(i)}, {"line", "DUBNO"}}},
                         {"running_s", 300}});
  }
  const auto p = std::filesystem::temp_directory_path() / ("stanovar_bench_sit_" + std::to_string(n) + ".json");
  std::ofstream(p) << nlohmann::json{{"format", "stanovar-network"}, {"version", 1},
                                     {"stations", stanice}, {"links", spojeni}}.dump();
  return p.string();
}

void BM_SitDen(benchmark::State& stav) {
  const std::string soubor = SitKopii(static_cast<int>(stav.range(0)));
  for (auto _ : stav) {
    stav.PauseTiming();
    VolbyBehu v;
    v.hodin = 24;
    BehSite beh(v);
    if (!beh.nacti(soubor).empty()) {
      stav.SkipWithError("network");
      return;
    }
    stav.ResumeTiming();
    std::string chyba;
    beh.spust("", chyba);
  }
}
BENCHMARK(BM_SitDen)->Arg(1)->Arg(2)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
