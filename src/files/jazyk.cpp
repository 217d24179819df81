// Reader of the language file: a number 1 to 37 in the first three bytes of a line, the
// text from the fourth byte on.
#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/text.h"

namespace stanovar {

namespace {
// The longest text is a line of column headings, about a hundred characters; more than this
// is no caption, and would only cost memory and time every time the window shows it.
constexpr std::size_t MaxDelkaTextu = 1000;
}  // namespace

void PouzijPopisky(Stav& s) {
  OknoView& o = s.okno;
  o.MenuSoubor = s.Text(1);
  o.MenuOtevrit = s.Text(2);
  o.MenuNastav = s.Text(3);
  o.MenuKonec = s.Text(4);
  o.MenuNapoveda = s.Text(5);
  o.MenuHelp = s.Text(6);
  o.MenuOprogramu = s.Text(7);
  o.Label2 = s.Text(8);
  o.Label3 = s.Text(9);
  o.LabelAno = s.Text(10);
  o.LabelNe = s.Text(11);
}

bool OtevriLng(Stav& s) {
  std::string obsah;
  bool chyba = false;
  if (!OtevriDatovySoubor(s, s.nastaveni.cestaJazyk, obsah, &chyba)) return !chyba;
  CtiLng(s, obsah);
  return true;
}

void CtiLng(Stav& s, std::string_view obsah) {
  for (std::string_view radek : Radky(obsah)) {
    int n = PrevedCislo(radek.substr(0, 3));
    if (n < 1 || n > 37) continue;
    s.jazyk[static_cast<std::size_t>(n)] = Orez(radek.size() > 3 ? radek.substr(3) : "", MaxDelkaTextu);
  }
  PouzijPopisky(s);
}

}  // namespace stanovar
