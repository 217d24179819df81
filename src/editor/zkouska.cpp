#include "editor/zkouska.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/kodovani.h"
#include "model/seznamy.h"
#include "smena/smena.h"
#include "traffic/virtualni.h"

namespace stanovar::editor {

namespace {

// Each placed element's schema line, from the schema read once more on a state of its own:
// the run's elements are numbered in the same order.
std::unordered_map<int, int> RadkyPrvku(const std::string& cestaSchematu) {
  std::unordered_map<int, int> radky;
  std::string obsah;
  if (!NactiSoubor(NormalizujCestu(cestaSchematu), obsah)) return radky;
  PrazdnePlatno platno;
  VirtualniProstredi prostredi;
  Stav s;
  s.platno = &platno;
  s.prostredi = &prostredi;
  std::size_t pocty[4] = {0, 0, 0, 0};
  s.schemaRadek = [&](int cislo, char druh, const std::array<std::string_view, 10>&) {
    auto pribylo = [&](const auto& seznam, std::size_t& pred) {
      if (seznam.size() > pred) radky[seznam.back().id] = cislo;
      pred = seznam.size();
    };
    switch (druh) {
      case '1': pribylo(s.Koleje, pocty[0]); break;
      case '2': pribylo(s.Spojky, pocty[1]); break;
      case '3': pribylo(s.Navestidla, pocty[2]); break;
      case '6': pribylo(s.Sousede, pocty[3]); break;
      default: break;
    }
  };
  CtiSchema(s, obsah);
  return radky;
}

std::string Nazev(Stav& s, int id) {
  const RKolej* k = NajdiPrvek(s, id);
  if (!k) return "element " + std::to_string(id);
  auto bod = [](int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; };
  if (JeKolej(id))
    return k->cislo.empty() ? "track " + bod(k->x1, k->y1) + "-" + bod(k->x2, k->y2)
                            : "track " + Cp1250NaUtf8(k->cislo);
  return "connector " + bod(k->x1, k->y1) + "-" + bod(k->x2, k->y2);
}

}  // namespace

VysledekZkousky ZkusStanici(const std::string& slozka, const VolbyZkousky& volby,
                            const std::function<void(double)>& prubeh, const std::atomic<bool>* zrusit) {
  VysledekZkousky v;
  const auto zacatek = std::chrono::steady_clock::now();
  VolbyBehu vb;
  vb.stanice = slozka;
  vb.hodin = volby.hodin;
  vb.seed = volby.seed;
  vb.cetnost = volby.cetnost;
  vb.kontrola = true;  // an author wants to hear of any state the program should never reach
  Beh beh(vb);
  if (std::string chyba = beh.nacti(); !chyba.empty()) {
    v.chyba = chyba;
    return v;
  }
  // The runner's own steps, so that the run can be stopped between two instants; taken as
  // the runner takes them, they give its figures exactly.
  const double start = SimCas(beh.stav());
  const double konec = beh.konecBehu();
  bool ok = beh.zacni(nullptr);
  long long kroku = 0;
  while (ok) {
    if (zrusit && zrusit->load(std::memory_order_relaxed)) {
      v.zruseno = true;
      break;
    }
    const double dalsi = beh.dalsiUdalost();
    // An event whose time is not a number is due at once, as the queue orders it.
    if (dalsi > konec) break;
    ok = beh.provedDo(std::isnan(dalsi) ? SimCas(beh.stav()) : dalsi) && beh.podivejSe();
    if (prubeh && ++kroku % 256 == 0) prubeh(std::clamp((SimCas(beh.stav()) - start) / (konec - start), 0.0, 1.0));
  }
  beh.skonci(ok && !v.zruseno);
  const SouhrnBehu& r = beh.souhrn();
  v.hodin = r.simulovanoSekund / 3600.0;
  v.projelo = r.odjelo;
  v.spatnymSmerem = r.spatnymSmerem;
  v.vjelo = r.vjelo;
  v.odmitnuto = r.odmitnuto;
  v.veStanici = r.veStanici;
  v.cekaNaOdpoved = r.cekaNaOdpoved;
  v.body = r.skore.body;
  v.prumernyPobyt = r.prumernyPobyt;
  v.poruseni = r.poruseni;
  v.casPoruseni = r.casPoruseni;
  v.poruchVypoctu = r.poruchVypoctu;
  v.udalosti = r.udalosti;

  const auto radky = RadkyPrvku(beh.stav().nastaveni.cestaSchema);
  const double celkem = std::max(r.simulovanoSekund, 1e-9);
  for (const auto& [id, sekund] : r.obsazenoPrvku) {
    VytizeniPrvku p;
    p.prvek = id;
    auto it = radky.find(id);
    p.radek = it == radky.end() ? 0 : it->second;
    p.nazev = Nazev(beh.stav(), id);
    p.kolej = JeKolej(id);
    if (const RKolej* k = NajdiPrvek(beh.stav(), id); k && p.kolej) p.cislo = k->cislo;
    p.sekund = sekund;
    if (auto n = r.vjezduPrvku.find(id); n != r.vjezduPrvku.end()) p.vjezdu = n->second;
    p.podil = std::clamp(sekund / celkem, 0.0, 1.0);
    v.prvky.push_back(std::move(p));
  }
  std::stable_sort(v.prvky.begin(), v.prvky.end(), [](const VytizeniPrvku& a, const VytizeniPrvku& b) {
    if (a.sekund != b.sekund) return a.sekund > b.sekund;
    return a.vjezdu != b.vjezdu ? a.vjezdu > b.vjezdu : a.prvek < b.prvek;
  });
  v.stenaSekund = std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
  if (prubeh) prubeh(1.0);
  return v;
}

}  // namespace stanovar::editor
