// Network play as the window runs it: one station on the window's state, ticked on its own
// clock and played (here by an automatic dispatcher standing in for the person), the others
// caught up to it after every tick, and the station played changing hands now and then.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "jadro.h"
#include "model/platno.h"
#include "model/seznamy.h"
#include "sit/sit.h"
#include "smena/smena.h"

namespace stanovar {
namespace {

namespace fs = std::filesystem;

constexpr double Sekunda = 1.0 / 86400;

// The window: its own state on its own clock, drawn on nothing.
struct Okno {
  PrazdnePlatno platno;
  VirtualniProstredi hodiny{0.25, 11};
  Stav s;
  std::unique_ptr<AutomatickyDispecer> hrac;  // the person at the window
  Okno() {
    s.platno = &platno;
    s.prostredi = &hodiny;
    SledujSkore(s);
    s.posluchaci.poslouchej([this](Stav&, const Oznameni& o) {
      if (hrac && o.druh == DruhOznameni::Udalost) hrac->udalost(*o.udalost);
    });
    Spust(s, STANOVAR_DATA_DIR);
  }
  // One tick of the window: its clock moves on, its due events run, the person looks, then
  // the network catches up.
  void tik(HraSite& hra, double krok) {
    PosunNa(s, hodiny, SimCas(s) + krok);
    CasovacUdalostiTimer(s);
    if (hrac) (*hrac)(s);
    hra.dohon();
  }
};

// Every train of the network, in a station or on a line, by number: none may be lost or
// appear twice when the station played changes hands.
std::multiset<int> VlakySite(HraSite& hra, Stav& okno) {
  std::multiset<int> v;
  for (std::size_t i = 0; i < hra.popis().stanice.size(); ++i) {
    Stav& s = i == hra.hrana() ? okno : *hra.stanice(i);
    for (const RVlak& t : s.Vlaky) v.insert(t.cislo);
    for (const auto& p : hra.sit().prijizdejici(i)) v.insert(p.cislo);
  }
  return v;
}

TEST(HraSite, ThePlayedStationAndItsNeighbourRunOnOneClockAndChangeHandsWithNothingLost) {
  Okno okno;
  HraSite hra;
  ASSERT_EQ(hra.otevri(std::string(STANOVAR_DATA_DIR) + "/sit.json", 0, okno.s), "");
  ASSERT_TRUE(hra.aktivni());
  EXPECT_EQ(hra.hrana(), 0u);
  // The window plays LESNA in its own language; the neighbour runs beside it.
  EXPECT_NE(okno.s.nastaveni.cestaSchema.find("demo.yrd"), std::string::npos);
  ASSERT_NE(hra.stanice(1), nullptr);
  EXPECT_EQ(hra.stanice(0), nullptr);
  okno.hrac = std::make_unique<AutomatickyDispecer>();

  std::mt19937 nahoda(5);
  std::uniform_real_distribution<double> krok(0.05, 1.5);  // seconds between ticks
  const double konec = SimCas(okno.s) + 6.0 / 24;
  double prepnout = SimCas(okno.s) + 20 * 60 * Sekunda;
  int prepnuti = 0;
  while (SimCas(okno.s) < konec) {
    okno.tik(hra, krok(nahoda) * Sekunda);
    const double ted = SimCas(okno.s);
    ASSERT_EQ(hra.sit().over(), "") << "at " << (ted - 0.25) * 86400 << " s";
    // One clock: every station has reached the played station's time, and no further. (The
    // bodies are not checked here: between two events of a station a tick's instant finds a
    // train's body a few metres off its releases in a station played alone too.)
    for (std::size_t i = 0; i < 2; ++i)
      ASSERT_NEAR(SimCas(i == hra.hrana() ? okno.s : *hra.stanice(i)), ted, 1e-9);
    if (ted < prepnout) continue;
    // The station played changes hands: the same trains go on, where they were.
    const std::multiset<int> pred = VlakySite(hra, okno.s);
    std::map<int, int> naKoleji;
    for (const RVlak& t : hra.stanice(1 - hra.hrana())->Vlaky) naKoleji[t.cislo] = t.prvek;
    const std::size_t nova = 1 - hra.hrana();
    ASSERT_EQ(hra.prepni(nova), "");
    EXPECT_EQ(hra.hrana(), nova);
    EXPECT_EQ(VlakySite(hra, okno.s), pred);
    std::map<int, int> vOkne;
    for (const RVlak& t : okno.s.Vlaky) vOkne[t.cislo] = t.prvek;
    EXPECT_EQ(vOkne, naKoleji);
    EXPECT_NEAR(SimCas(okno.s), ted, 1e-9);
    // The person at the window finds the new station afresh.
    okno.hrac = std::make_unique<AutomatickyDispecer>();
    ++prepnuti;
    prepnout = ted + (10 + 30 * krok(nahoda)) * 60 * Sekunda;
  }
  EXPECT_GE(prepnuti, 6);
  // Trains crossed both ways, and were taken in at the far end.
  for (const SouhrnSmeru& m : hra.sit().souhrn()) {
    EXPECT_GT(m.odeslano, 3) << m.z << " -> " << m.k;
    EXPECT_GT(m.prijato, 3) << m.z << " -> " << m.k;
  }
  // Leaving the network: the window's station hears the lines no more and generates trains
  // on every line end again.
  hra.ukonci();
  EXPECT_FALSE(hra.aktivni());
  for (const RSoused& so : okno.s.Sousede) EXPECT_FALSE(so.propojeny);
}

TEST(HraSite, ANetworkThatCannotBeReadLeavesTheWindowAsItWas) {
  Okno okno;
  const std::string schema = okno.s.nastaveni.cestaSchema;
  const std::size_t koleji = okno.s.Koleje.size();
  const fs::path slozka = fs::temp_directory_path() / "stanovar-test-hra";
  fs::create_directories(slozka);
  const std::string data = fs::absolute(STANOVAR_DATA_DIR).string();
  {
    std::ofstream f(slozka / "sit.json");
    f << R"({"format": "stanovar-network", "version": 1, "stations": [)"
      << R"({"name": "LESNA", "path": ")" << data << R"("}, {"name": "PRAZDNA", "path": ")"
      << slozka.string() << R"("}], "links": []})";
  }
  HraSite hra;
  const std::string chyba = hra.otevri((slozka / "sit.json").string(), 0, okno.s);
  EXPECT_NE(chyba.find("PRAZDNA"), std::string::npos) << chyba;
  EXPECT_FALSE(hra.aktivni());
  EXPECT_EQ(okno.s.nastaveni.cestaSchema, schema);
  EXPECT_EQ(okno.s.Koleje.size(), koleji);
  EXPECT_NE(hra.otevri(std::string(STANOVAR_DATA_DIR) + "/sit.json", 2, okno.s), "");
  // Stations that read well but a link to a line one of them does not have.
  {
    std::ofstream f(slozka / "sit.json");
    f << R"({"format": "stanovar-network", "version": 1, "stations": [)"
      << R"({"name": "LESNA", "path": ")" << data << R"("}, {"name": "DRUHA", "path": ")" << data
      << R"("}], "links": [{"a": {"station": "LESNA", "line": "NIKAM"}, )"
      << R"("b": {"station": "DRUHA", "line": "KAMENEC"}}]})";
  }
  const std::string linka = hra.otevri((slozka / "sit.json").string(), 0, okno.s);
  EXPECT_NE(linka.find("NIKAM"), std::string::npos) << linka;
  EXPECT_FALSE(hra.aktivni());
  EXPECT_EQ(okno.s.Koleje.size(), koleji);
  fs::remove_all(slozka);
}

}  // namespace
}  // namespace stanovar
