// The dispatcher's keyboard: every key of the main window arrives here with its
// virtual-key code and the mouse cursor's point in picture pixels.
#pragma once

#include <cstdint>

#include "model/stav.h"

namespace stanovar {

// Virtual-key codes of the keys the main window answers; letters in either case.
enum KodKlavesy : int {
  KlavesaEsc = 27,
  KlavesaVlevo = 37,
  KlavesaNahoru = 38,
  KlavesaVpravo = 39,
  KlavesaDolu = 40,
  KlavesaA = 65,
  KlavesaN = 78,
  KlavesaF1 = 112,
  KlavesaF2 = 113,
  KlavesaF3 = 114,
  KlavesaF5 = 116,
};

constexpr std::uint16_t MinCetnostVlaku = 1;
constexpr std::uint16_t MaxCetnostVlaku = 8;

// Handles one key press. x, y is the cursor point (already snapped to the grid) at which
// the commands about a train or a track act. Keys without a command do nothing.
void FormKeyDown(Stav& s, int klic, int x, int y);

// F1: the train on the track at the point, in the train panel, with its speedometer running.
void InfoVlak(Stav& s, int x, int y);
// F2: the track at the point in the track panel, or the offer waiting on a blinking line.
void InfoKolej(Stav& s, int x, int y);
// F5: turns the standing train at the point. Behind a signal that faces the new direction it
// turns where it stands and departs in eight minutes; otherwise a free route out behind it is
// locked and it departs in two. Nothing happens for a moving train, one that already waits
// for its departure, or while a route is being chosen.
void OtocVlak(Stav& s, int x, int y);
// The 250 ms speedometer of the shown train: speed in km/h and metres left to the end of its
// route section, halves to the even neighbour. Silent once the train has left.
void RychlomerTimer(Stav& s);

}  // namespace stanovar
