// The settings file: whatever is read, writing it and reading that back gives the same
// settings, and writing again gives the same bytes.
#include "files/soubory.h"
#include "fuzz/spolecne.h"

using namespace stanovar;

namespace {
void Precti(Stav& s, std::string_view obsah) {
  s.nastaveni.startovniAdresar = "/start/slozka";
  CtiNastaveni(s, obsah);
  // What start-up does after reading: the active values become the pending ones.
  Nastaveni& n = s.nastaveni;
  n.sirkaCaryNova = n.sirkaCary;
  n.pozadiNove = n.pozadi;
  n.poprediNove = n.popredi;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Svet a, b;
  Precti(a.stav, fuzz::Text(data, size));
  const std::string prvni = TextNastaveni(a.stav);
  Precti(b.stav, prvni);
  const Nastaveni& m = a.stav.nastaveni;
  const Nastaveni& n = b.stav.nastaveni;
  fuzz::Over(m.cestaSchema == n.cestaSchema && m.cestaGvd == n.cestaGvd &&
                 m.cestaLoko == n.cestaLoko && m.cestaJazyk == n.cestaJazyk,
             "paths read back");
  fuzz::Over(m.pozadi == n.pozadi && m.popredi == n.popredi && m.sirkaCary == n.sirkaCary,
             "display settings read back");
  fuzz::Over(TextNastaveni(b.stav) == prvni, "written again the same");
  return 0;
}
