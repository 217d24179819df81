// Network play on loopback: how long a player's input takes to have its effect at the host
// and come back to the player, as a click in a window would: the message carrying the clicks
// (a signal selected, the selection abandoned), the host reading and validating it and giving
// the clicks to the demo station, and its answer. The p50, p99 and largest round trips are
// reported as counters, in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <sstream>
#include <chrono>
#include <thread>
#include <vector>

#include "jadro.h"
#include "smena/smena.h"
#include "sim/hostitel.h"
#include "sim/sit_beh.h"
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

void Percentily(benchmark::State& state, std::vector<double>& doby, const char* jmeno) {
  if (doby.empty()) return;
  std::sort(doby.begin(), doby.end());
  const auto pct = [&](double p) { return doby[std::min(doby.size() - 1, static_cast<std::size_t>(p * doby.size()))]; };
  state.counters[std::string(jmeno) + "_p50_us"] = pct(0.50);
  state.counters[std::string(jmeno) + "_p99_us"] = pct(0.99);
  state.counters[std::string(jmeno) + "_max_us"] = doby.back();
}

// A click in a joined window, against the real host running the shipped network in real time
// at the top speed: the click acts on the window's copy of its station (its effect on the
// picture, "local"), goes to the host, which gives it to its station and answers ("confirmed":
// told it was given at that instant, or sent the station as it gave it). Meanwhile the copy
// takes the host's steps as the window does.
void BM_KlikVeHre(benchmark::State& state) {
  VolbyBehu vb;
  vb.hodin = 10000;
  vb.seed = 1;
  BehSite sit(vb);
  if (!sit.nacti(STANOVAR_DATA_DIR "/sit.json").empty()) {
    state.SkipWithError("cannot read the network");
    return;
  }
  std::ostringstream hlaseni;
  VolbyHostitele h;
  h.rychlost = 6;
  h.hracu = 1;
  volatile std::sig_atomic_t zastavit = 0;
  h.zastavit = &zastavit;
  Hostitel host(sit, h, hlaseni);
  if (!host.poslouchej().empty()) {
    state.SkipWithError("cannot listen");
    return;
  }
  sit.ucastnici = &host;
  std::thread beh([&] {
    std::string chyba;
    sit.spust({}, chyba);
    host.konec("closed");
  });
  Klient k;
  std::string text, chyba;
  ZpravaHostitele z;
  VolbyBehu vk;
  NastavDispecera(vk, "none");
  Beh kopie(vk);
  bool ok = k.pripoj("127.0.0.1", host.port()).empty() && k.posli(ZpravaPripojeni("LESNA", "", "person")).empty() &&
            k.prijmi(text, 10000) && CtiZpravuHostitele(text, z, chyba) && z.druh == ZpravaHostitele::Vitej &&
            kopie.obnovZTextu(z.ulozeni, true).empty();
  std::vector<Vstup> vstupy;
  kopie.stav().posluchaci.poslouchej([&](Stav&, const Oznameni& o) {
    if (o.druh == DruhOznameni::Vstup) vstupy.push_back(VstupZOznameni(o));
  });
  long long krok = 0;
  // One message of the host, as the window takes it; whether it confirmed the click.
  const auto vezmi = [&](const std::string& t) {
    if (!CtiZpravuHostitele(t, z, chyba)) return false;
    if (z.druh == ZpravaHostitele::Dano) return true;
    if (z.druh != ZpravaHostitele::Krok) return false;
    if (z.udalosti) kopie.provedDo(z.cas);
    if (z.posun) kopie.posunNa(z.cas);
    if (!z.ulozeni.empty()) kopie.obnovStanici(z.ulozeni);
    kopie.dalsiUdalost();
    krok = z.krok;
    return !z.ulozeni.empty() && !z.udalosti && !z.posun;
  };
  std::vector<double> mistni, potvrzeni;
  bool prave = false;
  for (auto _ : state) {
    if (!ok) {
      state.SkipWithError("cannot join the host");
      break;
    }
    // Whatever came meanwhile first, as the window's event loop would have taken it.
    while (k.prijmi(text, 0)) vezmi(text);
    const auto t0 = std::chrono::steady_clock::now();
    vstupy.clear();
    // The entry signal from Lipovec selected, then the selection abandoned, by turns.
    ProvedVstup(kopie.stav(), Vstup{0, prave ? Vstup::Prave : Vstup::Leve, 0, 150, 240});
    prave = !prave;
    mistni.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    k.posli(ZpravaVstupu(krok, vstupy));
    bool potvrzeno = false;
    while (!potvrzeno && k.prijmi(text, 5000)) potvrzeno = vezmi(text);
    if (!potvrzeno) {
      state.SkipWithError("no answer");
      break;
    }
    potvrzeni.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  k.zavri();
  zastavit = 1;
  beh.join();
  Percentily(state, mistni, "local");
  Percentily(state, potvrzeni, "confirmed");
}
BENCHMARK(BM_KlikVeHre)->Iterations(3000)->UseRealTime();

}  // namespace
