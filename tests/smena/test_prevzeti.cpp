// A take-over hands over a station whose trains move: after the hour the automatic dispatcher
// runs before the hand-over, as the take-over has it play, few trains wait and none long.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "jadro.h"
#include "smena/smena.h"

using namespace stanovar;

TEST(Prevzeti, AfterTheHourBeforeTheHandOverFewTrainsWaitAndNoneLong) {
  for (const char* slozka : {"", "/vlci_brod"})
    for (int cetnost : {4, 8})
      for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(std::string(slozka) + " frequency " + std::to_string(cetnost) + " seed " +
                     std::to_string(seed));
        PrazdnePlatno platno;
        VirtualniProstredi hodiny(0.3 + seed * 0.05, seed * 7919);
        Stav s;
        s.platno = &platno;
        s.prostredi = &hodiny;
        SledujSkore(s);
        Spust(s, std::string(STANOVAR_DATA_DIR) + slozka);
        s.CetnostVlaku = static_cast<std::uint16_t>(cetnost);
        OtevriStanici(s);
        AutomatickyDispecer d;
        d.volby = AutomatickyDispecer::PredaniStanice();
        PoslouchejUdalosti(s, [&](double, const RUdalost& u) { d.udalost(u); });
        d(s);
        Simuluj(s, hodiny, SimCas(s) + 1.0 / 24, [&] { d(s); });
        const double ted = SimCas(s);
        int cekaji = 0;
        double nejdele = 0;
        for (int i : s.skore.aktivni) {
          const SkoreVlaku& r = s.skore.vlaky[static_cast<std::size_t>(i)];
          if (r.ceka == NeCeka) continue;
          ++cekaji;
          nejdele = std::max(nejdele, (ted - r.cekaOd) * 86400);
        }
        EXPECT_LE(cekaji, 5);
        EXPECT_LT(nejdele, 300);
        EXPECT_GE(s.Vlaky.size(), 3u);
      }
}
