#include "traffic/cas.h"

#include <string>

namespace stanovar {

namespace {

// Simulated time at wall-clock time T. When the wall clock has passed midnight since the
// previous reading, the base is first carried to the simulated time reached at that midnight.
// Compared with the stamp alone, a second midnight would go unseen: after the first the stamp
// is 0, and no time of day is earlier.
double SimCasPri(Stav& s, double T) {
  if (T < s.RealZnacka || T < s.PosledniCteni) {
    s.SimZaklad += (1.0 - s.RealZnacka) * s.RychlostSim;
    s.RealZnacka = 0.0;
  }
  s.PosledniCteni = T;
  return (T - s.RealZnacka) * s.RychlostSim + s.SimZaklad;
}

}  // namespace

double SimCas(Stav& s) { return SimCasPri(s, s.prostredi->casDne()); }

void NastavRychlost(Stav& s, std::uint16_t n) {
  if (s.RychlostSim > 0) s.PosledniRychlost = s.RychlostSim;
  // One reading of the wall clock serves both the new base and the new stamp; two readings
  // would drop the simulated time that passed between them.
  double T = s.prostredi->casDne();
  s.SimZaklad = SimCasPri(s, T);
  s.RealZnacka = T;
  s.RychlostSim = n;
  s.okno.RychlostSimLabel = s.Text(27) + std::to_string(n);
}

}  // namespace stanovar
