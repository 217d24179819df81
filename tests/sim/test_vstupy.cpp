// A person's inputs played from a file: the file's form, the minimal case of a release that
// ran twice played through the command line, and a run with inputs cut anywhere, saved and
// resumed with the same inputs, is the run that never stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "control/klavesy.h"
#include "model/seznamy.h"
#include "jadro.h"
#include "model/platno.h"
#include "smena/smena.h"
#include "sim/beh.h"
#include "sim/prikaz.h"
#include "smena/vstupy.h"

using namespace stanovar;

namespace {

const std::string Dvojkolejka = std::string(STANOVAR_TEST_DIR) + "/data/dvojkolejka";

// At 140.192 s the tail of 5107 clears line track H1 and the accepted 801 is handed over onto
// it; the route set at that instant re-plans 5107.
const char* const UvolneniDvakrat =
    "time_s,input,x,y\n"
    "40.948,key:F2,24,215\n"
    "40.948,key:A,24,216\n"
    "90.860,left,150,216\n"
    "90.860,left,263,266\n"
    "90.860,key:F2,25,215\n"
    "90.860,key:A,24,216\n"
    "140.192,left,524,262\n"
    "140.192,left,649,242\n";

std::string BezHlavicky(const std::string& z) { return z.substr(z.find('\n') + 1); }

}  // namespace

TEST(Vstupy, SouborVstupu) {
  struct Pripad {
    std::string text;
    std::string chyba;  // empty: read
  };
  const Pripad pripady[] = {
      {UvolneniDvakrat, ""},
      {"time_s,input,x,y\r\n0,middle,-3,7\r\n\r\n12.5,key:Right,0,0\r\n", ""},
      {"time_s,input,x,y\n1,offer,9,0\n1,yes,0,0\n2,no,0,0\n", ""},
      {"", "line 1: the header"},
      {"time,input,x,y\n", "line 1: the header"},
      {"time_s,input,x,y\n1,left,2\n", "line 2: four fields"},
      {"time_s,input,x,y\n1,left,2,3,4\n", "line 2: four fields"},
      {"time_s,input,x,y\n-1,left,2,3\n", "line 2: time_s"},
      {"time_s,input,x,y\n1.2345,left,2,3\n", "line 2: time_s"},
      {"time_s,input,x,y\n1.,left,2,3\n", "line 2: time_s"},
      {"time_s,input,x,y\n2,left,2,3\n1.999,left,2,3\n", "line 3: the inputs must come in time order"},
      {"time_s,input,x,y\n1,key:Esc,2,3\n", "line 2: unknown input 'key:Esc'"},
      {"time_s,input,x,y\n1,Left,2,3\n", "line 2: unknown input"},
      {"time_s,input,x,y\n1,left,2,y\n", "line 2: x and y"},
  };
  for (const Pripad& p : pripady) {
    std::vector<Vstup> v{Vstup{}};
    const std::string chyba = CtiVstupy(p.text, v);
    if (p.chyba.empty()) {
      EXPECT_EQ(chyba, "") << p.text;
      // Written again line by line, the file reads back the same.
      std::string znovu = std::string(HlavickaVstupu) + "\n";
      for (const Vstup& x : v) znovu += RadekVstupu(x);
      std::vector<Vstup> w;
      EXPECT_EQ(CtiVstupy(znovu, w), "");
      ASSERT_EQ(w.size(), v.size());
      for (std::size_t i = 0; i < v.size(); ++i)
        EXPECT_EQ(RadekVstupu(w[i]), RadekVstupu(v[i]));
    } else {
      EXPECT_EQ(chyba.rfind(p.chyba, 0), 0u) << p.text << "\n" << chyba;
      EXPECT_TRUE(v.empty());
    }
  }
  std::vector<Vstup> v;
  ASSERT_EQ(CtiVstupy(UvolneniDvakrat, v), "");
  ASSERT_EQ(v.size(), 8u);
  EXPECT_EQ(v[2].ms, 90860);
  EXPECT_EQ(v[2].druh, Vstup::Leve);
  EXPECT_EQ(v[1].klavesa, KlavesaA);
  EXPECT_EQ(RadekVstupu(v[7]), "140.192,left,649,242\n");
}

TEST(Vstupy, UvolneniKoncemVlakuPriPreplanovaniNeuvolniVlakZaNim) {
  namespace fs = std::filesystem;
  const fs::path soubor =
      fs::temp_directory_path() / ("stanovar_vstupy_" + std::to_string(::getpid()) + ".csv");
  std::ofstream(soubor, std::ios::binary) << UvolneniDvakrat;
  const std::string s = soubor.string();
  std::vector<const char*> argv{"stanovar-sim", "--seed", "3", "--dispatcher", "none",
                                "--hours", "0.5", "--check", "--actions", s.c_str(),
                                Dvojkolejka.c_str()};
  std::ostringstream out, err;
  const int kod = SpustPrikaz(static_cast<int>(argv.size()), argv.data(), out, err, false);
  EXPECT_EQ(kod, KodProbehl) << err.str();
  // Both accepted trains came in, so the inputs met the station as they did when played.
  EXPECT_NE(out.str().find("accepted 2"), std::string::npos) << out.str();
  fs::remove(soubor);

  const char* spatne[] = {"stanovar-sim", "--actions", "/nonexistent/actions.csv",
                          Dvojkolejka.c_str()};
  std::ostringstream out2, err2;
  EXPECT_EQ(SpustPrikaz(4, spatne, out2, err2, false), KodSpatneVolani);
  EXPECT_NE(err2.str().find("cannot read actions file"), std::string::npos) << err2.str();
}

TEST(Vstupy, BehSeVstupyPrerusenyKdekoliJeBehBezPreruseni) {
  // The minimal case and random clicks and keys among its events; cut at random instants and
  // at the inputs' own milliseconds, where an input and an event share the logged time.
  std::vector<Vstup> vstupy;
  ASSERT_EQ(CtiVstupy(UvolneniDvakrat, vstupy), "");
  std::mt19937 g(26);
  constexpr double Hodin = 0.5;
  for (int i = 0; i < 60; ++i) {
    Vstup v;
    v.ms = static_cast<long long>(g() % static_cast<unsigned>(Hodin * 3600000));
    const int druh = static_cast<int>(g() % 6);
    static const int klavesy[] = {KlavesaF1, KlavesaF2, KlavesaF5, KlavesaA, KlavesaN};
    v.druh = druh < 3 ? static_cast<Vstup::Druh>(druh) : Vstup::Klavesa;
    v.klavesa = druh < 3 ? 0 : klavesy[g() % 5];
    v.x = static_cast<int>(g() % 700), v.y = static_cast<int>(g() % 400);
    vstupy.push_back(v);
  }
  std::stable_sort(vstupy.begin(), vstupy.end(),
                   [](const Vstup& a, const Vstup& b) { return a.ms < b.ms; });
  auto volby = [&](const std::string& stanice, double hodin) {
    VolbyBehu v;
    v.stanice = stanice;
    v.seed = 3;
    v.hodin = hodin;
    v.dispecer = false;
    v.snimek = true;
    v.vstupy = vstupy;
    return v;
  };
  Beh cely(volby(Dvojkolejka, Hodin));
  ASSERT_EQ(cely.nacti(), "");
  std::ostringstream oc;
  cely.spust(&oc);
  std::vector<double> rezy{90.860 / 3600, 140.192 / 3600};
  for (int i = 0; i < 10; ++i) rezy.push_back((1 + g() % 1023) / 1024.0 * Hodin);
  for (double rez : rezy) {
    Beh prvni(volby(Dvojkolejka, rez));
    ASSERT_EQ(prvni.nacti(), "");
    std::ostringstream o1;
    prvni.spust(&o1);
    Beh druhy(volby("", Hodin - rez));
    ASSERT_EQ(druhy.obnovZTextu(prvni.snimek(), false), "");
    std::ostringstream o2;
    druhy.spust(&o2);
    EXPECT_EQ(o1.str() + BezHlavicky(o2.str()), oc.str()) << "cut at " << rez * 3600 << " s";
  }
}

TEST(Vstupy, ZaznamOknaSeCteJakoSouborVstupuAPokracujeBezOkna) {
  // A shift as the window runs it: its clock read at ticks of uneven length, the events due
  // run at each tick, and a person's clicks and keys between the ticks given through the
  // window's record. The record is a file of inputs the runner reads, each at the millisecond
  // it was given and after every event of that millisecond; and the runner goes on from the
  // window's save the record began with, playing the record, every invariant holding.
  PrazdnePlatno platno(800, 540);
  VirtualniProstredi hodiny(0.3, 17);
  Stav w;
  w.platno = &platno;
  w.prostredi = &hodiny;
  Spust(w, STANOVAR_DATA_DIR);
  ASSERT_FALSE(w.Koleje.empty());
  std::string zacatek;
  ASSERT_TRUE(UlozSmenuDoTextu(w, CastiBehu{}, zacatek));
  ZaznamVstupu zaznam;
  zaznam.zacni(SimCas(w));
  // Every event with the millisecond it ran at and the inputs given before it.
  std::vector<std::pair<long long, int>> udalosti;
  int dano = 0;
  std::vector<long long> msDanych;
  w.posluchaci.poslouchej([&](Stav&, const Oznameni& o) {
    if (o.druh != DruhOznameni::Udalost) return;
    zaznam.udalost(o.udalost->cas);
    udalosti.emplace_back(LogovanyCas(o.udalost->cas, zaznam.start()), dano);
  });

  std::mt19937 g(31);
  std::uniform_real_distribution<double> tik(0.02, 1.2);  // simulated seconds
  static const int klavesy[] = {KlavesaF1, KlavesaF2, KlavesaF5, KlavesaA, KlavesaN, KlavesaEsc};
  const double konec = SimCas(w) + 0.5 / 24;
  int nezapsano = 0;
  while (SimCas(w) < konec) {
    PosunNa(w, hodiny, SimCas(w) + tik(g) / 86400);
    CasovacUdalostiTimer(w);
    if (g() % 3) continue;
    // Now and then the person acts a hair before an event: in its millisecond, often.
    if (const RUdalost* u = w.fronta.nejdrivejsi(); u && g() % 2 && u->cas - 0.0003 / 86400 > SimCas(w))
      PosunNa(w, hodiny, u->cas - 0.0003 / 86400);
    Vstup v;
    const int druh = static_cast<int>(g() % 5);
    v.druh = druh < 2 ? static_cast<Vstup::Druh>(druh) : Vstup::Klavesa;
    v.klavesa = druh < 2 ? 0 : klavesy[g() % std::size(klavesy)];
    v.x = static_cast<int>(g() % 780), v.y = static_cast<int>(g() % 500);
    // A key the file has no name for (Esc) is given, not kept.
    msDanych.push_back(LogovanyCas(SimCas(w), zaznam.start()));
    if (zaznam.proved(w, v).empty()) ++nezapsano;
    ++dano;
  }
  w.okno.zavrit = false;
  std::vector<Vstup> vstupy;
  ASSERT_EQ(CtiVstupy(zaznam.text(), vstupy), "");
  EXPECT_EQ(static_cast<int>(vstupy.size()) + nezapsano, dano);
  EXPECT_GT(nezapsano, 0);
  EXPECT_GT(vstupy.size(), 50u);
  // No event of an input's millisecond or before ran after it.
  int pozde = 0;
  for (const auto& [ms, pred] : udalosti)
    if (pred > 0 && ms <= msDanych[static_cast<std::size_t>(pred - 1)]) ++pozde;
  EXPECT_EQ(pozde, 0);

  // The runner resumes the window's save with the record and gives every input of it.
  const std::string slozka = ::testing::TempDir() + "/zaznam-okna-" + std::to_string(getpid());
  std::filesystem::create_directories(slozka);
  {
    std::ofstream(slozka + "/posledni.zacatek.smena", std::ios::binary) << zacatek;
    std::ofstream(slozka + "/posledni.akce.csv", std::ios::binary) << zaznam.text();
  }
  VolbyBehu volby;
  volby.vstupy = vstupy;
  volby.hodin = 0.5;
  volby.kontrola = true;
  Beh beh(volby);
  ASSERT_EQ(beh.obnov(slozka + "/posledni.zacatek.smena", false), "");
  EXPECT_NEAR(SimCas(beh.stav()), zaznam.start(), 1e-9);
  std::ostringstream log;
  EXPECT_TRUE(beh.spust(&log)) << beh.souhrn().poruseni;
  EXPECT_NE(log.str().find('\n'), std::string::npos);
  std::filesystem::remove_all(slozka);
}

TEST(Vstupy, UdalostZVstupuPredDalsimVstupemProbehnePredNim) {
  // A route set by one input queues its train's events for that very instant; an input ten
  // seconds later comes after them, not before (it found them due in the past).
  const std::string demo = STANOVAR_DATA_DIR;
  for (std::uint32_t seed = 1; seed < 40; ++seed) {
    VolbyBehu v;
    v.stanice = demo;
    v.seed = seed;
    v.dispecer = false;
    v.kontrola = true;
    v.hodin = 0.02;
    Beh zkouska(v);
    ASSERT_EQ(zkouska.nacti(), "");
    // The first generation offers a train at the Kamenec line, used both ways.
    Stav& s = zkouska.stav();
    const RNabidka* n = s.Nabidky.empty() ? nullptr : &s.Nabidky.front();
    if (!n || n->odkud != "KAMENEC") continue;
    RKolej* trat = KolejVBode(s, n->x, n->y);
    RNavestidlo* vjezd = trat ? NavestidloVBode(s, trat->x1, trat->y1) : nullptr;
    const RKolej* kolej = nullptr;
    for (const RKolej& k : s.Koleje)
      if (k.druhKonce == 0 && trat && k.y1 == trat->y1) kolej = &k;
    ASSERT_TRUE(vjezd && kolej);
    const int x = (kolej->x1 + kolej->x2) / 2;
    v.vstupy = {{5000, Vstup::Klavesa, KlavesaF2, n->x, n->y},
                {6000, Vstup::Klavesa, KlavesaA, n->x, n->y},
                {14000, Vstup::Leve, 0, vjezd->x, vjezd->y},
                {16000, Vstup::Leve, 0, x, kolej->y1},
                {26000, Vstup::Klavesa, KlavesaF1, x, kolej->y1}};
    Beh beh(v);
    ASSERT_EQ(beh.nacti(), "");
    std::ostringstream log;
    EXPECT_TRUE(beh.spust(&log)) << beh.souhrn().poruseni;
    // The route's events ran at its instant, before the last input.
    EXPECT_NE(log.str().find("\n16.000,"), std::string::npos) << log.str();
    return;
  }
  FAIL() << "no seed offers a train at Kamenec first";
}
