// Trains running through the demo station for hours, routed by each automatic dispatcher, with
// the whole state checked after every step.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "control/dispecer.h"
#include "control/jednoduchy.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/kontrola.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

using namespace stanovar;

namespace {

struct Provoz {
  Provoz(std::uint32_t seed, bool sledovat_) : sledovat(sledovat_), prostredi(0.3, seed) {
    s.platno = &platno;
    s.prostredi = &prostredi;
    PoslouchejUdalosti(s, [this](double, const RUdalost& u) {
      kontrola.udalost(s, u);
      if (sledovat) {
        dispecer.udalost(u);
        jednoduchy.udalost(u);
      }
      if (u.druh == UdalostOdjezd) ++odjelo;
      if (u.druh == UdalostObsazeni) ++obsazeni;
    });
    Spust(s, STANOVAR_DATA_DIR);
  }
  PrazdnePlatno platno;
  bool sledovat;
  VirtualniProstredi prostredi;
  Stav s;
  KontrolaStavu kontrola;
  AutomatickyDispecer dispecer;
  JednoduchyDispecer jednoduchy;
  int odjelo = 0;
  long long obsazeni = 0;
};

}  // namespace

TEST(Provoz, LongSeededRunsKeepEveryInvariantAndTrainsLeave) {
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    // The simple dispatcher that looks after every step and the one that looks only after
    // events that may have made room must run the very same day. The automatic one always
    // hears the events.
    std::string stopa[2];
    for (int d = 0; d < 3; ++d) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " run " + std::to_string(d));
      const bool jednoduchy = d < 2, sledovat = d != 0;
      Provoz p(seed, sledovat);
      ASSERT_FALSE(p.s.Koleje.empty());
      std::string chyba;
      const double konec = p.s.SimZaklad + 6.0 / 24;
      Simuluj(p.s, p.prostredi, konec, [&] {
        if (jednoduchy) p.jednoduchy(p.s);
        else p.dispecer(p.s);
        if (chyba.empty()) chyba = p.kontrola.over(p.s);
      });
      EXPECT_EQ(chyba, "");
      EXPECT_EQ(p.prostredi.pocetZprav, 0) << p.prostredi.posledniZprava;
      EXPECT_GT(p.odjelo, 40);
      const int prijato = jednoduchy ? p.jednoduchy.prijato : p.dispecer.trvale().prijato;
      const int nastaveno = jednoduchy ? p.jednoduchy.nastaveno : p.dispecer.trvale().nastaveno;
      EXPECT_GT(prijato, 0);
      if (jednoduchy)
        stopa[sledovat] = std::to_string(p.odjelo) + " " + std::to_string(p.obsazeni) + " " +
                          std::to_string(nastaveno) + " " + std::to_string(prijato);
    }
    EXPECT_EQ(stopa[0], stopa[1]) << "seed " << seed;
  }
}
