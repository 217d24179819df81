#include "control/klavesy.h"

#include <string>

#include "traffic/cas.h"

namespace stanovar {

namespace {

void NastavCetnost(Stav& s, std::uint16_t n) {
  s.CetnostVlaku = n;
  s.okno.CetnostVlakuLabel = s.Text(26) + std::to_string(n);
}

}  // namespace

void FormKeyDown(Stav& s, int klic, [[maybe_unused]] int x, [[maybe_unused]] int y) {
  switch (klic) {
    case KlavesaEsc:
      s.okno.zavrit = true;
      break;
    case KlavesaVlevo:
      if (s.CetnostVlaku > MinCetnostVlaku)
        NastavCetnost(s, static_cast<std::uint16_t>(s.CetnostVlaku - 1));
      break;
    case KlavesaVpravo:
      if (s.CetnostVlaku < MaxCetnostVlaku)
        NastavCetnost(s, static_cast<std::uint16_t>(s.CetnostVlaku + 1));
      break;
    case KlavesaNahoru:
      if (s.RychlostSim < MaxRychlostSim)
        NastavRychlost(s, static_cast<std::uint16_t>(s.RychlostSim + 1));
      break;
    case KlavesaDolu:
      if (s.RychlostSim > 0) NastavRychlost(s, static_cast<std::uint16_t>(s.RychlostSim - 1));
      break;
    case KlavesaF3:
      // Pause, or resume at the factor that ran before the pause.
      NastavRychlost(s, s.RychlostSim == 0 ? s.PosledniRychlost : 0);
      break;
    default:
      break;
  }
}

}  // namespace stanovar
