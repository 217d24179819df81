#include "traffic/virtualni.h"

#include <algorithm>
#include <cmath>

#include "traffic/cas.h"
#include "traffic/smycka.h"

namespace stanovar {

double VirtualniProstredi::casDne() { return abs_ - std::floor(abs_); }

std::uint32_t VirtualniProstredi::msOdPulnoci() {
  const auto ms = static_cast<std::uint32_t>(std::llround(casDne() * 86400000.0) % 86400000);
  // The seed is spread over all bits so that neighbouring seeds give unrelated sequences.
  return ms ^ (seed_ * 2654435761u);
}

void PosunNa(Stav& s, VirtualniProstredi& p, double cil) {
  if (s.RychlostSim == 0) return;
  // The clock passes at most one midnight per reading, so long jumps go in half days.
  for (int i = 0; i < 1000000; ++i) {
    const double ted = SimCas(s);
    if (!(ted < cil)) return;
    double krok = (cil - ted) / s.RychlostSim;
    if (krok > 0.5) krok = 0.5;
    // Rounding may leave the clock a hair short of the target: then it is nudged on by a
    // tenth of a microsecond.
    p.nastavAbsolutni(p.absolutni() + std::max(krok, 1e-12));
  }
}

long long Simuluj(Stav& s, VirtualniProstredi& p, double konec,
                  const std::function<void()>& poKroku) {
  long long provedeno = 0;
  for (;;) {
    if (s.RychlostSim == 0) NastavRychlost(s, s.PosledniRychlost ? s.PosledniRychlost : 1);
    const RUdalost* u = s.fronta.nejdrivejsi();
    if (!u || !(u->cas <= konec)) break;
    PosunNa(s, p, u->cas);
    provedeno += ProvedSplatne(s);
    if (poKroku) poKroku();
  }
  PosunNa(s, p, konec);
  return provedeno;
}

}  // namespace stanovar
