#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fakes/svet.h"
#include "traffic/cas.h"

using namespace stanovar;

namespace {
constexpr double Sekunda = 1.0 / 86400.0;
constexpr double Presnost = 1e-3 * Sekunda;  // a millisecond

// A wall clock that moves on by a fixed step every time it is read, like a real one.
class BeziciHodiny : public test::SkriptovaneProstredi {
 public:
  double casDne() override {
    posledni = cas;
    posun(krok);
    return posledni;
  }
  double krok = 0.0;  // seconds per reading
  double posledni = 0.0;  // the value the latest reading returned
};
}  // namespace

TEST(SimCas, RunsAtTheFactorAndChangingItKeepsTheTime) {
  test::Svet w;
  w.stav.jazyk[27] = "Rychlost: ";
  double start = SimCas(w.stav);
  EXPECT_NEAR(start, 0.5, Presnost);

  w.prostredi.posun(10);
  EXPECT_NEAR(SimCas(w.stav), start + 10 * Sekunda, Presnost);

  NastavRychlost(w.stav, 3);
  EXPECT_NEAR(SimCas(w.stav), start + 10 * Sekunda, Presnost);
  EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost: 3");
  EXPECT_EQ(w.stav.PosledniRychlost, 1);
  w.prostredi.posun(10);
  EXPECT_NEAR(SimCas(w.stav), start + 40 * Sekunda, Presnost);

  NastavRychlost(w.stav, 6);
  EXPECT_NEAR(SimCas(w.stav), start + 40 * Sekunda, Presnost);
  EXPECT_EQ(w.stav.PosledniRychlost, 3);
  w.prostredi.posun(0.5);
  EXPECT_NEAR(SimCas(w.stav), start + 43 * Sekunda, Presnost);
}

TEST(SimCas, MidnightOfTheWallClockDoesNotMakeTheTimeJump) {
  test::Svet w;
  // Simulated time already in the second day, running twice as fast.
  w.prostredi.cas = 1.0 - 10 * Sekunda;
  w.stav.RealZnacka = w.prostredi.cas;
  w.stav.SimZaklad = 1.3;
  w.stav.RychlostSim = 2;
  EXPECT_NEAR(SimCas(w.stav), 1.3, Presnost);

  w.prostredi.posun(25);  // 15 s past midnight
  ASSERT_LT(w.prostredi.cas, 0.001);
  EXPECT_NEAR(SimCas(w.stav), 1.3 + 50 * Sekunda, Presnost);
  w.prostredi.posun(5);
  EXPECT_NEAR(SimCas(w.stav), 1.3 + 60 * Sekunda, Presnost);

  // A factor change right after midnight keeps the time too.
  w.prostredi.cas = 1.0 - 1 * Sekunda;
  w.stav.RealZnacka = w.prostredi.cas;
  w.stav.SimZaklad = 2.0;
  w.stav.RychlostSim = 1;
  w.prostredi.posun(3);
  NastavRychlost(w.stav, 5);
  EXPECT_NEAR(SimCas(w.stav), 2.0 + 3 * Sekunda, Presnost);
  w.prostredi.posun(1);
  EXPECT_NEAR(SimCas(w.stav), 2.0 + 8 * Sekunda, Presnost);
}

TEST(SimCas, FactorChangeLosesNoTimeWhileTheWallClockMoves) {
  BeziciHodiny hodiny;
  hodiny.cas = 0.25;
  hodiny.krok = 1.0;  // a second per reading: gross, so that any lost interval shows
  test::Svet w;
  w.stav.prostredi = &hodiny;
  w.stav.SimZaklad = 0.25;
  w.stav.RealZnacka = 0.25;
  w.stav.PosledniCteni = 0.25;

  // The simulated time must equal the wall time elapsed at each factor times that factor,
  // the change taking effect at the wall time the change was made.
  double zmena1 = hodiny.cas;
  NastavRychlost(w.stav, 6);
  double zmena2 = hodiny.cas;
  NastavRychlost(w.stav, 2);
  double t = SimCas(w.stav);
  double cteni = hodiny.posledni;
  double ocekavano = 0.25 + (zmena1 - 0.25) * 1 + (zmena2 - zmena1) * 6 + (cteni - zmena2) * 2;
  EXPECT_NEAR(t, ocekavano, Presnost);
  EXPECT_GT(cteni, zmena2);  // the clock did move on meanwhile
}

// Days on end against a plain model: the simulated time is the wall time elapsed at each
// factor times that factor, whatever midnights the wall clock passes, whenever it is read.
TEST(SimCas, DaysOnEndFollowTheWallClockTimesTheFactor) {
  for (std::uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 g(seed);
    test::Svet w;
    w.prostredi.cas = 0.9;  // the first midnight comes soon
    w.stav.SimZaklad = w.stav.RealZnacka = w.stav.PosledniCteni = 0.9;
    double model = 0.9, posledni = SimCas(w.stav);
    int pulnoci = 0;
    std::uniform_real_distribution<double> krok(0, 5 * 3600);  // up to five hours unread
    while (pulnoci < 6) {
      const double sekund = krok(g);
      const double pred = w.prostredi.cas;
      w.prostredi.posun(sekund);
      pulnoci += w.prostredi.cas < pred;
      model += sekund / 86400.0 * w.stav.RychlostSim;
      if (g() % 20 == 0) NastavRychlost(w.stav, static_cast<std::uint16_t>(g() % 7));
      const double t = SimCas(w.stav);
      ASSERT_NEAR(t, model, Presnost) << "seed " << seed << " after " << pulnoci << " midnights";
      ASSERT_GE(t, posledni);
      posledni = t;
    }
  }
}
