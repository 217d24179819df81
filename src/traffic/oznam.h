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

// Announces a person's input at an entry point for as long as it lives, unless an input is
// being handled already (a key that answers an offer is one input, not two): whoever repeats
// the inputs heard (a player's station over the network) repeats each once.
class OznamVstup {
 public:
  OznamVstup(Stav& s, int kod, int x = 0, int y = 0) : s_(s) {
    if (s_.vstupOsoby++ == 0 && !s_.posluchaci.prazdne()) {
      Oznameni o;
      o.druh = DruhOznameni::Vstup;
      o.kod = kod;
      o.x = x;
      o.y = y;
      Oznam(s_, o);
    }
  }
  ~OznamVstup() { --s_.vstupOsoby; }
  OznamVstup(const OznamVstup&) = delete;
  OznamVstup& operator=(const OznamVstup&) = delete;

 private:
  Stav& s_;
};

}  // namespace stanovar
