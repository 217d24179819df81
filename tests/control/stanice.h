// Small hand-made stations for the route tests, built the way the schema reader builds them:
// identifiers in order of creation, signal side codes from the tracks at the signal's point,
// line tracks marked with the kind of their line end.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "control/cesty.h"
#include "fakes/svet.h"
#include "jadro.h"
#include "model/seznamy.h"

namespace stanovar::test {

struct Stanice {
  Svet svet;
  Stav& s = svet.stav;
  ZaznamovePlatno& platno = svet.platno;

  int Kolej(int x1, int x2, int y, int delka = 100, int rychlost = 80, std::string cislo = {}) {
    RKolej k;
    k.id = static_cast<int>(s.Koleje.size()) + 1;
    k.x1 = x1;
    k.x2 = x2;
    k.y1 = k.y2 = y;
    k.delka = delka;
    k.rychlost = static_cast<std::uint8_t>(rychlost);
    k.cislo = cislo.empty() ? std::to_string(k.id) : cislo;
    return PridejKolej(s, k).id;
  }

  int Spojka(int x1, int y1, int x2, int y2, int delka = 10, int rychlost = 40) {
    RKolej k;
    k.id = ZakladSpojek + static_cast<int>(s.Spojky.size()) + 1;
    k.x1 = x1;
    k.y1 = y1;
    k.x2 = x2;
    k.y2 = y2;
    k.delka = delka;
    k.rychlost = static_cast<std::uint8_t>(rychlost);
    k.viditelna = true;
    return PridejSpojku(s, k).id;
  }

  int Navestidlo(int x, int y) {
    int strana = 0;
    RKolej* a = KolejVBode(s, x, y);
    RKolej* b = a ? KolejVBode(s, x, y, true) : nullptr;
    for (RKolej* t : {a, b}) {
      if (!t) continue;
      int d = 0;
      if (t->x1 == x) d = 1;
      if (t->x2 == x) d = 2;
      strana += d;
      if (t->x1 == x) t->navestidloX1 = true;
      if (t->x2 == x) t->navestidloX2 = true;
    }
    RNavestidlo n;
    n.x = x;
    n.y = y;
    n.id = ZakladNavestidel + static_cast<int>(s.Navestidla.size()) + 1;
    n.strana = static_cast<std::uint16_t>(strana);
    return PridejNavestidlo(s, n).id;
  }

  void Trat(int kolej, int druh) { K(kolej).druhKonce = static_cast<std::uint8_t>(druh); }

  RKolej& K(int id) { return *NajdiPrvek(s, id); }
  RNavestidlo& N(int id) { return *NajdiNavestidlo(s, id); }

  void Klik(int x, int y, Tlacitko t = Tlacitko::Leve) { Image1MouseDown(s, t, x, y); }
  void Klik(const RNavestidlo& n, Tlacitko t = Tlacitko::Leve) { Klik(n.x, n.y, t); }
  // A click in the middle of a track or near one end of a connector.
  void KlikKolej(int id) {
    const RKolej& k = K(id);
    Klik((k.x1 + k.x2) / 2, k.y1);
  }

  // Start signal, then the destination track.
  void Cesta(int navestidlo, int kolej) {
    Klik(N(navestidlo));
    KlikKolej(kolej);
  }

  // Elements of a path, without the start signal's step.
  static std::vector<int> Prvky(const Kroky& cesta) {
    std::vector<int> r;
    for (const RKrok& k : cesta)
      if (!JeNavestidlo(k.prvek)) r.push_back(k.prvek);
    return r;
  }

  RCesta* CestaOd(int start) { return NajdiCestu(s, start); }

  int Zaver(int id) { return K(id).zaver; }
};

// A station with an entry line from the west, three platform tracks and an exit line to
// the east:
//
//   y108                 K5 (3) S4---C7
//                  C8 /                  `
//   y120  K1 ==S1 C1 + C2 S5 K2 (1)  S2 C4 + C6 == K4
//                  C3 `                  /
//   y132                 S6 K3 (2) S3-C5
//
// S1 leads east into the station, S2..S4 east out of it, S5..S7 west from the platforms.
struct Nadrazi : Stanice {
  int K1, K2, K3, K5, K4;
  int C1, C2, C3, C8, C4, C5, C7, C6;
  int S1, S5, S6, S7, S2, S3, S4;
  Nadrazi() {
    K1 = Kolej(0, 60, 120, 500, 100, "L");
    K2 = Kolej(72, 300, 120, 300, 80, "1");
    K3 = Kolej(72, 300, 132, 300, 60, "2");
    K5 = Kolej(72, 300, 108, 300, 60, "3");
    K4 = Kolej(312, 396, 120, 500, 100, "P");
    Trat(K1, 3);
    Trat(K4, 2);
    C1 = Spojka(60, 120, 66, 120);
    C2 = Spojka(66, 120, 72, 120);
    C3 = Spojka(66, 120, 72, 132);
    C8 = Spojka(66, 120, 72, 108);
    C4 = Spojka(300, 120, 306, 120);
    C5 = Spojka(300, 132, 306, 120);
    C7 = Spojka(300, 108, 306, 120);
    C6 = Spojka(306, 120, 312, 120);
    S1 = Navestidlo(60, 120);
    S5 = Navestidlo(72, 120);
    S6 = Navestidlo(72, 132);
    S7 = Navestidlo(72, 108);
    S2 = Navestidlo(300, 120);
    S3 = Navestidlo(300, 132);
    S4 = Navestidlo(300, 108);
  }
};

// Whether a line was drawn in colour c with both ends inside the box (l, t)..(r, b).
inline bool Cara(const ZaznamovePlatno& p, Barva c, int l, int t, int r, int b) {
  for (const auto& v : p.log) {
    if (v.op != "cara" || static_cast<Barva>(v.a[4]) != c) continue;
    auto uvnitr = [&](int x, int y) { return l <= x && x <= r && t <= y && y <= b; };
    if (uvnitr(v.a[0], v.a[1]) && uvnitr(v.a[2], v.a[3])) return true;
  }
  return false;
}

// Whether text t was written in colour c.
inline bool Text(const ZaznamovePlatno& p, const std::string& t, Barva c) {
  return std::any_of(p.log.begin(), p.log.end(), [&](const auto& v) {
    return v.op == "text" && v.t == t && static_cast<Barva>(v.a[2]) == c;
  });
}

}  // namespace stanovar::test
