// The running plan against the figures worked out by hand for the reference train, the two
// tables, the balance speed searches and the inputs that have no sensible plan.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dynamics/fyzika.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

using test::ReferencniVlak;

// Each figure is checked to the last digit it is given with.
#define EXPECT_NA(x, ref, cifra) EXPECT_NEAR((x), (ref), (cifra) / 2.0)

bool VseKonecne(const RVypocet& P) {
  for (double x : {P.lim1, P.lim2, P.draha1, P.draha2, P.cas1, P.cas2, P.DrahaMax, P.CasMax,
                   P.RychlostMax, P.BrzdaDraha, P.BrzdaCas, P.CilRychl})
    if (!std::isfinite(x)) return false;
  return true;
}

class Plan : public ::testing::Test {
 protected:
  RVypocet Spocti(int VL, double D, int VC, double V0) {
    RVypocet P;
    EXPECT_TRUE(vypocty(w.stav, P, T, VL, D, VC, V0));
    EXPECT_TRUE(w.prostredi.zpravy.empty());
    return P;
  }
  test::Svet w;
  RVlak T = ReferencniVlak();
};

TEST_F(Plan, BalanceSpeedsAndPhaseConstantsOfTheReferenceTrain) {
  RVypocet P = Spocti(100, 3000, 0, 0);
  EXPECT_NA(P.lim1, 38.63, 0.01);
  EXPECT_NA(P.lim1 * 3.6, 139.1, 0.1);
  EXPECT_NA(P.lim2, 31.20, 0.01);
  EXPECT_NA(P.lim2 * 3.6, 112.3, 0.1);

  const fyzika::Trakce tr = fyzika::Trakce::Z(T);
  EXPECT_NA(tr.a1(), 0.3273, 0.0001);
  EXPECT_NA(fyzika::Faze::Z(tr.V1, P.lim1, tr.a1()).tau, 75.6, 0.1);
  EXPECT_NA(fyzika::Faze::Z(tr.V2, P.lim2, tr.a2()).tau, 50.3, 0.1);

  // The entry of a train calls the searches directly with the same coefficients.
  const double PM = 2000.0 / (400 * 1.1);
  EXPECT_DOUBLE_EQ(HledejLim1(50 / 3.6, -PM, 0.04, 0.00007, 0.00005), P.lim1);
  EXPECT_DOUBLE_EQ(HledejLim2(70 / 3.6, -PM * 70 / 3.6, 0.04, 0.00007, 0.00005), P.lim2);
}

TEST_F(Plan, FromRestOverThreeKilometresToAStop) {
  RVypocet P = Spocti(100, 3000, 0, 0);
  EXPECT_NA(P.draha1, 294.7, 0.1);
  EXPECT_NA(P.cas1, 42.4, 0.1);
  EXPECT_NA(P.draha2, 617.4, 0.1);
  EXPECT_NA(P.cas2, 61.7, 0.1);
  EXPECT_NA(P.RychlostMax, 27.78, 0.01);
  EXPECT_NA(P.DrahaMax, 2134.7, 0.1);
  EXPECT_NA(P.CasMax, 123.7, 0.1);
  EXPECT_NA(P.BrzdaDraha, 2448.9, 0.1);
  EXPECT_NA(P.BrzdaCas, 135.0, 0.1);
  EXPECT_EQ(P.CilRychl, 0);
  EXPECT_EQ(T.BrzdZrych, 0.7);  // only immediate braking changes the train
}

TEST_F(Plan, ShortRunBrakesAsSoonAsItStopsAccelerating) {
  RVypocet P = Spocti(100, 200, 0, 0);
  EXPECT_EQ(P.draha1, 0);
  EXPECT_EQ(P.cas1, 0);
  EXPECT_EQ(P.draha2, 0);
  EXPECT_EQ(P.cas2, 0);
  // 9.4448 m/s, which the hand calculation rounds up to 9.45.
  EXPECT_NEAR(P.RychlostMax, 9.45, 0.01);
  EXPECT_NEAR(P.RychlostMax * P.RychlostMax, 200 * 2 * 0.7 * T.vykon / 440.0 / (50 / 3.6) /
                                                 (T.vykon / 440.0 / (50 / 3.6) + 0.7),
              1e-9);
  EXPECT_NA(P.DrahaMax, 136.3, 0.1);
  EXPECT_NA(P.CasMax, 28.9, 0.1);
  EXPECT_EQ(P.BrzdaDraha, P.DrahaMax);
  EXPECT_EQ(P.BrzdaCas, P.CasMax);
  EXPECT_EQ(P.CilRychl, 0);
}

TEST_F(Plan, LimitBelowTheFirstCharacteristicSpeed) {
  RVypocet P = Spocti(40, 800, 0, 0);
  EXPECT_NA(P.RychlostMax, 11.11, 0.01);
  EXPECT_NA(P.DrahaMax, 188.6, 0.1);
  EXPECT_NA(P.CasMax, 34.0, 0.1);
  EXPECT_NA(P.BrzdaDraha, 711.8, 0.1);
  EXPECT_NA(P.BrzdaCas, 81.0, 0.1);
  EXPECT_EQ(P.draha1, 0);
  EXPECT_EQ(P.cas1, 0);
}

TEST_F(Plan, StartAboveTheSecondCharacteristicSpeed) {
  RVypocet P = Spocti(100, 3000, 0, 90 / 3.6);
  EXPECT_EQ(P.draha1, 0);
  EXPECT_EQ(P.draha2, 0);
  EXPECT_EQ(P.cas1, 0);
  EXPECT_EQ(P.cas2, 0);
  EXPECT_NA(P.DrahaMax, 792.9, 0.1);
  EXPECT_NA(P.CasMax, 29.9, 0.1);
  EXPECT_NA(P.RychlostMax, 27.78, 0.01);
  // Braking from 100 km/h at 0.7 needs the same 551.1 m as in the run from rest.
  EXPECT_NEAR(P.BrzdaDraha, 3000 - (100 / 3.6) * (100 / 3.6) / 1.4, 1e-9);
}

TEST_F(Plan, ImmediateBrakingRaisesTheDeceleration) {
  RVypocet P = Spocti(100, 100, 0, 20);
  EXPECT_DOUBLE_EQ(T.BrzdZrych, 2.0);
  EXPECT_EQ(P.BrzdaCas, 0);
  EXPECT_EQ(P.RychlostMax, 20);
  EXPECT_EQ(P.CilRychl, 0);
  for (double x : {P.draha1, P.draha2, P.cas1, P.cas2, P.DrahaMax, P.CasMax, P.BrzdaDraha})
    EXPECT_EQ(x, 0);
  EXPECT_GT(P.lim1, 0);  // the balance speeds are still filled in
  EXPECT_GT(P.lim2, 0);
}

TEST_F(Plan, TargetNotBelowTheHighestSpeedMeansNoBraking) {
  // The target 80 km/h lies above the limit of 60 km/h: the train just runs at the limit.
  RVypocet P = Spocti(60, 3000, 80, 0);
  EXPECT_EQ(P.BrzdaCas, -1);
  EXPECT_EQ(P.BrzdaDraha, 0);
  EXPECT_DOUBLE_EQ(P.RychlostMax, 60 / 3.6);
  EXPECT_EQ(P.CilRychl, P.RychlostMax);
  EXPECT_GT(P.CasMax, P.cas1);

  // Too short to reach the target speed: the plan ends at the speed it gets to.
  P = Spocti(100, 150, 90, 0);
  EXPECT_EQ(P.BrzdaCas, -1);
  EXPECT_LT(P.RychlostMax, 90 / 3.6);
  EXPECT_EQ(P.CilRychl, P.RychlostMax);
}

TEST_F(Plan, AtTheBalanceSpeedTheTrainRunsOnWithoutAccelerating) {
  const double lim2 = Spocti(160, 3000, 0, 0).lim2;
  RVypocet P = Spocti(160, 3000, 0, lim2);
  EXPECT_EQ(P.RychlostMax, lim2);
  EXPECT_EQ(P.DrahaMax, 0);
  EXPECT_EQ(P.CasMax, 0);
  EXPECT_NEAR(P.BrzdaDraha, 3000 - lim2 * lim2 / 1.4, 1e-9);
  EXPECT_DOUBLE_EQ(P.BrzdaCas, P.BrzdaDraha / lim2);

  // Just under it, within the millimetre per second, too.
  P = Spocti(160, 3000, 0, lim2 - 0.0005);
  EXPECT_EQ(P.CasMax, 0);
  EXPECT_EQ(P.RychlostMax, lim2 - 0.0005);
}

// The balance search stops within 0.1 of the polynomial's root, here about 0.05 m/s below
// the true balance of 38.68 m/s. A train in between is above the found balance speed, yet its
// resistance does not slow it: it runs on at its speed instead of "coasting" upwards.
TEST_F(Plan, BetweenTheFoundAndTheTrueBalanceSpeedTheTrainRunsOn) {
  T.rychlost2 = 150;  // no falling-force law below the balance speed
  RVypocet P = Spocti(160, 3000, 0, 38.65);
  ASSERT_LT(P.lim1, 38.65);
  ASSERT_EQ(P.lim2, 0);
  EXPECT_EQ(P.RychlostMax, 38.65);
  EXPECT_EQ(P.CasMax, 0);
  EXPECT_EQ(P.DrahaMax, 0);
  EXPECT_DOUBLE_EQ(P.BrzdaCas, P.BrzdaDraha / 38.65);
}

TEST_F(Plan, AboveTheBalanceSpeedTheTrainCoastsDownThenBrakes) {
  RVypocet P = Spocti(160, 3000, 0, 35);
  EXPECT_GT(P.RychlostMax, P.lim2);
  EXPECT_LT(P.RychlostMax, 35);
  EXPECT_GT(P.CasMax, 0);
  // Coasting ends where braking to the stop has to begin.
  EXPECT_NEAR(P.DrahaMax + P.RychlostMax * P.RychlostMax / 1.4, 3000, 0.02);
  EXPECT_EQ(P.BrzdaCas, P.CasMax);
  EXPECT_EQ(P.CilRychl, 0);
  const fyzika::Dobeh d = fyzika::Dobeh::Z(35, P.lim2, fyzika::Trakce::Z(T).g2(35));
  EXPECT_NEAR(d.rychlost(P.CasMax), P.RychlostMax, 1e-9);
  EXPECT_NEAR(d.draha(P.CasMax), P.DrahaMax, 1e-6);
}

TEST(Tabulky, NominalBrakingDeceleration) {
  EXPECT_EQ(BrzdneZpomaleni(1500, 300, true), 0.9);
  EXPECT_EQ(BrzdneZpomaleni(1500, 300, false), 0.6);
  EXPECT_EQ(BrzdneZpomaleni(20000, 300, true), 0.7);
  EXPECT_EQ(BrzdneZpomaleni(20000, 300, false), 0.5);
  EXPECT_EQ(BrzdneZpomaleni(75000, 300, true), 0.7);
  EXPECT_EQ(BrzdneZpomaleni(60000, 300, true), 0.5);
  EXPECT_EQ(BrzdneZpomaleni(60000, 300, false), 0.3);
  EXPECT_EQ(BrzdneZpomaleni(0, 100, true), 0.5);
  EXPECT_EQ(BrzdneZpomaleni(80000, 100, false), 0.3);
  for (int cislo : {1500, 20000, 60000}) {
    EXPECT_EQ(BrzdneZpomaleni(cislo, 400, true), 0.5);
    EXPECT_EQ(BrzdneZpomaleni(cislo, 400, false), 0.3);
  }
  // Class boundaries.
  EXPECT_EQ(BrzdneZpomaleni(1999, 300, true), 0.9);
  EXPECT_EQ(BrzdneZpomaleni(2000, 300, true), 0.7);
  EXPECT_EQ(BrzdneZpomaleni(49999, 300, true), 0.7);
  EXPECT_EQ(BrzdneZpomaleni(50000, 300, true), 0.5);
  EXPECT_EQ(BrzdneZpomaleni(69999, 300, true), 0.5);
  EXPECT_EQ(BrzdneZpomaleni(70000, 300, true), 0.7);
  EXPECT_EQ(BrzdneZpomaleni(1500, 399, false), 0.6);
}

TEST(Tabulky, ReactionTime) {
  EXPECT_EQ(DobaReakce(1500, 300), 5);
  EXPECT_EQ(DobaReakce(60000, 300), 20);
  EXPECT_EQ(DobaReakce(1500, 400), 20);
  EXPECT_EQ(DobaReakce(49999, 399), 5);
  EXPECT_EQ(DobaReakce(70000, 100), 5);
  EXPECT_EQ(DobaReakce(80000, 100), 20);
  EXPECT_EQ(DobaReakce(0, 100), 20);
}

TEST(HledaniRovnovahy, FindsTheRootWithinItsTolerance) {
  // v^3/1000 + v - 100 has its root near 40.7.
  const double v = HledejLim1(10, -100, 1, 0, 0.001);
  EXPECT_LT(std::fabs(v * v * v / 1000 + v - 100), 0.1);
  // A balance below the start speed comes out as about the start speed.
  EXPECT_NEAR(HledejLim1(60, -100, 1, 0, 0.001), 60, 1e-6);
  const double u = HledejLim2(10, -2000, 0, 0, 0.001);  // v^4/1000 = 2000
  EXPECT_LT(std::fabs(u * u * u * u / 1000 - 2000), 0.1);
}

TEST(HledaniRovnovahy, EndsWhenNoBalanceExists) {
  // No resistance and a falling gradient: the polynomial stays negative for every speed.
  EXPECT_EQ(HledejLim1(50 / 3.6, -4.5, -0.01, 0, 0), StropRychlosti);
  EXPECT_EQ(HledejLim2(70 / 3.6, -80, -0.01, 0, 0), StropRychlosti);
  // A resistance that falls with speed.
  EXPECT_EQ(HledejLim1(10, -1, 0.01, 0, -0.001), StropRychlosti);
  // NaN coefficients never satisfy the search either.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(HledejLim1(10, nan, 0.04, 0.00007, 0.00005), StropRychlosti);
}

TEST(HledaniRovnovahy, ZeroStartSpeedStillFindsTheRoot) {
  const double PM = 2000.0 / (400 * 1.1);
  const double v = HledejLim1(0, -PM, 0.04, 0.00007, 0.00005);
  EXPECT_GT(v, 30);
  EXPECT_LT(std::fabs(0.00005 * v * v * v + 0.00007 * v * v + 0.04 * v - PM), 0.1);
  const double u = HledejLim2(-5, -PM * 70 / 3.6, 0.04, 0.00007, 0.00005);
  EXPECT_GT(u, 25);
  EXPECT_LT(u, 35);
}

// Inputs without a sensible plan: the report is shown, the simulation pauses and the plan
// holds only finite numbers; nothing hangs.
class SpatnyVstup : public Plan {
 protected:
  void OcekavejChybu(int VL, double D, int VC, double V0) {
    RVypocet P;
    P.DrahaMax = 1234;  // whatever the caller's record held before
    EXPECT_FALSE(vypocty(w.stav, P, T, VL, D, VC, V0));
    ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
    EXPECT_NE(w.prostredi.zpravy[0].find("vypocty"), std::string::npos);
    EXPECT_EQ(w.stav.RychlostSim, 0);
    EXPECT_TRUE(VseKonecne(P));
    EXPECT_NE(P.DrahaMax, 1234);
    EXPECT_TRUE(std::isfinite(T.BrzdZrych));
  }
};

TEST_F(SpatnyVstup, ZeroPower) {
  T.vykon = 0;
  OcekavejChybu(100, 3000, 0, 0);
}

TEST_F(SpatnyVstup, ZeroMass) {
  T.hmotnost = 0;
  OcekavejChybu(100, 3000, 0, 0);
}

TEST_F(SpatnyVstup, ZeroFirstCharacteristicSpeed) {
  T.rychlost1 = 0;
  OcekavejChybu(100, 3000, 0, 0);
}

TEST_F(SpatnyVstup, DecelerationNotPositive) {
  T.BrzdZrych = 0;
  OcekavejChybu(100, 3000, 0, 10);
}

TEST_F(SpatnyVstup, NegativeDecelerationWouldNotBeCaughtByTheFormulas) {
  T.BrzdZrych = -0.5;
  OcekavejChybu(100, 3000, 0, 10);
}

TEST_F(SpatnyVstup, TargetBehindTheTrain) {
  // The formulas alone would give a negative braking deceleration here.
  OcekavejChybu(100, -50, 0, 20);
  EXPECT_EQ(T.BrzdZrych, 0.7);
}

TEST_F(SpatnyVstup, StandingAtTheStopTarget) {
  OcekavejChybu(100, 0, 0, 0);  // 0/0 deceleration
}

TEST_F(SpatnyVstup, NotANumberFromAFile) {
  T.odporC = std::numeric_limits<double>::quiet_NaN();
  OcekavejChybu(100, 3000, 0, 0);
}

TEST_F(SpatnyVstup, NotANumberAsDistanceOrSpeed) {
  OcekavejChybu(100, std::numeric_limits<double>::quiet_NaN(), 0, 0);
}

TEST_F(SpatnyVstup, InfiniteSpeed) {
  OcekavejChybu(100, 3000, 0, std::numeric_limits<double>::infinity());
}

TEST_F(Plan, ZeroDistanceBelowTheTargetSpeedIsASteadyRun) {
  RVypocet P = Spocti(100, 0, 80, 10);
  EXPECT_EQ(P.RychlostMax, 10);
  EXPECT_EQ(P.BrzdaCas, -1);
  EXPECT_EQ(P.CilRychl, 10);
}

TEST_F(Plan, NoResistanceDownhillRunsToTheLimit) {
  T.odporA = T.odporB = T.odporC = 0;
  T.sklonPrvku = -0.01;
  RVypocet P = Spocti(100, 3000, 0, 0);
  EXPECT_EQ(P.lim1, StropRychlosti);
  EXPECT_EQ(P.lim2, StropRychlosti);
  EXPECT_DOUBLE_EQ(P.RychlostMax, 100 / 3.6);
  EXPECT_GT(P.BrzdaCas, P.CasMax);
  EXPECT_LT(P.CasMax, 123.7);  // faster than with resistance
}

// Close to the balance speed the distance of a phase hangs on tiny speed differences; the
// braking point must still follow on from the end of the acceleration, never before it.
TEST_F(Plan, BrakingPointNearTheBalanceSpeedFollowsTheAcceleration) {
  T.hmotnost = 1542;
  T.vykon = 4528;
  T.rychlost1 = 12;
  T.rychlost2 = 37;
  T.odporA = 0.00018219334054498895;
  T.odporB = 0.00016934137826892103;
  T.odporC = 0.078700897410895032;
  T.soucinitelHmot = 1.1428096487164352;
  T.sklonPrvku = 0.067534383586552477;
  T.BrzdZrych = 0.67749303624543433;
  RVypocet P = Spocti(72, 4683.456393470894, 0, 1.2993381610886567);
  EXPECT_LT(P.lim2 - P.RychlostMax, 0.001);
  EXPECT_GE(P.BrzdaDraha, P.DrahaMax - 0.01);
  EXPECT_GE(P.BrzdaCas, P.CasMax);
  // The gap, if any, is run at the highest speed.
  EXPECT_NEAR(P.BrzdaCas - P.CasMax, (P.BrzdaDraha - P.DrahaMax) / P.RychlostMax, 0.01);
}

// The balance speed lies right at V1: the phase after V1 has no length, and the train runs
// at V1 until it has to brake rather than braking early at the wrong place.
TEST_F(Plan, BalanceAtTheFirstCharacteristicSpeedRunsOnBeforeBraking) {
  T.hmotnost = 2554;
  T.vykon = 7348;
  T.rychlost1 = 66;
  T.rychlost2 = 93;
  T.odporA = 0.00014049545532487348;
  T.odporB = 0.00031617315453288448;
  T.odporC = 0.052101837813741517;
  T.soucinitelHmot = 1.0929941056322228;
  T.sklonPrvku = 0.080972972238366497;
  T.BrzdZrych = 0.80277566163981295;
  RVypocet P = Spocti(80, 2417.8403039319674, 0, 8.1687043211990069);
  EXPECT_NEAR(P.lim1, 66 / 3.6, 1e-6);
  EXPECT_NEAR(P.RychlostMax, 66 / 3.6, 1e-6);
  EXPECT_GT(P.BrzdaDraha, P.DrahaMax + 10);
  EXPECT_NEAR(P.BrzdaCas, P.CasMax + (P.BrzdaDraha - P.DrahaMax) / P.RychlostMax, 1e-9);
  EXPECT_NEAR(P.BrzdaDraha + P.RychlostMax * P.RychlostMax / (2 * T.BrzdZrych),
              2417.8403039319674, 1e-6);
}

}  // namespace
}  // namespace stanovar
