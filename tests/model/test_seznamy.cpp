#include <gtest/gtest.h>

#include "fakes/svet.h"
#include "model/seznamy.h"

using namespace stanovar;

namespace {
RKolej Kolej(int id, int x1, int x2, int y) {
  RKolej k;
  k.id = id;
  k.x1 = x1;
  k.x2 = x2;
  k.y1 = k.y2 = y;
  return k;
}
RKolej Spojka(int id, int x1, int y1, int x2, int y2) {
  RKolej k;
  k.id = id;
  k.x1 = x1;
  k.y1 = y1;
  k.x2 = x2;
  k.y2 = y2;
  return k;
}
}  // namespace

TEST(KolejVBode, JointGivesNewerTrackThenOlderThenNothing) {
  test::Svet w;
  PridejKolej(w.stav, Kolej(1, 100, 160, 100));
  PridejKolej(w.stav, Kolej(2, 160, 220, 100));
  PridejKolej(w.stav, Kolej(3, 0, 400, 112));  // another row never matches
  RKolej* a = KolejVBode(w.stav, 160, 100);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->id, 2);
  RKolej* b = KolejVBode(w.stav, 160, 100, true);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->id, 1);
  EXPECT_EQ(KolejVBode(w.stav, 160, 100, true), nullptr);
  // After a miss the continued call finds nothing either.
  EXPECT_EQ(KolejVBode(w.stav, 500, 100), nullptr);
  EXPECT_EQ(KolejVBode(w.stav, 500, 100, true), nullptr);
  // Ends are inclusive.
  EXPECT_EQ(KolejVBode(w.stav, 100, 100)->id, 1);
  EXPECT_EQ(KolejVBode(w.stav, 220, 100)->id, 2);
  EXPECT_EQ(KolejVBode(w.stav, 221, 100), nullptr);
}

TEST(SpojkaVBode, DiagonalVerticalAndContinueRule) {
  test::Svet w;
  PridejSpojku(w.stav, Spojka(18001, 100, 100, 130, 160));  // falling diagonal
  PridejSpojku(w.stav, Spojka(18002, 100, 160, 100, 100));  // vertical, ends in either order
  EXPECT_EQ(SpojkaVBode(w.stav, 106, 112)->id, 18001);
  EXPECT_EQ(SpojkaVBode(w.stav, 112, 125)->id, 18001);
  EXPECT_EQ(SpojkaVBode(w.stav, 106, 125), nullptr);
  EXPECT_EQ(SpojkaVBode(w.stav, 100, 130)->id, 18002);
  // (100, 100) lies on both: the newer first, then the older, then nothing.
  EXPECT_EQ(SpojkaVBode(w.stav, 100, 100)->id, 18002);
  EXPECT_EQ(SpojkaVBode(w.stav, 100, 100, true)->id, 18001);
  EXPECT_EQ(SpojkaVBode(w.stav, 100, 100, true), nullptr);
}

TEST(Najdi, NeighbourByNameAndDirectionAndIdentifierKinds) {
  test::Svet w;
  RSoused a;
  a.jmeno = "ALFA";
  a.druh = 3;
  a.konec = 2;
  RSoused b;
  b.jmeno = "BETA";
  b.druh = 2;
  b.konec = 1;
  w.stav.Sousede = {a, b};
  int konec = -1;
  EXPECT_EQ(NajdiSouseda(w.stav, "ALFA", 1, &konec)->jmeno, "ALFA");
  EXPECT_EQ(konec, 2);
  EXPECT_EQ(NajdiSouseda(w.stav, "BETA", 1, &konec), nullptr);
  EXPECT_EQ(konec, 0);
  EXPECT_NE(NajdiSouseda(w.stav, "BETA", 2), nullptr);
  EXPECT_EQ(NajdiSouseda(w.stav, "alfa", 1), nullptr);  // names compare exactly
  EXPECT_TRUE(JeNavestidlo(12005));
  EXPECT_TRUE(JeSpojka(18001));
  EXPECT_TRUE(JeSoused(6001));
  EXPECT_TRUE(JeKolej(5999));
}

TEST(NajdiCestu, LastTrackStepSkipsConnectors) {
  test::Svet w;
  RCesta c;
  c.start = 12001;
  c.cesta = {{0, 0, 12001, 0, 200, 0, 2}, {0, 0, 4, 100, 80, 0, 2}, {0, 0, 18003, 150, 40, 0, 1}};
  w.stav.Cesty.push_back(c);
  int k = -1, d = -1;
  RCesta* r = NajdiCestu(w.stav, 12001, &k, &d);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(k, 4);
  EXPECT_EQ(d, 2);
  EXPECT_EQ(NajdiCestu(w.stav, 12002, &k, &d), nullptr);
  SmazCestu(w.stav, r);
  EXPECT_TRUE(w.stav.Cesty.empty());
}
