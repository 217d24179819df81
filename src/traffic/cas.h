// The simulated clock: a day fraction that runs at an integer multiple of the wall clock.
//
// The clock is kept as a base (SimZaklad, the simulated time reached at the wall-clock stamp
// RealZnacka) plus the wall-clock time elapsed since the stamp times the speed factor, so a
// change of factor only rebases and never makes the simulated time jump.
#pragma once

#include <cstdint>

#include "model/stav.h"

namespace stanovar {

constexpr std::uint16_t MaxRychlostSim = 6;

// Current simulated time, day fraction; never wrapped at midnight.
double SimCas(Stav& s);
// Sets the speed factor 0..6 (0 pauses) without changing the simulated time at this
// instant, and rewrites RychlostSimLabel. The factor in force before, when not a pause,
// is kept in PosledniRychlost to resume with.
void NastavRychlost(Stav& s, std::uint16_t n);

// Time of day of a simulated time as H:MM:SS (7:05:09), milliseconds dropped.
std::string TextCasuDne(double t);

}  // namespace stanovar
