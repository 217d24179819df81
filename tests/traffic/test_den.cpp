// Days on end on each shipped station, routed by the automatic dispatcher, with the whole
// state checked after every step: trains keep coming and leaving at the first day's rate
// over every midnight of the wall clock and the simulated one, none is lost.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "control/dispecer.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/kontrola.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

using namespace stanovar;

TEST(Den, BothStationsRunDaysOnEndKeepingEveryInvariant) {
  struct Pripad {
    const char* slozka;
    int odjezduAspon;
  };
  for (const Pripad& p : {Pripad{"", 150}, Pripad{"/vlci_brod", 200}}) {
    SCOPED_TRACE(p.slozka);
    PrazdnePlatno platno;
    VirtualniProstredi prostredi(0.3, 7);
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    KontrolaStavu kontrola;
    AutomatickyDispecer dispecer;
    std::set<int> uvnitr;  // trains seen in the station and not yet gone
    constexpr int Dnu = 4;
    int odjelo[Dnu] = {};
    double zacatek = 0;
    PoslouchejUdalosti(s, [&](double cas, const RUdalost& u) {
      kontrola.udalost(s, u);
      dispecer.udalost(u);
      if (u.druh == UdalostOdjezd) {
        // A train leaves only after it was seen in the station.
        EXPECT_EQ(uvnitr.erase(u.vlak), 1u) << u.vlak << " at " << cas;
        const int den = static_cast<int>(cas - zacatek);
        if (den >= 0 && den < Dnu) ++odjelo[den];
      }
    });
    Spust(s, std::string(STANOVAR_DATA_DIR) + p.slozka);
    ASSERT_FALSE(s.Koleje.empty());

    std::string chyba;
    zacatek = SimCas(s);
    const double konec = zacatek + Dnu;
    Simuluj(s, prostredi, konec, [&] {
      dispecer(s);
      for (const RVlak& v : s.Vlaky) uvnitr.insert(v.cislo);
      if (chyba.empty()) chyba = kontrola.over(s, SimCas(s));
    });
    EXPECT_EQ(chyba, "");
    EXPECT_EQ(prostredi.pocetZprav, 0) << prostredi.posledniZprava;
    EXPECT_GE(odjelo[0], p.odjezduAspon);
    for (int den = 1; den < Dnu; ++den) EXPECT_GE(odjelo[den], odjelo[0] * 8 / 10) << den;
    // Every train that came in went out again or is still here: no train is lost on the way,
    // and the state check has made sure that each one left has its run queued or stands
    // before a signal.
    for (int cislo : uvnitr) EXPECT_TRUE(NajdiVlak(s, cislo)) << cislo;
    EXPECT_EQ(s.Vlaky.size(), uvnitr.size());
  }
}
