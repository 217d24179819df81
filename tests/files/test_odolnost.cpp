// Readers facing damaged and hostile files: what they keep is bounded, numbers keep their
// meaning, and a read failure part way through is not taken for the whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "fakes/svet.h"
#include "control/cesty.h"
#include "files/cteni.h"
#include "files/pomoc.h"
#include "files/soubory.h"
#include "jadro.h"

using namespace stanovar;
using test::Y;

namespace {

// A stream that gives `dobrych` bytes of 'x' and then fails, as a disk error would.
struct Vadny {
  std::size_t zbyva;
};
ssize_t CtiVadny(void* c, char* buf, std::size_t n) {
  auto* v = static_cast<Vadny*>(c);
  if (v->zbyva == 0) return -1;
  std::size_t k = n < v->zbyva ? n : v->zbyva;
  for (std::size_t i = 0; i < k; ++i) buf[i] = '*';
  v->zbyva -= k;
  return static_cast<ssize_t>(k);
}
int ZavriVadny(void* c) {
  delete static_cast<Vadny*>(c);
  return 0;
}
std::FILE* OtevriVadny(std::size_t dobrych) {
  cookie_io_functions_t f{CtiVadny, nullptr, nullptr, ZavriVadny};
  return fopencookie(new Vadny{dobrych}, "r", f);
}

// Opens the files named in `vadne` as streams that fail after a few bytes.
struct VadnyDisk : test::SkriptovaneProstredi {
  std::FILE* otevriProCteni(const std::string& cesta) override {
    for (const auto& v : vadne)
      if (cesta.find(v) != std::string::npos) return OtevriVadny(100);
    return Prostredi::otevriProCteni(cesta);
  }
  std::vector<std::string> vadne;
};

}  // namespace

TEST(Odolnost, LinesAreSplitAsAPlainSplitWould) {
  std::mt19937 g(99);
  const char abeceda[] = "ab\r\n\n\r";
  for (int kolo = 0; kolo < 500; ++kolo) {
    std::string t;
    for (int i = static_cast<int>(g() % 30); i > 0; --i) t += abeceda[g() % 6];
    std::vector<std::string> cekane;
    std::size_t z = 0;
    while (z < t.size()) {
      std::size_t lf = t.find('\n', z);
      std::string r = t.substr(z, lf == std::string::npos ? std::string::npos : lf - z);
      if (!r.empty() && r.back() == '\r') r.pop_back();
      cekane.push_back(r);
      if (lf == std::string::npos) break;
      z = lf + 1;
    }
    std::vector<std::string> radky;
    for (std::string_view r : Radky(t)) radky.emplace_back(r);
    EXPECT_EQ(radky, cekane) << t;
  }
}

// Empty fields keep the defaults (an empty speed must not stop a train for good), and a file
// of nothing but "*" keeps a bounded number of records.
TEST(Odolnost, EmptyFieldsKeepDefaultsAndRecordsAreBounded) {
  test::Adresar d;
  test::Svet w;
  Stav& s = w.stav;
  s.nastaveni.cestaLoko = d.zapis("a.lok", "*#LOK#  #\r\n*#E##\r\n" + std::string(20000, '*'));
  s.nastaveni.cestaGvd = d.zapis("a.gvd", "*#12###  ##\r\n" + std::string(200000, '*'));
  ASSERT_TRUE(OtevriLoko(s));
  OtevriGvd(s);
  ASSERT_EQ(s.Lokomotivy.size(), static_cast<std::size_t>(MaxLokomotiv));
  const RLoko v{};
  EXPECT_EQ(s.Lokomotivy[0].maxRychlost, NeomezenaRychlost);
  EXPECT_EQ(s.Lokomotivy[0].vykon, v.vykon);
  EXPECT_EQ(s.Lokomotivy[1].jmeno, "E");
  EXPECT_EQ(s.Lokomotivy[1].maxRychlost, NeomezenaRychlost);
  ASSERT_EQ(s.Grafikon.size(), static_cast<std::size_t>(MaxSpoju));
  EXPECT_EQ(s.PocetSpoju, MaxSpoju);
  const RSpoj sp{};
  EXPECT_EQ(s.Grafikon[0].cislo, 12);
  EXPECT_EQ(s.Grafikon[0].kam, "");
  EXPECT_EQ(s.Grafikon[0].delka, sp.delka);
  EXPECT_EQ(s.Grafikon[0].maxRychlost, sp.maxRychlost);
}

// A read failure part way through is reported like a file that cannot be opened, nothing of
// that file is used, and the loading sequence stops there.
TEST(Odolnost, ReadErrorPartWayIsReportedAndEndsTheSequence) {
  std::string obsah;
  std::FILE* f = OtevriVadny(70000);
  EXPECT_EQ(CtiProud(f, obsah), Nacteni::ChybaCteni);
  std::fclose(f);
  EXPECT_TRUE(obsah.empty());
  f = OtevriVadny(0);
  EXPECT_EQ(CtiProud(f, obsah), Nacteni::NelzeOtevrit);
  std::fclose(f);

  test::Adresar d;
  d.zapis("stanovar.ini", "\x86" "st.yrd\r\n\x88" "st.gvd\r\n\xB8" "6st.lok\r\n");
  d.zapis("st.lok", "*#LOK\r\n");
  d.zapis("st.yrd", Y("1", {"0", "12", "60", "12"}));
  d.zapis("st.gvd", "*#1\r\n");
  for (const char* vadny : {"st.lok", "st.yrd"}) {
    test::ZaznamovePlatno platno;
    VadnyDisk disk;
    disk.vadne = {vadny};
    Stav s;
    s.platno = &platno;
    s.prostredi = &disk;
    Spust(s, d.cesta());
    ASSERT_EQ(disk.zpravy.size(), 1u) << vadny;
    EXPECT_EQ(disk.zpravy[0], "Soubor " + std::string(vadny) + " nelze otev\xf8\xedt.");
    EXPECT_TRUE(s.Grafikon.empty()) << vadny;  // the timetable after it was not loaded
    EXPECT_TRUE(s.Koleje.empty()) << vadny;
    EXPECT_EQ(s.Lokomotivy.empty(), std::string(vadny) == "st.lok");
  }
}

// A settings line longer than any path a system opens is damage: it is ignored, and the
// lines around it still count.
TEST(Odolnost, OverlongSettingsLinesAreIgnored) {
  test::Svet w;
  Stav& s = w.stav;
  s.nastaveni.startovniAdresar = "/start";
  CtiNastaveni(s, "\x86" "a.yrd\r\n\x86" + std::string(1 << 20, 'x') + "\r\n\xB8" "3\r\n");
  EXPECT_EQ(s.nastaveni.cestaSchema, "/start/a.yrd");
  EXPECT_EQ(s.nastaveni.sirkaCary, 1);
}

// Lengths are capped as they are read, so the route search, which adds up the lengths of the
// tracks it walks, and the splitting of the route stay inside int.
TEST(Odolnost, RouteOverLongTracksAddsUpItsLength) {
  test::Adresar d;
  test::Svet w;
  Stav& s = w.stav;
  std::string yrd;
  for (int i = 0; i < 4; ++i)
    yrd += Y("1", {std::to_string(60 * i), "12", std::to_string(60 * i + 60), "12", "0",
                   "2147483647", std::to_string(i + 1), "80"});
  yrd += Y("3", {"60", "12"}) + Y("3", {"240", "12"});  // a route ends at a signal
  s.nastaveni.cestaSchema = d.zapis("a.yrd", yrd);
  ASSERT_TRUE(otevrit(s));
  ASSERT_EQ(s.Navestidla.size(), 2u);
  Image1MouseDown(s, Tlacitko::Leve, 60, 12);   // the signal between the first two tracks
  Image1MouseDown(s, Tlacitko::Leve, 210, 12);  // the fourth track
  // The route is set track by track: each section measures its own track, capped.
  ASSERT_FALSE(s.Cesty.empty());
  std::vector<int> koleje;
  auto projdi = [&](const Kroky& kroky) {
    for (const RKrok& k : kroky) {
      if (!JeKolej(k.prvek)) continue;
      koleje.push_back(k.prvek);
      EXPECT_EQ(k.delka, 100000) << "track " << k.prvek;
    }
  };
  for (const RCesta& c : s.Cesty) projdi(c.cesta);
  for (const RCekajiciCesta& c : s.CekajiciCesty) projdi(c.cesta);
  std::sort(koleje.begin(), koleje.end());
  EXPECT_EQ(koleje, (std::vector<int>{2, 3, 4}));
}
