#include "dynamics/dotazy.h"

#include <cmath>

#include "dynamics/chyba.h"
#include "dynamics/fyzika.h"
#include "traffic/cas.h"

namespace stanovar {

using namespace fyzika;

namespace {

// Time from the start of an exponential phase until it has covered B metres.
double CasFaze(const Faze& f, double B) {
  return HledejCas(1.0, B, -Del(1.0, f.tau), (f.lim - f.V) * f.tau, f.lim);
}

// Coasting law of a train above the balance speed L. False when the law would not slow it
// (V0 within the tolerance of the balance search): it then runs on at V0, as the plan has it.
bool Dobiha(const Trakce& tr, double V0, double L, bool zakon2, Dobeh* d) {
  const double g = zakon2 ? tr.g2(V0) : tr.g1(V0);
  if (g >= 0) return false;
  *d = Dobeh::Z(V0, L, g);
  return true;
}

double Doba(const RVypocet& P, const RVlak& T, double x) {
  const Trakce tr = Trakce::Z(T);
  Konecne(x);
  const double V0 = Konecne(T.rychlost);
  const double b = tr.b;
  if (x > P.BrzdaDraha && P.BrzdaDraha > 0) {
    const double Vm = P.RychlostMax;
    return Del(Vm, b) + P.BrzdaCas -
           Odm(Del(2 * (Del(Vm * Vm, 2 * b) + P.BrzdaDraha - x), b) + 0.0001);
  }
  if (x > P.DrahaMax && P.DrahaMax > 0) return Del(x - P.DrahaMax, P.RychlostMax) + P.CasMax;
  if (x > P.draha2 && P.draha2 > 0)
    return P.cas2 + CasFaze(Faze::Z(tr.V2, P.lim2, tr.a2()), x - P.draha2);
  if (x > P.draha1 && P.draha1 > 0)
    return P.cas1 + CasFaze(Faze::Z(tr.V1, P.lim1, tr.a1()), x - P.draha1);

  // The point lies in the phase the train is in at the plan start.
  if (T.brzdi) return Del(V0, b) - Odm(Del(2 * (Del(V0 * V0, 2 * b) - x + 0.00000001), b));
  if (V0 == T.CilRychl) return Del(x, V0);
  Dobeh d;
  if (V0 > P.lim2 && P.lim2 > 0)
    return Dobiha(tr, V0, P.lim2, true, &d) ? HledejCas(1.0, x, d.k, Del(V0 - d.L, d.k), d.L)
                                            : Del(x, V0);
  if (V0 > P.lim1 && P.lim1 > 0)
    return Dobiha(tr, V0, P.lim1, false, &d) ? HledejCas(1.0, x, d.k, Del(V0 - d.L, d.k), d.L)
                                             : Del(x, V0);
  if (V0 >= tr.V2) {
    const Faze f3 = Faze::Z(tr.V2, P.lim2, tr.a2());
    const double t3 = V0 > tr.V2 ? f3.casDo(V0) : 0.0;
    return CasFaze(f3, x + f3.draha(t3)) - t3;
  }
  if (V0 >= tr.V1) {
    const Faze f2 = Faze::Z(tr.V1, P.lim1, tr.a1());
    const double t0 = V0 > tr.V1 ? f2.casDo(V0) : 0.0;
    return CasFaze(f2, x + f2.draha(t0)) - t0;
  }
  const double a1 = tr.a1();
  return Del(Odm(V0 * V0 + 2 * x * a1) - V0, a1);
}

double Rychlost(const RVypocet& P, const RVlak& T, double t) {
  const Trakce tr = Trakce::Z(T);
  Konecne(t);
  const double V0 = Konecne(T.rychlost);
  if (t > P.BrzdaCas && P.BrzdaCas > 0) return P.RychlostMax - (t - P.BrzdaCas) * tr.b;
  if (t > P.CasMax && P.CasMax > 0) return P.RychlostMax;
  if (t > P.cas2 && P.cas2 > 0) return Faze::Z(tr.V2, P.lim2, tr.a2()).rychlost(t - P.cas2);
  if (t > P.cas1 && P.cas1 > 0) return Faze::Z(tr.V1, P.lim1, tr.a1()).rychlost(t - P.cas1);

  if (T.brzdi) return V0 - tr.b * t;
  if (V0 == T.CilRychl) return V0;
  Dobeh d;
  if (V0 > P.lim2 && P.lim2 > 0)
    return Dobiha(tr, V0, P.lim2, true, &d) ? d.rychlost(t) : V0;
  if (V0 > P.lim1 && P.lim1 > 0)
    return Dobiha(tr, V0, P.lim1, false, &d) ? d.rychlost(t) : V0;
  if (V0 >= tr.V2) {
    const Faze f3 = Faze::Z(tr.V2, P.lim2, tr.a2());
    const double t3 = V0 > tr.V2 ? f3.casDo(V0) : 0.0;
    return f3.rychlost(t + t3);
  }
  if (V0 >= tr.V1) {
    const Faze f2 = Faze::Z(tr.V1, P.lim1, tr.a1());
    const double t0 = V0 > tr.V1 ? f2.casDo(V0) : 0.0;
    return f2.rychlost(t + t0);
  }
  return V0 + tr.a1() * t;
}

// Speed and position dt seconds after the train's stored state, with its own balance speeds.
void Extrapoluj(const RVlak& T, double dt, double& v, double& s) {
  const Trakce tr = Trakce::Z(T);
  Konecne(dt);
  const double V0 = Konecne(T.rychlost);
  const double s0 = Konecne(T.vzdalenost);
  const double b = tr.b;
  // Coasting towards L, or a steady run when the law would not slow the train.
  auto dobeh = [&](double L, bool zakon2) {
    Dobeh d;
    if (Dobiha(tr, V0, L, zakon2, &d)) {
      v = d.rychlost(dt);
      s = s0 + d.draha(dt);
    } else {
      v = V0;
      s = s0 + V0 * dt;
    }
  };
  if (T.brzdi) {
    v = V0 - b * dt;
    s = s0 + V0 * dt - b * dt * dt / 2;
  } else if (V0 == T.CilRychl) {
    v = V0;
    s = s0 + V0 * dt;
  } else if (V0 > T.lim2 && T.lim2 > 0) {
    dobeh(T.lim2, true);
  } else if (V0 > T.lim1 && T.lim1 > 0) {
    dobeh(T.lim1, false);
  } else if (V0 >= tr.V2 && tr.V2 > 0) {
    const Faze f3 = Faze::Z(tr.V2, T.lim2, tr.a2());
    const double t3 = f3.casDo(V0);
    v = f3.rychlost(dt + t3);
    s = s0 + f3.draha(dt + t3) - f3.draha(t3);
  } else if (V0 >= tr.V1 && tr.V1 > 0) {
    const Faze f2 = Faze::Z(tr.V1, T.lim1, tr.a1());
    const double t0 = f2.casDo(V0);
    v = f2.rychlost(dt + t0);
    s = s0 + f2.draha(dt + t0) - f2.draha(t0);
  } else {
    const double a1 = tr.a1();
    v = V0 + a1 * dt;
    s = s0 + V0 * dt + a1 * dt * dt / 2;
  }
  Konecne(v);
  Konecne(s);
}

}  // namespace

double VypoctiDobu(Stav& s, const RVypocet& P, RVlak& T, double x, double offset) {
  try {
    return Konecne((Konecne(Doba(P, T, x)) + Konecne(offset)) / 86400.0);
  } catch (const ChybaPocitani&) {
    ChybaVypoctu(s, &T, P, "VypoctiDobu");
    return std::isfinite(offset) ? offset / 86400.0 : 0.0;
  }
}

double VypoctiNovouRychlost(Stav& s, const RVypocet& P, RVlak& T, double t) {
  try {
    return Konecne(Rychlost(P, T, t));
  } catch (const ChybaPocitani&) {
    ChybaVypoctu(s, &T, P, "VypoctiNovouRychlost");
    return std::isfinite(T.rychlost) ? T.rychlost : 0.0;
  }
}

bool AktualRychlost(Stav& s, RVlak& T, double& v, double& poloha) {
  double nv = 0, ns = 0;
  try {
    Extrapoluj(T, (SimCas(s) - T.cas) * 86400.0, nv, ns);
  } catch (const ChybaPocitani&) {
    ChybaStavu(s, &T, "AktualRychlost");
    return false;
  }
  v = nv;
  poloha = ns;
  return true;
}

}  // namespace stanovar
