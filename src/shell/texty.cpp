#include "shell/texty.h"

#include "files/cteni.h"
#include "model/stav.h"
#include "model/text.h"
#include "model/vychozi_texty.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

namespace {
struct Vychozi {
  DalsiText cislo;
  const char* cesky;  // UTF-8 here: these never pass through a windows-1250 file
  const char* anglicky;
};
constexpr Vychozi Tabulka[] = {
    {DalsiText::MenuZobrazeni, "&Zobrazen\u00ed", "&View"},
    {DalsiText::Zvetsit, "&Zv\u011bt\u0161it", "Zoom &in"},
    {DalsiText::Zmensit, "Z&men\u0161it", "Zoom &out"},
    {DalsiText::SkutecnaVelikost, "&Skute\u010dn\u00e1 velikost", "&Actual size"},
    {DalsiText::Barvoslepa, "&Barvy pro poruchy barvocitu", "Colour-&blind palette"},
};
}  // namespace

void DalsiTexty::nacti(const Stav& s) {
  std::string obsah;
  if (!s.nastaveni.cestaJazyk.empty()) CtiSoubor(s.nastaveni.cestaJazyk, obsah);
  // The Czech file's menu is the built-in one; any other language is more likely read by
  // someone who reads English than Czech.
  nacti(obsah, s.nastaveni.cestaJazyk.empty() || s.Text(2) == VychoziText(2));
}

void DalsiTexty::nacti(std::string_view obsah, bool cesky) {
  cesky_ = cesky;
  texty_ = {};
  for (std::string_view radek : Radky(obsah)) {
    const int n = PrevedCislo(radek.substr(0, 3)) - Prvni;
    if (n < 0 || n >= Pocet || radek.size() <= 3) continue;
    texty_[static_cast<std::size_t>(n)] = std::string(radek.substr(3, 200));
  }
}

QString DalsiTexty::text(DalsiText t) const {
  const auto n = static_cast<std::size_t>(static_cast<int>(t) - Prvni);
  if (n >= texty_.size()) return {};
  if (!texty_[n].empty()) return ZBajtu(texty_[n]);
  for (const Vychozi& v : Tabulka)
    if (v.cislo == t) return QString::fromUtf8(cesky_ ? v.cesky : v.anglicky);
  return {};
}

}  // namespace stanovar::shell
