// Trains and train states shared by the dynamics tests.
#pragma once

#include "model/zaznamy.h"

namespace stanovar::test {

// The reference train: 400 t including the default locomotive (V1 50 km/h, V2 70 km/h,
// 2000 kW, c2 0.00005, c1 0.00007, c0 0.04, rho 1.1), level, braking at 0.7 m/s^2.
inline RVlak ReferencniVlak() {
  RVlak T;
  T.cislo = 1234;
  T.delka = 300;
  T.hmotnost = 400;
  T.vykon = 2000;
  T.rychlost1 = 50;
  T.rychlost2 = 70;
  T.odporA = 0.00005;
  T.odporB = 0.00007;
  T.odporC = 0.04;
  T.soucinitelHmot = 1.1;
  T.sklonPrvku = 0;
  T.BrzdZrych = 0.7;
  return T;
}

// Puts the train into the state it has at the start of plan P when it runs at V0: the
// target of the phase it is in and whether it brakes, as the scheduling of a plan sets them.
inline void NastavZacatek(RVlak& T, const RVypocet& P, double V0) {
  T.rychlost = V0;
  T.brzdi = false;
  double cil = V0;
  if (P.cas1 > 0)
    cil = T.rychlost1 / 3.6;
  else if (P.cas2 > 0)
    cil = T.rychlost2 / 3.6;
  else if (P.CasMax > 0)
    cil = P.RychlostMax;
  if (P.BrzdaCas == 0 && P.CilRychl < V0) {
    cil = P.CilRychl;
    T.brzdi = true;
  }
  T.CilRychl = cil;
  T.lim1 = P.lim1;
  T.lim2 = P.lim2;
}

}  // namespace stanovar::test
