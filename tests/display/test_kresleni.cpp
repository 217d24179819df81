#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "display/kresleni.h"
#include "fakes/svet.h"

using namespace stanovar;

namespace {

using Cara = std::tuple<int, int, int, int>;  // from (x, y) to (x, y)

std::vector<Cara> Cary(const test::ZaznamovePlatno& p) {
  std::vector<Cara> r;
  for (const auto& v : p.jen("cara")) r.emplace_back(v.a[0], v.a[1], v.a[2], v.a[3]);
  return r;
}
std::vector<int> SirkyCar(const test::ZaznamovePlatno& p) {
  std::vector<int> r;
  for (const auto& v : p.jen("cara")) r.push_back(v.a[5]);
  return r;
}

RKolej Kolej(int x1, int x2, int y, int id = 1) {
  RKolej k;
  k.x1 = x1;
  k.x2 = x2;
  k.y1 = k.y2 = y;
  k.id = id;
  return k;
}

const Barva Zelene = BarvaCesta;

}  // namespace

TEST(KresliUsek, ShortensEachKindOfSegmentByWidth) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.sirkaCary = 2;
  KresliUsek(w.stav, 10, 100, 100, 100);  // horizontal: W at both ends
  KresliUsek(w.stav, 100, 100, 100, 160);  // vertical: 1 at both ends, whatever W
  KresliUsek(w.stav, 100, 100, 106, 112);  // falling diagonal
  KresliUsek(w.stav, 100, 112, 106, 100);  // rising diagonal
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{12, 100, 98, 100},
                                        {100, 101, 100, 159},
                                        {101, 102, 105, 110},
                                        {101, 110, 105, 102}}));
  EXPECT_EQ(SirkyCar(p), (std::vector<int>{2, 2, 2, 2}));
  EXPECT_EQ(p.sirkaP, 1);  // the pen width goes back to 1
  p.smaz();
  w.stav.nastaveni.sirkaCary = 1;
  KresliUsek(w.stav, 10, 100, 100, 100);
  KresliUsek(w.stav, 100, 100, 106, 112);
  KresliUsek(w.stav, 100, 112, 106, 100);
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{11, 100, 99, 100},
                                        {101, 101, 105, 111},
                                        {101, 111, 105, 101}}));
  EXPECT_EQ(SirkyCar(p), (std::vector<int>{1, 1, 1}));
}

TEST(KresliUsek, UsesTheCurrentPenColour) {
  test::Svet w;
  w.platno.barvaPera(Zelene);
  KresliUsek(w.stav, 0, 0, 60, 0);
  ASSERT_EQ(w.platno.jen("cara").size(), 1u);
  EXPECT_EQ(w.platno.jen("cara")[0].a[4], static_cast<int>(Zelene));
}

TEST(KresliKolej, NoRoomForTheTextErasesAndDrawsOneLine) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.sirkaCary = 2;
  KresliUsek(w.stav, 10, 100, 100, 100);
  // 90 - 12 = 78 pixels of room; 16 characters of 5 pixels do not fit.
  KresliKolej(w.stav, Kolej(10, 100, 100), std::string(16, '8'), Zelene);
  auto obd = p.jen("obdelnik");
  ASSERT_EQ(obd.size(), 1u);
  // Columns 16..93 and rows 95..104, in the background colour.
  EXPECT_EQ(obd[0].a, (std::vector<int>{16, 95, 94, 105, 0x888888, 0x888888}));
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{12, 100, 98, 100}, {12, 100, 98, 100}}));
  EXPECT_EQ(p.jen("cara")[1].a[4], static_cast<int>(Zelene));
  EXPECT_EQ(p.jen("cara")[1].a[5], 2);
  EXPECT_TRUE(p.jen("text").empty());
  EXPECT_EQ(p.pero, RGB(0, 0, 0));  // foreground again
  EXPECT_EQ(p.sirkaP, 1);
}

TEST(KresliKolej, TextSitsCentredInAGapOfTheLine) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.velikostTextu = 9;
  KresliKolej(w.stav, Kolej(0, 120, 200), "abc", Zelene);  // w = 15, w div 2 = 7
  auto t = p.jen("text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].t, "abc");
  EXPECT_EQ(t[0].a[0], 60 - 7);
  EXPECT_EQ(t[0].a[1], 200 - 7);
  EXPECT_EQ(t[0].a[2], static_cast<int>(Zelene));
  EXPECT_EQ(t[0].a[3], 0);  // transparent
  EXPECT_EQ(t[0].a[4], 9);
  auto pismo = p.jen("pismo");
  ASSERT_FALSE(pismo.empty());
  EXPECT_EQ(pismo.back().t, "arial");
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{2, 200, 60 - 2 - 7, 200}, {118, 200, 60 + 3 + 7, 200}}));
  EXPECT_EQ(p.pero, RGB(0, 0, 0));
  EXPECT_EQ(p.sirkaP, 1);
}

TEST(KresliKolej, RoomMustExceedTheTextWidthAndDivisionsTruncateTowardsZero) {
  test::Svet w;
  auto& p = w.platno;
  // Span 30 - 12 = 18: a text 18 wide does not fit, one 15 wide does.
  p.sirkaZnaku = 6;
  KresliKolej(w.stav, Kolej(0, 30, 12), "abc", Zelene);
  EXPECT_TRUE(p.jen("text").empty());
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{2, 12, 28, 12}}));
  p.smaz();
  p.sirkaZnaku = 5;
  KresliKolej(w.stav, Kolej(0, 30, 12), "abc", Zelene);
  EXPECT_EQ(p.jen("text").size(), 1u);
  p.smaz();
  // Left of the origin: (-55) div 2 is -27, not -28.
  KresliKolej(w.stav, Kolej(-50, -5, 12), "a", Zelene);  // w = 5, w div 2 = 2
  auto t = p.jen("text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].a[0], -27 - 2);
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{-48, 12, -27 - 2 - 2, 12}, {-7, 12, -27 + 3 + 2, 12}}));
  p.smaz();
  // An empty text never leaves a gap.
  KresliKolej(w.stav, Kolej(0, 120, 12), "", Zelene);
  EXPECT_TRUE(p.jen("text").empty());
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{2, 12, 118, 12}}));
}

TEST(KresliZavorky, VerticalConnectorStubsAndBrackets) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.sirkaCary = 2;
  KresliZavorky(w.stav, 100, 100, 100, 160);
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{100, 101, 100, 105},
                                        {100, 159, 100, 155},
                                        {94, 100, 94, 106},
                                        {94, 106, 106, 106},
                                        {106, 106, 106, 99},
                                        {94, 160, 94, 154},
                                        {94, 154, 106, 154},
                                        {106, 154, 106, 161}}));
  EXPECT_EQ(SirkyCar(p), (std::vector<int>{2, 2, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(p.sirkaP, 1);
}

TEST(KresliZavorky, OtherConnectorsAreDrawnHorizontallyAtTheFirstRow) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.sirkaCary = 1;
  KresliZavorky(w.stav, 100, 100, 130, 124);  // y2 plays no part
  EXPECT_EQ(Cary(p), (std::vector<Cara>{{102, 100, 101, 100},
                                        {128, 100, 129, 100},
                                        {100, 88, 103, 88},
                                        {103, 88, 103, 112},
                                        {103, 112, 99, 112},
                                        {130, 88, 127, 88},
                                        {127, 88, 127, 112},
                                        {127, 112, 131, 112}}));
  EXPECT_EQ(p.sirkaP, 1);
}

TEST(KresliNavestidlo, TrianglesDiamondAndInvisibleCodes) {
  test::Svet w;
  auto& p = w.platno;
  KresliNavestidlo(w.stav, 100, 50, 1);
  std::vector<Cara> ocekavane;
  for (int i = 0; i <= gx; ++i) ocekavane.emplace_back(97 + i, 50 - i, 97 + i, 50 + i);
  EXPECT_EQ(Cary(p), ocekavane);  // point at the left, widest 3 pixels right of the signal
  p.smaz();
  KresliNavestidlo(w.stav, 100, 50, 2);
  ocekavane.clear();
  for (int i = 0; i <= gx; ++i) ocekavane.emplace_back(103 - i, 50 - i, 103 - i, 50 + i);
  EXPECT_EQ(Cary(p), ocekavane);
  p.smaz();
  KresliNavestidlo(w.stav, 100, 50, 3);
  ocekavane.clear();
  for (int i = 0; i <= gx; ++i) {
    ocekavane.emplace_back(94 + i, 50 - i, 94 + i, 50 + i);
    ocekavane.emplace_back(106 - i, 50 - i, 106 - i, 50 + i);
  }
  EXPECT_EQ(Cary(p), ocekavane);  // a diamond with points at x - 6 and x + 6
  for (int sirka : SirkyCar(p)) EXPECT_EQ(sirka, 1);
  p.smaz();
  KresliNavestidlo(w.stav, 100, 50, 0);
  KresliNavestidlo(w.stav, 100, 50, 4);
  KresliNavestidlo(w.stav, 100, 50, 5);
  EXPECT_TRUE(p.jen("cara").empty());
}

TEST(KresliSouseda, ArrowsShowTheDirectionOfTravel) {
  test::Svet w;
  auto& p = w.platno;
  const std::vector<Cara> doleva{{103, 56, 97, 50}, {97, 50, 104, 43}};
  const std::vector<Cara> doprava{{97, 56, 103, 50}, {103, 50, 96, 43}};
  const std::vector<Cara> kriz{{97, 56, 103, 44}, {103, 56, 97, 44}};
  struct Pripad {
    int konec, druh;
    std::vector<Cara> cary;
  };
  for (const Pripad& c : {Pripad{1, 2, doleva}, Pripad{2, 1, doleva}, Pripad{1, 1, doprava},
                          Pripad{2, 2, doprava}, Pripad{1, 3, kriz}, Pripad{2, 3, kriz},
                          Pripad{1, 4, {}}, Pripad{2, 5, {}}}) {
    p.smaz();
    p.barvaPera(Zelene);
    KresliSouseda(w.stav, 100, 50, c.konec, c.druh);
    EXPECT_EQ(Cary(p), c.cary) << c.konec << " " << c.druh;
    for (const auto& v : p.jen("cara")) {
      EXPECT_EQ(v.a[4], 0);  // always in the foreground colour
      EXPECT_EQ(v.a[5], 1);
    }
  }
}

TEST(KresliText, LabelIsOpaqueAndPlacedByItsSize) {
  test::Svet w;
  w.stav.nastaveni.popredi = RGB(10, 20, 30);
  KresliText(w.stav, 40, 200, 16, "Lesn\xe1");
  KresliText(w.stav, 40, 200, 9, "x");
  auto t = w.platno.jen("text");
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].t, "Lesn\xe1");
  EXPECT_EQ(t[0].a, (std::vector<int>{40, 200 - 3 - 8, static_cast<int>(RGB(10, 20, 30)), 1, 16}));
  EXPECT_EQ(t[1].a[1], 200 - 3 - 4);
  EXPECT_EQ(w.platno.jen("pismo")[0].t, "arial");
}

TEST(KresliNastupiste, LineMidwayBelowTheRow) {
  test::Svet w;
  w.stav.nastaveni.sirkaCary = 2;
  w.platno.barvaPera(BarvaNastupiste);
  KresliNastupiste(w.stav, 300, 474, 192);
  EXPECT_EQ(Cary(w.platno), (std::vector<Cara>{{300, 198, 474, 198}}));
  EXPECT_EQ(w.platno.jen("cara")[0].a[4], static_cast<int>(BarvaNastupiste));
  EXPECT_EQ(w.platno.jen("cara")[0].a[5], 2);
  EXPECT_EQ(w.platno.sirkaP, 1);
}

TEST(BlikniNabidku, BothPhases) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.velikostTextu = 7;
  w.stav.nastaveni.popredi = RGB(1, 2, 3);
  BlikniNabidku(w.stav, 100, 50, true);
  auto obd = p.jen("obdelnik");
  ASSERT_EQ(obd.size(), 1u);
  EXPECT_EQ(obd[0].a, (std::vector<int>{96, 44, 105, 57, 0x888888, 0x888888}));
  auto t = p.jen("text");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].t, "?");
  EXPECT_EQ(t[0].a, (std::vector<int>{97, 43, static_cast<int>(BarvaObsazeno), 0, 7}));
  // The "?" is bold; afterwards the font is normal again and the pen is the foreground.
  auto pisma = p.jen("pismo");
  ASSERT_GE(pisma.size(), 2u);
  EXPECT_EQ(pisma[pisma.size() - 2].a[2], 1);
  EXPECT_EQ(pisma.back().a[2], 0);
  EXPECT_EQ(p.pero, RGB(1, 2, 3));
  EXPECT_EQ(p.vypln, RGB(136, 136, 136));  // the fill stays as set
  p.smaz();
  BlikniNabidku(w.stav, 100, 50, false);
  obd = p.jen("obdelnik");
  ASSERT_EQ(obd.size(), 1u);
  EXPECT_EQ(obd[0].a, (std::vector<int>{96, 44, 105, 57, 0x0000FF, 0x0000FF}));
  EXPECT_EQ(p.jen("text")[0].a[2], 0);  // black on red
  EXPECT_EQ(p.pero, RGB(1, 2, 3));
  EXPECT_EQ(p.vypln, BarvaObsazeno);
}

TEST(NastavBarvy, ClearsThePictureAndColoursTheWindow) {
  test::Svet w;
  w.stav.nastaveni.pozadi = RGB(255, 255, 255);
  w.stav.nastaveni.popredi = RGB(0, 0, 255);
  NastavBarvy(w.stav);
  auto obd = w.platno.jen("obdelnik");
  ASSERT_EQ(obd.size(), 1u);
  EXPECT_EQ(obd[0].a, (std::vector<int>{0, 0, 800, 540, 0xFFFFFF, 0xFFFFFF}));
  EXPECT_EQ(w.platno.pero, RGB(0, 0, 255));
  EXPECT_EQ(w.stav.okno.pozadi, RGB(255, 255, 255));
  EXPECT_EQ(w.stav.okno.popredi, RGB(0, 0, 255));
}

TEST(KresliPrvek, StateColourThenForegroundAgain) {
  test::Svet w;
  auto& p = w.platno;
  w.stav.nastaveni.sirkaCary = 1;
  // A track: its segment and its line with the text, both in the state colour.
  KresliPrvek(w.stav, Kolej(0, 120, 24, 3), BarvaObsazeno, "4711");
  auto cary = p.jen("cara");
  ASSERT_EQ(cary.size(), 3u);
  for (const auto& c : cary) EXPECT_EQ(c.a[4], static_cast<int>(BarvaObsazeno));
  EXPECT_EQ(p.jen("text")[0].t, "4711");
  EXPECT_EQ(p.pero, RGB(0, 0, 0));
  // A connector with brackets: brackets only, no text.
  p.smaz();
  RKolej sp = Kolej(0, 30, 24, 18001);
  sp.zavorky = true;
  KresliPrvek(w.stav, sp, Zelene, "x");
  EXPECT_EQ(p.jen("cara").size(), 8u);
  EXPECT_TRUE(p.jen("text").empty());
  EXPECT_TRUE(p.jen("obdelnik").empty());
  // An invisible connector draws nothing.
  p.smaz();
  sp.viditelna = false;
  KresliPrvek(w.stav, sp, Zelene, "");
  EXPECT_TRUE(p.jen("cara").empty());
  EXPECT_EQ(p.pero, RGB(0, 0, 0));
  // A signal in a colour.
  p.smaz();
  RNavestidlo n;
  n.x = 60;
  n.y = 24;
  n.strana = 3;
  KresliNavestidloBarvou(w.stav, n, BarvaVyber);
  EXPECT_EQ(p.jen("cara").size(), 14u);
  EXPECT_EQ(p.jen("cara")[0].a[4], static_cast<int>(BarvaVyber));
  EXPECT_EQ(p.pero, RGB(0, 0, 0));
}
