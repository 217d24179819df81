// A train's head entering an element and its tail leaving it: the occupied and released
// events of the main loop.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Element `id` (a track or a connector; anything else is ignored) becomes occupied by train
// `vlak` and is shown red, a track with the train number.
void ObsazeniPrvku(Stav& s, int vlak, int id);
// Element `id` becomes free and is shown in the foreground colour, a track with its own
// number; stored routes it blocked are retried at once.
void UvolneniPrvku(Stav& s, int vlak, int id);

}  // namespace stanovar
