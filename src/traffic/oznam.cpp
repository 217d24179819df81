#include "traffic/oznam.h"

#include "traffic/cas.h"

namespace stanovar {

void Oznam(Stav& s, Oznameni o) {
  if (s.posluchaci.prazdne()) return;
  o.cas = SimCas(s);
  s.posluchaci.oznam(s, o);
}

}  // namespace stanovar
