// Saving and opening a shift at the busiest moment of the larger station: of the saves at the
// end of each of the first eight hours at the highest train frequency, the largest (the most
// trains, routes and events to write). Saving hashes the station files and builds the text;
// writing adds the temporary file, its flush to the disk and the rename; opening reads the
// station files, checks them and the state, and replaces the running state.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "files/soubory.h"
#include "sim/beh.h"
#include "smena/smena.h"

namespace {

using namespace stanovar;

VolbyBehu Vlci(double hodin) {
  VolbyBehu v;
  v.stanice = STANOVAR_DATA_DIR "/vlci_brod";
  v.seed = 3;
  v.cetnost = 8;
  v.hodin = hodin;
  v.snimek = true;
  return v;
}

// The run stopped at its busiest saved hour.
std::unique_ptr<Beh>& Nejrusnejsi() {
  static std::unique_ptr<Beh> nej;
  if (nej) return nej;
  std::size_t nejvic = 0;
  for (int h = 1; h <= 8; ++h) {
    auto b = std::make_unique<Beh>(Vlci(h));
    if (!b->nacti().empty()) return nej;
    b->spust(nullptr);
    if (b->snimek().size() > nejvic) {
      nejvic = b->snimek().size();
      nej = std::move(b);
    }
  }
  return nej;
}

void Uloz(benchmark::State& stav, bool soubor) {
  auto& b = Nejrusnejsi();
  if (!b) {
    stav.SkipWithError("larger station not found");
    return;
  }
  const std::string cesta = (std::filesystem::temp_directory_path() / "stanovar_bench.json").string();
  std::size_t velikost = 0;
  for (auto _ : stav) {
    std::string text = b->uloz();
    if (soubor && !ZapisCely(cesta, text)) stav.SkipWithError("cannot write");
    velikost = text.size();
    benchmark::DoNotOptimize(text);
  }
  stav.counters["bytes"] = static_cast<double>(velikost);
  stav.counters["trains"] = static_cast<double>(b->stav().Vlaky.size());
  stav.counters["events"] = static_cast<double>(b->stav().fronta.velikost());
  std::error_code ec;
  std::filesystem::remove(cesta, ec);
}
BENCHMARK_CAPTURE(Uloz, text, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Uloz, file, true)->Unit(benchmark::kMillisecond);

void Otevri(benchmark::State& stav) {
  auto& b = Nejrusnejsi();
  if (!b) {
    stav.SkipWithError("larger station not found");
    return;
  }
  const std::string text = b->snimek();
  for (auto _ : stav) {
    Beh novy(VolbyBehu{});
    if (!novy.obnovZTextu(text, false).empty()) stav.SkipWithError("cannot open");
  }
  stav.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(Otevri)->Unit(benchmark::kMillisecond);

}  // namespace
