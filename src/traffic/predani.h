// The hand-over of a train from a neighbour station: the current timetable entry becomes a
// running train on the arrival track at its origin's line end, entering at line speed with
// its first running plan already queued. Also the departure of a train that turned round.
#pragma once

#include <string>

#include "model/stav.h"

namespace stanovar {

// Trains shorter than this (a timetable may give 0) run as this long, metres.
constexpr int NejkratsiVlak = 1;

// Hands over the train of the current timetable entry by line end `soused` (an accepted
// offer's own), or with 0 by the origin's first line end for arrivals or both ways. Declines
// silently (no new train) when there is no entry, a train of that number already runs, that
// line end is not the origin's or not for arrivals or both ways, no track holds that line
// end, the track is not free or its speed limit is 0. A train that could never move (no
// power, no mass, no speed, or a braking its gradient cancels where it must brake) is refused
// with the calculation error report.
// `zdroj` tells the listeners of the hand-over where the train came from.
void PosliVlak(Stav& s, int soused = 0, ZdrojVlaku zdroj = ZdrojVlaku::Trat);

// Completes a new train with its locomotive's data, or the default locomotive's when the
// name is not in the locomotive list.
void PriradLoko(Stav& s, RVlak& V, const std::string& jmeno);

// Handler of event kind 9: the turned train `cislo` standing on track `kolej` may set off
// along the route set ahead of it, if there is one.
void RozjezdVlaku(Stav& s, int cislo, int kolej);


}  // namespace stanovar
