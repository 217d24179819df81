// Elements occupied by a train's head and released behind its tail.
#include <gtest/gtest.h>

#include "control/stanice.h"
#include "traffic/obsazeni.h"

using namespace stanovar;
using test::Nadrazi;
using test::Stanice;

TEST(Obsazeni, TrackTurnsRedWithTheTrainNumberAndBackWithItsOwnNumber) {
  Stanice st;
  for (int i = 0; i < 11; ++i) st.Kolej(0, 60, 12 * i);
  int k12 = st.Kolej(100, 220, 240, 300, 80, "12");
  st.K(k12).vlak = 4711;
  st.K(k12).zaver = 2;
  st.platno.smaz();
  ObsazeniPrvku(st.s, 4711, k12);
  EXPECT_EQ(st.Zaver(k12), 3);
  EXPECT_EQ(st.K(k12).vlak, 4711);  // the train on it, as the route booked it
  EXPECT_TRUE(test::Cara(st.platno, BarvaObsazeno, 100, 240, 220, 240));
  EXPECT_TRUE(test::Text(st.platno, "4711", BarvaObsazeno));
  EXPECT_EQ(st.platno.pero, st.s.nastaveni.popredi);

  st.platno.smaz();
  UvolneniPrvku(st.s, 4711, k12);
  EXPECT_EQ(st.Zaver(k12), 0);
  EXPECT_EQ(st.K(k12).vlak, 0);
  EXPECT_TRUE(test::Cara(st.platno, st.s.nastaveni.popredi, 100, 240, 220, 240));
  EXPECT_TRUE(test::Text(st.platno, "12", st.s.nastaveni.popredi));
  EXPECT_FALSE(test::Cara(st.platno, BarvaObsazeno, 0, 0, 800, 540));

  // Releasing a free element draws it free again.
  st.platno.smaz();
  UvolneniPrvku(st.s, 0, k12);
  EXPECT_TRUE(test::Text(st.platno, "12", st.s.nastaveni.popredi));
}

// A release frees only what its train holds: one left over for an element another train has
// entered since, or that a route has locked since, leaves it as it is.
TEST(Obsazeni, ATrainReleasesOnlyWhatItHolds) {
  Nadrazi st;
  for (int e : {st.K2, st.C1}) {
    ObsazeniPrvku(st.s, 5, e);
    EXPECT_EQ(st.K(e).vlak, 5);  // a connector keeps its train too
    UvolneniPrvku(st.s, 7, e);
    EXPECT_EQ(st.Zaver(e), 3);
    EXPECT_EQ(st.K(e).vlak, 5);
    UvolneniPrvku(st.s, 5, e);
    EXPECT_EQ(st.Zaver(e), 0);
    EXPECT_EQ(st.K(e).vlak, 0);
  }
  st.Cesta(st.S1, st.K2);
  ASSERT_EQ(st.Zaver(st.K2), 2);
  UvolneniPrvku(st.s, 5, st.K2);
  EXPECT_EQ(st.Zaver(st.K2), 2);
  EXPECT_EQ(st.N(st.S1).stav, 2);
  // Without a train, whoever holds it.
  ObsazeniPrvku(st.s, 9, st.K3);
  UvolneniPrvku(st.s, 0, st.K3);
  EXPECT_EQ(st.Zaver(st.K3), 0);
}

TEST(Obsazeni, ConnectorsHaveNoLabelAndInvisibleOnesAreNotDrawn) {
  Stanice st;
  int c = st.Spojka(100, 120, 106, 132);
  int skryta = st.Spojka(200, 120, 206, 120);
  st.K(skryta).viditelna = false;
  ObsazeniPrvku(st.s, 5, c);
  EXPECT_EQ(st.Zaver(c), 3);
  EXPECT_TRUE(test::Cara(st.platno, BarvaObsazeno, 100, 120, 106, 132));
  EXPECT_TRUE(st.platno.jen("text").empty());

  st.platno.smaz();
  ObsazeniPrvku(st.s, 5, skryta);
  EXPECT_EQ(st.Zaver(skryta), 3);
  EXPECT_TRUE(st.platno.jen("cara").empty());
  UvolneniPrvku(st.s, 5, skryta);
  EXPECT_EQ(st.Zaver(skryta), 0);
  EXPECT_TRUE(st.platno.jen("cara").empty());
}

TEST(Obsazeni, IdentifiersOfOtherKindsAreIgnored) {
  Nadrazi st;
  st.platno.smaz();
  for (int id : {0, -3, 6000, 6001, 12001, st.S1, 17999, 18000, 99999}) {
    ObsazeniPrvku(st.s, 1, id);
    UvolneniPrvku(st.s, 1, id);
  }
  EXPECT_TRUE(st.platno.log.empty());
  for (const RKolej& k : st.s.Koleje) EXPECT_EQ(k.zaver, 0);
  for (const RKolej& k : st.s.Spojky) EXPECT_EQ(k.zaver, 0);
}

TEST(Obsazeni, ReleaseSetsTheStoredRouteItBlocked) {
  Nadrazi st;
  ObsazeniPrvku(st.s, 3, st.C6);
  st.Cesta(st.S2, st.K4);
  EXPECT_EQ(st.N(st.S2).stav, 4);
  ObsazeniPrvku(st.s, 3, st.K4);  // the train moves on: the route waits for both
  UvolneniPrvku(st.s, 3, st.C6);
  EXPECT_EQ(st.N(st.S2).stav, 4);
  UvolneniPrvku(st.s, 3, st.K4);
  EXPECT_EQ(st.N(st.S2).stav, 2);
  EXPECT_EQ(st.Zaver(st.K4), 2);
  EXPECT_TRUE(st.s.CekajiciCesty.empty());
}
