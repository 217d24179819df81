// Announcing a notice: the core's one way of telling whoever listens what has happened.
#pragma once

#include "model/oznameni.h"
#include "model/stav.h"

namespace stanovar {

// Tells every listener, stamped with the simulated time now. The clock is read only when
// somebody listens.
void Oznam(Stav& s, Oznameni o);

inline void Oznam(Stav& s, DruhOznameni druh, int vlak, int prvek = 0, bool priznak = false) {
  if (s.posluchaci.prazdne()) return;
  Oznameni o;
  o.druh = druh;
  o.vlak = vlak;
  o.prvek = prvek;
  o.priznak = priznak;
  Oznam(s, o);
}

}  // namespace stanovar
