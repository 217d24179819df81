// The editor's document of a schema: what it did not change it writes back byte for byte,
// whatever it did change reads back as the document, and every edit undoes to the bytes it
// started from.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/platno.h"
#include "jadro.h"
#include "model/stav.h"
#include "model/text.h"

#include <unistd.h>

using namespace stanovar;
using namespace stanovar::editor;
namespace fs = std::filesystem;

namespace {

std::string Cti(const fs::path& p) {
  std::string t;
  EXPECT_TRUE(NactiSoubor(p.string(), t)) << p;
  return t;
}

// The station the program's own reader makes of schema bytes, as a comparable text.
std::string CoCteSchema(const std::string& bajty) {
  PrazdnePlatno platno(800, 600);
  Stav s;
  s.platno = &platno;
  CtiSchema(s, bajty);
  std::string t;
  for (const RKolej& k : s.Koleje)
    t += "K" + std::to_string(k.id) + " " + std::to_string(k.x1) + "," + std::to_string(k.y1) + "-" +
         std::to_string(k.x2) + "," + std::to_string(k.y2) + " " + k.cislo + " " + k.stanice + " " + k.soused + "\n";
  for (const RKolej& k : s.Spojky)
    t += "S" + std::to_string(k.id) + " " + std::to_string(k.x1) + "," + std::to_string(k.y1) + "\n";
  for (const RNavestidlo& n : s.Navestidla) t += "N" + std::to_string(n.id) + " " + std::to_string(n.strana) + "\n";
  for (const RSoused& so : s.Sousede) t += "L" + so.jmeno + std::to_string(so.konec) + "\n";
  return t;
}

const char O = '\x85';

// What the program's reader makes of a timetable's or locomotive list's bytes, one line a
// record, as a comparable text.
std::string CoCteSeznam(DruhSeznamu druh, const std::string& bajty) {
  PrazdnePlatno platno(800, 600);
  Stav s;
  s.platno = &platno;
  std::string t;
  if (druh == DruhSeznamu::Grafikon) {
    CtiGvd(s, bajty);
    for (const RSpoj& z : s.Grafikon)
      for (const std::string& x : {std::to_string(z.cislo), z.odkud, z.kam, std::to_string(z.delka), std::to_string(z.hmotnost),
                                   std::to_string(z.maxRychlost), z.loko, std::to_string(z.hodnotaA),
                                   std::to_string(z.hodnotaB), std::to_string(z.hodnotaC)})
        t += x + "|";
  } else {
    CtiLoko(s, bajty);
    for (const RLoko& z : s.Lokomotivy)
      for (const std::string& x : {z.jmeno, std::to_string(z.maxRychlost), std::to_string(z.vykon), std::to_string(z.hmotnost),
                                   std::to_string(z.rychlost1), std::to_string(z.rychlost2), RealNaText(z.odporA),
                                   RealNaText(z.odporB), RealNaText(z.odporC), RealNaText(z.soucinitelHmot)})
        t += x + "|";
  }
  return t;
}

// The same as the plain model has it: each slot's text judged on its own, an empty one
// leaving the default.
std::string CoRikaModel(const Seznam& s) {
  const bool g = s.druh == DruhSeznamu::Grafikon;
  const RLoko l;
  const std::vector<std::string> vychozi =
      g ? std::vector<std::string>{"0", "", "", "250", "500", "80", "141", "0", "9999", "9999"}
        : std::vector<std::string>{"", std::to_string(l.maxRychlost), "2000", "80", "50", "70", RealNaText(l.odporA),
                                   RealNaText(l.odporB), RealNaText(l.odporC), RealNaText(l.soucinitelHmot)};
  std::string t;
  for (const Zaznam& z : s.zaznamy)
    for (std::size_t slot = 1; slot <= PocetPoliZaznamu; ++slot) {
      const Posudek p = PosudPole(s.druh, slot, z.pole[slot]);
      t += (z.pole[slot].empty() ? vychozi[slot - 1] : p.hodnota) + "|";
    }
  return t;
}

}  // namespace

TEST(Dokument, UnchangedFilesAreWrittenBackByteForByte) {
  std::vector<std::string> soubory;
  for (const char* p : {STANOVAR_DATA_DIR "/demo.yrd", STANOVAR_DATA_DIR "/vlci_brod/vlci_brod.yrd",
                        STANOVAR_TEST_DIR "/data/dvojkolejka/mlynec.yrd"})
    soubory.push_back(Cti(p));
  // What authors' hands and other editors leave: unknown kinds, extra fields, odd spacing,
  // LF and lone CR ends, a missing last end, empty heads that inherit the kind before them.
  const std::string s(1, O);
  soubory.push_back("1" + s + "0" + s + "12" + s + "60" + s + "12\n" + s + "60" + s + "12" + s + "120" + s + "12\n");
  soubory.push_back("x1" + s + " 6 " + s + "+12" + s + "0x3C" + s + "12" + s + s + s + "1a" + s + "80" + s + "0" + s + "extra" + s + "more\r\n");
  soubory.push_back("# a comment\r\n\r\n7" + s + "what\r\n3" + s + "60" + s + "12");
  soubory.push_back("1" + s + "0" + s + "0" + s + "6" + s + "0\r\r\n\r\n\n\r");
  soubory.push_back("");
  soubory.push_back("\n\n");
  for (const std::string& obsah : soubory) {
    const Dokument d = CtiDokument(obsah);
    EXPECT_EQ(ZapisDokument(d), obsah);
    EXPECT_EQ(CtiDokument(ZapisDokument(d)), d);
  }

  // Every timetable and locomotive list of the repository, and what hands leave in them:
  // text before the first "*", two records on a line, a record over several lines, lettered
  // values, LF and lone CR ends, a last line without its end.
  std::vector<std::pair<DruhSeznamu, std::string>> seznamy;
  for (const auto& e : fs::recursive_directory_iterator(fs::path(STANOVAR_TEST_DIR).parent_path())) {
    const std::string cesta = e.path().string();
    if (cesta.find("/build") != std::string::npos || cesta.find("/.git") != std::string::npos) continue;
    if (e.path().extension() == ".gvd") seznamy.emplace_back(DruhSeznamu::Grafikon, Cti(e.path()));
    if (e.path().extension() == ".lok") seznamy.emplace_back(DruhSeznamu::Lokomotivy, Cti(e.path()));
  }
  EXPECT_GE(seznamy.size(), 12u);
  for (DruhSeznamu d : {DruhSeznamu::Grafikon, DruhSeznamu::Lokomotivy})
    for (const char* t : {"", "\r\n", "comment #1\r\n*R#7#A", "*a#1\n#2\r\n*b*#3\r", "**#5#x%A5#6%Zq\r\n",
                          "*R # 12 #lipovec#  #abc\r\r\n\n*#\t9", "*\xe8\xed#\xc8" "ERN\xdd#1e-3#$1F\r\n"})
      seznamy.emplace_back(d, t);
  for (const auto& [druh, obsah] : seznamy) {
    const Seznam s = CtiSeznam(druh, obsah);
    EXPECT_EQ(ZapisSeznam(s), obsah);
    EXPECT_EQ(CtiSeznam(druh, obsah), s);
    EXPECT_EQ(CoRikaModel(s), CoCteSeznam(druh, obsah)) << obsah.substr(0, 80);
  }
}

// Random edits of the shipped stations: after every step the written file reads back as the
// document and as the same station for the program; all undone, the file is the original;
// all redone, it is the edited one.
TEST(Dokument, RandomEditsReadBackUndoAndRedoToTheSameBytes) {
  std::mt19937 g(29);
  auto cislo = [&](int n) { return static_cast<int>(g() % static_cast<unsigned>(n)); };
  // Texts a table's cell may be given, the reader's troubles among them.
  const std::vector<std::string> texty = {"", "7", " 42 ", "12a", "-3", "x", "LIPOVEC", "KAMENECKY", "e16", "E16X",
                                          "1e-3", "0.5 ", "a*b#c%d", "\xc8" "ERN\xdd", "$1F"};
  for (const std::string stanice : {STANOVAR_DATA_DIR "/demo", STANOVAR_DATA_DIR "/vlci_brod/vlci_brod"}) {
    const std::string cesta = stanice + ".yrd";
    const std::string puvodni = Cti(cesta), puvodniGvd = Cti(stanice + ".gvd"), puvodniLok = Cti(stanice + ".lok");
    for (int sada = 0; sada < 400; ++sada) {
      Dokument d = CtiDokument(puvodni);
      Seznam gvd = CtiSeznam(DruhSeznamu::Grafikon, puvodniGvd), lok = CtiSeznam(DruhSeznamu::Lokomotivy, puvodniLok);
      const Soubory f(d, gvd, lok);
      Historie h;
      h.ulozeno();
      const int kroku = 1 + cislo(60);
      for (int i = 0; i < kroku; ++i) {
        std::set<std::size_t> vyber;
        const int n = static_cast<int>(d.radky.size());
        for (int j = cislo(4) + 1; j > 0 && n > 0; --j) vyber.insert(static_cast<std::size_t>(cislo(n)));
        Seznam& sez = cislo(2) ? gvd : lok;
        std::set<std::size_t> zaznamy;
        for (int j = cislo(3) + 1; j > 0 && !sez.zaznamy.empty(); --j)
          zaznamy.insert(static_cast<std::size_t>(cislo(static_cast<int>(sez.zaznamy.size()))));
        auto text = [&] { return texty[static_cast<std::size_t>(cislo(static_cast<int>(texty.size())))]; };
        switch (cislo(10)) {
          case 0: h.proved(f, Smaz(d, vyber)); break;
          case 1: h.proved(f, Posun(d, vyber, 6 * (cislo(9) - 4), 12 * (cislo(5) - 2))); break;
          case 2: h.proved(f, Zrcadli(d, vyber)); break;
          case 6:
            if (cislo(2)) {
              h.proved(f, SmazZaznamy(sez, zaznamy));
            } else {
              std::vector<std::size_t> poradi(sez.zaznamy.size());
              for (std::size_t j = 0; j < poradi.size(); ++j) poradi[j] = j;
              std::shuffle(poradi.begin(), poradi.end(), g);
              h.proved(f, SeradZaznamy(sez, poradi));
            }
            break;
          case 7: h.proved(f, ZdvojZaznamy(sez, zaznamy)); break;
          case 8: {
            std::vector<std::string> pole;
            for (int p = cislo(11); p > 0; --p) pole.push_back(text());
            h.proved(f, PridejZaznamy(sez, static_cast<std::size_t>(cislo(static_cast<int>(sez.zaznamy.size()) + 1)),
                                      {NovyZaznam(pole, text())}, "Add"));
            break;
          }
          case 9:
            if (!zaznamy.empty())
              h.proved(f, ZmenPoleZaznamu(sez, *zaznamy.begin(), static_cast<std::size_t>(cislo(11)), text()));
            break;
          case 3:
            if (n > 0)
              h.proved(f, ZmenPole(d, static_cast<std::size_t>(cislo(n)), 1 + cislo(9),
                                   cislo(3) ? std::to_string(cislo(500)) : std::string("A\r\n\x85 b")));
            break;
          case 4: {
            const std::string druhy = "123456x";
            std::vector<std::string> pole;
            for (int p = cislo(10); p > 0; --p) pole.push_back(std::to_string(6 * cislo(100)));
            h.proved(f, Pridej(d, {NovyRadek(druhy[static_cast<std::size_t>(cislo(7))], pole)}, "Add"));
            break;
          }
          default:
            if (h.lzeZpet() && cislo(2)) h.zpet(f);
            else h.znovu(f);
            break;
        }
        const std::string zapsano = ZapisDokument(d);
        ASSERT_EQ(CtiDokument(zapsano), d) << cesta << " set " << sada << " step " << i;
        ASSERT_EQ(CtiSeznam(sez.druh, ZapisSeznam(sez)), sez) << cesta << " set " << sada << " step " << i << "\n" << ZapisSeznam(sez);
      }
      while (h.znovu(f)) {}  // the newest state the history holds
      const std::string upraveno = ZapisDokument(d), upravenyGvd = ZapisSeznam(gvd), upraveneLok = ZapisSeznam(lok);
      const std::string stanice = CoCteSchema(upraveno);
      // What the reader makes of the edited lists is what each cell's text says on its own.
      EXPECT_EQ(CoCteSeznam(DruhSeznamu::Grafikon, upravenyGvd), CoRikaModel(gvd)) << sada;
      EXPECT_EQ(CoCteSeznam(DruhSeznamu::Lokomotivy, upraveneLok), CoRikaModel(lok)) << sada;
      while (h.zpet(f)) {}
      EXPECT_EQ(ZapisDokument(d), puvodni);
      EXPECT_EQ(ZapisSeznam(gvd), puvodniGvd);
      EXPECT_EQ(ZapisSeznam(lok), puvodniLok);
      EXPECT_FALSE(h.zmeneno());
      while (h.znovu(f)) {}
      EXPECT_EQ(ZapisDokument(d), upraveno);
      EXPECT_EQ(ZapisSeznam(gvd), upravenyGvd);
      EXPECT_EQ(ZapisSeznam(lok), upraveneLok);
      EXPECT_EQ(CoCteSchema(ZapisDokument(d)), stanice);
    }
  }
}

TEST(Dokument, MovesAndMirrorsEveryKindByItsOwnCoordinates) {
  const std::string s(1, O);
  Dokument d = CtiDokument("1" + s + "60" + s + "12" + s + "120" + s + "24" + s + "5" + s + "300" + s + "7\r\n" +
                           "3" + s + "60" + s + "12\r\n4" + s + "66" + s + "0" + s + "30" + s + "0" + s + "Text\r\n" +
                           "5" + s + "66" + s + "114" + s + "12" + s + "0" + s + "ANO\r\n");
  Dokument m = d;
  Proved(m, Posun(m, {0, 1, 2, 3}, 6, 12));
  EXPECT_EQ(PolohaRadku(m.radky[0]).x1, 66);
  EXPECT_EQ(PolohaRadku(m.radky[0]).y2, 36);
  EXPECT_EQ(m.radky[0].pole[5], "5") << "not a coordinate";
  EXPECT_EQ(PolohaRadku(m.radky[2]).y1, 42) << "a label's y is its third field";
  EXPECT_EQ(PolohaRadku(m.radky[3]).x2, 120);
  Proved(m, Zrcadli(m, {0, 1, 2, 3}));
  // About the middle of 66..126: the track runs from its left end still, its rows swapped.
  EXPECT_EQ(m.radky[0].cislo(1), 66);
  EXPECT_EQ(m.radky[0].cislo(2), 36);
  EXPECT_EQ(m.radky[0].cislo(3), 126);
  EXPECT_EQ(m.radky[0].cislo(4), 24);
  EXPECT_EQ(m.radky[1].cislo(1), 126);
  EXPECT_EQ(m.radky[3].cislo(1), 72);
  EXPECT_EQ(m.radky[3].cislo(2), 120);
}

// A station drawn from an empty folder: saved, it opens in the program and trains run
// through it; and the check sees a cut at once.
TEST(Dokument, AStationDrawnFromNothingRunsAndItsCheckFollowsTheEdits) {
  const fs::path slozka = fs::temp_directory_path() / ("stanovar_editor_" + std::to_string(::getpid())) / "nova";
  fs::remove_all(slozka.parent_path());
  fs::create_directories(slozka);
  StaniceEditoru st;
  std::string chyba;
  ASSERT_TRUE(OtevriProEditor(slozka.string(), st, chyba)) << chyba;
  EXPECT_TRUE(st.novaStanice);
  auto radek = [](char druh, std::vector<std::string> pole) { return NovyRadek(druh, pole); };
  // ZAPAD > L  S1  1  S2  V > VYCHOD, with a platform at track 1.
  st.historie.proved(st.dokument, Pridej(st.dokument,
      {radek('1', {"12", "24", "120", "24", "0", "500", "L", "80", "0"}),
       radek('1', {"120", "24", "300", "24", "0", "400", "1", "60", "0"}),
       radek('1', {"300", "24", "420", "24", "0", "500", "V", "80", "0"}),
       radek('3', {"120", "24"}), radek('3', {"300", "24"}),
       radek('5', {"132", "288", "12", "0", "NOVA"}),
       radek('6', {"12", "24", "", "ZAPAD", "", "1"}), radek('6', {"420", "24", "", "VYCHOD", "", "2"})},
      "Draw"));
  const VysledekKontroly k = ZkontrolujEditor(st);
  EXPECT_EQ(k.Chyb(), 0) << (k.nalezy.empty() ? "" : k.nalezy[0].Text());
  ASSERT_EQ(k.trasy.size(), 1u) << "from the entry signal to the platform track";
  EXPECT_EQ(k.trasy[0].radekNavestidla, 4);
  EXPECT_EQ(k.trasy[0].radekCile, 2);
  ASSERT_TRUE(UlozZEditoru(st, chyba)) << chyba;
  EXPECT_FALSE(st.historie.zmeneno());
  // The timetable and locomotives written beside it agree with each other.
  const VysledekKontroly ulozena = ZkontrolujEditor(st);
  EXPECT_EQ(ulozena.Chyb(), 0) << (ulozena.nalezy.empty() ? "" : ulozena.nalezy[0].Text());

  PrazdnePlatno platno(800, 600);
  VirtualniProstredi hodiny(0.25, 7);
  Stav s;
  s.platno = &platno;
  s.prostredi = &hodiny;
  int odjelo = 0;
  PoslouchejUdalosti(s, [&](double, const RUdalost& u) { odjelo += u.druh == UdalostOdjezd; });
  Spust(s, slozka.string());
  EXPECT_EQ(hodiny.pocetZprav, 0) << hodiny.posledniZprava;
  AutomatickyDispecer dispecer;
  dispecer(s);
  Simuluj(s, hodiny, SimCas(s) + 0.25, [&] { dispecer(s); });
  EXPECT_GT(odjelo, 0) << "trains ran through the new station";

  // Track 1 deleted: the check tells at once that the entry signal reaches no platform now;
  // undone and saved, the file is what it was.
  const std::string ulozeno = Cti(st.cestaSchematu);
  st.historie.proved(st.dokument, Smaz(st.dokument, {1}));
  const VysledekKontroly bez = ZkontrolujEditor(st);
  EXPECT_TRUE(bez.trasy.empty());
  EXPECT_GT(bez.nalezy.size(), k.nalezy.size());
  st.historie.zpet(st.dokument);
  ASSERT_TRUE(UlozZEditoru(st, chyba));
  EXPECT_EQ(Cti(st.cestaSchematu), ulozeno);
  fs::remove_all(slozka.parent_path());
}
