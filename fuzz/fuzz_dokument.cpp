// The editor's document of a schema: any bytes read and written back are the same bytes, and
// after edits chosen by the input the written file reads back as the document, and undoing
// them all gives the bytes back.
#include <set>
#include <string>

#include "editor/editor.h"
#include "fuzz/spolecne.h"

using namespace stanovar;
using namespace stanovar::editor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first bytes choose the edits; the rest is the file.
  const std::size_t uprav = size < 16 ? size : 16;
  const std::string obsah(fuzz::Text(data + uprav, size - uprav));
  Dokument d = CtiDokument(obsah);
  fuzz::Over(ZapisDokument(d) == obsah, "unchanged bytes written back");
  Historie h;
  for (std::size_t i = 0; i + 1 < uprav; i += 2) {
    const std::size_t n = d.radky.size();
    const std::size_t radek = n ? data[i + 1] % n : 0;
    switch (data[i] % 6) {
      case 0: h.proved(d, Smaz(d, {radek})); break;
      case 1: h.proved(d, Posun(d, {radek}, 6 * (data[i] % 5) - 12, 12 * (data[i + 1] % 3) - 12)); break;
      case 2: h.proved(d, Zrcadli(d, {radek, n ? (radek + 1) % n : 0})); break;
      case 3: h.proved(d, ZmenPole(d, radek, 1 + data[i + 1] % 9, std::string(1, static_cast<char>(data[i + 1])))); break;
      case 4: h.proved(d, Pridej(d, {NovyRadek(static_cast<char>('0' + data[i + 1] % 8), {"6", "12"})}, "Add")); break;
      default: h.zpet(d); break;
    }
    fuzz::Over(CtiDokument(ZapisDokument(d)) == d, "written document reads back");
  }
  while (h.zpet(d)) {}
  fuzz::Over(ZapisDokument(d) == obsah, "all undone, the bytes are back");
  return 0;
}
