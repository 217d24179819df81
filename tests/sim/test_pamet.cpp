// The short cuts of headless runs against the clicks they stand for, on busy stations in the
// middle of a run: a kept path gives what a fresh search gives, and a route the dispatcher
// leaves unclicked because it would only be stored and withdrawn really changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "control/cesty.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "sim/beh.h"

using namespace stanovar;

namespace {

// Everything clicks can change; with `vyber`, also where the last selection started and
// how its search ended, which nothing reads before the next selection sets them again.
std::string Otisk(const Stav& s, bool vyber = true) {
  std::ostringstream o;
  for (const auto* l : {&s.Koleje, &s.Spojky})
    for (const RKolej& e : *l) o << int(e.zaver) << ',' << e.vlak << ',' << int(e.druhKonce) << ';';
  for (const RNavestidlo& n : s.Navestidla) o << n.stav << ';';
  auto kroky = [&](const Kroky& c) {
    for (const RKrok& k : c)
      o << k.x << ',' << k.y << ',' << k.prvek << ',' << k.delka << ',' << k.minRychlost << ','
        << k.cena << ',' << k.smer << ' ';
  };
  o << "|pending ";
  for (const RCekajiciCesta& c : s.CekajiciCesty) {
    o << c.start << ',' << c.cil << ',' << int(c.ceka) << ',' << int(c.drzena) << ':';
    kroky(c.cesta);
  }
  o << "|routes ";
  for (const RCesta& c : s.Cesty) {
    o << c.start << ',' << c.vlak << ',' << c.minRychlost << ':';
    kroky(c.cesta);
  }
  o << "|trains ";
  for (const RVlak& v : s.Vlaky) o << v.cislo << ',' << v.maOdjezd << ',' << v.cesta.size() << ';';
  o << "|queue ";
  for (const auto& [h, u] : s.fronta.seznam())
    o << h << ',' << u.cas << ',' << int(u.druh) << ',' << u.vlak << ',' << u.prvek << ';';
  o << "|selection " << s.VyberCesty << ',' << s.CilovaKolej << ',' << s.nahoda;
  if (vyber)
    o << ',' << s.StartNavestidlo << ',' << s.PosledniX << ',' << s.PosledniY << ','
      << s.PosledniSmer;
  kroky(s.HledanaCesta);
  kroky(s.UlozenaCesta);
  return o.str();
}

// A copy of the runner's state that clicks can be tried on, without its listeners.
Stav Kopie(const Stav& s, PametCest* pamet) {
  Stav k = s;
  k.posluchaci.vycisti();
  k.pametCest = pamet;
  return k;
}

int StredKoleje(const RKolej& k) { return (k.x1 + k.x2) / 2; }

}  // namespace

TEST(Pamet, KeptPathsAndSkippedClicksChangeNothing) {
  int predpovezeno = 0;
  for (const char* stanice : {"", "/vlci_brod"}) {
    for (std::uint32_t seed : {3u, 11u}) {
      VolbyBehu v;
      v.stanice = std::string(STANOVAR_DATA_DIR) + stanice;
      v.seed = seed;
      v.cetnost = 8;
      v.hodin = 5;
      Beh beh(v);
      ASSERT_EQ(beh.nacti(), "");
      ASSERT_TRUE(beh.spust(nullptr));
      const Stav& s = beh.stav();
      std::vector<const RKolej*> koleje;
      for (const RKolej& k : s.Koleje) koleje.push_back(&k);

      // The same clicks at random, signals, tracks and cancels, with kept paths and with a
      // fresh search each time: the two states never part.
      PametCest kept;
      Stav a = Kopie(s, &kept), b = Kopie(s, nullptr);
      std::mt19937 nahoda(seed);
      std::size_t vyberu = 0;
      for (int i = 0; i < 600; ++i) {
        // Among a few signals and tracks, so that the same selections come again.
        const RNavestidlo& n =
            s.Navestidla[nahoda() % std::min<std::size_t>(s.Navestidla.size(), 8)];
        const RKolej& k = *koleje[nahoda() % std::min<std::size_t>(koleje.size(), 12)];
        const int co = static_cast<int>(nahoda() % 4);
        for (Stav* x : {&a, &b}) {
          if (co == 3) {
            Image1MouseDown(*x, Tlacitko::Prave, n.x, n.y);
          } else {
            vyberu += x == &a;
            Image1MouseDown(*x, Tlacitko::Leve, n.x, n.y);
            Image1MouseDown(*x, Tlacitko::Leve, StredKoleje(k), k.y1);
          }
        }
        ASSERT_EQ(Otisk(a), Otisk(b)) << "click " << i;
      }
      // Every route the dispatcher would leave unclicked, clicked for real on a copy: stored
      // under its signal, and withdrawn, it leaves the state as it found it. In the runner's
      // state, and in one the random clicks have filled with set and stored routes.
      auto predpovedi = [&](const Stav& z) {
        PametCest pamet;
        for (const RNavestidlo& n : z.Navestidla)
          for (const RKolej* k : koleje) {
            Stav x = Kopie(z, nullptr);
            const Kroky* c = CestaKliku(x, pamet, n.id, n.x, n.y, StredKoleje(*k), k->y1);
            if (!c || !UlozenaBezStopy(x, *c)) continue;
            ++predpovezeno;
            const std::string pred = Otisk(x, false);
            Image1MouseDown(x, Tlacitko::Leve, n.x, n.y);
            Image1MouseDown(x, Tlacitko::Leve, StredKoleje(*k), k->y1);
            EXPECT_EQ(NajdiNavestidlo(x, n.id)->stav, 4);
            Image1MouseDown(x, Tlacitko::Prave, n.x, n.y);
            EXPECT_EQ(Otisk(x, false), pred) << "signal " << n.id << " to track " << k->id;
          }
      };
      predpovedi(s);
      predpovedi(b);
      // Paths were kept, and used again many times.
      EXPECT_GT(kept.cesty.size(), 0u);
      EXPECT_LT(kept.cesty.size() * 2, vyberu);
    }
  }
  EXPECT_GT(predpovezeno, 50);
}
