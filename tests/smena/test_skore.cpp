// The dispatcher's score: its waits against a plain recount of the event log and of the
// offers seen between the events, on long seeded runs; a hand-made shift whose every wait is
// known to the second; the board that shows them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "control/dispecer.h"
#include "control/klavesy.h"
#include "fakes/skriptovane_prostredi.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"
#include "smena/smena.h"
#include "traffic/smycka.h"
#include "traffic/trat.h"
#include "traffic/virtualni.h"

using namespace stanovar;

namespace {

// Seconds each train number waited, by kind, as counted by somebody who sees only the event
// log and the list of offers after every step.
struct Prepocet {
  std::map<int, double> naOdpoved, naTrat, naCestu;
  long long odmitnuto = 0, odjelo = 0;
};

}  // namespace

TEST(Skore, WaitsAgreeWithARecountFromTheEventLogOnLongSeededRuns) {
  struct Pripad {
    const char* slozka;
    bool dispecer;
  };
  std::mt19937 nahoda(18);
  for (const Pripad& p : {Pripad{STANOVAR_DATA_DIR, true}, Pripad{STANOVAR_DATA_DIR "/vlci_brod", true},
                          Pripad{STANOVAR_TEST_DIR "/data/dvojkolejka", true},
                          Pripad{STANOVAR_DATA_DIR "/vlci_brod", false}}) {
    const std::uint32_t seed = nahoda();
    const int cetnost = 1 + static_cast<int>(nahoda() % 8);
    SCOPED_TRACE(std::string(p.slozka) + " seed " + std::to_string(seed) + " frequency " +
                 std::to_string(cetnost));
    PrazdnePlatno platno;
    VirtualniProstredi prostredi(0.25, seed);
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    SledujSkore(s);
    AutomatickyDispecer dispecer;

    struct Zaznam {
      double cas;
      int druh, vlak;
      double h1;
    };
    std::vector<Zaznam> log;
    Prepocet m;
    PoslouchejUdalosti(s, [&](double cas, const RUdalost& u) {
      log.push_back({cas, u.druh, u.vlak, u.hodnota1});
      if (u.druh == UdalostOdjezd && NajdiVlak(s, u.vlak)) ++m.odjelo;
      if (p.dispecer) dispecer.udalost(u);
    });
    Spust(s, p.slozka);
    ASSERT_FALSE(s.Koleje.empty());
    s.CetnostVlaku = static_cast<std::uint16_t>(cetnost);

    // Offers by number: since when offered, and since when accepted (-1 not yet).
    std::map<int, std::pair<double, double>> nabidky;
    auto podivejSe = [&] {
      const double ted = SimCas(s);
      std::map<int, std::pair<double, double>> nyni;
      for (const RNabidka& n : s.Nabidky) {
        auto it = nabidky.find(n.cislo);
        std::pair<double, double> o = it == nabidky.end() ? std::pair{ted, -1.0} : it->second;
        if (n.prijata && o.second < 0) {
          m.naOdpoved[n.cislo] += (ted - o.first) * 86400;
          o.second = ted;
        }
        nyni[n.cislo] = o;
      }
      for (const auto& [cislo, o] : nabidky) {
        if (nyni.count(cislo)) continue;
        if (o.second >= 0) {
          m.naTrat[cislo] += (ted - o.second) * 86400;
        } else {
          m.naOdpoved[cislo] += (ted - o.first) * 86400;
          m.odmitnuto += !NajdiVlak(s, cislo);
        }
      }
      nabidky.swap(nyni);
    };
    podivejSe();
    const double konec = SimCas(s) + 0.5;
    Simuluj(s, prostredi, konec, [&] {
      if (p.dispecer) dispecer(s);
      podivejSe();
    });
    for (const auto& [cislo, o] : nabidky) {
      if (o.second >= 0) {
        m.naTrat[cislo] += (konec - o.second) * 86400;
      } else {
        m.naOdpoved[cislo] += (konec - o.first) * 86400;
      }
    }

    // A train stands from a steady run at speed 0 until its next event that moves it: a new
    // phase or steady run with speed, a route entered, the braking of a re-planned run, the
    // departure.
    std::map<int, double> stojiOd;
    for (const Zaznam& z : log) {
      const bool stoji = stojiOd.count(z.vlak);
      if (z.druh == UdalostStalaJizda && z.h1 == 0) {
        if (!stoji) stojiOd[z.vlak] = z.cas;
      } else if (stoji && (z.druh == UdalostZmenaJizdy || z.druh == UdalostStalaJizda ||
                           z.druh == UdalostVjezd || z.druh == UdalostOdjezd ||
                           z.druh == UdalostBrzdZrych || z.druh == UdalostBrzdeni)) {
        m.naCestu[z.vlak] += (z.cas - stojiOd[z.vlak]) * 86400;
        stojiOd.erase(z.vlak);
      }
    }
    for (const auto& [vlak, od] : stojiOd) m.naCestu[vlak] += (konec - od) * 86400;

    // The score's runs, added up by train number.
    std::map<int, double> naOdpoved, naTrat, naCestu;
    for (const SkoreVlaku& v : s.skore.vlaky) {
      double a, b, c;
      CekaniRunu(v, konec, a, b, c);
      if (a > 0) naOdpoved[v.cislo] += a;
      if (b > 0) naTrat[v.cislo] += b;
      if (c > 0) naCestu[v.cislo] += c;
    }
    const auto stejne = [](const std::map<int, double>& skore, const std::map<int, double>& log,
                           const char* co) {
      std::map<int, double> bezNul;
      for (const auto& [k, v] : log)
        if (v > 1e-6) bezNul[k] = v;
      EXPECT_EQ(skore.size(), bezNul.size()) << co;
      for (const auto& [k, v] : bezNul) EXPECT_NEAR(skore.count(k) ? skore.at(k) : -1, v, 1e-3) << co << " " << k;
    };
    stejne(naOdpoved, m.naOdpoved, "unanswered");
    stejne(naTrat, m.naTrat, "for the line");
    stejne(naCestu, m.naCestu, "at a signal");

    const VysledekSkore r = SpocitejSkore(s, konec);
    EXPECT_EQ(r.odmitnuto, m.odmitnuto);
    EXPECT_EQ(r.odbaveno + r.spatnymSmerem, m.odjelo);
    EXPECT_EQ(r.veStanici, static_cast<int>(s.Vlaky.size()));
    // Somebody waited in every way the run allows.
    EXPECT_GT(r.naCestu, 0);
    EXPECT_GT(r.naOdpoved, 0);
    if (p.dispecer) {
      EXPECT_GT(r.naTrat + r.odmitnuto, 0);
    }
  }
}

TEST(Skore, AHandMadeShiftCountsEachWaitToTheSecond) {
  test::Trat t;  // ZAPAD > L S1 1 S2 V > VYCHOD, the line from ZAPAD used both ways
  SledujSkore(t.s);
  for (int cislo : {60002, 60003}) t.Spoj(cislo, "ZAPAD", "VYCHOD", "T");
  // An offer on the two-way line, as the generation makes one.
  auto nabidni = [&](int cislo) {
    RSoused& so = t.s.Sousede[0];
    so.druh = 5;
    t.K(t.L).druhKonce = 5;
    PridejNabidku(t.s, cislo, "ZAPAD", "VYCHOD", so.x, so.y, so.id, cislo - 60001);
  };
  auto odpovez = [&](bool ano) {
    InfoKolej(t.s, 0, 120);
    ASSERT_TRUE(t.s.okno.PanelSouhlas.viditelny);
    ano ? LabelAnoClick(t.s) : LabelNeClick(t.s);
  };
  // When each train last came to a stop, and when A cleared the line track, from the log.
  std::map<int, double> zastavil;
  double uvolnenoL = -1;
  PoslouchejUdalosti(t.s, [&](double cas, const RUdalost& u) {
    if (u.druh == UdalostStalaJizda && u.hodnota1 == 0) zastavil[u.vlak] = (cas - t.start) * 86400;
    if (u.druh == UdalostUvolneni && u.prvek == t.L && u.vlak == 60001)
      uvolnenoL = (cas - t.start) * 86400;
  });
  std::vector<RadekTabule> tabule;

  nabidni(60001);
  t.Do(40);
  odpovez(true);  // the line track is free: it comes in at once
  ASSERT_TRUE(NajdiVlak(t.s, 60001));
  t.Do(100);
  ASSERT_TRUE(zastavil.count(60001));
  const double stojiA = zastavil[60001];
  nabidni(60002);
  t.Do(130);
  odpovez(true);  // the line track is taken: it waits for it

  t.Do(160);
  SestavTabuli(t.s, tabule);
  ASSERT_EQ(tabule.size(), 2u);
  EXPECT_EQ(tabule[0].cislo, 60001);
  EXPECT_EQ(tabule[0].stav, StavRadku::StojiUNavestidla);
  EXPECT_EQ(tabule[0].udaj, "L");
  EXPECT_NEAR(tabule[0].ceka, 160 - stojiA, 1e-6);
  EXPECT_EQ(tabule[1].cislo, 60002);
  EXPECT_EQ(tabule[1].stav, StavRadku::Prijat);
  EXPECT_NEAR(tabule[1].ceka, 30, 1e-6);
  EXPECT_NEAR(tabule[1].celkem, 60, 1e-6);  // 30 s unanswered before
  EXPECT_FALSE(tabule[0].dlouho);

  t.Do(400);
  SestavTabuli(t.s, tabule);
  EXPECT_TRUE(tabule[0].dlouho);  // more than five minutes at the signal
  // The board's row opens the train panel as the train-information key does.
  VyberZTabule(t.s, 60001);
  EXPECT_TRUE(t.s.okno.PanelVlak.viditelny);
  EXPECT_EQ(t.s.ZobrazenyVlak, 60001);
  EXPECT_EQ(KolejVlaku(t.s, 60001), t.L);

  t.Cesta(t.S1, t.P);  // A sets off into track 1; B comes in once A has cleared L
  t.Do(700);
  const double stojiA2 = zastavil[60001];
  ASSERT_GT(stojiA2, 400);
  ASSERT_GT(uvolnenoL, 400);
  ASSERT_TRUE(NajdiVlak(t.s, 60002));
  nabidni(60003);
  t.Do(745);
  odpovez(false);
  t.Do(800);
  SestavTabuli(t.s, tabule);
  ASSERT_EQ(tabule.size(), 2u);  // the refused train is gone from the board
  const double stojiB = zastavil[60002];
  EXPECT_NEAR(tabule[0].ceka, 800 - stojiA2, 1e-6);  // A waited longer than B
  EXPECT_NEAR(tabule[1].ceka, 800 - stojiB, 1e-6);

  const VysledekSkore r = SpocitejSkore(t.s, SimCas(t.s));
  EXPECT_NEAR(r.naOdpoved, 40 + 30 + 45, 1e-6);
  EXPECT_NEAR(r.naTrat, uvolnenoL - 130, 1e-6);
  EXPECT_NEAR(r.naCestu, (400 - stojiA) + (800 - stojiA2) + (800 - stojiB), 1e-6);
  EXPECT_GT(stojiB, uvolnenoL);
  EXPECT_EQ(r.odmitnuto, 1);
  EXPECT_EQ(r.cekaji, 2);

  // A leaves: one train handled; B and A's waits up to then stay counted.
  t.Cesta(t.S2, t.V);
  t.Do(1500);
  const VysledekSkore o = SpocitejSkore(t.s, SimCas(t.s));
  EXPECT_EQ(o.odbaveno, 1);
  EXPECT_NEAR(o.naCestu - r.naCestu, 700, 1e-6);  // B still stands at S1
  EXPECT_EQ(o.body, BodyZaVlak - BodyZaOdmitnuti - std::llround(o.zpozdeni / 60));
}

// In the window every reading of the clock gives a later time. An offered train that enters
// is still one run: the offer and its train are one row of the shift report.
TEST(Skore, AnOfferedTrainIsOneRunWhenEachReadingOfTheClockDiffers) {
  struct BeziciHodiny : test::SkriptovaneProstredi {
    double casDne() override { return cas += 0.001 / 86400; }
  } hodiny;
  hodiny.cas = 0.25;
  PrazdnePlatno platno;
  Stav s;
  s.platno = &platno;
  s.prostredi = &hodiny;
  SledujSkore(s);
  Spust(s, STANOVAR_DATA_DIR);
  AutomatickyDispecer dispecer;
  for (int krok = 0; krok < 3 * 3600; ++krok) {
    hodiny.posun(1);
    CasovacUdalostiTimer(s);
    dispecer(s);
  }
  int vjelo = 0, nabidnutoAVjelo = 0;
  for (const SkoreVlaku& v : s.skore.vlaky) {
    SCOPED_TRACE(v.cislo);
    // A run that ended neither refused nor entered would be an offer torn from its train.
    EXPECT_TRUE(v.odmitnut || v.vjel >= 0 || v.faze == FazeNabidnut);
    vjelo += v.vjel >= 0;
    nabidnutoAVjelo += v.vjel >= 0 && v.nabidnut >= 0;
  }
  EXPECT_GT(nabidnutoAVjelo, 10) << "offered trains entered, each as the run of its offer";
  EXPECT_GT(vjelo, nabidnutoAVjelo) << "and trains nobody offered too";
}
