// Taking over a station already running: instead of an empty yard at the start of a shift,
// the station as the automatic dispatcher left it after the hour before now.
#pragma once

#include <string>

#include "model/stav.h"
#include "smena/ulozeni.h"

namespace stanovar {

// How long the station runs before it is handed over, day fraction.
constexpr double DobaPredPrevzetim = 1.0 / 24;

// Opens the station of these files (as Open station does) and runs it headless, with the
// automatic dispatcher at frequency s.CetnostVlaku, through the simulated hour up to the
// current time of day; then hands it over at the real clock. The hand-over is a save and an
// open, so every train, offer and route is as a person would have left them. On failure
// (a file that cannot be read) the running state stays as it was.
VysledekUlozeni PrevezmiProvoz(Stav& s, const std::string& schema, const std::string& grafikon,
                               const std::string& lokomotivy);

}  // namespace stanovar
