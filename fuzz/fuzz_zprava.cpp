// The network messages' readers: any bytes are refused or read, never a crash; what the
// host's reader accepts stays within the protocol's limits and reads back the same once
// written again; and the inputs it accepts, given to a running station, do only what a
// person's inputs may (the station's invariants hold afterwards).
#include <string>

#include "fuzz/spolecne.h"
#include "jadro.h"
#include "smena/smena.h"
#include "spojeni/protokol.h"

using namespace stanovar;
using namespace stanovar::spojeni;

namespace {

// The demo station, opened once; each input plays on a copy of it.
const Stav& Demo() {
  static fuzz::Svet svet = [] {
    fuzz::Svet s;
    Spust(s.stav, STANOVAR_DATA_DIR);
    NactiNastaveni(s.stav);
    OtevriStanici(s.stav);
    return s;
  }();
  return svet.stav;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz::Text(data, size);
  ZpravaHostitele h;
  std::string chyba;
  if (CtiZpravuHostitele(text, h, chyba) && h.druh == ZpravaHostitele::Vitej) {
    // The station's files travel as base64: whatever was read is written and read back alike.
    ZpravaHostitele znovu;
    fuzz::Over(CtiZpravuHostitele(ZpravaVitej(h.stanice, h.stanice_, h.lockstep, h.ulozeni, h.propojene,
                                              h.volne, h.soubory),
                                  znovu, chyba) &&
                   znovu.soubory == h.soubory && znovu.volne == h.volne,
               "a welcome written again reads back the same");
  }

  ZpravaKlienta z;
  if (!CtiZpravuKlienta(text, z, chyba)) {
    fuzz::Over(z.vstupy.empty(), "a refused message carries no inputs");
    return 0;
  }
  fuzz::Over(z.stanice.size() <= MaxJmena && z.token.size() <= MaxTokenu, "names within their limits");
  if (z.druh != ZpravaKlienta::Vstupy) return 0;
  fuzz::Over(z.vstupy.size() <= MaxVstupuZpravy, "inputs within their limit");
  ZpravaKlienta znovu;
  fuzz::Over(CtiZpravuKlienta(ZpravaVstupu(z.krok, z.vstupy), znovu, chyba), "written inputs read again");
  fuzz::Over(znovu.krok == z.krok && znovu.vstupy.size() == z.vstupy.size(), "the same inputs read back");
  for (std::size_t i = 0; i < z.vstupy.size(); ++i) {
    const Vstup &a = z.vstupy[i], &b = znovu.vstupy[i];
    fuzz::Over(a.druh == b.druh && a.klavesa == b.klavesa && a.x == b.x && a.y == b.y, "the same input read back");
  }
  Stav s = Demo();
  s.posluchaci.vycisti();
  KontrolaStavu kontrola;
  for (const Vstup& v : z.vstupy) ProvedVstup(s, v);
  const std::string porucha = kontrola.over(s, SimCas(s));
  if (!porucha.empty()) std::fprintf(stderr, "%s\n", porucha.c_str());
  fuzz::Over(porucha.empty(), "the station's invariants hold after the inputs");
  return 0;
}
