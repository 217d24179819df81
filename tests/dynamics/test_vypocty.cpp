// The running plan against the figures worked out by hand for the reference train, the two
// tables, the balance speed searches and inputs that have no sensible plan.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "dynamics/fyzika.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

// A plan field expected to the last digit it is given with.
struct Cislo {
  double RVypocet::*pole;
  double hodnota, cifra;
};

class Plan : public ::testing::Test {
 protected:
  RVypocet Spocti(int VL, double D, int VC, double V0, std::initializer_list<Cislo> ocek = {}) {
    RVypocet P;
    EXPECT_TRUE(vypocty(w.stav, P, T, VL, D, VC, V0));
    EXPECT_TRUE(w.prostredi.zpravy.empty());
    for (const Cislo& c : ocek) EXPECT_NEAR(P.*c.pole, c.hodnota, c.cifra / 2) << c.hodnota;
    return P;
  }
  test::Svet w;
  RVlak T = test::ReferencniVlak();
};

using R = RVypocet;

TEST_F(Plan, ReferenceTrain) {
  // Balance speeds and the phase constants.
  RVypocet P = Spocti(100, 3000, 0, 0, {{&R::lim1, 38.63, 0.01}, {&R::lim2, 31.20, 0.01}});
  EXPECT_NEAR(P.lim1 * 3.6, 139.1, 0.05);
  EXPECT_NEAR(P.lim2 * 3.6, 112.3, 0.05);
  const fyzika::Trakce tr = fyzika::Trakce::Z(T);
  EXPECT_NEAR(tr.a1(), 0.3273, 0.00005);
  EXPECT_NEAR(fyzika::Faze::Z(tr.V1, P.lim1, tr.a1()).tau, 75.6, 0.05);
  EXPECT_NEAR(fyzika::Faze::Z(tr.V2, P.lim2, tr.a2()).tau, 50.3, 0.05);
  // The train entry calls the searches itself with the same coefficients.
  const double PM = 2000.0 / 440;
  EXPECT_EQ(HledejLim1(50 / 3.6, -PM, 0.04, 0.00007, 0.00005), P.lim1);
  EXPECT_EQ(HledejLim2(70 / 3.6, -PM * 70 / 3.6, 0.04, 0.00007, 0.00005), P.lim2);

  // From rest, 100 km/h, a stop 3000 m ahead.
  Spocti(100, 3000, 0, 0,
         {{&R::draha1, 294.7, 0.1}, {&R::cas1, 42.4, 0.1}, {&R::draha2, 617.4, 0.1},
          {&R::cas2, 61.7, 0.1}, {&R::RychlostMax, 27.78, 0.01}, {&R::DrahaMax, 2134.7, 0.1},
          {&R::CasMax, 123.7, 0.1}, {&R::BrzdaDraha, 2448.9, 0.1}, {&R::BrzdaCas, 135.0, 0.1},
          {&R::CilRychl, 0, 1e-12}});
  // 200 m: phase 1 only, braking as soon as the acceleration ends (9.4448 m/s, which the
  // hand calculation rounds up to 9.45).
  P = Spocti(100, 200, 0, 0,
             {{&R::draha1, 0, 1e-12}, {&R::cas1, 0, 1e-12}, {&R::RychlostMax, 9.45, 0.02},
              {&R::DrahaMax, 136.3, 0.1}, {&R::CasMax, 28.9, 0.1}});
  EXPECT_EQ(P.BrzdaDraha, P.DrahaMax);
  EXPECT_EQ(P.BrzdaCas, P.CasMax);
  // A limit of 40 km/h, below V1, over 800 m.
  Spocti(40, 800, 0, 0,
         {{&R::RychlostMax, 11.11, 0.01}, {&R::DrahaMax, 188.6, 0.1}, {&R::CasMax, 34.0, 0.1},
          {&R::BrzdaDraha, 711.8, 0.1}, {&R::BrzdaCas, 81.0, 0.1}});
  // From 90 km/h: phases 1 and 2 lie behind the train.
  Spocti(100, 3000, 0, 25,
         {{&R::draha1, 0, 1e-12}, {&R::draha2, 0, 1e-12}, {&R::cas1, 0, 1e-12},
          {&R::cas2, 0, 1e-12}, {&R::DrahaMax, 792.9, 0.1}, {&R::CasMax, 29.9, 0.1}});
  EXPECT_EQ(T.BrzdZrych, 0.7);  // only immediate braking changes the train

  // 20 m/s with a stop 100 m ahead: 285.7 m of nominal braking do not fit.
  P = Spocti(100, 100, 0, 20, {{&R::BrzdaCas, 0, 1e-12}, {&R::RychlostMax, 20, 1e-12}});
  EXPECT_DOUBLE_EQ(T.BrzdZrych, 2.0);
  for (double x : {P.draha1, P.draha2, P.cas1, P.cas2, P.DrahaMax, P.CasMax, P.BrzdaDraha,
                   P.CilRychl})
    EXPECT_EQ(x, 0);
}

TEST_F(Plan, TargetNotBelowTheHighestSpeedMeansNoBraking) {
  for (RVypocet P : {Spocti(60, 3000, 80, 0), Spocti(100, 150, 90, 0)}) {
    EXPECT_EQ(P.BrzdaCas, -1);
    EXPECT_EQ(P.BrzdaDraha, 0);
    EXPECT_EQ(P.CilRychl, P.RychlostMax);
  }
  EXPECT_DOUBLE_EQ(Spocti(60, 3000, 80, 0).RychlostMax, 60 / 3.6);  // target above the limit
  EXPECT_LT(Spocti(100, 150, 90, 0).RychlostMax, 90 / 3.6);  // too short to get there
  // A zero distance below the target speed: the train simply runs on.
  EXPECT_EQ(Spocti(100, 0, 80, 10).CilRychl, 10);
}

TEST_F(Plan, AtTheBalanceSpeedTheTrainRunsOn) {
  const double lim2 = Spocti(160, 3000, 0, 0).lim2;
  for (double V0 : {lim2, lim2 - 0.0005}) {  // at it, or within a millimetre per second
    RVypocet P = Spocti(160, 3000, 0, V0);
    EXPECT_EQ(P.RychlostMax, V0);
    EXPECT_EQ(P.CasMax, 0);
    EXPECT_EQ(P.DrahaMax, 0);
    EXPECT_NEAR(P.BrzdaDraha, 3000 - V0 * V0 / 1.4, 1e-9);
    EXPECT_DOUBLE_EQ(P.BrzdaCas, P.BrzdaDraha / V0);
  }
  // The search stops within 0.1 of the polynomial, here 0.05 m/s below the true balance of
  // 38.68 m/s. A train in between is not slowed by its resistance: it runs on at its speed.
  T.rychlost2 = 150;  // no falling-force law below the balance speed
  RVypocet P = Spocti(160, 3000, 0, 38.65);
  ASSERT_LT(P.lim1, 38.65);
  EXPECT_EQ(P.RychlostMax, 38.65);
  EXPECT_EQ(P.CasMax, 0);
}

TEST(Tabulky, BrakingDecelerationAndReactionTime) {
  struct B {
    int cislo, delka;
    double nizky, vysoky;
  };
  for (const B& b : {B{1500, 300, 0.9, 0.6}, B{1999, 399, 0.9, 0.6}, B{2000, 300, 0.7, 0.5},
                     B{20000, 300, 0.7, 0.5}, B{49999, 300, 0.7, 0.5}, B{75000, 300, 0.7, 0.5},
                     B{50000, 300, 0.5, 0.3}, B{60000, 300, 0.5, 0.3}, B{69999, 300, 0.5, 0.3},
                     B{80000, 100, 0.5, 0.3}, B{0, 100, 0.5, 0.3}, B{1500, 400, 0.5, 0.3},
                     B{20000, 400, 0.5, 0.3}}) {
    EXPECT_EQ(BrzdneZpomaleni(b.cislo, b.delka, true), b.nizky) << b.cislo << " " << b.delka;
    EXPECT_EQ(BrzdneZpomaleni(b.cislo, b.delka, false), b.vysoky) << b.cislo << " " << b.delka;
  }
  EXPECT_EQ(DobaReakce(1500, 300), 5);
  EXPECT_EQ(DobaReakce(49999, 399), 5);
  EXPECT_EQ(DobaReakce(70000, 100), 5);
  EXPECT_EQ(DobaReakce(60000, 300), 20);
  EXPECT_EQ(DobaReakce(1500, 400), 20);
  EXPECT_EQ(DobaReakce(80000, 100), 20);
  EXPECT_EQ(DobaReakce(0, 100), 20);
}

TEST(HledaniRovnovahy, RootCeilingAndZeroStart) {
  const double v = HledejLim1(10, -100, 1, 0, 0.001);  // v^3/1000 + v = 100
  EXPECT_LT(std::fabs(v * v * v / 1000 + v - 100), 0.1);
  const double u = HledejLim2(10, -2000, 0, 0, 0.001);  // v^4/1000 = 2000
  EXPECT_LT(std::fabs(u * u * u * u / 1000 - 2000), 0.1);
  EXPECT_NEAR(HledejLim1(60, -100, 1, 0, 0.001), 60, 1e-6);  // balance below the start
  // Nothing resists (or the resistance falls with speed, or is NaN): the ceiling, not a hang.
  EXPECT_EQ(HledejLim1(50 / 3.6, -4.5, -0.01, 0, 0), StropRychlosti);
  EXPECT_EQ(HledejLim2(70 / 3.6, -80, -0.01, 0, 0), StropRychlosti);
  EXPECT_EQ(HledejLim1(10, -1, 0.01, 0, -0.001), StropRychlosti);
  EXPECT_EQ(HledejLim1(10, std::nan(""), 0.04, 0, 0), StropRychlosti);
  // A start speed of 0 would double 0 forever; the root is found all the same.
  const double PM = 2000.0 / 440;
  const double z = HledejLim1(0, -PM, 0.04, 0.00007, 0.00005);
  EXPECT_LT(std::fabs(0.00005 * z * z * z + 0.00007 * z * z + 0.04 * z - PM), 0.1);
  EXPECT_NEAR(HledejLim2(-5, -PM * 70 / 3.6, 0.04, 0.00007, 0.00005), 31.2, 0.05);
}

TEST_F(Plan, NoResistanceDownhillRunsToTheLimit) {
  T.odporA = T.odporB = T.odporC = 0;
  T.sklonPrvku = -0.01;
  RVypocet P = Spocti(100, 3000, 0, 0);
  EXPECT_EQ(P.lim1, StropRychlosti);
  EXPECT_DOUBLE_EQ(P.RychlostMax, 100 / 3.6);
  EXPECT_LT(P.CasMax, 123.7);  // sooner than with resistance
  EXPECT_GT(P.BrzdaCas, P.CasMax);
}

// No sensible plan: the report is shown, the simulation pauses, the plan holds only finite
// numbers (none left over from before) and nothing hangs.
TEST_F(Plan, InputsWithoutAPlanAreReported) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Pripad {
    const char* co;
    std::function<void(RVlak&)> uprav;
    double D, V0;
  };
  for (const Pripad& p : std::initializer_list<Pripad>{
           {"zero power", [](RVlak& t) { t.vykon = 0; }, 3000, 0},
           {"zero mass", [](RVlak& t) { t.hmotnost = 0; }, 3000, 0},
           {"V1 of 0", [](RVlak& t) { t.rychlost1 = 0; }, 3000, 0},
           {"no braking", [](RVlak& t) { t.BrzdZrych = 0; }, 3000, 10},
           {"negative braking", [](RVlak& t) { t.BrzdZrych = -0.5; }, 3000, 10},
           {"target behind", [](RVlak&) {}, -50, 20},  // would give a negative deceleration
           {"standing at the stop", [](RVlak&) {}, 0, 0},  // 0/0
           {"NaN resistance", [nan](RVlak& t) { t.odporC = nan; }, 3000, 0},
           {"NaN distance", [](RVlak&) {}, nan, 0},
           {"infinite speed", [](RVlak&) {}, 3000, std::numeric_limits<double>::infinity()}}) {
    test::Svet svet;
    RVlak V = test::ReferencniVlak();
    p.uprav(V);
    RVypocet P;
    P.DrahaMax = 1234;
    EXPECT_FALSE(vypocty(svet.stav, P, V, 100, p.D, 0, p.V0)) << p.co;
    ASSERT_EQ(svet.prostredi.zpravy.size(), 1u) << p.co;
    EXPECT_EQ(svet.prostredi.zpravy[0].find("vypocty"), svet.stav.Text(33).size()) << p.co;
    EXPECT_EQ(svet.stav.RychlostSim, 0) << p.co;
    EXPECT_TRUE(test::VseKonecne(P)) << p.co;
    EXPECT_NE(P.DrahaMax, 1234) << p.co;
    EXPECT_TRUE(std::isfinite(V.BrzdZrych)) << p.co;
  }
}

// Balance right at V1, so the phase after V1 has no length: the train cannot reach the speed
// from which it would have to brake, and runs on at its highest speed until the braking
// point instead of braking early at the wrong place.
TEST_F(Plan, BalanceAtV1RunsOnBeforeBraking) {
  T.hmotnost = 2554, T.vykon = 7348, T.rychlost1 = 66, T.rychlost2 = 93;
  T.odporA = 0.00014049545532487348, T.odporB = 0.00031617315453288448;
  T.odporC = 0.052101837813741517, T.soucinitelHmot = 1.0929941056322228;
  T.sklonPrvku = 0.080972972238366497, T.BrzdZrych = 0.80277566163981295;
  RVypocet P = Spocti(80, 2417.8403039319674, 0, 8.1687043211990069);
  EXPECT_NEAR(P.RychlostMax, 66 / 3.6, 1e-6);
  EXPECT_GT(P.BrzdaDraha, P.DrahaMax + 10);
  EXPECT_NEAR(P.BrzdaCas, P.CasMax + (P.BrzdaDraha - P.DrahaMax) / P.RychlostMax, 1e-9);
}

}  // namespace
}  // namespace stanovar
