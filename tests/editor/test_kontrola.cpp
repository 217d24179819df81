// The station checker on the shipped stations (nothing to report) and on broken copies of the
// demo station, each with one planted problem that must be found at its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <vector>

#include "editor/editor.h"
#include "files/pomoc.h"

using namespace stanovar;
using stanovar::test::Adresar;

namespace {

// The demo folder copied into a temporary one, with one file changed line by line.
struct Kopie {
  explicit Kopie(const std::string& zdroj) {
    for (const auto& e : std::filesystem::directory_iterator(zdroj))
      if (e.is_regular_file())
        std::filesystem::copy_file(e.path(), a.cesta() + "/" + e.path().filename().string());
  }
  std::vector<std::string> Radky(const std::string& soubor) {
    std::vector<std::string> r;
    std::string t = a.cti(soubor);
    for (std::size_t p = 0; p < t.size();) {
      std::size_t z = t.find("\r\n", p);
      r.push_back(t.substr(p, z - p));
      p = z + 2;
    }
    return r;
  }
  void Zapis(const std::string& soubor, const std::vector<std::string>& radky) {
    std::string t;
    for (const auto& r : radky) t += r + "\r\n";
    a.zapis(soubor, t);
  }
  Adresar a;
};

// "|" stands for the schema's separator byte; names are windows-1250.
std::string Y(std::string t) {
  for (char& c : t)
    if (c == '|') c = '\x85';
  return t;
}

struct Zavada {
  const char* popis;
  const char* soubor;
  int radek;            // line replaced; 0 appends, a negative value inserts before -radek
  std::vector<std::string> text;
  std::vector<std::pair<int, std::string>> chyby;     // expected errors: line, words
  std::vector<std::pair<int, std::string>> varovani;  // expected warnings: line, words
};

const std::vector<Zavada> Zavady = {
    {"signal beside any track end", "demo.yrd", 42, {"3|156|240"}, {{42, "drops it"}}, {}},
    {"connector off the grid", "demo.yrd", 10, {"2|150|216|163|216|0|30|100|0|1"},
     {{10, "off the 6 x 12"}}, {}},
    {"sloping track", "demo.yrd", 3, {"1|264|192|510|204|10|560|4|80|0"},
     {{3, "horizontal"}}, {}},
    {"connector of a wrong slope", "demo.yrd", 13, {"2|162|216|186|240|0|40|40|1|1"},
     {{13, "diagonal"}}, {}},
    {"unknown line kind", "demo.yrd", -21, {"7|1|2"}, {{21, "unknown line kind '7'"}}, {}},
    {"empty first line", "demo.yrd", -1, {""}, {{1, "unknown line kind"}}, {}},
    {"line end beside its track", "demo.yrd", 64, {"6|24|216|0|LIPOVEC|1|2"},
     {{64, "drops it"}}, {}},
    {"line end of kind 4", "demo.yrd", 66, {"6|774|240|0|KAMENEC|2|4"},
     {{66, "direction kind 4"}}, {}},
    {"duplicate track number", "demo.yrd", 6, {"1|258|264|522|264|0|650|1|80|0"},
     {{6, "duplicate track number: also used by the track at line 5"}}, {}},
    {"platform beside any track", "demo.yrd", 0, {"5|300|474|444|0|X"}, {{68, "platform"}}, {}},
    {"label off the picture", "demo.yrd", 60, {"4|780|0|150|0|Lesn\xe1|16"}, {},
     {{60, "outside the 792 x 480 picture"}}},
    {"steep station track", "demo.yrd", 4, {"1|258|216|522|216|120|680|2|80|0"}, {},
     {{4, "gradient 12 per mille"}}},
    {"speed beyond a byte", "demo.yrd", 8, {"1|642|240|774|240|-20|2800|K1|300|0"}, {},
     {{8, "speed limit 300 km/h is outside 10..200 (stored as 44)"}}},
    {"speed limit whose low byte is 0", "demo.yrd", 8, {"1|642|240|774|240|-20|2800|K1|256|0"},
     {}, {{8, "(stored as 0): no route is set over it"}}},
    {"train of no length", "demo.gvd", 2, {"*R#852#LIPOVEC#DUBNO#0#420#140#E16"}, {},
     {{2, "length 0 m: the train runs as 1 m long"}}},
    {"isolated platform track", "demo.yrd", 0,
     {"1|300|420|360|420|0|200|9|60|0", "5|300|360|420|0|LESN\xc1"}, {},
     {{68, "not reachable"}, {68, "no exit line"}}},
    {"entry that leads nowhere", "demo.yrd", 41, {"2|606|264|612|264|0|60|60|0|1"}, {},
     {{54, "no platform track can be reached"}}},
    {"unknown origin", "demo.gvd", 2, {"*R#852#KAMEN#LIPOVEC#240#420#140#E16"},
     {{2, "origin \"KAMEN\""}}, {}},
    {"destination that only sends trains", "demo.gvd", 3,
     {"*R#853#LIPOVEC#LIPOVCE#265#470#140#E16"}, {{3, "destination \"LIPOVCE\""}}, {}},
    {"locomotive not in the list", "demo.gvd", 7, {"*Sp#1941#LIPOVEC#DUBNO#80#120#100#D11"},
     {{7, "locomotive \"D11\" is not in demo.lok"}}, {}},
};

bool Obsahuje(const VysledekKontroly& v, bool chyba, const std::string& soubor, int radek,
              const std::string& slova) {
  for (const Nalez& n : v.nalezy)
    if (n.chyba == chyba && n.soubor == soubor && n.radek == radek &&
        n.Text().find(slova) != std::string::npos)
      return true;
  return false;
}

std::string Vypis(const VysledekKontroly& v) {
  std::string t;
  for (const Nalez& n : v.nalezy) t += n.Text() + "\n";
  return t;
}

}  // namespace

TEST(KontrolaStanice, ShippedStationsAreCleanWithAllTheirRoutes) {
  // The single-track lines of the second station serve only its lower group of tracks.
  for (auto [slozka, bezCesty] : {std::pair{"", 0}, std::pair{"/vlci_brod", 3 * 8}}) {
    const std::string cesta = std::string(STANOVAR_DATA_DIR) + slozka;
    const VysledekKontroly v = ZkontrolujStanici(cesta);
    EXPECT_TRUE(v.nalezy.empty()) << cesta << "\n" << Vypis(v);
    int chybi = 0;
    for (std::size_t p = 0; (p = v.souhrn.find("no route", p)) != std::string::npos; ++p) ++chybi;
    EXPECT_EQ(chybi, bezCesty) << v.souhrn;
    EXPECT_NE(v.souhrn.find("0 errors, 0 warnings"), std::string::npos);
    // The settings file itself may be named instead of its folder.
    EXPECT_EQ(ZkontrolujStanici(cesta + "/stanovar.ini").souhrn, v.souhrn);
  }
  // Every route of the demo: 3 entry signals times 5 platform tracks, each with its length
  // and speed limit from the route search.
  const VysledekKontroly v = ZkontrolujStanici(STANOVAR_DATA_DIR);
  std::istringstream in(v.souhrn);
  int tras = 0;
  for (std::string r; std::getline(in, r);) tras += r.find(" m, ") != std::string::npos;
  EXPECT_EQ(tras, 15) << v.souhrn;
  EXPECT_NE(v.souhrn.find("to track \"1\": 910 m, 100 km/h"), std::string::npos) << v.souhrn;
}

TEST(KontrolaStanice, EveryPlantedProblemIsFoundAtItsLine) {
  for (const Zavada& z : Zavady) {
    SCOPED_TRACE(z.popis);
    Kopie k(STANOVAR_DATA_DIR);
    std::vector<std::string> radky = k.Radky(z.soubor);
    std::vector<std::string> nove;
    for (const auto& t : z.text) nove.push_back(std::string(z.soubor).ends_with(".yrd") ? Y(t) : t);
    if (z.radek > 0) {
      ASSERT_EQ(nove.size(), 1u);
      radky[static_cast<std::size_t>(z.radek - 1)] = nove[0];
    } else if (z.radek < 0) {
      radky.insert(radky.begin() + (-z.radek - 1), nove.begin(), nove.end());
    } else {
      radky.insert(radky.end(), nove.begin(), nove.end());
    }
    k.Zapis(z.soubor, radky);

    const VysledekKontroly v = ZkontrolujStanici(k.a.cesta());
    for (const auto& [radek, slova] : z.chyby)
      EXPECT_TRUE(Obsahuje(v, true, z.soubor, radek, slova)) << radek << " " << slova << "\n"
                                                             << Vypis(v);
    for (const auto& [radek, slova] : z.varovani)
      EXPECT_TRUE(Obsahuje(v, false, z.soubor, radek, slova)) << radek << " " << slova << "\n"
                                                              << Vypis(v);
    // In the changed file errors are reported only where they were planted. A problem may
    // well have consequences elsewhere: tracks left unreachable (warnings), or trains of a
    // line that no longer takes them (errors of the timetable).
    std::set<int> zasazene;
    for (const auto& c : z.chyby) zasazene.insert(c.first);
    for (const Nalez& n : v.nalezy) {
      if (n.chyba && n.soubor == z.soubor) {
        EXPECT_TRUE(zasazene.count(n.radek)) << n.Text();
      }
    }
    EXPECT_EQ(v.Chyb() > 0, !z.chyby.empty());
  }
}

TEST(KontrolaStanice, MissingSettingsAndFilesAreErrors) {
  Adresar a;
  VysledekKontroly v = ZkontrolujStanici(a.cesta());
  ASSERT_EQ(v.Chyb(), 1) << Vypis(v);
  EXPECT_NE(v.nalezy[0].zprava.find("no stanovar.ini"), std::string::npos);

  // Another name than stanovar.ini would be ignored by the program.
  a.zapis("jina.ini", "\x86" "demo.yrd\r\n");
  EXPECT_EQ(ZkontrolujStanici(a / "jina.ini").Chyb(), 1);

  // A settings file that names a schema that is not there, and nothing else.
  a.zapis("stanovar.ini", "\x86" "nic.yrd\r\n");
  v = ZkontrolujStanici(a.cesta());
  EXPECT_TRUE(Obsahuje(v, true, "nic.yrd", 0, "cannot read the station schema")) << Vypis(v);
  EXPECT_TRUE(Obsahuje(v, false, "stanovar.ini", 0, "names no timetable: no trains come"))
      << Vypis(v);
}

// A station being drawn names only some of its files: whatever is there is checked all the
// same, and each missing file is a warning that says what follows.
TEST(KontrolaStanice, EveryFileThatIsThereIsCheckedWhateverIsMissing) {
  struct Pripad {
    const char* slozka;
    const char* ini;  // the settings file's lines, CR LF after each
    const char* soubor;
    std::vector<std::pair<int, const char*>> zmeny;  // as in the table above; the last is found
    bool chyba;
    const char* slova;
    std::vector<const char*> chybi;  // what the warnings about missing files say
  };
  const std::vector<Pripad> pripady = {
      {"", "\x86" "demo.yrd", "demo.yrd", {{-21, "7|1|2"}}, true, "unknown line kind '7'",
       {"no trains come", "default locomotive", "built-in texts"}},
      {"", "\x86" "demo.yrd\r\n\xb8" "6demo.lok", "demo.yrd", {{42, "3|156|240"}}, true,
       "drops it",
       {"no trains come", "built-in texts"}},
      {"/vlci_brod", "\x86" "vlci_brod.yrd\r\n\x88" "vlci_brod.gvd", "vlci_brod.gvd",
       {{3, "*R#1#HRADISKO#RYBN\xcdKY#0#420#140#E16"}}, false, "length 0 m",
       {"default locomotive", "built-in texts"}},
      {"/vlci_brod", "\x86" "vlci_brod.yrd", "vlci_brod.yrd",
       {{152, "6|6|180|6001|HRADISKO|1|3"}, {153, "6|6|204|6002|HRADISKO|1|3"}}, false, "a double-track line used both ways",
       {"no trains come"}},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.slova);
    Kopie k(std::string(STANOVAR_DATA_DIR) + p.slozka);
    k.a.zapis("stanovar.ini", std::string(p.ini) + "\r\n");
    std::vector<std::string> radky = k.Radky(p.soubor);
    for (const auto& [radek, text] : p.zmeny) {
      const std::string novy = std::string(p.soubor).ends_with(".yrd") ? Y(text) : text;
      if (radek > 0)
        radky[static_cast<std::size_t>(radek - 1)] = novy;
      else
        radky.insert(radky.begin() + (-radek - 1), novy);
    }
    k.Zapis(p.soubor, radky);
    const VysledekKontroly v = ZkontrolujStanici(k.a.cesta());
    EXPECT_TRUE(Obsahuje(v, p.chyba, p.soubor, std::abs(p.zmeny.back().first), p.slova))
        << Vypis(v);
    for (const char* c : p.chybi)
      EXPECT_TRUE(Obsahuje(v, false, "stanovar.ini", 0, c)) << c << "\n" << Vypis(v);
  }
}

// Nothing of a run comes into the report: no generation has turned a line end into an
// offered one (here the only train comes by a two-way line), so the lines are those the files
// define, and the same files give the same output however often they are checked.
TEST(KontrolaStanice, TheSameFilesAlwaysGiveTheSameOutput) {
  Kopie k(STANOVAR_DATA_DIR);
  k.Zapis("demo.gvd", {"*R#852#KAMENEC#LIPOVEC#240#420#140#E16"});
  const VysledekKontroly prvni = ZkontrolujStanici(k.a.cesta());
  EXPECT_NE(prvni.souhrn.find("Entry lines: LIPOVEC (track \"L2\"), KAMENEC (track \"K1\")"),
            std::string::npos)
      << prvni.souhrn;
  EXPECT_NE(prvni.souhrn.find("Exit lines: LIPOVEC (track \"L1\"), KAMENEC (track \"K1\")"),
            std::string::npos)
      << prvni.souhrn;
  for (int i = 0; i < 20; ++i) {
    const VysledekKontroly v = ZkontrolujStanici(k.a.cesta());
    ASSERT_EQ(Vypis(v) + v.souhrn, Vypis(prvni) + prvni.souhrn) << i;
  }
}

// What the timetable asks of the layout and of the locomotives: one planted problem a row,
// found at its timetable line, with what the author needs to mend it.
TEST(KontrolaStanice, TheTimetableIsCheckedAgainstTheLayoutAndTheLocomotives) {
  struct Pripad {
    std::vector<std::pair<int, std::string>> yrd, gvd;  // lines replaced, as in the table above
    bool chyba;
    int radek;  // of the timetable (of the locomotive list with `lok`)
    const char* slova;
    std::vector<std::pair<int, std::string>> lok = {};
  };
  const std::string zapad = "6|18|216|6001|ZAPAD|1|2";  // LIPOVEC keeps only its arrival line
  const std::vector<Pripad> pripady = {
      {{{64, zapad}}, {{2, "*R#852#LIPOVEC#VYCHOD#240#420#140#E16"}}, true, 2,
       "comes unasked from the arrivals-only line \"LIPOVEC\", but no line departs to \"VYCHOD\""},
      {{{64, zapad}}, {}, true, 2, "destination \"LIPOVEC\" is a line end for arrivals only"},
      {{{64, zapad}}, {{2, "*R#852#ZAPAD#KAMENEC#240#420#140#E16"}}, true, 2,
       "origin \"ZAPAD\" is a line end for departures only"},
      {{}, {{2, "*R#852#KAMENEC#LIPOVEC#900#420#140#E16"}}, false, 2,
       "at 900 m it is longer than every platform track (the longest, track \"1\", is 740 m)"},
      {{}, {{23, "*Mn#66451#LIPOVEC#DUBNO#220#520#60#M8"}}, false, 23,
       "too weak for the climb of 8 per mille on track \"D1\" on its way: behind locomotive \"M8\" with "
       "520 t it cannot start there"},
      {{}, {{7, "*Sp#1941#LIPOVEC#DUBNO#80#1000#100#D8"}}, false, 7,
       "too weak for the climb of 8 per mille on track \"D1\" on its way: behind locomotive \"D8\" with "
       "1000 t it holds only 30 km/h there (of 80)"},
      {{}, {{7, "*Sp#1941#LIPOVEC#DUBNO#80#12o#100#D10XY"}}, false, 7,
       "locomotive \"D10XY\" longer than 4 characters: read as \"D10X\""},
      {{}, {{7, "*Sp#1941#LIPOVEC#DUBNO#80#12o#100#D10"}}, false, 7, "weight \"12o\" read as 12: what follows"},
      {{}, {}, false, 2, "name \"LOKOMOTIVA\" longer than 8 characters: read as \"LOKOMOTI\"",
       {{2, "*x#LOKOMOTIVA#120#3060"}}},
      {{}, {}, false, 3, "power \"x\" not a number: read as 0", {{3, "*x#E10#100#x#120"}}},
      {{}, {}, false, 3, "the name is also used by the locomotive at line 1: trains always get that one",
       {{3, "*x#E16#100"}}},
      // Downhill the same train is no trouble: the climb is the other way.
      {{}, {{24, "*Mn#66452#DUBNO#LIPOVEC#180#520#60#M8"}}, false, 0, nullptr},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.slova ? p.slova : "downhill");
    Kopie k(STANOVAR_DATA_DIR);
    for (const auto& [soubor, zmeny] :
         {std::pair{"demo.yrd", &p.yrd}, std::pair{"demo.gvd", &p.gvd}, std::pair{"demo.lok", &p.lok}}) {
      std::vector<std::string> radky = k.Radky(soubor);
      for (const auto& [radek, text] : *zmeny)
        radky[static_cast<std::size_t>(radek - 1)] = std::string(soubor).ends_with(".yrd") ? Y(text) : text;
      k.Zapis(soubor, radky);
    }
    const VysledekKontroly v = ZkontrolujStanici(k.a.cesta());
    if (!p.slova) {
      EXPECT_EQ(v.Chyb() + v.Varovani(), 0) << Vypis(v);
      continue;
    }
    const std::string soubor = p.lok.empty() ? "demo.gvd" : "demo.lok";
    EXPECT_TRUE(Obsahuje(v, p.chyba, soubor, p.radek, p.slova)) << Vypis(v);
    // The finding names its record, so that the window can show the row.
    for (const Nalez& n : v.nalezy)
      if (n.soubor == soubor && n.radek == p.radek) EXPECT_EQ(n.zaznam, p.radek - 1);
  }
}
