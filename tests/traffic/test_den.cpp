// A whole simulated day on each shipped station, routed by the automatic dispatcher, with the
// whole state checked after every step: trains keep coming and leaving, none is lost.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "control/dispecer.h"
#include "files/soubory.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/kontrola.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

using namespace stanovar;

TEST(Den, BothStationsRunADayKeepingEveryInvariant) {
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
    int odjelo = 0;
    s.pozorovatel = [&](double cas, const RUdalost& u) {
      kontrola.udalost(s, u);
      dispecer.udalost(u);
      if (u.druh == UdalostOdjezd) {
        // A train leaves only after it was seen in the station.
        EXPECT_EQ(uvnitr.erase(u.vlak), 1u) << u.vlak << " at " << cas;
        ++odjelo;
      }
    };
    Spust(s, std::string(STANOVAR_DATA_DIR) + p.slozka);
    ASSERT_FALSE(s.Koleje.empty());

    std::string chyba;
    const double konec = SimCas(s) + 1.0;
    Simuluj(s, prostredi, konec, [&] {
      dispecer(s);
      for (const RVlak& v : s.Vlaky) uvnitr.insert(v.cislo);
      if (chyba.empty()) chyba = kontrola.over(s);
    });
    EXPECT_EQ(chyba, "");
    EXPECT_EQ(prostredi.pocetZprav, 0) << prostredi.posledniZprava;
    EXPECT_GE(odjelo, p.odjezduAspon);
    // Every train that came in went out again or is still here: no train is lost on the way,
    // and the state check has made sure that each one left has its run queued or stands
    // before a signal.
    for (int cislo : uvnitr) EXPECT_TRUE(NajdiVlak(s, cislo)) << cislo;
    EXPECT_EQ(s.Vlaky.size(), uvnitr.size());
  }
}
