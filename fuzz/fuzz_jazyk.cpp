// The language reader: every text and caption stays usable whatever the file holds.
#include "files/soubory.h"
#include "fuzz/spolecne.h"

using namespace stanovar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Svet w;
  Stav& s = w.stav;
  CtiLng(s, fuzz::Text(data, size));
  for (int n = 1; n <= 37; ++n) fuzz::Over(!s.Text(n).empty() && s.Text(n).size() <= 1000, "text");
  const OknoView& o = s.okno;
  fuzz::Over(!o.MenuSoubor.empty() && !o.MenuOtevrit.empty() && !o.MenuNastav.empty(), "menus");
  return 0;
}
