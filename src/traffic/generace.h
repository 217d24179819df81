// Train generation and offers from the neighbour stations. At random intervals whose mean the
// dispatcher sets with the train frequency, a random timetable entry is picked: a line set
// for arrivals lets the train in at once, a line used both ways offers it (the line end
// blinks) and the dispatcher accepts or refuses it.
#pragma once

#include <cstdint>
#include <string>

#include "model/stav.h"

namespace stanovar {

// The generator's random numbers: re-seeded from the outside's milliseconds since midnight at
// each generation, then linear congruential, uniform in [0, 1).
void ZasejNahodu(Stav& s);
double Nahoda(Stav& s);

// Handler of event kind 8, also run once after every timetable load: picks a train, lets it
// in or offers it, and schedules the next generation. Exactly one generation stays queued.
void GenerujVlak(Stav& s);

// Appends an offer of timetable entry `spoj` (train `cislo`) by line end `soused` at (x, y).
void PridejNabidku(Stav& s, int cislo, const std::string& odkud, const std::string& kam, int x,
                   int y, int soused, int spoj);
// Removes the offer (no effect for nullptr).
void ZrusNabidku(Stav& s, RNabidka* n);

// Makes the timetable entry of train `cislo` current and hands the train over.
void PosliVlakCislo(Stav& s, int cislo);


// Shows the offer waiting at line track k in the accept panel (the track-information key on a
// blinking line track): the question with the train, its origin and destination, or "CHYBA"
// when no offer is found. Sets NabizenyVlak.
void UkazNabidku(Stav& s, const RKolej& k);


// Line track `k` has been freed: the accepted train waiting for it enters.
void TratUvolnena(Stav& s, RKolej& k);

}  // namespace stanovar
