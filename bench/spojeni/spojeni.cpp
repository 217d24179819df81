// Network play on loopback: how long a player's input takes to have its effect at the host
// and come back to the player, as a click in a window would: the message carrying the clicks
// (a signal selected, the selection abandoned), the host reading and validating it and giving
// the clicks to the demo station, and its answer. The p50, p99 and largest round trips are
// reported as counters, in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "jadro.h"
#include "smena/smena.h"
#include "spojeni/spojeni.h"

namespace {

using namespace stanovar;
using namespace stanovar::spojeni;

void BM_TamAZpet(benchmark::State& state) {
  Server server;
  if (!server.poslouchej("127.0.0.1", 0).empty()) {
    state.SkipWithError("cannot listen");
    return;
  }
  const std::uint16_t port = server.port();
  std::atomic<bool> konec{false};
  // The host: every message read and validated as an input would be, and answered with a
  // step of about the size the host sends.
  PrazdnePlatno platno;
  VirtualniProstredi prostredi(0.25, 1);
  Stav s;
  s.platno = &platno;
  s.prostredi = &prostredi;
  Spust(s, STANOVAR_DATA_DIR);
  NactiNastaveni(s);
  OtevriStanici(s);
  std::thread host([&] {
    const std::string odpoved = ZpravaKroku(1, 0.25, true, false, true, nullptr);
    while (!konec) {
      for (const UdalostServeru& u : server.obsluz(20)) {
        if (u.druh != UdalostServeru::Zprava) continue;
        ZpravaKlienta z;
        std::string chyba;
        if (!CtiZpravuKlienta(u.text, z, chyba)) continue;
        for (const Vstup& v : z.vstupy) ProvedVstup(s, v);
        server.posli(u.spojeni, odpoved);
      }
    }
  });
  Klient klient;
  if (!klient.pripoj("127.0.0.1", port).empty()) {
    konec = true;
    host.join();
    state.SkipWithError("cannot connect");
    return;
  }
  // A signal of the demo station selected and the selection abandoned: the station ends as
  // it began, so every round trip does the same work.
  Vstup klik, zpet;
  klik.x = zpet.x = 150;
  klik.y = zpet.y = 240;
  zpet.druh = Vstup::Prave;
  const std::string zprava = ZpravaVstupu(1, {klik, zpet});
  std::vector<double> doby;
  std::string text;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    klient.posli(zprava);
    if (!klient.prijmi(text, 5000)) {
      state.SkipWithError("no answer");
      break;
    }
    doby.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  klient.zavri();
  konec = true;
  host.join();
  if (doby.empty()) return;
  std::sort(doby.begin(), doby.end());
  const auto pct = [&](double p) { return doby[std::min(doby.size() - 1, static_cast<std::size_t>(p * doby.size()))]; };
  state.counters["p50_us"] = pct(0.50);
  state.counters["p99_us"] = pct(0.99);
  state.counters["max_us"] = doby.back();
}
BENCHMARK(BM_TamAZpet)->Iterations(20000)->UseRealTime();

}  // namespace
