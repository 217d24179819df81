#include "files/cteni.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/text.h"

namespace stanovar {

bool NactiSoubor(const std::string& cesta, std::string& obsah) {
  obsah.clear();
  if (cesta.empty()) return false;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(cesta, ec)) return false;
  std::FILE* f = std::fopen(cesta.c_str(), "rb");
  if (!f) return false;
  char buf[65536];
  bool chyba = false;
  while (obsah.size() < MaxVelikostSouboru) {
    std::size_t zbyva = MaxVelikostSouboru - obsah.size();
    std::size_t n = std::fread(buf, 1, zbyva < sizeof buf ? zbyva : sizeof buf, f);
    obsah.append(buf, n);
    if (n == 0) {
      chyba = std::ferror(f) != 0;
      break;
    }
  }
  std::fclose(f);
  // Nothing readable at all counts as a file that could not be opened.
  return !(chyba && obsah.empty());
}

std::vector<std::string_view> Radky(std::string_view obsah) {
  std::vector<std::string_view> r;
  std::size_t zacatek = 0;
  while (zacatek < obsah.size()) {
    std::size_t lf = obsah.find('\n', zacatek);
    std::size_t konec = lf == std::string_view::npos ? obsah.size() : lf;
    std::string_view radek = obsah.substr(zacatek, konec - zacatek);
    if (!radek.empty() && radek.back() == '\r') radek.remove_suffix(1);
    r.push_back(radek);
    if (lf == std::string_view::npos) break;
    zacatek = lf + 1;
  }
  return r;
}

std::string NormalizujCestu(std::string cesta) {
  for (auto& c : cesta)
    if (c == '\\') c = '/';
  return cesta;
}

bool OtevriDatovySoubor(Stav& s, const std::string& cesta, std::string& obsah) {
  obsah.clear();
  if (cesta.empty()) return false;
  if (!NactiSoubor(NormalizujCestu(cesta), obsah)) {
    Zprava(s, s.Text(36) + JmenoSouboru(cesta) + s.Text(37));
    return false;
  }
  return true;
}

namespace {
int PismenoSekce(char c) {
  if (c >= 'A' && c <= 'F') return c - 'A' + 1;
  if (c >= 'a' && c <= 'f') return c - 'a' + 1;
  return 0;
}
}  // namespace

void ProjdiZaznamy(std::string_view obsah, bool sekce, const std::function<void()>& novy,
                   const std::function<void(int, std::string_view)>& pole) {
  for (std::string_view radek : Radky(obsah)) {
    int cur = 0, prev = 0;
    std::size_t zacatek = 0, delka = 0;  // collected text: a run of the line's bytes
    const std::size_t n = radek.size();
    for (std::size_t i = 0; i < n; ++i) {
      const char c = radek[i];
      if (c == '#')
        ++cur;
      else if (sekce && c == '%')
        cur = PoleSekce;
      else if (c == '*')
        cur = 0;
      if (sekce && prev == PoleSekce && PismenoSekce(c)) cur = PoleSekce + PismenoSekce(c);
      if (cur == prev) {
        if (delka == 0) zacatek = i;
        ++delka;
      }
      if (cur != prev || i + 1 == n) {
        pole(prev, radek.substr(zacatek, delka));
        delka = 0;
      }
      if (c == '*') novy();
      prev = cur;
    }
  }
}

}  // namespace stanovar
