// The dispatcher's keyboard: every key of the main window arrives here with its
// virtual-key code and the mouse cursor's point in picture pixels.
#pragma once

#include <cstdint>

#include "model/stav.h"

namespace stanovar {

// F1: the train on the track at the point, in the train panel, with its speedometer running.
void InfoVlak(Stav& s, int x, int y);
// F2: the track at the point in the track panel, or the offer waiting on a blinking line.
void InfoKolej(Stav& s, int x, int y);
// F5: turns the standing train at the point. Behind a signal that faces the new direction it
// turns where it stands and departs in eight minutes; otherwise a free route out behind it is
// locked and it departs in two. Nothing happens for a moving train, one that already waits
// for its departure, or while a route is being chosen.
void OtocVlak(Stav& s, int x, int y);

}  // namespace stanovar
