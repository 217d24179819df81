// A network of stations in the window: opened, its menu of stations, the station played
// changing hands, a save refused rather than half kept, and leaving it.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtTest>
#include <algorithm>

#include "model/stav.h"
#include "shell/hlavni_okno.h"
#include "shell/hra_site.h"
#include "shell/pomoc.h"
#include "shell/prikazy_smeny.h"

using namespace stanovar;
using namespace stanovar::shell;

class TestSitOkna : public QObject {
  Q_OBJECT

 private slots:
  // The window keeps its inputs and shifts in the user's data folder: a test folder here.
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void networkPlayedSwitchedRefusedSaveAndLeft() {
    test::TestProstredi env;
    TForm1 okno(QStringLiteral(STANOVAR_DATA_DIR), &env);
    SitOkna& sit = *okno.sit();
    QVERIFY(!sit.menuSite()->menuAction()->isVisible());
    QVERIFY(sit.otevri(QStringLiteral(STANOVAR_DATA_DIR "/sit.json"), 0));
    QVERIFY(sit.aktivni());
    QVERIFY(sit.menuSite()->menuAction()->isVisible());
    const auto stanice = sit.menuSite()->actions();
    QCOMPARE(stanice.size(), 4);  // two stations, a separator, leave
    QVERIFY(stanice.at(0)->isChecked());
    auto propojene = [&] {
      return std::count_if(okno.stav().Sousede.begin(), okno.stav().Sousede.end(),
                           [](const RSoused& s) { return s.propojeny; });
    };
    QCOMPARE(propojene(), 1);  // Lesna's Dubno line
    const std::string lesna = okno.stav().nastaveni.cestaSchema;

    // Another station played: the window shows it; back again.
    stanice.at(1)->trigger();
    QCOMPARE(sit.hrana(), 1);
    QVERIFY(okno.stav().nastaveni.cestaSchema.find("vlci_brod") != std::string::npos);
    QVERIFY(sit.menuSite()->actions().at(1)->isChecked());
    QVERIFY(sit.prepni(0));
    QCOMPARE(okno.stav().nastaveni.cestaSchema, lesna);

    // Save shift says why it saves nothing.
    QAction* ulozit = nullptr;
    for (QAction* a : okno.menuBar()->actions().at(0)->menu()->actions())
      if (a->shortcut() == QKeySequence::Save) ulozit = a;
    QVERIFY(ulozit);
    env.zpravy.clear();
    ulozit->trigger();
    QCOMPARE(env.zpravy.size(), std::size_t{1});
    QVERIFY(okno.smena()->soubor().isEmpty());

    // Left: the station alone again, its line ends all generating trains.
    sit.opust();
    QVERIFY(!sit.aktivni());
    QVERIFY(!sit.menuSite()->menuAction()->isVisible());
    QCOMPARE(propojene(), 0);
    QCOMPARE(okno.stav().nastaveni.cestaSchema, lesna);
  }

  void aNetworkThatCannotRunLeavesTheWindowAsItWas() {
    test::TestProstredi env;
    TForm1 okno(QStringLiteral(STANOVAR_DATA_DIR), &env);
    QTemporaryFile f(QDir::tempPath() + QStringLiteral("/XXXXXX.json"));
    QVERIFY(f.open());
    f.write(R"({"format": "stanovar-network", "version": 1, "stations": [{"name": "A", "path": ")"
            STANOVAR_DATA_DIR R"("}], "links": [{"a": {"station": "A", "line": "NIKAM"},
            "b": {"station": "A", "line": "DUBNO"}}]})");
    f.close();
    const std::string schema = okno.stav().nastaveni.cestaSchema;
    // The message box is answered by a timer: the refusal names the line.
    QTimer::singleShot(0, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    QVERIFY(!okno.sit()->otevri(f.fileName(), 0));
    QVERIFY(!okno.sit()->aktivni());
    QCOMPARE(okno.stav().nastaveni.cestaSchema, schema);
  }
};

namespace {
const bool registrovano = (stanovar::test::DalsiTestyOkna().push_back([](int argc, char** argv) {
  TestSitOkna t;
  return QTest::qExec(&t, argc, argv);
}), true);
}  // namespace

#include "test_sit_okna.moc"
