// Reader of the locomotive list: "*" starts a locomotive, "#" moves to the next field.
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/text.h"

namespace stanovar {

namespace {

// Reals are written by hand; blanks around them are not part of the number. A value that is
// still not a number keeps the field's default.
double Real(std::string_view t, double vychozi) {
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return PrevedReal(t, vychozi);
}

void Uloz(RLoko& l, int pole, std::string_view t) {
  const RLoko v{};  // defaults of every field
  switch (pole) {
    case 1: l.jmeno = Jmeno8(t); break;
    case 2: l.maxRychlost = PrevedCislo(t); break;
    case 3: l.vykon = PrevedCislo(t); break;
    case 4: l.hmotnost = PrevedCislo(t); break;
    case 5: l.rychlost1 = PrevedCislo(t); break;
    case 6: l.rychlost2 = PrevedCislo(t); break;
    case 7: l.odporA = Real(t, v.odporA); break;
    case 8: l.odporB = Real(t, v.odporB); break;
    case 9: l.odporC = Real(t, v.odporC); break;
    case 10: l.soucinitelHmot = Real(t, v.soucinitelHmot); break;
    default: break;  // field 0 and numbers above 10
  }
}

}  // namespace

bool OtevriLoko(Stav& s) {
  std::string obsah;
  bool chyba = false;
  if (!OtevriDatovySoubor(s, s.nastaveni.cestaLoko, obsah, &chyba)) return !chyba;
  CtiLoko(s, obsah);
  return true;
}

void CtiLoko(Stav& s, std::string_view obsah) {
  // Locomotive being filled; text before the first "*", and after the list is full, has none.
  int plnena = -1;
  ProjdiZaznamy(
      obsah, false,
      [&] {
        if (s.Lokomotivy.size() >= static_cast<std::size_t>(MaxLokomotiv)) {
          plnena = -1;
          return;
        }
        s.Lokomotivy.push_back(RLoko{});
        plnena = static_cast<int>(s.Lokomotivy.size()) - 1;
      },
      [&](int pole, std::string_view t) {
        if (plnena >= 0 && !PrazdnePole(t))
          Uloz(s.Lokomotivy[static_cast<std::size_t>(plnena)], pole, t);
      });
}

}  // namespace stanovar
