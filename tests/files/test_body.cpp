#include <gtest/gtest.h>

#include <random>

#include "fakes/svet.h"
#include "model/seznamy.h"

using namespace stanovar;

namespace {
// The track look-up by point as a plain scan: from the newest below `pred` to the oldest.
int Prohledej(const Stav& s, int x, int y, int pred) {
  for (int i = pred - 1; i >= 0; --i) {
    const RKolej& k = s.Koleje[static_cast<std::size_t>(i)];
    if (k.y1 == y && k.x1 <= x && x <= k.x2) return i;
  }
  return -1;
}
}  // namespace

// Tracks added in any order, overlapping or not, between look-ups: the indexed look-up and
// its continue rule give exactly what a scan of the list would.
TEST(KolejVBode, AgreesWithAPlainScanWhateverTheOrderOfTracks) {
  std::mt19937 g(4242);
  for (int kolo = 0; kolo < 40; ++kolo) {
    test::Svet w;
    Stav& s = w.stav;
    const int radku = 1 + static_cast<int>(g() % 3);
    const bool dlouhe = kolo % 4 == 0;  // some stations with long overlapping tracks
    for (int n = 0; n < 120; ++n) {
      RKolej k;
      k.y1 = k.y2 = 12 * static_cast<int>(g() % radku);
      k.x1 = 6 * static_cast<int>(g() % 60);
      k.x2 = k.x1 + 6 * static_cast<int>(g() % (dlouhe ? 40 : 6));
      k.id = n + 1;
      PridejKolej(s, k);
      for (int q = 0; q < 4; ++q) {
        const int x = 6 * static_cast<int>(g() % 70) - 6 + static_cast<int>(g() % 2);
        const int y = 12 * static_cast<int>(g() % (radku + 1));
        int ocekavany = Prohledej(s, x, y, static_cast<int>(s.Koleje.size()));
        RKolej* r = KolejVBode(s, x, y);
        for (int krok = 0; krok < 200; ++krok) {
          ASSERT_EQ(r ? static_cast<int>(r - s.Koleje.data()) : -1, ocekavany)
              << "x " << x << " y " << y << " step " << krok;
          if (!r) break;
          ocekavany = Prohledej(s, x, y, ocekavany);
          r = KolejVBode(s, x, y, true);
        }
        EXPECT_EQ(KolejVBode(s, x, y, true), nullptr);  // after a miss: nothing
      }
    }
  }
}
