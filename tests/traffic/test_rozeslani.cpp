// The main loop hands due occupancy events to their handlers.
#include <gtest/gtest.h>

#include "fakes/svet.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

using namespace stanovar;

TEST(Rozeslani, OccupiedAndReleasedEventsReachTheirElementsInTimeOrder) {
  test::Svet w;
  RKolej k;
  k.id = 1;
  k.x1 = 60;
  k.x2 = 300;
  k.y1 = k.y2 = 120;
  k.cislo = "1";
  PridejKolej(w.stav, k);
  const double ted = SimCas(w.stav);
  NaplanujUdalost(w.stav, UdalostObsazeni, 4711, 1, 0, 0, ted + 1.0 / 86400);
  NaplanujUdalost(w.stav, UdalostUvolneni, 4711, 1, 0, 0, ted + 10.0 / 86400);

  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(w.stav.Koleje[0].zaver, 0);  // nothing due yet

  w.prostredi.posun(2);
  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(w.stav.Koleje[0].zaver, 3);
  EXPECT_EQ(w.stav.fronta.velikost(), 1u);

  w.prostredi.posun(10);
  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(w.stav.Koleje[0].zaver, 0);
  EXPECT_TRUE(w.stav.fronta.prazdna());
}
