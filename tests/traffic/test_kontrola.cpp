// The state check sees a fault at the moment it happens: a release for a train that does not
// hold its element, a track keeping the number of a train that is gone, and a train standing
// for good where it could go on.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "traffic/kontrola.h"
#include "traffic/predani.h"
#include "traffic/trat.h"

using namespace stanovar;
using test::Trat;

namespace {

RUdalost Uvolneni(int vlak, int prvek) {
  RUdalost u;
  u.druh = UdalostUvolneni;
  u.vlak = vlak;
  u.prvek = prvek;
  return u;
}

bool Obsahuje(const std::string& text, const std::string& co) {
  return text.find(co) != std::string::npos;
}

}  // namespace

TEST(Kontrola, AReleaseIsCheckedAgainstItsHolderWhenItComes) {
  struct Pripad {
    const char* co;
    std::function<RUdalost(Trat&)> udalost;
    std::string chyba;  // empty: none
  };
  const Pripad pripady[] = {
      // The line track was entered by the hand-over, which has no event of its own.
      {"its own", [](Trat& t) { return Uvolneni(60001, t.L); }, ""},
      {"held by the train handed over",
       [](Trat& t) { return Uvolneni(5107, t.L); },
       "track L (1) released for train 5107 while train 60001 holds it"},
      {"free", [](Trat& t) { return Uvolneni(60001, t.V); }, "does not hold it: it is free already"},
      {"locked in a route", [](Trat& t) { return Uvolneni(60001, t.C1); },
       "does not hold it: it is locked in a route"},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.co);
    Trat t(3);
    t.s.aktualniSpoj = 0;
    PosliVlak(t.s);
    t.Cesta(t.S1, t.P);
    KontrolaStavu k;
    k.udalost(t.s, p.udalost(t));
    const std::string chyba = k.over(t.s);
    if (p.chyba.empty())
      EXPECT_EQ(chyba, "");
    else
      EXPECT_TRUE(Obsahuje(chyba, p.chyba)) << chyba;
  }
}

TEST(Kontrola, ATrackBearsTheNumberOfTheTrainThatWillComeAndNoneThatIsGone) {
  Trat t(3);
  t.Cesta(t.S2, t.V);
  KontrolaStavu k;
  EXPECT_EQ(k.over(t.s), "");
  t.K(t.V).vlak = 4242;  // set for a train that left, or never came
  EXPECT_EQ(k.over(t.s), "track V (3) holds the number of train 4242, which is gone");

  KontrolaStavu k2;
  RUdalost u;
  u.druh = UdalostObsazeni;
  u.vlak = 77;
  u.prvek = t.V;
  k2.udalost(t.s, u);
  EXPECT_EQ(k2.over(t.s), "track V (3) entered by train 77 on a route set for train 4242");
}

TEST(Kontrola, ATrainStandingForGoodIsFound) {
  Trat t(3);
  t.s.aktualniSpoj = 0;
  PosliVlak(t.s);
  t.Cesta(t.S1, t.P);
  t.Do(300);
  RVlak& v = t.s.Vlaky.front();
  ASSERT_EQ(v.rychlost, 0);
  KontrolaStavu k;
  int otazek = 0;
  bool mohl = false;
  auto mohlBy = [&](Stav&, int vlak) {
    EXPECT_EQ(vlak, 60001);
    ++otazek;
    return mohl;
  };
  // The automatic dispatcher is asked at the first look after three hours of standing and
  // after each hour more; a train it could send on is found only then.
  EXPECT_EQ(k.over(t.s), "");  // seen standing from now
  for (int minut = 10; minut <= 5 * 60; minut += 10) {
    t.Do(300 + minut * 60);
    EXPECT_EQ(k.over(t.s), "") << minut;
    EXPECT_EQ(k.poPohledu(t.s, SimCas(t.s), mohlBy), "") << minut;
    EXPECT_EQ(otazek, minut < 180 ? 0 : minut < 240 ? 1 : minut < 300 ? 2 : 3) << minut;
  }
  mohl = true;
  t.Do(300 + 6 * 3600);
  EXPECT_EQ(k.poPohledu(t.s, SimCas(t.s), mohlBy),
            "train 60001 has stood three hours although the automatic dispatcher could set it "
            "a route");

  // A route set ahead of it whose re-planning was lost (as when the route was numbered for
  // another train) leaves it standing before the route: found after three hours.
  KontrolaStavu k2;
  EXPECT_EQ(k2.over(t.s), "");
  t.Cesta(t.S2, t.V);
  ASSERT_EQ(t.N(t.S2).stav, 2);
  t.s.fronta = FrontaUdalosti();
  v.rychlost = v.CilRychl = 0;
  v.brzdi = false;
  t.Do(300 + 6 * 3600 + 2.9 * 3600);
  EXPECT_EQ(k2.over(t.s), "");
  t.Do(300 + 6 * 3600 + 3.1 * 3600);
  EXPECT_EQ(k2.over(t.s), "train 60001 has stood three hours before the route set from signal " +
                              std::to_string(t.S2) + " ahead of it");
}
