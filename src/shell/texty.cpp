#include "shell/texty.h"

#include "files/cteni.h"
#include "model/stav.h"
#include "model/text.h"
#include "model/vychozi_texty.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

namespace {
// UTF-8 here: these never pass through a windows-1250 file.
constexpr const char* Cesky[] = {"&Zobrazen\u00ed", "&Zv\u011bt\u0161it", "Z&men\u0161it",
                                 "&Skute\u010dn\u00e1 velikost",
                                 "&Barvy pro poruchy barvocitu"};
constexpr const char* Anglicky[] = {"&View", "Zoom &in", "Zoom &out", "&Actual size",
                                    "Colour-&blind palette"};
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
    const int n = PrevedCislo(radek.substr(0, 3)) - 38;
    if (n < 0 || n >= Pocet || radek.size() <= 3) continue;
    texty_[static_cast<std::size_t>(n)] = std::string(radek.substr(3, 200));
  }
}

QString DalsiTexty::text(DalsiText t) const {
  const auto n = static_cast<std::size_t>(static_cast<int>(t) - 38);
  if (n >= texty_.size()) return {};
  if (!texty_[n].empty()) return ZBajtu(texty_[n]);
  return QString::fromUtf8(cesky_ ? Cesky[n] : Anglicky[n]);
}

}  // namespace stanovar::shell
