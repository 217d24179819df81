#include "control/klavesy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/cesty.h"
#include "dynamics/dotazy.h"
#include "dynamics/jizda.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"
#include "traffic/oznam.h"
#include "traffic/smycka.h"

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

namespace {

// Time of day of simulated time t as hours * 100 + minutes, as the train panel shows it.
int HodinyMinuty(double t) {
  const double den = std::isfinite(t) ? t - std::floor(t) : 0.0;
  const long long minut = std::llround(den * 86400000.0) / 60000 % 1440;
  return static_cast<int>(minut / 60 * 100 + minut % 60);
}

// The turned train waits for its departure time (kind 9).
void NaplanujOdjezd(Stav& s, RVlak& v, const RKolej& t, double za, int x, int y) {
  const double odjezd = SimCas(s) + za;
  v.odjezd = HodinyMinuty(odjezd);
  v.maOdjezd = true;
  const int cislo = v.cislo;
  Oznam(s, DruhOznameni::JizdaZmenena, cislo);
  InfoVlak(s, x, y);
  NaplanujUdalost(s, UdalostRozjezd, cislo, t.id, 0, 0, odjezd);
}

// The steps of a route a turned train stood short of: it will never run on them, so they are
// freed like a cancelled route's, for stored routes and for an accepted train waiting for a
// line track among them.
void VratCestuVpred(Stav& s, Kroky& vpred) {
  std::vector<int> koleje;
  s.HledanaCesta.clear();
  for (const RKrok& k : vpred) {
    const RKolej* e = NajdiPrvek(s, k.prvek);
    if (!e || e->zaver != 2) continue;
    if (JeKolej(k.prvek)) koleje.push_back(k.prvek);
    s.HledanaCesta.push_back(k);
  }
  if (s.HledanaCesta.empty()) return;
  ZrusCestu(s);
  ZkusCekajici(s);
  for (int k : koleje)
    if (RKolej* t = NajdiKolej(s, k); t && t->druhKonce == 4 && t->zaver == 0)
      TratUvolnena(s, *t);
}

}  // namespace

void OtocVlak(Stav& s, int x, int y) {
  if (s.VyberCesty) return;
  RKolej* t = KolejUKurzoru(s, x, y);
  if (!t || t->vlak <= 0 || t->zaver != 3) return;
  RVlak* v = NajdiVlak(s, t->vlak);
  if (!v || v->rychlost != 0 || v->CilRychl != 0 || v->maOdjezd) return;
  const int d = v->smer;
  // The routes it faced are no longer its, and those it faces now are; unless it stands
  // within its reaction time before a route just set, whose entry is queued and still comes.
  bool vjede = false;
  s.fronta.kazda([&](FrontaUdalosti::Handle, const RUdalost& u) {
    vjede = vjede || (u.vlak == v->cislo && u.druh == UdalostVjezd);
  });
  auto precisluj = [&](RVlak& w, bool jeho) {
    if (!vjede) PredejCisloVlaku(s, w.cesta, jeho ? w.cislo : 0, jeho);
  };

  // A signal behind the train that faces the new direction: it turns where it stands and
  // leaves in eight minutes.
  RNavestidlo* n = NavestidloNaKonci(s, *t, 3 - d);
  Kroky vpred;
  if (n && (n->strana * d == 2 || n->strana == 3)) {
    precisluj(*v, false);
    ObratVlak(s, *v, &vpred);
    precisluj(*v, true);
    NaplanujOdjezd(s, *v, *t, 8.0 / 1440, x, y);
    VratCestuVpred(s, vpred);
    return;
  }

  // Otherwise the train needs a route out behind it: the search runs to exhaustion and the
  // farthest track it reached is the destination.
  s.StartNavestidlo = 0;
  s.UlozenaCesta.clear();
  if (d == 1)
    HledejCestu(s, t->x2, t->y1, 2, 0, 0);
  else
    HledejCestu(s, t->x1, t->y1, 1, 0, 0);
  s.CilovaKolej = 0;
  for (auto it = s.HledanaCesta.rbegin(); it != s.HledanaCesta.rend(); ++it)
    if (it->prvek <= 6000) {
      s.CilovaKolej = it->prvek;
      break;
    }
  SestavCestu(s, Sestaveni::Konecne);
  s.CilovaKolej = 0;
  if (s.HledanaCesta.empty() || KontrolaCesty(s)) {
    s.HledanaCesta.clear();
    return;
  }
  v->maOdjezd = true;
  const int cislo = v->cislo;
  precisluj(*v, false);
  RozdelCestu(s, t->id);
  v = NajdiVlak(s, cislo);
  if (!v) return;
  ObratVlak(s, *v, &vpred);
  precisluj(*v, true);
  NaplanujOdjezd(s, *v, *t, 2.0 / 1440, x, y);
  VratCestuVpred(s, vpred);

  // The follow-on sections held for the way out are not wanted: the train sets off from the
  // track itself.
  int start = t->id;
  auto od = s.CekajiciCesty.begin();
  for (;;) {
    auto c = std::find_if(od, s.CekajiciCesty.end(),
                          [&](const RCekajiciCesta& x) { return x.drzena && x.start == start; });
    if (c == s.CekajiciCesty.end()) break;
    start = c->cesta.empty() ? 0 : c->cesta.back().prvek;
    od = s.CekajiciCesty.erase(c);
  }
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
  const OznamVstup vstup(s, KodKlavesyVstupu + klic, mx, my);
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
    case KlavesaF5:
      OtocVlak(s, x, y);
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
