// The two calculation error reports, line by line, and what they do to the simulation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dynamics/chyba.h"
#include "dynamics/dotazy.h"
#include "dynamics/vypocty.h"
#include "fakes/svet.h"
#include "traffic/cas.h"
#include "vlak_pro_test.h"

namespace stanovar {
namespace {

using Radky = std::vector<std::string>;

Radky Rozdel(const std::string& t) {
  Radky r(1);
  for (char c : t) {
    if (c == '\r')
      r.emplace_back();
    else
      r.back() += c;
  }
  return r;
}

Radky operator+(Radky a, const Radky& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class Hlaseni : public ::testing::Test {
 protected:
  Hlaseni() {
    w.stav.jazyk[27] = "Rychlost: ";
    w.stav.jazyk[33] = "Chyba v ";
    w.stav.jazyk[34] = " (v\xFDpo\xE8" "et)";  // windows-1250 bytes pass through as they are
    w.stav.jazyk[35] = "Ozn\xE1mte to.";
    w.stav.RychlostSim = 3;
    w.stav.okno.Rychlomer = true;
    T.rychlost = 100 / 3.6, T.CilRychl = 0, T.brzdi = true, T.vzdalenost = 1500.25;
    T.lim1 = 38.5, T.lim2 = 31;
    P = {111, 222, 294.7, 617.4, 42.4, 61.7, 2134.7, 123.7, 100 / 3.6, 2448.9, -1, 0.5};
  }
  // The one message shown, and the simulation paused by it.
  Radky Zprava() {
    EXPECT_EQ(w.stav.RychlostSim, 0);
    EXPECT_EQ(w.stav.PosledniRychlost, 3);  // what a resume goes back to
    EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost: 0");
    EXPECT_EQ(w.prostredi.zpravy.size(), 1u);
    return w.prostredi.zpravy.empty() ? Radky{} : Rozdel(w.prostredi.zpravy[0]);
  }

  test::Svet w;
  RVlak T = test::ReferencniVlak();
  RVypocet P;
  // The plan's own balance speeds (111, 222) are not listed.
  const Radky plan = {"draha1 294.7",    "draha2 617.4",    "cas1 42.4",
                      "cas2 61.7",       "DrahaMax 2134.7", "CasMax 123.7",
                      "RychlostMax 27.7777777777778",       "BrzdaDraha 2448.9",
                      "BrzdaCas -1",     "CilRychl 0.5"};
  const Radky vlak = {"vlak 1234",           "vlak^.rychlost 27.7777777777778",
                      "vlak^.CilRychl 0",    "vlak^.brzdi 1",
                      "vlak^.vzdalenost 1500.25", "vlak^.BrzdZrych 0.7",
                      "vlak^.lim1 38.5",     "vlak^.lim2 31"};
};

TEST_F(Hlaseni, CalculationReportWithATrain) {
  ChybaVypoctu(w.stav, &T, P, "VypoctiDobu");
  // The train number comes before the plan, its state after it; no line end at the end.
  const Radky ocek = Radky{"Chyba v VypoctiDobu (v\xFDpo\xE8" "et)", "verze 1.33", vlak[0]} +
                     plan + Radky(vlak.begin() + 1, vlak.end());
  EXPECT_EQ(Zprava(), ocek);
  EXPECT_TRUE(w.stav.okno.Rychlomer);
}

TEST_F(Hlaseni, CalculationReportWithoutATrain) {
  ChybaVypoctu(w.stav, nullptr, P, "vypocty");
  const Radky ocek =
      Radky{"Chyba v vypocty (v\xFDpo\xE8" "et)", "verze 1.33"} + plan + Radky{"Ozn\xE1mte to."};
  EXPECT_EQ(Zprava(), ocek);
}

TEST_F(Hlaseni, StateReportStopsTheSpeedometer) {
  T.brzdi = false;
  ChybaStavu(w.stav, &T, "AktualRychlost");
  Radky ocek = Radky{"Chyba v AktualRychlost (v\xFDpo\xE8" "et)"} + vlak;
  ocek[4] = "vlak^.brzdi 0";
  EXPECT_EQ(Zprava(), ocek);
  EXPECT_FALSE(w.stav.okno.Rychlomer);
}

TEST_F(Hlaseni, StateReportWithoutATrain) {
  ChybaStavu(w.stav, nullptr, "AktualRychlost");
  EXPECT_EQ(Zprava(), (Radky{"Chyba v AktualRychlost (v\xFDpo\xE8" "et)", "Ozn\xE1mte to."}));
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  const double pred = SimCas(w.stav);
  w.prostredi.posun(60);
  EXPECT_EQ(SimCas(w.stav), pred);  // the clock stands while paused
}

// The reports as the failing calculations raise them.
TEST_F(Hlaseni, RaisedByTheCalculations) {
  T = test::ReferencniVlak();
  T.vykon = 0;  // no traction: the first phase divides by zero
  RVypocet Q;
  vypocty(w.stav, Q, T, 100, 3000, 0, 0);
  Radky r = Zprava();
  ASSERT_EQ(r.size(), 20u);  // heading, version, train, ten plan and seven train lines
  EXPECT_EQ(r[1], "verze 1.33");
  EXPECT_EQ(r[2], "vlak 1234");
  EXPECT_EQ(r[3].rfind("draha1 ", 0), 0u);
  EXPECT_EQ(r[13], "vlak^.rychlost 0");
  EXPECT_EQ(r[17], "vlak^.BrzdZrych 0.7");

  w.prostredi.zpravy.clear();
  w.stav.RychlostSim = 3;
  T.rychlost = 3, T.CilRychl = 10, T.vykon = 2000, T.hmotnost = 0;
  double v = 0, s = 0;
  AktualRychlost(w.stav, T, v, s);
  r = Zprava();
  ASSERT_EQ(r.size(), 9u);  // no version, no plan
  EXPECT_EQ(r[0], "Chyba v AktualRychlost (v\xFDpo\xE8" "et)");
  EXPECT_EQ(r[1], "vlak 1234");
  EXPECT_EQ(r[2], "vlak^.rychlost 3");
  EXPECT_FALSE(w.stav.okno.Rychlomer);
}

}  // namespace
}  // namespace stanovar
