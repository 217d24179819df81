// Trains and train states shared by the dynamics tests.
#pragma once

#include <cmath>

#include "model/zaznamy.h"

namespace stanovar::test {

// 400 t including the default locomotive (V1 50 km/h, V2 70 km/h, 2000 kW, c2 0.00005,
// c1 0.00007, c0 0.04, rho 1.1), level, braking at 0.7 m/s^2.
inline RVlak ReferencniVlak() {
  RVlak T;
  T.cislo = 1234;
  T.delka = 300;
  T.hmotnost = 400;
  T.rychlost1 = 50, T.rychlost2 = 70, T.vykon = 2000;
  T.odporA = 0.00005, T.odporB = 0.00007, T.odporC = 0.04, T.soucinitelHmot = 1.1;
  T.sklonPrvku = 0;
  T.BrzdZrych = 0.7;
  return T;
}

// The state at the start of plan P from speed V0, as the scheduling of a plan leaves it: the
// target of the first phase, braking when the plan brakes at once, the balance speeds.
inline void NastavZacatek(RVlak& T, const RVypocet& P, double V0) {
  T.rychlost = V0;
  T.CilRychl = P.cas1 > 0 ? T.rychlost1 / 3.6
               : P.cas2 > 0 ? T.rychlost2 / 3.6
               : P.CasMax > 0 ? P.RychlostMax
                              : V0;
  T.brzdi = P.BrzdaCas == 0 && P.CilRychl < V0;
  if (T.brzdi) T.CilRychl = P.CilRychl;
  T.lim1 = P.lim1;
  T.lim2 = P.lim2;
}

inline bool VseKonecne(const RVypocet& P) {
  for (double x : {P.lim1, P.lim2, P.draha1, P.draha2, P.cas1, P.cas2, P.DrahaMax, P.CasMax,
                   P.RychlostMax, P.BrzdaDraha, P.BrzdaCas, P.CilRychl})
    if (!std::isfinite(x)) return false;
  return true;
}

}  // namespace stanovar::test
