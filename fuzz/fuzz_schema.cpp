// The station reader, and then what a dispatcher does on whatever station it built: routes
// chosen by clicks on signals, connectors and tracks, set, stored and cancelled, and every
// element of the set routes occupied and released as a train would.
#include <algorithm>
#include <vector>

#include "control/cesty.h"
#include "files/soubory.h"
#include "fuzz/spolecne.h"
#include "jadro.h"
#include "traffic/obsazeni.h"

using namespace stanovar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Svet w(true);
  Stav& s = w.stav;
  CtiSchema(s, fuzz::Text(data, size));

  for (const RNavestidlo& n : s.Navestidla) fuzz::Over(n.strana >= 1 && n.strana <= 3, "side code");
  for (std::size_t i = 0; i < s.Koleje.size(); ++i) {
    const RKolej& k = s.Koleje[i];
    fuzz::Over(k.id == static_cast<int>(i) + 1, "track numbering");
    fuzz::Over(k.cislo.size() <= 30, "track number cut");
    fuzz::Over(k.x1 != k.x2 || k.y1 != k.y2, "track placed");
  }
  // Whatever the file, drawing it paints a bounded number of pixels: each of the bounded
  // number of elements at most a few times the picture.
  const std::uint64_t prvku = s.Koleje.size() + s.Spojky.size() + s.Navestidla.size() +
                              s.Sousede.size() + 2 * 5999;
  fuzz::Over(w.rastr().natreno <= prvku * 8 * 64 * 48, "drawing bounded");

  // Clicks picked from the input's own bytes, so the fuzzer steers them too.
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 16777619u;
  auto dalsi = [&] {
    h ^= h << 13, h ^= h >> 17, h ^= h << 5;
    return h;
  };
  const std::size_t signalu = std::min<std::size_t>(s.Navestidla.size(), 6);
  for (std::size_t i = 0; i < signalu && !s.Koleje.empty(); ++i) {
    const RNavestidlo n = s.Navestidla[dalsi() % s.Navestidla.size()];
    Image1MouseDown(s, Tlacitko::Leve, n.x, n.y);
    if (!s.Spojky.empty() && dalsi() % 2) {
      const RKolej& c = s.Spojky[dalsi() % s.Spojky.size()];
      Image1MouseDown(s, Tlacitko::Leve, (c.x1 + c.x2) / 2, (c.y1 + c.y2) / 2);
    }
    const RKolej& k = s.Koleje[dalsi() % s.Koleje.size()];
    Image1MouseDown(s, Tlacitko::Leve, (k.x1 + k.x2) / 2, k.y1);
    if (dalsi() % 4 == 0) Image1MouseDown(s, Tlacitko::Prave, n.x, n.y);
  }
  // A train over each set route: every element occupied, then released in order.
  std::vector<int> prvky;
  for (const RCesta& c : s.Cesty)
    for (const RKrok& k : c.cesta) prvky.push_back(k.prvek);
  for (int p : prvky) ObsazeniPrvku(s, 7, p);
  for (int p : prvky) UvolneniPrvku(s, 7, p);
  for (const RNavestidlo& n : s.Navestidla) Image1MouseDown(s, Tlacitko::Prave, n.x, n.y);
  return 0;
}
