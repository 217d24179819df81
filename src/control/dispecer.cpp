#include "control/dispecer.h"

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

// The line track towards neighbour `kam`, for departures or both ways.
RKolej* TratK(Stav& s, const std::string& kam) {
  RSoused* so = NajdiSouseda(s, kam, 2);
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
  for (auto* seznam : {&kopie.Koleje, &kopie.Spojky})
    for (RKolej& k : *seznam) k.zaver = 0, k.vlak = 0;
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
    case 2: case 5: case 6: case 7: case 8: case 9: zmena_ = true; break;
    default: break;
  }
}

void AutomatickyDispecer::operator()(Stav& s) {
  if (s.VyberCesty) return;  // a person is choosing a route: not to be disturbed
  if (sleduje_ && !zmena_) return;
  zmena_ = false;

  // The station's capacity: free station tracks, and the trains from two-way lines that will
  // need one (accepted and waiting for their line track, or standing on it). A two-way line
  // track is also the way out for trains going there, so a train from such a line must always
  // find room inside; trains from arrivals-only lines leave that room to them.
  int volnych = 0;
  for (const RKolej& k : s.Koleje) volnych += k.druhKonce == 0 && k.zaver == 0 && k.vlak == 0;
  int cekajicich = 0;
  for (const RNabidka& n : s.Nabidky) cekajicich += n.prijata;
  for (const RVlak& v : s.Vlaky) {
    const RKrok* posl = PosledniKolejKrok(const_cast<Kroky&>(v.cesta));
    const RKolej* k = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    cekajicich += k && k->druhKonce >= 3 && k->soused != v.cil;
  }

  std::vector<int> nabidky;
  for (const RNabidka& n : s.Nabidky)
    if (!n.prijata) nabidky.push_back(n.cislo);
  for (int cislo : nabidky) {
    // Every offer is accepted, as soon as there is room for it.
    if (volnych <= cekajicich) break;
    RNabidka* n = NajdiNabidkuVlaku(s, cislo);
    RKolej* k = n ? KolejVBode(s, n->x, n->y) : nullptr;
    if (!k || k->druhKonce != 5) continue;
    UkazNabidku(s, *k);
    if (s.NabizenyVlak != cislo) continue;
    LabelAnoClick(s);
    ++prijato;
    ++cekajicich;
  }

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
      // On a station track: out to the line once the train stands.
      if (v->rychlost == 0 && v->CilRychl == 0 && !v->brzdi) Nastav(s, signal, ven->id);
      continue;
    }
    if (E->id == ven->id) continue;  // already on its way out
    const bool obousmerna = E->druhKonce >= 3;
    if (!obousmerna && volnych <= cekajicich) continue;
    // From a line: into a free station track that leads on towards the destination.
    std::vector<int> volne;
    for (const RKolej& k : s.Koleje)
      if (k.druhKonce == 0 && k.zaver == 0 && k.vlak == 0) volne.push_back(k.id);
    for (int k : volne) {
      if (!VedeNaTrat(s, k, smer, ven->id)) continue;
      if (Nastav(s, signal, k)) {
        --volnych;
        if (obousmerna) --cekajicich;
        break;
      }
    }
  }
}
}  // namespace stanovar
