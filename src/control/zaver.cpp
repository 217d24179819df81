// Locking found paths as routes, storing the blocked ones, and releasing routes.
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "dynamics/jizda.h"
#include "model/seznamy.h"
#include "traffic/generace.h"
#include "traffic/obsazeni.h"
#include "traffic/oznam.h"

namespace stanovar {

namespace {

// Second end of an element; a track lies on its first row only.
int Y2(const RKolej& e) { return JeKolej(e.id) ? e.y1 : e.y2; }

int Znamenko(std::int64_t v) { return (v > 0) - (v < 0); }

// Whether diagonal e and diagonal c cross. c's line is taken with the slope opposite to e's,
// so a parallel diagonal never lies on both sides and never conflicts.
bool Krizi(const RKolej& e, const RKolej& c) {
  const std::int64_t sklon = e.y2 > e.y1 ? 1 : -1;
  auto primkaE = [&](std::int64_t x) {
    return e.y1 - sklon * (gy * std::int64_t{e.x1}) / gx + sklon * (gy * x) / gx;
  };
  auto primkaC = [&](std::int64_t x) {
    return c.y1 + sklon * (gy * std::int64_t{c.x1}) / gx - sklon * (gy * x) / gx;
  };
  const bool cPresE =
      Znamenko(c.y1 - primkaE(c.x1)) * Znamenko(c.y2 - primkaE(c.x2)) < 0;
  const bool ePresC =
      Znamenko(e.y1 - primkaC(e.x1)) * Znamenko(e.y2 - primkaC(e.x2)) < 0;
  return cPresE && ePresC;
}

// Flank and crossing protection of element e travelled in direction d: a locked or occupied
// connector that touches the point where the route leaves e, or a locked diagonal that
// crosses a diagonal e.
// Only the connectors ending at that point and the diagonals that may cross e are examined,
// through the station's connector index.
bool SousedniKonflikt(Stav& s, const RKolej& e, int d) {
  if (e.x1 == e.x2) return false;
  if (d == 1 || d == 2) {
    const int x = d == 1 ? e.x1 : e.x2, y = d == 1 ? e.y1 : Y2(e);
    for (int i : SpojkySKoncem(s, x, y))
      if (s.Spojky[static_cast<std::size_t>(i)].zaver != 0) return true;
  }
  if (e.y1 == Y2(e)) return false;
  return NektereKrizeni(s, e, [&](const RKolej& c) { return c.zaver != 0 && Krizi(e, c); });
}

std::string Cislo(int vlak) { return vlak > 0 ? std::to_string(vlak) : std::string(); }

// The train that will run onto a route set from signal `navestidlo` (0: from track `kolej`, a
// follow-on section): one whose run ends there, standing, running up or just handed over;
// else the one a route set up to there is for; else none. A train on the track there that
// faces away, or that has left while its tail still holds the track, never takes the route,
// and a number it left on the route would stay after it is gone. `r` is the route being set.
int VlakPredCestou(Stav& s, int navestidlo, int kolej, const RCesta* r) {
  auto konciTam = [&](Kroky& cesta) {
    RKrok* z = PosledniKolejKrok(cesta);
    RKolej* k = z ? NajdiKolej(s, z->prvek) : nullptr;
    if (!k) return false;
    if (!navestidlo) return k->id == kolej;
    const RNavestidlo* n = NavestidloNaKonci(s, *k, z->smer);
    return n && n->id == navestidlo;
  };
  for (RVlak& v : s.Vlaky)
    if (konciTam(v.cesta)) return v.cislo;
  for (RCesta& c : s.Cesty)
    if (&c != r && konciTam(c.cesta)) return c.vlak;
  // After a track: the train on it, whose head may stand further on (one turned to leave
  // behind itself).
  if (!navestidlo)
    if (RKolej* k = NajdiKolej(s, kolej); k && k->vlak > 0 && NajdiVlak(s, k->vlak)) return k->vlak;
  return 0;
}

}  // namespace

// Carries the train number of a route on to the routes set after it: each one found beyond
// the exit end of the previous one's last track, by its signal or by that track.
void PredejCisloVlaku(Stav& s, Kroky& cesta, int vlak, bool nastavit) {
  RKrok* posl = PosledniKolejKrok(cesta);
  if (!posl) return;
  int kolej = posl->prvek;
  int smer = posl->smer;
  // Routes may follow one another round a loop: the walk takes no more steps than there are
  // routes.
  for (std::size_t zbyva = s.Cesty.size(); zbyva > 0; --zbyva) {
    RKolej* t = NajdiKolej(s, kolej);
    if (!t || (smer != 1 && smer != 2)) return;
    RNavestidlo* n = NavestidloNaKonci(s, *t, smer);
    int dalsiKolej = 0, dalsiSmer = 0;
    RCesta* r2 = NajdiCestu(s, n ? n->id : kolej, &dalsiKolej, &dalsiSmer);
    if (!r2) return;
    r2->vlak = nastavit ? vlak : 0;
    for (const RKrok& k : r2->cesta) {
      if (!JeKolej(k.prvek)) continue;
      // A track a train stands on stays red with that train's number.
      if (RKolej* e = NajdiKolej(s, k.prvek); e && e->zaver != 3) {
        e->vlak = r2->vlak;
        KresliPrvek(s, *e, BarvaCesta,
                    nastavit && r2->vlak != 0 ? std::to_string(r2->vlak) : std::string());
      }
    }
    vlak = r2->vlak;
    kolej = dalsiKolej;
    smer = dalsiSmer;
  }
}

namespace {

// KontrolaCesty over the steps [zacatek, konec), a non-empty run of one path.
bool Konflikt(Stav& s, Kroky::const_iterator zacatek, Kroky::const_iterator konec) {
  bool konflikt = false;
  const auto posl = std::prev(konec);
  auto it = zacatek;
  for (; it != posl; ++it) {
    RKolej* e = NajdiPrvek(s, it->prvek);
    if (!e) continue;
    if (e->zaver != 0 || SousedniKonflikt(s, *e, it->smer)) {
      konflikt = true;
      break;
    }
    e->zaver = 1;
  }
  // The step the walk stopped at: normally the last, which gets no flank test.
  if (RKolej* e = NajdiPrvek(s, it->prvek)) {
    if (e->zaver != 0)
      konflikt = true;
    else
      e->zaver = 1;
  }
  // The marks only detect a path that meets itself; none of them outlives the check.
  for (auto k = zacatek; k != konec; ++k)
    if (RKolej* e = NajdiPrvek(s, k->prvek); e && e->zaver == 1) e->zaver = 0;
  return konflikt;
}

}  // namespace

bool KontrolaCesty(Stav& s) {
  const Kroky& cesta = s.HledanaCesta;
  return !cesta.empty() && Konflikt(s, cesta.begin(), cesta.end());
}

void NastavCestu(Stav& s, int vlak, int start, bool uvolnit) {
  if (s.HledanaCesta.empty()) return;
  const bool konflikt = !uvolnit && KontrolaCesty(s);
  const bool cerstvy = start == 0;
  const bool nastavit = !uvolnit && !konflikt;
  const Barva popredi = s.nastaveni.popredi;

  RCesta* r = nullptr;
  Kroky* cesta = &s.HledanaCesta;
  if (nastavit) {
    r = &s.Cesty.emplace_back();
    r->start = start;
    r->vlak = vlak;
    r->minRychlost = 200;
    r->cesta.splice(r->cesta.end(), s.HledanaCesta);
    cesta = &r->cesta;
    if (start != 0 && NajdiKolej(s, start)) r->vlak = VlakPredCestou(s, 0, start, r);
  }

  int navestidlo = 0;
  auto posl = std::prev(cesta->end());
  for (auto it = cesta->begin(); it != cesta->end(); ++it) {
    if (RKolej* e = NajdiPrvek(s, it->prvek)) {
      if (uvolnit) {
        e->zaver = 0;
        e->vlak = 0;
        KresliPrvek(s, *e, popredi, e->cislo);
      } else if (nastavit) {
        e->zaver = 2;
        r->minRychlost = std::min(r->minRychlost, static_cast<int>(e->rychlost));
        e->vlak = JeKolej(e->id) ? r->vlak : 0;
        KresliPrvek(s, *e, BarvaCesta, Cislo(r->vlak));
      } else if (e->zaver == 1) {
        e->zaver = 0;
      }
    }
    if (it != posl && JeNavestidlo(it->prvek)) {
      navestidlo = it->prvek;
      if (RNavestidlo* n = NajdiNavestidlo(s, it->prvek)) {
        if (nastavit) {
          n->stav = 2;
          r->start = n->id;
          r->vlak = VlakPredCestou(s, n->id, 0, r);
          KresliNavestidloBarvou(s, *n, BarvaCesta);
        } else if (uvolnit) {
          n->stav = 0;
          KresliNavestidloBarvou(s, *n, popredi);
        }
      }
    }
  }

  if (uvolnit || nastavit) PredejCisloVlaku(s, *cesta, nastavit ? r->vlak : 0, nastavit);

  if (konflikt && cerstvy) UlozCekajici(s, navestidlo, 0, false);
  s.HledanaCesta.clear();

  // The train standing at or running towards the route's start may now use it. Re-planning
  // may enter the route at once and drop its record, so it comes last.
  if (nastavit) {
    if (r->start != 0) Oznam(s, DruhOznameni::CestaPostavena, r->vlak, r->start);
    PreplanujJizdu(s, r->vlak, r->start, r->minRychlost);
  }
}

void ZrusCestu(Stav& s) { NastavCestu(s, 0, 0, true); }

void UlozCekajici(Stav& s, int start, int cil, bool ceka) {
  RCekajiciCesta& c = s.CekajiciCesty.emplace_back();
  c.start = start;
  c.cil = cil;
  c.ceka = ceka ? 1 : 0;
  c.drzena = 0;
  c.cesta.splice(c.cesta.end(), s.HledanaCesta);
  Oznam(s, DruhOznameni::CestaUlozena, 0, start);
  if (JeNavestidlo(start)) {
    if (RNavestidlo* n = NajdiNavestidlo(s, start)) {
      n->stav = 4;
      KresliNavestidloBarvou(s, *n, BarvaObsazeno);
    }
  }
}

bool UlozenaBezStopy(Stav& s, const Kroky& cesta) {
  // The path runs from its signal, the one signal on it, as a search leaves it.
  if (cesta.size() < 2 || !JeNavestidlo(cesta.front().prvek)) return false;
  const int navestidlo = cesta.front().prvek;
  RNavestidlo* n = NajdiNavestidlo(s, navestidlo);
  if (!n || n->stav != 0) return false;
  for (auto it = std::next(cesta.begin()); it != cesta.end(); ++it)
    if (JeNavestidlo(it->prvek)) return false;
  // Its first section, as RozdelCestu cuts it, is blocked: it is stored under the signal and
  // every later one behind it as waiting, and nothing is locked.
  auto konec = cesta.begin();
  while (std::next(konec) != cesta.end() &&
         !(konec->prvek <= 6000 && std::next(konec)->prvek <= 6000))
    ++konec;
  if (!Konflikt(s, cesta.begin(), std::next(konec))) return false;
  // The retry that follows sets nothing: what it tries is what ZkusCekajici tries, and each
  // of those is blocked now. The cancel then drops exactly what was stored.
  for (RCekajiciCesta& c : s.CekajiciCesty) {
    if (!c.drzena && (c.start == navestidlo || c.cil == navestidlo)) return false;
    if (c.ceka) continue;
    if (JeNavestidlo(c.start)) {
      RNavestidlo* m = NajdiNavestidlo(s, c.start);
      if (!m || m->stav != 4) continue;
    } else if (c.cesta.empty() || !NajdiKolej(s, c.cesta.back().prvek)) {
      continue;
    }
    if (c.cesta.empty() || !Konflikt(s, c.cesta.begin(), c.cesta.end())) return false;
  }
  // Nothing set from the signal, which the cancel would release.
  return NajdiCestu(s, navestidlo) == nullptr;
}

void RozdelCestu(Stav& s, int a) {
  if (s.HledanaCesta.empty()) return;
  Kroky zbytek;
  zbytek.splice(zbytek.end(), s.HledanaCesta);
  Kroky usek;
  int c = 0;
  int navestidlo = 0;
  bool ceka = false;
  while (zbytek.size() > 1) {
    auto it = zbytek.begin();
    if (JeNavestidlo(it->prvek)) navestidlo = it->prvek;
    const int delka = it->delka;
    it->delka -= c;
    const int prvek = it->prvek;
    const bool rez = prvek <= 6000 && std::next(it)->prvek <= 6000;
    usek.splice(usek.end(), zbytek, it);
    if (!rez) continue;
    // A joint of two tracks: the section that ends here is done with.
    s.HledanaCesta.splice(s.HledanaCesta.end(), usek);
    if (a == 0) {
      ceka = KontrolaCesty(s);
      NastavCestu(s, 0, 0);
    } else {
      UlozCekajici(s, a, navestidlo, ceka);
    }
    a = prvek;
    c = delka;
  }
  zbytek.front().delka -= c;
  usek.splice(usek.end(), zbytek);
  s.HledanaCesta.splice(s.HledanaCesta.end(), usek);
  if (a == 0)
    NastavCestu(s, 0, 0);
  else
    UlozCekajici(s, a, navestidlo, ceka);
  ZkusCekajici(s);
  if (RNavestidlo* n = NajdiNavestidlo(s, navestidlo); n && n->stav == 0)
    OznacCekajici(s, navestidlo, Oznaceni::Drzet);
}

void ZrusCekajici(Stav& s, int k) {
  s.CekajiciCesty.remove_if(
      [k](const RCekajiciCesta& c) { return !c.drzena && (c.start == k || c.cil == k); });
}

void OznacCekajici(Stav& s, int navestidlo, Oznaceni co) {
  for (RCekajiciCesta& c : s.CekajiciCesty) {
    if (c.cil != navestidlo) continue;
    if (co == Oznaceni::Uvolnit)
      c.ceka = 0;
    else
      c.drzena = 1;
  }
}

void ZkusCekajici(Stav& s) {
  // The working chain may hold a caller's path (a train being handed over keeps one there);
  // it is put aside while the stored paths pass through it.
  Kroky odlozena;
  odlozena.splice(odlozena.end(), s.HledanaCesta);
  // Oldest first, so requests blocked on the same element are set in the order made. Setting
  // one releases the follow-on sections of its signal, which come later in the list and are
  // tried in the same pass.
  for (auto it = s.CekajiciCesty.begin(); it != s.CekajiciCesty.end();) {
    if (it->ceka) {
      ++it;
      continue;
    }
    const int start = it->start;
    RNavestidlo* n = nullptr;
    if (JeNavestidlo(start)) {
      n = NajdiNavestidlo(s, start);
      if (!n || n->stav != 4) {
        ++it;
        continue;
      }
      n->stav = 0;
    } else if (it->cesta.empty() || !NajdiKolej(s, it->cesta.back().prvek)) {
      ++it;
      continue;
    }
    s.HledanaCesta.splice(s.HledanaCesta.end(), it->cesta);
    if (KontrolaCesty(s)) {
      if (n) n->stav = 4;
      it->cesta.splice(it->cesta.end(), s.HledanaCesta);
      ++it;
      continue;
    }
    it = s.CekajiciCesty.erase(it);
    NastavCestu(s, 0, start);
    if (n) OznacCekajici(s, start, Oznaceni::Uvolnit);
  }
  s.HledanaCesta.splice(s.HledanaCesta.end(), odlozena);
}

bool PriblizeniDovoluje(Stav& s, const RNavestidlo& n) {
  RKolej* t = KolejVBode(s, n.x, n.y);
  if (t && t->vlak == 0) t = KolejVBode(s, n.x, n.y, true);
  if (!t || t->vlak <= 0) return true;
  RVlak* v = NajdiVlak(s, t->vlak);
  if (!v || v->cesta.empty()) return true;
  const int kolej = t->id;
  RKolej* dalsi = KolejVBode(s, n.x, n.y, true);
  const RKrok* posl = PosledniKolejKrok(v->cesta);
  if (!posl) return true;
  // The train's path ends in front of the signal: it is running up to it, unless it faces
  // the other way (turned, or come from the other side), when it will never take the route.
  if (!(posl->prvek == kolej || (dalsi && posl->prvek == dalsi->id))) return true;
  const RKolej* k = NajdiKolej(s, posl->prvek);
  return !k || NavestidloNaKonci(s, *k, posl->smer) != &n;
}

void ZrusCestuUNavestidla(Stav& s, int id) {
  RNavestidlo* n = NajdiNavestidlo(s, id);
  if (!n) return;
  const bool ulozena = n->stav == 4;
  if (ulozena) {
    ZrusCekajici(s, n->id);
    KresliNavestidloBarvou(s, *n, s.nastaveni.popredi);
    n->stav = 0;
  }
  int kolej = 0, smer = 0;
  RCesta* r = NajdiCestu(s, n->id, &kolej, &smer);
  if (!r || !PriblizeniDovoluje(s, *n)) {
    if (ulozena) Oznam(s, DruhOznameni::CestaZrusena, 0, id);
    return;
  }
  Oznam(s, DruhOznameni::CestaZrusena, r->vlak, id);
  // The tracks released, for the accepted trains that wait for a line track among them.
  std::vector<int> koleje;
  auto zapamatuj = [&](const Kroky& cesta) {
    for (const RKrok& k : cesta)
      if (JeKolej(k.prvek)) koleje.push_back(k.prvek);
  };
  zapamatuj(r->cesta);
  s.HledanaCesta.clear();
  s.HledanaCesta.splice(s.HledanaCesta.end(), r->cesta);
  ZrusCestu(s);
  SmazCestu(s, r);

  // The follow-on sections stored under each track in turn go with it, as long as they run
  // on in the same direction.
  std::unordered_set<int> videne;
  int smerRetezu = -1;
  for (int t = kolej; t != 0 && videne.insert(t).second;) {
    int dalsi = 0, d = 0;
    RCesta* r2 = NajdiCestu(s, t, &dalsi, &d);
    if (smerRetezu < 0) smerRetezu = d;
    if (r2 && d == smerRetezu) {
      zapamatuj(r2->cesta);
      if (r2->cesta.size() > 1) {
        s.HledanaCesta.clear();
        s.HledanaCesta.splice(s.HledanaCesta.end(), r2->cesta);
        ZrusCestu(s);
      } else if (!r2->cesta.empty()) {
        // A single track is freed like a train leaving it, which also retries the stored
        // routes. The retry appends to Cesty but removes nothing, so r2 stays valid.
        UvolneniPrvku(s, 0, dalsi);
      }
      SmazCestu(s, r2);
    }
    t = dalsi;
  }

  ZrusCekajici(s, id);
  ZkusCekajici(s);
  // A line track released, by the route or by a section after it, for which an accepted train
  // waits: the train may now enter, unless a stored route has just taken the track again.
  for (int k : koleje)
    if (RKolej* t = NajdiKolej(s, k); t && t->druhKonce == 4 && t->zaver == 0)
      TratUvolnena(s, *t);
}

}  // namespace stanovar
