// Reader of the timetable: "*" starts an entry, "#" moves to the next field, "%" and a
// letter A to F open a lettered section.
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/text.h"

namespace stanovar {

namespace {

constexpr int PoleSekce = 100;  // text after a "%" that no letter A..F follows

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

int PismenoSekce(char c) {
  if (c >= 'A' && c <= 'F') return c - 'A' + 1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 1;
  return 0;
}

}  // namespace

void OtevriGvd(Stav& s) {
  std::string obsah;
  if (OtevriDatovySoubor(s, s.nastaveni.cestaGvd, obsah)) {
    int plneny = -1;  // entry being filled; text before the first "*" has none
    auto uloz = [&](int pole, std::string_view t) {
      if (plneny >= 0) Uloz(s.Grafikon[static_cast<std::size_t>(plneny)], pole, t);
    };
    for (std::string_view radek : Radky(obsah)) {
      int cur = 0, prev = 0;
      std::size_t zacatek = 0, delka = 0;  // collected text: a run of the line's bytes
      const std::size_t n = radek.size();
      for (std::size_t i = 0; i < n; ++i) {
        const char c = radek[i];
        if (c == '#')
          ++cur;
        else if (c == '%')
          cur = PoleSekce;
        else if (c == '*')
          cur = 0;
        if (prev == PoleSekce && PismenoSekce(c)) cur = PoleSekce + PismenoSekce(c);
        if (cur == prev) {
          if (delka == 0) zacatek = i;
          ++delka;
        }
        if (cur != prev || i + 1 == n) {
          uloz(prev, radek.substr(zacatek, delka));
          delka = 0;
        }
        // The new entry takes over only after the field open before the "*" has gone to
        // the entry it was written for.
        if (c == '*') {
          s.Grafikon.push_back(RSpoj{});
          plneny = static_cast<int>(s.Grafikon.size()) - 1;
          s.aktualniSpoj = plneny;
          ++s.PocetSpoju;
        }
        prev = cur;
      }
    }
  }
  // Train generation is started by the caller once it exists.
}

}  // namespace stanovar
