// Routes through the demo station as the dispatcher sets them: every entry to every platform
// track, every platform track to every line it may leave by, and a blocked route that waits.
#include <gtest/gtest.h>

#include <string>

#include "control/stanice.h"
#include "files/soubory.h"
#include "jadro.h"

using namespace stanovar;
using test::Stanice;

namespace {

struct Demo : Stanice {
  Demo() {
    s.nastaveni.cestaSchema = std::string(STANOVAR_DATA_DIR) + "/demo.yrd";
    otevrit(s);
  }

  // Line tracks: the end away from the line, where a signal faces into the station.
  RNavestidlo* VjezdoveNavestidlo(const RKolej& k) {
    for (const RSoused& so : s.Sousede) {
      if (so.y != k.y1 || (so.x != k.x1 && so.x != k.x2)) continue;
      return so.x == k.x1 ? NavestidloVBode(s, k.x2, k.y1) : NavestidloVBode(s, k.x1, k.y1);
    }
    return nullptr;
  }
  // Whether the line of a line track lies east of the station (its line end is its far end).
  bool Vychodni(const RKolej& k) {
    for (const RSoused& so : s.Sousede)
      if (so.y == k.y1 && (so.x == k.x1 || so.x == k.x2)) return so.x == k.x2;
    return false;
  }

  std::vector<int> Koleje(bool trat) {
    std::vector<int> r;
    for (const RKolej& k : s.Koleje)
      if ((k.druhKonce != 0) == trat) r.push_back(k.id);
    return r;
  }

  bool NicNeniNastaveno() {
    bool ok = s.Cesty.empty() && s.CekajiciCesty.empty() && !s.VyberCesty;
    for (const RKolej& k : s.Koleje) ok = ok && k.zaver == 0 && k.vlak == 0;
    for (const RKolej& k : s.Spojky) ok = ok && k.zaver == 0;
    for (const RNavestidlo& n : s.Navestidla) ok = ok && n.stav == 0;
    return ok;
  }

  // Sets a route, checks that it is set from the signal onto the track, and cancels it.
  // Returns an empty text, or what went wrong.
  std::string ZkusCestu(const RNavestidlo& n, int kolej) {
    Cesta(n.id, kolej);
    std::string popis = "signal at " + std::to_string(n.x) + "," + std::to_string(n.y) +
                        " to track " + K(kolej).cislo + ": ";
    RCesta* r = CestaOd(n.id);
    if (!r) return popis + "not set";
    bool naKoleji = false;
    for (const RCesta& c : s.Cesty)
      for (const RKrok& k : c.cesta) naKoleji = naKoleji || k.prvek == kolej;
    if (!naKoleji) return popis + "does not reach the track";
    if (N(n.id).stav != 2 || Zaver(kolej) != 2) return popis + "not locked";
    Klik(n, Tlacitko::Prave);
    if (!NicNeniNastaveno()) return popis + "not released";
    return {};
  }
};

}  // namespace

TEST(Demo, EveryEntryReachesEveryPlatformTrackAndEveryPlatformTrackEveryLine) {
  Demo st;
  ASSERT_FALSE(st.s.Koleje.empty());
  const std::vector<int> koleje = st.Koleje(false);
  const std::vector<int> trate = st.Koleje(true);
  ASSERT_GE(koleje.size(), 3u);

  int vjezdu = 0, odjezdu = 0;
  for (int t : trate) {
    const RKolej& trat = st.K(t);
    if (trat.druhKonce == 2) continue;  // departures only
    RNavestidlo* n = st.VjezdoveNavestidlo(trat);
    ASSERT_NE(n, nullptr) << "line track " << trat.cislo;
    for (int k : koleje) {
      EXPECT_EQ(st.ZkusCestu(*n, k), "");
      ++vjezdu;
    }
  }
  for (int t : trate) {
    const RKolej& trat = st.K(t);
    if (trat.druhKonce == 1) continue;  // arrivals only
    const bool vychod = st.Vychodni(trat);
    for (int k : koleje) {
      const RKolej& kolej = st.K(k);
      RNavestidlo* n = NavestidloVBode(st.s, vychod ? kolej.x2 : kolej.x1, kolej.y1);
      ASSERT_NE(n, nullptr) << "track " << kolej.cislo;
      EXPECT_EQ(st.ZkusCestu(*n, t), "");
      ++odjezdu;
    }
  }
  EXPECT_GT(vjezdu, 0);
  EXPECT_GT(odjezdu, 0);
}

TEST(Demo, RouteOntoAnOccupiedPlatformWaitsAndIsSetWhenTheFirstIsCancelled) {
  Demo st;
  std::vector<RNavestidlo*> vjezdy;
  for (int t : st.Koleje(true))
    if (st.K(t).druhKonce != 2) vjezdy.push_back(st.VjezdoveNavestidlo(st.K(t)));
  ASSERT_GE(vjezdy.size(), 2u);
  const int kolej = st.Koleje(false).front();
  RNavestidlo& a = *vjezdy[0];
  RNavestidlo& b = *vjezdy[1];

  st.Cesta(a.id, kolej);
  ASSERT_EQ(a.stav, 2);
  st.Cesta(b.id, kolej);  // the same platform track from the other side
  EXPECT_EQ(b.stav, 4);
  EXPECT_EQ(st.CestaOd(b.id), nullptr);
  EXPECT_EQ(st.s.CekajiciCesty.size(), 1u);

  st.Klik(a, Tlacitko::Prave);
  EXPECT_EQ(a.stav, 0);
  EXPECT_EQ(b.stav, 2);
  ASSERT_NE(st.CestaOd(b.id), nullptr);
  EXPECT_TRUE(st.s.CekajiciCesty.empty());
  EXPECT_EQ(st.Zaver(kolej), 2);
}
