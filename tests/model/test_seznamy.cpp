#include <gtest/gtest.h>

#include <random>
#include <vector>

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

namespace {

// The look-ups as plain scans: from the newest record below `pred` towards the oldest.
template <class Drzi>
int Prohledej(const std::vector<RKolej>& v, int pred, Drzi drzi) {
  for (int i = pred - 1; i >= 0; --i)
    if (drzi(v[static_cast<std::size_t>(i)])) return i;
  return -1;
}

// Every answer of KolejVBode or SpojkaVBode at (x, y), without and then with the continue
// flag until it finds nothing, against the plain scan.
template <class Najdi, class Drzi>
void Porovnej(Stav& s, const std::vector<RKolej>& v, int x, int y, Najdi najdi, Drzi drzi) {
  int pred = static_cast<int>(v.size());
  for (bool dal = false;; dal = true) {
    const int ocekavana = Prohledej(v, pred, drzi);
    RKolej* r = najdi(s, x, y, dal);
    ASSERT_EQ(r ? static_cast<int>(r - v.data()) : -1, ocekavana) << x << "," << y;
    if (!r) break;
    pred = ocekavana;
  }
  // After a miss a continued call finds nothing.
  EXPECT_EQ(najdi(s, x, y, true), nullptr);
}

}  // namespace

// Stations of overlapping, touching, reversed and empty tracks and of regular, irregular and
// huge connectors, grown in random order with look-ups in between as the loader makes them.
TEST(Body, IndexedLookUpsAnswerAsPlainScansWithTheContinueRule) {
  std::mt19937 rng(20240611);
  auto nahoda = [&](int od, int po) { return od + static_cast<int>(rng() % static_cast<unsigned>(po - od + 1)); };
  for (int kolo = 0; kolo < 40; ++kolo) {
    test::Svet w;
    Stav& s = w.stav;
    const int rozsah = kolo % 2 ? 300 : 60;  // small stations are dense with shared points
    for (int n = 0; n < 300; ++n) {
      if (nahoda(0, 1)) {
        const int x1 = nahoda(-rozsah, rozsah), y = 12 * nahoda(-3, 3) + (nahoda(0, 9) == 0);
        const int x2 = nahoda(0, 7) ? x1 + 6 * nahoda(0, 8) : nahoda(-rozsah, rozsah);
        PridejKolej(s, Kolej(n + 1, x1, x2, y));
      } else {
        const int x1 = nahoda(-rozsah, rozsah), y1 = nahoda(-40, 40);
        int x2 = x1, y2 = y1;
        switch (nahoda(0, 5)) {
          case 0: x2 += 6 * nahoda(0, 10); break;                              // horizontal
          case 1: y2 += 12 * nahoda(-4, 4); break;                             // vertical
          case 2: { int k = nahoda(1, 4); x2 += 6 * k; y2 += 12 * k; } break;  // falling
          case 3: { int k = nahoda(1, 4); x2 += 6 * k; y2 -= 12 * k; } break;  // rising
          case 4: x2 = nahoda(-rozsah, rozsah); y2 = nahoda(-40, 40); break;   // irregular
          default: x2 = nahoda(-900000, 900000); y2 = nahoda(-900000, 900000);  // huge
        }
        PridejSpojku(s, Spojka(18001 + n, x1, y1, x2, y2));
      }
      for (int q = 0; q < 4; ++q) {
        const int x = nahoda(-rozsah - 12, rozsah + 12), y = nahoda(-50, 50);
        const int gxBod = x - x % 6, gyBod = y - y % 12;  // grid points meet far more often
        for (const auto& bod : {std::pair{x, y}, std::pair{gxBod, gyBod}}) {
          const int bx = bod.first, by = bod.second;
          Porovnej(s, s.Koleje, bx, by, KolejVBode, [&](const RKolej& k) {
            return k.y1 == by && k.x1 <= bx && bx <= k.x2;
          });
          Porovnej(s, s.Spojky, bx, by, SpojkaVBode,
                   [&](const RKolej& c) { return SpojkaObsahuje(c, bx, by); });
        }
      }
    }
  }
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
