// The capacity report: its per-run figures are those of the same run made on its own, the
// page's figures follow from runs.csv alone, and the page needs nothing from elsewhere.
#include <gtest/gtest.h>

#include <regex>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "sim/zprava.h"

using namespace stanovar;

namespace {

std::string Soubor(const std::string& jmeno) {
  std::ifstream f(jmeno, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::vector<std::string> Pole(const std::string& radek) {
  std::vector<std::string> p;
  std::stringstream ss(radek);
  for (std::string x; std::getline(ss, x, ',');) p.push_back(x);
  return p;
}

// The cells of the rows of the page's `kolikata` table by frequency (from 0), each by its
// frequency.
std::map<int, std::vector<double>> TabulkaCetnosti(const std::string& html, int kolikata = 0) {
  std::map<int, std::vector<double>> r;
  const std::string hlavicka = "<th>frequency</th>";
  std::size_t p = html.find(hlavicka);
  for (int i = 0; i < kolikata; ++i) p = html.find(hlavicka, p + 1);
  const std::size_t konec = html.find("</table>", p);
  while ((p = html.find("<tr><td", p + 1)) < konec) {
    std::vector<double> bunky;
    std::size_t q = p;
    const std::size_t z = html.find("</tr>", p);
    while ((q = html.find("<td class=\"n\">", q)) < z) {
      q += 14;
      bunky.push_back(std::stod(html.substr(q, html.find('<', q) - q)));
    }
    r[static_cast<int>(bunky.at(0))] = bunky;
  }
  return r;
}

}  // namespace

TEST(Zprava, FiguresAgreeWithTheRunsAndFollowFromRunsCsv) {
  const std::string adresar =
      (std::filesystem::temp_directory_path() / ("zprava_" + std::to_string(getpid()))).string();
  VolbyZpravy v;
  v.beh.stanice = std::string(STANOVAR_DATA_DIR) + "/vlci_brod";
  v.beh.hodin = 5;
  v.seedOd = 3, v.seedDo = 5;
  v.cetnostOd = 2, v.cetnostDo = 4;
  v.adresar = adresar;
  v.vlaken = 2;
  std::vector<BehZpravy> behy;
  ASSERT_EQ(VytvorZpravu(v, {}, &behy), "");
  ASSERT_EQ(behy.size(), 18u);  // each seed and frequency under both dispatchers

  // Each line of runs.csv is the summary of that seed and frequency run on its own.
  std::istringstream csv(Soubor(adresar + "/runs.csv"));
  std::string radek;
  std::getline(csv, radek);
  ASSERT_EQ(Pole(radek).size(), 17u);
  struct Soucet {
    double hodin = 0, odjelo = 0, pobyty = 0, p95 = 0, body = 0;
    int behu = 0, p95Behu = 0;
    long long nabidnuto = 0, odmitnuto = 0;
  };
  std::map<int, Soucet> podleCetnosti, jednoduchy;
  int radku = 0;
  while (std::getline(csv, radek)) {
    const std::vector<std::string> p = Pole(radek);
    ASSERT_EQ(p.size(), 17u) << radek;
    ASSERT_TRUE(p[15] == "auto" || p[15] == "simple") << radek;
    VolbyBehu sam = v.beh;
    sam.seed = static_cast<std::uint32_t>(std::stoul(p[0]));
    sam.cetnost = std::stoi(p[1]);
    sam.jednoduchy = p[15] == "simple";
    if (radku++ % 4 == 0) {  // a sample: a run takes as long as in the report
      Beh beh(sam);
      ASSERT_EQ(beh.nacti(), "");
      beh.spust(nullptr);
      const SouhrnBehu& s = beh.souhrn();
      EXPECT_EQ(std::stoll(p[3]), s.vjelo) << radek;
      EXPECT_EQ(std::stoll(p[4]), s.odjelo) << radek;
      EXPECT_EQ(std::stoll(p[8]), s.odmitnuto) << radek;
      EXPECT_NEAR(std::stod(p[10]), s.prumernyPobyt, 0.05) << radek;
      EXPECT_NEAR(std::stod(p[12]), s.nejdelsiPobyt, 0.05) << radek;
      EXPECT_EQ(std::stoll(p[16]), s.skore.body) << radek;
      // The percentile lies between the mean and the longest stay.
      EXPECT_LE(std::stod(p[11]), s.nejdelsiPobyt + 0.05) << radek;
    }
    Soucet& c = (sam.jednoduchy ? jednoduchy : podleCetnosti)[std::stoi(p[1])];
    const double odjelo = std::stod(p[4]);
    c.body += std::stod(p[16]);
    ++c.behu;
    c.hodin += std::stod(p[2]);
    c.odjelo += odjelo;
    c.pobyty += std::stod(p[10]) * odjelo;
    if (odjelo > 0) c.p95 += std::stod(p[11]), ++c.p95Behu;
    c.nabidnuto += std::stoll(p[6]);
    c.odmitnuto += std::stoll(p[8]);
  }
  EXPECT_EQ(radku, 18);

  // The page's table by frequency, recomputed from runs.csv.
  const std::string html = Soubor(adresar + "/index.html");
  const auto tabulka = TabulkaCetnosti(html);
  ASSERT_EQ(tabulka.size(), 3u) << html.substr(0, 2000);
  for (const auto& [f, c] : podleCetnosti) {
    const std::vector<double>& b = tabulka.at(f);
    ASSERT_EQ(b.size(), 11u);
    EXPECT_EQ(b[1], 3);
    EXPECT_NEAR(b[10], c.body / c.behu, 0.5) << f;
    EXPECT_NEAR(b[2], c.odjelo / c.hodin, 0.006) << f;
    EXPECT_NEAR(b[3], c.pobyty / c.odjelo, 0.1) << f;
    EXPECT_NEAR(b[4], c.p95 / c.p95Behu, 0.1) << f;
    EXPECT_EQ(b[5], static_cast<double>(c.nabidnuto)) << f;
    EXPECT_EQ(b[7], static_cast<double>(c.odmitnuto)) << f;
  }
  // More trains come at a higher frequency.
  EXPECT_LT(podleCetnosti[2].odjelo, podleCetnosti[4].odjelo);
  // And the two dispatchers side by side: trains per hour and points per run of each.
  const auto srovnani = TabulkaCetnosti(html, 1);
  ASSERT_EQ(srovnani.size(), 3u);
  for (const auto& [f, c] : podleCetnosti) {
    const Soucet& j = jednoduchy.at(f);
    const std::vector<double>& b = srovnani.at(f);
    ASSERT_EQ(b.size(), 7u);
    EXPECT_NEAR(b[1], c.odjelo / c.hodin, 0.006) << f;
    EXPECT_NEAR(b[2], j.odjelo / j.hodin, 0.006) << f;
    EXPECT_NEAR(b[3], c.body / c.behu, 0.5) << f;
    EXPECT_NEAR(b[4], j.body / j.behu, 0.5) << f;
    EXPECT_EQ(b[5], static_cast<double>(c.odmitnuto)) << f;
    EXPECT_EQ(b[6], static_cast<double>(j.odmitnuto)) << f;
  }

  // One page that needs nothing from elsewhere, with the chart and the station's picture.
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("src="), std::string::npos);
  EXPECT_EQ(html.find("href="), std::string::npos);
  EXPECT_NE(html.find("<polyline"), std::string::npos);
  EXPECT_NE(html.find(">Vl\xc4\x8d\xc3\xad Brod</text>"), std::string::npos)
      << "the station's labels are drawn";
  // Platforms in no colour of the heat scale; elements named as the station check names them;
  // the frequencies' numbers beside the points clear of each other.
  EXPECT_EQ(html.find(BarvaSvg(BarvaNastupiste)), std::string::npos);
  EXPECT_EQ(html.find("<td>signal ("), std::string::npos);
  EXPECT_NE(html.find("<td>signal at track &quot;"), std::string::npos);
  const std::regex cislo("<text x=\"([0-9.]+)\" y=\"([0-9.]+)\" font-size=\"10\">[0-9]</text>");
  std::vector<std::pair<double, double>> popisky;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), cislo); it != std::sregex_iterator(); ++it)
    popisky.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
  EXPECT_FALSE(popisky.empty());
  for (std::size_t i = 0; i < popisky.size(); ++i)
    for (std::size_t j = i + 1; j < popisky.size(); ++j)
      EXPECT_TRUE(std::abs(popisky[i].first - popisky[j].first) >= 10 ||
                  std::abs(popisky[i].second - popisky[j].second) >= 10);
  std::filesystem::remove_all(adresar);
}

TEST(Zprava, AStationThatCannotBeReadWritesNothing) {
  const std::string adresar =
      (std::filesystem::temp_directory_path() / ("zprava_nic_" + std::to_string(getpid()))).string();
  VolbyZpravy v;
  v.beh.stanice = "/nonexistent/station";
  v.adresar = adresar;
  EXPECT_NE(VytvorZpravu(v), "");
  EXPECT_FALSE(std::filesystem::exists(adresar));
}
