// The dispatcher's clicks on the station picture: start signal, via connectors, destination.
#include <cstdint>
#include <limits>
#include <string>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/oznam.h"

namespace stanovar {

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

// What the search reads of the run-time state: which tracks lead onto a line, and which of
// them may not be entered now (arrivals only, or held for an accepted train).
std::string StavTrati(const Stav& s) {
  std::string r(s.Koleje.size(), '0');
  for (std::size_t i = 0; i < s.Koleje.size(); ++i) {
    const int d = s.Koleje[i].druhKonce;
    if (d != 0) r[i] = d == 1 || d == 4 ? '1' : '2';
  }
  return r;
}

// The search from the start of a plain selection to CilovaKolej and the walk back, as
// Dokonci runs them: the path in HledanaCesta, the result kept in z.
void Najdi(Stav& s, PametCest::Nalez& z) {
  // End point (0, 0): only reaching the destination track ends the search.
  z.nalezeno = HledejCestu(s, s.PosledniX, s.PosledniY, s.PosledniSmer, 0, 0);
  if (z.nalezeno) SestavCestu(s, Sestaveni::Konecne);
  z.smer = s.PosledniSmer;
  z.cilova = s.CilovaKolej;
  if (z.nalezeno) z.cesta = s.HledanaCesta;
}

void Dokonci(Stav& s) {
  if (s.pametCest && s.UlozenaCesta.empty()) {
    auto [it, nova] = s.pametCest->cesty.try_emplace(PametCest::Klic{
        s.StartNavestidlo, s.PosledniX, s.PosledniY, s.PosledniSmer, s.CilovaKolej, StavTrati(s)});
    const PametCest::Nalez& z = it->second;
    if (nova) {
      Najdi(s, it->second);
    } else {
      // As the search and the walk back leave things. A search that finds nothing returns
      // the start signal to normal, which ending the selection does as well.
      s.PosledniSmer = z.smer;
      s.CilovaKolej = z.cilova;
      s.HledanaCesta = z.cesta;
    }
    if (z.nalezeno && ZeStartu(s)) RozdelCestu(s, 0);
    UkonciVyber(s);
    return;
  }
  // End point (0, 0): only reaching the destination track ends the search.
  if (HledejCestu(s, s.PosledniX, s.PosledniY, s.PosledniSmer, 0, 0)) {
    SestavCestu(s, Sestaveni::Konecne);
    if (ZeStartu(s)) RozdelCestu(s, 0);
  }
  UkonciVyber(s);
}

}  // namespace

const Kroky* CestaKliku(Stav& s, PametCest& pamet, int navestidlo, int x, int y, int tx,
                        int ty) {
  if (s.VyberCesty) return nullptr;
  int px = 0, py = 0, kx = 0, ky = 0;
  if (!Prichyt(x, y, px, py) || !Prichyt(tx, ty, kx, ky)) return nullptr;
  // The signal the first click picks, as ZvolStart picks it.
  RNavestidlo* n = NavestidloVBode(s, px, py);
  if (!n) n = NavestidloVBode(s, px + gx, py);
  if (!n) n = NavestidloVBode(s, px - gx, py);
  if (!n || n->id != navestidlo || n->stav != 0) return nullptr;
  RKolej* t = KolejVBode(s, kx, ky);
  if (!t) return nullptr;

  auto [it, nova] =
      pamet.cesty.try_emplace(PametCest::Klic{n->id, n->x, n->y, n->strana, t->id, StavTrati(s)});
  PametCest::Nalez& z = it->second;
  if (nova) {
    // The search as the two clicks run it, on the selection state put aside meanwhile. It
    // changes nothing else: on failure it returns the start signal to the normal state it
    // is already in.
    const bool vyber = s.VyberCesty;
    const int start = s.StartNavestidlo, posledniX = s.PosledniX, posledniY = s.PosledniY;
    const int cilova = s.CilovaKolej;
    const std::uint16_t smer = s.PosledniSmer;
    Kroky hledana, ulozena;
    hledana.splice(hledana.end(), s.HledanaCesta);
    ulozena.splice(ulozena.end(), s.UlozenaCesta);

    s.VyberCesty = true;
    s.StartNavestidlo = n->id;
    s.PosledniSmer = n->strana;
    s.PosledniX = n->x;
    s.PosledniY = n->y;
    s.CilovaKolej = t->id;
    Najdi(s, z);

    s.HledanaCesta.clear();
    s.HledanaCesta.splice(s.HledanaCesta.end(), hledana);
    s.UlozenaCesta.clear();
    s.UlozenaCesta.splice(s.UlozenaCesta.end(), ulozena);
    s.VyberCesty = vyber;
    s.StartNavestidlo = start;
    s.PosledniX = posledniX;
    s.PosledniY = posledniY;
    s.PosledniSmer = smer;
    s.CilovaKolej = cilova;
  }
  // Only a path from the signal is locked or stored.
  const bool zeStartu = z.nalezeno && !z.cesta.empty() && z.cesta.front().prvek == n->id;
  return zeStartu ? &z.cesta : &pamet.zadna;
}

void Image1MouseDown(Stav& s, Tlacitko tlacitko, int x, int y) {
  const OznamVstup vstup(s, tlacitko == Tlacitko::Leve ? VstupLeve : tlacitko == Tlacitko::Prave ? VstupPrave : VstupProstredni, x, y);
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
