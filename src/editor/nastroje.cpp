#include "editor/nastroje.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

#include "model/text.h"
#include "model/zaznamy.h"

namespace stanovar::editor {

namespace {

int DolniPodil(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

double KUsecce(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double l2 = dx * dx + dy * dy;
  const double t = l2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / l2, 0.0, 1.0) : 0.0;
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// A label's box as the drawing places it, its width estimated from the font size: points at
// 96 dots per inch, an average glyph a little over half as wide as the font is high.
void BoxPopisku(const RadekSchematu& r, int& l, int& t, int& pr, int& b) {
  const int velikost = r.cislo(6) > 0 ? r.cislo(6) : 9;
  const int px = velikost * 4 / 3;
  l = r.cislo(1);
  t = r.cislo(3) - 3 - velikost / 2;
  pr = l + static_cast<int>(Orez(r.pole[5], 30).size()) * px * 11 / 20;
  b = t + px;
}

// Platforms are drawn midway between their row and the next.
Poloha Kresba(const RadekSchematu& r) {
  Poloha p = PolohaRadku(r);
  if (r.druh == '5') p.y1 = p.y2 = p.y1 + gy / 2;
  return p;
}

std::string VolneCisloKoleje(const Dokument& d) {
  std::set<std::string> cisla;
  for (const RadekSchematu& r : d.radky)
    if (r.druh == '1') cisla.insert(r.pole[7]);
  int n = 1;
  while (cisla.count(std::to_string(n))) ++n;
  return std::to_string(n);
}

std::string VolneJmenoTrati(const Dokument& d) {
  std::set<std::string> jmena;
  for (const RadekSchematu& r : d.radky)
    if (r.druh == '6') jmena.insert(Jmeno8(r.pole[4]));
  int n = 1;
  while (jmena.count("TRAT" + std::to_string(n))) ++n;
  return "TRAT" + std::to_string(n);
}

std::string T(int v) { return std::to_string(v); }

}  // namespace

Bod NaMrizku(int x, int y) {
  return {DolniPodil(x + gx / 2, gx) * gx, DolniPodil(y + gy / 2, gy) * gy};
}

std::optional<std::size_t> PrvekVBode(const Dokument& d, int x, int y, int tolerance) {
  // (class, distance, -line): signals and line ends first, then the nearest, then the later.
  std::optional<std::tuple<int, double, long long>> nejlepsi;
  std::optional<std::size_t> vysledek;
  for (std::size_t i = 0; i < d.radky.size(); ++i) {
    const RadekSchematu& r = d.radky[i];
    const Poloha p = Kresba(r);
    if (!p.plati) continue;
    int trida = 1;
    double vzdalenost = 0;
    double dosah = tolerance;
    switch (r.druh) {
      case '3':
      case '6':
        trida = 0;
        vzdalenost = std::hypot(x - p.x1, y - p.y1);
        dosah = std::max(tolerance, gx);
        break;
      case '4': {
        int l, t, pr, b;
        BoxPopisku(r, l, t, pr, b);
        vzdalenost = std::hypot(std::max({l - x, 0, x - pr}), std::max({t - y, 0, y - b}));
        break;
      }
      default: vzdalenost = KUsecce(x, y, p.x1, p.y1, p.x2, p.y2); break;
    }
    if (vzdalenost > dosah) continue;
    const auto klic = std::make_tuple(trida, vzdalenost, -static_cast<long long>(i));
    if (!nejlepsi || klic < *nejlepsi) {
      nejlepsi = klic;
      vysledek = i;
    }
  }
  return vysledek;
}

std::set<std::size_t> PrvkyVObdelniku(const Dokument& d, int l, int t, int r, int b) {
  std::set<std::size_t> v;
  auto uvnitr = [&](int x, int y) { return x >= l && x <= r && y >= t && y <= b; };
  for (std::size_t i = 0; i < d.radky.size(); ++i) {
    const Poloha p = Kresba(d.radky[i]);
    if (p.plati && uvnitr(p.x1, p.y1) && uvnitr(p.x2, p.y2)) v.insert(i);
  }
  return v;
}

bool StredRadku(const RadekSchematu& r, Bod& stred) {
  const Poloha p = Kresba(r);
  if (!p.plati) return false;
  // Halves of sums that may not fit an int.
  stred = {static_cast<int>((static_cast<long long>(p.x1) + p.x2) / 2),
           static_cast<int>((static_cast<long long>(p.y1) + p.y2) / 2)};
  return true;
}

std::optional<RadekSchematu> NovyPrvek(const Dokument& d, Nastroj n, int x1, int y1, int x2,
                                       int y2, const std::string& jmeno) {
  const Bod a = NaMrizku(x1, y1), b = NaMrizku(x2, y2);
  const int l = std::min(a.x, b.x), r = std::max(a.x, b.x);
  switch (n) {
    case Nastroj::Kolej:
      if (l == r) return std::nullopt;
      // 15 m a grid column: a track across the picture's middle holds a long train.
      return NovyRadek('1', {T(l), T(a.y), T(r), T(a.y), "0", T((r - l) / gx * 15),
                             VolneCisloKoleje(d), "80", "0"});
    case Nastroj::Spojka: {
      Bod p = a, q = b;
      if (q.x < p.x) std::swap(p, q);
      const int dx = q.x - p.x, dy = q.y - p.y;
      // The shape nearest to the gesture: horizontal, vertical, or k rows over k columns.
      const int k = std::max(1, static_cast<int>(std::lround((dx / double(gx) + std::abs(dy) / double(gy)) / 2)));
      const int sy = dy < 0 ? -1 : 1;
      const struct {
        int dx, dy;
      } tvary[] = {{dx, 0}, {k * gx, sy * k * gy}, {0, dy}};
      std::size_t nej = 0;
      for (std::size_t i = 1; i < 3; ++i)
        if (std::hypot(tvary[i].dx - dx, tvary[i].dy - dy) < std::hypot(tvary[nej].dx - dx, tvary[nej].dy - dy))
          nej = i;
      q = {p.x + tvary[nej].dx, p.y + tvary[nej].dy};
      if (p == q) return std::nullopt;
      if (nej == 2 && q.y < p.y) std::swap(p, q);  // a vertical one from its upper end
      const bool rovna = nej == 0;
      const int delka = rovna ? std::max(10, dx / gx * 10) : nej == 1 ? 20 * k : std::max(10, std::abs(dy) / gy * 10);
      return NovyRadek('2', {T(p.x), T(p.y), T(q.x), T(q.y), "", T(delka), rovna ? "80" : "40", "0", "1"});
    }
    case Nastroj::Navestidlo: return NovyRadek('3', {T(a.x), T(a.y)});
    case Nastroj::KonecTrati: return NovyRadek('6', {T(a.x), T(a.y), "", VolneJmenoTrati(d), "", "3"});
    case Nastroj::Nastupiste:
      if (l == r) return std::nullopt;
    {
      const std::string nazev = Jmeno8(PlatnePole(jmeno));
      return NovyRadek('5', {T(l), T(r), T(DolniPodil(y1, gy) * gy), "0", nazev.empty() ? "STANICE" : nazev});
    }
    case Nastroj::Popisek: {
      const std::string text = Orez(PlatnePole(jmeno), 30);
      return NovyRadek('4', {T(a.x), "0", T(a.y), "0", text.empty() ? "?" : text, "9"});
    }
  }
  return std::nullopt;
}

Krok Umisti(const Dokument& d, const std::vector<RadekSchematu>& radky, std::string popis,
            std::set<std::size_t>* nove) {
  std::size_t kolej = d.radky.size();
  std::optional<std::size_t> posledni;
  for (std::size_t i = 0; i < d.radky.size(); ++i) {
    const char k = d.radky[i].druh;
    if (k == '1') posledni = i;
    if ((k == '3' || k == '5' || k == '6') && kolej == d.radky.size()) kolej = i;
  }
  if (posledni) kolej = *posledni + 1;
  // As Pridej makes them (canonical lines), then each moved to its place: the tracks in
  // their order from `kolej` on, the others after everything.
  Krok k = Pridej(d, radky, std::move(popis));
  std::size_t dalsiKolej = kolej, konec = d.radky.size();
  for (Zmena& z : k.zmeny) z.kde = z.po->druh == '1' ? dalsiKolej++ : 0;
  konec += dalsiKolej - kolej;
  for (Zmena& z : k.zmeny)
    if (z.po->druh != '1') z.kde = konec++;
  if (nove) {
    nove->clear();
    for (const Zmena& z : k.zmeny) nove->insert(z.kde);
  }
  // Inserted in that order, each index names the place its line has when it goes in.
  std::stable_sort(k.zmeny.begin(), k.zmeny.end(), [](const Zmena& a, const Zmena& b) { return a.kde < b.kde; });
  return k;
}

Krok Vloz(const Dokument& d, std::vector<RadekSchematu> radky, int dx, int dy,
          std::set<std::size_t>* nove) {
  Dokument kopie;
  kopie.radky = std::move(radky);
  std::set<std::size_t> vse;
  for (std::size_t i = 0; i < kopie.radky.size(); ++i) vse.insert(i);
  Proved(Soubory(kopie), Posun(kopie, vse, dx, dy));
  return Umisti(d, kopie.radky, "Paste", nove);
}

}  // namespace stanovar::editor
