// The simulated clock: a day fraction that runs at an integer multiple of the wall clock.
#pragma once

#include <cstdint>

#include "model/stav.h"

namespace stanovar {

// Current simulated time, day fraction; never wrapped at midnight.
double SimCas(Stav& s);
// Sets the speed factor 0..6 (0 pauses) without changing the simulated time at this
// instant, and rewrites RychlostSimLabel.
void NastavRychlost(Stav& s, std::uint16_t n);

}  // namespace stanovar
