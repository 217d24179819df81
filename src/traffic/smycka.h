// The main loop of the discrete-event simulation: scheduling and taking out events, the
// 100 ms tick that shows the clock and executes every due event, and the dispatch by kind.
#pragma once

#include <cstdint>
#include <string>

#include "model/stav.h"
#include "model/fronta.h"

namespace stanovar {


// Queues an event due at simulated time `cas` (a time already past runs at the next tick)
// and returns its handle.
FrontaUdalosti::Handle NaplanujUdalost(Stav& s, std::uint16_t druh, int vlak, int prvek,
                                       double hodnota1, double hodnota2, double cas);
// Takes the event out of the queue wherever it stands and copies it to `ven` when given;
// false when the handle refers to no queued event.
bool VyjmiUdalost(Stav& s, FrontaUdalosti::Handle h, RUdalost* ven = nullptr);

// Tells the listeners and calls the handler of the event's kind (ProvedUdalost, declared in
// jadro.h for the headless runner). Kinds outside 1..10 are dropped silently.

// Executes every due event in time order, including those that handlers schedule as already
// due; returns how many ran.
int ProvedSplatne(Stav& s);


}  // namespace stanovar
