#include "jadro.h"
#include "smena/smena.h"

#include <cmath>

#include "control/dispecer.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "traffic/virtualni.h"

namespace stanovar {

VysledekUlozeni PrevezmiProvoz(Stav& s, const std::string& schema, const std::string& grafikon,
                               const std::string& lokomotivy) {
  for (const std::string* f : {&schema, &grafikon, &lokomotivy}) {
    std::string obsah;
    if (!f->empty() && CtiSoubor(NormalizujCestu(*f), obsah, s.prostredi) != Nacteni::Precteno)
      return {ChybaUlozeni::ChybiSoubor, *f};
  }
  // The hour before now, on a virtual clock that the run moves from event to event; the
  // seed comes from the real clock, as a shift started now would take it.
  const double ted = s.prostredi->casDne();
  double zacatek = ted - DobaPredPrevzetim;
  if (zacatek < 0) zacatek += 1;
  VirtualniProstredi hodiny(zacatek, s.prostredi->msOdPulnoci());
  PrazdnePlatno platno(s.platno ? s.platno->sirka() : 800, s.platno ? s.platno->vyska() : 540);
  Stav t;
  t.platno = &platno;
  t.prostredi = &hodiny;
  t.nastaveni = s.nastaveni;
  t.jazyk = s.jazyk;
  t.okno = s.okno;
  t.nastaveni.cestaSchema = schema;
  t.nastaveni.cestaGvd = grafikon;
  t.nastaveni.cestaLoko = lokomotivy;
  t.SimZaklad = t.RealZnacka = t.PosledniCteni = zacatek;
  t.RychlostSim = 1;
  t.PosledniRychlost = 0;
  t.CetnostVlaku = s.CetnostVlaku;
  SledujSkore(t);
  OtevriStanici(t);

  // Played so that it hands over a station whose trains all move.
  AutomatickyDispecer dispecer;
  dispecer.volby = AutomatickyDispecer::PredaniStanice();
  t.posluchaci.poslouchej([&](Stav&, const Oznameni& o) {
    if (o.druh == DruhOznameni::Udalost) dispecer.udalost(*o.udalost);
  });
  dispecer(t);
  Simuluj(t, hodiny, zacatek + DobaPredPrevzetim, [&] { dispecer(t); });
  t.posluchaci.vycisti();
  // The player's shift starts at the hand-over: the automatic dispatcher's hour is not theirs.
  ZacniSmenu(t);

  // Handed over: no panel of the automatic dispatcher's clicks stays open.
  t.okno.PanelSouhlas.viditelny = false;
  t.okno.PanelKolej.viditelny = false;
  t.okno.PanelVlak.viditelny = false;
  t.okno.Rychlomer = false;
  t.ZobrazenyVlak = 0;
  std::string text;
  CastiBehu zadne;
  if (VysledekUlozeni v = UlozSmenuDoTextu(t, zadne, text); !v) return v;
  return NactiSmenuZTextu(s, zadne, text);
}

}  // namespace stanovar
