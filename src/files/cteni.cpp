#include "files/cteni.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "model/text.h"

namespace stanovar {

Nacteni CtiProud(std::FILE* f, std::string& obsah, std::size_t velikost) {
  obsah.clear();
  // Reserved up front, so a large file is not copied over and over as it grows.
  obsah.reserve(velikost < MaxVelikostSouboru ? velikost : MaxVelikostSouboru);
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
  if (!chyba) return Nacteni::Precteno;
  // Nothing readable at all counts as a file that could not be opened.
  const bool nic = obsah.empty();
  obsah.clear();
  obsah.shrink_to_fit();
  return nic ? Nacteni::NelzeOtevrit : Nacteni::ChybaCteni;
}

Nacteni CtiSoubor(const std::string& cesta, std::string& obsah, Prostredi* prostredi) {
  obsah.clear();
  if (cesta.empty()) return Nacteni::NelzeOtevrit;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(cesta, ec)) return Nacteni::NelzeOtevrit;
  std::uintmax_t velikost = std::filesystem::file_size(cesta, ec);
  if (ec) velikost = 0;
  std::FILE* f = prostredi ? prostredi->otevriProCteni(cesta) : std::fopen(cesta.c_str(), "rb");
  if (!f) return Nacteni::NelzeOtevrit;
  Nacteni r = CtiProud(f, obsah, static_cast<std::size_t>(velikost));
  std::fclose(f);
  return r;
}

void Radky::iterator::najdi() {
  if (zacatek_ >= obsah_.size()) {
    zacatek_ = obsah_.size();
    return;
  }
  std::size_t lf = obsah_.find('\n', zacatek_);
  std::size_t konec = lf == std::string_view::npos ? obsah_.size() : lf;
  radek_ = obsah_.substr(zacatek_, konec - zacatek_);
  if (!radek_.empty() && radek_.back() == '\r') radek_.remove_suffix(1);
  dalsi_ = lf == std::string_view::npos ? obsah_.size() : lf + 1;
}

std::string NormalizujCestu(std::string cesta) {
  for (auto& c : cesta)
    if (c == '\\') c = '/';
  return cesta;
}

bool OtevriDatovySoubor(Stav& s, const std::string& cesta, std::string& obsah, bool* chybaCteni) {
  obsah.clear();
  if (chybaCteni) *chybaCteni = false;
  if (cesta.empty()) return false;
  Nacteni r = CtiSoubor(NormalizujCestu(cesta), obsah, s.prostredi);
  if (r == Nacteni::Precteno) return true;
  if (chybaCteni) *chybaCteni = r == Nacteni::ChybaCteni;
  ZpravaOSouboru(s, cesta);
  return false;
}

void ZpravaOSouboru(Stav& s, const std::string& cesta) {
  if (!s.prostredi) return;
  s.zpravaOtevrena = true;
  s.prostredi->zpravaOSouboru(s.Text(36), JmenoSouboru(cesta), s.Text(37));
  s.zpravaOtevrena = false;
}

bool PrazdnePole(std::string_view t) {
  for (char c : t)
    if (c != ' ' && c != '\t') return false;
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
