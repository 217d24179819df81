#include <gtest/gtest.h>

#include "control/klavesy.h"
#include "fakes/svet.h"
#include "jadro.h"
#include "traffic/cas.h"

using namespace stanovar;

namespace {
constexpr double Sekunda = 1.0 / 86400.0;

struct SvetSTexty : test::Svet {
  SvetSTexty() {
    stav.jazyk[26] = "\xC8" "etnost ";  // windows-1250 bytes pass through unchanged
    stav.jazyk[27] = "Rychlost ";
  }
};
}  // namespace

TEST(FormKeyDown, ArrowsChangeTheFrequencyWithinOneToEight) {
  SvetSTexty w;
  ASSERT_EQ(w.stav.CetnostVlaku, 4);
  for (int i = 0; i < 3; ++i) FormKeyDown(w.stav, KlavesaVlevo, 0, 0);
  EXPECT_EQ(w.stav.CetnostVlaku, 1);
  EXPECT_EQ(w.stav.okno.CetnostVlakuLabel, "\xC8" "etnost 1");
  w.stav.okno.CetnostVlakuLabel.clear();
  FormKeyDown(w.stav, KlavesaVlevo, 0, 0);
  EXPECT_EQ(w.stav.CetnostVlaku, 1);
  EXPECT_EQ(w.stav.okno.CetnostVlakuLabel, "");

  for (int i = 0; i < 7; ++i) FormKeyDown(w.stav, KlavesaVpravo, 0, 0);
  EXPECT_EQ(w.stav.CetnostVlaku, 8);
  EXPECT_EQ(w.stav.okno.CetnostVlakuLabel, "\xC8" "etnost 8");
  FormKeyDown(w.stav, KlavesaVpravo, 0, 0);
  EXPECT_EQ(w.stav.CetnostVlaku, 8);
  // The speed is not touched by the frequency keys.
  EXPECT_EQ(w.stav.RychlostSim, 1);
}

TEST(FormKeyDown, UpAndDownChangeTheSpeedWithinZeroToSix) {
  SvetSTexty w;
  for (int i = 0; i < 5; ++i) FormKeyDown(w.stav, KlavesaNahoru, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 6);
  EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost 6");
  double t = SimCas(w.stav);
  FormKeyDown(w.stav, KlavesaNahoru, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 6);
  w.prostredi.posun(1);
  EXPECT_NEAR(SimCas(w.stav), t + 6 * Sekunda, 1e-3 * Sekunda);

  for (int i = 0; i < 6; ++i) FormKeyDown(w.stav, KlavesaDolu, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost 0");
  EXPECT_EQ(w.stav.PosledniRychlost, 1);
  FormKeyDown(w.stav, KlavesaDolu, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  EXPECT_EQ(w.stav.PosledniRychlost, 1);
}

TEST(FormKeyDown, F3TwiceReturnsToTheSpeedBefore) {
  SvetSTexty w;
  FormKeyDown(w.stav, KlavesaNahoru, 0, 0);
  FormKeyDown(w.stav, KlavesaNahoru, 0, 0);
  ASSERT_EQ(w.stav.RychlostSim, 3);
  FormKeyDown(w.stav, KlavesaF3, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  double t = SimCas(w.stav);
  w.prostredi.posun(10);
  EXPECT_DOUBLE_EQ(SimCas(w.stav), t);
  FormKeyDown(w.stav, KlavesaF3, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 3);
  EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost 3");
  EXPECT_DOUBLE_EQ(SimCas(w.stav), t);

  // Up from a pause runs at 1; F3 then pauses and resumes at 1, not at the older 3.
  FormKeyDown(w.stav, KlavesaF3, 0, 0);
  FormKeyDown(w.stav, KlavesaNahoru, 0, 0);
  FormKeyDown(w.stav, KlavesaF3, 0, 0);
  FormKeyDown(w.stav, KlavesaF3, 0, 0);
  EXPECT_EQ(w.stav.RychlostSim, 1);
}

TEST(FormKeyDown, EscAsksToCloseTheWindow) {
  SvetSTexty w;
  FormKeyDown(w.stav, KlavesaF3, 100, 200);
  EXPECT_FALSE(w.stav.okno.zavrit);
  FormKeyDown(w.stav, KlavesaEsc, 100, 200);
  EXPECT_TRUE(w.stav.okno.zavrit);
}
