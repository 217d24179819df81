#include <gtest/gtest.h>

#include <random>

#include "fakes/svet.h"
#include "files/pomoc.h"
#include "files/soubory.h"

using namespace stanovar;

namespace {
struct Gvd {
  explicit Gvd(const std::string& obsah) {
    w.stav.nastaveni.cestaGvd = dir.zapis("jizdy.gvd", obsah);
    OtevriGvd(w.stav);
  }
  test::Adresar dir;
  test::Svet w;
  const std::vector<RSpoj>& g() { return w.stav.Grafikon; }
};
}  // namespace

TEST(Grafikon, FullEntryWithLetteredSections) {
  Gvd t("*#1234#ALFA#beta#300#650#100#7541%A5%B9%C12\r\n");
  ASSERT_EQ(t.g().size(), 1u);
  const RSpoj& s = t.g()[0];
  EXPECT_EQ(s.cislo, 1234);
  EXPECT_EQ(s.odkud, "ALFA");
  EXPECT_EQ(s.kam, "BETA");
  EXPECT_EQ(s.delka, 300);
  EXPECT_EQ(s.hmotnost, 650);
  EXPECT_EQ(s.maxRychlost, 100);
  EXPECT_EQ(s.loko, "7541");
  EXPECT_EQ(s.hodnotaA, 5);
  EXPECT_EQ(s.hodnotaB, 9);
  EXPECT_EQ(s.hodnotaC, 12);
  EXPECT_EQ(t.w.stav.PocetSpoju, 1);
}

TEST(Grafikon, DefaultsAndFieldRules) {
  Gvd t(
      "*#77\r\n"
      "*#1#odkud-dlouhe#x#1#2#3#abcdef\r\n"  // names cut: 8 upper-cased, locomotive 4 as written
      "*#2%A5#7\r\n"                          // "#" after %A continues with section B
      "*#3%xA4\r\n"                           // text after "%" until a letter A..F
      "*#4%D1%E2%F3%G9\r\n"                   // sections D to F and others are ignored
      "*#5%a6%b7%c8\r\n");                    // lower-case section letters work too
  ASSERT_EQ(t.g().size(), 6u);
  const RSpoj& a = t.g()[0];
  EXPECT_EQ(a.cislo, 77);
  EXPECT_EQ(a.delka, 250);
  EXPECT_EQ(a.hmotnost, 500);
  EXPECT_EQ(a.maxRychlost, 80);
  EXPECT_EQ(a.hodnotaA, 0);
  EXPECT_EQ(a.hodnotaB, 9999);
  EXPECT_EQ(a.hodnotaC, 9999);
  EXPECT_EQ(a.odkud, "");
  EXPECT_EQ(a.loko, "141");
  EXPECT_EQ(t.g()[1].odkud, "ODKUD-DL");
  EXPECT_EQ(t.g()[1].kam, "X");
  EXPECT_EQ(t.g()[1].loko, "abcd");
  EXPECT_EQ(t.g()[2].hodnotaA, 5);
  EXPECT_EQ(t.g()[2].hodnotaB, 7);
  EXPECT_EQ(t.g()[3].hodnotaA, 4);
  EXPECT_EQ(t.g()[4].hodnotaA, 0);
  EXPECT_EQ(t.g()[4].hodnotaB, 9999);
  EXPECT_EQ(t.g()[4].cislo, 4);
  EXPECT_EQ(t.g()[5].hodnotaA, 6);
  EXPECT_EQ(t.g()[5].hodnotaB, 7);
  EXPECT_EQ(t.g()[5].hodnotaC, 8);
}

TEST(Grafikon, EntriesSpanLinesAndShareThem) {
  Gvd t(
      "uvod#99#ZZ\r\n"  // before the first "*": no entry to fill
      "*#10#A\r\n"
      "#\r\n"           // a field never continues on the next line: field numbers restart
      "#11\r\n"         // a line without "*" keeps filling the same entry
      "*#20#C*#30#D\r\n"
      "**\r\n");
  ASSERT_EQ(t.g().size(), 5u);
  EXPECT_EQ(t.w.stav.PocetSpoju, 5);
  EXPECT_EQ(t.g()[0].cislo, 11);
  EXPECT_EQ(t.g()[0].odkud, "A");
  // The field before the second "*" stays with the entry it was written for.
  EXPECT_EQ(t.g()[1].cislo, 20);
  EXPECT_EQ(t.g()[1].odkud, "C");
  EXPECT_EQ(t.g()[2].cislo, 30);
  EXPECT_EQ(t.g()[2].odkud, "D");
  EXPECT_EQ(t.g()[3].cislo, 0);
  EXPECT_EQ(t.g()[4].cislo, 0);
  EXPECT_EQ(t.w.stav.aktualniSpoj, 4);
}

TEST(Grafikon, CountEqualsAsterisksWhateverSurroundsThem) {
  std::mt19937 g(7);
  std::string sum;
  int hvezd = 0;
  for (int i = 0; i < 50000; ++i) {
    char c = static_cast<char>(g() & 0xFF);
    if (c == '*') ++hvezd;
    sum += c;
  }
  sum += std::string(100000, '#') + "*" + std::string(100000, '%') + "\n";
  ++hvezd;
  Gvd t(sum);
  EXPECT_EQ(t.w.stav.PocetSpoju, hvezd);
  EXPECT_EQ(static_cast<int>(t.g().size()), hvezd);
  for (const auto& s : t.g()) {
    EXPECT_LE(s.odkud.size(), 8u);
    EXPECT_LE(s.loko.size(), 4u);
  }
}

TEST(Grafikon, MissingAndEmptyFiles) {
  test::Svet w;
  w.stav.jazyk[36] = "[";
  w.stav.jazyk[37] = "]";
  w.stav.nastaveni.cestaGvd = "C:\\stanice\\chybi.gvd";
  OtevriGvd(w.stav);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_EQ(w.prostredi.zpravy[0], "[chybi.gvd]");
  EXPECT_EQ(w.stav.PocetSpoju, 0);
  Gvd prazdny("");
  EXPECT_TRUE(prazdny.g().empty());
  EXPECT_TRUE(prazdny.w.prostredi.zpravy.empty());
  Gvd lf("*#5#A\n*#6#B");
  ASSERT_EQ(lf.g().size(), 2u);
  EXPECT_EQ(lf.g()[0].odkud, "A");  // no CR left at the end of the name
  EXPECT_EQ(lf.g()[1].odkud, "B");
}
