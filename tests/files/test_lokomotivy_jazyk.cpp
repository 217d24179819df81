#include <gtest/gtest.h>

#include "fakes/svet.h"
#include "files/pomoc.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/vychozi_texty.h"

using namespace stanovar;

namespace {
struct Lok {
  explicit Lok(const std::string& obsah) {
    w.stav.nastaveni.cestaLoko = dir.zapis("stroje.lok", obsah);
    OtevriLoko(w.stav);
  }
  test::Adresar dir;
  test::Svet w;
  const std::vector<RLoko>& l() { return w.stav.Lokomotivy; }
};
struct Lng {
  explicit Lng(const std::string& obsah) {
    w.stav.nastaveni.cestaJazyk = dir.zapis("jazyk.lng", obsah);
    OtevriLng(w.stav);
  }
  test::Adresar dir;
  test::Svet w;
  const std::string& t(int n) { return w.stav.Text(n); }
};
}  // namespace

TEST(Lokomotivy, AllFieldsAndDefaults) {
  Lok t(
      "*#LOK1#120#2000#84#60#90#0.00004#0.00006#0.03#1.15\r\n"
      "*#LOK2\r\n"
      "*#lokomotiva9#80#1500#70#40#60#4e-5#-6E-05#+0.05#1.2 #9#9\r\n");
  ASSERT_EQ(t.l().size(), 3u);
  const RLoko& a = t.l()[0];
  EXPECT_EQ(a.jmeno, "LOK1");
  EXPECT_EQ(a.maxRychlost, 120);
  EXPECT_EQ(a.vykon, 2000);
  EXPECT_EQ(a.hmotnost, 84);
  EXPECT_EQ(a.rychlost1, 60);
  EXPECT_EQ(a.rychlost2, 90);
  EXPECT_DOUBLE_EQ(a.odporA, 0.00004);
  EXPECT_DOUBLE_EQ(a.odporB, 0.00006);
  EXPECT_DOUBLE_EQ(a.odporC, 0.03);
  EXPECT_DOUBLE_EQ(a.soucinitelHmot, 1.15);
  const RLoko& b = t.l()[1];
  EXPECT_EQ(b.jmeno, "LOK2");
  EXPECT_EQ(b.vykon, 2000);
  EXPECT_EQ(b.hmotnost, 80);
  EXPECT_EQ(b.rychlost1, 50);
  EXPECT_EQ(b.rychlost2, 70);
  EXPECT_DOUBLE_EQ(b.odporA, 0.00005);
  EXPECT_DOUBLE_EQ(b.odporB, 0.00007);
  EXPECT_DOUBLE_EQ(b.odporC, 0.04);
  EXPECT_DOUBLE_EQ(b.soucinitelHmot, 1.1);
  EXPECT_GE(b.maxRychlost, 1000);  // not given: never limits a train
  const RLoko& c = t.l()[2];
  EXPECT_EQ(c.jmeno, "LOKOMOTI");
  EXPECT_DOUBLE_EQ(c.odporA, 4e-5);
  EXPECT_DOUBLE_EQ(c.odporB, -6e-5);
  EXPECT_DOUBLE_EQ(c.odporC, 0.05);
  EXPECT_DOUBLE_EQ(c.soucinitelHmot, 1.2);  // a trailing blank is not part of the number
}

TEST(Lokomotivy, BadRealsKeepDefaultsAndFieldsStayWithTheirLocomotive) {
  Lok t(
      "#X#1\r\n"  // before the first "*": ignored
      "*#A#100#1#1#1#1#0,5#abc#1e999#\r\n"
      "#\r\n"
      "##77*#B#90\r\n");
  ASSERT_EQ(t.l().size(), 2u);
  EXPECT_DOUBLE_EQ(t.l()[0].odporA, 0.00005);  // decimal comma: not a number here
  EXPECT_DOUBLE_EQ(t.l()[0].odporB, 0.00007);
  EXPECT_DOUBLE_EQ(t.l()[0].odporC, 0.04);     // out of range
  EXPECT_DOUBLE_EQ(t.l()[0].soucinitelHmot, 1.1);  // empty
  EXPECT_EQ(t.l()[0].maxRychlost, 77);  // a later line goes on filling the same locomotive
  EXPECT_EQ(t.l()[1].jmeno, "B");
  EXPECT_EQ(t.l()[1].maxRychlost, 90);
}

TEST(Lokomotivy, MissingFileIsReported) {
  test::Svet w;
  w.stav.nastaveni.cestaLoko = "/nikde/stroje.lok";
  OtevriLoko(w.stav);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  // No language file: the built-in texts still say what happened.
  EXPECT_EQ(w.prostredi.zpravy[0], "Soubor stroje.lok nelze otev\xf8\xedt.");
  EXPECT_TRUE(w.stav.Lokomotivy.empty());
}

TEST(Jazyk, NumberInTheFirstThreeBytesTextFromTheFourth) {
  Lng t(
      "001Soubor\r\n"
      "7  O programu\r\n"
      "12Otevrit\r\n"     // the text starts at the fourth byte whatever precedes it
      "036\r\n"           // empty text
      "037 \r\n"          // a single blank
      "038Nic\r\n"
      "0  Nic\r\n"
      "abcNic\r\n"
      "\r\n"
      "026Cetnost \r\n"
      "026Frekvence \r\n"  // a later line wins
      "2\n");              // shorter than three bytes: text 2 becomes empty
  EXPECT_EQ(t.t(1), "Soubor");
  EXPECT_EQ(t.t(7), "O programu");
  EXPECT_EQ(t.t(12), "tevrit");
  EXPECT_EQ(t.t(36), VychoziText(36));  // an empty text falls back to the built-in one
  EXPECT_EQ(t.t(37), " ");
  EXPECT_EQ(t.t(26), "Frekvence ");
  EXPECT_EQ(t.t(2), VychoziText(2));
  for (int n = 0; n < 38; ++n) EXPECT_EQ(t.w.stav.jazyk[n].find("Nic"), std::string::npos);
  // Captions of texts 1 to 11 are set; an empty one keeps the menu item reachable.
  EXPECT_EQ(t.w.stav.okno.MenuSoubor, "Soubor");
  EXPECT_EQ(t.w.stav.okno.MenuOprogramu, "O programu");
  EXPECT_EQ(t.w.stav.okno.MenuOtevrit, VychoziText(2));
}

TEST(Jazyk, CaptionsMapToTextsOneToEleven) {
  std::string obsah;
  for (int n = 1; n <= 11; ++n) obsah += (n < 10 ? "00" : "0") + std::to_string(n) + "T" + std::to_string(n) + "\r\n";
  Lng t(obsah);
  const OknoView& o = t.w.stav.okno;
  EXPECT_EQ(o.MenuSoubor, "T1");
  EXPECT_EQ(o.MenuOtevrit, "T2");
  EXPECT_EQ(o.MenuNastav, "T3");
  EXPECT_EQ(o.MenuKonec, "T4");
  EXPECT_EQ(o.MenuNapoveda, "T5");
  EXPECT_EQ(o.MenuHelp, "T6");
  EXPECT_EQ(o.MenuOprogramu, "T7");
  EXPECT_EQ(o.Label2, "T8");
  EXPECT_EQ(o.Label3, "T9");
  EXPECT_EQ(o.LabelAno, "T10");
  EXPECT_EQ(o.LabelNe, "T11");
}

// Whatever the language file holds, or when there is none, every caption and message has a
// text: the menus always lead to Open and Settings.
TEST(Jazyk, EmptyGarbageOrMissingFilesLeaveEveryTextUsable) {
  const std::string pripady[] = {"", "\r\n\r\n", std::string(5000, '\n'), std::string("xyz\x85\xff\0abc", 9),
                                 "001\r\n002\r\n010\r\n036\r\n"};
  for (const std::string& obsah : pripady) {
    Lng t(obsah);
    for (int n = 1; n <= 37; ++n) EXPECT_EQ(t.t(n), VychoziText(n)) << n;
    const OknoView& o = t.w.stav.okno;
    for (const std::string* c : {&o.MenuSoubor, &o.MenuOtevrit, &o.MenuNastav, &o.MenuKonec,
                                 &o.MenuNapoveda, &o.MenuHelp, &o.MenuOprogramu, &o.LabelAno,
                                 &o.LabelNe})
      EXPECT_FALSE(c->empty());
  }
  for (int n = 1; n <= 37; ++n) EXPECT_FALSE(VychoziText(n).empty()) << n;
  // A text is cut, so a single huge line does not become a caption of megabytes.
  Lng dlouhy("001" + std::string(1 << 20, 'x'));
  EXPECT_EQ(dlouhy.t(1).size(), 1000u);

  test::Svet w;
  w.stav.nastaveni.cestaJazyk = "/nikde/cestina.lng";
  OtevriLng(w.stav);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  EXPECT_EQ(w.prostredi.zpravy[0], "Soubor cestina.lng nelze otev\xf8\xedt.");
  test::Svet bez;
  OtevriLng(bez.stav);  // no path: nothing at all
  EXPECT_TRUE(bez.prostredi.zpravy.empty());
}
