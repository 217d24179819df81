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

std::vector<std::string> Radky(const std::string& t) {
  std::vector<std::string> r(1);
  for (char c : t) {
    if (c == '\r')
      r.emplace_back();
    else
      r.back() += c;
  }
  return r;
}

class Hlaseni : public ::testing::Test {
 protected:
  Hlaseni() {
    w.stav.jazyk[27] = "Rychlost: ";
    w.stav.jazyk[33] = "Chyba v ";
    w.stav.jazyk[34] = " (v\xFDpo\xE8" "et)";  // windows-1250 bytes pass through unchanged
    w.stav.jazyk[35] = "Ozn\xE1mte to pros\xEDm.";
    T.cislo = 1234;
    T.rychlost = 27.77777777777778;
    T.CilRychl = 0;
    T.brzdi = true;
    T.vzdalenost = 1500.25;
    T.BrzdZrych = 0.7;
    T.lim1 = 38.5;
    T.lim2 = 31;
    P.lim1 = 111;  // the plan's own balance speeds are not listed
    P.lim2 = 222;
    P.draha1 = 294.7;
    P.draha2 = 617.4;
    P.cas1 = 42.4;
    P.cas2 = 61.7;
    P.DrahaMax = 2134.7;
    P.CasMax = 123.7;
    P.RychlostMax = 100 / 3.6;
    P.BrzdaDraha = 2448.9;
    P.BrzdaCas = -1;
    P.CilRychl = 0.5;
  }
  std::vector<std::string> Zprava() {
    EXPECT_EQ(w.prostredi.zpravy.size(), 1u);
    return w.prostredi.zpravy.empty() ? std::vector<std::string>{}
                                      : Radky(w.prostredi.zpravy[0]);
  }
  void Pozastaveno() {
    EXPECT_EQ(w.stav.RychlostSim, 0);
    EXPECT_EQ(w.stav.okno.RychlostSimLabel, "Rychlost: 0");
    EXPECT_FALSE(w.stav.zpravaOtevrena);
  }

  test::Svet w;
  RVlak T = test::ReferencniVlak();
  RVypocet P;
  const std::vector<std::string> planRadky = {
      "draha1 294.7",   "draha2 617.4",     "cas1 42.4",
      "cas2 61.7",      "DrahaMax 2134.7",  "CasMax 123.7",
      "RychlostMax 27.7777777777778",       "BrzdaDraha 2448.9",
      "BrzdaCas -1",    "CilRychl 0.5"};
  const std::vector<std::string> vlakRadky = {
      "vlak^.rychlost 27.7777777777778", "vlak^.CilRychl 0", "vlak^.brzdi 1",
      "vlak^.vzdalenost 1500.25",        "vlak^.BrzdZrych 0.7", "vlak^.lim1 38.5",
      "vlak^.lim2 31"};
};

TEST_F(Hlaseni, CalculationReportWithATrain) {
  ChybaVypoctu(w.stav, &T, P, "VypoctiDobu");
  std::vector<std::string> ocekavane = {"Chyba v VypoctiDobu (v\xFDpo\xE8" "et)", "verze 1.33",
                                        "vlak 1234"};
  ocekavane.insert(ocekavane.end(), planRadky.begin(), planRadky.end());
  ocekavane.insert(ocekavane.end(), vlakRadky.begin(), vlakRadky.end());
  EXPECT_EQ(Zprava(), ocekavane);  // also: no line end after the last value
  Pozastaveno();
}

TEST_F(Hlaseni, CalculationReportWithoutATrain) {
  ChybaVypoctu(w.stav, nullptr, P, "vypocty");
  std::vector<std::string> ocekavane = {"Chyba v vypocty (v\xFDpo\xE8" "et)", "verze 1.33"};
  ocekavane.insert(ocekavane.end(), planRadky.begin(), planRadky.end());
  ocekavane.push_back("Ozn\xE1mte to pros\xEDm.");
  EXPECT_EQ(Zprava(), ocekavane);
  Pozastaveno();
}

TEST_F(Hlaseni, StateReportWithATrainStopsTheSpeedometer) {
  w.stav.okno.Rychlomer = true;
  T.brzdi = false;
  ChybaStavu(w.stav, &T, "AktualRychlost");
  std::vector<std::string> ocekavane = {"Chyba v AktualRychlost (v\xFDpo\xE8" "et)", "vlak 1234"};
  ocekavane.insert(ocekavane.end(), vlakRadky.begin(), vlakRadky.end());
  ocekavane[4] = "vlak^.brzdi 0";
  EXPECT_EQ(Zprava(), ocekavane);
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  Pozastaveno();
}

TEST_F(Hlaseni, StateReportWithoutATrain) {
  w.stav.okno.Rychlomer = true;
  ChybaStavu(w.stav, nullptr, "AktualRychlost");
  EXPECT_EQ(Zprava(), (std::vector<std::string>{"Chyba v AktualRychlost (v\xFDpo\xE8" "et)",
                                                "Ozn\xE1mte to pros\xEDm."}));
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  Pozastaveno();
}

TEST_F(Hlaseni, ThePausedClockStandsStillAndResumes) {
  w.stav.RychlostSim = 3;
  const double pred = SimCas(w.stav);
  ChybaVypoctu(w.stav, &T, P, "vypocty");
  w.prostredi.posun(60);
  EXPECT_DOUBLE_EQ(SimCas(w.stav), pred);
  EXPECT_EQ(w.stav.PosledniRychlost, 3);  // what a resume goes back to
}

// The reports as the failing calculations raise them.
TEST_F(Hlaseni, FaultInThePlanListsThePlanAndTheTrain) {
  RVlak V = test::ReferencniVlak();
  V.cislo = 1234;
  V.vykon = 0;  // no traction: the first phase divides by zero
  RVypocet Q;
  vypocty(w.stav, Q, V, 100, 3000, 0, 0);
  const std::vector<std::string> r = Zprava();
  ASSERT_EQ(r.size(), 20u);  // heading, version, train, ten plan and seven train lines
  EXPECT_EQ(r[0], "Chyba v vypocty (v\xFDpo\xE8" "et)");
  EXPECT_EQ(r[1], "verze 1.33");
  EXPECT_EQ(r[2], "vlak 1234");
  EXPECT_EQ(r[3].rfind("draha1 ", 0), 0u);
  EXPECT_EQ(r[12], "CilRychl 0");
  EXPECT_EQ(r[13], "vlak^.rychlost 0");
  EXPECT_EQ(r[17], "vlak^.BrzdZrych 0.7");
  EXPECT_EQ(r[19], "vlak^.lim2 0");
  Pozastaveno();
}

TEST_F(Hlaseni, FaultInTheCurrentStateHasNoPlanLines) {
  T.brzdi = false;
  T.rychlost = 3;
  T.CilRychl = 10;
  T.hmotnost = 0;
  T.cas = SimCas(w.stav);
  w.stav.okno.Rychlomer = true;
  double v = 0, s = 0;
  AktualRychlost(w.stav, T, v, s);
  const std::vector<std::string> r = Zprava();
  ASSERT_EQ(r.size(), 9u);
  EXPECT_EQ(r[0], "Chyba v AktualRychlost (v\xFDpo\xE8" "et)");
  EXPECT_EQ(r[1], "vlak 1234");
  EXPECT_EQ(r[2], "vlak^.rychlost 3");
  for (const std::string& radek : r) {
    EXPECT_NE(radek, "verze 1.33");
    EXPECT_NE(radek.rfind("draha1", 0), 0u);
  }
  EXPECT_FALSE(w.stav.okno.Rychlomer);
  Pozastaveno();
}

}  // namespace
}  // namespace stanovar
