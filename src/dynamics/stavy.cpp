#include "dynamics/stavy.h"

#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/oznam.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

// The phase that ends has reached its target: that becomes the speed at this instant.
void NovaFaze(Stav& s, int cislo, double cil, double poloha, bool brzdi) {
  RVlak* T = NajdiVlak(s, cislo);
  if (!T) return;
  T->brzdi = brzdi;
  T->rychlost = T->CilRychl;
  T->CilRychl = cil;
  T->cas = SimCas(s);
  T->vzdalenost = poloha;
}

}  // namespace

void ZacniBrzdit(Stav& s, int cislo, double cil, double poloha) {
  NovaFaze(s, cislo, cil, poloha, true);
}

void ZmenJizdu(Stav& s, int cislo, double cil, double poloha) {
  NovaFaze(s, cislo, cil, poloha, false);
}

void StalaJizda(Stav& s, int cislo, double v, double poloha) {
  RVlak* T = NajdiVlak(s, cislo);
  if (!T) return;
  T->brzdi = false;
  T->vzdalenost = poloha;
  T->rychlost = v;
  T->CilRychl = v;
  T->cas = SimCas(s);
}

void NastavBrzdZrych(Stav& s, int cislo, double b) {
  if (RVlak* T = NajdiVlak(s, cislo)) T->BrzdZrych = b;
}

void OdjezdVlaku(Stav& s, int cislo) {
  auto it = s.Vlaky.begin();
  while (it != s.Vlaky.end() && it->cislo != cislo) ++it;
  if (it == s.Vlaky.end()) return;
  RVlak& T = *it;
  if (!s.posluchaci.prazdne()) {
    // Sent the wrong way when the line it leaves by leads to another neighbour.
    bool kCili = true;
    if (RKrok* krok = PosledniKolejKrok(T.cesta))
      if (RKolej* trat = NajdiKolej(s, krok->prvek)) kCili = trat->soused == T.cil;
    Oznam(s, DruhOznameni::VlakOdjel, cislo, 0, kCili);
  }
  if (!T.cesta.empty()) {
    const double ted = SimCas(s);
    const double a = T.cesta.back().delka;  // the head's position
    // The tail clears each step still under the train at the present speed. A train that
    // somehow leaves standing has no such time: its steps are released at once.
    const double v = T.rychlost > 0 ? T.rychlost : 0;
    for (auto k = T.cesta.rbegin(); k != T.cesta.rend(); ++k) {
      if (!(k->delka > a - T.delka)) break;
      const double zbyva = T.delka + k->delka - a;
      const double cas = v > 0 ? ted + zbyva / (v * 86400.0) : ted;
      NaplanujUdalost(s, UdalostUvolneni, cislo, k->prvek, 0, 0, cas);
    }
  }
  s.Vlaky.erase(it);
}

}  // namespace stanovar
