#include "traffic/cas.h"

#include <string>

namespace stanovar {

double SimCas(Stav& s) {
  double T = s.prostredi->casDne();
  if (T < s.RealZnacka) {
    // The wall clock passed midnight: continue from the simulated time reached then.
    s.SimZaklad += (1.0 - s.RealZnacka) * s.RychlostSim;
    s.RealZnacka = 0.0;
    T = s.prostredi->casDne();
  }
  return (T - s.RealZnacka) * s.RychlostSim + s.SimZaklad;
}

void NastavRychlost(Stav& s, std::uint16_t n) {
  if (s.RychlostSim > 0) s.PosledniRychlost = s.RychlostSim;
  // SimCas also carries the base over midnight before the factor changes.
  s.SimZaklad = SimCas(s);
  s.RealZnacka = s.prostredi->casDne();
  s.RychlostSim = n;
  s.okno.RychlostSimLabel = s.Text(27) + std::to_string(n);
}

}  // namespace stanovar
