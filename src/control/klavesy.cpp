#include "control/klavesy.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "control/cesty.h"
#include "dynamics/dotazy.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"

namespace stanovar {

namespace {

void NastavCetnost(Stav& s, std::uint16_t n) {
  s.CetnostVlaku = n;
  s.okno.CetnostVlakuLabel = s.Text(26) + std::to_string(n);
}

// The track under the cursor point, when the point lies on the picture.
RKolej* KolejUKurzoru(Stav& s, int x, int y) {
  if (!s.platno || x < 0 || y < 0 || x > s.platno->sirka() || y > s.platno->vyska()) return nullptr;
  return KolejVBode(s, x, y);
}

// A whole number of the speedometer: halves go to the even neighbour.
std::string Zaokrouhli(double v) {
  return std::isfinite(v) ? std::to_string(static_cast<long long>(std::nearbyint(v))) : "0";
}

}  // namespace

void InfoVlak(Stav& s, int x, int y) {
  RKolej* t = KolejUKurzoru(s, x, y);
  RVlak* v = t && t->vlak > 0 ? NajdiVlak(s, t->vlak) : nullptr;
  if (!v) return;
  OknoView& o = s.okno;
  o.PanelKolej.viditelny = false;
  o.PanelSouhlas.viditelny = false;
  o.PanelVlak = {true, 192, 0};
  s.ZobrazenyVlak = v->cislo;
  o.Rychlomer = true;
  o.LabelVlak = std::to_string(v->cislo);
  o.LabelCil = v->cil;
  o.LabelDelka = std::to_string(v->delka);
  o.LabelHmotnost = std::to_string(v->hmotnost);
  o.LabelMaxRychl = std::to_string(v->maxRychlost);
  o.LabelLoko = v->loko;
  o.LabelOdjezd = v->maOdjezd ? std::to_string(v->odjezd / 100) + ":" + std::to_string(v->odjezd % 100)
                              : std::string();
  o.ImageSmer = v->smer == 1 ? 1 : 2;
  RychlomerTimer(s);
}

void InfoKolej(Stav& s, int x, int y) {
  RKolej* t = KolejUKurzoru(s, x, y);
  if (!t) return;
  OknoView& o = s.okno;
  o.PanelVlak.viditelny = false;
  o.Rychlomer = false;
  if (t->druhKonce == 5) {
    UkazNabidku(s, *t);
    return;
  }
  o.PanelSouhlas.viditelny = false;
  o.PanelKolej = {true, 192, 0};
  o.LabelKolej = t->cislo;
  o.LabelDelkaKol = std::to_string(t->delka);
  o.LabelRychlKol = std::to_string(t->rychlost);
  o.LabelStanice = t->stanice;
  o.LabelSoused = t->soused;
  const int g = t->sklon;
  std::string sklon = g < 0 ? "-" : "";
  sklon += std::to_string(std::abs(g) / 10);
  sklon += ',';
  sklon += std::to_string(std::abs(g) % 10);
  o.LabelSklon = sklon;
}

void RychlomerTimer(Stav& s) {
  RVlak* v = NajdiVlak(s, s.ZobrazenyVlak);
  if (!v) return;
  double rychlost = 0, poloha = 0;
  if (!AktualRychlost(s, *v, rychlost, poloha)) return;
  s.okno.LabelRychl = Zaokrouhli(rychlost * 3.6);
  s.okno.LabelVzdal = Zaokrouhli(v->delkaUseku - poloha);
}

void FormKeyDown(Stav& s, int klic, int mx, int my) {
  int x = 0, y = 0;
  if (!Prichyt(mx, my, x, y)) x = y = -1;
  switch (klic) {
    case KlavesaEsc:
      s.okno.zavrit = true;
      break;
    case KlavesaVlevo:
      if (s.CetnostVlaku > MinCetnostVlaku)
        NastavCetnost(s, static_cast<std::uint16_t>(s.CetnostVlaku - 1));
      break;
    case KlavesaVpravo:
      if (s.CetnostVlaku < MaxCetnostVlaku)
        NastavCetnost(s, static_cast<std::uint16_t>(s.CetnostVlaku + 1));
      break;
    case KlavesaNahoru:
      if (s.RychlostSim < MaxRychlostSim)
        NastavRychlost(s, static_cast<std::uint16_t>(s.RychlostSim + 1));
      break;
    case KlavesaDolu:
      if (s.RychlostSim > 0) NastavRychlost(s, static_cast<std::uint16_t>(s.RychlostSim - 1));
      break;
    case KlavesaA:
      if (s.okno.PanelSouhlas.viditelny) LabelAnoClick(s);
      break;
    case KlavesaN:
      if (s.okno.PanelSouhlas.viditelny) LabelNeClick(s);
      break;
    case KlavesaF1:
      InfoVlak(s, x, y);
      break;
    case KlavesaF2:
      InfoKolej(s, x, y);
      break;
    case KlavesaF3:
      // Pause, or resume at the factor that ran before the pause.
      NastavRychlost(s, s.RychlostSim == 0 ? s.PosledniRychlost : 0);
      break;
    default:
      break;
  }
}

}  // namespace stanovar
