#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "fakes/svet.h"
#include "files/pomoc.h"
#include "files/soubory.h"
#include "files/cteni.h"
#include "jadro.h"

using namespace stanovar;

namespace {
const std::string Bg = "\xB8" "1";
const std::string Fg = "\xB8" "2";

std::vector<std::string> RadkySouboru(const std::string& obsah) {
  std::vector<std::string> r;
  for (auto v : Radky(obsah)) r.emplace_back(v);
  return r;
}
}  // namespace

TEST(Barvy, NamesAndDollarValuesBothWays) {
  EXPECT_EQ(BarvaNaText(RGB(255, 255, 255)), "clWhite");
  EXPECT_EQ(BarvaNaText(RGB(136, 136, 136)), "$00888888");
  EXPECT_EQ(BarvaNaText(RGB(1, 2, 0xAB)), "$00ab0201");  // blue in the high byte, lower case
  EXPECT_EQ(BarvaNaText(RGB(255, 0, 0)), "clRed");
  EXPECT_EQ(BarvaNaText(RGB(0, 0, 255)), "clBlue");
  EXPECT_EQ(BarvaNaText(RGB(0, 0, 0)), "clBlack");
  // Every value written reads back to itself, names included.
  for (Barva c : {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0),
                  RGB(0, 0, 128), RGB(128, 0, 128), RGB(0, 128, 128), RGB(128, 128, 128),
                  RGB(192, 192, 192), RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0),
                  RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
                  RGB(136, 136, 136), RGB(12, 34, 56), RGB(224, 224, 0)}) {
    Barva zpet = 0xDEAD;
    ASSERT_TRUE(TextNaBarvu(BarvaNaText(c), zpet)) << BarvaNaText(c);
    EXPECT_EQ(zpet, c) << BarvaNaText(c);
  }
}

TEST(Barvy, ReadingIsForgivingInCaseButNotInContent) {
  Barva c = 0;
  EXPECT_TRUE(TextNaBarvu("CLWHITE", c));
  EXPECT_EQ(c, 0xFFFFFFu);
  EXPECT_TRUE(TextNaBarvu("clmaroon", c));
  EXPECT_EQ(c, 0x000080u);
  EXPECT_TRUE(TextNaBarvu("8947848", c));  // decimal
  EXPECT_EQ(c, RGB(136, 136, 136));
  EXPECT_TRUE(TextNaBarvu("$FF", c));
  EXPECT_EQ(c, RGB(255, 0, 0));
  EXPECT_TRUE(TextNaBarvu("0x00FF00", c));
  EXPECT_EQ(c, RGB(0, 255, 0));
  c = 42;
  for (const char* spatne : {"", "cl", "clWhit", "clBtnFace", "$", "12ab", "$0088888g", "-1",
                             "$80000005", "$1000000", "$FFFFFFFFF", "white"}) {
    EXPECT_FALSE(TextNaBarvu(spatne, c)) << spatne;
  }
  EXPECT_EQ(c, 42u);  // a failed reading leaves the colour alone
}

TEST(Nastaveni, ReadsEveryMarkerJoinsRelativeEntriesAndLaterLinesWin) {
  test::Adresar d;
  test::Svet w;
  w.stav.nastaveni.startovniAdresar = d.cesta();
  d.zapis("stanovar.ini",
          "\x85/jinde/stara.yrd\r\n"
          "\x86stanice.yrd\r\n"  // later line wins, relative
          "\x87" "C:\\grafy\\jizdy.gvd\r\n"
          "\xB8" "6pod\\stroje.lok\r\n"
          "\xB8" "7/jazyky/cestina.lng\r\n" +
              Bg + "clWhite\r\n" + Fg + "$000000ff\r\n" +
              "\xB8" "3\r\n"
              "\xB8" "9cokoli\r\n"  // unknown second byte
              "\xB8\r\n"
              "Xnic\r\n"
              "\r\n");
  ASSERT_TRUE(NactiNastaveni(w.stav));
  const Nastaveni& n = w.stav.nastaveni;
  EXPECT_EQ(n.cestaSchema, d / "stanice.yrd");
  EXPECT_EQ(n.cestaGvd, "C:/grafy/jizdy.gvd");
  EXPECT_EQ(n.cestaLoko, d / "pod/stroje.lok");
  EXPECT_EQ(n.cestaJazyk, "/jazyky/cestina.lng");
  EXPECT_EQ(n.pozadi, RGB(255, 255, 255));
  EXPECT_EQ(n.popredi, RGB(255, 0, 0));
  EXPECT_EQ(n.sirkaCary, 1);
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

TEST(Nastaveni, BadColourFallsBackToItsDefaultAndTheRestStillLoads) {
  test::Adresar d;
  test::Svet w;
  w.stav.nastaveni.startovniAdresar = d.cesta();
  w.stav.nastaveni.pozadi = RGB(1, 1, 1);
  d.zapis("stanovar.ini", Bg + "fialova\n" + Fg + "clBtnFace\n\x88jizdy.gvd\n\xB8" "4\n");
  ASSERT_TRUE(NactiNastaveni(w.stav));
  EXPECT_EQ(w.stav.nastaveni.pozadi, RGB(136, 136, 136));
  EXPECT_EQ(w.stav.nastaveni.popredi, RGB(0, 0, 0));
  EXPECT_EQ(w.stav.nastaveni.cestaGvd, d / "jizdy.gvd");
  EXPECT_EQ(w.stav.nastaveni.sirkaCary, 2);
  test::Svet bez;
  bez.stav.nastaveni.startovniAdresar = d / "neni";
  EXPECT_FALSE(NactiNastaveni(bez.stav));
}

TEST(Nastaveni, WriterGivesSevenLinesRelativeOnlyForTheStartFolder) {
  test::Adresar d;
  test::Svet w;
  Nastaveni& n = w.stav.nastaveni;
  n.startovniAdresar = d.cesta();
  n.cestaSchema = d / "stanice.yrd";              // in the start folder: relative
  n.cestaGvd = d / "data/jizdy.gvd";              // below it: whole
  n.cestaLoko = "";                               // empty: the absolute marker alone
  n.cestaJazyk = d.cesta() + "x/cestina.lng";     // a folder whose name merely begins alike
  n.pozadiNove = RGB(255, 255, 255);
  n.poprediNove = RGB(136, 136, 136);
  n.sirkaCaryNova = 1;
  n.pozadi = RGB(1, 2, 3);  // the active values are not what is written
  n.sirkaCary = 2;
  ZapisNastaveni(w.stav);
  const std::string obsah = d.cti("stanovar.ini");
  auto r = RadkySouboru(obsah);
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[0], "\x86stanice.yrd");
  EXPECT_EQ(r[1], "\x87" + d.cesta() + "/data/jizdy.gvd");
  EXPECT_EQ(r[2], "\xB8" "5");
  EXPECT_EQ(r[3], "\xB8" "7" + d.cesta() + "x/cestina.lng");
  EXPECT_EQ(r[4], Bg + "clWhite");
  EXPECT_EQ(r[5], Fg + "$00888888");
  EXPECT_EQ(r[6], "\xB8" "3");
  EXPECT_EQ(obsah.substr(obsah.size() - 2), "\r\n");
  EXPECT_TRUE(w.prostredi.zpravy.empty());
  // Paths given with backslashes are written with the program's separator.
  n.cestaSchema = d.cesta() + "\\stanice.yrd";
  n.sirkaCaryNova = 2;
  ZapisNastaveni(w.stav);
  r = RadkySouboru(d.cti("stanovar.ini"));
  ASSERT_EQ(r.size(), 7u);
  EXPECT_EQ(r[0], "\x86stanice.yrd");
  EXPECT_EQ(r[6], "\xB8" "4");
}

TEST(Nastaveni, RoundTripKeepsPathsColoursAndWidth) {
  test::Adresar d;
  test::Svet a;
  Nastaveni& n = a.stav.nastaveni;
  n.startovniAdresar = d.cesta();
  n.cestaSchema = d / "demo.yrd";
  n.cestaGvd = "/srv/jinde/demo.gvd";
  n.cestaLoko = d / "demo.lok";
  n.cestaJazyk = "/srv/jazyky/english.lng";
  n.pozadiNove = RGB(10, 20, 30);
  n.poprediNove = RGB(255, 255, 0);
  n.sirkaCaryNova = 1;
  ZapisNastaveni(a.stav);
  test::Svet b;
  b.stav.nastaveni.startovniAdresar = d.cesta();
  ASSERT_TRUE(NactiNastaveni(b.stav));
  const Nastaveni& m = b.stav.nastaveni;
  EXPECT_EQ(m.cestaSchema, n.cestaSchema);
  EXPECT_EQ(m.cestaGvd, n.cestaGvd);
  EXPECT_EQ(m.cestaLoko, n.cestaLoko);
  EXPECT_EQ(m.cestaJazyk, n.cestaJazyk);
  EXPECT_EQ(m.pozadi, n.pozadiNove);
  EXPECT_EQ(m.popredi, n.poprediNove);
  EXPECT_EQ(m.sirkaCary, 1);
  // Writing what was read gives the same bytes again.
  b.stav.nastaveni.pozadiNove = m.pozadi;
  b.stav.nastaveni.poprediNove = m.popredi;
  b.stav.nastaveni.sirkaCaryNova = m.sirkaCary;
  const std::string prvni = d.cti("stanovar.ini");
  ZapisNastaveni(b.stav);
  EXPECT_EQ(d.cti("stanovar.ini"), prvni);
}

TEST(Nastaveni, ReplacementLeavesNoTemporaryFilesAndNeverHalfAFile) {
  test::Adresar d;
  test::Svet w;
  w.stav.nastaveni.startovniAdresar = d.cesta();
  d.zapis("stanovar.ini", "\x86stara.yrd\r\n");
  // Someone else's file with the name a temporary file would take is left alone.
  d.zapis("stanovar.ini.novy0", "cizi");
  // A second name for the old file shows whether it was rewritten in place (and so could
  // have been left truncated) or replaced whole by a new one.
  std::filesystem::create_hard_link(d / "stanovar.ini", d / "stary-odkaz");
  w.stav.nastaveni.cestaSchema = d / "nova.yrd";
  ZapisNastaveni(w.stav);
  EXPECT_EQ(RadkySouboru(d.cti("stanovar.ini"))[0], "\x86nova.yrd");
  EXPECT_EQ(d.cti("stary-odkaz"), "\x86stara.yrd\r\n");
  std::filesystem::remove(d / "stary-odkaz");
  EXPECT_EQ(d.cti("stanovar.ini.novy0"), "cizi");
  std::size_t souboru = 0;
  for (const auto& e : std::filesystem::directory_iterator(d.cesta())) {
    (void)e;
    ++souboru;
  }
  EXPECT_EQ(souboru, 2u);  // the settings file and the stranger's, nothing left over

  // When the new file cannot take the old one's place, the old one stays as it was, and the
  // user is told once however often saving fails.
  test::Adresar e;
  test::Svet v;
  v.stav.nastaveni.startovniAdresar = e.cesta();
  e.zapis("stanovar.ini/obsah", "x");  // a folder in the way: the rename must fail
  v.stav.nastaveni.cestaSchema = e / "nova.yrd";
  ZapisNastaveni(v.stav);
  ZapisNastaveni(v.stav);
  EXPECT_TRUE(std::filesystem::is_directory(e / "stanovar.ini"));
  EXPECT_EQ(e.cti("stanovar.ini/obsah"), "x");
  souboru = 0;
  for (const auto& f : std::filesystem::directory_iterator(e.cesta())) {
    (void)f;
    ++souboru;
  }
  EXPECT_EQ(souboru, 1u);
  ASSERT_EQ(v.prostredi.zpravy.size(), 1u);
  EXPECT_EQ(v.prostredi.zpravy[0], "Soubor stanovar.ini nelze otev\xf8\xedt.");

  // A start folder that is gone: nothing written, told once.
  test::Svet x;
  x.stav.nastaveni.startovniAdresar = d / "neni";
  ZapisNastaveni(x.stav);
  ZapisNastaveni(x.stav);
  EXPECT_FALSE(std::filesystem::exists(d / "neni"));
  EXPECT_EQ(x.prostredi.zpravy.size(), 1u);
}

namespace {
// Refuses to open the settings file for reading, as a file without read permission does.
struct NecitelneNastaveni : test::SkriptovaneProstredi {
  std::FILE* otevriProCteni(const std::string& cesta) override {
    return cesta.find("stanovar.ini") != std::string::npos ? nullptr : Prostredi::otevriProCteni(cesta);
  }
};
}  // namespace

// The user's settings file survives whatever stands in the way: a file that cannot be read
// is reported and never replaced, a link stays a link to the file that gets the settings,
// permissions stay, and temporary files left by a crash neither stop saving nor pile up.
TEST(Nastaveni, TheUsersFileSurvives) {
  namespace fs = std::filesystem;
  {
    test::Adresar d;
    const std::string puvodni = "\x86moje.yrd\r\n\xB8" "3\r\n";
    d.zapis("stanovar.ini", puvodni);
    test::ZaznamovePlatno platno;
    NecitelneNastaveni prostredi;
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    Spust(s, d.cesta());
    EXPECT_TRUE(prostredi.zpravy.empty());  // the window comes up first
    ZapisNastaveni(s);
    ZapisNastaveni(s);
    EXPECT_EQ(d.cti("stanovar.ini"), puvodni);
    ASSERT_EQ(prostredi.zpravy.size(), 1u);  // told once, when saving is refused
    EXPECT_EQ(prostredi.zpravy[0], "Soubor stanovar.ini nelze otev\xf8\xedt.");
  }
  {
    test::Adresar d;
    d.zapis("jinde/skutecne.ini", "\x86stara.yrd\r\n");
    fs::permissions(d / "jinde/skutecne.ini", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("jinde/skutecne.ini", d / "stanovar.ini");
    // Leftovers of crashed runs, an hour old: every name a temporary file might take.
    for (int i = 0; i < 100; ++i) {
      std::string jmeno = "jinde/skutecne.ini.novy" + std::to_string(i);
      d.zapis(jmeno, "zbytek");
      fs::last_write_time(d / jmeno, fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    test::Svet w;
    w.stav.nastaveni.startovniAdresar = d.cesta();
    ASSERT_TRUE(NactiNastaveni(w.stav));
    w.stav.nastaveni.cestaSchema = d / "nova.yrd";
    ZapisNastaveni(w.stav);
    EXPECT_TRUE(w.prostredi.zpravy.empty());
    EXPECT_TRUE(fs::is_symlink(d / "stanovar.ini"));
    EXPECT_EQ(RadkySouboru(d.cti("jinde/skutecne.ini"))[0], "\x86nova.yrd");
    EXPECT_EQ(fs::status(d / "jinde/skutecne.ini").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    std::size_t souboru = 0;
    for (const auto& e : fs::directory_iterator(d / "jinde")) souboru += e.is_regular_file();
    EXPECT_EQ(souboru, 1u);
  }
}
