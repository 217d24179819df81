#include "editor/upravy.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "model/text.h"

namespace stanovar::editor {

namespace {

// One change forwards (tam) or backwards, on whichever list holds its lines or records.
template <class T, class Z>
void Uprav(std::vector<T>& v, const Z& z, bool tam) {
  const auto& pred = tam ? z.pred : z.po;
  const auto& po = tam ? z.po : z.pred;
  if (!pred)
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(z.kde), *po);
  else if (!po)
    v.erase(v.begin() + static_cast<std::ptrdiff_t>(z.kde));
  else
    v[z.kde] = *po;
}

}  // namespace

void Proved(const Soubory& d, const Krok& k) {
  for (const Zmena& z : k.zmeny) Uprav(d.schema().radky, z, true);
  for (const ZmenaZaznamu& z : k.zaznamy)
    if (Seznam* s = d.seznam(z.seznam)) Uprav(s->zaznamy, z, true);
}

void Vrat(const Soubory& d, const Krok& k) {
  for (auto it = k.zaznamy.rbegin(); it != k.zaznamy.rend(); ++it)
    if (Seznam* s = d.seznam(it->seznam)) Uprav(s->zaznamy, *it, false);
  for (auto it = k.zmeny.rbegin(); it != k.zmeny.rend(); ++it) Uprav(d.schema().radky, *it, false);
}

std::string PlatnePole(std::string_view t) {
  std::string r;
  for (char c : t)
    if (c != '\r' && c != '\n' && c != Oddelovac) r += c;
  return r;
}

Krok Pridej(const Dokument& d, const std::vector<RadekSchematu>& radky, std::string popis) {
  Krok k{std::move(popis), {}, {}};
  std::size_t kde = d.radky.size();
  for (RadekSchematu r : radky) {
    r.nezmeneny = false;
    r.puvodni.clear();
    r.konec = "\r\n";
    k.zmeny.push_back({kde++, std::nullopt, std::move(r)});
  }
  return k;
}

Krok Smaz(const Dokument& d, const std::set<std::size_t>& radky) {
  Krok k{"Delete", {}, {}};
  // From the last, so that each index still names its line when it is removed.
  for (auto it = radky.rbegin(); it != radky.rend(); ++it)
    if (*it < d.radky.size()) k.zmeny.push_back({*it, d.radky[*it], std::nullopt});
  return k;
}

namespace {

// The coordinate fields of a line's kind: x fields and y fields.
struct Souradnice {
  std::vector<std::size_t> x, y;
};
Souradnice SouradniceDruhu(char druh) {
  switch (druh) {
    case '1':
    case '2': return {{1, 3}, {2, 4}};
    case '3':
    case '6': return {{1}, {2}};
    case '4': return {{1}, {3}};
    case '5': return {{1, 2}, {3}};
    default: return {};
  }
}

// A field moved by d, written canonically.
void Pricti(RadekSchematu& r, std::size_t i, int d) {
  const long long v = static_cast<long long>(r.cislo(i)) + d;
  r.nastav(i, static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
}

}  // namespace

Krok Posun(const Dokument& d, const std::set<std::size_t>& radky, int dx, int dy) {
  Krok k{"Move", {}, {}};
  if (dx == 0 && dy == 0) return k;
  for (std::size_t i : radky) {
    if (i >= d.radky.size()) continue;
    const Souradnice s = SouradniceDruhu(d.radky[i].druh);
    if (s.x.empty()) continue;
    RadekSchematu r = d.radky[i];
    for (std::size_t p : s.x) Pricti(r, p, dx);
    for (std::size_t p : s.y) Pricti(r, p, dy);
    k.zmeny.push_back({i, d.radky[i], std::move(r)});
  }
  return k;
}

Krok Zrcadli(const Dokument& d, const std::set<std::size_t>& radky) {
  Krok k{"Mirror", {}, {}};
  int lo = INT_MAX, hi = INT_MIN;
  for (std::size_t i : radky) {
    if (i >= d.radky.size()) continue;
    const Poloha p = PolohaRadku(d.radky[i]);
    if (!p.plati) continue;
    lo = std::min({lo, p.x1, p.x2});
    hi = std::max({hi, p.x1, p.x2});
  }
  if (lo > hi) return k;
  const long long soucet = static_cast<long long>(lo) + hi;
  auto obraz = [&](int x) { return static_cast<int>(std::clamp<long long>(soucet - x, INT_MIN, INT_MAX)); };
  for (std::size_t i : radky) {
    if (i >= d.radky.size()) continue;
    RadekSchematu r = d.radky[i];
    switch (r.druh) {
      case '1':
      case '2': {
        const int x1 = r.cislo(1), y1 = r.cislo(2), x2 = r.cislo(3), y2 = r.cislo(4);
        r.nastav(1, obraz(x2));
        r.nastav(2, y2);
        r.nastav(3, obraz(x1));
        r.nastav(4, y1);
        break;
      }
      case '3':
      case '4':
      case '6': r.nastav(1, obraz(r.cislo(1))); break;
      case '5': {
        const int x1 = r.cislo(1), x2 = r.cislo(2);
        r.nastav(1, obraz(x2));
        r.nastav(2, obraz(x1));
        break;
      }
      default: continue;
    }
    k.zmeny.push_back({i, d.radky[i], std::move(r)});
  }
  return k;
}

Krok ZmenPole(const Dokument& d, std::size_t radek, std::size_t pole, const std::string& hodnota) {
  Krok k{"Change", {}, {}};
  if (radek >= d.radky.size() || pole < 1 || pole > PocetPoli) return k;
  const std::string h = PlatnePole(hodnota);
  if (d.radky[radek].pole[pole] == h) return k;
  RadekSchematu r = d.radky[radek];
  r.pole[pole] = h;
  r.nezmeneny = false;
  k.zmeny.push_back({radek, d.radky[radek], std::move(r)});
  return k;
}

Krok Spoj(std::vector<Krok> kroky, std::string popis) {
  Krok k{std::move(popis), {}, {}};
  for (Krok& x : kroky) {
    for (Zmena& z : x.zmeny) k.zmeny.push_back(std::move(z));
    for (ZmenaZaznamu& z : x.zaznamy) k.zaznamy.push_back(std::move(z));
  }
  return k;
}

namespace {
// A record as a step puts it in: written anew when saved, and only with texts the file can
// hold, so that what is written reads back as the list.
Zaznam Novy(DruhSeznamu d, Zaznam z) {
  z.nezmeneny = false;
  z.puvodni.clear();
  z.poznamka = PlatnyText(d, z.poznamka);
  for (std::string& p : z.pole) p = PlatnyText(d, p);
  return z;
}
}  // namespace

Krok PridejZaznamy(const Seznam& s, std::size_t kde, const std::vector<Zaznam>& zaznamy, std::string popis) {
  Krok k{std::move(popis), {}, {}};
  kde = std::min(kde, s.zaznamy.size());
  for (const Zaznam& z : zaznamy) k.zaznamy.push_back({s.druh, kde++, std::nullopt, Novy(s.druh, z)});
  return k;
}

Krok SmazZaznamy(const Seznam& s, const std::set<std::size_t>& zaznamy) {
  Krok k{"Delete", {}, {}};
  for (auto it = zaznamy.rbegin(); it != zaznamy.rend(); ++it)
    if (*it < s.zaznamy.size()) k.zaznamy.push_back({s.druh, *it, s.zaznamy[*it], std::nullopt});
  return k;
}

Krok ZmenPoleZaznamu(const Seznam& s, std::size_t zaznam, std::size_t slot, const std::string& hodnota) {
  Krok k{"Change", {}, {}};
  if (zaznam >= s.zaznamy.size() || slot > PocetPoliZaznamu) return k;
  const std::string h = PlatnyText(s.druh, hodnota);
  const Zaznam& z = s.zaznamy[zaznam];
  if ((slot == 0 ? z.poznamka : z.pole[slot]) == h) return k;
  Zaznam n = Novy(s.druh, z);
  (slot == 0 ? n.poznamka : n.pole[slot]) = h;
  k.zaznamy.push_back({s.druh, zaznam, z, std::move(n)});
  return k;
}

Krok ZdvojZaznamy(const Seznam& s, const std::set<std::size_t>& zaznamy, std::set<std::size_t>* nove) {
  std::vector<Zaznam> kopie;
  std::set<int> cisla;
  for (const Zaznam& z : s.zaznamy) cisla.insert(PrevedCislo(z.pole[1]));
  for (std::size_t i : zaznamy) {
    if (i >= s.zaznamy.size()) continue;
    Zaznam z = s.zaznamy[i];
    if (s.druh == DruhSeznamu::Grafikon) {
      int c = PrevedCislo(z.pole[1]);
      while (c < INT_MAX && cisla.count(c)) ++c;
      cisla.insert(c);
      z.pole[1] = std::to_string(c);
    }
    kopie.push_back(std::move(z));
  }
  const std::size_t kde = zaznamy.empty() ? s.zaznamy.size() : std::min(*zaznamy.rbegin() + 1, s.zaznamy.size());
  if (nove)
    for (std::size_t i = 0; i < kopie.size(); ++i) nove->insert(kde + i);
  return PridejZaznamy(s, kde, kopie, "Duplicate");
}

Krok SeradZaznamy(const Seznam& s, const std::vector<std::size_t>& poradi) {
  Krok k{"Sort", {}, {}};
  std::vector<bool> videno(s.zaznamy.size());
  for (std::size_t i : poradi)
    if (i >= videno.size() || videno[i]) return k;
    else videno[i] = true;
  if (poradi.size() != s.zaznamy.size()) return k;
  bool stejne = true;
  for (std::size_t i = 0; i < poradi.size(); ++i) stejne = stejne && poradi[i] == i;
  if (stejne) return k;
  for (std::size_t i = s.zaznamy.size(); i-- > 0;) k.zaznamy.push_back({s.druh, i, s.zaznamy[i], std::nullopt});
  for (std::size_t i = 0; i < poradi.size(); ++i) k.zaznamy.push_back({s.druh, i, std::nullopt, s.zaznamy[poradi[i]]});
  return k;
}

void Historie::proved(const Soubory& d, Krok k) {
  if (k.prazdny()) return;
  Proved(d, k);
  if (ulozeno_ > static_cast<long long>(zpet_.size())) ulozeno_ = -1;
  zpet_.push_back(std::move(k));
  znovu_.clear();
}

bool Historie::zpet(const Soubory& d) {
  if (zpet_.empty()) return false;
  Vrat(d, zpet_.back());
  znovu_.push_back(std::move(zpet_.back()));
  zpet_.pop_back();
  return true;
}

bool Historie::znovu(const Soubory& d) {
  if (znovu_.empty()) return false;
  Proved(d, znovu_.back());
  zpet_.push_back(std::move(znovu_.back()));
  znovu_.pop_back();
  return true;
}

}  // namespace stanovar::editor
