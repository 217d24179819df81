#include "dynamics/vypocty.h"

#include <algorithm>
#include <cmath>

#include "dynamics/chyba.h"
#include "dynamics/fyzika.h"

namespace stanovar {

namespace fyzika {

Trakce Trakce::Z(const RVlak& v) {
  Trakce t;
  t.m = v.hmotnost;
  t.P = v.vykon;
  t.V1 = v.rychlost1 / 3.6;
  t.V2 = v.rychlost2 / 3.6;
  t.c0 = Konecne(v.odporC);
  t.c1 = Konecne(v.odporB);
  t.c2 = Konecne(v.odporA);
  t.G = Konecne(v.sklonPrvku);
  t.rho = Konecne(v.soucinitelHmot);
  t.b = Konecne(v.BrzdZrych);
  return t;
}

namespace {
// Far more than either search needs on finite values (about 30 halvings from 1000 m/s to the
// tolerance); reaching it means the search went astray, which is reported as a fault.
constexpr int MaxKroku = 2000;
// Residual, m, the braking point search settles for.
constexpr double PresnostBrzdeni = 0.01;
}  // namespace

double HledejBrzdeni(double x0, double VT, double dveB, double Dc, double e, double L,
                     double tau) {
  // Distance of the phase from e up to x, plus the braking from x down to VT, less Dc.
  auto w = [&](double x) {
    double r = tau * (e - L * Ln(Del(L - x, L - e)) - x) - Dc;
    if (std::fabs(x) > VT) r += Del(x * x - VT * VT, dveB);
    return r;
  };
  double lo = x0, hi = L, x = x0;
  // Close to the balance speed a hundred-thousandth of a m/s can be many metres, so a bracket
  // that narrow is enough only once the residual is within a centimetre too.
  bool daleko = false;
  for (int i = 0;; ++i) {
    const bool uzky = std::fabs(lo - hi) <= 0.00001;
    if (uzky && !daleko) break;
    if (i >= MaxKroku) Chyba();
    double y;
    if ((hi == 0 && lo > 0) || (lo == 0 && hi < 0))
      y = 2 * x;
    else if ((lo == 0 && hi > 0) || (hi == 0 && lo < 0))
      y = x / 2;
    else
      y = (lo + hi) / 2;
    // The bracket cannot shrink any more (right at the balance speed): take the end that does
    // not overrun the target; the plan covers what is left at that speed.
    if (uzky && (y == lo || y == hi)) {
      x = lo;
      break;
    }
    x = y;
    const double r = w(x);
    if (r > -0.001) hi = x;
    if (r < 0.001) lo = x;
    daleko = std::fabs(r) > PresnostBrzdeni;
  }
  return x;
}

double HledejCas(double ts, double B, double c, double d, double e) {
  auto h = [&](double t) { return d * (Exp(c * t) - 1.0) + e * t - B; };
  // p: the latest time still short of the distance, n: the latest one at or beyond it.
  bool maP = false, maN = false;
  double p = 0, hp = 0, n = 0, hn = 0;
  double t = ts;
  double ht = h(t);
  if (ht > -0.001) {
    n = t, hn = ht, maN = true;
    maP = false;
  }
  if (ht < 0.001) {
    p = t, hp = ht, maP = true;
    maN = false;
  }
  for (int i = 0; !(maP && maN && p == n); ++i) {
    if (i >= MaxKroku) Chyba();
    if (!maN)
      t = 4 * t;
    else if (!maP)
      t = t / 4;
    else if (t == p)
      t = p - Del((n - p) * ht, hn - hp);
    else
      t = n - Del((n - p) * ht, hn - hp);
    ht = h(t);
    if (ht > -0.001) n = t, hn = ht, maN = true;
    if (ht < 0.001) p = t, hp = ht, maP = true;
  }
  return t;
}

}  // namespace fyzika

using namespace fyzika;

namespace {

// The bracketing search shared by both balance speeds. Polynomial values only: it never
// faults, since the entry of a train uses it outside any guard.
template <class F>
double HledejKoren(double x0, F h) {
  double lo = x0, hi = 0, x = x0;
  if (!(x0 > 0)) {
    // Doubling 0 would stay at 0: the root is searched above 0 instead.
    lo = 0;
    x = 0.25;
  }
  const double strop = std::max(StropRychlosti, x0);
  for (int i = 0; i < MaxKroku; ++i) {
    if (hi == 0)
      x = std::min(2 * x, strop);
    else
      x = (lo + hi) / 2;
    const double y = h(x);
    if (hi == 0 && x == strop && !(y > -0.1)) return strop;  // no balance below the ceiling
    if (y > -0.1) hi = x;
    if (y < 0.1) lo = x;
    if (std::fabs(lo - hi) < 0.0000001) lo = hi;
    if (lo == hi) return x;
  }
  return x;
}

constexpr double Nic = 0.0;

// The root of the constant-power balance polynomial between 0 and V1, by halving: on a climb
// the constant force cannot beat, h(0) = -P/(m*rho) < 0 and h(V1) >= V1*(-a1) >= 0, so it
// lies there. 0 without power; V1 when odd resistance figures put no root below it.
double RovnovahaNaStoupani(const Trakce& tr) {
  const double PM = tr.vykonNaHmotu();
  if (!(PM > 0)) return 0;
  auto h = [&](double v) { return ((tr.c2 * v + tr.c1) * v + tr.c0 + tr.G) * v - PM; };
  double lo = 0, hi = tr.V1;
  if (!(h(hi) >= 0)) return tr.V1;
  for (int i = 0; i < 200 && hi - lo > 1e-9; ++i) {
    const double x = (lo + hi) / 2;
    (h(x) < 0 ? lo : hi) = x;
  }
  return (lo + hi) / 2;
}

double Kladne(double x) { return x < 0 ? 0.0 : x; }

// The plan proper; may throw ChybaPocitani, leaving P as filled so far.
void Spocitej(RVypocet& P, RVlak& T, int VL, double D, int VC, double V0) {
  const Trakce tr = Trakce::Z(T);
  Konecne(D);
  Konecne(V0);
  // A target behind the train or a deceleration that does not slow it has no plan: the
  // formulas would turn them into negative decelerations and distances.
  if (D < 0) Chyba();
  if (!(tr.b > 0)) Chyba();

  const double VLc = VL / 3.6;
  const double VT = VC / 3.6;
  const double V1 = tr.V1, V2 = tr.V2, b = tr.b;
  const double PM = tr.vykonNaHmotu();

  // 1. Balance speeds.
  P.lim1 = HledejLim1(V1, -PM, tr.c0 + tr.G, tr.c1, tr.c2);
  P.lim2 = P.lim1 > V2 ? HledejLim2(V2, -PM * V2, tr.c0 + tr.G, tr.c1, tr.c2) : Nic;
  const double lim1 = P.lim1, lim2 = P.lim2;

  // 2. Immediate braking: the nominal deceleration cannot make it.
  if (Del(V0 * V0 - VT * VT, 2 * b) >= D) {
    T.BrzdZrych = Del(V0 * V0 - VT * VT, 2 * D);
    P.RychlostMax = V0;
    P.CilRychl = VT;
    return;
  }

  // Braking normally begins where the acceleration or the coasting ends. When the train
  // could not get up to the speed the braking point needs (its balance speed lies at the
  // start of the phase, or the search ran into it), the braking point lies further on and
  // the train covers the gap at its highest speed; braking at CasMax would make the plan
  // jump forward and its times run backwards.
  auto CasBrzdeni = [&]() {
    if (P.BrzdaDraha > P.DrahaMax + PresnostBrzdeni)
      return Del(P.BrzdaDraha - P.DrahaMax, P.RychlostMax) + P.CasMax;
    return P.CasMax;
  };

  // Endings shared by the acceleration phases.
  auto koncemLimitu = [&](double Bd) {  // runs on at VL', brakes Bd before the target
    if (VLc - 0.0001 > VT) {
      P.BrzdaDraha = D - Bd;
      P.CilRychl = VT;
      P.BrzdaCas = Del(P.BrzdaDraha - P.DrahaMax, VLc) + P.CasMax;
    } else {
      P.BrzdaDraha = 0;
      P.CilRychl = VLc;
      P.BrzdaCas = -1;
    }
  };
  auto koncemBrzdy = [&]() {  // brakes where the acceleration ends
    if (P.RychlostMax - 0.0001 > VT) {
      P.BrzdaDraha = D - Del(P.RychlostMax * P.RychlostMax - VT * VT, 2 * b);
      P.CilRychl = VT;
      P.BrzdaCas = CasBrzdeni();
    } else {
      P.BrzdaDraha = 0;
      P.CilRychl = P.RychlostMax;
      P.BrzdaCas = -1;
    }
  };

  // Coasting towards the balance speed L under the constant-power law (or the falling-force
  // one), or a steady run at V0 when the train is at or below it.
  auto dobeh = [&](double L, bool zakon2) {
    const double g = V0 > L ? (zakon2 ? tr.g2(V0) : tr.g1(V0)) : Nic;
    // Within the tolerance of the balance search the law may not slow the train at all
    // (g >= 0): it then runs on at V0 like a train exactly at its balance speed.
    if (V0 <= L || g >= 0) {
      P.RychlostMax = V0;
      P.CasMax = 0;
      P.DrahaMax = 0;
    } else {
      const Dobeh dobeh = Dobeh::Z(V0, L, g);
      P.RychlostMax = -HledejBrzdeni(-V0, VT, 2 * b, D, -V0, -L, Del(V0 - L, g));
      P.CasMax = dobeh.casDo(P.RychlostMax);
      P.DrahaMax = dobeh.draha(P.CasMax);
    }
    if (P.RychlostMax - 0.0001 > VT) {
      P.BrzdaDraha = D - Del(P.RychlostMax * P.RychlostMax - VT * VT, 2 * b);
      P.CilRychl = VT;
      P.BrzdaCas = P.CasMax > 0 ? CasBrzdeni() : Del(P.BrzdaDraha, V0);
    } else {
      P.BrzdaDraha = 0;
      P.CilRychl = P.RychlostMax;
      P.BrzdaCas = -1;
    }
    P.draha1 = P.draha2 = P.cas1 = P.cas2 = 0;
    if (P.DrahaMax > D) P.DrahaMax = D;
  };

  // A locomotive whose full tractive force does not even match the gradient cannot
  // accelerate on this climb at any speed: the phases below would run backwards in time. The
  // train holds the speed its power can hold there, the true balance speed of the
  // constant-power law (below V1, where the balance search never looks), and never more than
  // it brings; it slows down to it when faster. Standing, or with no power at all, it cannot
  // move: that is a calculation fault, and the caller leaves the train standing.
  if (!(tr.a1() > 0)) {
    const double L = RovnovahaNaStoupani(tr);
    if (!(V0 > 0) || !(L > 0)) Chyba();
    P.lim1 = L;
    P.lim2 = Nic;
    dobeh(L, false);
    return;
  }

  // 3. Coasting: the train is at or above a balance speed and cannot accelerate.
  if (V0 + 0.001 >= lim1 || (V0 > V2 && V0 + 0.001 >= lim2)) {
    const bool zakon2 = V0 + 0.001 >= lim2 && lim2 > 0;
    dobeh(zakon2 ? lim2 : lim1, zakon2);
    return;
  }

  // 4. Phase 1, constant force up to V1.
  const double a1 = tr.a1();
  P.draha1 = Kladne(Del(V1 * V1 - V0 * V0, 2 * a1));
  double Bd = Kladne(Del(V1 * V1 - VT * VT, 2 * b));
  if (P.draha1 + Bd >= D || V1 >= VLc) {
    // 7. Phase 1 only, as if the train had started from rest sv metres and tv seconds ago.
    P.draha1 = P.draha2 = P.cas1 = P.cas2 = 0;
    const double sv = Del(V0 * V0, 2 * a1);
    const double tv = Del(V0, a1);
    auto vrchol = [&](double u) {
      P.RychlostMax = u;
      P.CasMax = Del(u, a1) - tv;
      P.DrahaMax = Del(u * u, 2 * a1) - sv;
    };
    vrchol(std::min(Odm(2 * a1 * (D + sv)), VLc));
    Bd = Kladne(Del(P.RychlostMax * P.RychlostMax - VT * VT, 2 * b));
    if (D + 0.000001 < P.DrahaMax + Bd) {
      // Accelerate, then brake at once.
      vrchol(Odm(Del((Del(VT * VT, 2 * b) + D + sv) * 2 * a1 * b, a1 + b)));
      P.BrzdaDraha = P.DrahaMax;
      P.BrzdaCas = P.CasMax;
      P.CilRychl = VT;
    } else if (VT >= P.RychlostMax) {
      P.BrzdaDraha = 0;
      P.CilRychl = P.RychlostMax;
      P.BrzdaCas = -1;
    } else {
      P.BrzdaDraha = D - Bd;
      P.CilRychl = VT;
      P.BrzdaCas = Del(P.BrzdaDraha - P.DrahaMax, P.RychlostMax) + P.CasMax;
    }
    return;
  }
  P.cas1 = Kladne(Del(V1 - V0, a1));

  // The last acceleration phase f, entered at distance `draha` and time `cas` of the plan
  // (less the part sPred, tPred already behind the train): it ends at the speed limit when
  // there is room to brake from it, else where braking must begin.
  auto posledniFaze = [&](const Faze& f, double draha, double cas, double sPred, double tPred) {
    auto doRychlosti = [&](double u) {
      const double T = f.casDo(u);
      P.DrahaMax = draha + f.draha(T) - sPred;
      P.CasMax = cas + T - tPred;
    };
    if (f.lim > VLc) {
      doRychlosti(VLc);
      Bd = Kladne(Del(VLc * VLc - VT * VT, 2 * b));
      if (P.DrahaMax + Bd < D) {
        P.RychlostMax = VLc;
        koncemLimitu(Bd);
        return;
      }
    }
    P.RychlostMax = HledejBrzdeni(f.V, VT, 2 * b, D - draha + sPred, f.V, f.lim, f.tau);
    doRychlosti(P.RychlostMax);
    koncemBrzdy();
  };

  // Phase 2 (constant power from V1 towards lim1); the part behind a train above V1.
  const Faze f2 = Faze::Z(V1, lim1, a1);
  double t0 = 0, s0 = 0;
  if (V0 > V1) {
    t0 = f2.casDo(V0);
    s0 = f2.draha(t0);
  }

  if (lim1 > V2) {
    // 5. Phase 2 up to V2, then phase 3 (falling force from V2 towards lim2).
    const double T2 = Kladne(f2.casDo(V2));
    P.draha2 = Kladne(P.draha1 + f2.draha(T2) - s0);
    P.cas2 = Kladne(P.cas1 + T2 - t0);
    Bd = Kladne(Del(V2 * V2 - VT * VT, 2 * b));
    if (!(P.draha2 + Bd >= D || V2 >= VLc)) {
      const Faze f3 = Faze::Z(V2, lim2, tr.a2());
      double t3 = 0, s3 = 0;
      if (V0 > V2) {
        t3 = f3.casDo(V0);
        s3 = f3.draha(t3);
      }
      posledniFaze(f3, P.draha2, P.cas2, s3, t3);
      return;
    }
  }

  // 6. Phase 2 as the last acceleration phase.
  P.draha2 = 0;
  P.cas2 = 0;
  posledniFaze(f2, P.draha1, P.cas1, s0, t0);
}

bool PlanKonecny(const RVypocet& P) {
  for (double x : {P.lim1, P.lim2, P.draha1, P.draha2, P.cas1, P.cas2, P.DrahaMax, P.CasMax,
                   P.RychlostMax, P.BrzdaDraha, P.BrzdaCas, P.CilRychl})
    if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace

bool vypocty(Stav& s, RVypocet& P, RVlak& T, int VL, double D, int VC, double V0) {
  P = RVypocet{};
  try {
    Spocitej(P, T, VL, D, VC, V0);
    if (!PlanKonecny(P)) Chyba();
    return true;
  } catch (const ChybaPocitani&) {
    ChybaVypoctu(s, &T, P, "vypocty");
    // The report showed the plan as the fault left it; the caller gets only finite values.
    for (double* x : {&P.lim1, &P.lim2, &P.draha1, &P.draha2, &P.cas1, &P.cas2, &P.DrahaMax,
                      &P.CasMax, &P.RychlostMax, &P.BrzdaDraha, &P.BrzdaCas, &P.CilRychl})
      if (!std::isfinite(*x)) *x = 0;
    return false;
  }
}

double HledejLim1(double x0, double k0, double k1, double k2, double k3) {
  return HledejKoren(x0, [&](double v) { return ((k3 * v + k2) * v + k1) * v + k0; });
}

double HledejLim2(double x0, double k0, double k2, double k3, double k4) {
  return HledejKoren(x0, [&](double v) { return ((k4 * v + k3) * v + k2) * v * v + k0; });
}

double BrzdneZpomaleni(int cislo, int delka, bool nizky) {
  if (delka >= 400) return nizky ? 0.5 : 0.3;
  if (cislo > 0 && cislo < 2000) return nizky ? 0.9 : 0.6;
  if ((cislo >= 2000 && cislo < 50000) || (cislo >= 70000 && cislo < 80000))
    return nizky ? 0.7 : 0.5;
  return nizky ? 0.5 : 0.3;
}

double DobaReakce(int cislo, int delka) {
  const bool rychly = (cislo > 0 && cislo < 50000) || (cislo >= 70000 && cislo < 80000);
  return rychly && delka < 400 ? 5.0 : 20.0;
}

}  // namespace stanovar
