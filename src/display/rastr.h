// Rasterising a line of the station picture, shared by every canvas that paints pixels.
//
// The convention is the classic raster's: no antialiasing, every step from the start up to
// but not including the end, a wide pen stamped as a square around each step. A line may
// start or end far outside the picture (coordinates reach a million pixels), so only the
// steps whose stamp can touch the picture are visited: drawing costs the picture's size at
// most, not the line's length, and the pixels inside are exactly those of the whole line.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stanovar {

// Steps i (0 <= i < n) of a line of n steps whose coordinate x0 + round(d * i / n) lies in
// [lo, hi]: the range [od, po). Rounding is allowed for by one step at each side; the caller
// still checks each pixel.
inline void RozsahKroku(long long x0, long long d, long long n, long long lo, long long hi,
                        long long& od, long long& po) {
  if (d == 0) {
    if (x0 < lo || x0 > hi) po = od;
    return;
  }
  double a = static_cast<double>(lo - x0) * static_cast<double>(n) / static_cast<double>(d);
  double b = static_cast<double>(hi - x0) * static_cast<double>(n) / static_cast<double>(d);
  if (a > b) std::swap(a, b);
  od = std::max(od, static_cast<long long>(std::floor(a)) - 1);
  po = std::min(po, static_cast<long long>(std::ceil(b)) + 2);
}

// The steps [od, po) of the line (x0, y0) -> (x1, y1) of n steps whose stamp, with a pen of
// width w, may touch the picture sirka x vyska.
inline void KrokyVObraze(int x0, int y0, int x1, int y1, int w, int sirka, int vyska, long long& n,
                         long long& od, long long& po) {
  const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
  n = std::max(std::llabs(dx), std::llabs(dy));
  od = 0, po = n;
  if (n == 0) return;
  RozsahKroku(x0, dx, n, -w, static_cast<long long>(sirka) + w, od, po);
  RozsahKroku(y0, dy, n, -w, static_cast<long long>(vyska) + w, od, po);
  od = std::max(od, 0LL);
  po = std::min(po, n);
}

// Calls bod(x, y) for the centre of every step of the line (x0, y0) -> (x1, y1) drawn with a
// pen of width w whose square may touch the picture sirka x vyska, in order from the start.
template <class Bod>
void RastrujCaru(int x0, int y0, int x1, int y1, int w, int sirka, int vyska, Bod&& bod) {
  w = std::max(1, w);
  long long n, od, po;
  KrokyVObraze(x0, y0, x1, y1, w, sirka, vyska, n, od, po);
  const double dx = static_cast<double>(x1) - x0, dy = static_cast<double>(y1) - y0;
  for (long long i = od; i < po; ++i) {
    long long x = x0 + std::llround(dx * static_cast<double>(i) / static_cast<double>(n));
    long long y = y0 + std::llround(dy * static_cast<double>(i) / static_cast<double>(n));
    bod(static_cast<int>(x), static_cast<int>(y));
  }
}

// Paints the stamps of a line clipped to the picture, as runs usek(y, xOd, xDo) covering
// columns xOd .. xDo - 1 of row y. A horizontal line, as every track is, gives one run per
// row of the pen, however many steps it has.
template <class Usek>
void KresliCaruDoRastru(int x0, int y0, int x1, int y1, int w, int sirka, int vyska, Usek&& usek) {
  w = std::max(1, w);
  auto radky = [&](int yi, long long xa, long long xb) {  // stamp columns xa..xb of each row
    const long long xOd = std::max(xa - w / 2, 0LL), xDo = std::min(xb - w / 2 + w, static_cast<long long>(sirka));
    if (xOd >= xDo) return;
    for (int yy = std::max(yi - w / 2, 0); yy < std::min(yi - w / 2 + w, vyska); ++yy)
      usek(yy, static_cast<int>(xOd), static_cast<int>(xDo));
  };
  if (y0 == y1) {
    // Along a row every step moves one column, so the steps in the picture are one run.
    long long n, od, po;
    KrokyVObraze(x0, y0, x1, y1, w, sirka, vyska, n, od, po);
    if (od >= po) return;
    const long long krok = x1 > x0 ? 1 : -1;
    const long long xa = x0 + krok * od, xb = x0 + krok * (po - 1);
    radky(y0, std::min(xa, xb), std::max(xa, xb));
    return;
  }
  RastrujCaru(x0, y0, x1, y1, w, sirka, vyska, [&](int xi, int yi) { radky(yi, xi, xi); });
}

}  // namespace stanovar
