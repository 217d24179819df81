#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "fakes/svet.h"
#include "files/cteni.h"
#include "files/pomoc.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"

using namespace stanovar;
using test::Y;

namespace {

const std::string Stanice = Y("1", {"0", "12", "60", "12", "0", "100", "1", "80", "0"}) +
                            Y("1", {"60", "12", "120", "12", "0", "100", "2", "80", "0"}) +
                            Y("3", {"60", "12"}) + Y("6", {"0", "12", "", "alfa", "", "3"});
const std::string Jizdy = "*#101#ALFA#BETA\r\n*#102#BETA#ALFA\r\n";
const std::string Stroje = "*#E10#100\r\n";
const std::string Jazyk = "026Cetnost \r\n027Rychlost \r\n036Nelze \r\n037!\r\n001Soubor\r\n";

// A start folder with the station files and a settings file naming them.
struct Slozka {
  explicit Slozka(const std::string& ini) {
    d.zapis("s.yrd", Stanice);
    d.zapis("s.gvd", Jizdy);
    d.zapis("s.lok", Stroje);
    d.zapis("j.lng", Jazyk);
    d.zapis("stanovar.ini", ini);
  }
  test::Adresar d;
};

const std::string UplneIni = "\x86s.yrd\r\n\x88s.gvd\r\n\xB8" "6s.lok\r\n\xB8" "8j.lng\r\n";

}  // namespace

TEST(Spust, WithoutSettingsFileStartsEmptyWithDefaults) {
  test::Adresar d;
  test::Svet w;
  w.prostredi.cas = 0.25;
  w.stav.RychlostSim = 5;
  w.stav.CetnostVlaku = 9;
  Spust(w.stav, d.cesta() + "/");
  const Stav& s = w.stav;
  EXPECT_EQ(s.nastaveni.startovniAdresar, d.cesta());  // trailing separator dropped
  EXPECT_EQ(s.nastaveni.sirkaCary, 2);
  EXPECT_EQ(s.nastaveni.pozadi, RGB(136, 136, 136));
  EXPECT_EQ(s.nastaveni.popredi, RGB(0, 0, 0));
  EXPECT_EQ(s.nastaveni.sirkaCaryNova, 2);
  EXPECT_EQ(s.nastaveni.pozadiNove, RGB(136, 136, 136));
  EXPECT_EQ(s.nastaveni.velikostTextu, 7);
  EXPECT_FALSE(s.okno.kompaktni);
  EXPECT_EQ(s.RychlostSim, 1);
  EXPECT_EQ(s.PosledniRychlost, 0);
  EXPECT_EQ(s.CetnostVlaku, 4);
  EXPECT_DOUBLE_EQ(s.SimZaklad, 0.25);
  EXPECT_DOUBLE_EQ(s.RealZnacka, 0.25);
  EXPECT_TRUE(s.Koleje.empty());
  EXPECT_TRUE(s.nastaveni.cestaSchema.empty());
  // No language file: the built-in texts, in the labels and in the menus.
  EXPECT_EQ(s.okno.RychlostSimLabel, "Rychlost simulace: 1");
  EXPECT_EQ(s.okno.CetnostVlakuLabel, "\xc8" "etnost vlak\xf9: 4");
  EXPECT_EQ(s.okno.MenuOtevrit, "&Otev\xf8\xedt n\xe1" "dra\x9e\xed");
  EXPECT_TRUE(w.prostredi.zpravy.empty());
  // The picture was cleared to the background.
  auto obd = w.platno.jen("obdelnik");
  ASSERT_FALSE(obd.empty());
  EXPECT_EQ(obd[0].a, (std::vector<int>{0, 0, 800, 540, 0x888888, 0x888888}));
}

TEST(Spust, LoadsLanguageLocomotivesSchemaAndTimetable) {
  Slozka f(UplneIni + "\xB8" "1clWhite\r\n\xB8" "2$000000ff\r\n\xB8" "3\r\n");
  test::Svet w;
  w.prostredi.dpiHodnota = 96;
  Spust(w.stav, f.d.cesta());
  const Stav& s = w.stav;
  EXPECT_TRUE(w.prostredi.zpravy.empty());
  EXPECT_EQ(s.Koleje.size(), 2u);
  EXPECT_EQ(s.Navestidla.size(), 1u);
  EXPECT_EQ(s.Sousede.size(), 1u);
  EXPECT_EQ(s.Sousede[0].jmeno, "ALFA");
  EXPECT_EQ(s.PocetSpoju, 2);
  EXPECT_EQ(s.Grafikon[1].cislo, 102);
  ASSERT_EQ(s.Lokomotivy.size(), 1u);
  EXPECT_EQ(s.Lokomotivy[0].maxRychlost, 100);
  EXPECT_EQ(s.okno.MenuSoubor, "Soubor");
  EXPECT_EQ(s.okno.RychlostSimLabel, "Rychlost 1");
  EXPECT_EQ(s.okno.CetnostVlakuLabel, "Cetnost 4");
  // Settings from the file are active and become the pending ones too.
  EXPECT_EQ(s.nastaveni.pozadi, RGB(255, 255, 255));
  EXPECT_EQ(s.nastaveni.popredi, RGB(255, 0, 0));
  EXPECT_EQ(s.nastaveni.sirkaCary, 1);
  EXPECT_EQ(s.nastaveni.pozadiNove, RGB(255, 255, 255));
  EXPECT_EQ(s.nastaveni.poprediNove, RGB(255, 0, 0));
  EXPECT_EQ(s.nastaveni.sirkaCaryNova, 1);
  EXPECT_EQ(s.okno.pozadi, RGB(255, 255, 255));
  // A 96 dots-per-inch screen: compact layout and 9-point track numbers.
  EXPECT_TRUE(s.okno.kompaktni);
  EXPECT_EQ(s.nastaveni.velikostTextu, 9);
  bool devitibodove = false;
  for (const auto& t : w.platno.jen("text"))
    if (t.t == "1") devitibodove = t.a[4] == 9;
  EXPECT_TRUE(devitibodove);
  // The station is drawn on the picture cleared in the colours from the file.
  auto obd = w.platno.jen("obdelnik");
  int posledniCisteni = -1;
  for (std::size_t i = 0; i < obd.size(); ++i)
    if (obd[i].a[0] == 0 && obd[i].a[1] == 0 && obd[i].a[2] == 800) posledniCisteni = int(i);
  ASSERT_GE(posledniCisteni, 0);
  EXPECT_EQ(obd[posledniCisteni].a[5], 0xFFFFFF);
}

TEST(Spust, LanguageIsReadFirstSoLaterFailuresUseItsTexts) {
  Slozka f("\x86neni.yrd\r\n\x88s.gvd\r\n\xB8" "6s.lok\r\n\xB8" "8j.lng\r\n\xB8" "1zadna\r\n");
  test::Svet w;
  Spust(w.stav, f.d.cesta());
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_EQ(w.prostredi.zpravy[0], "Nelze neni.yrd!");
  // The bad colour took its default and the other files still loaded.
  EXPECT_EQ(w.stav.nastaveni.pozadi, RGB(136, 136, 136));
  EXPECT_EQ(w.stav.PocetSpoju, 2);
  EXPECT_EQ(w.stav.Lokomotivy.size(), 1u);
  EXPECT_TRUE(w.stav.Koleje.empty());
}

TEST(Spust, WidthLineAloneChangesOnlyTheWidth) {
  Slozka f("\xB8" "3\r\n");
  test::Svet w;
  Spust(w.stav, f.d.cesta());
  EXPECT_EQ(w.stav.nastaveni.sirkaCary, 1);
  EXPECT_EQ(w.stav.nastaveni.sirkaCaryNova, 1);
  EXPECT_EQ(w.stav.nastaveni.pozadi, RGB(136, 136, 136));
  EXPECT_TRUE(w.stav.Koleje.empty());
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

TEST(ZrusitVse, EmptiesEverythingButKeepsClockAndLanguage) {
  Slozka f(UplneIni);
  test::Svet w;
  Spust(w.stav, f.d.cesta());
  Stav& s = w.stav;
  s.Vlaky.emplace_back();
  s.Nabidky.emplace_back();
  s.Cesty.emplace_back();
  s.CekajiciCesty.emplace_back();
  s.HledanaCesta.emplace_back();
  s.UlozenaCesta.emplace_back();
  s.fronta.vloz(RUdalost{0, 0, 0, 0, 0.6, 8});
  s.VyberCesty = true;
  s.RychlostSim = 3;
  const double zaklad = s.SimZaklad;
  w.platno.smaz();
  ZrusitVse(s);
  EXPECT_TRUE(s.Koleje.empty() && s.Spojky.empty() && s.Navestidla.empty() && s.Sousede.empty());
  EXPECT_TRUE(s.Grafikon.empty() && s.Lokomotivy.empty());
  EXPECT_TRUE(s.Vlaky.empty() && s.Nabidky.empty() && s.Cesty.empty() && s.CekajiciCesty.empty());
  EXPECT_TRUE(s.HledanaCesta.empty() && s.UlozenaCesta.empty());
  EXPECT_TRUE(s.fronta.prazdna());
  EXPECT_EQ(s.PocetSpoju, 0);
  EXPECT_FALSE(s.VyberCesty);
  EXPECT_EQ(KolejVBode(s, 60, 12), nullptr);  // the point index went with the tracks
  EXPECT_EQ(NavestidloVBode(s, 60, 12), nullptr);
  EXPECT_EQ(s.RychlostSim, 3);
  EXPECT_DOUBLE_EQ(s.SimZaklad, zaklad);
  EXPECT_EQ(s.Text(1), "Soubor");
  ASSERT_EQ(w.platno.jen("obdelnik").size(), 1u);  // the picture cleared, nothing drawn
  EXPECT_EQ(w.platno.jen("obdelnik")[0].a[2], 800);
}

TEST(OtevriStanici, ReopeningNumbersAfreshAndTakesNewPaths) {
  Slozka f(UplneIni);
  test::Svet w;
  Spust(w.stav, f.d.cesta());
  Stav& s = w.stav;
  OtevriStanici(s);
  EXPECT_EQ(s.Koleje.size(), 2u);
  EXPECT_EQ(s.Koleje.back().id, 2);
  EXPECT_EQ(s.Navestidla[0].id, 12001);
  EXPECT_EQ(s.PocetSpoju, 2);
  EXPECT_EQ(s.Lokomotivy.size(), 1u);
  // Another station: only what its files hold.
  f.d.zapis("jina.yrd", Y("1", {"0", "24", "60", "24"}));
  s.nastaveni.cestaSchema = f.d / "jina.yrd";
  s.nastaveni.cestaGvd = "";
  OtevriStanici(s);
  ASSERT_EQ(s.Koleje.size(), 1u);
  EXPECT_EQ(s.Koleje[0].y1, 24);
  EXPECT_TRUE(s.Navestidla.empty());
  EXPECT_EQ(s.PocetSpoju, 0);
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

// The demo folder that ships with the program loads completely and silently.
TEST(Demo, StartsFromTheDataFolder) {
  const std::string data = STANOVAR_DATA_DIR;
  std::string ini;
  if (!NactiSoubor(data + "/stanovar.ini", ini)) GTEST_SKIP() << "no demo data";
  test::Svet w;
  Spust(w.stav, data);
  const Stav& s = w.stav;
  EXPECT_TRUE(w.prostredi.zpravy.empty());

  // Count the lines of each kind straight from the files: every signal and line end of the
  // demo must stand on a track end, or it would have been dropped.
  std::string yrd, gvd, lok;
  ASSERT_TRUE(NactiSoubor(s.nastaveni.cestaSchema, yrd));
  ASSERT_TRUE(NactiSoubor(s.nastaveni.cestaGvd, gvd));
  ASSERT_TRUE(NactiSoubor(s.nastaveni.cestaLoko, lok));
  std::size_t druhu[8] = {};
  for (auto r : Radky(yrd)) {
    auto p = r.find('\x85');
    if (p != std::string_view::npos && p > 0 && r[p - 1] >= '1' && r[p - 1] <= '6')
      ++druhu[r[p - 1] - '0'];
  }
  EXPECT_GT(druhu[1], 0u);
  EXPECT_EQ(s.Koleje.size(), druhu[1]);
  EXPECT_EQ(s.Spojky.size(), druhu[2]);
  EXPECT_EQ(s.Navestidla.size(), druhu[3]);
  EXPECT_EQ(s.Sousede.size(), druhu[6]);
  EXPECT_GT(s.PocetSpoju, 0);
  EXPECT_EQ(static_cast<std::size_t>(s.PocetSpoju), std::count(gvd.begin(), gvd.end(), '*'));
  EXPECT_EQ(s.Lokomotivy.size(), static_cast<std::size_t>(std::count(lok.begin(), lok.end(), '*')));
  for (int n = 1; n <= 37; ++n) EXPECT_FALSE(s.Text(n).empty()) << "text " << n;

  // Every train comes from and goes to a line end of the station, and its locomotive exists.
  for (const RSpoj& sp : s.Grafikon) {
    bool odkud = false, kam = false, loko = false;
    for (const RSoused& so : s.Sousede) {
      odkud |= so.jmeno == sp.odkud && so.druh != 2;
      kam |= so.jmeno == sp.kam && so.druh != 1;
    }
    for (const RLoko& l : s.Lokomotivy) loko |= l.jmeno == sp.loko;
    EXPECT_TRUE(odkud && kam && loko) << "train " << sp.cislo;
  }
}

// Every reader at once on noise: the start-up still completes and keeps its invariants.
TEST(Spust, NoiseInEveryFileStillStarts) {
  std::mt19937 g(99);
  auto sum = [&](std::size_t n) {
    std::string r;
    const char typicke[] = "0123456789#*%\x85\xB8\r\n ABCabc";
    for (std::size_t i = 0; i < n; ++i)
      r += g() % 3 ? typicke[g() % (sizeof typicke - 1)] : static_cast<char>(g() & 0xFF);
    return r;
  };
  for (int kolo = 0; kolo < 5; ++kolo) {
    test::Adresar d;
    d.zapis("s.yrd", sum(30000));
    d.zapis("s.gvd", sum(30000));
    d.zapis("s.lok", sum(30000));
    d.zapis("j.lng", sum(30000));
    // Noise after valid lines: the valid lines still name the files, the noise may not.
    d.zapis("stanovar.ini", UplneIni + sum(2000));
    test::Svet w;
    Spust(w.stav, d.cesta());
    const Stav& s = w.stav;
    EXPECT_TRUE(s.nastaveni.sirkaCary == 1 || s.nastaveni.sirkaCary == 2);
    EXPECT_EQ(static_cast<std::size_t>(s.PocetSpoju), s.Grafikon.size());
    for (std::size_t i = 0; i < s.Koleje.size(); ++i) EXPECT_EQ(s.Koleje[i].id, int(i) + 1);
    for (const RLoko& l : s.Lokomotivy) EXPECT_LE(l.jmeno.size(), 8u);
    for (const RSpoj& sp : s.Grafikon) EXPECT_LE(sp.loko.size(), 4u);
  }
}
