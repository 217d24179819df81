#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <utility>

#include "display/rastr.h"

using namespace stanovar;

namespace {
using Pixely = std::set<std::pair<int, int>>;

// Every step of the whole line, stamped and then cut to the picture: the plain model.
Pixely Naivne(int x0, int y0, int x1, int y1, int w, int sirka, int vyska) {
  Pixely r;
  const double dx = double(x1) - x0, dy = double(y1) - y0;
  const long long n = std::max(std::llabs((long long)x1 - x0), std::llabs((long long)y1 - y0));
  for (long long i = 0; i < n; ++i) {
    long long xi = x0 + std::llround(dx * double(i) / double(n));
    long long yi = y0 + std::llround(dy * double(i) / double(n));
    for (long long yy = yi - w / 2; yy < yi - w / 2 + w; ++yy)
      for (long long xx = xi - w / 2; xx < xi - w / 2 + w; ++xx)
        if (xx >= 0 && xx < sirka && yy >= 0 && yy < vyska) r.insert({int(xx), int(yy)});
  }
  return r;
}
}  // namespace

// Lines near, through and far outside the picture: the clipped raster paints exactly the
// pixels of the whole line, and visits a number of steps bounded by the picture, not by the
// line's length.
TEST(Rastr, ClippedLinesPaintTheSamePixelsInBoundedSteps) {
  std::mt19937 g(31337);
  const int sirka = 120, vyska = 80;
  int daleko = 50000;
  auto souradnice = [&](int mez) {
    switch (g() % 3) {
      case 0: return int(g() % (mez + 1)) - mez / 2;                 // around the picture
      case 1: return int(g() % 200) - 40;                            // near it
      default: return (g() % 2 ? 1 : -1) * int(g() % (daleko + 1));  // far away
    }
  };
  for (int kolo = 0; kolo < 2000; ++kolo) {
    if (kolo >= 1980) daleko = 1000000;  // a few lines across the reader's whole range
    int x0 = souradnice(4000), y0 = souradnice(4000), x1, y1;
    if (kolo % 3 == 0) {
      x1 = souradnice(4000), y1 = y0;  // horizontal, as tracks are
    } else {
      x1 = souradnice(4000), y1 = souradnice(4000);
    }
    const int w = 1 + int(g() % 3);
    Pixely cekane = Naivne(x0, y0, x1, y1, w, sirka, vyska);
    Pixely skutecne;
    long long kroku = 0;
    RastrujCaru(x0, y0, x1, y1, w, sirka, vyska, [&](int, int) { ++kroku; });
    KresliCaruDoRastru(x0, y0, x1, y1, w, sirka, vyska, [&](int y, int xOd, int xDo) {
      ASSERT_TRUE(xOd >= 0 && xOd < xDo && xDo <= sirka && y >= 0 && y < vyska);
      for (int x = xOd; x < xDo; ++x) skutecne.insert({x, y});
    });
    ASSERT_EQ(skutecne, cekane) << x0 << "," << y0 << " -> " << x1 << "," << y1 << " w" << w;
    EXPECT_LE(kroku, 2 * (sirka + vyska) + 8 * w + 8) << x0 << "," << y0 << " -> " << x1 << "," << y1;
  }
}
