// The capacity report of the larger station as a station author makes it (10 seeds by 8
// frequencies by 24 hours, under each of the two dispatchers), in wall time on one core
// against all of them: the runs share nothing, so the time should fall with the cores.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "sim/zprava.h"

namespace {

using namespace stanovar;

void BM_ZpravaVlciBrod(benchmark::State& stav) {
  const std::string adresar = (std::filesystem::temp_directory_path() /
                               ("bench_zprava_" + std::to_string(getpid())))
                                  .string();
  for (auto _ : stav) {
    VolbyZpravy v;
    v.beh.stanice = std::string(STANOVAR_DATA_DIR) + "/vlci_brod";
    v.adresar = adresar;
    v.vlaken = static_cast<unsigned>(stav.range(0));
    if (!VytvorZpravu(v).empty()) stav.SkipWithError("the report failed");
  }
  std::filesystem::remove_all(adresar);
  stav.counters["runs"] = 160;
}

}  // namespace

BENCHMARK(BM_ZpravaVlciBrod)->Arg(1)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);
