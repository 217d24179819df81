// The route search and the reconstruction of the path it found.
//
// The candidate list is one std::list of steps. Two positions move over it: the current entry
// (the one being expanded) and a cursor that remembers where the last scan or insertion
// stopped. The cursor decides the direction with which a via leg hands over to the next leg,
// so it is kept exactly as the scans leave it.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "model/seznamy.h"

namespace stanovar {

namespace {

using Pozice = Kroky::iterator;

// Classes of travel: towards the first end (1, 3) or towards the second end (2, 4).
bool KPrvnimu(int smer) { return smer == 1 || smer == 3; }
bool KDruhemu(int smer) { return smer == 2 || smer == 4; }
bool Opacne(int a, int b) { return a * b == 2 || a * b == 12; }

// Whether a is worse than b: more diagonal columns, then a lower speed, then longer.
bool Horsi(const RKrok& a, const RKrok& b) {
  if (a.cena != b.cena) return a.cena > b.cena;
  if (a.minRychlost != b.minRychlost) return a.minRychlost < b.minRychlost;
  return a.delka > b.delka;
}

bool Diagonalni(const RKolej& c) { return c.x1 != c.x2 && c.y1 != c.y2; }
bool Svisla(const RKolej& c) { return c.x1 == c.x2; }

// A point with a third value: the class of travel, or the direction code.
struct Klic {
  int x, y, t;
  bool operator==(const Klic&) const = default;
};
struct HashKlice {
  std::size_t operator()(const Klic& k) const {
    const std::uint64_t b = static_cast<std::uint64_t>(static_cast<std::uint32_t>(k.x)) << 32 |
                            static_cast<std::uint32_t>(k.y);
    return std::hash<std::uint64_t>{}(b * 31 + static_cast<std::uint64_t>(k.t));
  }
};
template <class T>
using PodleBodu = std::unordered_map<Klic, T, HashKlice>;
int Trida(int smer) { return KPrvnimu(smer) ? 1 : KDruhemu(smer) ? 2 : 0; }

struct Hledani {
  Stav& s;
  Kroky& seznam;
  Pozice akt;
  Pozice kurzor;
  // Arrival code of the connector examined last. It survives from one connector to the next
  // on purpose: a point inside a connector matches no arrival rule and keeps the old code.
  int k = 0;
  // The first entry up to the current one at each point in each class of travel: what the
  // visited test would find scanning from the front. Entries up to the current one are never
  // removed, and every one of them has been the current one or came before the start.
  PodleBodu<Pozice> navstivene;
  // The entries after the current one by point and direction, which the current entry's
  // turn removes when they repeat it.
  PodleBodu<std::vector<Pozice>> cekajici;
  // Entries added during the current expansion; a step that ends at a signal loses its point
  // after it is appended, so they are filed only once the expansion is over.
  std::vector<Pozice> nove;

  void Navstiv(Pozice p) {
    if (int t = Trida(p->smer)) navstivene.try_emplace(Klic{p->x, p->y, t}, p);
  }

  // Makes p the current entry: later entries for the same point and direction can only be
  // worse than it, and go.
  void Zacni(Pozice p) {
    akt = p;
    Navstiv(p);
    auto c = cekajici.find(Klic{p->x, p->y, p->smer});
    if (c == cekajici.end()) return;
    for (Pozice q : c->second)
      if (q != p) seznam.erase(q);
    cekajici.erase(c);
  }

  void Zarad() {
    for (Pozice p : nove) cekajici[Klic{p->x, p->y, p->smer}].push_back(p);
    nove.clear();
  }

  void Spojka(const RKolej& c) {
    RKrok n;
    n.prvek = c.id;
    n.cena = akt->cena;
    n.minRychlost = std::min(akt->minRychlost, static_cast<int>(c.rychlost));
    n.delka = akt->delka + c.delka;
    if (Diagonalni(c)) n.cena += (c.x2 - c.x1) / gx;

    const int x = akt->x, y = akt->y;
    if (x == c.x1 && !Svisla(c)) k = 2;
    if (y == c.y1 && Svisla(c)) k = 4;
    if (x == c.x2 && !Svisla(c)) k = 1;
    if (y == c.y2 && Svisla(c)) k = 3;
    // An element of speed limit 0 is never passed: no train could run over it.
    if (c.rychlost == 0) return;

    const int smer = akt->smer;
    bool kPrvnimu = false;
    if ((k == 1 && smer != 2) || (k == 3 && smer != 4 && x == c.x2 && y == c.y2)) {
      n.x = c.x1;
      n.y = c.y1;
      kPrvnimu = true;
    } else if ((k == 2 && smer != 1) || (k == 4 && smer != 3 && x == c.x1 && y == c.y1)) {
      n.x = c.x2;
      n.y = c.y2;
    } else {
      return;  // no move over this connector; the cursor stays
    }
    n.smer = static_cast<std::uint16_t>(k);

    // Visited: anything up to the current entry at that point in the same class of travel.
    auto v = navstivene.find(Klic{n.x, n.y, kPrvnimu ? 1 : 2});
    if (v != navstivene.end()) {
      kurzor = v->second;
      return;
    }
    // Insert in key order among what follows the current entry; equal keys keep their order.
    Pozice kam = std::next(akt);
    while (kam != seznam.end() && !Horsi(*kam, n)) ++kam;
    kurzor = seznam.insert(kam, n);
    nove.push_back(kurzor);
  }

  // Follows straight tracks from (px, py) in direction d (1 or 2), appending one step per
  // track at the end of the list. Returns whether the destination track was reached.
  bool Koleje(int px, int py, int d) {
    int cena = akt->cena;
    int minRychlost = akt->minRychlost;
    int delka = akt->delka;
    bool dosazeno = false;
    bool krok = false;
    bool trat = false;  // passed a track that leads onto a line
    Pozice posledni = seznam.end();
    for (;;) {
      RKolej* nalez[2] = {KolejVBode(s, px, py), nullptr};
      if (nalez[0]) nalez[1] = KolejVBode(s, px, py, true);
      bool pokracovala = false;
      for (RKolej* t : nalez) {
        if (!t) continue;
        const int vstup = d == 1 ? t->x2 : t->x1;
        const int vystup = d == 1 ? t->x1 : t->x2;
        if (t->druhKonce == 1 || t->druhKonce == 4 || t->rychlost == 0) {
          // A line track trains only arrive by (or one held for an accepted train) is never
          // entered, nor a track of speed limit 0; a destination that leads straight onto it
          // cannot be reached.
          if (dosazeno && px == vstup) {
            dosazeno = false;
            s.CilovaKolej = 0;
          }
          continue;
        }
        // A track without length would keep the walk on one point for ever.
        if (px != vstup || vystup == px) continue;
        delka += t->delka;
        if (t->id == s.CilovaKolej) dosazeno = true;
        // Once reached, the destination moves on to the last track before the next signal.
        if (dosazeno) s.CilovaKolej = t->id;
        minRychlost = std::min(minRychlost, static_cast<int>(t->rychlost));
        RKrok n;
        n.x = vystup;
        n.y = t->y1;
        n.prvek = t->id;
        n.delka = delka;
        n.minRychlost = minRychlost;
        n.cena = cena;
        n.smer = static_cast<std::uint16_t>(d);
        posledni = kurzor = seznam.insert(seznam.end(), n);
        nove.push_back(posledni);
        px = vystup;
        krok = true;
        pokracovala = true;
        if (t->druhKonce > 0) trat = true;
      }
      const bool navestidlo = NavestidloVBode(s, px, py) != nullptr;
      // A step that ends at a signal gets no point, so the search never goes on past it.
      if (navestidlo && krok) posledni->x = posledni->y = -1;
      // A route must end at a signal or lead onto a line.
      if (krok && !trat && !navestidlo && dosazeno && !pokracovala) {
        dosazeno = false;
        s.CilovaKolej = 0;
      }
      if (!pokracovala || navestidlo) break;
    }
    return dosazeno;
  }
};

}  // namespace

bool HledejCestu(Stav& s, int x, int y, std::uint16_t smer, int cilX, int cilY) {
  Kroky& seznam = s.HledanaCesta;
  seznam.clear();
  Pozice start;
  if (!s.UlozenaCesta.empty()) {
    // A via leg goes on from the path picked so far, whose steps count as visited.
    seznam.splice(seznam.end(), s.UlozenaCesta);
    start = std::prev(seznam.end());
    start->x = x;
    start->y = y;
  } else {
    RKrok n;
    n.x = x;
    n.y = y;
    n.prvek = s.StartNavestidlo;
    n.delka = 0;
    n.minRychlost = 200;
    n.cena = 0;
    n.smer = smer;
    start = seznam.insert(seznam.end(), n);
  }

  Hledani h{s, seznam, start, start, 0, {}, {}, {}};
  // The path picked so far counts as visited.
  for (Pozice p = seznam.begin(); p != start; ++p) h.Navstiv(p);
  h.Zacni(start);
  bool nalezeno = false;
  for (;;) {
    h.kurzor = std::prev(seznam.end());

    const int ax = h.akt->x, ay = h.akt->y, asmer = h.akt->smer;
    RKolej* c = SpojkaVBode(s, ax, ay);
    for (int i = 0; i < 4 && c; ++i) {
      h.Spojka(*c);
      if (i < 3) c = SpojkaVBode(s, ax, ay, true);
    }

    bool dosazeno = false;
    if (asmer == 1 || asmer == 2) {
      dosazeno = h.Koleje(ax, ay, asmer);
    } else if (asmer == 3) {
      dosazeno = h.Koleje(ax, ay, 1);
      if (!dosazeno) dosazeno = h.Koleje(ax, ay, 2);
    }

    h.Zarad();
    if (dosazeno || (ax == cilX && ay == cilY)) {
      nalezeno = true;
      break;
    }
    if (std::next(h.akt) == seznam.end()) break;
    h.Zacni(std::next(h.akt));
  }

  s.PosledniSmer = h.kurzor->smer;
  if (!nalezeno) {
    s.VyberCesty = false;
    if (RNavestidlo* n = NajdiNavestidlo(s, s.StartNavestidlo)) {
      n->stav = 0;
      KresliNavestidloBarvou(s, *n, s.nastaveni.popredi);
    }
  }
  return nalezeno;
}

void SestavCestu(Stav& s, Sestaveni rezim) {
  Kroky& seznam = s.HledanaCesta;
  Kroky cesta;
  int wx = s.PosledniX, wy = s.PosledniY, smer = s.PosledniSmer;
  bool chod = true;
  if (rezim == Sestaveni::Konecne) {
    auto it = std::find_if(seznam.begin(), seznam.end(),
                           [&](const RKrok& k) { return k.prvek == s.CilovaKolej; });
    RKolej* t = it == seznam.end() ? nullptr : NajdiKolej(s, it->prvek);
    if (!t) {
      chod = false;
    } else {
      RKrok posl = *it;
      // The last step ends at the track's exit end, whatever the search gave it.
      posl.x = it->smer == 2 ? t->x2 : t->x1;
      posl.y = t->y1;
      cesta.push_back(posl);
      wx = it->smer == 2 ? t->x1 : t->x2;
      wy = t->y1;
      smer = it->smer;
    }
  }
  // The entries at each point in list order, so that each step of the walk finds the first
  // fitting one without scanning the whole list.
  PodleBodu<std::vector<Kroky::iterator>> vBode;
  if (chod)
    for (auto it = seznam.begin(); it != seznam.end(); ++it) vBode[Klic{it->x, it->y, 0}].push_back(it);
  // Each step taken lies strictly earlier in the list than the one before it; the bound only
  // matters for a damaged layout.
  for (std::size_t zbyva = seznam.size(); chod && zbyva > 0; --zbyva) {
    auto b = vBode.find(Klic{wx, wy, 0});
    if (b == vBode.end()) break;
    auto f = std::find_if(b->second.begin(), b->second.end(),
                          [&](Kroky::iterator k) { return !Opacne(k->smer, smer); });
    if (f == b->second.end()) break;
    auto it = *f;
    if (it->prvek <= 0) break;
    cesta.push_front(*it);
    RKolej* e = NajdiPrvek(s, it->prvek);
    if (!e) break;  // the start signal's step
    // A track lies on its first row; only connectors have a second one.
    const bool kolej = JeKolej(e->id);
    if (it->smer == 1 || it->smer == 3) {
      wx = e->x2;
      wy = kolej ? e->y1 : e->y2;
    } else {
      wx = e->x1;
      wy = e->y1;
    }
    smer = it->smer;
  }
  seznam = std::move(cesta);
}

}  // namespace stanovar
