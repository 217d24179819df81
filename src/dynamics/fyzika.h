// The pieces shared by the running calculations: checked arithmetic and the traction model
// of one train. Used only inside the guarded entry points of vypocty.h and dotazy.h.
//
// Every function here may throw ChybaPocitani. A guard around each entry point catches it,
// shows the calculation error report and gives the caller a defined result, so no NaN or
// infinity ever leaves the dynamics code.
#pragma once

#include <cmath>

#include "model/zaznamy.h"

namespace stanovar::fyzika {

// A floating-point fault: the logarithm of a number that is not positive, the square root of
// a negative number, a division by zero, an overflow, a search that found nothing, or a
// value that was not finite to begin with.
struct ChybaPocitani {};

[[noreturn]] inline void Chyba() { throw ChybaPocitani{}; }

inline double Konecne(double x) {
  if (!std::isfinite(x)) Chyba();
  return x;
}
inline double Ln(double x) {
  if (!(x > 0.0)) Chyba();  // also refuses NaN
  return Konecne(std::log(x));
}
inline double Odm(double x) {
  if (!(x >= 0.0)) Chyba();
  return std::sqrt(x);
}
inline double Del(double a, double b) {
  if (b == 0.0) Chyba();
  return Konecne(a / b);
}
inline double Exp(double x) { return Konecne(std::exp(x)); }

// The quantities of one train that the model reads, in m, s, t, kW and m/s.
struct Trakce {
  double m = 0;    // mass including the locomotive, t
  double P = 0;    // power, kW
  double V1 = 0;   // end of constant force, m/s
  double V2 = 0;   // end of constant power, m/s
  double c0 = 0;   // m/s^2
  double c1 = 0;   // 1/s
  double c2 = 0;   // 1/m
  double G = 0;    // gradient term, m/s^2, positive uphill
  double rho = 0;  // factor for rotating masses
  double b = 0;    // braking deceleration, m/s^2

  // Copies the train's quantities; a value that is not finite is a fault.
  static Trakce Z(const RVlak& v);

  // P/(m*rho), the power term of the balance speed polynomials.
  double vykonNaHmotu() const { return Del(P, m * rho); }
  // Constant acceleration below V1 and the nominal one at V2: only the gradient is taken off.
  double a1() const { return Del(P, m * rho * V1) - G; }
  double a2() const { return Del(P, m * rho * V2) - G; }
  double odpor(double v) const { return c0 + G + c1 * v + c2 * v * v; }
  // Net accelerations of the constant-power and the falling-force laws.
  double g1(double v) const { return Del(P, m * rho * v) - odpor(v); }
  double g2(double v) const { return Del(P * V2, m * rho * v * v) - odpor(v); }
};

// One exponential acceleration phase: from speed V towards the balance speed lim with the
// time constant tau, time counted from the moment the train had speed V.
struct Faze {
  double V = 0;
  double lim = 0;
  double tau = 0;

  // Phase with the acceleration a at its start speed.
  static Faze Z(double V, double lim, double a) { return {V, lim, Del(lim - V, a)}; }

  double rychlost(double t) const { return lim - (lim - V) * Exp(-Del(t, tau)); }
  // Time from the phase start until the speed u.
  double casDo(double u) const { return tau * Ln(Del(lim - V, lim - u)); }
  // Distance covered in time t from the phase start.
  double draha(double t) const { return lim * t - (lim - V) * tau * (1.0 - Exp(-Del(t, tau))); }
};

// Slowing down from V0 towards the balance speed L of law g (the train is above it).
struct Dobeh {
  double V0 = 0;
  double L = 0;
  double k = 0;  // g(V0)/(V0 - L), negative while the law slows the train

  static Dobeh Z(double V0, double L, double gV0) { return {V0, L, Del(gV0, V0 - L)}; }

  double rychlost(double t) const { return L + (V0 - L) * Exp(k * t); }
  double casDo(double u) const { return Del(Ln(Del(u - L, V0 - L)), k); }
  double draha(double t) const { return L * t + Del((V0 - L) * (Exp(k * t) - 1.0), k); }
};

// Speed u at which a train in an exponential phase (start speed e, limit L, time constant
// tau) has to start braking with deceleration dveB/2 to arrive with speed VT at distance Dc
// from the phase start. Bisection on the residual, to 0.00001 m/s and, near the balance
// speed, on until the residual is within 0.01 m; also used on negated speeds for coasting.
double HledejBrzdeni(double x0, double VT, double dveB, double Dc, double e, double L,
                     double tau);

// Time t > 0 at which d*(exp(c*t) - 1) + e*t equals B: a secant search with a bracket,
// starting from ts. Throws when the distance is never reached.
double HledejCas(double ts, double B, double c, double d, double e);

}  // namespace stanovar::fyzika
