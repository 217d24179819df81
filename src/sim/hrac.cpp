// The headless player: a copy of its station, its dispatcher looking at the copy, and the
// inputs it made sent to the host (see hostitel.h).
#include <algorithm>
#include <chrono>
#include <thread>

#include "sim/hostitel.h"
#include "spojeni/spojeni.h"

namespace stanovar {

using namespace spojeni;

namespace {

constexpr int KodKonec = 0, KodNelze = 2, KodZtraceno = 3;

struct Spojeni {
  Klient klient;
  std::unique_ptr<Beh> beh;
  std::vector<Vstup> vstupy;  // made during the look under way
  bool zapisuje = false;
  std::vector<int> propojene;  // the station's line ends linked to other stations
  // After every station the host sent: its linked line ends generate no train.
  void oznacPropojene() {
    for (RSoused& so : beh->stav().Sousede)
      so.propojeny = so.propojeny || std::find(propojene.begin(), propojene.end(), so.id) != propojene.end();
  }
};

// Connects and joins, trying again for a while: the host may still be starting, or may not
// yet have seen this player's last connection go. Empty when joined, else why not.
std::string Pripoj(const VolbyHrace& v, Spojeni& s, std::ostream& hlaseni) {
  std::string chyba;
  for (int pokus = 0; pokus < 100; ++pokus) {
    if (pokus) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    s.klient.zavri(true);
    if (!(chyba = s.klient.pripoj(v.host, v.port)).empty()) continue;
    if (!(chyba = s.klient.posli(ZpravaPripojeni(v.stanice, v.token, v.dispecer))).empty()) continue;
    std::string text;
    if (!s.klient.prijmi(text, 30000)) {
      chyba = "no answer from the host";
      continue;
    }
    ZpravaHostitele z;
    if (!CtiZpravuHostitele(text, z, chyba)) return "the host's answer is not understood: " + chyba;
    if (z.druh == ZpravaHostitele::Odmitnuto) {
      chyba = "refused: " + z.duvod;
      // A station still held by this player's connection that went is free soon.
      if (z.duvod.find("played already") != std::string::npos) continue;
      return chyba;
    }
    if (z.druh != ZpravaHostitele::Vitej || z.ulozeni.empty()) return "the host did not send the station";
    VolbyBehu vb;
    if (!NastavDispecera(vb, v.dispecer)) return "unknown dispatcher " + v.dispecer;
    vb.seed = v.seed;
    auto b = std::make_unique<Beh>(vb);
    if (std::string c = b->obnovZTextu(z.ulozeni, true); !c.empty()) return "the station sent cannot be read: " + c;
    if (v.seedZadan) b->zasejNahodny(v.seed);
    b->stav().posluchaci.poslouchej([&s](Stav&, const Oznameni& o) {
      if (s.zapisuje && o.druh == DruhOznameni::Vstup) s.vstupy.push_back(VstupZOznameni(o));
    });
    s.beh = std::move(b);
    s.propojene = z.propojene;
    s.oznacPropojene();
    hlaseni << "joined " << v.stanice << "\n";
    return {};
  }
  return chyba;
}

}  // namespace

int Hraj(const VolbyHrace& v, std::ostream& hlaseni) {
  Spojeni s;
  if (std::string c = Pripoj(v, s, hlaseni); !c.empty()) {
    hlaseni << "stanovar-sim: cannot join " << v.stanice << ": " << c << "\n";
    return KodNelze;
  }
  long long kroku = 0;
  int odpojeni = 0;
  std::string text;
  for (;;) {
    if (!s.klient.prijmi(text)) {
      hlaseni << "stanovar-sim: the connection to the host was lost\n";
      return KodZtraceno;
    }
    ZpravaHostitele z;
    std::string chyba;
    if (!CtiZpravuHostitele(text, z, chyba)) {
      hlaseni << "stanovar-sim: a message from the host not understood: " << chyba << "\n";
      continue;
    }
    if (z.druh == ZpravaHostitele::Konec) {
      hlaseni << "the host ended the run (" << z.duvod << ")\n";
      return KodKonec;
    }
    if (z.druh == ZpravaHostitele::Chyba) {
      hlaseni << "the host refused a message: " << z.duvod << "\n";
      continue;
    }
    if (z.druh != ZpravaHostitele::Krok) continue;
    Beh& b = *s.beh;
    // The station's own events first (its dispatcher hears them), then what the lines did,
    // which the host sends as the whole station.
    if (z.udalosti) b.provedDo(z.cas);
    if (z.posun) b.posunNa(z.cas);
    if (!z.ulozeni.empty()) {
      if (std::string c = b.obnovStanici(z.ulozeni); !c.empty()) {
        hlaseni << "stanovar-sim: the station sent cannot be read: " << c << "\n";
        return KodZtraceno;
      }
      s.oznacPropojene();
    }
    if (z.pohled) {
      s.vstupy.clear();
      s.zapisuje = true;
      b.podivejSe();
      s.zapisuje = false;
      if (!s.klient.posli(ZpravaVstupu(z.krok, s.vstupy)).empty()) {
        hlaseni << "stanovar-sim: the connection to the host was lost\n";
        return KodZtraceno;
      }
    }
    // As the host does before its next step: a paused clock runs on.
    b.dalsiUdalost();
    if (v.odpojitPo > 0 && odpojeni < v.odpojeni && ++kroku % v.odpojitPo == 0) {
      ++odpojeni;
      s.klient.zavri(true);
      if (std::string c = Pripoj(v, s, hlaseni); !c.empty()) {
        hlaseni << "stanovar-sim: cannot join " << v.stanice << " again: " << c << "\n";
        return KodNelze;
      }
    }
  }
}

}  // namespace stanovar
