// A train's head entering an element and its tail leaving it: the occupied and released
// events of the main loop.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Element `id` (a track or a connector; anything else is ignored) becomes occupied by train
// `vlak` and is shown red, a track with the train number. The element keeps the number of
// the train on it, a connector too, so that a release can tell who holds it.
void ObsazeniPrvku(Stav& s, int vlak, int id);
// Element `id` becomes free and is shown in the foreground colour, a track with its own
// number; stored routes it blocked are retried at once. Train `vlak` frees only an element it
// holds: a release left over for an element its train no longer holds would free it under
// the next train, or out of a route locked since. With `vlak` 0 the element is freed
// whoever holds it.
void UvolneniPrvku(Stav& s, int vlak, int id);

// Whether train `vlak` holds element e: it is occupied for that train (or, in a shift saved
// before connectors kept their train, for no train in particular).
inline bool DrziPrvek(const RKolej& e, int vlak) {
  return e.zaver == 3 && (e.vlak == vlak || e.vlak == 0);
}

}  // namespace stanovar
