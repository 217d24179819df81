// The dispatcher's clicks on the station picture: start signal, via connectors, destination.
#include <cstdint>
#include <limits>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "model/seznamy.h"

namespace stanovar {

namespace {

}  // namespace

bool Prichyt(int x, int y, int& px, int& py) {
  auto bod = [](std::int64_t v, std::int64_t krok) {
    std::int64_t p = v + krok / 2;
    return p - p % krok;
  };
  const std::int64_t sx = bod(x, gx), sy = bod(y, gy);
  constexpr std::int64_t mez = std::numeric_limits<int>::max() / 2;
  if (sx < -mez || sx > mez || sy < -mez || sy > mez) return false;
  px = static_cast<int>(sx);
  py = static_cast<int>(sy);
  return true;
}

namespace {

// The selection ends: the start signal, unless a route now stands at it or waits there,
// returns to normal, and nothing picked so far survives.
void UkonciVyber(Stav& s) {
  s.VyberCesty = false;
  s.CilovaKolej = 0;
  s.UlozenaCesta.clear();
  s.HledanaCesta.clear();
  if (RNavestidlo* n = NajdiNavestidlo(s, s.StartNavestidlo); n && n->stav == 1) {
    n->stav = 0;
    KresliNavestidloBarvou(s, *n, s.nastaveni.popredi);
  }
}

// A found path is usable only when it runs from the start signal.
bool ZeStartu(const Stav& s) {
  return !s.HledanaCesta.empty() && s.HledanaCesta.front().prvek == s.StartNavestidlo;
}

void ZvolStart(Stav& s, Tlacitko tlacitko, int x, int y) {
  RNavestidlo* n = NavestidloVBode(s, x, y);
  if (!n) n = NavestidloVBode(s, x + gx, y);
  if (!n) n = NavestidloVBode(s, x - gx, y);
  if (!n) return;
  if (tlacitko != Tlacitko::Leve) {
    ZrusCestuUNavestidla(s, n->id);
    return;
  }
  if (n->stav != 0) return;
  n->stav = 1;
  KresliNavestidloBarvou(s, *n, BarvaVyber);
  s.VyberCesty = true;
  s.StartNavestidlo = n->id;
  s.PosledniSmer = n->strana;
  s.PosledniX = n->x;
  s.PosledniY = n->y;
  s.CilovaKolej = 0;
  s.UlozenaCesta.clear();
  s.HledanaCesta.clear();
}

void PrujezdSpojkou(Stav& s, const RKolej& c, int x) {
  // The end of the connector nearer the click; a vertical one always gives its second end.
  const bool prvni = std::int64_t{x} - c.x1 < std::int64_t{c.x2} - x;
  const int vx = prvni ? c.x1 : c.x2;
  const int vy = prvni ? c.y1 : c.y2;
  const bool nalezeno = HledejCestu(s, s.PosledniX, s.PosledniY, s.PosledniSmer, vx, vy);
  s.PosledniX = vx;
  s.PosledniY = vy;
  if (!nalezeno) {
    UkonciVyber(s);
    return;
  }
  SestavCestu(s, Sestaveni::Castecne);
  // The leg's walk back may find no way to the start from the via point; going on from there
  // would lock a route that skips everything before it.
  if (!ZeStartu(s)) {
    UkonciVyber(s);
    return;
  }
  s.UlozenaCesta.clear();
  s.UlozenaCesta.splice(s.UlozenaCesta.end(), s.HledanaCesta);
}

void Dokonci(Stav& s) {
  // End point (0, 0): only reaching the destination track ends the search.
  if (HledejCestu(s, s.PosledniX, s.PosledniY, s.PosledniSmer, 0, 0)) {
    SestavCestu(s, Sestaveni::Konecne);
    if (ZeStartu(s)) RozdelCestu(s, 0);
  }
  UkonciVyber(s);
}

}  // namespace

void Image1MouseDown(Stav& s, Tlacitko tlacitko, int x, int y) {
  int px = 0, py = 0;
  if (!Prichyt(x, y, px, py)) return;
  if (!s.VyberCesty) {
    ZvolStart(s, tlacitko, px, py);
    return;
  }
  if (tlacitko == Tlacitko::Prave) {
    if (RNavestidlo* n = NajdiNavestidlo(s, s.StartNavestidlo)) {
      n->stav = 0;
      KresliNavestidloBarvou(s, *n, s.nastaveni.popredi);
    }
    UkonciVyber(s);
    return;
  }
  if (RKolej* t = KolejVBode(s, px, py)) {
    s.CilovaKolej = t->id;
    Dokonci(s);
    return;
  }
  if (RKolej* c = SpojkaVBode(s, px, py)) PrujezdSpojkou(s, *c, px);
}

}  // namespace stanovar
