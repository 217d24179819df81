// A train's run over its set routes. A train moves one route section at a time: when its head
// reaches a set route, the whole run to that route's end is computed at once and every future
// change of its state (phase changes, occupation and release of each element, the arrival,
// the entry into the next route or the departure onto a line) is put into the event queue.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Handler of the enter-route event: train `cislo` takes over the path of the route set from
// `start` (a signal, or the track a follow-on section continues) and its run to the route's
// end is scheduled. Nothing happens when the train or the route is gone.
void VjezdDoCesty(Stav& s, int cislo, int start);

// A route has just been set from `start` with speed limit VC (km/h): when it begins where the
// current section of train `cislo` ends, in its direction of travel, the train no longer stops
// there. A braking train keeps braking for its reaction time first; its queued events from
// then on are replaced.
void PreplanujJizdu(Stav& s, int cislo, int start, int VC);

// A standing train turns round: its direction becomes the other one, and its path and
// position are put into the new direction's scale. The path becomes the tracks and
// connectors under the train, in the new order, the head (the old tail) on the last one, whose
// start is at 0; the steps behind lie at 0 or below, as after a route entry. A re-planning
// then sees the whole way to the end ahead, and releases each element once the new tail has
// left it. A train that stood short of its route's end (it could not start there) leaves the
// steps ahead of its head out of the path: they go to `vpred`, in path order, for the caller
// to give back.
void ObratVlak(Stav& s, RVlak& T, Kroky* vpred = nullptr);

// Turns plan P into the phase events of the train (kinds 3, 4, 5) and sets its current target
// speed and braking flag. Plan distances are shifted by posOffset metres and plan times by
// timeOffset seconds; events at a plan distance of `limit` or more are left out. A plan that
// starts later than now gets a steady-run event and a phase event at its start.
void NaplanujJizdu(Stav& s, RVlak& T, const RVypocet& P, double posOffset, double limit,
                   double startSpeed, double timeOffset);

}  // namespace stanovar
