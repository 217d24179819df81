// The running plan of a train: how far and how long it accelerates, the highest speed it
// reaches, where and when it starts braking and with which speed it arrives. Everything is
// computed in closed form per phase or by a short bounded search, never by stepping time.
//
// Units inside: m, s, m/s, t, kW, m/s^2. Speeds given in whole km/h are divided by 3.6.
#pragma once

#include "model/stav.h"

namespace stanovar {

// Fills the plan P for train T, which runs at V0 (m/s) now, may not exceed VL (km/h) and must
// have VC (km/h) at the target point D metres ahead. Changes the train only by raising its
// BrzdZrych when the nominal deceleration cannot stop it in time. The plan is cleared first.
// On a floating-point fault (or a target behind the train, or a deceleration that is not
// positive) the calculation error report is shown, the simulation pauses, the plan keeps the
// finite fields computed so far (the others are 0) and false is returned.
bool vypocty(Stav& s, RVypocet& P, RVlak& T, int VL, double D, int VC, double V0);

// Balance speed: the root of k3*v^3 + k2*v^2 + k1*v + k0 found by doubling from x0 and then
// halving the bracket; |h| < 0.1 counts as a root, so it never returns much less than x0.
// When the polynomial stays below -0.1 up to StropRychlosti (no resistance worth the name)
// the ceiling is returned; a start speed of 0 or less starts the doubling from 0.5 m/s.
double HledejLim1(double x0, double k0, double k1, double k2, double k3);
// The same for k4*v^4 + k3*v^3 + k2*v^2 + k0.
double HledejLim2(double x0, double k0, double k2, double k3, double k4);

// Balance speed returned when the traction outruns every resistance: 1000 m/s, far beyond any
// speed limit, so the train simply accelerates towards the limit.
constexpr double StropRychlosti = 1000.0;

// Nominal braking deceleration, m/s^2, by train number and length; `nizky` when the run's
// target speed is below 16 km/h.
double BrzdneZpomaleni(int cislo, int delka, bool nizky);

// Reaction time of the driver, s: 5 for short passenger and fast trains, 20 otherwise.
double DobaReakce(int cislo, int delka);

}  // namespace stanovar
