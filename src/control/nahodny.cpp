#include "control/nahodny.h"

#include <iterator>
#include <vector>

#include "control/cesty.h"
#include "control/klavesy.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/smycka.h"
#include "traffic/generace.h"

namespace stanovar {

void NahodnyDispecer::udalost(const RUdalost& u) {
  switch (u.druh) {
    case UdalostUvolneni: case UdalostVjezd:
      if (u.vlak != 0) slysene_.emplace_back(u.druh, u.vlak);
      break;
    default: break;
  }
}

void NahodnyDispecer::operator()(Stav& s) {
  std::vector<std::pair<int, int>> slysene;
  slysene.swap(slysene_);
  // Half the instants at which something happened to a train: a route ahead of it at that
  // very instant, when its re-planning meets the events of the instant (a tail that has just
  // left an element, a head that has just reached its route's start).
  // Mostly one that runs up to a signal with nothing set from it, whose run a route set now
  // changes.
  std::vector<int> vlaky;
  for (const auto& [druh, vlak] : slysene) {
    RVlak* v = NajdiVlak(s, vlak);
    RKrok* z = v ? PosledniKolejKrok(v->cesta) : nullptr;
    RKolej* k = z ? NajdiKolej(s, z->prvek) : nullptr;
    RNavestidlo* n = k ? NavestidloNaKonci(s, *k, z->smer) : nullptr;
    if (n && n->stav == 0) vlaky.push_back(vlak);
  }
  if (vlaky.empty() || Cislo(4) == 0)
    for (const auto& [druh, vlak] : slysene) vlaky.push_back(vlak);
  if (!vlaky.empty() && Cislo(2) == 0) {
    ++akci;
    PredVlak(s, vlaky[static_cast<std::size_t>(Cislo(static_cast<int>(vlaky.size())))]);
    if (poAkci) poAkci();
  }
  // Otherwise mostly nothing: a person acts now and then, not at every event.
  if (Cislo(4) != 0) return;
  for (int n = 1 + Cislo(3); n > 0; --n) {
    Akce(s);
    if (poAkci) poAkci();
  }
}

bool NahodnyDispecer::CestaOd(Stav& s, const RNavestidlo& n, int smer) {
  if (s.Koleje.empty()) return false;
  Image1MouseDown(s, Tlacitko::Leve, n.x, n.y);
  if (!s.Spojky.empty() && Cislo(5) == 0) {
    const RKolej& c = s.Spojky[static_cast<std::size_t>(Cislo(static_cast<int>(s.Spojky.size())))];
    Image1MouseDown(s, Tlacitko::Leve, (c.x1 + c.x2) / 2, (c.y1 + c.y2) / 2);
  }
  // Mostly a track the route could reach: one beyond the signal that way, half the time a
  // line track, where most routes from a signal lead.
  std::vector<const RKolej*> dal;
  const bool trat = Cislo(2) == 0;
  if (smer == 1 || smer == 2)
    for (const RKolej& k : s.Koleje)
      if ((smer == 2 ? k.x1 >= n.x : k.x2 <= n.x) && (!trat || k.druhKonce > 0)) dal.push_back(&k);
  const RKolej& k = !dal.empty() && Cislo(4) != 0
                        ? *dal[static_cast<std::size_t>(Cislo(static_cast<int>(dal.size())))]
                        : s.Koleje[static_cast<std::size_t>(Cislo(static_cast<int>(s.Koleje.size())))];
  Image1MouseDown(s, Tlacitko::Leve, (k.x1 + k.x2) / 2, k.y1);
  return true;
}

bool NahodnyDispecer::PredVlak(Stav& s, int vlak) {
  RVlak* v = NajdiVlak(s, vlak);
  RKrok* z = v ? PosledniKolejKrok(v->cesta) : nullptr;
  RKolej* k = z ? NajdiKolej(s, z->prvek) : nullptr;
  RNavestidlo* n = k ? NavestidloNaKonci(s, *k, z->smer) : nullptr;
  return n && CestaOd(s, *n, z->smer);
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
  const int co = Cislo(32);
  if (co >= 24) {
    const int vlaku = static_cast<int>(s.Vlaky.size());
    auto nahodnyVlak = [&]() -> RVlak* {
      if (!vlaku) return nullptr;
      auto it = s.Vlaky.begin();
      std::advance(it, Cislo(vlaku));
      return &*it;
    };
    switch ((co - 24) / 2) {
      case 0: {
        // An offer accepted while its line track is still busy: the train comes in the
        // moment the one before clears it.
        std::vector<const RNabidka*> kandidati;
        for (const RNabidka& n : s.Nabidky)
          if (RKolej* k = KolejVBode(s, n.x, n.y); !n.prijata && k && k->zaver != 0)
            kandidati.push_back(&n);
        if (kandidati.empty()) return;
        const RNabidka n = *kandidati[static_cast<std::size_t>(Cislo(static_cast<int>(kandidati.size())))];
        FormKeyDown(s, KlavesaF2, n.x, n.y);
        if (s.okno.PanelSouhlas.viditelny) FormKeyDown(s, KlavesaA, n.x, n.y);
        return;
      }
      case 1: {
        // A train routed into the track another train holds: stored, and set the moment
        // that train's tail clears it.
        RVlak* b = nahodnyVlak();
        RVlak* a = nahodnyVlak();
        RKrok* za = a ? PosledniKolejKrok(a->cesta) : nullptr;
        RKrok* zb = b && a != b ? PosledniKolejKrok(b->cesta) : nullptr;
        RKolej* kb = zb ? NajdiKolej(s, zb->prvek) : nullptr;
        RNavestidlo* n = kb ? NavestidloNaKonci(s, *kb, zb->smer) : nullptr;
        RKolej* ka = za ? NajdiKolej(s, za->prvek) : nullptr;
        if (!n || !ka) return;
        Image1MouseDown(s, Tlacitko::Leve, n->x, n->y);
        Image1MouseDown(s, Tlacitko::Leve, (ka->x1 + ka->x2) / 2, ka->y1);
        return;
      }
      case 2: {
        // A route from the signal behind a standing train, which faces away from it.
        std::vector<RVlak*> stoji;
        for (RVlak& v : s.Vlaky)
          if (v.rychlost == 0 && v.CilRychl == 0) stoji.push_back(&v);
        if (stoji.empty()) return;
        RVlak& v = *stoji[static_cast<std::size_t>(Cislo(static_cast<int>(stoji.size())))];
        RKrok* z = PosledniKolejKrok(v.cesta);
        RKolej* k = z ? NajdiKolej(s, z->prvek) : nullptr;
        const int zpet = z && (z->smer == 1 || z->smer == 2) ? 3 - z->smer : 0;
        if (RNavestidlo* n = k && zpet ? NavestidloNaKonci(s, *k, zpet) : nullptr)
          CestaOd(s, *n, zpet);
        return;
      }
      default:
        // A route ahead of a train, whatever it is doing.
        if (RVlak* v = nahodnyVlak()) PredVlak(s, v->cislo);
        return;
    }
  }
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
