#include "jadro.h"
#include "traffic/predani.h"

#include <algorithm>
#include <cmath>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "dynamics/chyba.h"
#include "dynamics/jizda.h"
#include "dynamics/vypocty.h"
#include "model/seznamy.h"
#include "model/text.h"
#include "traffic/cas.h"
#include "traffic/oznam.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

constexpr double Den = 86400.0;

bool Kladne(double x) { return std::isfinite(x) && x > 0; }

// A path step over the whole of track k in direction smer, ending at its exit end.
RKrok KrokKoleje(const RKolej& k, std::uint16_t smer) {
  RKrok r;
  r.prvek = k.id;
  r.smer = smer;
  r.delka = k.delka;
  r.minRychlost = k.rychlost;
  r.x = smer == 1 ? k.x1 : k.x2;
  r.y = k.y1;
  return r;
}

// Puts the caller's working path aside for the length of a hand-over and gives it back
// whichever way the hand-over ends.
struct OdlozenaCesta {
  Stav& s;
  Kroky kroky;
  explicit OdlozenaCesta(Stav& st) : s(st) { kroky.splice(kroky.end(), s.HledanaCesta); }
  ~OdlozenaCesta() {
    s.HledanaCesta.clear();
    s.HledanaCesta.splice(s.HledanaCesta.end(), kroky);
  }
};

}  // namespace

void PriradLoko(Stav& s, RVlak& V, const std::string& jmeno) {
  V.loko = Orez(jmeno, 8);
  auto l = std::find_if(s.Lokomotivy.begin(), s.Lokomotivy.end(),
                        [&](const RLoko& x) { return x.jmeno == jmeno; });
  if (l == s.Lokomotivy.end()) {
    V.rychlost1 = 50;
    V.rychlost2 = 70;
    V.hmotnost += 80;
    V.vykon = 2000;
    V.odporA = 0.00005;
    V.odporB = 0.00007;
    V.odporC = 0.04;
    V.soucinitelHmot = 1.1;
    return;
  }
  V.rychlost1 = l->rychlost1;
  V.rychlost2 = l->rychlost2;
  V.vykon = l->vykon;
  V.odporA = l->odporA;
  V.odporB = l->odporB;
  V.odporC = l->odporC;
  V.hmotnost += l->hmotnost;
  V.maxRychlost = std::min(V.maxRychlost, l->maxRychlost);
  // The train's own cars count with 1.05 for their rotating masses, the locomotive with its
  // own factor; the whole train gets the weighted mean.
  const double M = V.hmotnost, m = l->hmotnost;
  V.soucinitelHmot = M + m != 0 ? (M * 1.05 + m * l->soucinitelHmot) / (M + m) : 1.05;
}

void PosliVlak(Stav& s, int soused, ZdrojVlaku zdroj) {
  JednaOperace operace(s);
  OdlozenaCesta odlozena(s);
  if (s.aktualniSpoj < 0 || s.aktualniSpoj >= static_cast<int>(s.Grafikon.size())) return;
  const RSpoj E = s.Grafikon[static_cast<std::size_t>(s.aktualniSpoj)];
  if (NajdiVlak(s, E.cislo)) return;
  RSoused* L = soused ? NajdiSousedaId(s, soused) : NajdiSouseda(s, E.odkud, 1);
  if (!L || L->jmeno != E.odkud || (L->druh != 1 && L->druh != 3)) return;
  RKolej* T = KolejVBode(s, L->x, L->y);
  // A line track whose speed limit is 0 lets no train in: it could not move on it.
  if (!T || T->zaver != 0 || T->rychlost == 0) return;

  const std::uint16_t smer = L->konec == 1 ? 2 : 1;
  const double ted = SimCas(s);

  RVlak V;
  V.smer = smer;
  V.cislo = E.cislo;
  // A train of no length would never cover any element, and none would be released behind
  // it: the dynamics count it at least a metre long.
  V.delka = std::max(E.delka, NejkratsiVlak);
  V.hmotnost = E.hmotnost;
  V.maxRychlost = E.maxRychlost;
  PriradLoko(s, V, E.loko);
  V.cil = E.kam;
  V.prvek = T->id;
  V.vzdalenost = 0;
  V.cas = ted;
  V.delkaUseku = T->delka;
  const int sklon = smer == 1 ? -T->sklon : T->sklon;
  V.sklonPrvku = sklon / 1000.0;

  // Balance speeds of the constant-power and the falling-force laws.
  const double V1 = V.rychlost1 / 3.6, V2 = V.rychlost2 / 3.6;
  const double hmota = V.hmotnost * V.soucinitelHmot;
  const double odporC = V.odporC + V.sklonPrvku;
  V.lim1 = HledejLim1(V1, -V.vykon / hmota, odporC, V.odporB, V.odporA);
  V.lim2 = V2 >= V.lim1 ? 0 : HledejLim2(V2, -V.vykon * V2 / hmota, odporC, V.odporB, V.odporA);

  // The train enters at line speed, as far as it can keep it.
  double v = std::min(V.maxRychlost, static_cast<int>(T->rychlost)) / 3.6;
  if (v > V.lim2 && V.lim2 > 0) v = V.lim2;
  if (v > V.lim1) v = V.lim1;
  V.rychlost = v;
  V.CilRychl = v;

  // What to schedule: braking before the signal ahead or to a stop, then the steady state at
  // the end; nothing is queued until the train is known to be able to run at all.
  struct Plan {
    std::uint16_t druh;
    int prvek;
    double h1, h2, t;
  };
  Plan plan[3];
  int planu = 0;
  const double delka = T->delka;
  double b;
  bool brzdi = true;  // the plan brakes: then the deceleration must be a real one
  RNavestidlo* S = NavestidloNaKonci(s, *T, smer);
  RCesta* R = S ? NajdiCestu(s, S->id) : nullptr;
  if (R) {
    const double w = R->minRychlost / 3.6;
    b = BrzdneZpomaleni(V.cislo, V.delka, R->minRychlost < 16);
    if (V.sklonPrvku < 0) b += V.sklonPrvku;
    double t;
    if (w >= v) {
      brzdi = false;
      t = delka / v;
    } else {
      double c = (v * v - w * w) / (2 * b);
      if (delka < c) {
        b = (v * v - w * w) / (2 * delka);
        c = delka;
      }
      t = std::max(0.0, (delka - c) / v);
      plan[planu++] = {UdalostBrzdeni, 0, w, delka - c, t};
      t += (v - w) / b;
    }
    plan[planu++] = {UdalostStalaJizda, 0, std::min(v, w), delka, t};
    plan[planu++] = {UdalostVjezd, S->id, 0, 0, t};
  } else {
    // No route ahead: stop 10 m before the track's end and wait for one.
    b = BrzdneZpomaleni(V.cislo, V.delka, true);
    if (V.sklonPrvku < 0) b += V.sklonPrvku;
    double c = v * v / (2 * b);
    const double e = std::max(delka - 10, 1.0);
    if (e < c) {
      b = v * v / (2 * e);
      c = e;
    }
    double t = std::max(0.0, (e - c) / v);
    plan[planu++] = {UdalostBrzdeni, 0, 0, e - c, t};
    t += std::sqrt(2 * c / b);
    plan[planu++] = {UdalostStalaJizda, 0, 0, e, t};
  }
  V.BrzdZrych = b;

  bool pohyblivy = V.vykon > 0 && V.hmotnost > 0 && Kladne(V.soucinitelHmot) && Kladne(v) &&
                   (Kladne(b) || !brzdi) && std::isfinite(V.lim1) && std::isfinite(V.lim2);
  for (int i = 0; i < planu; ++i) pohyblivy = pohyblivy && std::isfinite(plan[i].t);
  if (!pohyblivy) {
    // No power, no mass or a braking the gradient cancels: the train could never move or
    // stop, so it is not let in, and the dispatcher is told why.
    ChybaVypoctu(s, &V, RVypocet{}, "PosliVlak");
    return;
  }

  // The working path: the line end, then the arrival track.
  RKrok krokL;
  krokL.prvek = L->id;
  krokL.smer = smer;
  krokL.x = L->x;
  krokL.y = L->y;
  krokL.delka = 0;

  s.Vlaky.push_back(std::move(V));
  RVlak& vlak = s.Vlaky.back();
  for (int i = 0; i < planu; ++i)
    NaplanujUdalost(s, plan[i].druh, vlak.cislo, plan[i].prvek, plan[i].h1, plan[i].h2,
                    ted + plan[i].t / Den);

  // The arrival track is locked for the train like a route; the route record that locking
  // makes is dropped again, its path now belongs to the train.
  s.HledanaCesta.clear();
  s.HledanaCesta.push_back(krokL);
  s.HledanaCesta.push_back(KrokKoleje(*T, smer));
  NastavCestu(s, E.cislo, 0);
  s.HledanaCesta.clear();
  RCesta* vstup = nullptr;
  for (auto it = s.Cesty.rbegin(); it != s.Cesty.rend(); ++it)
    if (it->start == 0) {
      vstup = &*it;
      break;
    }
  if (!vstup) {
    Zprava(s, "CHYBA - posledni cast v PosliVlak (informujte autora)");
    s.Vlaky.remove_if([&](const RVlak& x) { return x.cislo == E.cislo; });
  } else {
    vlak.cesta.splice(vlak.cesta.end(), vstup->cesta);
    SmazCestu(s, vstup);
    T->vlak = E.cislo;
    T->zaver = 3;
    KresliPrvek(s, *T, BarvaObsazeno, std::to_string(E.cislo));
    if (!s.posluchaci.prazdne()) {
      Oznameni o;
      o.druh = DruhOznameni::VlakPredan;
      o.vlak = E.cislo;
      o.prvek = T->id;
      o.zdroj = zdroj;
      o.spoj = &E;
      Oznam(s, o);
    }
  }

  // Tracks that follow the arrival track without a signal between them are set after it as
  // soon as they are free.
  RKolej* P = T;
  for (std::size_t zbyva = s.Koleje.size(); P && zbyva > 0; --zbyva) {
    if (NavestidloNaKonci(s, *P, smer)) break;
    const int x = smer == 1 ? P->x1 : P->x2;
    const int y = P->y1;
    RKolej* N = KolejVBode(s, x, y);
    if (N == P) N = KolejVBode(s, x, y, true);
    // No route is set over a track of speed limit 0: the train stops before it.
    if (!N || N == P || N->rychlost == 0) break;
    s.HledanaCesta.clear();
    s.HledanaCesta.push_back(KrokKoleje(*N, smer));
    UlozCekajici(s, P->id, 0, false);
    P = N;
  }
  ZkusCekajici(s);
}

void RozjezdVlaku(Stav& s, int cislo, int kolej) {
  RVlak* T = NajdiVlak(s, cislo);
  RKolej* K = NajdiKolej(s, kolej);
  if (!T || !K) return;
  T->maOdjezd = false;
  T->odjezd = 0;
  if (s.ZobrazenyVlak == cislo) s.okno.LabelOdjezd.clear();  // the panel shows it no more
  if (RNavestidlo* S = NavestidloNaKonci(s, *K, T->smer)) {
    if (RCesta* R = NajdiCestu(s, S->id)) PreplanujJizdu(s, cislo, R->start, R->minRychlost);
    return;
  }
  // No signal: a follow-on section set from the track itself, in the train's direction.
  RCesta* R = NajdiCestu(s, K->id);
  if (!R || R->cesta.empty()) return;
  if (R->cesta.front().smer == T->smer) PreplanujJizdu(s, cislo, R->start, R->minRychlost);
}

void Button1Click(Stav& s) { PosliVlak(s); }

}  // namespace stanovar
