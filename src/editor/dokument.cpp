#include "editor/dokument.h"

#include "model/text.h"

namespace stanovar::editor {

int RadekSchematu::cislo(std::size_t i) const { return PrevedCislo(pole[i]); }

void RadekSchematu::nastav(std::size_t i, int hodnota) {
  pole[i] = std::to_string(hodnota);
  nezmeneny = false;
}

bool Dokument::operator==(const Dokument& o) const {
  if (radky.size() != o.radky.size()) return false;
  for (std::size_t i = 0; i < radky.size(); ++i)
    if (!radky[i].stejny(o.radky[i])) return false;
  return true;
}

namespace {

// The head and fields of one line, as the reader splits it.
void Rozdel(std::string_view radek, char& druh, std::array<std::string, PocetPoli + 1>& pole) {
  std::size_t p = radek.find(Oddelovac);
  const std::string_view hlava = radek.substr(0, p);
  if (!hlava.empty()) druh = hlava.back();
  for (auto& x : pole) x.clear();
  for (std::size_t i = 1; i <= PocetPoli && p != std::string_view::npos; ++i) {
    const std::size_t z = p + 1;
    p = radek.find(Oddelovac, z);
    pole[i] = std::string(radek.substr(z, p == std::string_view::npos ? std::string_view::npos : p - z));
  }
}

bool PrazdnaHlava(std::string_view radek) { return radek.empty() || radek.front() == Oddelovac; }

std::string Kanonicky(const RadekSchematu& r) {
  std::size_t n = PocetPoli;
  while (n > 0 && r.pole[n].empty()) --n;
  std::string t(1, r.druh);
  for (std::size_t i = 1; i <= n; ++i) {
    t += Oddelovac;
    t += r.pole[i];
  }
  return t;
}

}  // namespace

Dokument CtiDokument(std::string_view obsah) {
  Dokument d;
  char druh = ' ';
  std::size_t z = 0;
  while (z < obsah.size()) {
    const std::size_t lf = obsah.find('\n', z);
    std::size_t k = lf == std::string_view::npos ? obsah.size() : lf;
    // The reader drops one CR before the line's end, and at the very end of the file too.
    const bool cr = k > z && obsah[k - 1] == '\r';
    if (cr) --k;
    RadekSchematu r;
    r.konec = std::string(cr ? "\r" : "") + (lf == std::string_view::npos ? "" : "\n");
    r.puvodni = std::string(obsah.substr(z, k - z));
    Rozdel(r.puvodni, druh, r.pole);
    r.druh = druh;
    r.nezmeneny = true;
    d.radky.push_back(std::move(r));
    z = lf == std::string_view::npos ? obsah.size() : lf + 1;
  }
  return d;
}

std::string ZapisDokument(const Dokument& d) {
  std::string ven;
  char druh = ' ';
  for (std::size_t i = 0; i < d.radky.size(); ++i) {
    const RadekSchematu& r = d.radky[i];
    const bool puvodne = r.nezmeneny && (!PrazdnaHlava(r.puvodni) || druh == r.druh);
    ven += puvodne ? r.puvodni : Kanonicky(r);
    druh = r.druh;
    const bool posledni = i + 1 == d.radky.size();
    // A line that was last without an end gets one when lines follow it now.
    if (!puvodne || ((r.konec.empty() || r.konec.back() != '\n') && !posledni))
      ven += "\r\n";
    else
      ven += r.konec;
  }
  return ven;
}

RadekSchematu NovyRadek(char druh, const std::vector<std::string>& pole) {
  RadekSchematu r;
  r.druh = druh;
  for (std::size_t i = 0; i < pole.size() && i < PocetPoli; ++i) r.pole[i + 1] = pole[i];
  return r;
}

Poloha PolohaRadku(const RadekSchematu& r) {
  Poloha p;
  p.plati = true;
  switch (r.druh) {
    case '1':
    case '2':
      p = {r.cislo(1), r.cislo(2), r.cislo(3), r.cislo(4), true};
      break;
    case '3':
    case '6':
      p = {r.cislo(1), r.cislo(2), r.cislo(1), r.cislo(2), true};
      break;
    case '4':
      p = {r.cislo(1), r.cislo(3), r.cislo(1), r.cislo(3), true};
      break;
    case '5':
      p = {r.cislo(1), r.cislo(3), r.cislo(2), r.cislo(3), true};
      break;
    default:
      p.plati = false;
      break;
  }
  return p;
}

}  // namespace stanovar::editor
