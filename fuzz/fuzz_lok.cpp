// The locomotive reader: bounded records, finite reals.
#include <cmath>

#include "files/cteni.h"
#include "files/soubory.h"
#include "fuzz/spolecne.h"

using namespace stanovar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Svet w;
  Stav& s = w.stav;
  CtiLoko(s, fuzz::Text(data, size));
  fuzz::Over(s.Lokomotivy.size() <= static_cast<std::size_t>(MaxLokomotiv), "records bounded");
  for (const RLoko& l : s.Lokomotivy) {
    fuzz::Over(l.jmeno.size() <= 8, "name cut");
    fuzz::Over(std::isfinite(l.odporA) && std::isfinite(l.odporB) && std::isfinite(l.odporC) &&
                   std::isfinite(l.soucinitelHmot),
               "reals finite");
  }
  return 0;
}
