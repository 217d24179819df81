// The main loop of the discrete-event simulation: scheduling and taking out events, the
// 100 ms tick that shows the clock and executes every due event, and the dispatch by kind.
#pragma once

#include <cstdint>
#include <string>

#include "model/stav.h"
#include "model/fronta.h"

namespace stanovar {

// Event kinds; the handler of each lives with the part of the program that owns it.
enum DruhUdalosti : std::uint16_t {
  UdalostObsazeni = 1,    // head of train vlak enters element prvek
  UdalostUvolneni = 2,    // train vlak has cleared element prvek
  UdalostBrzdeni = 3,     // train vlak starts braking at hodnota2 towards hodnota1
  UdalostZmenaJizdy = 4,  // train vlak accelerates or coasts from hodnota2 towards hodnota1
  UdalostStalaJizda = 5,  // train vlak runs on at hodnota1 from hodnota2
  UdalostVjezd = 6,       // train vlak reaches the start prvek of a set route
  UdalostOdjezd = 7,      // train vlak leaves onto a line and is removed
  UdalostGenerace = 8,    // generate the next train
  UdalostRozjezd = 9,     // turned train vlak standing on track prvek may set off
  UdalostBrzdZrych = 10,  // braking deceleration of train vlak becomes hodnota1
};

// Queues an event due at simulated time `cas` (a time already past runs at the next tick)
// and returns its handle.
FrontaUdalosti::Handle NaplanujUdalost(Stav& s, std::uint16_t druh, int vlak, int prvek,
                                       double hodnota1, double hodnota2, double cas);
// Takes the event out of the queue wherever it stands and copies it to `ven` when given;
// false when the handle refers to no queued event.
bool VyjmiUdalost(Stav& s, FrontaUdalosti::Handle h, RUdalost* ven = nullptr);

// Tells the observer, if any, and calls the handler of the event's kind. Kinds outside 1..10
// are dropped silently.
void ProvedUdalost(Stav& s, const RUdalost& u);

// Executes every due event in time order, including those that handlers schedule as already
// due; returns how many ran.
int ProvedSplatne(Stav& s);

// The 100 ms tick: shows the time of day in okno.hodiny and executes every due event in
// time order, including those that handlers schedule as already due. Does nothing while a
// message box raised from inside the core is open, so one handler never runs in another.
void CasovacUdalostiTimer(Stav& s);

// Hidden single-step command: when the earliest event is due, takes it out, shows its kind,
// train and element in a message box, and executes it.
void Button2Click(Stav& s);

// Pause for a modal dialog opened from the menu, and resume when it closes: always at the
// factor that ran before, also when the simulation was already paused on opening.
void ZacniModalni(Stav& s);
void KonecModalni(Stav& s);

// Time of day of a simulated time as H:MM:SS (7:05:09), milliseconds dropped.
std::string TextCasuDne(double t);

}  // namespace stanovar
