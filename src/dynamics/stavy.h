// Handlers of the train state events. Each looks the train up by number first and does nothing
// when the train has left meanwhile.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Kind 3: braking towards `cil` (m/s) begins at `poloha` (m along the current section).
void ZacniBrzdit(Stav& s, int cislo, double cil, double poloha);
// Kind 4: a new accelerating or coasting phase towards `cil` begins at `poloha`.
void ZmenJizdu(Stav& s, int cislo, double cil, double poloha);
// Kind 5: the train runs on at the steady speed `v` from `poloha`.
void StalaJizda(Stav& s, int cislo, double v, double poloha);
// Kind 10: the braking deceleration in force becomes `b`.
void NastavBrzdZrych(Stav& s, int cislo, double b);
// Kind 7: the train has reached the line towards its destination and leaves the station. The
// elements still under it are released as its tail clears them; the record is freed.
void OdjezdVlaku(Stav& s, int cislo);

}  // namespace stanovar
