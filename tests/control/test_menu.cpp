// The core steps around the menu's dialogs: pause and resume, settings stored, the About
// text, and the help document.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "fakes/svet.h"
#include "jadro.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

using namespace stanovar;
namespace fs = std::filesystem;

namespace {
struct Adresar {
  Adresar() {
    cesta = fs::temp_directory_path() / ("stanovar-menu-" + std::to_string(::getpid()));
    fs::create_directories(cesta);
  }
  ~Adresar() { fs::remove_all(cesta); }
  fs::path cesta;
};
}  // namespace

TEST(Menu, DialogsPauseStoreSettingsAndResumeAtTheFactorBefore) {
  test::Svet w;
  Adresar a;
  w.stav.nastaveni.startovniAdresar = a.cesta.string();
  NastavRychlost(w.stav, 3);
  w.stav.nastaveni.pozadiNove = RGB(255, 255, 255);
  w.stav.nastaveni.sirkaCaryNova = 1;

  MenuOtevritZacni(w.stav);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  // Pending display settings are in force from the open-station command on.
  EXPECT_EQ(w.stav.nastaveni.pozadi, RGB(255, 255, 255));
  EXPECT_EQ(w.stav.nastaveni.sirkaCary, 1);
  MenuDialogKonec(w.stav);
  EXPECT_EQ(w.stav.RychlostSim, 3);
  EXPECT_TRUE(fs::exists(a.cesta / "stanovar.ini"));

  // The settings dialog changes nothing on screen.
  w.stav.nastaveni.pozadiNove = RGB(1, 2, 3);
  ZacniModalni(w.stav);
  MenuDialogKonec(w.stav);
  EXPECT_EQ(w.stav.nastaveni.pozadi, RGB(255, 255, 255));
}

TEST(Menu, AboutBoxLinesAndPause) {
  test::Svet w;
  w.stav.jazyk[31] = "popis";
  NastavRychlost(w.stav, 2);
  NastavRychlost(w.stav, 0);  // already paused when the box opens
  MenuOprogramuClick(w.stav);
  ASSERT_EQ(w.prostredi.zpravy.size(), 1u);
  const std::string& t = w.prostredi.zpravy[0];
  EXPECT_EQ(t.substr(0, t.rfind('\r')),
            "Program:           Stanovar\rpopis\rVerze:                1.33");
  EXPECT_GT(t.size() - t.rfind('\r'), 1u);  // an author line follows
  EXPECT_EQ(w.stav.RychlostSim, 2);
}

TEST(Menu, HelpOpensTheLanguagesDocumentOnlyWhenItExists) {
  test::Svet w;
  Adresar a;
  w.stav.nastaveni.startovniAdresar = a.cesta.string();
  MenuHelpClick(w.stav);  // no language file: the built-in name, and no such document
  w.stav.jazyk[32] = "napoveda.html";
  MenuHelpClick(w.stav);  // named but missing: says nothing
  EXPECT_TRUE(w.prostredi.dokumenty.empty());
  EXPECT_TRUE(w.prostredi.zpravy.empty());
  std::ofstream(a.cesta / "napoveda.html") << "<html></html>";
  MenuHelpClick(w.stav);
  ASSERT_EQ(w.prostredi.dokumenty.size(), 1u);
  EXPECT_EQ(w.prostredi.dokumenty[0], (a.cesta / "napoveda.html").string());
  // The language file names it in windows-1250; the file system has it in UTF-8.
  w.stav.jazyk[32] = "n\xe1pov\xec" "da.html";
  const std::string utf8 = "n\xc3\xa1pov\xc4\x9b" "da.html";
  std::ofstream(a.cesta / utf8) << "<html></html>";
  MenuHelpClick(w.stav);
  ASSERT_EQ(w.prostredi.dokumenty.size(), 2u);
  EXPECT_EQ(w.prostredi.dokumenty[1], (a.cesta / utf8).string());
}
