// A newcomer's first evening in the window: the shift's commands leave the clock as the player
// had it, one language everywhere after a shift saved in another, and a window that fits the
// screen with the whole station and every waiting offer in view.
#include <QFileDialog>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScrollBar>
#include <QToolButton>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <algorithm>

#include "jadro.h"
#include "shell/hlavni_okno.h"
#include "shell/napovedy.h"
#include "shell/pomoc.h"
#include "shell/qt_platno.h"
#include "shell/tabule_vlaku.h"
#include "shell/vzhled.h"
#include "smena/smena.h"

using namespace stanovar;
using namespace stanovar::shell;
using test::Cti;
using test::IniStanice;
using test::TestProstredi;
using test::Zapis;

namespace {

const QString Data = QStringLiteral(STANOVAR_DATA_DIR);

// Answers the next file dialog with a file, or cancels it for an empty name.
void VyberSoubor(const QString& soubor) {
  QTimer::singleShot(0, [soubor] {
    auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(d != nullptr);
    if (soubor.isEmpty()) {
      d->reject();
      return;
    }
    d->selectFile(soubor);
    static_cast<QDialog*>(d)->accept();
  });
}

// The speed factor, and while paused the one F3 resumes with.
struct Hodiny {
  int rychlost, posledni;
  bool operator==(const Hodiny& h) const {
    return rychlost == h.rychlost && (rychlost != 0 || posledni == h.posledni);
  }
};
Hodiny Cti(const Stav& s) { return {s.RychlostSim, s.PosledniRychlost}; }
// The player's clock: running at r, or paused with F3 from r.
void Nastav(Stav& s, int r, bool pauza) {
  NastavRychlost(s, static_cast<std::uint16_t>(r));
  if (pauza) FormKeyDown(s, KlavesaF3, 0, 0);
}

}  // namespace

class TestPrvniVecer : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString cesta(const char* jmeno) { return dir_.filePath(QString::fromLatin1(jmeno)); }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
  void init() {
    QSettings(QStringLiteral("Stanovar"), QStringLiteral("stanovar")).clear();
    Zapis(cesta("stanovar.ini"), IniStanice(Data, "demo", "english.lng"));
  }

  // Save, open, a failed open, resume and take over each leave the clock as the player had
  // it, paused or running; an opened shift runs as it ran when saved.
  void shiftCommandsLeaveTheClockAsThePlayerHadIt() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    PrikazySmeny& p = *okno.smena();
    const QString pauza = cesta("pauza.smena"), chod = cesta("chod.smena");
    Zapis(cesta("vadna.smena"), "{}");
    // The last shift, kept on closing while paused.
    Nastav(s, 4, true);
    p.ulozPosledni();

    struct Pripad {
      const char* co;
      int rychlost;
      bool pauza;
      std::function<void()> prikaz;
      Hodiny po;
    } const pripady[] = {
        {"save paused", 3, true, [&] { VyberSoubor(pauza); p.MenuUlozitSmenuClick(); }, {0, 3}},
        {"save running", 3, false, [&] { VyberSoubor(chod); p.MenuUlozitSmenuClick(); }, {3, 3}},
        {"save cancelled", 2, true, [&] { VyberSoubor({}); p.MenuUlozitSmenuClick(); }, {0, 2}},
        {"open paused", 5, false, [&] { VyberSoubor(pauza); p.MenuOtevritSmenuClick(); }, {0, 3}},
        {"open running", 5, true, [&] { VyberSoubor(chod); p.MenuOtevritSmenuClick(); }, {3, 3}},
        {"open damaged", 2, true, [&] { VyberSoubor(cesta("vadna.smena")); p.MenuOtevritSmenuClick(); }, {0, 2}},
        {"open cancelled", 2, true, [&] { VyberSoubor({}); p.MenuOtevritSmenuClick(); }, {0, 2}},
        {"resume", 6, false, [&] { p.MenuPokracovatClick(); }, {0, 4}},
        {"take over paused", 2, true, [&] { VyberSoubor(Data + "/demo.yrd"); p.MenuPrevzitClick(); }, {0, 2}},
        {"take over running", 5, false, [&] { VyberSoubor(Data + "/demo.yrd"); p.MenuPrevzitClick(); }, {5, 5}},
    };
    for (const Pripad& c : pripady) {
      Nastav(s, c.rychlost, c.pauza);
      c.prikaz();
      QVERIFY2(Cti(s) == c.po, c.co);
      QCOMPARE(s.okno.RychlostSimLabel, s.Text(27) + std::to_string(c.po.rychlost));
    }
    // The damaged file was told about, and nothing else went wrong.
    QCOMPARE(env.zpravy.size(), std::size_t{1});
  }

  // A shift saved in English opens in a window of a Czech station folder all in Czech, as a
  // window that opened nothing shows it: menus, panels, the status bar, the offer's question
  // and Qt's own buttons.
  void aShiftOpensInTheLanguageOfTheWindow() {
    const QString smena = cesta("anglicka.smena");
    {
      TestProstredi env;
      TForm1 a(dir_.path(), &env);
      Stav& s = a.stav();
      for (int i = 0; i < 2000 && s.Nabidky.empty(); ++i) {
        env.posun(10);
        a.CasovacUdalostiTimer();
      }
      QVERIFY(!s.Nabidky.empty());
      a.VyberVlak(s.Nabidky.front().cislo);
      QVERIFY(s.okno.PanelSouhlas.viditelny);
      QVERIFY(a.smena()->ulozSmenu(smena));
    }
    Zapis(cesta("stanovar.ini"), IniStanice(Data, "demo", "cestina.lng"));
    TestProstredi env;
    TForm1 cisty(dir_.path(), &env);
    TForm1 b(dir_.path(), &env);
    QVERIFY(b.smena()->otevriSmenu(smena));
    QVERIFY(b.stav().okno.PanelSouhlas.viditelny);
    // Every text of the window, its numbers left out.
    auto texty = [](TForm1& o) {
      static const QRegularExpression cisla(QStringLiteral("\\d+"));
      QStringList t;
      for (QAction* m : o.menuBar()->actions()) {
        t << m->text();
        for (QAction* a : m->menu()->actions()) t << a->text();
      }
      const OknoView& v = o.stav().okno;
      for (const std::string* x : {&v.Label2, &v.Label3, &v.LabelAno, &v.LabelNe,
                                   &v.RychlostSimLabel, &v.CetnostVlakuLabel})
        t << QString::fromLatin1(x->c_str());
      t << o.stavSkore()->text();
      return t.replaceInStrings(cisla, QStringLiteral("#"));
    };
    QCOMPARE(texty(b), texty(cisty));
    QVERIFY(b.stav().okno.LabelSouhlas.starts_with(cisty.stav().Text(28)));
    QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != QStringLiteral("Cancel"));
  }
  // The window fits the screen at 96, 120 and 144 dots per inch (a 1600 x 1000 screen in
  // logical pixels), with the zoom the user last chose and with or without the board: every
  // line end of both stations in view, in both languages.
  void theWindowFitsTheScreenWithTheWholeStation() {
    const QSize obrazovky[] = {{1600, 1000}, {1280, 800}, {1067, 667}};
    for (const char* stanice : {"demo", "vlci_brod"})
      for (const char* jazyk : {"cestina.lng", "english.lng"})
        for (bool tabule : {false, true})
          for (QSize d : obrazovky) {
            const QString kde = QStringLiteral("%1 %2 %3x%4 board %5")
                                    .arg(stanice).arg(jazyk).arg(d.width()).arg(d.height()).arg(tabule);
            const QString slozka = Data + (stanice[0] == 'v' ? QStringLiteral("/vlci_brod") : QString());
            Zapis(cesta("stanovar.ini"), IniStanice(slozka, stanice, jazyk));
            QSettings p(QStringLiteral("Stanovar"), QStringLiteral("stanovar"));
            p.setValue(KlicZvetseni, 150);
            p.setValue(KlicTabule, tabule);
            p.sync();
            TestProstredi env;
            env.dpiHodnota = 96;
            TForm1 okno(dir_.path(), &env);
            okno.vejdiSe(d);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            const QSize velikost = okno.size() + TForm1::RamOkna;
            QVERIFY2(velikost.width() <= d.width() && velikost.height() <= d.height(), qPrintable(kde));
            QCOMPARE(okno.tabule()->isVisible(), tabule);
            for (const RSoused& so : okno.stav().Sousede)
              QVERIFY2(okno.pohled()->jeVidet(so.x, so.y), qPrintable(kde + QStringLiteral(" line end %1").arg(so.id)));
            QCOMPARE(okno.pohled()->preferovane(), 150);
          }
  }

  // Zoomed in by hand, the view scrolls; an offer blinking outside it is marked at its edge,
  // and the marker scrolls to it.
  void anOfferOutsideTheViewIsMarked() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.vejdiSe(QSize(1067, 667));
    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    Stav& s = okno.stav();
    for (int i = 0; i < 2000 && s.Nabidky.empty(); ++i) {
      env.posun(10);
      okno.CasovacUdalostiTimer();
    }
    QVERIFY(!s.Nabidky.empty());
    const RNabidka n = s.Nabidky.front();
    okno.pohled()->nastavZvetseni(400);
    // The far corner from the offer.
    okno.pohled()->horizontalScrollBar()->setValue(n.x > 400 ? 0 : okno.pohled()->horizontalScrollBar()->maximum());
    okno.zrcadli();
    QVERIFY(!okno.pohled()->jeVidet(n.x, n.y));
    QToolButton* z = nullptr;
    for (QToolButton* b : okno.pohled()->znacky())
      if (b->isVisible() && b->text() == QString::number(n.cislo)) z = b;
    QVERIFY(z != nullptr);
    QVERIFY(okno.pohled()->viewport()->rect().contains(z->geometry()));
    QTest::mouseClick(z, Qt::LeftButton);
    QVERIFY(okno.pohled()->jeVidet(n.x, n.y));
    QVERIFY(!z->isVisible());
  }
  // What the window says: why a click did nothing in the status bar, what is under the mouse
  // in a tooltip, and the station and the shift's file in the title.
  void theWindowTellsWhyAndWhat() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.show();
    Stav& s = okno.stav();
    const RKolej& k = s.Koleje.front();
    const QPoint bod((k.x1 + k.x2) / 2, k.y1);
    QTest::mouseClick(okno.Image1(), Qt::LeftButton, {}, bod);
    const QString duvod = okno.napovedy()->duvod()->text();
    QVERIFY(!duvod.isEmpty() && !duvod.contains(QLatin1Char('%')));
    // A click that does something clears it.
    const RNavestidlo& n = s.Navestidla.front();
    QTest::mouseClick(okno.Image1(), Qt::LeftButton, {}, QPoint(n.x, n.y));
    QVERIFY(s.VyberCesty);
    QVERIFY(okno.napovedy()->duvod()->text().isEmpty());
    QVERIFY(okno.popisBodu(bod).contains(QString::fromLatin1(k.cislo.c_str())));
    QVERIFY(okno.popisBodu(QPoint(2, 2)).isEmpty());

    QVERIFY(okno.windowTitle().contains(QString::fromUtf8("Lesn\u00e1")));
    QVERIFY(okno.smena()->ulozSmenu(cesta("vecer.smena")));
    okno.zrcadli();
    QVERIFY(okno.windowTitle().endsWith(QStringLiteral("vecer.smena")));
  }
  // The colour-blind palette reads in greyscale: as painted, every state stands 3:1 or more
  // against the background, and each is half again as light as the next darker one.
  void theColourBlindPaletteReadsInGreyscale() {
    QtPlatno platno(20, 20);
    platno.nastavPaletu(Paleta::Barvoslepa, KlasickePopredi, KlasickePozadi);
    platno.barvaPera(KlasickePozadi);
    platno.barvaVyplne(KlasickePozadi);
    platno.obdelnik(0, 0, 20, 20);
    const Barva stavy[] = {KlasickePopredi, BarvaObsazeno, BarvaVyber, BarvaCesta};
    std::vector<Barva> namalovane;
    for (std::size_t i = 0; i < std::size(stavy); ++i) {
      const int y = 2 + 4 * static_cast<int>(i);
      platno.barvaPera(stavy[i]);
      platno.sirkaPera(2);
      platno.presun(2, y);
      platno.cara(18, y);
      const QColor c = platno.obraz().pixelColor(10, y);
      namalovane.push_back(RGB(c.red(), c.green(), c.blue()));
    }
    const QColor p = platno.obraz().pixelColor(1, 19);
    const Barva pozadi = RGB(p.red(), p.green(), p.blue());
    for (Barva c : namalovane) QVERIFY2(Kontrast(c, pozadi) >= 3, qPrintable(QString::number(c, 16)));
    std::sort(namalovane.begin(), namalovane.end(),
              [&](Barva a, Barva b) { return Kontrast(a, RGB(0, 0, 0)) < Kontrast(b, RGB(0, 0, 0)); });
    for (std::size_t i = 0; i + 1 < namalovane.size(); ++i)
      QVERIFY2(Kontrast(namalovane[i], namalovane[i + 1]) >= 1.4, qPrintable(QString::number(i)));
  }
};

namespace {
const bool registrovano = (test::DalsiTestyOkna().push_back([](int argc, char** argv) {
  TestPrvniVecer t;
  return QTest::qExec(&t, argc, argv);
}), true);
}  // namespace

#include "test_prvni_vecer.moc"
