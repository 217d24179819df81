// Reader of the timetable: "*" starts an entry, "#" moves to the next field, "%" and a
// letter A to F open a lettered section.
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/text.h"
#include "traffic/generace.h"

namespace stanovar {

namespace {

void Uloz(RSpoj& sp, int pole, std::string_view t) {
  switch (pole) {
    case 1: sp.cislo = PrevedCislo(t); break;
    case 2: sp.odkud = Jmeno8(t); break;
    case 3: sp.kam = Jmeno8(t); break;
    case 4: sp.delka = PrevedCislo(t); break;
    case 5: sp.hmotnost = PrevedCislo(t); break;
    case 6: sp.maxRychlost = PrevedCislo(t); break;
    case 7: sp.loko = Orez(t, 4); break;  // case kept: it must match the locomotive file
    case PoleSekce + 1: sp.hodnotaA = PrevedCislo(t); break;
    case PoleSekce + 2: sp.hodnotaB = PrevedCislo(t); break;
    case PoleSekce + 3: sp.hodnotaC = PrevedCislo(t); break;
    default: break;  // field 0, unused numbers and sections D to F
  }
}

}  // namespace

void OtevriGvd(Stav& s) {
  std::string obsah;
  if (OtevriDatovySoubor(s, s.nastaveni.cestaGvd, obsah)) CtiGvd(s, obsah);
  // Also after a timetable that could not be read: the one generation event is always queued.
  GenerujVlak(s);
}

void CtiGvd(Stav& s, std::string_view obsah) {
  // Entry being filled; text before the first "*", and after the list is full, has none.
  int plneny = -1;
  ProjdiZaznamy(
      obsah, true,
      [&] {
        if (s.PocetSpoju >= MaxSpoju) {
          plneny = -1;
          return;
        }
        s.Grafikon.push_back(RSpoj{});
        plneny = static_cast<int>(s.Grafikon.size()) - 1;
        s.aktualniSpoj = plneny;
        ++s.PocetSpoju;
      },
      [&](int pole, std::string_view t) {
        if (plneny >= 0 && !PrazdnePole(t))
          Uloz(s.Grafikon[static_cast<std::size_t>(plneny)], pole, t);
      });
}

}  // namespace stanovar
