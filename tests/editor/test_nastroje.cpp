// What the editor window's tools ask of a document: picking an element by a click or a
// rectangle, the lines drawing gestures make, and a paste.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "editor/editor.h"
#include "files/soubory.h"
#include "model/platno.h"
#include "model/stav.h"

using namespace stanovar;
using namespace stanovar::editor;

namespace {

// Track 60..120 on row 24 with a signal at its right end where the next track begins, a
// diagonal connector down from there, a platform below the first track and a label.
Dokument Mala() {
  Dokument d;
  d.radky = {NovyRadek('1', {"60", "24", "120", "24", "0", "300", "1", "80"}),
             NovyRadek('3', {"120", "24"}),
             NovyRadek('1', {"120", "24", "180", "24", "0", "300", "2", "80"}),
             NovyRadek('2', {"120", "24", "132", "48", "", "40", "40", "0", "1"}),
             NovyRadek('5', {"60", "120", "24", "0", "MALA"}),
             NovyRadek('4', {"30", "0", "72", "0", "Mala", "9"}),
             NovyRadek('x', {"90", "24"})};
  return d;
}

std::string Pole(const RadekSchematu& r) {
  std::string t(1, r.druh);
  for (std::size_t i = 1; i <= PocetPoli; ++i) t += "|" + r.pole[i];
  return t;
}

}  // namespace

TEST(Nastroje, ClicksAndRectanglesPickTheElementDrawnThere) {
  const Dokument d = Mala();
  const struct {
    int x, y, radek;  // -1 nothing
  } kliky[] = {
      {90, 24, 0},   {90, 22, 0},    {118, 25, 1}, {125, 23, 1},  // the signal's symbol wins
      {150, 25, 2},  {127, 37, 3},   {90, 30, 4},  {40, 68, 5},   // track, connector, platform, label
      {90, 60, -1},  {300, 24, -1},  {181, 24, 2}, {186, 24, -1},
  };
  for (const auto& k : kliky) {
    const auto v = PrvekVBode(d, k.x, k.y);
    EXPECT_EQ(v ? static_cast<int>(*v) : -1, k.radek) << k.x << "," << k.y;
  }
  EXPECT_EQ(PrvkyVObdelniku(d, 54, 12, 126, 36), (std::set<std::size_t>{0, 1, 4}));
  EXPECT_EQ(PrvkyVObdelniku(d, 0, 0, 400, 400), (std::set<std::size_t>{0, 1, 2, 3, 4, 5}));
}

TEST(Nastroje, GesturesDrawOnTheGridWithDefaultsAnAuthorEdits) {
  const Dokument d = Mala();
  const struct {
    Nastroj n;
    int x1, y1, x2, y2;
    const char* radek;  // "" nothing drawn
  } gesta[] = {
      {Nastroj::Kolej, 121, 27, 61, 40, "1|60|24|120|24|0|150|3|80|0"},   // from the left, on the start row
      {Nastroj::Kolej, 61, 27, 62, 90, ""},
      {Nastroj::Spojka, 60, 24, 73, 49, "2|60|24|72|48||40|40|0|1"},      // two rows over two columns
      {Nastroj::Spojka, 73, 0, 60, 24, "2|60|24|72|0||40|40|0|1"},        // rising, from its left end
      {Nastroj::Spojka, 60, 24, 100, 26, "2|60|24|102|24||70|80|0|1"},
      {Nastroj::Spojka, 61, 70, 62, 24, "2|60|24|60|72||40|40|0|1"},      // vertical, from the top
      {Nastroj::Spojka, 60, 24, 61, 25, ""},
      {Nastroj::Navestidlo, 122, 20, 0, 0, "3|120|24|||||||"},
      {Nastroj::KonecTrati, 59, 25, 0, 0, "6|60|24||TRAT1||3|||"},
      {Nastroj::Nastupiste, 179, 35, 61, 35, "5|60|180|24|0|LESNA||||"},  // between rows 24 and 36
      {Nastroj::Popisek, 31, 70, 0, 0, "4|30|0|72|0|Lesna|9|||"},
  };
  for (const auto& g : gesta) {
    const auto r = NovyPrvek(d, g.n, g.x1, g.y1, g.x2, g.y2, "Lesna");
    EXPECT_EQ(r ? Pole(*r) : std::string(), g.radek) << static_cast<int>(g.n) << " " << g.x1 << "," << g.y1;
  }

  // Whatever the gesture, a connector is one the program places and its first end is where
  // the gesture began or ended.
  std::mt19937 nahoda(7);
  auto c = [&](int n) { return static_cast<int>(nahoda() % static_cast<unsigned>(n)); };
  for (int i = 0; i < 2000; ++i) {
    const int x1 = c(600), y1 = c(400), x2 = c(600), y2 = c(400);
    const auto r = NovyPrvek(d, Nastroj::Spojka, x1, y1, x2, y2, "");
    if (!r) {
      EXPECT_EQ(NaMrizku(x1, y1), NaMrizku(x2, y2));
      continue;
    }
    const int a = r->cislo(1), b = r->cislo(2), e = r->cislo(3), f = r->cislo(4);
    EXPECT_TRUE((b == f && a < e) || (a == e && b != f) || (a < e && std::abs(f - b) * gx == (e - a) * gy))
        << Pole(*r);
    EXPECT_TRUE(NaMrizku(x1, y1) == (Bod{a, b}) || NaMrizku(x2, y2) == (Bod{a, b}) ||
                NaMrizku(x1, y1) == (Bod{e, f}) || NaMrizku(x2, y2) == (Bod{e, f}))
        << Pole(*r);
    PrazdnePlatno platno;
    Stav s;
    s.platno = &platno;
    CtiSchema(s, ZapisDokument(Dokument{{*r}}));
    EXPECT_EQ(s.Spojky.size(), 1u) << Pole(*r);
  }
}

// New tracks go after the last track, where the signals, platforms and line ends of the file
// find them; the rest at the end. Undone, the document is as before.
TEST(Nastroje, NewLinesGoWhereTheReaderFindsTheirTracks) {
  Dokument d = Mala();
  const Dokument pred = d;
  std::set<std::size_t> nove;
  const Krok k = Vloz(d, {d.radky[4], d.radky[0], d.radky[2]}, 12, 48, &nove);
  Proved(d, k);
  ASSERT_EQ(d.radky.size(), pred.radky.size() + 3);
  EXPECT_EQ(nove, (std::set<std::size_t>{3, 4, 9}));
  EXPECT_EQ(Pole(d.radky[3]), "1|72|72|132|72|0|300|1|80|");
  EXPECT_EQ(Pole(d.radky[4]), "1|132|72|192|72|0|300|2|80|");
  EXPECT_EQ(Pole(d.radky[9]), "5|72|132|72|0|MALA||||");
  Vrat(d, k);
  EXPECT_EQ(ZapisDokument(d), ZapisDokument(pred));

  // Drawn as an author may: the signal first, then the tracks it stands between, a line end
  // and a track from nothing. The program's reader places every one of them.
  Dokument prazdny{{NovyRadek('x', {"comment"})}};
  for (auto [n, x1, x2] : {std::tuple{Nastroj::Navestidlo, 120, 120}, {Nastroj::KonecTrati, 60, 60},
                           {Nastroj::Kolej, 60, 120}, {Nastroj::Kolej, 120, 180}})
    Proved(prazdny, Umisti(prazdny, {*NovyPrvek(prazdny, n, x1, 24, x2, 24, "")}, "Draw"));
  PrazdnePlatno platno;
  Stav s;
  s.platno = &platno;
  CtiSchema(s, ZapisDokument(prazdny));
  EXPECT_EQ(s.Koleje.size(), 2u);
  EXPECT_EQ(s.Navestidla.size(), 1u);
  EXPECT_EQ(s.Sousede.size(), 1u);
}
