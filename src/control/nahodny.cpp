#include "control/nahodny.h"

#include <vector>

#include "control/cesty.h"
#include "control/klavesy.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/generace.h"

namespace stanovar {

void NahodnyDispecer::operator()(Stav& s) {
  // Mostly nothing: a person acts now and then, not at every event.
  if (Cislo(4) != 0) return;
  for (int n = 1 + Cislo(3); n > 0; --n) {
    Akce(s);
    if (poAkci) poAkci();
  }
}

void NahodnyDispecer::Bod(Stav& s, int& x, int& y) {
  switch (Cislo(6)) {
    case 0:
      if (!s.Navestidla.empty()) {
        const RNavestidlo& n = s.Navestidla[static_cast<std::size_t>(Cislo(static_cast<int>(s.Navestidla.size())))];
        x = n.x, y = n.y;
        return;
      }
      break;
    case 1:
      if (!s.Spojky.empty()) {
        const RKolej& k = s.Spojky[static_cast<std::size_t>(Cislo(static_cast<int>(s.Spojky.size())))];
        x = (k.x1 + k.x2) / 2, y = (k.y1 + k.y2) / 2;
        return;
      }
      break;
    case 2:
    case 3:
      // On a train, where most of the keys do something.
      if (!s.Vlaky.empty()) {
        std::vector<const RKolej*> obsazene;
        for (const RKolej& k : s.Koleje)
          if (k.vlak > 0 && k.zaver == 3) obsazene.push_back(&k);
        if (!obsazene.empty()) {
          const RKolej& k = *obsazene[static_cast<std::size_t>(Cislo(static_cast<int>(obsazene.size())))];
          x = k.x1 + Cislo(k.x2 - k.x1 + 1), y = k.y1;
          return;
        }
      }
      [[fallthrough]];
    case 4:
      if (!s.Koleje.empty()) {
        const RKolej& k = s.Koleje[static_cast<std::size_t>(Cislo(static_cast<int>(s.Koleje.size())))];
        x = k.x1 + Cislo(k.x2 - k.x1 + 1), y = k.y1;
        return;
      }
      break;
    default:
      break;
  }
  const int w = s.platno ? s.platno->sirka() : 800, h = s.platno ? s.platno->vyska() : 540;
  x = Cislo(w + 20) - 10, y = Cislo(h + 20) - 10;
}

void NahodnyDispecer::Akce(Stav& s) {
  ++akci;
  int x = 0, y = 0;
  Bod(s, x, y);
  const int co = Cislo(24);
  if (co >= 20) {
    // A route: a signal, now and then a connector to pass, then a track.
    if (s.Navestidla.empty() || s.Koleje.empty()) return;
    const RNavestidlo& n = s.Navestidla[static_cast<std::size_t>(Cislo(static_cast<int>(s.Navestidla.size())))];
    Image1MouseDown(s, Tlacitko::Leve, n.x, n.y);
    if (!s.Spojky.empty() && Cislo(5) == 0) {
      const RKolej& c = s.Spojky[static_cast<std::size_t>(Cislo(static_cast<int>(s.Spojky.size())))];
      Image1MouseDown(s, Tlacitko::Leve, (c.x1 + c.x2) / 2, (c.y1 + c.y2) / 2);
    }
    const RKolej& k = s.Koleje[static_cast<std::size_t>(Cislo(static_cast<int>(s.Koleje.size())))];
    Image1MouseDown(s, Tlacitko::Leve, (k.x1 + k.x2) / 2, k.y1);
    return;
  }
  if (co < 8) {
    const Tlacitko t = co < 5 ? Tlacitko::Leve : co < 7 ? Tlacitko::Prave : Tlacitko::Prostredni;
    Image1MouseDown(s, t, x, y);
  } else if (co < 11) {
    // An offer looked at and answered, mostly yes.
    for (const RNabidka& n : s.Nabidky) {
      if (n.prijata || Cislo(2)) continue;
      FormKeyDown(s, KlavesaF2, n.x, n.y);
      if (s.okno.PanelSouhlas.viditelny) FormKeyDown(s, Cislo(4) ? KlavesaA : KlavesaN, x, y);
      break;
    }
  } else if (co < 13) {
    // A route cancelled under a train running on it or towards it.
    std::vector<const RNavestidlo*> kandidati;
    for (const RNavestidlo& n : s.Navestidla)
      if (n.stav == 2 || n.stav == 4) kandidati.push_back(&n);
    if (!kandidati.empty()) {
      const RNavestidlo& n = *kandidati[static_cast<std::size_t>(Cislo(static_cast<int>(kandidati.size())))];
      Image1MouseDown(s, Tlacitko::Prave, n.x, n.y);
    }
  } else {
    // Keys; the clock's pace and pause included, but never the key that closes the window.
    static const int klavesy[] = {KlavesaF1, KlavesaF2, KlavesaF5, KlavesaF5, KlavesaF3,
                                  KlavesaA,  KlavesaN,  KlavesaVlevo, KlavesaVpravo,
                                  KlavesaNahoru, KlavesaDolu, 'X'};
    FormKeyDown(s, klavesy[Cislo(static_cast<int>(sizeof klavesy / sizeof klavesy[0]))], x, y);
  }
}

}  // namespace stanovar
