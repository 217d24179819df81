// A neighbour with two line ends of one name (a double-track line whose tracks are both used
// both ways) and one train number in two timetable entries: each offer is shown, answered and
// handed over at its own line end with its own entry, generation comes in by a free line end,
// and a day of such a station under the automatic dispatcher keeps trains flowing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "control/dispecer.h"
#include "control/klavesy.h"
#include "files/soubory.h"
#include "jadro.h"
#include "traffic/generace.h"
#include "traffic/kontrola.h"
#include "traffic/obsazeni.h"
#include "traffic/trat.h"

using namespace stanovar;
using test::Trat;

namespace {

constexpr double Minuta = 1.0 / 1440;

// The small line of Trat with a second line track from ZAPAD below the first one:
//   ZAPAD > L  (y 120) -> platform -> V > VYCHOD
//   ZAPAD > L2 (y 132)
struct Dvojkolejka : Trat {
  int L2;
  explicit Dvojkolejka(int druhL = 3, int druhL2 = 3) : Trat(druhL) {
    L2 = Kolej(0, 60, 132, 500, 72, "L2");
    Konec(0, 132, "ZAPAD", druhL2);
    Spoj(60002, "ZAPAD", "VYCHOD", "T");
  }
  // The track-information key over a line track, then the answer.
  void Odpovez(int kolej, bool ano) {
    FormKeyDown(s, KlavesaF2, 30, K(kolej).y1);
    FormKeyDown(s, ano ? KlavesaA : KlavesaN, 0, 0);
  }
  // The train offered at line track `kolej`, 0 none.
  int Nabizen(int kolej) {
    for (const RNabidka& n : s.Nabidky)
      if (n.y == K(kolej).y1 && n.x == K(kolej).x1) return n.cislo;
    return 0;
  }
};

// Empty when every line end waits (4 accepted, 5 offered) exactly while one offer stands at
// it, answered as its state says, and its line track shows the same state.
std::string Nesoulad(Stav& s) {
  for (const RSoused& so : s.Sousede) {
    int nabidek = 0;
    bool prijata = false;
    for (const RNabidka& n : s.Nabidky)
      if (n.x == so.x && n.y == so.y) ++nabidek, prijata = n.prijata;
    const RKolej* k = KolejVBode(s, so.x, so.y);
    const bool ceka = so.druh == 4 || so.druh == 5;
    if (nabidek > 1 || ceka != (nabidek == 1) || (nabidek && prijata != (so.druh == 4)) ||
        (k && k->druhKonce != so.druh))
      return "line end " + std::to_string(so.id) + " in state " + std::to_string(so.druh) +
             " with " + std::to_string(nabidek) + " offers";
  }
  return {};
}

}  // namespace

TEST(DvaKonce, EachOfferIsShownAnsweredAndHandedOverAtItsOwnLineEnd) {
  enum Krok { AnoL, NeL, AnoL2, NeL2, ObsadL, ObsadL2, UvolniL2 };
  struct Pripad {
    std::vector<Krok> kroky;
    bool naL, naL2;  // the train offered at L (L2) stands on it at the end
  };
  const Pripad pripady[] = {
      {{AnoL2}, false, true},
      {{NeL, AnoL2}, false, true},
      {{NeL2, AnoL}, true, false},
      {{NeL, NeL2}, false, false},
      {{ObsadL, AnoL2}, false, true},  // the other line track busy: still in, by its own
      {{ObsadL2, AnoL2, UvolniL2}, false, true},
      {{ObsadL2, AnoL2, AnoL, UvolniL2}, true, true},
  };
  for (std::size_t i = 0; i < std::size(pripady); ++i) {
    SCOPED_TRACE(i);
    Dvojkolejka t;
    GenerujVlak(t.s);
    GenerujVlak(t.s);
    const int nL = t.Nabizen(t.L), nL2 = t.Nabizen(t.L2);
    ASSERT_TRUE(nL && nL2 && nL != nL2);
    for (Krok k : pripady[i].kroky) {
      const bool naL2 = k == AnoL2 || k == NeL2;
      switch (k) {
        case ObsadL: ObsazeniPrvku(t.s, 99, t.L); break;
        case ObsadL2: ObsazeniPrvku(t.s, 99, t.L2); break;
        case UvolniL2: UvolneniPrvku(t.s, 99, t.L2); break;
        default:
          FormKeyDown(t.s, KlavesaF2, 30, t.K(naL2 ? t.L2 : t.L).y1);
          EXPECT_EQ(t.s.NabizenyVlak, naL2 ? nL2 : nL);
          EXPECT_NE(t.s.okno.LabelSouhlas.find(std::to_string(naL2 ? nL2 : nL)),
                    std::string::npos);
          FormKeyDown(t.s, k == AnoL || k == AnoL2 ? KlavesaA : KlavesaN, 0, 0);
      }
      EXPECT_EQ(Nesoulad(t.s), "") << "after step " << k;
    }
    EXPECT_EQ(t.K(t.L).vlak == nL, pripady[i].naL);
    EXPECT_EQ(t.K(t.L2).vlak == nL2, pripady[i].naL2);
    EXPECT_EQ(t.s.Vlaky.size(), std::size_t{pripady[i].naL} + pripady[i].naL2);
  }
}

TEST(DvaKonce, GenerationComesInByAFreeLineEndOfTheName) {
  struct Pripad {
    int druhL, druhL2;
    bool obsazenaL;
    bool naL2;     // where the train comes: L2, else L
    bool nabidka;  // offered there, else it enters at once
  };
  for (const Pripad& p : {Pripad{3, 3, false, false, true}, Pripad{3, 3, true, true, true},
                          Pripad{1, 1, true, true, false}, Pripad{1, 3, true, true, true},
                          Pripad{2, 3, false, true, true}, Pripad{2, 1, false, true, false}}) {
    SCOPED_TRACE(std::to_string(p.druhL) + std::to_string(p.druhL2) + (p.obsazenaL ? "*" : ""));
    Dvojkolejka t(p.druhL, p.druhL2);
    if (p.obsazenaL) ObsazeniPrvku(t.s, 99, t.L);
    GenerujVlak(t.s);
    const int kde = p.naL2 ? t.L2 : t.L;
    if (p.nabidka) {
      ASSERT_EQ(t.s.Nabidky.size(), 1u);
      EXPECT_NE(t.Nabizen(kde), 0);
      EXPECT_TRUE(t.s.Vlaky.empty());
    } else {
      ASSERT_EQ(t.s.Vlaky.size(), 1u);
      EXPECT_EQ(t.K(kde).vlak, t.s.Vlaky.front().cislo);
    }
    EXPECT_EQ(Nesoulad(t.s), "");
  }
}

TEST(DvaKonce, AnAcceptedOfferHandsOverTheEntryItCameFrom) {
  // The same number the other way comes first in the timetable; it never comes in, as its
  // origin has a departures line only.
  for (bool obsazena : {false, true}) {
    SCOPED_TRACE(obsazena);
    Trat t;
    t.s.Grafikon[0].odkud = "VYCHOD";
    t.s.Grafikon[0].kam = "ZAPAD";
    t.Spoj(60001, "ZAPAD", "VYCHOD", "T").delka = 120;
    GenerujVlak(t.s);
    ASSERT_EQ(t.s.Nabidky.size(), 1u);
    if (obsazena) ObsazeniPrvku(t.s, 99, t.L);
    FormKeyDown(t.s, KlavesaF2, 30, 120);
    FormKeyDown(t.s, KlavesaA, 0, 0);
    if (obsazena) UvolneniPrvku(t.s, 99, t.L);
    RVlak* v = NajdiVlak(t.s, 60001);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->cil, "VYCHOD");
    EXPECT_EQ(v->delka, 120);
    EXPECT_EQ(t.K(t.L).vlak, 60001);
    EXPECT_TRUE(t.s.Nabidky.empty());
  }
}

TEST(DvaKonce, TheDispatcherRefusesWhatItCouldNeverTakeAtOnceAndWhatItCannotTakeInTimeLater) {
  // L2 has no signal at its inner end: nothing offered there could ever come in, so an offer
  // there waits its time out, which keeps the next train of that neighbour for L.
  enum Pripad { Prijme, NikdyNeodjede, KolejNeuvolni };
  for (Pripad p : {Prijme, NikdyNeodjede, KolejNeuvolni}) {
    SCOPED_TRACE(p);
    Dvojkolejka t;
    for (RSpoj& e : t.s.Grafikon)
      if (p == NikdyNeodjede) e.kam = "NIKAM";
    if (p == KolejNeuvolni) ObsazeniPrvku(t.s, 99, t.P);
    AutomatickyDispecer d;
    PoslouchejUdalosti(t.s, [&](double, const RUdalost& u) { d.udalost(u); });
    std::map<int, std::pair<int, double>> od;  // offered train -> its line track, since
    std::map<int, std::vector<double>> doby;   // line track -> how long each offer stood
    int naL = 0;                               // trains that came in by L
    GenerujVlak(t.s);
    Simuluj(t.s, t.virt, t.start + 3.0 / 24, [&] {
      d(t.s);
      const double ted = SimCas(t.s);
      for (const RNabidka& n : t.s.Nabidky)
        if (!n.prijata) od.try_emplace(n.cislo, n.y == t.K(t.L).y1 ? t.L : t.L2, ted);
      for (auto it = od.begin(); it != od.end();) {
        if (NajdiNabidkuVlaku(t.s, it->first) && !NajdiNabidkuVlaku(t.s, it->first)->prijata) {
          ++it;
          continue;
        }
        doby[it->second.first].push_back(ted - it->second.second);
        it = od.erase(it);
      }
      for (const RVlak& v : t.s.Vlaky) naL += v.cesta.size() == 2 && t.K(t.L).vlak == v.cislo;
      EXPECT_EQ(Nesoulad(t.s), "");
    });
    const std::vector<double>& L = doby[t.L];
    const std::vector<double>& L2 = doby[t.L2];
    for (double x : L2) {
      EXPECT_GE(x, AutomatickyDispecer::LhutaNabidky - 1e-9);
      EXPECT_LT(x, 30 * Minuta);
    }
    switch (p) {
      case Prijme:
        // Accepted at L in the look that first sees them, and in by it.
        EXPECT_TRUE(L.empty());
        EXPECT_GT(d.trvale().prijato, 5);
        EXPECT_GT(naL, 0);
        EXPECT_FALSE(L2.empty());
        break;
      case NikdyNeodjede:
        // Refused in the look that first sees them.
        EXPECT_TRUE(L.empty());
        EXPECT_GE(d.trvale().odmitnuto, 5);
        break;
      case KolejNeuvolni:
        ASSERT_FALSE(L.empty());
        for (double x : L) {
          EXPECT_GE(x, AutomatickyDispecer::LhutaNabidky - 1e-9);
          EXPECT_LT(x, 30 * Minuta);
        }
        break;
    }
    if (p != Prijme) {
      EXPECT_EQ(d.trvale().prijato, 0);
      EXPECT_TRUE(t.s.Vlaky.empty());
    }
  }
}

TEST(DvaKonce, ADayOnADoubleTrackLineUsedBothWaysKeepsTrainsFlowing) {
  for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    PrazdnePlatno platno;
    VirtualniProstredi prostredi(0.25, seed);
    Stav s;
    s.platno = &platno;
    s.prostredi = &prostredi;
    KontrolaStavu kontrola;
    AutomatickyDispecer dispecer;
    double zacatek = 0;
    std::vector<int> odjezdu(8);  // in each three hours of the day
    PoslouchejUdalosti(s, [&](double cas, const RUdalost& u) {
      kontrola.udalost(s, u);
      dispecer.udalost(u);
      if (u.druh == UdalostOdjezd && NajdiVlak(s, u.vlak))
        ++odjezdu[std::clamp(static_cast<int>((cas - zacatek) * 8), 0, 7)];
    });
    Spust(s, std::string(STANOVAR_TEST_DIR) + "/data/dvojkolejka");
    ASSERT_EQ(s.Sousede.size(), 4u);
    zacatek = SimCas(s);

    std::string chyba;
    std::map<int, double> nabidky, vlaky;  // waiting since
    double nejdeleNabidka = 0, nejdeleVlak = 0;
    auto cekani = [](std::map<int, double>& od, const std::vector<int>& nyni, double ted) {
      std::map<int, double> dal;
      double nejdele = 0;
      for (int c : nyni) {
        dal[c] = od.count(c) ? od[c] : ted;
        nejdele = std::max(nejdele, ted - dal[c]);
      }
      od.swap(dal);
      return nejdele;
    };
    Simuluj(s, prostredi, zacatek + 1.0, [&] {
      dispecer(s);
      if (chyba.empty()) chyba = kontrola.over(s, SimCas(s));
      if (chyba.empty()) chyba = Nesoulad(s);
      const double ted = SimCas(s);
      std::vector<int> n, v;
      for (const RNabidka& x : s.Nabidky)
        if (!x.prijata) n.push_back(x.cislo);
      for (const RVlak& x : s.Vlaky) v.push_back(x.cislo);
      nejdeleNabidka = std::max(nejdeleNabidka, cekani(nabidky, n, ted));
      nejdeleVlak = std::max(nejdeleVlak, cekani(vlaky, v, ted));
    });
    EXPECT_EQ(chyba, "");
    EXPECT_EQ(prostredi.pocetZprav, 0) << prostredi.posledniZprava;
    EXPECT_LT(nejdeleNabidka, 30 * Minuta);
    EXPECT_LT(nejdeleVlak, 120 * Minuta);
    for (int i = 0; i < 8; ++i) EXPECT_GE(odjezdu[i], 60) << "hours " << 3 * i << " to " << 3 * i + 3;
  }
}
