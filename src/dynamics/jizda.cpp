#include "dynamics/jizda.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "dynamics/chyba.h"
#include "dynamics/dotazy.h"
#include "dynamics/vypocty.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/obsazeni.h"
#include "traffic/oznam.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

constexpr double Den = 86400.0;

// Tracks and connectors get occupation events; line ends and signals in a path do not.
bool MaObsazeni(int prvek) { return JeKolej(prvek) || JeSpojka(prvek); }

// Gradient met when travelling the track in direction smer, tenths of a per mille.
int SklonVeSmeru(const RKolej& k, int smer) { return smer == 1 ? -k.sklon : k.sklon; }

// The train's running state that the queries read as the state at a plan start.
struct StavJizdy {
  double rychlost, CilRychl;
  bool brzdi;
  static StavJizdy Z(const RVlak& T) { return {T.rychlost, T.CilRychl, T.brzdi}; }
  void obnov(RVlak& T) const {
    T.rychlost = rychlost;
    T.CilRychl = CilRychl;
    T.brzdi = brzdi;
  }
};

// What the queue holds of a train's occupation of the elements of its path: releases still
// queued (by element), elements whose entry is still queued, and elements whose release a
// re-planning has just taken out.
struct Drzeni {
  std::unordered_map<int, FrontaUdalosti::Handle> uvolneni;
  std::unordered_set<int> obsazeni, vyjmuto;
};

// The train's queued occupations and releases of elements in its path. Those of elements off
// its path belong to an earlier run of the same number (timetables repeat numbers) and are
// left out.
Drzeni Zafrontovano(const Stav& s, const RVlak& T) {
  std::unordered_set<int> vCeste;
  for (const RKrok& k : T.cesta) vCeste.insert(k.prvek);
  Drzeni d;
  s.fronta.kazda([&](FrontaUdalosti::Handle h, const RUdalost& u) {
    if (u.vlak != T.cislo || !vCeste.count(u.prvek)) return;
    if (u.druh == UdalostUvolneni) d.uvolneni[u.prvek] = h;
    else if (u.druh == UdalostObsazeni) d.obsazeni.insert(u.prvek);
  });
  return d;
}

// Occupation of every element of the train's path under plan P, started at `zacatek` with
// the train at `od` metres along its path: the head enters each element at the end of the one
// before, the tail clears it one train length past its end, up to `mez` metres into the plan.
// Elements the train will still cover when it stops are released later, from its next run.
// A last element with nothing counted before it is entered at once when `posledniHned`.
// An element is released only by the train that holds it or will hold it: at the very
// instant the tail clears an element its release may have run before this planning, and the
// next train may stand there already. An element with a release queued (`d`) gets this
// plan's release instead.
void NaplanujObsazeni(Stav& s, RVlak& T, const RVypocet& P, double zacatek, double od,
                      double mez, bool posledniHned, Drzeni& d) {
  double prev = -1;
  for (auto it = T.cesta.begin(); it != T.cesta.end(); ++it) {
    const bool posledni = std::next(it) == T.cesta.end();
    if (!posledni && !MaObsazeni(it->prvek)) continue;
    const RKolej* e = NajdiPrvek(s, it->prvek);
    const bool drzi = e && DrziPrvek(*e, T.cislo);
    const bool vjede = prev >= od;
    if (vjede && !drzi)
      NaplanujUdalost(s, UdalostObsazeni, T.cislo, it->prvek, 0, 0,
                      zacatek + VypoctiDobu(s, P, T, prev - od, 0));
    else if (posledni && posledniHned && !drzi)
      NaplanujUdalost(s, UdalostObsazeni, T.cislo, it->prvek, 0, 0, zacatek);
    if (posledni) break;
    double n = it->delka - od + T.delka;
    const bool vyjmuto = d.vyjmuto.count(it->prvek) > 0;
    // Its release was due no earlier than this plan's start; sums of rounded terms may put
    // the tail a hair past the end by now.
    if (vyjmuto && n < 0) n = 0;
    if (n >= 0 && n <= mez && (vjede || drzi || vyjmuto || d.obsazeni.count(it->prvek))) {
      if (auto f = d.uvolneni.find(it->prvek); f != d.uvolneni.end()) {
        VyjmiUdalost(s, f->second);
        d.uvolneni.erase(f);
      }
      NaplanujUdalost(s, UdalostUvolneni, T.cislo, it->prvek, 0, 0,
                      zacatek + VypoctiDobu(s, P, T, n, 0));
    }
    prev = it->delka;
  }
}

// Whether a line end lies at the end of track k that direction smer runs to.
bool SousedNaKonci(const Stav& s, const RKolej& k, int smer) {
  if (smer != 1 && smer != 2) return false;
  const int x = smer == 1 ? k.x1 : k.x2;
  return std::any_of(s.Sousede.begin(), s.Sousede.end(),
                     [&](const RSoused& so) { return so.x == x && so.y == k.y1; });
}

}  // namespace

void NaplanujJizdu(Stav& s, RVlak& T, const RVypocet& P, double posOffset, double limit,
                   double startSpeed, double timeOffset) {
  const double ted = SimCas(s);
  const double V1 = T.rychlost1 / 3.6;
  const double V2 = T.rychlost2 / 3.6;
  auto udalost = [&](std::uint16_t druh, double cas, double draha, double rychlost) {
    if (draha < limit)
      NaplanujUdalost(s, druh, T.cislo, 0, rychlost, draha + posOffset,
                      ted + (cas + timeOffset) / Den);
  };

  double nova = T.CilRychl;
  bool brzdi = false;
  if (P.cas1 > 0) nova = V1;
  if (P.cas2 > 0) {
    if (P.cas1 == 0)
      nova = V2;
    else
      udalost(UdalostZmenaJizdy, P.cas1, P.draha1, V2);
  }
  if (P.CasMax > 0) {
    if (P.cas2 > 0)
      udalost(UdalostZmenaJizdy, P.cas2, P.draha2, P.RychlostMax);
    else if (P.cas1 > 0)
      udalost(UdalostZmenaJizdy, P.cas1, P.draha1, P.RychlostMax);
    else
      nova = P.RychlostMax;
  }
  if ((P.BrzdaCas != P.CasMax && P.BrzdaCas > 0) || P.RychlostMax == P.CilRychl)
    udalost(UdalostStalaJizda, P.CasMax, P.DrahaMax, P.RychlostMax);
  if (P.CasMax == 0 && P.BrzdaCas == 0 && P.CilRychl == startSpeed) nova = startSpeed;
  if (P.BrzdaCas > 0) udalost(UdalostBrzdeni, P.BrzdaCas, P.BrzdaDraha, P.CilRychl);
  if (P.BrzdaCas == 0 && P.CilRychl < startSpeed) {
    nova = P.CilRychl;
    brzdi = true;
  }
  T.CilRychl = nova;
  T.brzdi = brzdi;

  if (timeOffset > 0) {
    // Equal times run in the order scheduled: the steady run sets the start state first.
    const double zacatek = ted + timeOffset / Den;
    NaplanujUdalost(s, UdalostStalaJizda, T.cislo, 0, startSpeed, posOffset, zacatek);
    NaplanujUdalost(s, brzdi ? UdalostBrzdeni : UdalostZmenaJizdy, T.cislo, 0, nova, posOffset,
                    zacatek);
  }
}

void ObratVlak(Stav& s, RVlak& T, Kroky* vpred) {
  const std::uint16_t novy = static_cast<std::uint16_t>(3 - T.smer);
  const double hlava = T.vzdalenost, ocas = T.vzdalenost - T.delka;
  // The steps the body covers, from the old head back to the old tail, each with its span.
  struct Usek {
    RKrok krok;
    double od, po;
  };
  std::vector<Usek> pod;
  for (auto it = T.cesta.rbegin(); it != T.cesta.rend(); ++it) {
    if (!MaObsazeni(it->prvek)) continue;
    const RKolej* e = NajdiPrvek(s, it->prvek);
    const double po = it->delka, od = po - (e ? e->delka : 0);
    if (po <= ocas) break;
    if (od < hlava)
      pod.push_back({*it, od, po});
    else if (vpred)
      vpred->push_front(*it);
  }
  if (pod.empty()) {
    T.smer = novy;
    return;
  }
  // The old tail's element becomes the last step, its far end (its old start) at its length;
  // the old head's element comes first.
  const double C = pod.back().po;
  Kroky nova;
  for (const Usek& u : pod) {
    RKrok k = u.krok;
    k.delka = static_cast<int>(std::lround(C - u.od));
    k.smer = k.smer == 1 ? 2 : k.smer == 2 ? 1 : k.smer == 3 ? 4 : k.smer == 4 ? 3 : k.smer;
    nova.push_back(k);
  }
  T.cesta.swap(nova);
  T.vzdalenost = C - ocas;
  T.delkaUseku = T.cesta.back().delka;
  T.smer = novy;
  if (RKolej* k = NajdiKolej(s, T.cesta.back().prvek))
    T.sklonPrvku = SklonVeSmeru(*k, T.cesta.back().smer) / 1000.0;
  else
    T.sklonPrvku = 0;
}

void VjezdDoCesty(Stav& s, int cislo, int start) {
  JednaOperace operace(s);
  RVlak* T = NajdiVlak(s, cislo);
  if (!T) return;
  T->brzdi = false;
  int e0 = 0, d = 0;
  RCesta* R = NajdiCestu(s, start, &e0, &d);
  if (!R || R->cesta.empty()) return;
  Oznam(s, DruhOznameni::VlakVjel, cislo, start);

  // The steps of the previous section that the train still stands on go in front of the new
  // path, with positions counted back from the new route's start (0 or negative).
  if (!T->cesta.empty()) {
    const double Lp = T->cesta.back().delka;
    // A train that stopped before its signal stands short of the section's end: its tail
    // still covers what lies within its length behind its head, not behind the end, and an
    // element left out here would never be released.
    const double hlava = T->rychlost == 0 && T->vzdalenost >= 0 ? std::min(Lp, T->vzdalenost) : Lp;
    auto prvni = T->cesta.end();
    while (prvni != T->cesta.begin() && std::prev(prvni)->delka > hlava - T->delka) --prvni;
    for (auto it = prvni; it != T->cesta.end(); ++it)
      it->delka = static_cast<int>(it->delka - Lp);
    R->cesta.splice(R->cesta.begin(), T->cesta, prvni, T->cesta.end());
    T->cesta.clear();
  }

  const int VL = std::min(R->minRychlost, T->maxRychlost);
  const double ted = SimCas(s);
  T->rychlost = T->CilRychl;
  T->vzdalenost = 0;
  T->cas = ted;
  T->cesta.splice(T->cesta.end(), R->cesta);
  OznacCekajici(s, start, Oznaceni::Drzet);
  SmazCestu(s, R);
  if (RNavestidlo* n = NajdiNavestidlo(s, start)) {
    KresliNavestidloBarvou(s, *n, s.nastaveni.popredi);
    n->stav = 0;
  }

  // Speed at the route's end: at the line towards the destination the train leaves at the
  // line's speed; before a route already set it runs into that route at its limit; else it
  // stops.
  int VC = 0;
  bool odjizdi = false;
  RCesta* dalsi = nullptr;
  if (RKolej* E0 = NajdiKolej(s, e0)) {
    if (E0->druhKonce > 1 && E0->soused == T->cil) {
      VC = std::min(T->maxRychlost, static_cast<int>(E0->rychlost));
      odjizdi = true;
    }
    RNavestidlo* n = NavestidloNaKonci(s, *E0, d);
    dalsi = NajdiCestu(s, n ? n->id : E0->id);
    if (dalsi) VC = std::min(T->maxRychlost, dalsi->minRychlost);
    // A route onto the line to another neighbour: no signal there could ever give the train
    // a way on, so it leaves by that line, sent the wrong way, rather than hold the line
    // track for good.
    if (!odjizdi && !dalsi && E0->druhKonce > 1 && SousedNaKonci(s, *E0, d)) {
      VC = std::min(T->maxRychlost, static_cast<int>(E0->rychlost));
      odjizdi = true;
    }
  }
  const int dalsiStart = dalsi ? dalsi->start : 0;

  const RKrok& Z = T->cesta.back();
  const double f = VC == 0 ? 10 : 0;
  const double L = Z.delka;
  T->delkaUseku = Z.delka;
  double D = L - f;
  int sklon = 0;
  RKolej* E = NajdiKolej(s, Z.prvek);
  // Once the tail is on a last track that allows more than the route, the train may speed up
  // to that track's own limit. A train that would not fit before its stop gets no such plan.
  bool druhyPlan = false;
  if (E) {
    sklon = SklonVeSmeru(*E, Z.smer);
    if (VL < std::min(static_cast<int>(E->rychlost), T->maxRychlost) && T->delka < E->delka &&
        E->delka - (T->delka + f) > 0) {
      D = L - E->delka + T->delka;
      druhyPlan = true;
    }
  }
  T->sklonPrvku = sklon / 1000.0;
  T->BrzdZrych = BrzdneZpomaleni(T->cislo, T->delka, VC < 16);
  if (sklon < 0) T->BrzdZrych += T->sklonPrvku;

  RVypocet P;
  if (!vypocty(s, P, *T, VL, L - f, VC, T->rychlost) && !(T->rychlost > 0)) {
    // A train that cannot start here (too weak for the climb, or no power) stands where it
    // is, at the start of its new route, and gets nothing planned; turning it gives the
    // route ahead back (ObratVlak).
    T->rychlost = T->CilRychl = 0;
    T->smer = Z.smer;
    return;
  }
  NaplanujJizdu(s, *T, P, 0, D, T->rychlost, 0);
  T->lim1 = P.lim1;
  T->lim2 = P.lim2;
  double t2 = 0, v2 = 0;
  if (druhyPlan) {
    t2 = VypoctiDobu(s, P, *T, D, 0) * Den;
    v2 = VypoctiNovouRychlost(s, P, *T, t2);
    NaplanujUdalost(s, UdalostStalaJizda, cislo, 0, v2, D, ted + t2 / Den);
  }
  T->smer = Z.smer;

  Drzeni drzeni = Zafrontovano(s, *T);
  NaplanujObsazeni(s, *T, P, ted, 0, L - f, true, drzeni);

  const StavJizdy drzeny = StavJizdy::Z(*T);
  double tA;
  if (druhyPlan) {
    const double zbyva = E->delka - (T->delka + f);
    vypocty(s, P, *T, std::min(static_cast<int>(E->rychlost), T->maxRychlost), zbyva, VC, v2);
    T->rychlost = v2;
    NaplanujJizdu(s, *T, P, D, zbyva, v2, t2);
    tA = VypoctiDobu(s, P, *T, zbyva, t2);
  } else {
    tA = VypoctiDobu(s, P, *T, L - f, 0);
  }
  NaplanujUdalost(s, UdalostStalaJizda, cislo, 0, P.CilRychl, L - f, ted + tA);
  if (dalsi) NaplanujUdalost(s, UdalostVjezd, cislo, dalsiStart, 0, 0, ted + tA);
  if (odjizdi) NaplanujUdalost(s, UdalostOdjezd, cislo, 0, 0, 0, ted + tA);
  drzeny.obnov(*T);
}

void PreplanujJizdu(Stav& s, int cislo, int k, int VC) {
  JednaOperace operace(s);
  // A standing train sets off the moment its route is set, whichever way this ends.
  struct PakOznam {
    Stav& s;
    int cislo;
    ~PakOznam() { Oznam(s, DruhOznameni::JizdaZmenena, cislo); }
  } pakOznam{s, cislo};
  RVlak* T = NajdiVlak(s, cislo);
  RNavestidlo* S = nullptr;
  RKolej* E = nullptr;
  if (k > MaxPrvkuDruhu) {
    S = NajdiNavestidlo(s, k);
    if (S) E = KolejVBode(s, S->x, S->y);
  } else {
    E = NajdiKolej(s, k);
  }
  if (!T || !E || T->cesta.empty() || T->maOdjezd) return;

  RKrok* Z = &T->cesta.back();
  int d = T->smer;
  if (S) {
    d = S->x == E->x1 ? 1 : 2;
    Z = PosledniKolejKrok(T->cesta);
    if (!Z) return;
    if (E->id != Z->prvek || T->smer != d) {
      if (RKolej* druha = KolejVBode(s, S->x, S->y, true)) {
        E = druha;
        d = S->x == E->x1 ? 1 : 2;
      }
    }
  }
  const int VL = std::min(Z->minRychlost, T->maxRychlost);
  // Only a route that starts where the train's section ends, in its direction of travel.
  if (E->id != Z->prvek || T->smer != d) return;

  const double ted = SimCas(s);
  AktualRychlost(s, *T, T->rychlost, T->vzdalenost);
  T->cas = ted;

  // A braking driver reacts only after his reaction time: the braking goes on until then.
  double r = 0, v2 = T->rychlost, s2 = T->vzdalenost;
  if (T->brzdi) {
    r = DobaReakce(T->cislo, T->delka);
    v2 = T->rychlost - T->BrzdZrych * r;
    s2 = r * T->rychlost + T->vzdalenost - r * r * T->BrzdZrych / 2;
    if (v2 < 0) {
      v2 = 0;
      s2 = T->delkaUseku;
    }
  }
  const double rDny = r / Den;

  // The train's own future is replaced from the end of the reaction time on. An earlier run
  // of the same number (timetables repeat numbers) may still have releases queued behind it,
  // for elements this run's path cannot hold: those stay. A release of this run is taken out
  // only when the new plan gives it again.
  std::unordered_set<int> vCeste;
  for (const RKrok& k : T->cesta) vCeste.insert(k.prvek);
  std::vector<FrontaUdalosti::Handle> zrusit;
  Drzeni drzeni;
  std::vector<std::pair<int, FrontaUdalosti::Handle>> pozdejsi;
  s.fronta.kazda([&](FrontaUdalosti::Handle h, const RUdalost& u) {
    if (u.vlak != cislo) return;
    if ((u.druh == UdalostObsazeni || u.druh == UdalostUvolneni) && !vCeste.count(u.prvek))
      return;
    if (u.cas < ted + rDny) {
      if (u.druh == UdalostUvolneni) drzeni.uvolneni[u.prvek] = h;
      else if (u.druh == UdalostObsazeni) drzeni.obsazeni.insert(u.prvek);
      return;
    }
    if (u.druh == UdalostUvolneni) pozdejsi.emplace_back(u.prvek, h);
    else zrusit.push_back(h);
  });
  for (FrontaUdalosti::Handle h : zrusit) VyjmiUdalost(s, h);

  if (Z->delka <= s2) {
    // At the end already, or it will be within the reaction time. Its tail clears what it
    // covers as planned (here and below, a release stays unless a new plan gives it again);
    // the entry plans the rest.
    if (Z->delka > T->vzdalenost)
      NaplanujUdalost(s, UdalostVjezd, cislo, k, 0, 0, ted + rDny);
    else
      VjezdDoCesty(s, cislo, k);
    return;
  }

  const double bKeep = T->BrzdZrych;
  if (r > 0) {
    std::swap(T->vzdalenost, s2);
    std::swap(T->rychlost, v2);
  }
  const double Dist = Z->delka - T->vzdalenost;
  double U = Dist, t2 = 0;
  RKolej* E2 = NajdiKolej(s, Z->prvek);
  const int sklon = E2 ? SklonVeSmeru(*E2, Z->smer) : 0;
  const bool druhyPlan = E2 && VL < std::min(static_cast<int>(E2->rychlost), T->maxRychlost) &&
                         T->delka < E2->delka;
  if (druhyPlan) U = Dist - E2->delka + T->delka;
  T->BrzdZrych = BrzdneZpomaleni(T->cislo, T->delka, VC < 16);
  if (sklon < 0) T->BrzdZrych += T->sklonPrvku;

  RVypocet P;
  StavJizdy drzeny = StavJizdy::Z(*T);
  if (U > 0) {
    vypocty(s, P, *T, VL, Dist, VC, T->rychlost);
    NaplanujJizdu(s, *T, P, T->vzdalenost, U, T->rychlost, r);
    T->smer = Z->smer;
    for (const auto& [prvek, h] : pozdejsi) {
      VyjmiUdalost(s, h);
      drzeni.vyjmuto.insert(prvek);
    }
    NaplanujObsazeni(s, *T, P, ted + rDny, T->vzdalenost, Dist, false, drzeni);
    drzeny = StavJizdy::Z(*T);
  }

  double A = Dist;
  if (druhyPlan) {
    double v3 = T->rychlost;
    if (U > 0) {
      t2 = VypoctiDobu(s, P, *T, U, 0) * Den;
      v3 = VypoctiNovouRychlost(s, P, *T, t2);
      NaplanujUdalost(s, UdalostStalaJizda, cislo, 0, v3, U + T->vzdalenost,
                      ted + rDny + t2 / Den);
    } else {
      U = 0;
    }
    vypocty(s, P, *T, std::min(static_cast<int>(E2->rychlost), T->maxRychlost), Dist - U, VC,
            v3);
    T->rychlost = v3;
    NaplanujJizdu(s, *T, P, T->vzdalenost + U, Dist - U, v3, r + t2);
    if (r > 0) T->brzdi = false;
    A = std::min(Dist, static_cast<double>(E2->delka - T->delka));
  }
  const double tA = VypoctiDobu(s, P, *T, A, t2) + rDny;
  NaplanujUdalost(s, UdalostStalaJizda, cislo, 0, P.CilRychl, Dist + T->vzdalenost, ted + tA);
  NaplanujUdalost(s, UdalostVjezd, cislo, k, 0, 0, ted + tA);
  NaplanujUdalost(s, UdalostBrzdZrych, cislo, 0, T->BrzdZrych, 0, ted + rDny);

  if (U > 0) drzeny.obnov(*T);
  if (r > 0) {
    // Until the reaction time is over the train goes on braking as before.
    T->BrzdZrych = bKeep;
    T->vzdalenost = s2;
    T->rychlost = v2;
    T->brzdi = true;
  }
}

}  // namespace stanovar
