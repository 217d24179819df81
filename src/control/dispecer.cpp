#include "control/dispecer.h"

#include <algorithm>
#include <vector>

#include "control/cesty.h"
#include "model/seznamy.h"
#include "traffic/generace.h"

namespace stanovar {

namespace {

// A click point inside the track, away from its ends, snapped to the grid.
int StredX(const RKolej& k) {
  const int bunek = (k.x2 - k.x1) / gx;
  return k.x1 + (bunek > 1 ? bunek / 2 : 0) * gx + (bunek == 1 ? gx / 2 : 0);
}

RNavestidlo* NavestidloNaKonci(Stav& s, const RKolej& k, int smer) {
  return smer == 1 ? NavestidloVBode(s, k.x1, k.y1) : NavestidloVBode(s, k.x2, k.y1);
}

// The line track towards neighbour `kam`, for departures or both ways. A two-way line that
// has a train offered or accepted is still the way out: were it not, the trains inside that
// wait for it could fill the station while the offer waits for room.
RKolej* TratK(Stav& s, const std::string& kam) {
  RSoused* so = NajdiSouseda(s, kam, 2);
  for (RSoused& o : s.Sousede)
    if (!so && o.jmeno == kam && (o.druh == 4 || o.druh == 5)) so = &o;
  return so ? KolejVBode(s, so->x, so->y) : nullptr;
}

}  // namespace

bool AutomatickyDispecer::Nastav(Stav& s, int navestidlo, int kolej) {
  RNavestidlo* n = NajdiNavestidlo(s, navestidlo);
  RKolej* k = NajdiKolej(s, kolej);
  if (!n || !k || n->stav != 0) return false;
  Image1MouseDown(s, Tlacitko::Leve, n->x, n->y);
  if (!s.VyberCesty) return false;
  Image1MouseDown(s, Tlacitko::Leve, StredX(*k), k->y1);
  if (s.VyberCesty) Image1MouseDown(s, Tlacitko::Prave, n->x, n->y);
  n = NajdiNavestidlo(s, navestidlo);
  if (n && n->stav == 4) {
    // Stored behind something: withdrawn, so that no two waiting routes block each other.
    ++ulozeno;
    Image1MouseDown(s, Tlacitko::Prave, n->x, n->y);
    ++zruseno;
    return false;
  }
  const bool ok = n && n->stav == 2;
  if (ok) ++nastaveno;
  return ok;
}

bool AutomatickyDispecer::VedeNaTrat(const Stav& s, int kolej, int smer, int trat) {
  const auto klic = std::make_tuple(kolej, smer, trat);
  if (auto it = dosazitelnost_.find(klic); it != dosazitelnost_.end()) return it->second;
  // The station as drawn, with nothing locked and nobody on it, on a canvas that draws
  // nothing and with no queue or observer of its own.
  PrazdnePlatno platno;
  Stav kopie = s;
  kopie.platno = &platno;
  kopie.pozorovatel = nullptr;
  kopie.Vlaky.clear();
  kopie.Nabidky.clear();
  kopie.Cesty.clear();
  kopie.CekajiciCesty.clear();
  kopie.HledanaCesta.clear();
  kopie.UlozenaCesta.clear();
  kopie.fronta.vyprazdni();
  kopie.VyberCesty = false;
  // Lines with a train offered or accepted are two-way lines as drawn.
  for (auto* seznam : {&kopie.Koleje, &kopie.Spojky})
    for (RKolej& k : *seznam) {
      k.zaver = 0, k.vlak = 0;
      if (k.druhKonce >= 4) k.druhKonce = 3;
    }
  for (RSoused& so : kopie.Sousede)
    if (so.druh >= 4) so.druh = 3;
  for (RNavestidlo& n : kopie.Navestidla) n.stav = 0;
  bool vede = false;
  RKolej* k = NajdiKolej(kopie, kolej);
  if (RNavestidlo* n = k ? NavestidloNaKonci(kopie, *k, smer) : nullptr) {
    const int id = n->id;
    AutomatickyDispecer zkusebni;
    vede = zkusebni.Nastav(kopie, id, trat);
  }
  dosazitelnost_[klic] = vede;
  return vede;
}

void AutomatickyDispecer::udalost(const RUdalost& u) {
  sleduje_ = true;
  switch (u.druh) {
    case 2: case 7: ++uvolneni_; zmena_ = true; break;
    case 5: case 6: case 8: case 9: zmena_ = true; break;
    default: break;
  }
}

bool AutomatickyDispecer::Zkus(Stav& s, int navestidlo, int kolej) {
  // A route that could only be stored waits for something to be released; trying it again
  // before that would only store and withdraw it once more.
  const auto klic = std::make_pair(navestidlo, kolej);
  if (sleduje_) {
    auto it = neslo_.find(klic);
    if (it != neslo_.end() && it->second == uvolneni_) return false;
  }
  const int ulozenoDrive = ulozeno;
  const bool ok = Nastav(s, navestidlo, kolej);
  if (ok) neslo_.erase(klic);
  else if (ulozeno != ulozenoDrive) neslo_[klic] = uvolneni_;
  return ok;
}

void AutomatickyDispecer::operator()(Stav& s) {
  if (s.VyberCesty) return;  // a person is choosing a route: not to be disturbed
  if (sleduje_ && !zmena_) return;
  zmena_ = false;
  // An accepted train may enter at once and want its route in: one more look at once.
  while (Pohled(s)) {
  }
}

bool AutomatickyDispecer::Pohled(Stav& s) {
  const int prijatoDrive = prijato;

  // The station's capacity. A two-way line track is also the way out for trains going there,
  // so a train standing on it (or accepted and waiting for it) must always find a free
  // station track, or the trains inside that wait for that line and the train outside that
  // waits for room hold each other for good. So room is granted to anything else only while
  // more tracks are free than such trains need.
  int volnych = 0;
  for (const RKolej& k : s.Koleje) volnych += k.druhKonce == 0 && k.zaver == 0 && k.vlak == 0;
  int cekajicich = 0;
  for (const RNabidka& n : s.Nabidky) cekajicich += n.prijata;
  for (const RVlak& v : s.Vlaky) {
    const RKrok* posl = PosledniKolejKrok(const_cast<Kroky&>(v.cesta));
    const RKolej* k = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    cekajicich += k && k->druhKonce >= 3 && k->soused != v.cil;
  }

  // Into a free station track from which `ven` is reachable, by the signal `signal`.
  auto dovnitr = [&](int signal, int smer, const RKolej& ven) {
    std::vector<int> volne;
    for (const RKolej& k : s.Koleje)
      if (k.druhKonce == 0 && k.zaver == 0 && k.vlak == 0) volne.push_back(k.id);
    for (int k : volne)
      if (VedeNaTrat(s, k, smer, ven.id) && Zkus(s, signal, k)) return true;
    return false;
  };

  // Trains on the station's tracks and on lines, in the order they came; the claims on
  // room (offers, and trains on arrivals-only lines) are kept apart and served oldest first.
  struct Naroky {
    long long poradi;
    int vlak;      // train waiting on an arrivals-only line
    int nabidka;   // or offered train
  };
  std::vector<Naroky> naroky;
  auto poradi = [&](int klic) {
    auto [it, novy] = poradi_.emplace(klic, dalsiPoradi_);
    if (novy) ++dalsiPoradi_;
    return it->second;
  };
  std::map<int, long long> zustava;  // claims still open after this look

  std::vector<int> vlaky;
  for (const RVlak& v : s.Vlaky) vlaky.push_back(v.cislo);
  for (int cislo : vlaky) {
    RVlak* v = NajdiVlak(s, cislo);
    if (!v || v->maOdjezd) continue;
    RKrok* posl = PosledniKolejKrok(v->cesta);
    RKolej* E = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    if (!E) continue;
    const int smer = posl->smer;
    RNavestidlo* S = NavestidloNaKonci(s, *E, smer);
    if (!S || S->stav != 0) continue;
    RKolej* ven = TratK(s, v->cil);
    if (!ven) continue;
    const int signal = S->id;
    if (E->druhKonce == 0) {
      // On a station track: out to the line once the train stands and the line is free.
      if (v->rychlost == 0 && v->CilRychl == 0 && !v->brzdi && ven->zaver == 0 && ven->vlak == 0)
        Zkus(s, signal, ven->id);
      continue;
    }
    if (E->id == ven->id) continue;  // already on its way out
    if (E->druhKonce >= 3) {
      // From a two-way line: its room is already counted.
      if (dovnitr(signal, smer, *ven)) --volnych, --cekajicich;
      continue;
    }
    const long long p = poradi(cislo);
    zustava[cislo] = p;
    naroky.push_back({p, cislo, 0});
  }
  for (const RNabidka& n : s.Nabidky) {
    if (n.prijata) continue;
    // Offers and trains share one order; an offer is told apart by its sign.
    const long long p = poradi(-n.cislo);
    zustava[-n.cislo] = p;
    naroky.push_back({p, 0, n.cislo});
  }
  poradi_.swap(zustava);

  std::sort(naroky.begin(), naroky.end(),
            [](const Naroky& a, const Naroky& b) { return a.poradi < b.poradi; });
  for (const Naroky& n : naroky) {
    if (volnych <= cekajicich) break;
    if (n.nabidka) {
      RNabidka* o = NajdiNabidkuVlaku(s, n.nabidka);
      RKolej* k = o ? KolejVBode(s, o->x, o->y) : nullptr;
      if (!k || k->druhKonce != 5) continue;
      UkazNabidku(s, *k);
      if (s.NabizenyVlak != n.nabidka) continue;
      LabelAnoClick(s);
      ++prijato;
      ++cekajicich;
      continue;
    }
    RVlak* v = NajdiVlak(s, n.vlak);
    RKrok* posl = v ? PosledniKolejKrok(v->cesta) : nullptr;
    RKolej* E = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    RNavestidlo* S = E ? NavestidloNaKonci(s, *E, posl->smer) : nullptr;
    RKolej* ven = v ? TratK(s, v->cil) : nullptr;
    if (S && ven && dovnitr(S->id, posl->smer, *ven)) {
      --volnych;
    } else {
      // Its route is blocked for now: the room stays kept for it, so that later claims do
      // not take it over and over.
      ++cekajicich;
    }
  }
  return prijato != prijatoDrive;
}
}  // namespace stanovar
