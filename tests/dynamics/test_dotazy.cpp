// When a train following a plan reaches a distance, how fast it runs at a time, and where it
// is now according to its stored state and the clock.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "dynamics/dotazy.h"
#include "dynamics/fyzika.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "traffic/cas.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

class Dotazy : public ::testing::Test {
 protected:
  // Plans a run and puts the train into the state at the plan start, stamped now.
  RVypocet Plan(int VL, double D, int VC, double V0) {
    RVypocet P;
    EXPECT_TRUE(vypocty(w.stav, P, T, VL, D, VC, V0));
    test::NastavZacatek(T, P, V0);
    T.vzdalenost = 0;
    T.cas = SimCas(w.stav);
    return P;
  }
  double Doba(const RVypocet& P, double x) { return VypoctiDobu(w.stav, P, T, x, 0) * 86400; }
  double V(const RVypocet& P, double t) { return VypoctiNovouRychlost(w.stav, P, T, t); }
  // Speed and position after the clock has run on by `sekund`.
  std::pair<double, double> Za(double sekund) {
    w.prostredi.posun(sekund);
    double v = -99, s = -99;
    EXPECT_TRUE(AktualRychlost(w.stav, T, v, s));
    return {v, s};
  }

  test::Svet w;
  RVlak T = test::ReferencniVlak();
};

TEST_F(Dotazy, ThreeKilometrePlanFromRest) {
  RVypocet P = Plan(100, 3000, 0, 0);
  EXPECT_NEAR(Doba(P, 1000), 79.6, 0.05);   // phase 3
  EXPECT_NEAR(Doba(P, 2800), 150.8, 0.05);  // braking
  EXPECT_NEAR(Doba(P, 3000), 174.7, 0.05);  // the stop
  EXPECT_NEAR(V(P, 100), 25.71, 0.005);
  EXPECT_NEAR(V(P, 100) * 3.6, 92.6, 0.05);
  EXPECT_NEAR(V(P, 20), 20 * 0.3273, 0.002);  // constant force in phase 1

  // Each phase begins where and when the plan says.
  EXPECT_EQ(Doba(P, 0), 0);
  EXPECT_NEAR(Doba(P, P.draha1), P.cas1, 1e-9);
  EXPECT_NEAR(Doba(P, P.draha2), P.cas2, 1e-4);
  EXPECT_NEAR(Doba(P, P.DrahaMax), P.CasMax, 1e-4);
  EXPECT_NEAR(Doba(P, P.BrzdaDraha), P.BrzdaCas, 1e-9);
  EXPECT_NEAR(V(P, P.cas1), 50 / 3.6, 1e-9);
  EXPECT_NEAR(V(P, P.cas2), 70 / 3.6, 1e-4);
  EXPECT_NEAR(V(P, P.CasMax), 100 / 3.6, 1e-4);
  EXPECT_NEAR(V(P, Doba(P, 3000)), 0, 0.01);
  // Beyond the end of the plan the speed keeps falling.
  EXPECT_NEAR(V(P, 200), P.RychlostMax - (200 - P.BrzdaCas) * 0.7, 1e-9);
  EXPECT_LT(V(P, 200), 0);
  // The offset is added in seconds before the conversion to a day fraction.
  EXPECT_DOUBLE_EQ(VypoctiDobu(w.stav, P, T, 1000, 30),
                   VypoctiDobu(w.stav, P, T, 1000, 0) + 30.0 / 86400);
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

TEST_F(Dotazy, CurrentStateBrakingAndSteady) {
  T.brzdi = true;
  T.rychlost = 20, T.CilRychl = 0, T.vzdalenost = 50, T.BrzdZrych = 0.5;
  T.cas = SimCas(w.stav);
  auto [v, s] = Za(10);
  EXPECT_NEAR(v, 15, 1e-6);
  EXPECT_NEAR(s, 50 + 200 - 25, 1e-4);
  std::tie(v, s) = Za(40);  // beyond the stop until an event ends the braking
  EXPECT_NEAR(v, -5, 1e-6);
  EXPECT_NEAR(s, 50 + 1000 - 625, 1e-4);

  T.brzdi = false;
  T.rychlost = T.CilRychl = 20, T.vzdalenost = 7;
  T.cas = SimCas(w.stav);
  std::tie(v, s) = Za(10);
  EXPECT_EQ(v, 20);
  EXPECT_NEAR(s, 207, 1e-4);
  NastavRychlost(w.stav, 0);  // a paused clock holds the train where it is
  EXPECT_NEAR(Za(100).second, s, 1e-9);
}

// The outputs may be the train's own fields (the running code passes them).
TEST_F(Dotazy, CurrentStateIntoTheTrainsOwnFields) {
  Plan(100, 3000, 0, 5);
  T.vzdalenost = 10;
  w.prostredi.posun(4);
  double v = 0, s = 0;
  ASSERT_TRUE(AktualRychlost(w.stav, T, v, s));
  ASSERT_TRUE(AktualRychlost(w.stav, T, T.rychlost, T.vzdalenost));
  EXPECT_EQ(T.rychlost, v);
  EXPECT_EQ(T.vzdalenost, s);
  EXPECT_NEAR(s, 10 + 5 * 4 + 0.3273 * 8, 0.001);
}

// Just above the balance speed the search found but below the true one, the resistance does
// not slow the train: it runs on at its speed, as its plan has it.
TEST_F(Dotazy, BetweenTheFoundAndTheTrueBalanceSpeedTheTrainRunsOn) {
  T.rychlost2 = 150;
  RVypocet P = Plan(160, 3000, 0, 38.65);
  T.CilRychl = 30;  // a state that asks for coasting
  auto [v, s] = Za(10);
  EXPECT_EQ(v, 38.65);
  EXPECT_NEAR(s, 386.5, 1e-6);
  EXPECT_DOUBLE_EQ(Doba(P, 1000), 1000 / 38.65);
  EXPECT_EQ(V(P, 20), 38.65);
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

// A fault is reported under the query's name, pauses the simulation, and the caller gets a
// defined value back.
TEST_F(Dotazy, FaultsGiveDefinedResults) {
  RVypocet P = Plan(100, 3000, 0, 0);
  EXPECT_DOUBLE_EQ(VypoctiDobu(w.stav, P, T, 3100, 7), 7.0 / 86400);  // beyond the stop
  EXPECT_EQ(VypoctiDobu(w.stav, P, T, 100, std::nan("")), 0);
  T.rychlost = 3;
  T.hmotnost = 0;  // the force per mass divides by it
  EXPECT_EQ(V(P, 1), 3);
  w.stav.okno.Rychlomer = true;
  w.prostredi.posun(5);
  double v = 11, s = 22;
  EXPECT_FALSE(AktualRychlost(w.stav, T, v, s));
  EXPECT_EQ(v, 11);
  EXPECT_EQ(s, 22);
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  // Overflow: a state stamped a day ahead makes the phase law grow past every bound.
  T.hmotnost = 400, T.rychlost = 15, T.CilRychl = 70 / 3.6;
  T.cas = SimCas(w.stav) + 1.0;
  EXPECT_FALSE(AktualRychlost(w.stav, T, v, s));
  EXPECT_EQ(v, 11);

  const char* jmena[] = {"VypoctiDobu", "VypoctiDobu", "VypoctiNovouRychlost", "AktualRychlost",
                         "AktualRychlost"};
  ASSERT_EQ(w.prostredi.zpravy.size(), 5u);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(w.prostredi.zpravy[i].find(w.stav.Text(33) + jmena[i]), 0u) << i;
  EXPECT_EQ(w.stav.RychlostSim, 0);
}

TEST(HledaniCasu, SolvesTheDistanceEquationOrFaults) {
  struct U {
    double B, c, d, e;
  };
  for (const U& u : {U{500, -1 / 50.0, 588, 31.2}, U{3000, -1 / 75.6, 1870, 38.6},
                     U{0.5, -1 / 50.0, 600, 31.2}, U{800, -0.02, -150, 28}}) {
    const double t = fyzika::HledejCas(1.0, u.B, u.c, u.d, u.e);
    EXPECT_GT(t, 0);
    EXPECT_LT(std::fabs(u.d * (std::exp(u.c * t) - 1) + u.e * t - u.B), 0.001) << u.B;
  }
  // Coasting towards a standstill never covers more than d metres; a distance behind the
  // phase start is never reached either.
  EXPECT_THROW(fyzika::HledejCas(1.0, 100, -0.1, -50, 0), fyzika::ChybaPocitani);
  EXPECT_THROW(fyzika::HledejCas(1.0, -5, -0.02, 500, 30), fyzika::ChybaPocitani);
}

}  // namespace
}  // namespace stanovar
