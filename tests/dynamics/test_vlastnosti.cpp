// Thousands of random but physical runs through the running plan and the queries that follow
// it, checking what the model guarantees rather than particular numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "dynamics/dotazy.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "traffic/cas.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

// Reproducible on every platform, unlike the standard distributions.
struct Nahoda {
  std::uint64_t x;
  double operator()(double a, double b) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return a + (b - a) * static_cast<double>((z ^ (z >> 31)) >> 11) / 9007199254740992.0;
  }
  int cele(int a, int b) { return std::min(b, a + static_cast<int>((*this)(0, b - a + 1))); }
};

// Real trains, gradients up to 10 per mille either way, station limits, a few metres to five
// kilometres, any target speed (now and then above the limit), any start speed up to it.
struct Vstup {
  explicit Vstup(Nahoda& r) {
    T.cislo = r.cele(1, 99999), T.delka = r.cele(20, 700);
    T.hmotnost = r.cele(60, 3000), T.vykon = r.cele(300, 8000);
    T.rychlost1 = r.cele(10, 90), T.rychlost2 = T.rychlost1 + r.cele(5, 60);
    T.odporA = r(0.00001, 0.0002), T.odporB = r(0.0, 0.0005), T.odporC = r(0.005, 0.08);
    T.soucinitelHmot = r(1.02, 1.25), T.sklonPrvku = r(-0.1, 0.1), T.BrzdZrych = r(0.2, 1.0);
    VL = r.cele(10, 160);
    VC = r(0, 1) < 0.4 ? 0 : r.cele(0, 180);
    D = r(0, 1) < 0.1 ? r(0.5, 30) : r(30, 5000);
    V0 = r(0, 1) < 0.25 ? 0.0 : r(0, VL / 3.6);
  }
  // The constant acceleration below V1: only the gradient is taken off the force.
  double a1() const {
    return T.vykon / (T.hmotnost * T.soucinitelHmot * (T.rychlost1 / 3.6)) - T.sklonPrvku;
  }
  std::string popis() const {
    std::ostringstream o;
    o.precision(17);
    o << "m=" << T.hmotnost << " P=" << T.vykon << " V1=" << T.rychlost1 << " V2="
      << T.rychlost2 << " c2=" << T.odporA << " c1=" << T.odporB << " c0=" << T.odporC
      << " rho=" << T.soucinitelHmot << " G=" << T.sklonPrvku << " b=" << T.BrzdZrych
      << " VL=" << VL << " VC=" << VC << " D=" << D << " V0=" << V0;
    return o.str();
  }
  RVlak T;
  int VL, VC;
  double D, V0;
};

// Checks one run; false after the first broken property, which gtest reports with the input.
bool OverJizdu(const Vstup& in) {
  test::Svet w;
  RVlak T = in.T;
  RVypocet P;
  const double VT = in.VC / 3.6, V0 = in.V0;
  bool ok = true;
  auto plati = [&](bool podminka, const char* co) {
    if (!podminka && ok) ADD_FAILURE() << co << "\n  " << in.popis();
    ok = ok && podminka;
  };
  plati(vypocty(w.stav, P, T, in.VL, in.D, in.VC, V0) && test::VseKonecne(P), "plan fails");
  // Distances and times grow from phase to phase, within the limit and the target.
  plati(P.draha1 >= 0 && P.cas1 >= 0, "phase 1 ends before the start");
  plati(P.draha2 == 0 || (P.draha2 >= P.draha1 && P.cas2 >= P.cas1), "phase 2 before 1");
  plati(P.DrahaMax >= std::max(P.draha1, P.draha2) - 0.001 &&
            P.CasMax >= std::max(P.cas1, P.cas2) - 0.001 && P.DrahaMax >= 0 && P.CasMax >= 0,
        "the highest speed comes before the phases that lead to it");
  plati(P.BrzdaCas == -1 || P.BrzdaCas >= 0, "braking time neither -1 nor a time");
  plati(P.BrzdaCas <= 0 || (P.BrzdaDraha >= P.DrahaMax - 0.01 && P.BrzdaCas >= P.CasMax - 0.01),
        "braking begins before the acceleration ends");
  plati(P.BrzdaDraha <= in.D, "braking begins beyond the target");
  plati(P.RychlostMax <= std::max(in.VL / 3.6, V0) + 1e-6, "highest speed above the limit");
  if (!ok) return false;

  // The queries follow the plan from the state the train has at its start.
  test::NastavZacatek(T, P, V0);
  plati(!T.brzdi || std::fabs(T.BrzdZrych * 2 * in.D - (V0 * V0 - VT * VT)) < 1e-6,
        "immediate braking does not stop at the target");
  auto doba = [&](double x) { return VypoctiDobu(w.stav, P, T, x, 0) * 86400; };
  auto rychlost = [&](double t) { return VypoctiNovouRychlost(w.stav, P, T, t); };
  plati(std::fabs(doba(0)) < 0.002 / std::max(V0, 0.5), "the plan does not start at 0");
  double xp = 0, tp = doba(0), vp = rychlost(tp);
  for (int k = 1; k <= 40 && ok; ++k) {
    const double x = in.D * k / 40, t = doba(x), v = rychlost(t);
    plati(t >= tp - 1e-6, "a further point is reached earlier");
    plati(v > -0.001 && v <= std::max(P.RychlostMax, V0) + 0.001, "speed out of range");
    // The mean speed between two points lies between the speeds there, or reaches the
    // highest speed when the turn from accelerating to braking lies between them.
    if (t - tp > 0.001) {
      double hore = std::max(v, vp);
      if (xp <= P.BrzdaDraha + 0.01 && x >= P.DrahaMax - 0.01) hore = P.RychlostMax;
      const double sredni = (x - xp) / (t - tp), tol = 0.01 * hore + 0.02 + 0.004 / (t - tp);
      plati(sredni >= std::min(v, vp) - tol && sredni <= hore + tol, "mean speed off");
    }
    xp = x, tp = t, vp = v;
  }
  // The run arrives with the plan's final speed, the target speed when it brakes, and each
  // phase change happens where and when the plan says.
  const double tD = doba(in.D);
  plati(std::fabs(rychlost(tD) - P.CilRychl) < 0.05, "the end speed is not the plan's");
  plati(P.BrzdaCas < 0 || std::fabs(P.CilRychl - VT) < 1e-9, "braking to the wrong speed");
  plati(P.cas1 == 0 || std::fabs(doba(P.draha1) - P.cas1) < 0.01, "V1 reached elsewhere");
  plati(P.cas2 == 0 || std::fabs(doba(P.draha2) - P.cas2) < 0.01, "V2 reached elsewhere");
  plati(P.CasMax == 0 || (std::fabs(doba(P.DrahaMax) - P.CasMax) < 0.01 + 1e-4 * P.CasMax &&
                          std::fabs(rychlost(P.CasMax) - P.RychlostMax) < 0.001),
        "highest speed reached elsewhere");
  plati(P.BrzdaCas <= 0 || std::fabs(doba(P.BrzdaDraha) - P.BrzdaCas) < 0.01 + 1e-4 * P.BrzdaCas,
        "braking begins elsewhere");

  // Before the first phase change, the state extrapolated from the train record is where
  // the plan has the train.
  double prvni = tD;
  for (double t : {P.cas1, P.cas2, P.CasMax, P.BrzdaCas})
    if (t > 0) prvni = std::min(prvni, t);
  if (prvni > 0.01) {
    T.vzdalenost = 0;
    T.cas = SimCas(w.stav);
    w.prostredi.posun(prvni / 2);
    double v = 0, s = 0;
    plati(AktualRychlost(w.stav, T, v, s), "the current state fails");
    const double t = (SimCas(w.stav) - T.cas) * 86400;
    plati(std::fabs(v - rychlost(t)) < 1e-6 * std::max(1.0, v), "current speed off the plan");
    plati(std::fabs(doba(s) - t) < 0.002 / std::max(v, 0.5) + 1e-6 * t, "position off");
  }
  plati(w.prostredi.zpravy.empty(), "a calculation reported a fault");
  return ok;
}

TEST(VlastnostiPlanu, RandomPhysicalRuns) {
  Nahoda r{20240611};
  int behu = 0, chyb = 0;
  while (behu < 10000 && chyb < 5) {
    const Vstup in(r);
    if (!(in.a1() > 0)) continue;  // too weak for its gradient: see below
    ++behu;
    chyb += OverJizdu(in) ? 0 : 1;
  }
  EXPECT_EQ(behu, 10000);
}

// A train too weak for its gradient (its constant acceleration below V1 is not positive)
// holds the balance speed of the constant-power law on that climb, or its own speed when that
// is lower; standing, it cannot start, which is reported. The balance speed is checked
// against a plain search for where traction and resistance meet.
TEST(VlastnostiPlanu, TrainTooWeakForItsGradient) {
  Nahoda r{77};
  int behu = 0, stoji = 0, dobiha = 0;
  while (behu < 2000) {
    Vstup in(r);
    if (in.a1() > 0) continue;
    ++behu;
    const RVlak& T = in.T;
    const double PM = T.vykon / (T.hmotnost * T.soucinitelHmot);
    auto g1 = [&](double v) {
      return PM / v - (T.odporC + T.sklonPrvku + T.odporB * v + T.odporA * v * v);
    };
    double lo = 1e-9, hi = T.rychlost1 / 3.6;
    while (hi - lo > 1e-10) (g1((lo + hi) / 2) > 0 ? lo : hi) = (lo + hi) / 2;
    const double L = lo;

    test::Svet w;
    RVlak V = T;
    RVypocet P;
    const bool ok = vypocty(w.stav, P, V, in.VL, in.D, in.VC, in.V0);
    if (in.V0 == 0) {
      ++stoji;
      EXPECT_FALSE(ok) << in.popis();
      EXPECT_EQ(w.prostredi.zpravy.size(), 1u) << in.popis();
      continue;
    }
    ASSERT_TRUE(ok) << in.popis();
    const bool okamzite = P.BrzdaCas == 0 && P.CasMax == 0 && P.CilRychl < in.V0;
    if (!okamzite) {
      EXPECT_NEAR(P.lim1, L, 1e-6) << in.popis();
      if (in.V0 <= L) EXPECT_EQ(P.RychlostMax, in.V0) << in.popis();
      EXPECT_LE(P.RychlostMax, in.V0) << in.popis();
      EXPECT_GE(P.RychlostMax, std::min(L, in.V0) - 1e-3) << in.popis();
      dobiha += in.V0 > L;
    }
    // And the plan itself holds together as any other.
    if (!OverJizdu(in)) break;
  }
  EXPECT_GT(stoji, 0);
  EXPECT_GT(dobiha, 0);

  // From rest such a train cannot start (a1 = -0.0095 m/s^2 here); once the square root of
  // 2*a1*D, now a report of a train that cannot move.
  test::Svet w;
  RVlak T = test::ReferencniVlak();
  T.hmotnost = 2025, T.vykon = 4677, T.rychlost1 = 76, T.rychlost2 = 128;
  T.odporA = 0.00018195108595463021, T.odporB = 0.00024976823704033071;
  T.odporC = 0.054426324044121316, T.soucinitelHmot = 1.2228551383540818;
  T.sklonPrvku = 0.098895958913919058, T.BrzdZrych = 0.83565945945682629;
  RVypocet P;
  EXPECT_FALSE(vypocty(w.stav, P, T, 36, 4985.2248362151568, 83, 0));
}

}  // namespace
}  // namespace stanovar
