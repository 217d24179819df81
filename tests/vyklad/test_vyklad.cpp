// Why an input did nothing, told after each of a newcomer's clicks and keys on the demo
// station with one train from the line trains only arrive by; and what a tooltip names.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <unistd.h>

#include "fakes/svet.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "smena/smena.h"
#include "vyklad/vyklad.h"

using namespace stanovar;
namespace fs = std::filesystem;

namespace {

// The demo station in a folder of its own, with one train in its timetable: the first
// generation, at start-up, hands it over onto the arrivals-only line L2.
struct Slozka {
  fs::path cesta = fs::temp_directory_path() / ("stanovar-vyklad-" + std::to_string(::getpid()));
  explicit Slozka(const char* grafikon) {
    fs::create_directories(cesta);
    for (const char* f : {"demo.yrd", "demo.lok", "stanovar.ini", "english.lng"})
      fs::copy_file(fs::path(STANOVAR_DATA_DIR) / f, cesta / f, fs::copy_options::overwrite_existing);
    std::ofstream(cesta / "demo.gvd", std::ios::binary) << grafikon;
  }
  ~Slozka() { fs::remove_all(cesta); }
};

struct Demo : test::Svet {
  explicit Demo(const Slozka& s) { Spust(stav, s.cesta.string()); }

  Vysvetleni Vloz(const PodnetHrace& v) {
    Pozorovani p(stav, v);
    if (v.druh == PodnetHrace::Klik)
      Image1MouseDown(stav, v.prave ? Tlacitko::Prave : Tlacitko::Leve, v.x, v.y);
    else
      FormKeyDown(stav, v.klic, v.x, v.y);
    return p.Vysledek();
  }
  void Cekej(double sekundy) {
    for (; sekundy > 0; sekundy -= 1) {
      prostredi.posun(1);
      CasovacUdalostiTimer(stav);
    }
  }
};

PodnetHrace Klik(int x, int y, bool prave = false) { return {PodnetHrace::Klik, prave, 0, x, y}; }
PodnetHrace Klavesa(int k, int x = -100, int y = -100) { return {PodnetHrace::Klavesa, false, k, x, y}; }

}  // namespace

// A newcomer's evening in order: each input, the seconds waited before it, and what the
// status bar is to say. Points: the signal (150, 240) at the end of the arrival line L2,
// (642, 240) the entry from Kamenec, track 1 at (390, 240), K1 at (700, 240), (390, 400) empty.
TEST(Vyklad, EachSilentInputHasItsReason) {
  Slozka slozka("*Os#4601#LIPOVEC#KAMENEC#80#60#120#M12\r\n");
  Demo d(slozka);
  ASSERT_EQ(d.stav.Vlaky.size(), 1u);
  struct Krok {
    const char* co;
    double cekej;
    PodnetHrace v;
    Duvod duvod;
    int vlak = 0;
    std::string kolej;
  } const kroky[] = {
      {"a track before a signal", 0, Klik(390, 240), Duvod::ZacniNavestidlem},
      {"nothing at all", 0, Klik(390, 400), Duvod::Zadny},
      {"cancel where nothing is set", 0, Klik(150, 240, true), Duvod::NicKeZruseni, 0, "L2"},
      {"the train running in, turned", 0, Klavesa(KlavesaF5, 84, 240), Duvod::VlakJede, 4601},
      {"the start signal", 0, Klik(150, 240), Duvod::Zadny},
      {"beside everything", 0, Klik(390, 400), Duvod::VyberPokracuje},
      {"turning while choosing", 0, Klavesa(KlavesaF5, 84, 240), Duvod::BehemVyberu},
      {"a track beyond the next signal", 0, Klik(700, 240), Duvod::ZadnaCesta, 0, "K1"},
      {"the start signal again", 0, Klik(150, 240), Duvod::Zadny},
      {"track 1", 0, Klik(390, 240), Duvod::Zadny},
      {"the signal with its route", 0, Klik(150, 240), Duvod::NavestidloMaCestu, 0, "L2"},
      {"cancel before the train", 0, Klik(150, 240, true), Duvod::VlakSeBlizi, 4601, "L2"},
      {"from Kamenec", 0, Klik(642, 240), Duvod::Zadny},
      {"into the route's track", 0, Klik(390, 240), Duvod::UlozenaZaver, 4601, "1"},
      {"the waiting signal", 0, Klik(642, 240), Duvod::NavestidloCeka, 0, "K1"},
      {"the stored route cancelled", 0, Klik(642, 240, true), Duvod::Zadny},
      {"the train stands on track 1: from Kamenec", 600, Klik(642, 240), Duvod::Zadny},
      {"into the occupied track", 0, Klik(390, 240), Duvod::UlozenaObsazeno, 4601, "1"},
      {"the stored route cancelled", 0, Klik(642, 240, true), Duvod::Zadny},
      {"F1 on nothing", 0, Klavesa(KlavesaF1, 390, 400), Duvod::ZadnyVlak},
      {"F1 on the train", 0, Klavesa(KlavesaF1, 390, 240), Duvod::Zadny},
      {"F2 on nothing", 0, Klavesa(KlavesaF2, 390, 400), Duvod::ZadnaKolej},
      {"F5 turns it", 0, Klavesa(KlavesaF5, 390, 240), Duvod::Zadny},
      {"F5 again", 0, Klavesa(KlavesaF5, 390, 240), Duvod::VlakMaOdjezd, 4601},
      {"A with no offer", 0, Klavesa(KlavesaA), Duvod::ZadnaNabidka},
      {"pause", 0, Klavesa(KlavesaF3), Duvod::Zadny},
      {"slower than paused", 0, Klavesa(KlavesaDolu), Duvod::JizPozastaveno},
  };
  for (const Krok& k : kroky) {
    d.Cekej(k.cekej);
    const Vysvetleni v = d.Vloz(k.v);
    EXPECT_EQ(v.duvod, k.duvod) << k.co;
    EXPECT_EQ(v.vlak, k.vlak) << k.co;
    EXPECT_EQ(v.kolej, k.kolej) << k.co;
  }
  // At the ends of the speed and the frequency.
  for (auto [klic, kolik, duvod] : {std::tuple{KlavesaNahoru, 7, Duvod::NejvyssiRychlost},
                                    std::tuple{KlavesaVpravo, 8, Duvod::NejvetsiCetnost},
                                    std::tuple{KlavesaVlevo, 8, Duvod::NejmensiCetnost}}) {
    Vysvetleni v;
    for (int i = 0; i < kolik; ++i) v = d.Vloz(Klavesa(klic));
    EXPECT_EQ(v.duvod, duvod);
  }
}

// Watching and describing change nothing: a run of random clicks and keys on the demo with
// its whole timetable, each one watched and the point under it described, leaves the same
// state as the same run left alone.
TEST(Vyklad, WatchingChangesNothing) {
  Slozka slozka("");
  fs::copy_file(fs::path(STANOVAR_DATA_DIR) / "demo.gvd", slozka.cesta / "demo.gvd",
                fs::copy_options::overwrite_existing);
  Demo a(slozka), b(slozka);
  std::uint32_t h = 2024;
  auto nahodne = [&](int n) {
    h = h * 1103515245u + 12345u;
    return static_cast<int>((h >> 8) % static_cast<std::uint32_t>(n));
  };
  const int klavesy[] = {KlavesaNahoru, KlavesaDolu, KlavesaVlevo, KlavesaVpravo, KlavesaA,
                         KlavesaN, KlavesaF1, KlavesaF2, KlavesaF3, KlavesaF5};
  for (int i = 0; i < 3000; ++i) {
    const int x = nahodne(800), y = nahodne(500), co = nahodne(14);
    const PodnetHrace v = co < 4 ? Klik(x, y, co == 3) : Klavesa(klavesy[co - 4], x, y);
    a.Vloz(v);
    (void)PopisBodu(a.stav, nahodne(800), nahodne(500));
    if (v.druh == PodnetHrace::Klik)
      Image1MouseDown(b.stav, v.prave ? Tlacitko::Prave : Tlacitko::Leve, v.x, v.y);
    else
      FormKeyDown(b.stav, v.klic, v.x, v.y);
    const double s = nahodne(20);
    a.Cekej(s);
    b.Cekej(s);
  }
  std::string ta, tb;
  ASSERT_TRUE(UlozSmenuDoTextu(a.stav, {}, ta));
  ASSERT_TRUE(UlozSmenuDoTextu(b.stav, {}, tb));
  EXPECT_FALSE(a.stav.Vlaky.empty() && a.stav.Cesty.empty());
  EXPECT_EQ(ta, tb);
}
