// The editor's timetable and locomotive list as documents of records: any bytes read and
// written back are the same bytes, and after record edits chosen by the input the written file
// reads back as the list, and undoing them all gives the bytes back.
#include <string>
#include <vector>

#include "editor/editor.h"
#include "fuzz/spolecne.h"

using namespace stanovar;
using namespace stanovar::editor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the kind of list, the next ones the edits; the rest is the file.
  const DruhSeznamu druh = data[0] % 2 ? DruhSeznamu::Lokomotivy : DruhSeznamu::Grafikon;
  const std::size_t uprav = size < 17 ? size : 17;
  const std::string obsah(fuzz::Text(data + uprav, size - uprav));
  Dokument schema;
  Seznam gvd = CtiSeznam(DruhSeznamu::Grafikon, {}), lok = CtiSeznam(DruhSeznamu::Lokomotivy, {});
  Seznam& s = druh == DruhSeznamu::Grafikon ? gvd : lok;
  s = CtiSeznam(druh, obsah);
  fuzz::Over(ZapisSeznam(s) == obsah, "unchanged bytes written back");
  const Soubory f(schema, gvd, lok);
  Historie h;
  for (std::size_t i = 1; i + 1 < uprav; i += 2) {
    const std::size_t n = s.zaznamy.size();
    const std::size_t z = n ? data[i + 1] % n : 0;
    const std::string text(1, static_cast<char>(data[i + 1]));
    switch (data[i] % 6) {
      case 0: h.proved(f, SmazZaznamy(s, {z})); break;
      case 1: h.proved(f, ZmenPoleZaznamu(s, z, data[i] % 11, text + "7")); break;
      case 2: h.proved(f, ZdvojZaznamy(s, {z})); break;
      case 3: h.proved(f, PridejZaznamy(s, z, {NovyZaznam({text, "12", text})}, "Add")); break;
      case 4: {
        std::vector<std::size_t> poradi;
        for (std::size_t j = n; j-- > 0;) poradi.push_back(j);
        h.proved(f, SeradZaznamy(s, poradi));
        break;
      }
      default: h.zpet(f); break;
    }
    fuzz::Over(CtiSeznam(druh, ZapisSeznam(s)) == s, "written list reads back");
  }
  while (h.zpet(f)) {}
  fuzz::Over(ZapisSeznam(s) == obsah, "all undone, the bytes are back");
  return 0;
}
