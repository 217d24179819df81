// Locking routes, storing blocked ones, setting them later, and cancelling.
#include <gtest/gtest.h>

#include <random>

#include "control/stanice.h"
#include "jadro.h"
#include "traffic/obsazeni.h"

using namespace stanovar;
using test::Nadrazi;
using test::Stanice;
using V = std::vector<int>;

namespace {

const RCekajiciCesta* Cekajici(Stav& s, int start) {
  for (const RCekajiciCesta& c : s.CekajiciCesty)
    if (c.start == start) return &c;
  return nullptr;
}

// A block of tracks a | b | c behind signal s1, with signals at both ends of the block;
// a train may be booked on a, the track in front of s1.
struct Blok : Stanice {
  int a, b, c, s1, s2;
  Blok() {
    a = Kolej(0, 60, 120, 200);
    b = Kolej(60, 120, 120, 100);
    c = Kolej(120, 180, 120, 150);
    s1 = Navestidlo(60, 120);
    s2 = Navestidlo(180, 120);
  }
};

RKrok Krok(int prvek, int smer) {
  RKrok k;
  k.prvek = prvek;
  k.smer = static_cast<std::uint16_t>(smer);
  return k;
}

}  // namespace

TEST(Zaver, SetRouteLocksLabelsAndDrawsGreen) {
  Nadrazi st;
  st.K(st.K1).vlak = 77;  // the train in front of the signal
  st.Cesta(st.S1, st.K2);
  RCesta* r = st.CestaOd(st.S1);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->vlak, 77);
  EXPECT_EQ(r->minRychlost, 40);
  for (int e : {st.C1, st.C2, st.K2}) EXPECT_EQ(st.Zaver(e), 2);
  EXPECT_EQ(st.K(st.K2).vlak, 77);
  EXPECT_EQ(st.K(st.C1).vlak, 0);
  EXPECT_EQ(st.N(st.S1).stav, 2);
  EXPECT_TRUE(st.s.HledanaCesta.empty());
  // Green: the connectors, the track with the train number, the signal.
  EXPECT_TRUE(test::Cara(st.platno, BarvaCesta, 60, 120, 66, 120));
  EXPECT_TRUE(test::Cara(st.platno, BarvaCesta, 72, 120, 300, 120));
  EXPECT_TRUE(test::Text(st.platno, "77", BarvaCesta));
  EXPECT_TRUE(test::Cara(st.platno, BarvaCesta, 54, 114, 66, 126));
  EXPECT_EQ(st.platno.pero, st.s.nastaveni.popredi);
  // Elements off the route are untouched.
  for (int e : {st.C3, st.C8, st.K3, st.C4}) EXPECT_EQ(st.Zaver(e), 0);
}

TEST(Zaver, TrainNumberGivenByTheCallerLabelsAPathWithoutSignal) {
  Nadrazi st;
  // A train handed over from the line: the line end's step, then its track.
  st.s.HledanaCesta = {Krok(6001, 2), Krok(st.K1, 2)};
  NastavCestu(st.s, 88, 0);
  RCesta* r = NajdiCestu(st.s, 0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->vlak, 88);
  EXPECT_EQ(st.K(st.K1).vlak, 88);
  EXPECT_EQ(st.Zaver(st.K1), 2);
  EXPECT_TRUE(test::Text(st.platno, "88", BarvaCesta));
}

TEST(Zaver, FlankOfTheLeavingPointCrossingDiagonalsAndSelfContact) {
  {
    // An occupied connector touching the point where C5 hands over to C6 blocks the route.
    Nadrazi st;
    st.K(st.C4).zaver = 3;
    st.Cesta(st.S3, st.K4);
    EXPECT_EQ(st.N(st.S3).stav, 4);
    // The same route without it is set.
    Nadrazi volno;
    volno.Cesta(volno.S3, volno.K4);
    EXPECT_EQ(volno.N(volno.S3).stav, 2);
  }
  // Two rows joined by a crossover in both directions and by a parallel diagonal beside it.
  Stanice st;
  int dolu = st.Spojka(100, 120, 106, 132);
  int nahoru = st.Spojka(100, 132, 106, 120);
  int soubezna = st.Spojka(112, 120, 118, 132);
  int horni = st.Kolej(106, 200, 120);
  int dolni = st.Kolej(118, 200, 132);
  st.K(dolu).zaver = 2;
  st.s.HledanaCesta = {Krok(nahoru, 2), Krok(horni, 2)};
  EXPECT_TRUE(KontrolaCesty(st.s));
  st.s.HledanaCesta = {Krok(soubezna, 2), Krok(dolni, 2)};
  EXPECT_FALSE(KontrolaCesty(st.s));
  // A path that meets itself conflicts with itself, and no mark outlives the check.
  st.K(dolu).zaver = 0;
  st.s.HledanaCesta = {Krok(soubezna, 2), Krok(dolni, 2), Krok(soubezna, 1), Krok(horni, 1)};
  EXPECT_TRUE(KontrolaCesty(st.s));
  for (const RKolej& k : st.s.Spojky) EXPECT_EQ(k.zaver, 0);
  for (const RKolej& k : st.s.Koleje) EXPECT_EQ(k.zaver, 0);
  // An occupied last element blocks too.
  st.K(dolni).zaver = 3;
  st.s.HledanaCesta = {Krok(soubezna, 2), Krok(dolni, 2)};
  EXPECT_TRUE(KontrolaCesty(st.s));
  EXPECT_EQ(st.K(dolni).zaver, 3);
}

TEST(Zaver, FurtherTracksBecomeSectionsUnderTheTrackBeforeWithTheSameTrain) {
  Blok st;
  st.K(st.a).vlak = 55;
  st.Cesta(st.s1, st.b);
  RCesta* prvni = st.CestaOd(st.s1);
  RCesta* dalsi = st.CestaOd(st.b);
  ASSERT_NE(prvni, nullptr);
  ASSERT_NE(dalsi, nullptr);
  EXPECT_EQ(st.s.Cesty.size(), 2u);
  EXPECT_EQ(Stanice::Prvky(prvni->cesta), V{st.b});
  EXPECT_EQ(Stanice::Prvky(dalsi->cesta), V{st.c});
  EXPECT_EQ(prvni->vlak, 55);
  EXPECT_EQ(dalsi->vlak, 55);
  EXPECT_EQ(st.K(st.c).vlak, 55);
  // Each section counts its lengths from its own start.
  EXPECT_EQ(prvni->cesta.back().delka, 100);
  EXPECT_EQ(dalsi->cesta.back().delka, 150);
  EXPECT_TRUE(st.s.CekajiciCesty.empty());
}

TEST(Zaver, BlockedFirstSectionHoldsTheLaterOnesUntilItIsSet) {
  Blok st;
  st.K(st.b).zaver = 3;  // a train stands on the first track of the route
  st.Cesta(st.s1, st.b);
  EXPECT_TRUE(st.s.Cesty.empty());
  EXPECT_EQ(st.N(st.s1).stav, 4);
  const RCekajiciCesta* dalsi = Cekajici(st.s, st.b);
  ASSERT_NE(dalsi, nullptr);
  EXPECT_EQ(dalsi->cil, st.s1);
  EXPECT_TRUE(dalsi->ceka);
  EXPECT_EQ(st.Zaver(st.c), 0);  // free, but it waits for the section before it

  // The train leaves the track: both sections are set in one go, in order.
  UvolneniPrvku(st.s, 9, st.b);
  EXPECT_EQ(st.N(st.s1).stav, 2);
  EXPECT_TRUE(st.s.CekajiciCesty.empty());
  ASSERT_NE(st.CestaOd(st.s1), nullptr);
  ASSERT_NE(st.CestaOd(st.b), nullptr);
  EXPECT_EQ(st.Zaver(st.b), 2);
  EXPECT_EQ(st.Zaver(st.c), 2);

  // Cancelling a stored request instead removes it with its sections.
  Blok st2;
  st2.K(st2.b).zaver = 3;
  st2.Cesta(st2.s1, st2.b);
  ASSERT_EQ(st2.s.CekajiciCesty.size(), 2u);
  st2.platno.smaz();
  st2.Klik(st2.N(st2.s1), Tlacitko::Prave);
  EXPECT_TRUE(st2.s.CekajiciCesty.empty());
  EXPECT_EQ(st2.N(st2.s1).stav, 0);
  EXPECT_TRUE(test::Cara(st2.platno, st2.s.nastaveni.popredi, 54, 114, 66, 126));
  UvolneniPrvku(st2.s, 9, st2.b);
  EXPECT_TRUE(st2.s.Cesty.empty());
}

TEST(Zaver, BlockedRequestsAreStoredRedAndSetInTheOrderMade) {
  for (bool s4Prvni : {true, false}) {
    Nadrazi st;
    st.K(st.C6).zaver = 3;  // a train on the exit connector
    const int prvni = s4Prvni ? st.S4 : st.S3;
    const int druhy = s4Prvni ? st.S3 : st.S4;
    st.platno.smaz();
    st.Cesta(prvni, st.K4);
    st.Cesta(druhy, st.K4);
    ASSERT_EQ(st.s.CekajiciCesty.size(), 2u);
    EXPECT_TRUE(st.s.Cesty.empty());
    const RCekajiciCesta& c = st.s.CekajiciCesty.front();
    EXPECT_EQ(c.start, prvni);
    EXPECT_EQ(c.cil, 0);
    EXPECT_FALSE(c.ceka);
    EXPECT_EQ(Stanice::Prvky(c.cesta).back(), st.K4);
    EXPECT_EQ(st.N(prvni).stav, 4);
    EXPECT_TRUE(test::Cara(st.platno, BarvaObsazeno, 294, 102, 306, 138));
    EXPECT_FALSE(test::Cara(st.platno, BarvaCesta, 0, 0, 800, 540));
    for (int e : {st.C5, st.C7, st.K4}) EXPECT_EQ(st.Zaver(e), 0);

    UvolneniPrvku(st.s, 1, st.C6);
    EXPECT_EQ(st.N(prvni).stav, 2);
    EXPECT_EQ(st.N(druhy).stav, 4);
    ASSERT_NE(st.CestaOd(prvni), nullptr);
    EXPECT_EQ(st.CestaOd(druhy), nullptr);
    // Cancelling the first lets the second in.
    st.Klik(st.N(prvni), Tlacitko::Prave);
    EXPECT_EQ(st.N(prvni).stav, 0);
    EXPECT_EQ(st.N(druhy).stav, 2);
    EXPECT_NE(st.CestaOd(druhy), nullptr);
    EXPECT_TRUE(st.s.CekajiciCesty.empty());
  }
}

TEST(Zaver, CancelReleasesTheRouteAndTheSectionsAfterIt) {
  Blok st;
  st.Cesta(st.s1, st.b);
  ASSERT_EQ(st.s.Cesty.size(), 2u);
  st.platno.smaz();
  st.Klik(st.N(st.s1), Tlacitko::Prostredni);
  EXPECT_TRUE(st.s.Cesty.empty());
  for (int k : {st.b, st.c}) {
    EXPECT_EQ(st.Zaver(k), 0);
    EXPECT_EQ(st.K(k).vlak, 0);
    EXPECT_TRUE(test::Text(st.platno, st.K(k).cislo, st.s.nastaveni.popredi));
  }
  EXPECT_EQ(st.N(st.s1).stav, 0);
  EXPECT_TRUE(test::Cara(st.platno, st.s.nastaveni.popredi, 54, 114, 66, 126));
  // The signal can start a new route at once.
  st.Cesta(st.s1, st.c);
  EXPECT_EQ(st.s.Cesty.size(), 2u);
}

TEST(Zaver, CancelIsRefusedWhileTheBookedTrainRunsUpToTheSignal) {
  Nadrazi st;
  st.K(st.K1).vlak = 77;
  st.Cesta(st.S1, st.K2);
  ASSERT_NE(st.CestaOd(st.S1), nullptr);
  RVlak& v = st.s.Vlaky.emplace_back();
  v.cislo = 77;
  v.cesta = {Krok(6001, 2), Krok(st.K1, 2)};
  st.Klik(st.N(st.S1), Tlacitko::Prave);
  EXPECT_NE(st.CestaOd(st.S1), nullptr);
  EXPECT_EQ(st.N(st.S1).stav, 2);
  EXPECT_EQ(st.Zaver(st.C1), 2);
  // Once its path runs on beyond this track (it took the route), cancelling is allowed.
  v.cesta.push_back(Krok(st.C1, 2));
  v.cesta.push_back(Krok(st.K2, 2));
  EXPECT_TRUE(PriblizeniDovoluje(st.s, st.N(st.S1)));
  v.cesta.clear();
  EXPECT_TRUE(PriblizeniDovoluje(st.s, st.N(st.S1)));
  v.cesta = {Krok(st.K1, 2)};
  EXPECT_FALSE(PriblizeniDovoluje(st.s, st.N(st.S1)));
  st.s.Vlaky.clear();  // a booked number without a train does not hold the route
  st.Klik(st.N(st.S1), Tlacitko::Prave);
  EXPECT_EQ(st.CestaOd(st.S1), nullptr);
  EXPECT_EQ(st.Zaver(st.C1), 0);
}

TEST(Zaver, TrainNumberRunsOnIntoTheNextRouteAndIsTakenBackOnRelease) {
  Nadrazi st;
  st.Cesta(st.S2, st.K4);
  RCesta* ven = st.CestaOd(st.S2);
  ASSERT_NE(ven, nullptr);
  EXPECT_EQ(ven->vlak, 0);
  st.K(st.K1).vlak = 77;
  st.platno.smaz();
  st.Cesta(st.S1, st.K2);
  EXPECT_EQ(ven->vlak, 77);
  EXPECT_EQ(st.K(st.K4).vlak, 77);
  EXPECT_TRUE(test::Text(st.platno, "77", BarvaCesta));
  // Releasing the route in front clears the number but leaves the next route set and green.
  st.platno.smaz();
  st.Klik(st.N(st.S1), Tlacitko::Prave);
  EXPECT_EQ(st.CestaOd(st.S1), nullptr);
  EXPECT_EQ(ven->vlak, 0);
  EXPECT_EQ(st.K(st.K4).vlak, 0);
  EXPECT_EQ(st.Zaver(st.K4), 2);
  EXPECT_TRUE(test::Cara(st.platno, BarvaCesta, 312, 110, 396, 130));
  EXPECT_FALSE(test::Text(st.platno, "77", BarvaCesta));
}

TEST(Zaver, HeldSectionsSurviveRemovalByIdentifier) {
  Blok st;
  st.s.HledanaCesta = {Krok(st.c, 2)};
  UlozCekajici(st.s, st.b, st.s1, true);
  st.s.HledanaCesta = {Krok(st.b, 2)};
  UlozCekajici(st.s, st.a, st.s1, true);
  EXPECT_TRUE(st.s.HledanaCesta.empty());
  OznacCekajici(st.s, st.s1, Oznaceni::Drzet);
  ZrusCekajici(st.s, st.s1);
  EXPECT_EQ(st.s.CekajiciCesty.size(), 2u);
  // Released from waiting, both are set by the retry, oldest first.
  OznacCekajici(st.s, st.s1, Oznaceni::Uvolnit);
  ZkusCekajici(st.s);
  EXPECT_TRUE(st.s.CekajiciCesty.empty());
  ASSERT_EQ(st.s.Cesty.size(), 2u);
  EXPECT_EQ(st.s.Cesty.front().start, st.b);
}

namespace {

// The conflict check as a plain walk over every connector for each step.
bool KrizeniPrimo(const RKolej& e, const RKolej& c) {
  const long long sklon = e.y2 > e.y1 ? 1 : -1;
  auto naE = [&](long long x) { return e.y1 - sklon * (gy * 1LL * e.x1) / gx + sklon * (gy * x) / gx; };
  auto naC = [&](long long x) { return c.y1 + sklon * (gy * 1LL * c.x1) / gx - sklon * (gy * x) / gx; };
  auto zn = [](long long v) { return (v > 0) - (v < 0); };
  return zn(c.y1 - naE(c.x1)) * zn(c.y2 - naE(c.x2)) < 0 && zn(e.y1 - naC(e.x1)) * zn(e.y2 - naC(e.x2)) < 0;
}

bool KontrolaPrimo(Stav& s) {
  auto soused = [&](const RKolej& e, int d) {
    const int y2 = JeKolej(e.id) ? e.y1 : e.y2;
    if (e.x1 == e.x2) return false;
    for (const RKolej& c : s.Spojky) {
      if (c.zaver == 0) continue;
      auto konec = [&](int x, int y) { return (c.x1 == x && c.y1 == y) || (c.x2 == x && c.y2 == y); };
      if ((d == 1 && konec(e.x1, e.y1)) || (d == 2 && konec(e.x2, y2))) return true;
      if (e.y1 != y2 && c.x1 != c.x2 && c.y1 != c.y2 && KrizeniPrimo(e, c)) return true;
    }
    return false;
  };
  Kroky& cesta = s.HledanaCesta;
  bool konflikt = false;
  auto it = cesta.begin();
  for (; it != std::prev(cesta.end()); ++it) {
    RKolej* e = NajdiPrvek(s, it->prvek);
    if (!e) continue;
    if (e->zaver != 0 || soused(*e, it->smer)) {
      konflikt = true;
      break;
    }
    e->zaver = 1;
  }
  if (RKolej* e = NajdiPrvek(s, it->prvek)) {
    if (e->zaver != 0) konflikt = true;
    else e->zaver = 1;
  }
  for (const RKrok& k : cesta)
    if (RKolej* e = NajdiPrvek(s, k.prvek); e && e->zaver == 1) e->zaver = 0;
  return konflikt;
}

}  // namespace

// Random connectors (regular diagonals of both slopes, straight ones, irregular and huge
// ones), random locks and random paths: the indexed check finds exactly the conflicts the
// plain walk finds, and leaves the same locks.
TEST(Zaver, ConflictCheckAgreesWithAPlainWalkOverEveryConnector) {
  std::mt19937 rng(77);
  auto nahoda = [&](int od, int po) { return od + static_cast<int>(rng() % static_cast<unsigned>(po - od + 1)); };
  int konfliktu = 0, krizeni = 0;
  for (int kolo = 0; kolo < 300; ++kolo) {
    Stanice st;
    Stav& s = st.s;
    for (int i = 0; i < 6; ++i) {
      const int x = 6 * nahoda(0, 10);
      st.Kolej(x, x + 6 * nahoda(1, 4), 12 * nahoda(0, 4));
    }
    for (int i = 0; i < 40; ++i) {
      const int x = 6 * nahoda(0, 10), y = 12 * nahoda(0, 4), k = nahoda(1, 3);
      switch (nahoda(0, 5)) {
        case 0: st.Spojka(x, y, x + 6 * k, y + 12 * k); break;
        case 1: st.Spojka(x, y, x + 6 * k, y - 12 * k); break;
        case 2: st.Spojka(x, y, x + 6 * k, y); break;
        case 3: st.Spojka(x, y, x, y + 12 * k); break;
        case 4: st.Spojka(x, y, nahoda(0, 60), nahoda(-12, 60)); break;
        default: st.Spojka(x, y, nahoda(-900000, 900000), nahoda(-900000, 900000));
      }
    }
    for (RKolej& c : s.Spojky) c.zaver = static_cast<std::uint8_t>(nahoda(0, 2) == 0 ? nahoda(2, 3) : 0);
    for (RKolej& k : s.Koleje) k.zaver = static_cast<std::uint8_t>(nahoda(0, 5) == 0 ? 2 : 0);
    for (int pokus = 0; pokus < 5; ++pokus) {
      Kroky cesta;
      for (int n = nahoda(1, 6); n > 0; --n) {
        const int druh = nahoda(0, 9);
        const int prvek = druh == 0   ? ZakladNavestidel + 1
                          : druh < 4 ? nahoda(1, 6)
                                     : ZakladSpojek + nahoda(1, 40);
        cesta.push_back(Krok(prvek, nahoda(1, 4)));
      }
      s.HledanaCesta = cesta;
      std::vector<int> zavery;
      for (const RKolej& c : s.Spojky) zavery.push_back(c.zaver);
      const bool primo = KontrolaPrimo(s);
      s.HledanaCesta = cesta;
      ASSERT_EQ(KontrolaCesty(s), primo) << "kolo " << kolo;
      for (std::size_t i = 0; i < s.Spojky.size(); ++i) ASSERT_EQ(s.Spojky[i].zaver, zavery[i]);
      konfliktu += primo;
    }
    // How often a crossing alone decides, so that the comparison covers it.
    for (const RKolej& e : s.Spojky)
      for (const RKolej& c : s.Spojky)
        krizeni += e.x1 != e.x2 && e.y1 != e.y2 && c.x1 != c.x2 && c.y1 != c.y2 && KrizeniPrimo(e, c);
  }
  EXPECT_GT(konfliktu, 100);
  EXPECT_GT(krizeni, 1000);
}
