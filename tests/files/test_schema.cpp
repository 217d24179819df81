#include <gtest/gtest.h>

#include <random>

#include "fakes/svet.h"
#include "files/pomoc.h"
#include "files/soubory.h"
#include "model/seznamy.h"

using namespace stanovar;
using test::Y;

namespace {

// Loads `obsah` as the schema of a fresh world.
struct Schema {
  explicit Schema(const std::string& obsah) {
    w.stav.nastaveni.cestaSchema = dir.zapis("stanice.yrd", obsah);
    otevrit(w.stav);
  }
  test::Adresar dir;
  test::Svet w;
  Stav& s() { return w.stav; }
};

std::string Kolej(int x1, int x2, int y, const std::string& cislo = "") {
  return Y("1", {std::to_string(x1), std::to_string(y), std::to_string(x2), std::to_string(y), "0",
                 "100", cislo, "60", "0"});
}
std::string Bod(const std::string& druh, int x, int y) {
  return Y(druh, {std::to_string(x), std::to_string(y)});
}
std::string Soused(int x, int y, const std::string& jmeno, int druh) {
  return Y("6", {std::to_string(x), std::to_string(y), "", jmeno, "", std::to_string(druh)});
}

}  // namespace

TEST(Schema, TrackLineFillsEveryFieldAndIsDrawn) {
  Schema t(Y("1", {"10", "100", "50", "100", "0", "350", "1", "80", "0"}) +
           Y("1", {"50", "100", "90", "100", "-5", "200", "2a", "300", "258"}));
  ASSERT_EQ(t.s().Koleje.size(), 2u);
  const RKolej& k = t.s().Koleje[0];
  EXPECT_EQ(k.x1, 10);
  EXPECT_EQ(k.y1, 100);
  EXPECT_EQ(k.x2, 50);
  EXPECT_EQ(k.y2, 100);
  EXPECT_EQ(k.sklon, 0);
  EXPECT_EQ(k.delka, 350);
  EXPECT_EQ(k.cislo, "1");
  EXPECT_EQ(k.rychlost, 80);
  EXPECT_EQ(k.id, 1);
  EXPECT_TRUE(k.viditelna);
  EXPECT_FALSE(k.zavorky);
  const RKolej& k2 = t.s().Koleje[1];
  EXPECT_EQ(k2.id, 2);
  EXPECT_EQ(k2.sklon, -5);
  EXPECT_EQ(k2.cislo, "2a");
  EXPECT_EQ(k2.rychlost, 44);  // low 8 bits of 300
  EXPECT_EQ(k2.doplnek, 2);    // low 8 bits of 258
  // Each track: its shortened line, then the erase rectangle and its number.
  auto texty = t.w.platno.jen("text");
  ASSERT_EQ(texty.size(), 2u);
  EXPECT_EQ(texty[0].t, "1");
  EXPECT_EQ(texty[1].t, "2a");
  EXPECT_EQ(t.w.platno.jen("obdelnik").size(), 2u);
  auto cary = t.w.platno.jen("cara");
  ASSERT_FALSE(cary.empty());
  EXPECT_EQ(cary[0].a[0], 12);  // first line drawn: the first track's KresliUsek
  EXPECT_EQ(cary[0].a[2], 48);
  EXPECT_TRUE(t.w.prostredi.zpravy.empty());
}

TEST(Schema, NumbersFollowTheFileConversion) {
  Schema t(Y("1", {"0", "12", "60", "12", "-5", "  40", "", "x", ""}) +
           Y("1", {"0", "24", "60", "24", "-5 ", "12abc", "", "", ""}));
  ASSERT_EQ(t.s().Koleje.size(), 2u);
  EXPECT_EQ(t.s().Koleje[0].sklon, -5);
  EXPECT_EQ(t.s().Koleje[0].delka, 40);
  EXPECT_EQ(t.s().Koleje[0].rychlost, 0);
  EXPECT_EQ(t.s().Koleje[1].sklon, 5);  // the sign counts only for a wholly valid number
  EXPECT_EQ(t.s().Koleje[1].delka, 12);
}

TEST(Schema, KindComesFromTheLastByteOfTheHeadAndEmptyHeadsRepeatIt) {
  Schema t("\x85" "5\x85" "5\r\n"  // empty head before any kind: skipped
           + Y("x1", {"0", "0", "60", "0"})  // the last byte counts
           + Y("7", {"0", "12", "60", "12"})  // unknown kind
           + Soused(60, 0, "alfa", 1) +
           "\r\n"  // an empty line repeats kind 6 with empty fields: a line end at (0, 0)
           + Y("", {"0", "24", "60", "24"}));  // still kind 6, at no track end: dropped
  ASSERT_EQ(t.s().Koleje.size(), 1u);
  EXPECT_EQ(t.s().Koleje[0].x2, 60);
  ASSERT_EQ(t.s().Sousede.size(), 2u);
  EXPECT_EQ(t.s().Sousede[0].jmeno, "ALFA");
  EXPECT_EQ(t.s().Sousede[0].konec, 2);
  EXPECT_EQ(t.s().Sousede[1].x, 0);
  EXPECT_EQ(t.s().Sousede[1].y, 0);
  EXPECT_EQ(t.s().Sousede[1].konec, 1);
  EXPECT_EQ(t.s().Sousede[1].id, 6002);
  EXPECT_EQ(t.s().Sousede[1].jmeno, "");
}

TEST(Schema, SignalSideCodesAndDroppedSignalsUseNoIdentifier) {
  Schema t(Kolej(100, 160, 100) + Kolej(160, 220, 100) + Kolej(300, 360, 100) +
           Kolej(300, 360, 112) + Kolej(240, 300, 112) + Kolej(400, 460, 124) +
           Kolej(400, 460, 124) +
           Bod("3", 130, 100) +  // inside a track, at no end: dropped
           Bod("3", 160, 100) +  // one ends, one begins
           Bod("3", 220, 100) +  // right end of the last track of the row
           Bod("3", 100, 100) +  // left end of the first
           Bod("3", 500, 100) +  // on no track
           Bod("3", 300, 112) +  // one ends (240..300), one begins (300..360)
           Bod("3", 400, 124) +  // two begin
           Bod("3", 460, 124));  // two end: side code 4 is never drawn, so not kept
  const auto& n = t.s().Navestidla;
  ASSERT_EQ(n.size(), 5u);
  EXPECT_EQ(n[0].strana, 3);
  EXPECT_EQ(n[0].id, 12001);
  EXPECT_EQ(n[1].strana, 2);
  EXPECT_EQ(n[2].strana, 1);
  EXPECT_EQ(n[3].strana, 3);
  EXPECT_EQ(n[4].strana, 2);

  const auto& k = t.s().Koleje;
  EXPECT_TRUE(k[0].navestidloX1);
  EXPECT_TRUE(k[0].navestidloX2);
  EXPECT_TRUE(k[1].navestidloX1);
  EXPECT_TRUE(k[1].navestidloX2);
  EXPECT_FALSE(k[2].navestidloX1);  // the signal at (500, 100) touched nothing
  EXPECT_TRUE(k[3].navestidloX1);
  EXPECT_FALSE(k[3].navestidloX2);
  EXPECT_TRUE(k[4].navestidloX2);
  EXPECT_TRUE(k[5].navestidloX1 && k[6].navestidloX1);
  EXPECT_FALSE(k[5].navestidloX2 || k[6].navestidloX2);
  EXPECT_EQ(NavestidloVBode(t.s(), 460, 124), nullptr);
  // Look-ups by point and identifier find the kept signals and nothing else.
  EXPECT_EQ(NavestidloVBode(t.s(), 160, 100)->id, 12001);
  EXPECT_EQ(NavestidloVBode(t.s(), 130, 100), nullptr);
  EXPECT_EQ(NajdiNavestidlo(t.s(), 12004)->x, 300);
}

TEST(Schema, ConnectorFlagsDecideTheDrawing) {
  Schema t(Y("2", {"100", "100", "106", "112", "77", "50", "40", "1", "0"}) +
           Y("2", {"100", "100", "130", "100", "", "50", "40", "1", "1"}) +
           Y("2", {"100", "100", "106", "112", "", "50", "300", "0", "1"}) +
           Y("2", {"100", "100", "106", "112", "", "50", "40", "1 ", "true"}));
  const auto& sp = t.s().Spojky;
  ASSERT_EQ(sp.size(), 4u);
  EXPECT_EQ(sp[0].id, 18001);  // field 5 does not number it
  EXPECT_TRUE(sp[0].zavorky);
  EXPECT_FALSE(sp[0].viditelna);
  EXPECT_EQ(sp[0].delka, 50);
  EXPECT_TRUE(sp[1].zavorky && sp[1].viditelna);
  EXPECT_EQ(sp[2].rychlost, 44);
  EXPECT_FALSE(sp[2].zavorky);
  EXPECT_FALSE(sp[3].zavorky);  // only the single character 1 is true
  EXPECT_FALSE(sp[3].viditelna);
  EXPECT_EQ(sp[3].id, 18004);
  EXPECT_EQ(NajdiSpojku(t.s(), 18003)->rychlost, 44);
  // Only the second (brackets: 2 stubs + 2 polylines of 3) and third (one line) are drawn.
  EXPECT_EQ(t.w.platno.jen("cara").size(), 2u + 6u + 1u);
}

TEST(Schema, PlatformNamesBothTracksAndLineEndsAttachToTrackEnds) {
  Schema t(Kolej(100, 200, 100) + Kolej(100, 200, 112) + Kolej(0, 100, 100) +
           Y("5", {"100", "200", "100", "", "Hlavn\xed n\xe1stupi\x9a\xbb\xe9"}) +
           Y("5", {"150", "200", "300", "", "nic"}) +  // on no track: drawn, names nothing
           Soused(200, 100, "Beta", 2) + Soused(0, 100, "gama", 3) + Soused(150, 112, "x", 1) +
           Y("6", {"200", "112", "", "delta-long-name", "", "1"}));
  const auto& k = t.s().Koleje;
  // Upper-cased through the code page and cut to 8 bytes.
  EXPECT_EQ(k[2].stanice, "HLAVN\xcd N");  // (100, 100): the newest track there
  EXPECT_EQ(k[1].stanice, "HLAVN\xcd N");  // the row below
  EXPECT_EQ(k[0].stanice, "");
  ASSERT_EQ(t.s().Sousede.size(), 3u);
  const auto& so = t.s().Sousede;
  EXPECT_EQ(so[0].jmeno, "BETA");
  EXPECT_EQ(so[0].konec, 2);
  EXPECT_EQ(so[0].druh, 2);
  EXPECT_EQ(so[0].id, 6001);
  EXPECT_EQ(so[1].konec, 1);
  EXPECT_EQ(so[1].id, 6002);
  EXPECT_EQ(so[2].jmeno, "DELTA-LO");
  EXPECT_EQ(so[2].id, 6003);  // the dropped end inside a track used no identifier
  EXPECT_EQ(k[0].druhKonce, 2);
  EXPECT_EQ(k[0].soused, "BETA");
  EXPECT_EQ(k[2].druhKonce, 3);
  EXPECT_EQ(k[2].soused, "GAMA");
  EXPECT_EQ(k[1].druhKonce, 1);
  int konec = 0;
  EXPECT_EQ(NajdiSouseda(t.s(), "GAMA", 1, &konec)->id, 6002);
  EXPECT_EQ(konec, 1);
  // Both platforms are drawn in the platform colour, and the pen goes back to foreground.
  int nastupiste = 0;
  for (const auto& c : t.w.platno.jen("cara"))
    if (c.a[4] == static_cast<int>(BarvaNastupiste)) ++nastupiste;
  EXPECT_EQ(nastupiste, 2);
  EXPECT_EQ(t.w.platno.pero, t.s().nastaveni.popredi);
}

TEST(Schema, LabelsAreCutToThirtyBytesAndUseTheirSize) {
  Schema t(Y("4", {"20", "x", "200", "", std::string(40, 'a'), "12"}) +
           Y("4", {"20", "", "300", "", "bez velikosti", ""}) +
           Y("4", {"20", "", "300", "", "obr", "999999"}));
  auto texty = t.w.platno.jen("text");
  ASSERT_EQ(texty.size(), 3u);
  EXPECT_EQ(texty[0].t, std::string(30, 'a'));
  EXPECT_EQ(texty[0].a[0], 20);
  EXPECT_EQ(texty[0].a[1], 200 - 3 - 6);
  EXPECT_EQ(texty[0].a[4], 12);
  // A missing size takes the element text size, an absurd one is held to a drawable size.
  EXPECT_EQ(texty[1].a[4], t.s().nastaveni.velikostTextu);
  EXPECT_EQ(texty[2].a[4], 200);
  EXPECT_TRUE(t.s().Koleje.empty());
}

TEST(Schema, FieldsAfterTheNinthAreIgnored) {
  Schema t("1\x85" "10\x85" "100\x85" "50\x85" "100\x85" "3\x85" "9\x85" "A\x85" "80\x85" "7\x85"
           "99\x85" "100\r\n");
  ASSERT_EQ(t.s().Koleje.size(), 1u);
  EXPECT_EQ(t.s().Koleje[0].doplnek, 7);
  EXPECT_EQ(t.s().Koleje[0].cislo, "A");
}

TEST(Schema, LfAndCrLfLineEndsLoadTheSame) {
  // The second track's number is its last field, where a left-over CR would show.
  std::string crlf = Kolej(0, 60, 12, "1") + Y("1", {"60", "12", "120", "12", "0", "100", "2"}) +
                     Bod("3", 60, 12) + Soused(0, 12, "A", 1) + "\r\n";
  std::string lf;
  for (char c : crlf)
    if (c != '\r') lf += c;
  Schema a(crlf), b(lf);
  ASSERT_EQ(a.s().Koleje.size(), 2u);
  ASSERT_EQ(b.s().Koleje.size(), 2u);
  EXPECT_EQ(a.s().Koleje[1].cislo, "2");
  EXPECT_EQ(b.s().Koleje[1].cislo, "2");
  EXPECT_EQ(a.s().Navestidla.size(), 1u);
  EXPECT_EQ(b.s().Navestidla.size(), 1u);
  // The final empty line repeats kind 6 with empty fields; (0, 0) holds no track.
  EXPECT_EQ(a.s().Sousede.size(), 1u);
  EXPECT_EQ(b.s().Sousede.size(), 1u);
  EXPECT_EQ(a.w.platno.log.size(), b.w.platno.log.size());
}

TEST(Schema, ElementsBeyondTheIdentifierRangeAreDropped) {
  std::string obsah;
  // 3000 separate tracks with a signal at each end give 6000 signals; 6001 connectors.
  for (int i = 0; i < 3000; ++i) obsah += Kolej(i * 100, i * 100 + 60, 12);
  for (int i = 0; i < 3000; ++i) obsah += Bod("3", i * 100, 12) + Bod("3", i * 100 + 60, 12);
  for (int i = 0; i < 3001; ++i) obsah += Kolej(i * 100, i * 100 + 60, 24);
  for (int i = 0; i < 6001; ++i) obsah += Y("2", {"0", "0", "6", "12", "", "", "", "0", "0"});
  for (int i = 0; i < 6001; ++i) obsah += Soused(i * 100, 24, "S", 1);
  Schema t(obsah);
  EXPECT_EQ(t.s().Koleje.size(), 5999u);
  EXPECT_EQ(t.s().Koleje.back().id, 5999);
  EXPECT_EQ(t.s().Koleje.back().y1, 24);
  EXPECT_EQ(t.s().Navestidla.size(), 5999u);
  EXPECT_EQ(t.s().Navestidla.back().id, 17999);
  EXPECT_EQ(NajdiNavestidlo(t.s(), 18000), nullptr);
  EXPECT_FALSE(t.s().Koleje[2999].navestidloX2);  // the 6000th signal left no mark
  EXPECT_EQ(t.s().Spojky.size(), 5999u);
  EXPECT_EQ(t.s().Spojky.back().id, 23999);
  // Line ends only find the tracks that were kept (2999 of the second row).
  EXPECT_EQ(t.s().Sousede.size(), 2999u);
  EXPECT_EQ(t.s().Sousede.back().id, 8999);
}

TEST(Schema, MissingEmptyAndUnnamedFiles) {
  {
    test::Svet w;
    w.stav.jazyk[36] = "Nelze otev\xf8\xedt ";
    w.stav.jazyk[37] = ".";
    w.stav.nastaveni.cestaSchema = "/nikde/neni\\stanice.yrd";
    otevrit(w.stav);
    ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
    EXPECT_EQ(w.prostredi.zpravy[0], "Nelze otev\xf8\xedt stanice.yrd.");
    EXPECT_TRUE(w.stav.Koleje.empty());
    EXPECT_TRUE(w.platno.log.empty());
  }
  {
    test::Svet w;
    otevrit(w.stav);  // no path: nothing, silently
    EXPECT_TRUE(w.prostredi.zpravy.empty());
  }
  {
    test::Adresar d;
    test::Svet w;
    w.stav.nastaveni.cestaSchema = d.cesta();  // a folder is no schema
    otevrit(w.stav);
    EXPECT_EQ(w.prostredi.zpravy.size(), 1u);
  }
  Schema prazdny("");
  EXPECT_TRUE(prazdny.w.prostredi.zpravy.empty());
  EXPECT_TRUE(prazdny.s().Koleje.empty());
}

TEST(Schema, BackslashesInThePathOpenTheFile) {
  test::Adresar d;
  d.zapis("pod/stanice.yrd", Kolej(0, 60, 12));
  test::Svet w;
  w.stav.nastaveni.cestaSchema = d.cesta() + "\\pod\\stanice.yrd";
  otevrit(w.stav);
  EXPECT_EQ(w.stav.Koleje.size(), 1u);
  EXPECT_TRUE(w.prostredi.zpravy.empty());
}

TEST(Schema, DamagedInputLoadsWhatCanBeUsed) {
  // Truncated lines, a line of 100 000 bytes, coordinates far off any picture.
  std::string dlouhy = "1\x85" "0\x85" "36\x85" "60\x85" "36\x85" "0\x85" "5\x85" +
                       std::string(100000, '7');
  Schema t(Kolej(0, 60, 12, "1") + "1\x85" "60\x85" "12" + "\r\n" + "3\x85" + "\r\n" + dlouhy +
           "\r\n" + Y("1", {"2147483647", "12", "2147483647", "12"}) +
           Y("6", {"-2147483648", "12", "", "x", "", "1"}) + "6");
  ASSERT_EQ(t.s().Koleje.size(), 3u);
  EXPECT_EQ(t.s().Koleje[1].x1, 60);  // truncated: the missing fields are 0
  EXPECT_EQ(t.s().Koleje[1].x2, 0);
  EXPECT_EQ(t.s().Koleje[2].cislo, std::string(30, '7'));  // cut like a label
  EXPECT_EQ(t.s().Koleje[2].rychlost, 0);
  EXPECT_TRUE(t.s().Sousede.empty());
  EXPECT_TRUE(t.w.prostredi.zpravy.empty());
}

TEST(Schema, BinaryNoiseNeverBreaksTheInvariants) {
  std::mt19937 g(20240611);
  std::size_t drzenych = 0;  // signals and line ends that stood on a track end
  for (int kolo = 0; kolo < 20; ++kolo) {
    std::string sum;
    // Mostly digits and separators, so that elements are actually formed.
    const char abeceda[] = "0123456789123456\x85\x85\x85\r\n-  \x00\xff#*%";
    for (int i = 0; i < 20000; ++i) {
      if (g() % 4 == 0)
        sum += static_cast<char>(g() & 0xFF);
      else
        sum += abeceda[g() % (sizeof abeceda - 1)];
    }
    Schema t(sum);
    const Stav& s = t.s();
    drzenych += s.Navestidla.size() + s.Sousede.size();
    for (std::size_t i = 0; i < s.Koleje.size(); ++i) EXPECT_EQ(s.Koleje[i].id, int(i) + 1);
    for (std::size_t i = 0; i < s.Spojky.size(); ++i) EXPECT_EQ(s.Spojky[i].id, 18001 + int(i));
    for (const auto& n : s.Navestidla) {
      EXPECT_TRUE(n.strana >= 1 && n.strana <= 5);
      EXPECT_TRUE(JeNavestidlo(n.id));
    }
    for (const auto& so : s.Sousede) {
      EXPECT_TRUE(so.konec == 1 || so.konec == 2);
      EXPECT_TRUE(JeSoused(so.id));
    }
    EXPECT_TRUE(t.w.prostredi.zpravy.empty());
  }
  EXPECT_GT(drzenych, 0u);  // the noise did form elements that refer to tracks
}

// Elements that cannot be placed are not kept, and a signal that is kept can be seen: only
// side codes 1 to 3 are drawn.
TEST(Schema, ElementsThatCannotBePlacedAreRejected) {
  struct Pripad {
    const char* co;
    std::string obsah;
    std::size_t koleji, spojek, navestidel;
  };
  const Pripad pripady[] = {
      {"track line with no fields", "1\r\n", 0, 0, 0},
      {"track with both ends at one point", Kolej(60, 60, 12), 0, 0, 0},
      {"signal between two empty tracks", "1\r\n1\r\n" + Bod("3", 0, 0), 0, 0, 0},
      {"signal between two vertical tracks",
       Y("1", {"60", "12", "60", "24"}) + Y("1", {"60", "12", "60", "36"}) + Bod("3", 60, 12), 2,
       0, 0},
      {"connector with both ends at one point", Y("2", {"6", "12", "6", "12"}), 0, 0, 0},
      {"a proper station", Kolej(0, 60, 12) + Kolej(60, 120, 12) + Bod("3", 60, 12), 2, 0, 1},
  };
  for (const auto& p : pripady) {
    Schema t(p.obsah);
    EXPECT_EQ(t.s().Koleje.size(), p.koleji) << p.co;
    EXPECT_EQ(t.s().Spojky.size(), p.spojek) << p.co;
    ASSERT_EQ(t.s().Navestidla.size(), p.navestidel) << p.co;
    for (const auto& n : t.s().Navestidla) EXPECT_TRUE(n.strana >= 1 && n.strana <= 3) << p.co;
  }
}

// Text and count bounds: a huge track number is cut, labels and platforms are capped like
// the element kinds, and lengths are capped so that a route's sum stays an int.
TEST(Schema, TextsCountsAndLengthsAreBounded) {
  std::string obsah = Y("1", {"0", "12", "60", "12", "0", "2147483647", std::string(1 << 20, '9')}) +
                      Y("2", {"60", "12", "66", "24", "", "-2147483648"});
  for (int i = 0; i < 6100; ++i) obsah += Y("4", {"10", "", "200", "", "L"});
  for (int i = 0; i < 6100; ++i) obsah += Y("5", {"0", "60", "300"});
  Schema t(obsah);
  ASSERT_EQ(t.s().Koleje.size(), 1u);
  EXPECT_EQ(t.s().Koleje[0].cislo, std::string(30, '9'));
  EXPECT_EQ(t.s().Koleje[0].delka, 100000);
  ASSERT_EQ(t.s().Spojky.size(), 1u);
  EXPECT_EQ(t.s().Spojky[0].delka, -100000);
  std::size_t popisku = 0, nastupist = 0;
  for (const auto& v : t.w.platno.jen("text")) popisku += v.t == "L";
  for (const auto& v : t.w.platno.jen("cara")) nastupist += v.a[1] == 306;
  EXPECT_EQ(popisku, 5999u);
  EXPECT_EQ(nastupist, 5999u);
}
