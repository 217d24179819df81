// Trains from hand-over to departure on a small line: the whole event trace against a
// committed one, the hand-over's braking plan against the formulas, offers, generation and
// the trains that must not enter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "dynamics/dotazy.h"
#include "dynamics/jizda.h"
#include "control/klavesy.h"
#include "dynamics/vypocty.h"
#include "jadro.h"
#include "traffic/generace.h"
#include "traffic/kontrola.h"
#include "traffic/obsazeni.h"
#include "traffic/predani.h"
#include "traffic/trat.h"

using namespace stanovar;
using test::Trat;

namespace {

std::string Radek(double ms, const RUdalost& u) {
  char b[160];
  std::snprintf(b, sizeof b, "%lld %d %d %d %.4f %.4f", static_cast<long long>(std::llround(ms)),
                u.druh, u.vlak, u.prvek, u.hodnota1, u.hodnota2);
  return b;
}

std::string Soubor(const std::string& jmeno) {
  std::ifstream f(jmeno);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

}  // namespace

TEST(Vlaky, AcceptedTrainRunsFromHandOverToDepartureAsTheCommittedTrace) {
  Trat t;
  std::string stopa;
  KontrolaStavu kontrola;
  std::string chyba;
  PoslouchejUdalosti(t.s, [&](double cas, const RUdalost& u) {
    kontrola.udalost(t.s, u);
    stopa += Radek((cas - t.start) * 86400000.0, u) + "\n";
  });
  auto krok = [&](double do_) {
    Simuluj(t.s, t.virt, t.start + do_ / 86400, [&] {
      if (chyba.empty()) chyba = kontrola.over(t.s);
    });
  };

  GenerujVlak(t.s);  // the line is used both ways: the train is offered
  ASSERT_EQ(t.s.Nabidky.size(), 1u);
  EXPECT_TRUE(t.s.okno.Blikac);
  UkazNabidku(t.s, t.K(t.L));
  LabelAnoClick(t.s);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_TRUE(t.s.Nabidky.empty());
  EXPECT_EQ(t.K(t.L).zaver, 3);
  EXPECT_EQ(t.K(t.L).vlak, 60001);

  krok(60);  // stands before S1
  const RVlak& v = t.s.Vlaky.front();
  EXPECT_EQ(v.rychlost, 0);
  EXPECT_EQ(v.vzdalenost, 490);
  t.Cesta(t.S1, t.P);
  EXPECT_EQ(t.N(t.S1).stav, 2);
  krok(300);  // stands at the platform
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_EQ(t.s.Vlaky.front().rychlost, 0);
  EXPECT_EQ(t.K(t.L).zaver, 0);
  t.Cesta(t.S2, t.V);
  krok(600);

  EXPECT_EQ(chyba, "");
  EXPECT_TRUE(t.s.Vlaky.empty());
  for (const RKolej& k : t.s.Koleje) EXPECT_EQ(k.zaver, 0) << k.cislo;
  for (const RKolej& k : t.s.Spojky) EXPECT_EQ(k.zaver, 0) << k.id;
  EXPECT_EQ(t.virt.pocetZprav, 0) << t.virt.posledniZprava;

  const std::string jmeno = std::string(STANOVAR_TEST_DIR) + "/traffic/vlak_ocekavany.txt";
  if (std::getenv("STANOVAR_ZAPSAT_OCEKAVANE")) std::ofstream(jmeno) << stopa;
  EXPECT_EQ(stopa, Soubor(jmeno));
}

// The stop before the end of the arrival track: braking from the line speed with the nominal
// deceleration, raised when the track is too short, weakened by a falling gradient.
TEST(Vlaky, HandOverBrakesToAStopTenMetresBeforeTheTrackEnd) {
  struct Pripad {
    int delka, sklon;
    double brzdaOd, brzdaZa, stojiZa, b;
  };
  const Pripad pripady[] = {
      {500, 0, 90, 4.5, 44.5, 0.5},                          // 400 m of braking fit in 490 m
      {200, 0, 0, 0, 19, 400.0 / 380},                       // raised to stop at 190 m
      {1000, -100, 490, 24.5, 74.5, 0.4},                    // -1 per mille: 0.5 - 0.1
  };
  for (const Pripad& p : pripady) {
    Trat t(1, p.delka, 72, p.sklon);
    PosliVlak(t.s);
    ASSERT_EQ(t.s.Vlaky.size(), 1u);
    const RVlak& v = t.s.Vlaky.front();
    EXPECT_DOUBLE_EQ(v.rychlost, 20.0);
    EXPECT_NEAR(v.BrzdZrych, p.b, 1e-9) << p.delka;
    const auto brzdy = t.Fronta(UdalostBrzdeni);
    const auto stani = t.Fronta(UdalostStalaJizda);
    ASSERT_EQ(brzdy.size(), 1u);
    ASSERT_EQ(stani.size(), 1u);
    EXPECT_NEAR(brzdy[0].u.hodnota2, p.brzdaOd, 1e-6) << p.delka;
    EXPECT_NEAR(brzdy[0].za, p.brzdaZa, 1e-3) << p.delka;
    EXPECT_NEAR(stani[0].u.hodnota2, p.delka - 10, 1e-9);
    EXPECT_NEAR(stani[0].za, p.stojiZa, 1e-3) << p.delka;
    EXPECT_TRUE(t.Fronta(UdalostVjezd).empty());
  }
}

TEST(Vlaky, HandOverBeforeASetRouteRunsOnIntoItWithoutStopping) {
  Trat t(1);
  t.Cesta(t.S1, t.P);
  PosliVlak(t.s);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  const auto vjezd = t.Fronta(UdalostVjezd);
  const auto stani = t.Fronta(UdalostStalaJizda);
  ASSERT_EQ(vjezd.size(), 1u);
  ASSERT_EQ(stani.size(), 1u);
  EXPECT_EQ(vjezd[0].u.prvek, t.S1);
  EXPECT_NEAR(vjezd[0].za, stani[0].za, 1e-9);
  EXPECT_EQ(stani[0].u.hodnota2, 500);
  // The route's 60 km/h: braking from 72 km/h to it before the signal.
  EXPECT_NEAR(stani[0].u.hodnota1, 60 / 3.6, 1e-9);
  // The route's tracks carry the arriving train's number.
  EXPECT_EQ(t.K(t.P).vlak, 60001);
}

TEST(Vlaky, LocomotiveDataCompleteTheTrain) {
  Trat t;
  RLoko l;
  l.jmeno = "X";
  l.hmotnost = 100;
  l.soucinitelHmot = 1.2;
  l.maxRychlost = 70;
  t.s.Lokomotivy.push_back(l);
  RVlak v;
  v.hmotnost = 600;
  v.maxRychlost = 90;
  PriradLoko(t.s, v, "X");
  EXPECT_EQ(v.hmotnost, 700);
  EXPECT_DOUBLE_EQ(v.soucinitelHmot, 1.06875);
  EXPECT_EQ(v.maxRychlost, 70);

  RVlak d;
  d.hmotnost = 600;
  d.maxRychlost = 90;
  PriradLoko(t.s, d, "NIKDO");
  EXPECT_EQ(d.loko, "NIKDO");
  EXPECT_EQ(d.hmotnost, 680);
  EXPECT_EQ(d.vykon, 2000);
  EXPECT_EQ(d.rychlost1, 50);
  EXPECT_EQ(d.rychlost2, 70);
  EXPECT_EQ(d.maxRychlost, 90);
}

TEST(Vlaky, OffersAreAcceptedAtOnceOrWhenTheLineTrackIsFreedAndRefusedCleanly) {
  // Refused: the line end is usable both ways again, nothing blinks, no train.
  {
    Trat t;
    GenerujVlak(t.s);
    UkazNabidku(t.s, t.K(t.L));
    EXPECT_TRUE(t.s.okno.PanelSouhlas.viditelny);
    EXPECT_EQ(t.s.NabizenyVlak, 60001);
    LabelNeClick(t.s);
    EXPECT_TRUE(t.s.Nabidky.empty());
    EXPECT_FALSE(t.s.okno.Blikac);
    EXPECT_FALSE(t.s.okno.PanelSouhlas.viditelny);
    EXPECT_EQ(t.s.Sousede[0].druh, 3);
    EXPECT_EQ(t.K(t.L).druhKonce, 3);
    EXPECT_TRUE(t.s.Vlaky.empty());
    // Answering with nothing offered only closes the panel.
    t.s.NabizenyVlak = 0;
    t.s.okno.PanelSouhlas.viditelny = true;
    LabelAnoClick(t.s);
    EXPECT_FALSE(t.s.okno.PanelSouhlas.viditelny);
    EXPECT_TRUE(t.s.Vlaky.empty());
  }
  // Accepted while the line track is occupied: waits, stops blinking, enters on release.
  {
    Trat t;
    GenerujVlak(t.s);
    ObsazeniPrvku(t.s, 99, t.L);
    UkazNabidku(t.s, t.K(t.L));
    LabelAnoClick(t.s);
    EXPECT_TRUE(t.s.Vlaky.empty());
    ASSERT_EQ(t.s.Nabidky.size(), 1u);
    EXPECT_TRUE(t.s.Nabidky.front().prijata);
    EXPECT_EQ(t.K(t.L).druhKonce, 4);
    t.platno.smaz();
    BlikacTimer(t.s);
    EXPECT_TRUE(t.platno.jen("text").empty());  // an answered offer is not drawn
    UvolneniPrvku(t.s, 99, t.L);
    ASSERT_EQ(t.s.Vlaky.size(), 1u);
    EXPECT_TRUE(t.s.Nabidky.empty());
    EXPECT_EQ(t.K(t.L).druhKonce, 3);
    EXPECT_EQ(t.K(t.L).vlak, 60001);
  }
}

TEST(Vlaky, GenerationPicksOnlyTrainsThatMayEnterAndKeepsItsPace) {
  // Gaps at frequency 4 stay within 19.2 s and 172.8 s, over many seeds.
  for (std::uint32_t seed = 0; seed < 300; ++seed) {
    Trat t(1);
    t.s.Grafikon.clear();
    t.s.PocetSpoju = 0;
    t.virt = VirtualniProstredi(0.4, seed);
    GenerujVlak(t.s);
    const auto g = t.Fronta(UdalostGenerace);
    ASSERT_EQ(g.size(), 1u);  // an empty timetable only schedules the next generation
    EXPECT_GE(g[0].za, 19.2 - 1e-9);
    EXPECT_LE(g[0].za, 172.8 + 1e-9);
    EXPECT_TRUE(t.s.Vlaky.empty());
  }
  // A train already running, or whose previous run still stands on its exit track, an
  // unknown origin: none of them enters or is offered.
  Trat t(1);
  t.Spoj(2, "NIKDE", "VYCHOD", "T");
  PosliVlak(t.s);
  EXPECT_TRUE(t.s.Vlaky.empty());
  t.s.aktualniSpoj = 0;
  PosliVlak(t.s);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  GenerujVlak(t.s);
  EXPECT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_TRUE(t.s.Nabidky.empty());
  t.s.Vlaky.clear();
  t.K(t.V).vlak = 60001;
  t.K(t.L).zaver = 0;
  // The exit line for departures, or used both ways with an offer waiting or accepted.
  for (std::uint16_t druh : {2, 5, 4}) {
    t.s.Sousede[1].druh = druh;
    t.K(t.V).druhKonce = static_cast<std::uint8_t>(druh);
    for (int i = 0; i < 20; ++i) GenerujVlak(t.s);
    EXPECT_TRUE(t.s.Vlaky.empty()) << druh;
  }
}

TEST(Vlaky, ATrainThatCouldNeverMoveIsRefusedWithTheReportAndLeavesNothingBehind) {
  Trat t(1);
  t.s.Lokomotivy[0].vykon = 0;
  t.s.RychlostSim = 3;
  PosliVlak(t.s);
  EXPECT_TRUE(t.s.Vlaky.empty());
  EXPECT_EQ(t.virt.pocetZprav, 1);
  EXPECT_NE(t.virt.posledniZprava.find("PosliVlak"), std::string::npos);
  EXPECT_EQ(t.s.RychlostSim, 0);
  EXPECT_EQ(t.K(t.L).zaver, 0);
  EXPECT_EQ(t.K(t.L).vlak, 0);
  EXPECT_TRUE(t.s.fronta.prazdna());
  EXPECT_TRUE(t.s.Cesty.empty());
}

TEST(Vlaky, EventsOfATrainThatLeftDoNothing) {
  Trat t(1);
  for (std::uint16_t druh : {3, 4, 5, 6, 7, 9, 10})
    NaplanujUdalost(t.s, druh, 4711, t.L, 10, 10, SimCas(t.s));
  t.Do(1);
  EXPECT_TRUE(t.s.Vlaky.empty());
  EXPECT_EQ(t.K(t.L).zaver, 0);
  // A turned train's departure for a train that is gone.
  RozjezdVlaku(t.s, 4711, t.P);
  EXPECT_TRUE(t.s.Vlaky.empty());
}

TEST(Vlaky, ABrakingTrainKeepsBrakingForItsReactionTimeWhenTheRouteIsSet) {
  Trat t(1, 2000, 90);
  PosliVlak(t.s);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  const double brzdaZa = t.Fronta(UdalostBrzdeni)[0].za;
  t.Do(brzdaZa + 1);  // braking towards the stop, far from it
  ASSERT_TRUE(t.s.Vlaky.front().brzdi);
  const double b = t.s.Vlaky.front().BrzdZrych;
  t.Cesta(t.S1, t.P);
  ASSERT_EQ(t.N(t.S1).stav, 2);
  const RVlak& v = t.s.Vlaky.front();
  EXPECT_TRUE(v.brzdi);
  EXPECT_EQ(v.BrzdZrych, b);
  const auto zrych = t.Fronta(UdalostBrzdZrych);
  ASSERT_EQ(zrych.size(), 1u);
  EXPECT_NEAR(zrych[0].za, DobaReakce(60001, 200), 1e-6);  // 20 s for a freight train
  for (const auto& u : t.Fronta(UdalostStalaJizda)) EXPECT_GE(u.za, 20 - 1e-6);
  // It never stops: it enters the route and runs on.
  const auto vjezd = t.Fronta(UdalostVjezd);
  ASSERT_EQ(vjezd.size(), 1u);
  t.Do(t.Ted() + vjezd[0].za + 0.001);
  EXPECT_GT(t.s.Vlaky.front().rychlost, 0);
}

TEST(Vlaky, ReleasingARouteLeavesATrainsTrackRedWithItsNumber) {
  // A route from S2 is set while train 77 stands on the platform; the route from S1 onto the
  // platform, released, hands its (empty) train number on to the following route.
  Trat t(1);
  t.Cesta(t.S1, t.P);
  t.Cesta(t.S2, t.V);
  ObsazeniPrvku(t.s, 77, t.V);
  t.K(t.V).vlak = 77;
  t.platno.smaz();
  t.Klik(t.N(t.S1), Tlacitko::Prave);
  EXPECT_EQ(t.K(t.V).zaver, 3);
  EXPECT_EQ(t.K(t.V).vlak, 77);
  EXPECT_FALSE(test::Cara(t.platno, BarvaCesta, 204, 114, 300, 126));
}

TEST(Vlaky, InformationKeysShowTheTrainTheTrackAndTheOfferUnderTheCursor) {
  Trat t;
  FormKeyDown(t.s, KlavesaA, 30, 120);  // no panel: nothing to answer
  FormKeyDown(t.s, KlavesaN, 30, 120);
  GenerujVlak(t.s);
  ASSERT_EQ(t.s.Nabidky.size(), 1u);
  FormKeyDown(t.s, KlavesaF2, 31, 119);  // snapped onto the line track
  EXPECT_TRUE(t.s.okno.PanelSouhlas.viditelny);
  EXPECT_EQ(t.s.okno.PanelSouhlas.left, 192);
  EXPECT_NE(t.s.okno.LabelSouhlas.find("60001"), std::string::npos);
  FormKeyDown(t.s, 'a', 0, 0);  // either case: the shell passes virtual-key codes
  FormKeyDown(t.s, KlavesaA, 0, 0);
  ASSERT_EQ(t.s.Vlaky.size(), 1u);
  EXPECT_FALSE(t.s.okno.PanelSouhlas.viditelny);

  FormKeyDown(t.s, KlavesaF1, 30, 120);
  const OknoView& o = t.s.okno;
  EXPECT_TRUE(o.PanelVlak.viditelny);
  EXPECT_TRUE(o.Rychlomer);
  EXPECT_EQ(o.LabelVlak, "60001");
  EXPECT_EQ(o.LabelCil, "VYCHOD");
  EXPECT_EQ(o.LabelHmotnost, "480");
  EXPECT_EQ(o.LabelLoko, "T");
  EXPECT_EQ(o.ImageSmer, 2);
  EXPECT_EQ(o.LabelRychl, "72");
  EXPECT_EQ(o.LabelVzdal, "500");
  t.Do(2);
  RychlomerTimer(t.s);
  EXPECT_EQ(o.LabelVzdal, "460");

  for (auto [sklon, text] : {std::pair{25, "2,5"}, {-25, "-2,5"}, {-5, "-0,5"}, {0, "0,0"}}) {
    t.K(t.P).sklon = sklon;
    FormKeyDown(t.s, KlavesaF2, 120, 120);
    EXPECT_EQ(o.LabelSklon, text);
  }
  EXPECT_TRUE(o.PanelKolej.viditelny);
  EXPECT_FALSE(o.PanelVlak.viditelny);
  EXPECT_FALSE(o.Rychlomer);
  EXPECT_EQ(o.LabelKolej, "1");
  FormKeyDown(t.s, KlavesaF2, -30, 120);  // off the picture
  EXPECT_EQ(o.LabelKolej, "1");
}

TEST(Vlaky, SpeedometerRoundsHalvesToTheEvenNeighbour) {
  struct Pripad {
    double v, zbyva;
    const char *rychl, *vzdal;
  };
  for (const Pripad& p : {Pripad{22.5, 120.5, "81", "120"}, Pripad{22.36, 121.5, "80", "122"},
                          Pripad{0, 10, "0", "10"}}) {
    Trat t;
    RVlak& v = t.s.Vlaky.emplace_back();
    v.cislo = 5;
    v.rychlost = v.CilRychl = p.v;
    v.cas = SimCas(t.s);
    v.delkaUseku = 1000;
    v.vzdalenost = 1000 - p.zbyva;
    t.s.ZobrazenyVlak = 5;
    RychlomerTimer(t.s);
    EXPECT_EQ(t.s.okno.LabelRychl, p.rychl);
    EXPECT_EQ(t.s.okno.LabelVzdal, p.vzdal);
    t.s.Vlaky.clear();
    t.s.okno.LabelRychl = "x";
    RychlomerTimer(t.s);  // the train has left: nothing changes
    EXPECT_EQ(t.s.okno.LabelRychl, "x");
  }
}

// Turning a train standing on the platform: behind a signal facing the new direction it turns
// where it stands for eight minutes; otherwise the way out behind it is locked and it sets
// off after two minutes.
TEST(Vlaky, TurningAStandingTrain) {
  for (bool navestidlo : {true, false}) {
    Trat t(3);
    t.s.aktualniSpoj = 0;
    PosliVlak(t.s);
    t.Cesta(t.S1, t.P);
    FormKeyDown(t.s, KlavesaF5, 30, 120);  // still moving
    t.Do(300);
    RVlak& v = t.s.Vlaky.front();
    ASSERT_EQ(v.rychlost, 0);
    t.s.VyberCesty = true;  // while a route is being chosen
    FormKeyDown(t.s, KlavesaF5, 120, 120);
    t.s.VyberCesty = false;
    EXPECT_FALSE(v.maOdjezd);
    if (navestidlo) t.Navestidlo(66, 120);

    FormKeyDown(t.s, KlavesaF5, 120, 120);
    ASSERT_TRUE(v.maOdjezd) << navestidlo;
    EXPECT_EQ(v.smer, 1);
    const double za = navestidlo ? 480 : 120;
    const auto rozjezd = t.Fronta(UdalostRozjezd);
    ASSERT_EQ(rozjezd.size(), 1u);
    EXPECT_NEAR(rozjezd[0].za, za, 1e-6);
    EXPECT_EQ(rozjezd[0].u.prvek, t.P);
    const double odjezd = SimCas(t.s) + za / 86400;
    const int minut = static_cast<int>(std::llround((odjezd - std::floor(odjezd)) * 1440)) % 1440;
    EXPECT_EQ(v.odjezd, minut / 60 * 100 + minut % 60);
    EXPECT_TRUE(t.s.okno.PanelVlak.viditelny);
    EXPECT_EQ(t.s.okno.LabelOdjezd,
              std::to_string(v.odjezd / 100) + ":" + std::to_string(v.odjezd % 100));
    EXPECT_EQ(t.s.okno.ImageSmer, 1);
    // The head is now the old tail: 200 m of train standing 10 m before the 300 m track's end
    // has 90 m ahead of it, and the track stays under it until its tail is off.
    EXPECT_EQ(t.s.okno.LabelVzdal, "90");
    FormKeyDown(t.s, KlavesaF5, 120, 120);  // its departure is already set
    EXPECT_EQ(t.Fronta(UdalostRozjezd).size(), 1u);
    EXPECT_EQ(t.N(t.S1).stav, 0);
    EXPECT_EQ(t.K(t.L).zaver, navestidlo ? 0 : 2);  // the way out is locked only without one

    // When the time comes: with no route ahead it keeps standing; with one it sets off.
    double uvolnenoV = -1;  // head's position in its section when track 1 was freed
    t.s.posluchaci.vycisti();  // this test listens instead
    PoslouchejUdalosti(t.s, [&](double, const RUdalost& u) {
      if (u.druh == UdalostUvolneni && u.prvek == t.P) {
        RVlak* w = NajdiVlak(t.s, u.vlak);
        double rychlost = 0;
        if (w) AktualRychlost(t.s, *w, rychlost, uvolnenoV);
        EXPECT_LT(w->cesta.front().delka, 1) << "track 1 lies behind the new route's start";
      }
    });
    t.Do(300 + za + 1);
    EXPECT_FALSE(v.maOdjezd);
    EXPECT_EQ(t.s.okno.LabelOdjezd, "");
    EXPECT_EQ(v.rychlost == 0 && v.CilRychl == 0, navestidlo);
    if (navestidlo) continue;
    t.Do(300 + za + 200);
    EXPECT_EQ(t.K(t.P).zaver, 0);
    EXPECT_NEAR(uvolnenoV, 200, 0.5);  // after the 90 m to the track's end and a train length
  }
}
