#include "jadro.h"
#include "smena/smena.h"

namespace stanovar {

ChodHodin PozastavHodiny(Stav& s) {
  const ChodHodin c{s.RychlostSim, s.PosledniRychlost};
  NastavRychlost(s, 0);
  return c;
}

void ObnovHodiny(Stav& s, const ChodHodin& c) {
  NastavRychlost(s, c.rychlost);
  // Setting the speed keeps the factor it replaced; the player's own comes back instead.
  s.PosledniRychlost = c.posledni;
}

}  // namespace stanovar
