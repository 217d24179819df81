// When a train following a plan reaches a distance, how fast it runs at a time, and where it
// is now according to its stored state and the clock.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dynamics/dotazy.h"
#include "dynamics/fyzika.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "traffic/cas.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

using test::NastavZacatek;
using test::ReferencniVlak;

class Dotazy : public ::testing::Test {
 protected:
  // Plans a run and puts the train into the state at the plan start, as the running code does.
  RVypocet Plan(int VL, double D, int VC, double V0) {
    RVypocet P;
    EXPECT_TRUE(vypocty(w.stav, P, T, VL, D, VC, V0));
    NastavZacatek(T, P, V0);
    T.cas = SimCas(w.stav);
    return P;
  }
  double Doba(const RVypocet& P, double x) { return VypoctiDobu(w.stav, P, T, x, 0) * 86400; }
  double Rychlost(const RVypocet& P, double t) {
    return VypoctiNovouRychlost(w.stav, P, T, t);
  }
  void BezChyby() { EXPECT_TRUE(w.prostredi.zpravy.empty()); }

  test::Svet w;
  RVlak T = ReferencniVlak();
};

TEST_F(Dotazy, TimesAndSpeedsOfTheThreeKilometrePlan) {
  RVypocet P = Plan(100, 3000, 0, 0);
  EXPECT_NEAR(Doba(P, 1000), 79.6, 0.05);  // phase 3
  EXPECT_NEAR(Doba(P, 2800), 150.8, 0.05);  // braking
  EXPECT_NEAR(Doba(P, 3000), 174.7, 0.05);  // the stop
  EXPECT_NEAR(Rychlost(P, 100), 25.71, 0.005);
  EXPECT_NEAR(Rychlost(P, 100) * 3.6, 92.6, 0.05);

  // The plan's own points: each phase begins where and when the plan says.
  EXPECT_NEAR(Doba(P, 0), 0, 1e-12);
  EXPECT_NEAR(Doba(P, P.draha1), P.cas1, 1e-9);
  EXPECT_NEAR(Doba(P, P.draha2), P.cas2, 1e-4);
  EXPECT_NEAR(Doba(P, P.DrahaMax), P.CasMax, 1e-4);
  EXPECT_NEAR(Doba(P, P.BrzdaDraha), P.BrzdaCas, 1e-9);
  EXPECT_NEAR(Rychlost(P, P.cas1), 50 / 3.6, 1e-9);
  EXPECT_NEAR(Rychlost(P, P.cas2), 70 / 3.6, 1e-4);
  EXPECT_NEAR(Rychlost(P, P.CasMax), 100 / 3.6, 1e-4);
  EXPECT_NEAR(Rychlost(P, Doba(P, 3000)), 0, 0.01);
  EXPECT_NEAR(Rychlost(P, 20), 20 * 0.3273, 0.002);  // constant force in phase 1

  // The offset is added in seconds before the conversion to a day fraction.
  EXPECT_DOUBLE_EQ(VypoctiDobu(w.stav, P, T, 1000, 30),
                   VypoctiDobu(w.stav, P, T, 1000, 0) + 30.0 / 86400);
  BezChyby();
}

TEST_F(Dotazy, SpeedKeepsFallingBeyondTheEndOfThePlan) {
  RVypocet P = Plan(100, 3000, 0, 0);
  const double v = Rychlost(P, 200);
  EXPECT_LT(v, 0);
  EXPECT_NEAR(v, P.RychlostMax - (200 - P.BrzdaCas) * 0.7, 1e-9);
  BezChyby();
}

TEST_F(Dotazy, TrainStartingAboveTheSecondCharacteristicSpeed) {
  RVypocet P = Plan(100, 3000, 0, 25);
  EXPECT_NEAR(Doba(P, 0), 0, 1e-4);
  EXPECT_NEAR(Rychlost(P, 0), 25, 1e-9);
  EXPECT_NEAR(Doba(P, P.DrahaMax), P.CasMax, 1e-3);
  // The falling force makes the speed rise ever more slowly: above the chord at mid-time.
  const double stred = Rychlost(P, P.CasMax / 2);
  EXPECT_GT(stred, (25 + P.RychlostMax) / 2);
  EXPECT_LT(stred, P.RychlostMax);
  BezChyby();
}

TEST_F(Dotazy, TrainBrakingFromThePlanStart) {
  RVypocet P = Plan(100, 100, 0, 20);
  ASSERT_TRUE(T.brzdi);
  EXPECT_NEAR(Doba(P, 100), 10, 0.001);
  EXPECT_NEAR(Doba(P, 75), 5, 1e-6);
  EXPECT_DOUBLE_EQ(Rychlost(P, 5), 10);
  BezChyby();
}

TEST_F(Dotazy, CoastingTrain) {
  RVypocet P = Plan(160, 3000, 0, 35);
  ASSERT_GT(P.CasMax, 0);
  EXPECT_NEAR(Doba(P, P.DrahaMax), P.CasMax, 1e-3);
  EXPECT_NEAR(Rychlost(P, P.CasMax), P.RychlostMax, 1e-9);
  EXPECT_LT(Rychlost(P, 10), 35);
  EXPECT_GT(Rychlost(P, 10), P.RychlostMax);
  BezChyby();
}

TEST_F(Dotazy, SteadyRunAtTheBalanceSpeed) {
  const double lim2 = Plan(160, 3000, 0, 0).lim2;
  RVypocet P = Plan(160, 3000, 0, lim2);
  ASSERT_EQ(T.CilRychl, T.rychlost);
  EXPECT_DOUBLE_EQ(Doba(P, 1000), 1000 / lim2);
  EXPECT_DOUBLE_EQ(Rychlost(P, 10), lim2);
  BezChyby();
}

class Aktualni : public Dotazy {
 protected:
  // Speed and position after the clock has run on by `sekund`.
  std::pair<double, double> Za(double sekund) {
    w.prostredi.posun(sekund);
    double v = -99, s = -99;
    EXPECT_TRUE(AktualRychlost(w.stav, T, v, s));
    return {v, s};
  }
};

TEST_F(Aktualni, BrakingTrainExtrapolatesBeyondTheStop) {
  T.brzdi = true;
  T.rychlost = 20;
  T.CilRychl = 0;
  T.vzdalenost = 50;
  T.BrzdZrych = 0.5;
  T.cas = SimCas(w.stav);
  auto [v, s] = Za(10);
  EXPECT_NEAR(v, 15, 1e-6);
  EXPECT_NEAR(s, 50 + 200 - 25, 1e-4);
  std::tie(v, s) = Za(40);
  EXPECT_NEAR(v, -5, 1e-6);
  EXPECT_NEAR(s, 50 + 1000 - 625, 1e-4);
  BezChyby();
}

TEST_F(Aktualni, SteadyTrain) {
  T.rychlost = T.CilRychl = 20;
  T.vzdalenost = 7;
  T.cas = SimCas(w.stav);
  auto [v, s] = Za(10);
  EXPECT_DOUBLE_EQ(v, 20);
  EXPECT_NEAR(s, 207, 1e-4);
  // A paused clock stops the train where it is.
  NastavRychlost(w.stav, 0);
  auto [v2, s2] = Za(100);
  EXPECT_NEAR(s2, s, 1e-9);
  EXPECT_DOUBLE_EQ(v2, 20);
}

// Between two events the state extrapolated from the stored one must be where the plan that
// produced those events puts the train.
TEST_F(Aktualni, FollowsThePlanInEveryPhase) {
  RVypocet P = Plan(100, 3000, 0, 0);
  const RVlak start = T;
  struct Bod {
    double rychlost, cil, t;  // state at the plan time t, and the time after it
  };
  const double V1 = 50 / 3.6, V2 = 70 / 3.6;
  for (const Bod& b : {Bod{0, V1, 0}, Bod{V1, V2, P.cas1}, Bod{V2, P.RychlostMax, P.cas2}}) {
    T = start;
    T.rychlost = b.rychlost;
    T.CilRychl = b.cil;
    // Position at the phase start in plan terms.
    T.vzdalenost = b.t == 0 ? 0 : (b.t == P.cas1 ? P.draha1 : P.draha2);
    T.cas = SimCas(w.stav);
    auto [v, s] = Za(8);
    SCOPED_TRACE(b.rychlost);
    // The plan's speed at the same time, and the plan's time at the same place.
    T = start;
    EXPECT_NEAR(v, Rychlost(P, b.t + 8), 1e-6);
    EXPECT_NEAR(Doba(P, s), b.t + 8, 1e-3);
  }
  BezChyby();
}

TEST_F(Aktualni, CoastingTrainFollowsItsPlan) {
  RVypocet P = Plan(160, 3000, 0, 35);
  T.vzdalenost = 0;
  auto [v, s] = Za(12);
  EXPECT_NEAR(v, Rychlost(P, 12), 1e-9);
  EXPECT_NEAR(Doba(P, s), 12, 1e-3);
  EXPECT_LT(v, 35);
}

TEST_F(Aktualni, TrainStartedWithinThePhaseAfterV2) {
  RVypocet P = Plan(100, 3000, 0, 22);
  T.vzdalenost = 0;
  auto [v, s] = Za(6);
  EXPECT_NEAR(v, Rychlost(P, 6), 1e-9);
  EXPECT_NEAR(Doba(P, s), 6, 1e-3);
  EXPECT_GT(v, 22);
}

// Just above the balance speed the search found, but below the true one: the resistance does
// not slow the train, and it is taken to run on at its speed, as its plan has it.
TEST_F(Aktualni, BetweenTheFoundAndTheTrueBalanceSpeedTheTrainRunsOn) {
  T.rychlost2 = 150;
  RVypocet P = Plan(160, 3000, 0, 38.65);
  T.CilRychl = 30;  // a state that asks for coasting
  T.vzdalenost = 5;
  auto [v, s] = Za(10);
  EXPECT_DOUBLE_EQ(v, 38.65);
  EXPECT_NEAR(s, 5 + 386.5, 1e-6);
  EXPECT_DOUBLE_EQ(Doba(P, 1000), 1000 / 38.65);
  EXPECT_DOUBLE_EQ(Rychlost(P, 20), 38.65);
  BezChyby();
}

TEST_F(Aktualni, MayUpdateTheTrainsOwnFields) {
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

// Faults: the report names the query, the simulation pauses and the caller gets a defined
// value back.
TEST_F(Dotazy, TimeBeyondTheStopIsReportedAndGivesTheOffset) {
  RVypocet P = Plan(100, 3000, 0, 0);
  const double t = VypoctiDobu(w.stav, P, T, 3100, 7);
  EXPECT_DOUBLE_EQ(t, 7.0 / 86400);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_NE(w.prostredi.zpravy[0].find("VypoctiDobu"), std::string::npos);
  EXPECT_EQ(w.stav.RychlostSim, 0);

  EXPECT_EQ(VypoctiDobu(w.stav, P, T, 100, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(w.prostredi.zpravy.size(), 2u);
}

TEST_F(Dotazy, SpeedFaultGivesTheTrainsSpeed) {
  RVypocet P = Plan(100, 3000, 0, 3);
  T.hmotnost = 0;  // the force per mass divides by it
  EXPECT_EQ(Rychlost(P, 1), 3);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_NE(w.prostredi.zpravy[0].find("VypoctiNovouRychlost"), std::string::npos);
  EXPECT_EQ(w.stav.RychlostSim, 0);
}

TEST_F(Aktualni, FaultLeavesTheOutputsAndStopsTheSpeedometer) {
  T.rychlost = 3;
  T.CilRychl = 50 / 3.6;
  T.hmotnost = 0;
  T.cas = SimCas(w.stav);
  w.stav.okno.Rychlomer = true;
  w.prostredi.posun(5);
  double v = 11, s = 22;
  EXPECT_FALSE(AktualRychlost(w.stav, T, v, s));
  EXPECT_EQ(v, 11);
  EXPECT_EQ(s, 22);
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_NE(w.prostredi.zpravy[0].find("AktualRychlost"), std::string::npos);
}

TEST_F(Aktualni, OverflowIsAFault) {
  // A state stamped a day ahead: the phase law grows past every bound backwards in time.
  Plan(100, 3000, 0, 0);
  T.rychlost = 15;
  T.CilRychl = 70 / 3.6;
  T.cas = SimCas(w.stav) + 1.0;
  double v = 1, s = 2;
  EXPECT_FALSE(AktualRychlost(w.stav, T, v, s));
  EXPECT_EQ(v, 1);
  EXPECT_EQ(w.prostredi.zpravy.size(), 1u);
}

TEST(HledaniCasu, SolvesTheDistanceEquation) {
  struct Uloha {
    double B, c, d, e;
  };
  for (const Uloha& u : {Uloha{500, -1 / 50.0, 11.76 * 50, 31.2}, Uloha{3000, -1 / 75.6, 1870, 38.6},
                         Uloha{0.5, -1 / 50.0, 600, 31.2}, Uloha{800, -0.02, -150, 28}}) {
    const double t = fyzika::HledejCas(1.0, u.B, u.c, u.d, u.e);
    EXPECT_GT(t, 0);
    EXPECT_LT(std::fabs(u.d * (std::exp(u.c * t) - 1) + u.e * t - u.B), 0.001) << u.B;
  }
}

TEST(HledaniCasu, UnreachableDistanceIsAFault) {
  // Coasting towards a standstill never covers more than d metres.
  EXPECT_THROW(fyzika::HledejCas(1.0, 100, -0.1, -50, 0), fyzika::ChybaPocitani);
  // A distance behind the phase start is never reached either.
  EXPECT_THROW(fyzika::HledejCas(1.0, -5, -0.02, 500, 30), fyzika::ChybaPocitani);
}

}  // namespace
}  // namespace stanovar
