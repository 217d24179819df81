// The tables of the records a save holds, and the records kept in the state itself: one
// description each, for writing and reading alike.
#pragma once

#include "model/skore.h"
#include "model/stav.h"
#include "smena/tabulky.h"

namespace stanovar::ulozeni {

extern const Tabulka<RKrok> TabulkaKroku;          // a row
extern const Tabulka<RVlak> TabulkaVlaku;          // an object
extern const Tabulka<RNabidka> TabulkaNabidek;     // an object
extern const Tabulka<RCesta> TabulkaCest;          // an object
extern const Tabulka<RCekajiciCesta> TabulkaCekajicich;  // an object
extern const Tabulka<RUdalost> TabulkaUdalosti;    // a row
extern const Tabulka<RKolej> TabulkaStavuKoleje;   // a row: the run-time state of an element
extern const Tabulka<Stav> TabulkaHodin;           // an object: the clock, frequency, generator
extern const Tabulka<Stav> TabulkaVyberu;          // an object: selection and shown trains
extern const Tabulka<OknoView> TabulkaTextuOkna;   // a row: what the panels show
extern const Tabulka<PanelView> TabulkaPanelu;     // a row
extern const Tabulka<OknoView> TabulkaOkna;        // an object
extern const Tabulka<SkoreVlaku> TabulkaRunu;      // a row
extern const Tabulka<BodSmeny> TabulkaBoduSmeny;   // a row
extern const Tabulka<Skore> TabulkaSkore;          // an object
extern const Tabulka<OperaceKresby> TabulkaKresby;  // a row
extern const Tabulka<RSpoj> TabulkaSpoju;          // a row

}  // namespace stanovar::ulozeni
