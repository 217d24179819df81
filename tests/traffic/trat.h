// A small line through a station for the train tests, on one row:
//
//   ZAPAD > L (500 m) S1 C1 1 (300 m) S2 C2 V (600 m) > VYCHOD
//
// L is the line track from the west (arrivals or both ways), 1 the platform track, V the
// line track out to the east. One timetable entry runs from ZAPAD to VYCHOD.
#pragma once

#include <string>

#include "control/stanice.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

namespace stanovar::test {

struct Trat : Stanice {
  VirtualniProstredi virt{0.4, 7};
  int L, P, V, C1, C2, S1, S2;

  explicit Trat(int druhZapadu = 3, int delkaL = 500, int rychlostL = 72, int sklonL = 0) {
    s.prostredi = &virt;
    s.SimZaklad = s.RealZnacka = s.PosledniCteni = start = virt.casDne();
    L = Kolej(0, 60, 120, delkaL, rychlostL, "L");
    K(L).sklon = sklonL;
    P = Kolej(66, 198, 120, 300, 80, "1");
    V = Kolej(204, 300, 120, 600, 100, "V");
    C1 = Spojka(60, 120, 66, 120, 20, 60);
    C2 = Spojka(198, 120, 204, 120, 20, 60);
    S1 = Navestidlo(60, 120);
    S2 = Navestidlo(198, 120);
    Konec(0, 120, "ZAPAD", druhZapadu);
    Konec(300, 120, "VYCHOD", 2);

    RLoko l;
    l.jmeno = "T";
    l.vykon = 4000;
    l.hmotnost = 80;
    l.maxRychlost = 120;
    s.Lokomotivy.push_back(l);
    Spoj(60001, "ZAPAD", "VYCHOD", "T");
  }

  void Konec(int x, int y, const std::string& jmeno, int druh) {
    RKolej* k = KolejVBode(s, x, y);
    RSoused so;
    so.x = x;
    so.y = y;
    so.jmeno = jmeno;
    so.druh = static_cast<std::uint16_t>(druh);
    so.konec = k->x1 == x ? 1 : 2;
    so.id = ZakladSousedu + 1 + static_cast<int>(s.Sousede.size());
    k->druhKonce = static_cast<std::uint8_t>(druh);
    k->soused = jmeno;
    s.Sousede.push_back(so);
  }

  RSpoj& Spoj(int cislo, const std::string& odkud, const std::string& kam,
              const std::string& loko) {
    RSpoj& e = s.Grafikon.emplace_back();
    e.cislo = cislo;
    e.odkud = odkud;
    e.kam = kam;
    e.delka = 200;
    e.hmotnost = 400;
    e.maxRychlost = 90;
    e.loko = loko;
    s.PocetSpoju = static_cast<int>(s.Grafikon.size());
    s.aktualniSpoj = s.PocetSpoju - 1;
    return e;
  }

  // Seconds since the start of the run.
  double Ted() { return (SimCas(s) - start) * 86400; }
  void Do(double sekundy) { Simuluj(s, virt, start + sekundy / 86400); }

  // Queued events of one kind, in execution order, with their times in seconds from now.
  struct Udalost {
    RUdalost u;
    double za;
  };
  std::vector<Udalost> Fronta(int druh) {
    std::vector<Udalost> r;
    const double ted = SimCas(s);
    for (const auto& [h, u] : s.fronta.seznam())
      if (u.druh == druh) r.push_back({u, (u.cas - ted) * 86400});
    return r;
  }

  double start = 0;
};

}  // namespace stanovar::test
