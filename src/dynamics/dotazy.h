// Questions about a train that follows a running plan or its last stored state: when does it
// reach a distance, how fast is it at a time, where is it now.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Time, as a day fraction, from the plan start until the train following plan P covers x
// metres, plus `offset` seconds. Reads T's rychlost, CilRychl, brzdi and BrzdZrych as the
// state at the plan start. After a fault (reported) it returns offset/86400 alone, or 0 when
// the offset itself is not finite.
double VypoctiDobu(Stav& s, const RVypocet& P, RVlak& T, double x, double offset);

// Speed, m/s, t seconds after the plan start. After a fault (reported) it returns the
// train's rychlost (0 when that is not finite).
double VypoctiNovouRychlost(Stav& s, const RVypocet& P, RVlak& T, double t);

// Speed (m/s) and position (m) of the train now, extrapolated from its stored state and the
// simulated clock. v and poloha may be the train's own rychlost and vzdalenost. After a
// fault (reported, speedometer stopped) both are left unchanged and false is returned.
bool AktualRychlost(Stav& s, RVlak& T, double& v, double& poloha);

}  // namespace stanovar
