// A network of linked stations: a network file that cannot be run is refused naming what is
// wrong; no train is lost or counted twice on any line, whatever the network and the
// dispatcher; a run cut anywhere, saved and resumed is the run that never stopped.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "sim/prikaz.h"
#include "sim/sit_beh.h"

using namespace stanovar;
namespace fs = std::filesystem;
using json = nlohmann::json;

namespace {

struct Adresar {
  fs::path p = fs::temp_directory_path() / ("stanovar_sit_" + std::to_string(::getpid()));
  Adresar() { fs::create_directories(p); }
  ~Adresar() { fs::remove_all(p); }
  std::string Soubor(const std::string& jmeno, const std::string& obsah) const {
    std::ofstream(p / jmeno, std::ios::binary) << obsah;
    return (p / jmeno).string();
  }
};

json SitJson(const std::vector<std::pair<std::string, std::string>>& stanice, const json& spojeni) {
  json s = json::array();
  for (const auto& [jmeno, cesta] : stanice) s.push_back({{"name", jmeno}, {"path", cesta}});
  return {{"format", "stanovar-network"}, {"version", 1}, {"stations", s}, {"links", spojeni}};
}

json Spojeni(const std::string& a, const std::string& ta, const std::string& b, const std::string& tb,
             double sekund = 300) {
  return {{"a", {{"station", a}, {"line", ta}}}, {"b", {{"station", b}, {"line", tb}}}, {"running_s", sekund}};
}

int Spust(std::vector<const char*> argv, std::string& err) {
  std::ostringstream o, e;
  argv.insert(argv.begin(), "stanovar-sim");
  const int kod = SpustPrikaz(static_cast<int>(argv.size()), argv.data(), o, e, false);
  err = e.str();
  return kod;
}

}  // namespace

TEST(Sit, NetworkFilesThatCannotRunAreRefusedNamingWhatIsWrong) {
  Adresar a;
  const std::string demo = STANOVAR_DATA_DIR, brod = STANOVAR_DATA_DIR "/vlci_brod";
  const auto dve = [&](std::initializer_list<json> spojeni) {
    json a = json::array();
    for (const json& x : spojeni) a.push_back(x);
    return SitJson({{"LESNA", demo}, {"BROD", brod}}, a).dump();
  };
  const struct {
    std::string obsah;
    const char* zprava;
  } pripady[] = {
      {"not json", "is not JSON"},
      {json{{"format", "something"}}.dump(), "is not a network file"},
      {SitJson({{"LESNA", demo}, {"LESNA", brod}}, json::array()).dump(), "names station LESNA twice"},
      {SitJson({{"LESNA", demo + "/none"}}, json::array()).dump(), "station LESNA: no such folder"},
      {dve({Spojeni("LESNA", "DUBNO", "ZLIN", "KOZLOV")}), "names station ZLIN"},
      {dve({Spojeni("LESNA", "DUBNO", "BROD", "NOWHERE")}), "station BROD has no line NOWHERE"},
      {dve({Spojeni("LESNA", "DUBNO", "BROD", "KOZLOV"), Spojeni("LESNA", "DUBNO", "BROD", "POLANKA")}),
       "links line end LESNA/DUBNO twice"},
      {dve({Spojeni("LESNA", "LIPOVEC", "BROD", "KOZLOV")}), "different numbers of tracks"},
      // Each end's first line end is for departures: neither can take the other's trains in.
      {dve({Spojeni("LESNA", "LIPOVEC", "BROD", "HRADISKO")}), "cannot take in"},
      {dve({Spojeni("LESNA", "DUBNO", "BROD", "KOZLOV", -5)}), "running_s"},
  };
  for (const auto& p : pripady) {
    const std::string soubor = a.Soubor("sit.json", p.obsah);
    std::string err;
    EXPECT_EQ(Spust({"--network", soubor.c_str()}, err), KodSpatneVolani) << p.zprava;
    EXPECT_NE(err.find(p.zprava), std::string::npos) << err;
  }
}

// Random networks of the repository's stations, every line end used both ways linked at
// random with random running times, run by the careless dispatcher with every invariant and
// the lines' balance checked after every event.
TEST(Sit, RandomNetworksLoseNoTrain) {
  const std::vector<std::string> stanice = {STANOVAR_DATA_DIR, STANOVAR_DATA_DIR "/vlci_brod",
                                            STANOVAR_TEST_DIR "/data/dvojkolejka",
                                            STANOVAR_TEST_DIR "/data/obousmerna"};
  // The neighbours each station has one both-ways line end of.
  const std::vector<std::vector<std::string>> trate = {
      {"KAMENEC", "DUBNO"}, {"KOZLOV", "POLANKA"}, {"BRODEK", "LUKA"}, {"KAMENEC", "DUBNO"}};
  std::mt19937 g(31);
  Adresar a;
  long long preslo = 0;
  for (int pokus = 0; pokus < 6; ++pokus) {
    std::vector<std::pair<std::string, std::string>> vybrane;
    std::vector<std::vector<std::string>> volne;
    for (std::size_t i = 0; i < stanice.size(); ++i)
      if (g() % 3 != 0 || vybrane.size() < 2) {
        vybrane.push_back({"S" + std::to_string(i), stanice[i]});
        volne.push_back(trate[i]);
      }
    json spojeni = json::array();
    for (int l = 0; l < 4; ++l) {
      const std::size_t x = g() % vybrane.size(), y = g() % vybrane.size();
      if (x == y || volne[x].empty() || volne[y].empty()) continue;
      const std::string tx = volne[x].back(), ty = volne[y].back();
      volne[x].pop_back();
      volne[y].pop_back();
      spojeni.push_back(Spojeni(vybrane[x].first, tx, vybrane[y].first, ty, 60 + g() % 900));
    }
    if (spojeni.empty()) continue;
    VolbyBehu v;
    v.hodin = 24;
    v.seed = g();
    v.kontrola = true;
    v.nahodny = pokus % 2 == 0;
    BehSite beh(v);
    const std::string soubor = a.Soubor("sit" + std::to_string(pokus) + ".json", SitJson(vybrane, spojeni).dump());
    ASSERT_EQ(beh.nacti(soubor), "") << SitJson(vybrane, spojeni).dump();
    std::string chyba;
    EXPECT_TRUE(beh.spust("", chyba)) << beh.poruseni() << " in " << SitJson(vybrane, spojeni).dump();
    for (const SouhrnSmeru& m : beh.sit().souhrn()) {
      EXPECT_EQ(m.odeslano, m.prijato + m.odkloneno + m.naTrati) << m.z;
      preslo += m.prijato;
    }
  }
  EXPECT_GT(preslo, 100) << "trains crossed the links";
}

TEST(Sit, ARunCutAnywhereAndResumedIsTheRunThatNeverStopped) {
  Adresar a;
  constexpr double Hodin = 6;
  std::mt19937 g(20261209);
  const auto logy = [](const fs::path& slozka) {
    std::vector<std::string> v;
    for (const char* st : {"LESNA", "VLCIBROD"}) {
      std::ifstream f(slozka / (std::string(st) + ".csv"), std::ios::binary);
      std::stringstream t;
      t << f.rdbuf();
      v.push_back(t.str());
    }
    return v;
  };
  VolbyBehu v;
  v.hodin = Hodin;
  v.seed = 5;
  v.kontrola = true;
  v.snimek = true;
  BehSite cely(v);
  ASSERT_EQ(cely.nacti(STANOVAR_DATA_DIR "/sit.json"), "");
  std::string chyba;
  ASSERT_TRUE(cely.spust((a.p / "cely").string(), chyba)) << cely.poruseni();
  const std::vector<std::string> vzor = logy(a.p / "cely");
  long long preslo = 0;
  for (const SouhrnSmeru& m : cely.sit().souhrn()) preslo += m.prijato;
  EXPECT_GT(preslo, 10);
  for (int i = 0; i < 4; ++i) {
    const double rez = (1 + g() % (64 * static_cast<int>(Hodin) - 1)) / 64.0;
    VolbyBehu p = v;
    p.hodin = rez;
    BehSite prvni(p);
    ASSERT_EQ(prvni.nacti(STANOVAR_DATA_DIR "/sit.json"), "");
    ASSERT_TRUE(prvni.spust((a.p / "prvni").string(), chyba));
    VolbyBehu d = v;
    d.hodin = Hodin - rez;
    BehSite druhy(d);
    ASSERT_EQ(druhy.obnov(prvni.snimek(), false), "") << "cut at " << rez << " h";
    ASSERT_TRUE(druhy.spust((a.p / "druhy").string(), chyba));
    const std::vector<std::string> l1 = logy(a.p / "prvni"), l2 = logy(a.p / "druhy");
    for (std::size_t s = 0; s < vzor.size(); ++s)
      EXPECT_EQ(l1[s] + l2[s].substr(l2[s].find('\n') + 1), vzor[s]) << "station " << s << " cut at " << rez << " h";
    EXPECT_EQ(druhy.souhrnJson(), cely.souhrnJson()) << "cut at " << rez << " h";
  }
}
