#include "model/indexy.h"

#include <algorithm>

#include "model/seznamy.h"

namespace stanovar {

namespace {

// Tracks a row may gather before they are merged into its ordered part. Merging costs the
// length of the row, so a long row that is only being filled gathers a share of its length;
// a look-up reads the gathered ones one by one, so it merges them first when there are more
// than a few.
std::size_t MaxNovych(std::size_t radek) { return std::max<std::size_t>(16, radek / 32); }
constexpr std::size_t MaxNovychProHledani = 8;

constexpr int SirkaBunky = 4 * gx;
constexpr int VyskaBunky = gy;
// A connector that would be filed under more cells than this is kept among the wide ones,
// which every look-up examines; only a damaged file has them.
constexpr std::int64_t MaxBunek = 256;

std::int64_t Dolu(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && (a < 0)); }

std::int64_t Klic(std::int64_t a, std::int64_t b) {
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(a) << 32) ^
                                   static_cast<std::uint32_t>(b));
}

bool Diagonalni(const RKolej& c) { return c.x1 != c.x2 && c.y1 != c.y2; }

// Whether c lies exactly on a line of slope smer * gy / gx through its first end.
bool NaPrimce(const RKolej& c, int smer) {
  return (std::int64_t{c.y2} - c.y1) * gx == smer * std::int64_t{gy} * (std::int64_t{c.x2} - c.x1);
}

// The columns of cells that the x range a..b spans.
struct Sloupce {
  std::int64_t od, po;
  Sloupce(std::int64_t a, std::int64_t b)
      : od(Dolu(std::min(a, b), SirkaBunky)), po(Dolu(std::max(a, b), SirkaBunky)) {}
  std::int64_t pocet() const { return po - od + 1; }
};

// The newest position below `pred` in the ascending list v, walking towards older ones, as
// an index into v; -1 when none.
std::ptrdiff_t PredHranici(const std::vector<int>& v, int pred) {
  return (std::lower_bound(v.begin(), v.end(), pred) - v.begin()) - 1;
}

const std::vector<int> Zadne;

}  // namespace

void IndexKoleji::Pridej(const std::vector<RKolej>& koleje, int i) {
  Radek& r = radky_[koleje[static_cast<std::size_t>(i)].y1];
  r.nove.push_back(i);
  ++pocet_;
  if (r.nove.size() >= MaxNovych(r.poradi.size())) Serad(koleje, r);
}

void IndexKoleji::Serad(const std::vector<RKolej>& koleje, Radek& r) {
  auto x1 = [&](int i) { return koleje[static_cast<std::size_t>(i)].x1; };
  auto podleX1 = [&](int a, int b) { return x1(a) < x1(b); };
  std::sort(r.nove.begin(), r.nove.end(), podleX1);
  // Tracks listed left to right go after the ordered ones; only others need a merge, and
  // the running maxima change only from the first place a track went in.
  std::size_t od = r.poradi.size();
  if (!r.poradi.empty() && x1(r.nove.front()) < x1(r.poradi.back())) {
    od = static_cast<std::size_t>(
        std::upper_bound(r.poradi.begin(), r.poradi.end(), r.nove.front(), podleX1) -
        r.poradi.begin());
    std::vector<int> vse;
    vse.reserve(r.poradi.size() + r.nove.size());
    std::merge(r.poradi.begin(), r.poradi.end(), r.nove.begin(), r.nove.end(),
               std::back_inserter(vse), podleX1);
    r.poradi = std::move(vse);
  } else {
    r.poradi.insert(r.poradi.end(), r.nove.begin(), r.nove.end());
  }
  r.nove.clear();
  r.maxX2.resize(r.poradi.size());
  for (std::size_t j = od; j < r.poradi.size(); ++j) {
    const int x2 = koleje[static_cast<std::size_t>(r.poradi[j])].x2;
    r.maxX2[j] = j == 0 ? x2 : std::max(r.maxX2[j - 1], x2);
  }
}

int IndexKoleji::Najdi(const std::vector<RKolej>& koleje, int x, int y, int pred) {
  auto radek = radky_.find(y);
  if (radek == radky_.end()) return -1;
  Radek& r = radek->second;
  if (r.nove.size() >= MaxNovychProHledani) Serad(koleje, r);
  auto drzi = [&](int i) {
    const RKolej& k = koleje[static_cast<std::size_t>(i)];
    return k.x1 <= x && x <= k.x2;
  };
  int nejnovejsi = -1;
  for (int i : r.nove)
    if (i < pred && i > nejnovejsi && drzi(i)) nejnovejsi = i;
  // Only the ordered tracks beginning at or left of x are candidates, and once no earlier one
  // reaches x the walk can stop.
  auto konec = std::upper_bound(r.poradi.begin(), r.poradi.end(), x, [&](int xx, int j) {
    return xx < koleje[static_cast<std::size_t>(j)].x1;
  });
  for (auto j = static_cast<std::size_t>(konec - r.poradi.begin()); j-- > 0;) {
    if (r.maxX2[j] < x) break;
    const int i = r.poradi[j];
    if (i < pred && i > nejnovejsi && drzi(i)) nejnovejsi = i;
  }
  return nejnovejsi;
}

void IndexKoleji::Vyprazdni() {
  radky_.clear();
  pocet_ = 0;
}

void IndexSpojek::Pridej(const std::vector<RKolej>& spojky, int i) {
  const RKolej& c = spojky[static_cast<std::size_t>(i)];
  ++pocet_;
  // The points a connector may hold (see SpojkaObsahuje): its rows from one end to the
  // other; on a diagonal or horizontal one the columns from just left of its first end to
  // just right of the column its last row reaches, and on a horizontal one also up to its
  // second end.
  const std::int64_t ylo = std::min(c.y1, c.y2), yhi = std::max(c.y1, c.y2);
  const std::int64_t radku = (yhi - ylo) / gy;
  const std::int64_t xlo = std::int64_t{c.x1} - (gx - 1);
  const std::int64_t xhi = std::max<std::int64_t>(c.x1 + gx * (radku + 1) - 1, c.x2);
  const Sloupce sl(xlo, xhi);
  const std::int64_t rOd = Dolu(ylo, VyskaBunky), rPo = Dolu(yhi, VyskaBunky);
  if (sl.pocet() * (rPo - rOd + 1) > MaxBunek) {
    siroke_.push_back(i);
  } else {
    for (std::int64_t a = sl.od; a <= sl.po; ++a)
      for (std::int64_t b = rOd; b <= rPo; ++b) bunky_[Klic(a, b)].push_back(i);
  }

  konce_[Klic(c.x1, c.y1)].push_back(i);
  if (c.x2 != c.x1 || c.y2 != c.y1) konce_[Klic(c.x2, c.y2)].push_back(i);

  if (!Diagonalni(c)) return;
  diagonaly_.push_back(i);
  const Sloupce ds(c.x1, c.x2);
  const bool klesa = NaPrimce(c, 1), stoupa = NaPrimce(c, -1);
  if ((!klesa && !stoupa) || ds.pocet() > MaxBunek) {
    nepravidelne_.push_back(i);
    return;
  }
  auto& mapa = klesa ? klesajici_ : stoupajici_;
  for (std::int64_t a = ds.od; a <= ds.po; ++a) mapa[a].push_back(i);
}

int IndexSpojek::Najdi(const std::vector<RKolej>& spojky, int x, int y, int pred) const {
  auto b = bunky_.find(Klic(Dolu(x, SirkaBunky), Dolu(y, VyskaBunky)));
  const std::vector<int>& v = b == bunky_.end() ? Zadne : b->second;
  // Both lists ascend; walk them together from the newest below `pred`.
  std::ptrdiff_t i = PredHranici(v, pred), j = PredHranici(siroke_, pred);
  while (i >= 0 || j >= 0) {
    const bool zBunky = j < 0 || (i >= 0 && v[static_cast<std::size_t>(i)] > siroke_[static_cast<std::size_t>(j)]);
    const int p = zBunky ? v[static_cast<std::size_t>(i--)] : siroke_[static_cast<std::size_t>(j--)];
    if (SpojkaObsahuje(spojky[static_cast<std::size_t>(p)], x, y)) return p;
  }
  return -1;
}

const std::vector<int>& IndexSpojek::SKoncem(int x, int y) const {
  auto k = konce_.find(Klic(x, y));
  return k == konce_.end() ? Zadne : k->second;
}

// Diagonals e and c cross when c's ends lie strictly on both sides of e's line and e's ends
// strictly on both sides of the line through c's first end with the opposite slope. When e
// lies on its line and c on that other line, both tests together put the one point where the
// lines meet strictly inside e and inside c, so c spans some column that e spans. A c
// parallel to a regular e has both ends equally far from e's line and never crosses. So a
// regular e needs only the regular diagonals of the other slope in its columns, and the
// irregular ones; an irregular e needs every diagonal.
bool IndexSpojek::KrizeniKandidati(const RKolej& e, const std::function<bool(int)>& f) const {
  const int smer = e.y2 > e.y1 ? 1 : -1;
  const Sloupce sl(e.x1, e.x2);
  if (!NaPrimce(e, smer) || sl.pocet() > MaxBunek) {
    for (int i : diagonaly_)
      if (f(i)) return true;
    return false;
  }
  for (int i : nepravidelne_)
    if (f(i)) return true;
  const auto& mapa = smer > 0 ? stoupajici_ : klesajici_;
  for (std::int64_t a = sl.od; a <= sl.po; ++a) {
    auto m = mapa.find(a);
    if (m == mapa.end()) continue;
    for (int i : m->second)
      if (f(i)) return true;
  }
  return false;
}

void IndexSpojek::Vyprazdni() {
  bunky_.clear();
  siroke_.clear();
  konce_.clear();
  klesajici_.clear();
  stoupajici_.clear();
  nepravidelne_.clear();
  diagonaly_.clear();
  pocet_ = 0;
}

}  // namespace stanovar
