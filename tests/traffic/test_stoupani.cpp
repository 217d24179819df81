// A heavy freight too weak for the climb onto the line towards POLANKA on the larger shipped
// station: its locomotive's full tractive force is less than the gradient's pull.
#include <gtest/gtest.h>

#include <string>

#include "control/klavesy.h"
#include "control/cesty.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/kontrola.h"
#include "traffic/predani.h"
#include "traffic/smycka.h"
#include "traffic/trat.h"
#include "traffic/virtualni.h"

using namespace stanovar;

namespace {

struct VlciBrod {
  PrazdnePlatno platno;
  VirtualniProstredi prostredi{0.3, 7};
  Stav s;
  KontrolaStavu kontrola;
  std::string chyba;

  VlciBrod() {
    s.platno = &platno;
    s.prostredi = &prostredi;
    PoslouchejUdalosti(s, [this](double, const RUdalost& u) { kontrola.udalost(s, u); });
    Spust(s, std::string(STANOVAR_DATA_DIR) + "/vlci_brod");
  }
  void Klik(int x, int y) { Image1MouseDown(s, Tlacitko::Leve, x, y); }
  void Do(double sekundy, int cislo) {
    Simuluj(s, prostredi, SimCas(s) + sekundy / 86400, [&] {
      if (!chyba.empty()) return;
      chyba = kontrola.over(s);
      if (const RVlak* v = NajdiVlak(s, cislo); v && (v->rychlost < 0 || v->CilRychl < 0))
        chyba = "negative speed " + std::to_string(v->rychlost);
    });
  }
};

}  // namespace

TEST(Stoupani, AFreightTooWeakForTheClimbCrawlsUpItAndNeverSpeedsUpOnIt) {
  // Routed on through track 9 while it runs, or once it stands at track 9's end.
  for (bool zastavi : {false, true}) {
    SCOPED_TRACE(zastavi ? "standing at track 9 first" : "running through");
    VlciBrod t;
    int spoj = -1;
    for (std::size_t i = 0; i < t.s.Grafikon.size(); ++i)
      if (t.s.Grafikon[i].cislo == 47101) spoj = static_cast<int>(i);
    ASSERT_GE(spoj, 0);
    t.s.aktualniSpoj = spoj;
    PosliVlak(t.s, 6002);  // HRADISKO's arrival line, onto H1
    ASSERT_NE(NajdiVlak(t.s, 47101), nullptr);
    const int hlaseni = t.s.hlaseniVypoctu;

    t.Klik(114, 204);  // the entry signal at the end of H1
    t.Klik(396, 300);  // track 9
    if (zastavi) {
      t.Do(1800, 47101);
      ASSERT_EQ(NajdiVlak(t.s, 47101)->rychlost, 0);
    }
    t.Klik(486, 300);  // the signal at the end of track 9
    t.Klik(732, 444);  // track P, 18 per mille uphill

    // On P the plans may only hold or lose speed, and the train must get up it.
    bool naP = false;
    double vstup = 0, nejvic = 0;
    t.s.posluchaci.vycisti();  // this test listens instead
    PoslouchejUdalosti(t.s, [&](double, const RUdalost& u) {
      t.kontrola.udalost(t.s, u);
      if (u.vlak != 47101) return;
      const RKolej* k = u.druh == UdalostObsazeni ? NajdiKolej(t.s, u.prvek) : nullptr;
      if (k && k->cislo == "P") {
        naP = true;
        vstup = NajdiVlak(t.s, 47101)->rychlost;
      }
      if (naP && (u.druh == UdalostZmenaJizdy || u.druh == UdalostStalaJizda))
        nejvic = std::max(nejvic, u.hodnota1);
    });
    t.Do(3 * 3600, 47101);
    EXPECT_EQ(t.chyba, "");
    EXPECT_TRUE(naP);
    EXPECT_GT(vstup, 0);
    EXPECT_LE(nejvic, vstup + 1e-6);
    EXPECT_EQ(NajdiVlak(t.s, 47101), nullptr) << "still in the station";
    EXPECT_EQ(t.s.hlaseniVypoctu, hlaseni);
  }
}

TEST(Stoupani, ATrainThatCannotStartStandsWithOneReportAndTurnedGivesTheRouteBack) {
  test::Trat t;
  KontrolaStavu kontrola;
  PoslouchejUdalosti(t.s, [&](double, const RUdalost& u) { kontrola.udalost(t.s, u); });
  t.K(t.V).sklon = 900;  // 90 per mille up to the east
  t.s.Grafikon[0].hmotnost = 3000;
  t.s.aktualniSpoj = 0;
  PosliVlak(t.s);
  t.Cesta(t.S1, t.P);
  t.Do(300);
  RVlak& v = t.s.Vlaky.front();
  ASSERT_EQ(v.rychlost, 0);
  // Right at the end of its section, so the next route is entered from a stand.
  v.vzdalenost = v.cesta.back().delka;
  const int hlaseni = t.s.hlaseniVypoctu;

  t.Cesta(t.S2, t.V);
  t.Do(900);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_EQ(t.s.hlaseniVypoctu, hlaseni + 1);
  EXPECT_EQ(v.rychlost, 0);
  EXPECT_EQ(t.Zaver(t.V), 2);
  EXPECT_EQ(kontrola.over(t.s), "");

  FormKeyDown(t.s, KlavesaF5, 120, 120);
  EXPECT_EQ(t.Zaver(t.V), 0);
  EXPECT_EQ(kontrola.over(t.s), "");
  t.Do(2000);
  EXPECT_EQ(kontrola.over(t.s), "");
  EXPECT_EQ(t.s.hlaseniVypoctu, hlaseni + 1);
}
