// What every fuzz target shares: a quiet outside world, a fresh simulator, and the checks
// that turn a silent fault into a crash the fuzzer reports.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fakes/rastrove_platno.h"
#include "model/prostredi.h"
#include "model/stav.h"

namespace stanovar::fuzz {

class TichyProstredi : public Prostredi {
 public:
  double casDne() override { return 0.5; }
  std::uint32_t msOdPulnoci() override { return 12345; }
  void zprava(const std::string&) override { ++zprav; }
  void otevriDokument(const std::string&) override {}
  int dpi() override { return 96; }
  int zprav = 0;
};

// A fresh simulator for each input. The schema target draws on a small painting canvas,
// kept from one input to the next (what it shows does not matter), so that drawing costs are
// real and a file that makes drawing slow shows up as a slow input; the other readers draw
// nothing.
struct Svet {
  explicit Svet(bool kresli = false) {
    static test::RastrovePlatno rastr(64, 48);
    static PrazdnePlatno prazdne;
    rastr.natreno = 0;
    stav.platno = kresli ? static_cast<Platno*>(&rastr) : &prazdne;
    stav.prostredi = &prostredi;
    stav.SimZaklad = stav.RealZnacka = 0.5;
  }
  test::RastrovePlatno& rastr() { return *static_cast<test::RastrovePlatno*>(stav.platno); }
  TichyProstredi prostredi;
  Stav stav;
};

// A broken expectation: reported like a crash, with what was expected.
inline void Over(bool podminka, const char* co) {
  if (podminka) return;
  std::fprintf(stderr, "broken: %s\n", co);
  std::abort();
}

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace stanovar::fuzz
