// A station tried from the editor runs as the headless runner runs it: the same station,
// hours and seed give the same figures, whether from its folder or from the editor's copy.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "editor/editor.h"
#include "smena/smena.h"

#include <unistd.h>

using namespace stanovar;
namespace fs = std::filesystem;

TEST(Zkouska, GivesTheRunnersFiguresAndStopsWhenAsked) {
  const fs::path kopie = fs::temp_directory_path() / ("stanovar_zkouska_" + std::to_string(::getpid()));
  for (const char* stanice : {STANOVAR_DATA_DIR, STANOVAR_DATA_DIR "/vlci_brod"}) {
    SCOPED_TRACE(stanice);
    VolbyBehu vb;
    vb.stanice = stanice;
    vb.hodin = 4;
    vb.seed = 5;
    vb.kontrola = true;
    Beh beh(vb);
    ASSERT_EQ(beh.nacti(), "");
    ASSERT_TRUE(beh.spust(nullptr));
    const SouhrnBehu& r = beh.souhrn();

    // From the editor: the documents as opened, written into a copy.
    StaniceEditoru st;
    std::string chyba;
    ASSERT_TRUE(OtevriProEditor(stanice, st, chyba)) << chyba;
    ASSERT_TRUE(ZapisKopii(st, kopie.string(), chyba)) << chyba;
    EXPECT_TRUE(fs::exists(kopie / "napoveda.html")) << "the help goes along, as the program looks for it there";
    double posledni = -1;
    bool vzdy = true;
    for (const std::string& slozka : {std::string(stanice), kopie.string()}) {
      const editor::VysledekZkousky v = editor::ZkusStanici(slozka, {4, 5, 4}, [&](double p) {
        vzdy = vzdy && p >= posledni && p <= 1;
        posledni = p;
      });
      ASSERT_EQ(v.chyba, "");
      EXPECT_FALSE(v.zruseno);
      EXPECT_EQ(v.projelo, r.odjelo);
      EXPECT_EQ(v.odmitnuto, r.odmitnuto);
      EXPECT_EQ(v.veStanici, r.veStanici);
      EXPECT_EQ(v.cekaNaOdpoved, r.cekaNaOdpoved);
      EXPECT_EQ(v.body, r.skore.body);
      EXPECT_EQ(v.udalosti, r.udalosti);
      EXPECT_EQ(v.poruseni, r.poruseni);
      EXPECT_EQ(v.poruchVypoctu, r.poruchVypoctu);
      EXPECT_GT(v.projelo, 0);
      ASSERT_EQ(v.prvky.size(), r.obsazenoPrvku.size());
      for (std::size_t i = 0; i < v.prvky.size(); ++i) {
        EXPECT_EQ(v.prvky[i].sekund, r.obsazenoPrvku.at(v.prvky[i].prvek));
        EXPECT_GT(v.prvky[i].radek, 0) << "every element a train entered has its schema line";
        if (i) EXPECT_GE(v.prvky[i - 1].sekund, v.prvky[i].sekund) << "busiest first";
      }
      EXPECT_TRUE(vzdy) << "progress only grows, up to the whole";
      EXPECT_EQ(posledni, 1.0);
      posledni = -1;
    }
  }
  // A run asked to stop stops at once, and says so.
  std::atomic<bool> zrusit{true};
  const editor::VysledekZkousky v = editor::ZkusStanici(STANOVAR_DATA_DIR, {}, {}, &zrusit);
  EXPECT_TRUE(v.zruseno);
  EXPECT_LT(v.hodin, 0.1);
  EXPECT_NE(editor::ZkusStanici(kopie.string() + "/nothing", {}).chyba, "");
  fs::remove_all(kopie);
}
