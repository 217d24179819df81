// States a run must never be left in: a route nobody can cancel, a line waiting for good for
// a train it accepted, a track held for a train that left, trains that cannot move flooding
// the dispatcher with reports, and trains that stop where nothing can ever move them on.
#include <gtest/gtest.h>

#include "control/klavesy.h"
#include "jadro.h"
#include "traffic/generace.h"
#include "traffic/predani.h"
#include "traffic/trat.h"

using namespace stanovar;
using test::Trat;

namespace {

// Hands the train over from the west and brings it to a stand on platform track 1, 10 m
// before its east end.
RVlak& NaNastupisti(Trat& t) {
  t.s.aktualniSpoj = 0;
  PosliVlak(t.s);
  t.Cesta(t.S1, t.P);
  t.Do(300);
  return t.s.Vlaky.front();
}

// Every element free and nothing held for any train.
void VseVolne(Trat& t) {
  for (const auto* seznam : {&t.s.Koleje, &t.s.Spojky})
    for (const RKolej& k : *seznam) {
      EXPECT_EQ(k.zaver, 0) << k.id;
      EXPECT_EQ(k.vlak, 0) << k.id;
    }
}

}  // namespace

TEST(Uvazle, OnlyATrainRunningTowardsASignalHoldsItsRouteAgainstCancelling) {
  for (bool otoceny : {false, true}) {
    Trat t(3);
    RVlak& v = NaNastupisti(t);
    ASSERT_EQ(v.rychlost, 0);
    // Turned, it faces west and will leave by the way back it has locked.
    if (otoceny) FormKeyDown(t.s, KlavesaF5, 120, 120);
    ASSERT_EQ(v.maOdjezd, otoceny);
    t.Cesta(t.S2, t.V);
    ASSERT_EQ(t.N(t.S2).stav, 2);
    t.Klik(t.N(t.S2), Tlacitko::Prave);
    EXPECT_EQ(t.N(t.S2).stav, otoceny ? 0 : 2) << otoceny;
    EXPECT_EQ(t.Zaver(t.V), otoceny ? 0 : 2) << otoceny;
  }
}

TEST(Uvazle, ATrainRoutedOntoTheLineToAnotherNeighbourLeavesByIt) {
  Trat t(3);
  NaNastupisti(t);
  FormKeyDown(t.s, KlavesaF5, 120, 120);  // back west, though it is bound east
  t.Do(2000);
  EXPECT_TRUE(t.s.Vlaky.empty());
  VseVolne(t);
}

TEST(Uvazle, TrainsOfRepeatedNumbersOrNoLengthReleaseEveryTrackBehindThem) {
  for (int delka : {200, 0}) {
    Trat t(1);
    t.s.Grafikon[0].delka = delka;
    NaNastupisti(t);
    t.Cesta(t.S2, t.V);
    // Until the train has left, its tail still on the line track out.
    while (!t.s.Vlaky.empty() && t.Ted() < 2000) t.Do(t.Ted() + 0.5);
    ASSERT_TRUE(t.s.Vlaky.empty());
    // A train of the same number comes in at once and is routed on: its re-planning keeps the
    // releases queued behind the train that left.
    t.s.aktualniSpoj = 0;
    PosliVlak(t.s);
    ASSERT_EQ(t.s.Vlaky.size(), 1u);
    t.Cesta(t.S1, t.P);
    t.Do(t.Ted() + 60);
    EXPECT_EQ(t.Zaver(t.V), 0) << delka;
    EXPECT_EQ(t.K(t.V).vlak, 0) << delka;
    t.Cesta(t.S2, t.V);
    t.Do(t.Ted() + 600);
    EXPECT_TRUE(t.s.Vlaky.empty()) << delka;
    VseVolne(t);
  }
}

TEST(Uvazle, NoTrainRunsOverASpeedLimitOfZero) {
  // A connector of the route, or the line track itself.
  for (bool naTrati : {false, true}) {
    Trat t(1);
    t.K(naTrati ? t.L : t.C1).rychlost = 0;
    PosliVlak(t.s);
    EXPECT_EQ(t.s.Vlaky.size(), naTrati ? 0u : 1u);
    EXPECT_EQ(t.virt.pocetZprav, 0);
    t.Cesta(t.S1, t.P);
    EXPECT_EQ(t.N(t.S1).stav, naTrati ? 2 : 0) << "no route over the connector";
    t.Do(600);
    if (!naTrati) EXPECT_EQ(t.Zaver(t.C1), 0);  // nothing ran over it
    for (const RVlak& v : t.s.Vlaky) EXPECT_EQ(v.rychlost, 0);
  }
}

TEST(Uvazle, OneReportForOneFailingOperation) {
  // A locomotive without power: every generation picks its only entry up to ten times.
  Trat t(1);
  t.s.Lokomotivy[0].vykon = 0;
  GenerujVlak(t.s);
  EXPECT_EQ(t.virt.pocetZprav, 1);
  EXPECT_TRUE(t.s.Vlaky.empty());
  // The next generation reports again: it is another operation.
  GenerujVlak(t.s);
  EXPECT_EQ(t.virt.pocetZprav, 2);
}

TEST(Uvazle, ATrainThatNeedsNoBrakingIsNotRefusedForItsWeakBrakingDownhill) {
  // 60 per mille downhill cancels any braking; the line's 50 km/h is below the route's 60.
  Trat t(1, 500, 50, -600);
  t.Cesta(t.S1, t.P);
  ASSERT_EQ(t.N(t.S1).stav, 2);
  PosliVlak(t.s);
  EXPECT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_EQ(t.virt.pocetZprav, 0);
  t.Do(60);
  EXPECT_EQ(t.Zaver(t.L), 0) << "it ran on into the route";
}

// A departure route whose last section, stored behind the first, ends on the line track:
//
//   1 (60 m) S C X (54 m) Y (60 m) C3 V (114 m) > VYCHOD
TEST(Uvazle, CancellingARouteOntoALineTrackAdmitsTheTrainAcceptedForIt) {
  VirtualniProstredi virt(0.4, 7);
  test::Stanice st;
  st.s.prostredi = &virt;
  st.s.SimZaklad = st.s.RealZnacka = st.s.PosledniCteni = virt.casDne();
  st.Kolej(0, 60, 240, 60, 80, "1");
  st.Spojka(60, 240, 66, 240, 10, 60);
  const int X = st.Kolej(66, 120, 240, 54, 80, "X");
  st.Kolej(120, 180, 240, 60, 80, "Y");
  st.Spojka(180, 240, 186, 240, 10, 60);
  const int V = st.Kolej(186, 300, 240, 114, 80, "V");
  const int S = st.Navestidlo(60, 240);
  RSoused so;
  so.x = 300, so.y = 240, so.jmeno = "VYCHOD", so.druh = 3, so.konec = 2, so.id = 6001;
  st.K(V).druhKonce = 3;
  st.K(V).soused = "VYCHOD";
  st.s.Sousede.push_back(so);
  RSpoj& e = st.s.Grafikon.emplace_back();
  e.cislo = 77, e.odkud = "VYCHOD", e.kam = "ZAPAD";
  st.s.PocetSpoju = 1;

  st.Cesta(S, V);
  ASSERT_EQ(st.Zaver(X), 2);
  ASSERT_EQ(st.Zaver(V), 2) << "the section after X is set too";
  GenerujVlak(st.s);
  ASSERT_EQ(st.K(V).druhKonce, 5);
  UkazNabidku(st.s, st.K(V));
  LabelAnoClick(st.s);
  ASSERT_EQ(st.K(V).druhKonce, 4);  // the line track is locked: it waits

  st.Klik(st.N(S), Tlacitko::Prave);
  EXPECT_EQ(st.K(V).druhKonce, 3);
  EXPECT_EQ(st.s.Sousede[0].druh, 3);
  EXPECT_TRUE(st.s.Nabidky.empty());
  ASSERT_EQ(st.s.Vlaky.size(), 1u);
  EXPECT_EQ(st.K(V).vlak, 77);
}
