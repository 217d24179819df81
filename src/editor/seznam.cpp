#include "editor/seznam.h"

#include "files/cteni.h"
#include "model/kodovani.h"
#include "model/text.h"
#include "model/zaznamy.h"

namespace stanovar::editor {

namespace {

bool Grafikon(DruhSeznamu d) { return d == DruhSeznamu::Grafikon; }

// Slot of a file field number; 0 for the fields the reader ignores.
std::size_t Slot(DruhSeznamu d, int pole) {
  if (Grafikon(d)) {
    if (pole >= 1 && pole <= 7) return static_cast<std::size_t>(pole);
    if (pole >= PoleSekce + 1 && pole <= PoleSekce + 3) return static_cast<std::size_t>(pole - PoleSekce + 7);
    return 0;
  }
  return pole >= 1 && pole <= 10 ? static_cast<std::size_t>(pole) : 0;
}

// The characters that end a field's text.
bool Znacka(DruhSeznamu d, char c) { return c == '*' || c == '#' || (Grafikon(d) && c == '%'); }

// The text of field 0 on the line a record starts, from just after its "*": as far as the
// next field or the line's end, one CR before a line end (or the file's end) dropped as the
// reader drops it.
std::string Poznamka(DruhSeznamu d, std::string_view obsah, std::size_t hvezda) {
  std::size_t i = hvezda + 1;
  while (i < obsah.size() && obsah[i] != '\n' && !Znacka(d, obsah[i])) ++i;
  std::size_t k = i;
  if ((i == obsah.size() || obsah[i] == '\n') && k > hvezda + 1 && obsah[k - 1] == '\r') --k;
  return std::string(obsah.substr(hvezda + 1, k - hvezda - 1));
}

std::string Kanonicky(DruhSeznamu d, const Zaznam& z) {
  const std::size_t poli = Grafikon(d) ? 7 : PocetPoliZaznamu;
  std::size_t n = poli;
  while (n > 0 && z.pole[n].empty()) --n;
  std::string t = "*" + z.poznamka;
  for (std::size_t i = 1; i <= n; ++i) t += "#" + z.pole[i];
  if (Grafikon(d))
    for (std::size_t i = 8; i <= 10; ++i)
      if (!z.pole[i].empty()) t += std::string("%") + static_cast<char>('A' + (i - 8)) + z.pole[i];
  return t + "\r\n";
}

std::string Utf8(std::string_view t) { return Cp1250NaUtf8(t); }

}  // namespace

int CisloPoleSouboru(DruhSeznamu d, std::size_t slot) {
  if (Grafikon(d) && slot >= 8) return PoleSekce + static_cast<int>(slot) - 7;
  return static_cast<int>(slot);
}

bool Seznam::operator==(const Seznam& o) const {
  if (druh != o.druh || uvod != o.uvod || zaznamy.size() != o.zaznamy.size()) return false;
  for (std::size_t i = 0; i < zaznamy.size(); ++i)
    if (!zaznamy[i].stejny(o.zaznamy[i])) return false;
  return true;
}

Seznam CtiSeznam(DruhSeznamu druh, std::string_view obsah) {
  Seznam s;
  s.druh = druh;
  // Each "*" byte starts the next record, as the reader's walk through the lines meets them.
  std::vector<std::size_t> hvezdy;
  for (std::size_t i = 0; i < obsah.size(); ++i)
    if (obsah[i] == '*') hvezdy.push_back(i);
  s.uvod = std::string(obsah.substr(0, hvezdy.empty() ? obsah.size() : hvezdy.front()));
  s.zaznamy.resize(hvezdy.size());
  for (std::size_t k = 0; k < hvezdy.size(); ++k) {
    Zaznam& z = s.zaznamy[k];
    const std::size_t konec = k + 1 < hvezdy.size() ? hvezdy[k + 1] : obsah.size();
    z.puvodni = std::string(obsah.substr(hvezdy[k], konec - hvezdy[k]));
    z.posledni = k + 1 == hvezdy.size();
    z.nezmeneny = true;
    z.poznamka = Poznamka(druh, obsah, hvezdy[k]);
  }
  // The fields as the reader applies them: a later text of a field replaces an earlier one.
  int plneny = -1;
  ProjdiZaznamy(
      obsah, Grafikon(druh), [&] { ++plneny; },
      [&](int pole, std::string_view t) {
        const std::size_t slot = Slot(druh, pole);
        if (plneny >= 0 && slot && !PrazdnePole(t)) s.zaznamy[static_cast<std::size_t>(plneny)].pole[slot] = std::string(t);
      });
  return s;
}

std::string ZapisSeznam(const Seznam& s) {
  std::string ven = s.uvod;
  for (std::size_t i = 0; i < s.zaznamy.size(); ++i) {
    const Zaznam& z = s.zaznamy[i];
    const bool posledni = i + 1 == s.zaznamy.size();
    const bool cr = !z.puvodni.empty() && z.puvodni.back() == '\r';
    if (z.nezmeneny && !(cr && z.posledni != posledni)) {
      ven += z.puvodni;
      continue;
    }
    // A record written anew starts a line of its own; the line end only ends the text before
    // it, as its "*" would.
    if (i > 0 && !ven.empty() && ven.back() != '\n') ven += "\r\n";
    ven += Kanonicky(s.druh, z);
  }
  return ven;
}

Zaznam NovyZaznam(const std::vector<std::string>& pole, std::string poznamka) {
  Zaznam z;
  z.poznamka = std::move(poznamka);
  for (std::size_t i = 0; i < pole.size() && i < PocetPoliZaznamu; ++i) z.pole[i + 1] = pole[i];
  return z;
}

std::string PlatnyText(DruhSeznamu d, std::string_view t) {
  std::string r;
  for (char c : t)
    if (c != '\r' && c != '\n' && !Znacka(d, c)) r += c;
  return PrazdnePole(r) ? std::string() : r;
}

Posudek PosudPole(DruhSeznamu d, std::size_t slot, std::string_view text) {
  Posudek p;
  const bool grafikon = Grafikon(d);
  // The reader gives a field of nothing but blanks no value: the record keeps its default.
  if (PrazdnePole(text)) return p;
  auto nazev = [&](std::size_t n, bool velka) {
    p.hodnota = velka ? VelkaPismena(text.substr(0, n)) : std::string(text.substr(0, n));
    if (text.size() > n) {
      p.vada = true;
      p.zprava = "longer than " + std::to_string(n) + " characters: read as \"" + Utf8(p.hodnota) + "\"";
    }
  };
  if (grafikon && (slot == 2 || slot == 3)) {
    nazev(8, true);
  } else if (grafikon && slot == 7) {
    nazev(4, false);
  } else if (!grafikon && slot == 1) {
    nazev(8, true);
  } else if (!grafikon && slot >= 7) {
    // Blanks after a real are not part of it; anything else that is no number gives the
    // field's default.
    const RLoko v{};
    const double vychozi[] = {v.odporA, v.odporB, v.odporC, v.soucinitelHmot};
    const double def = vychozi[slot - 7];
    std::string_view t = text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    const double x = PrevedReal(t, def);
    p.hodnota = RealNaText(x);
    if (PrevedReal(t, -1e300) == -1e300 && PrevedReal(t, 1e300) == 1e300) {
      p.vada = true;
      p.zprava = "not a number: the default " + p.hodnota + " is used";
    }
  } else {
    bool platne = false;
    const int v = PrevedCislo(text, &platne);
    p.hodnota = std::to_string(v);
    // Blanks after the digits end the number where it ends anyway; a sign before them would
    // be lost, which the trimmed text tells.
    std::string_view t = text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
    bool platneBezMezer = false;
    const int w = PrevedCislo(t, &platneBezMezer);
    if (!platne && !(platneBezMezer && w == v)) {
      p.vada = true;
      std::size_t i = 0;
      while (i < t.size() && (t[i] == ' ' || t[i] == '\t' || t[i] == '+' || t[i] == '-')) ++i;
      const bool cislice = i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '$');
      p.zprava = cislice ? "read as " + p.hodnota + ": what follows the number is cut off"
                         : "not a number: read as 0";
    }
  }
  return p;
}

}  // namespace stanovar::editor
