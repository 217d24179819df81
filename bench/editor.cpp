// The editor's check after one edit of the larger station: the document written and the
// station checked as stanovar-check does, every route from each entry signal searched again.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "editor/editor.h"

using namespace stanovar;

static void BM_KontrolaPoUprave(benchmark::State& stav) {
  StaniceEditoru st;
  std::string chyba;
  if (!OtevriProEditor(STANOVAR_DATA_DIR "/vlci_brod", st, chyba)) {
    stav.SkipWithError(chyba.c_str());
    return;
  }
  bool tam = true;
  for (auto _ : stav) {
    // One move of a signal, there and back on alternate rounds, and the check of the result.
    st.historie.proved(st.dokument, editor::Posun(st.dokument, {10}, tam ? 6 : -6, 0));
    tam = !tam;
    const VysledekKontroly v = ZkontrolujEditor(st);
    benchmark::DoNotOptimize(v.nalezy.size());
  }
}
BENCHMARK(BM_KontrolaPoUprave)->Unit(benchmark::kMillisecond);

// Trying the larger station from the editor: its documents written into a copy, as the
// window does, and four simulated hours run with the automatic dispatcher.
static void BM_ZkouskaStanice(benchmark::State& stav) {
  StaniceEditoru st;
  std::string chyba;
  if (!OtevriProEditor(STANOVAR_DATA_DIR "/vlci_brod", st, chyba)) {
    stav.SkipWithError(chyba.c_str());
    return;
  }
  const std::string kopie = (std::filesystem::temp_directory_path() / "stanovar_bench_zkouska").string();
  for (auto _ : stav) {
    if (!ZapisKopii(st, kopie, chyba)) {
      stav.SkipWithError(chyba.c_str());
      return;
    }
    const editor::VysledekZkousky v = editor::ZkusStanici(kopie, {});
    benchmark::DoNotOptimize(v.projelo);
  }
  std::filesystem::remove_all(kopie);
}
BENCHMARK(BM_ZkouskaStanice)->Unit(benchmark::kMillisecond);
