// Saving and resuming a shift: a run cut anywhere, saved and resumed, is the run that never
// stopped; and a save that is damaged, foreign or of changed files is refused with the
// running state left as it was.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <unistd.h>

#include "fakes/skriptovane_prostredi.h"
#include "jadro.h"
#include "sim/beh.h"
#include "sim/prikaz.h"
#include "traffic/cas.h"
#include "traffic/kontrola.h"
#include "smena/smena.h"
#include "traffic/smycka.h"

using namespace stanovar;
namespace fs = std::filesystem;

namespace {

VolbyBehu Volby(const std::string& stanice, bool nahodny, double hodin, std::uint32_t seed,
                bool kontrola = true, bool jednoduchy = false) {
  VolbyBehu v;
  v.stanice = stanice;
  v.seed = seed;
  v.hodin = hodin;
  v.nahodny = nahodny;
  v.jednoduchy = jednoduchy;
  v.kontrola = kontrola;
  v.snimek = true;
  return v;
}

std::string BezHlavicky(const std::string& z) { return z.substr(z.find('\n') + 1); }

// The save as the version before the automatic dispatcher planned wrote it: without that
// dispatcher's state, and without the runner's note of which dispatcher ran.
std::string StarsiVerze(const std::string& text) {
  nlohmann::json j = nlohmann::json::parse(text);
  nlohmann::json& stav = j["stav"];
  stav.erase("automatickyDispecer");
  stav["doplnek"].erase("jednoduchy");
  j["kontrolniSoucet"] =
      Otisk(stav.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  return KanonickyText(j);
}

// How many saves caught each of the moments that are easy to get wrong.
struct Pokryti {
  int brzdi = 0, blika = 0, ulozena = 0, vyber = 0, rozjezd = 0;
};

void Zapocti(const Stav& s, Pokryti& p) {
  for (const RVlak& v : s.Vlaky) p.brzdi += v.brzdi;
  for (const RNabidka& n : s.Nabidky) p.blika += !n.prijata;
  p.ulozena += !s.CekajiciCesty.empty();
  p.vyber += s.VyberCesty;
  for (const auto& [h, u] : s.fronta.seznam()) p.rozjezd += u.druh == UdalostRozjezd;
}

}  // namespace

TEST(Ulozeni, ObnovenyBehJeBehBezPreruseni) {
  constexpr int Hodin = 2;
  constexpr int Rezu = 50;  // per station and dispatcher
  std::mt19937 g(20261209);
  Pokryti p;
  for (const std::string& stanice : {std::string(STANOVAR_DATA_DIR), std::string(STANOVAR_DATA_DIR) + "/vlci_brod"}) {
    // The automatic dispatcher, the careless one and the simple one.
    for (int d = 0; d < 3; ++d) {
      const bool nahodny = d == 1, jednoduchy = d == 2;
      const std::uint32_t seed = g() % 1000;
      // The careless dispatcher's runs are checked after every event; the others' state is
      // compared whole at the end all the same.
      Beh cely(Volby(stanice, nahodny, Hodin, seed, nahodny, jednoduchy));
      ASSERT_EQ(cely.nacti(), "");
      std::ostringstream oc;
      ASSERT_TRUE(cely.spust(&oc));
      for (int i = 0; i < Rezu; ++i) {
        // Whole 256ths of an hour, so that the two parts add up to the whole exactly.
        const double rez = (1 + g() % (256 * Hodin - 1)) / 256.0;
        Beh prvni(Volby(stanice, nahodny, rez, seed, nahodny, jednoduchy));
        ASSERT_EQ(prvni.nacti(), "");
        std::ostringstream o1;
        ASSERT_TRUE(prvni.spust(&o1));
        const std::string& text = prvni.snimek();

        Beh druhy(Volby("", false, Hodin - rez, 0, nahodny));
        ASSERT_EQ(druhy.obnovZTextu(text, false), "");
        Zapocti(druhy.stav(), p);
        ASSERT_EQ(druhy.uloz(), text) << "save, open, save";
        std::ostringstream o2;
        ASSERT_TRUE(druhy.spust(&o2)) << druhy.souhrn().poruseni;
        ASSERT_EQ(o1.str() + BezHlavicky(o2.str()), oc.str())
            << stanice << " seed " << seed << " cut at " << rez << " h";
        ASSERT_EQ(druhy.snimek(), cely.snimek()) << stanice << " cut at " << rez << " h";
        if (!jednoduchy || i % 10) continue;
        // A save of the version before, whose automatic dispatcher is the simple one now,
        // goes on as that dispatcher would have.
        Beh treti(Volby("", false, Hodin - rez, 0, false));
        ASSERT_EQ(treti.obnovZTextu(StarsiVerze(text), false), "");
        std::ostringstream o3;
        ASSERT_TRUE(treti.spust(&o3));
        ASSERT_EQ(o1.str() + BezHlavicky(o3.str()), oc.str()) << "older save, cut at " << rez;
      }
    }
  }
  EXPECT_GT(p.brzdi, 0);
  EXPECT_GT(p.blika, 0);
  EXPECT_GT(p.ulozena, 0);
  EXPECT_GT(p.vyber, 0);
  EXPECT_GT(p.rozjezd, 0);
}

TEST(Ulozeni, PoskozenaCiziAZmenenaUlozeniJsouOdmitnuta) {
  // A station of its own, so that its files can go missing and change.
  const fs::path adr = fs::temp_directory_path() / ("stanovar_ulozeni_" + std::to_string(getpid()));
  fs::remove_all(adr);
  fs::create_directories(adr);
  for (const auto& f : fs::directory_iterator(STANOVAR_DATA_DIR))
    if (f.is_regular_file()) fs::copy_file(f.path(), adr / f.path().filename());

  Beh b(Volby(adr.string(), false, 0.05, 2));
  ASSERT_EQ(b.nacti(), "");
  ASSERT_TRUE(b.spust(nullptr));
  const std::string dobry = b.snimek();
  std::string pred = b.uloz();
  auto odmitnuto = [&](const std::string& text, const std::string& zprava, bool porovnat = true) {
    // A save hashes the files as they are now.
    if (porovnat) pred = b.uloz();
    const std::string m = b.obnovZTextu(text, false);
    EXPECT_NE(m.find(zprava), std::string::npos) << m;
    if (porovnat) {
      EXPECT_EQ(b.uloz(), pred) << "the running state changed";
    }
  };

  // Every truncation, changed bytes anywhere.
  for (std::size_t n = 0; n < dobry.size(); ++n)
    odmitnuto(dobry.substr(0, n), "damaged", n % 128 == 0);
  std::mt19937 g(7);
  for (int i = 0; i < 300; ++i) {
    std::string t = dobry;
    const std::size_t kde = g() % t.size();
    t[kde] = static_cast<char>(t[kde] ^ (1 << (g() % 8)));
    const std::string m = b.obnovZTextu(t, false);
    EXPECT_TRUE(m.find("damaged") != std::string::npos || m.find("another version") != std::string::npos)
        << "byte " << kde << ": " << m;
    if (i % 10 == 0) {
      EXPECT_EQ(b.uloz(), pred);
    }
  }
  std::string jina = dobry;
  jina.replace(jina.find("\"verze\": 1"), 10, "\"verze\": 2");
  odmitnuto(jina, "another version");
  odmitnuto("{\"format\": \"something else\"}", "damaged");

  // Station files gone or changed since.
  fs::rename(adr / "demo.gvd", adr / "demo.gvd.pryc");
  odmitnuto(dobry, "demo.gvd of the save cannot be read");
  fs::rename(adr / "demo.gvd.pryc", adr / "demo.gvd");
  std::ofstream(adr / "demo.lok", std::ios::app) << "\n";
  odmitnuto(dobry, "demo.lok has changed");

  // The headless runner says so and exits with 2.
  const std::string vadny = (adr / "vadny.json").string();
  std::ofstream(vadny) << dobry.substr(0, dobry.size() / 2);
  const char* argv[] = {"stanovar-sim", "--resume", vadny.c_str()};
  std::ostringstream out, err;
  EXPECT_EQ(SpustPrikaz(3, argv, out, err, false), KodSpatneVolani);
  EXPECT_NE(err.str().find("damaged"), std::string::npos) << err.str();
  fs::remove_all(adr);
}

TEST(Ulozeni, PrevzetiPredaStaniciVProvozuVeSkutecnemCase) {
  // Just after midnight too: the hour before lies in the day before.
  for (double ted : {8.0 / 24, 0.25 / 24}) {
    test::SkriptovaneProstredi p;
    p.cas = ted;
    PrazdnePlatno platno;
    Stav s;
    s.platno = &platno;
    s.prostredi = &p;
    SledujSkore(s);
    const std::string d = STANOVAR_DATA_DIR "/vlci_brod/vlci_brod.";
    ASSERT_TRUE(PrevezmiProvoz(s, d + "yrd", d + "gvd", d + "lok"));
    EXPECT_GE(s.Vlaky.size(), 3u) << "trains in the station at once";
    EXPECT_LE(s.skore.cekaji, 5) << "trains waiting at the hand-over";
    EXPECT_NEAR(std::fmod(SimCas(s), 1.0), ted, 1e-9) << "handed over at the real clock";
    // The player's score starts at the hand-over, with every train and offer there counted.
    const VysledekSkore r = SpocitejSkore(s, SimCas(s));
    EXPECT_EQ(r.body, 0);
    EXPECT_EQ(r.zpozdeni, 0);
    EXPECT_EQ(s.skore.aktivni.size(), s.Vlaky.size() + s.Nabidky.size());
    KontrolaStavu k;
    EXPECT_EQ(k.over(s), "");
    // And it runs on, a person's station now.
    p.posun(600);
    CasovacUdalostiTimer(s);
    EXPECT_EQ(k.over(s), "");
  }
  Stav s;
  test::SkriptovaneProstredi p;
  s.prostredi = &p;
  EXPECT_EQ(PrevezmiProvoz(s, "/nonexistent.yrd", "", "").chyba, ChybaUlozeni::ChybiSoubor);
}
