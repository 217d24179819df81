// The timetable reader: bounded entries, and the count always matching the list.
#include "files/cteni.h"
#include "files/soubory.h"
#include "fuzz/spolecne.h"

using namespace stanovar;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Svet w;
  Stav& s = w.stav;
  CtiGvd(s, fuzz::Text(data, size));
  fuzz::Over(static_cast<std::size_t>(s.PocetSpoju) == s.Grafikon.size(), "count");
  fuzz::Over(s.PocetSpoju <= MaxSpoju, "entries bounded");
  for (const RSpoj& sp : s.Grafikon)
    fuzz::Over(sp.odkud.size() <= 8 && sp.kam.size() <= 8 && sp.loko.size() <= 4, "names cut");
  return 0;
}
