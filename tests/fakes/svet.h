// A complete simulator for a test: state, recording canvas and scripted outside world.
#pragma once

#include "fakes/skriptovane_prostredi.h"
#include "fakes/zaznamove_platno.h"
#include "model/stav.h"

namespace stanovar::test {

struct Svet {
  Svet() {
    stav.platno = &platno;
    stav.prostredi = &prostredi;
    stav.SimZaklad = prostredi.cas;
    stav.RealZnacka = prostredi.cas;
    stav.PosledniCteni = prostredi.cas;
  }
  Svet(const Svet&) = delete;
  Svet& operator=(const Svet&) = delete;

  ZaznamovePlatno platno;
  SkriptovaneProstredi prostredi;
  Stav stav;
};

}  // namespace stanovar::test
