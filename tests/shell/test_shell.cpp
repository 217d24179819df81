// The main window and its dialogs on the offscreen platform: start-up, the menu commands'
// pause and resume, the dialogs' confirm and cancel paths, and the key preview.
#include <algorithm>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QtTest>
#include <functional>

#include "shell/pomoc.h"
#include "fakes/zaznamove_platno.h"
#include "control/dispecer.h"
#include "files/soubory.h"
#include "jadro.h"
#include "shell/qt_prostredi.h"
#include "shell/dialogy.h"
#include "shell/hlavni_okno.h"
#include "shell/kodovani.h"
#include "shell/tabule_vlaku.h"
#include "shell/vykaz.h"
#include "traffic/cas.h"
#include "smena/smena.h"
#include <QtCharts/QChartView>
#include <QStatusBar>

using namespace stanovar;
using namespace stanovar::shell;

namespace {

using test::Cti;
using test::IniStanice;
using test::Odpovez;
using test::TestProstredi;
using test::Radek;
using test::Zapis;

// The widest of the texts in a font.
std::string Nejsirsi(const std::vector<std::string>& texty, const QFont& f) {
  std::string n;
  for (const auto& t : texty)
    if (QFontMetrics(f).horizontalAdvance(ZBajtu(t)) > QFontMetrics(f).horizontalAdvance(ZBajtu(n))) n = t;
  return n;
}

// Where each column of a heading starts in its panel, as the panel's labels draw it: the
// label showing the column's text, plus the width of what stands before it in that label.
std::vector<int> StartyNadpisu(QWidget* panel, const QString& nadpis) {
  std::vector<int> starty;
  static const QRegularExpression sloupec(QStringLiteral("\\S+(?: \\S+)*"));
  for (auto m = sloupec.globalMatch(nadpis); m.hasNext();) {
    const auto shoda = m.next();
    int x = -1000;
    // The column's own label, or the whole heading in one label.
    for (QLabel* l : panel->findChildren<QLabel*>()) {
      if (!l->isVisible() || (l->text() != shoda.captured() && l->text() != nadpis)) continue;
      const int i = l->text() == nadpis ? static_cast<int>(shoda.capturedStart()) : 0;
      x = l->x() + l->contentsRect().x() + QFontMetrics(l->font()).horizontalAdvance(l->text().left(i));
      break;
    }
    starty.push_back(x);
  }
  return starty;
}
}  // namespace

class TestShell : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  QString cesta(const char* jmeno) { return dir_.filePath(QString::fromLatin1(jmeno)); }

 private slots:
  void initTestCase() {
    // The window keeps its zoom and palette per user: never in the real user's settings.
    QStandardPaths::setTestModeEnabled(true);
  }

  void init() {
    QSettings(QStringLiteral("Stanovar"), QStringLiteral("stanovar")).clear();
    // One track with signals at both ends, and a second station with two tracks.
    Zapis(cesta("a.yrd"), Radek({"1", "60", "120", "300", "120", "0", "600", "1", "80", "0"}) +
                              Radek({"3", "60", "120"}) + Radek({"3", "300", "120"}));
    Zapis(cesta("b.yrd"), Radek({"1", "60", "120", "300", "120", "0", "600", "1", "80", "0"}) +
                              Radek({"1", "60", "144", "300", "144", "0", "600", "2", "80", "0"}));
    Zapis(cesta("cs.lng"),
          "001Soubor\r\n002Otev\xF8\xEDt\r\n017Zp\xECt\r\n026Cetnost: \r\n027Rychlost: \r\n"
          "031Simul\xE1tor\r\n032napoveda.html\r\n");
    std::string ini;
    ini += "\x86" "a.yrd\r\n";
    ini += "\xB8" "8cs.lng\r\n";
    ini += "\xB8" "1$00888888\r\n";
    ini += "\xB8" "2clBlack\r\n";
    ini += "\xB8" "4\r\n";
    Zapis(cesta("stanovar.ini"), ini);
  }

  void startUpDrawsTheStationAndSetsCaptions() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    // The designed caption, then the station (this one has no label: its schema's name).
    QCOMPARE(okno.windowTitle(), QStringLiteral("   Stanovar \u2013 a"));
    QCOMPARE(okno.stav().Koleje.size(), std::size_t{1});
    QCOMPARE(okno.stav().Navestidla.size(), std::size_t{2});
    QVERIFY(env.zpravy.empty());
    QCOMPARE(okno.menuBar()->actions().at(0)->text(), QStringLiteral("Soubor"));
    QCOMPARE(okno.findChildren<QLabel*>().size() > 10, true);
    QCOMPARE(QString::fromLatin1(okno.stav().okno.RychlostSimLabel.c_str()),
             QStringLiteral("Rychlost: 1"));
    // The track line is drawn in the foreground, the picture's corner in the background.
    QCOMPARE(okno.obraz().pixelColor(70, 120), QColor(0, 0, 0));
    QCOMPARE(okno.obraz().pixelColor(2, 2), QColor(136, 136, 136));
    QCOMPARE(okno.posuv()->geometry(), QRect(0, 59, 792, 480));
    QCOMPARE(okno.Image1()->size(), QSize(792, 480));
  }

  void aboutPausesAndResumes() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    NastavRychlost(s, 3);
    int behem = -1;
    env.priZprave = [&] { behem = s.RychlostSim; };
    okno.MenuOprogramuClick();
    QCOMPARE(behem, 0);
    QCOMPARE(static_cast<int>(s.RychlostSim), 3);
    QVERIFY(env.zpravy.back().find("Verze:                1.33") != std::string::npos);
    QVERIFY(env.zpravy.back().find("\rSimul\xE1tor\r") != std::string::npos);
    // Opened while paused, it resumes at the factor from before the pause.
    okno.activateWindow();
    QTest::keyClick(okno.Image1(), Qt::Key_F3);
    QCOMPARE(static_cast<int>(s.RychlostSim), 0);
    okno.MenuOprogramuClick();
    QCOMPARE(static_cast<int>(s.RychlostSim), 3);
  }

  void openStationCancelKeepsStationButAppliesColours() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    const RKolej* pred = &s.Koleje.front();
    s.nastaveni.pozadiNove = RGB(255, 255, 255);
    s.nastaveni.sirkaCaryNova = 1;
    Odpovez([](QDialog* d) { return static_cast<TFormSoubory*>(d)->StornoBtn; });
    okno.MenuOtevritClick();
    QCOMPARE(&s.Koleje.front(), pred);
    QCOMPARE(s.Koleje.size(), std::size_t{1});
    QCOMPARE(s.nastaveni.pozadi, RGB(255, 255, 255));
    QCOMPARE(s.nastaveni.sirkaCary, 1);
    QCOMPARE(static_cast<int>(s.RychlostSim), 1);
    std::string ini = Cti(cesta("stanovar.ini"));
    QVERIFY(ini.find("\xB8" "1clWhite") != std::string::npos);
    QVERIFY(ini.find("\xB8" "3") != std::string::npos);
    QVERIFY(ini.find("\x86" "a.yrd") != std::string::npos);
  }

  void openStationOkReloadsFromTheDialogPaths() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    Odpovez([this](QDialog* d) {
      auto* f = static_cast<TFormSoubory*>(d);
      // The dialog shows the current paths and its captions from the language file.
      if (!f->SchemaEdit->text().endsWith(QStringLiteral("a.yrd"))) return f->StornoBtn;
      if (f->StornoBtn->text() != QString::fromUtf8("Zp\u011bt")) return f->StornoBtn;
      f->SchemaEdit->setText(cesta("b.yrd"));
      return f->OKbtn;
    });
    okno.MenuOtevritClick();
    QCOMPARE(s.Koleje.size(), std::size_t{2});
    QVERIFY(Cti(cesta("stanovar.ini")).find("\x86" "b.yrd") != std::string::npos);
    QCOMPARE(static_cast<int>(s.RychlostSim), 1);
  }

  // Rectangles painted by hand cover exactly what QPainter's fill and one-pixel outline do;
  // one far outside paints only its visible part.
  void rectanglesMatchThePainters() {
    QtPlatno platno(60, 40);
    QImage vzor(60, 40, QImage::Format_RGB32);
    vzor.fill(Qt::white);
    std::uint32_t h = 12345;
    auto nahodne = [&](int n) {
      h = h * 1103515245u + 12345u;
      return static_cast<int>((h >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int i = 0; i < 400; ++i) {
      int l = nahodne(58), t = nahodne(38);
      int r = l + 1 + nahodne(60 - l), b = t + 1 + nahodne(40 - t);
      Barva pero = RGB(i % 256, 10, 20), vypln = RGB(30, i % 256, 40);
      platno.barvaPera(pero);
      platno.barvaVyplne(vypln);
      platno.obdelnik(l, t, r, b);
      QPainter p(&vzor);
      p.fillRect(QRect(l, t, r - l, b - t), NaQColor(vypln));
      p.setPen(QPen(NaQColor(pero), 1));
      p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
      p.end();
      if (platno.obraz().convertToFormat(QImage::Format_RGB32) != vzor)
        QFAIL(qPrintable(QStringLiteral("rectangle %1 %2 %3 %4").arg(l).arg(t).arg(r).arg(b)));
    }
    platno.barvaVyplne(RGB(1, 2, 3));
    platno.obdelnik(-2000000, 10, 2000000, 14);
    for (int x = 0; x < 60; ++x) QCOMPARE(platno.obraz().pixelColor(x, 11), QColor(1, 2, 3));
  }

  // A file name is the file system's UTF-8, the message texts windows-1250: each reaches the
  // screen decoded as what it is.
  void fileMessagesKeepEachTextInItsEncoding() {
    QtProstredi p;
    QString ukazano;
    p.zobrazZpravu = [&](const QString& t) { ukazano = t; };
    test::ZaznamovePlatno platno;
    Stav s;
    s.platno = &platno;
    s.prostredi = &p;
    s.nastaveni.cestaSchema = QFile::encodeName(dir_.filePath(QStringLiteral("n\u00e1dra\u017e\u00ed.yrd"))).toStdString();
    otevrit(s);
    QCOMPARE(ukazano, QStringLiteral("Soubor n\u00e1dra\u017e\u00ed.yrd nelze otev\u0159\u00edt."));
  }

  // An empty or garbage language file leaves the menus and the offer labels with the
  // built-in texts, so Open and Settings stay reachable.
  void emptyLanguageFileKeepsTheMenusUsable() {
    for (const std::string& obsah : {std::string(), std::string("\x85\xff garbage\r\n\r\n")}) {
      Zapis(cesta("cs.lng"), obsah);
      TestProstredi env;
      TForm1 okno(dir_.path(), &env);
      const auto menu = okno.menuBar()->actions();
      // The network's Stations menu shows only while a network is played.
      QCOMPARE(std::count_if(menu.begin(), menu.end(), [](QAction* a) { return a->isVisible(); }), 3);
      QCOMPARE(menu.at(0)->text(), QStringLiteral("&Soubor"));
      QVERIFY(menu.at(0)->isVisible());
      const auto polozky = menu.at(0)->menu()->actions();
      QCOMPARE(polozky.at(0)->text(), QStringLiteral("&Otev\u0159\u00edt n\u00e1dra\u017e\u00ed"));
      QCOMPARE(polozky.at(1)->text(), QStringLiteral("&Nastaven\u00ed"));
      QVERIFY(env.zpravy.empty());
    }
  }

  void openStationWithWrongPathsReportsEachFileOnce() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    Odpovez([this](QDialog* d) {
      auto* f = static_cast<TFormSoubory*>(d);
      f->SchemaEdit->setText(cesta("neni.yrd"));
      f->GvdEdit->clear();
      f->LokEdit->setText(cesta("neni.lok"));
      return f->OKbtn;
    });
    okno.MenuOtevritClick();
    QCOMPARE(env.zpravy.size(), std::size_t{2});
    QVERIFY(env.zpravy[0].find("neni.lok") != std::string::npos);
    QVERIFY(env.zpravy[1].find("neni.yrd") != std::string::npos);
    QVERIFY(s.Koleje.empty());
    // The empty station stays usable: the clock runs, clicks and keys do nothing harmful.
    okno.CasovacUdalostiTimer();
    QTest::mouseClick(okno.Image1(), Qt::LeftButton, {}, QPoint(60, 120));
    QCOMPARE(static_cast<int>(s.RychlostSim), 1);
    QVERIFY(!s.VyberCesty);
  }

  void settingsCancelKeepsColourDropsLanguage() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    Stav& s = okno.stav();
    okno.formNastav()->vyberBarvu = [](Barva, Barva* c) {
      *c = RGB(10, 20, 30);
      return true;
    };
    Odpovez([](QDialog* d) {
      auto* f = static_cast<TFormNastav*>(d);
      QTest::mouseClick(f->PozadiBtn, Qt::LeftButton);
      f->tloust1->click();
      f->JazykEdit->setText(QStringLiteral("jiny.lng"));
      return f->StornoBut;
    });
    okno.MenuNastavClick();
    QCOMPARE(s.nastaveni.pozadiNove, RGB(10, 20, 30));
    QCOMPARE(s.nastaveni.sirkaCaryNova, 1);
    // Nothing on screen changes until a station is opened again.
    QCOMPARE(s.nastaveni.pozadi, RGB(136, 136, 136));
    QVERIFY(s.nastaveni.cestaJazyk.find("cs.lng") != std::string::npos);
    std::string ini = Cti(cesta("stanovar.ini"));
    QVERIFY(ini.find("\xB8" "1$001e140a") != std::string::npos);
    QVERIFY(ini.find("\xB8" "8cs.lng") != std::string::npos);

    Odpovez([](QDialog* d) { return static_cast<TFormNastav*>(d)->OKBut; });
    okno.MenuNastavClick();
    // The control kept the cancelled text; OK now stores it.
    QCOMPARE(QString::fromStdString(s.nastaveni.cestaJazyk), QStringLiteral("jiny.lng"));
    QVERIFY(Cti(cesta("stanovar.ini")).find("jiny.lng") != std::string::npos);
  }

  void keysReachTheCoreAndEscCloses() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    Stav& s = okno.stav();
    QTest::keyClick(&okno, Qt::Key_Up);
    QCOMPARE(static_cast<int>(s.RychlostSim), 2);
    QTest::keyClick(&okno, Qt::Key_Right);
    QCOMPARE(static_cast<int>(s.CetnostVlaku), 5);
    QCOMPARE(QString::fromLatin1(s.okno.CetnostVlakuLabel.c_str()), QStringLiteral("Cetnost: 5"));
    // Esc asks first while a station runs: No keeps it, Yes closes.
    for (auto [tlacitko, otevreno] : {std::pair{QMessageBox::No, true}, std::pair{QMessageBox::Yes, false}}) {
      Odpovez([b = tlacitko](QDialog* d) { return static_cast<QMessageBox*>(d)->button(b); });
      QTest::keyClick(&okno, Qt::Key_Escape);
      QCOMPARE(okno.isVisible(), otevreno);
    }
    QVERIFY(s.Koleje.empty());
  }

  void offerAnswersComeFromKeysInEitherCaseAndFromTheLabels() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    Stav& s = okno.stav();
    QLabel* ano = okno.LabelAno();
    // Whichever control has the focus, and whatever the letter's case.
    for (char klic : {'a', 'N', 'A', 'n'}) {
      s.okno.PanelSouhlas.viditelny = true;
      okno.zrcadli();
      QTest::keyClick(okno.Image1(), klic);
      QVERIFY2(!s.okno.PanelSouhlas.viditelny, &klic);
    }
    s.okno.PanelSouhlas.viditelny = true;
    okno.zrcadli();
    QTest::mouseClick(ano, Qt::LeftButton);
    QVERIFY(!s.okno.PanelSouhlas.viditelny);
    QVERIFY(!ano->isVisible());
  }

  void labelsFollowTheStateAndDialogsWaitUntilWanted() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    QVERIFY(okno.findChildren<QDialog*>().isEmpty());
    auto cetnost = [&] {
      for (QLabel* l : okno.findChildren<QLabel*>())
        if (l->text().startsWith(QStringLiteral("Cetnost: "))) return l->text();
      return QString();
    };
    QCOMPARE(cetnost(), QStringLiteral("Cetnost: 4"));
    // Texts not changed since the last tick stay; a changed one is shown at the next.
    okno.CasovacUdalostiTimer();
    okno.stav().okno.CetnostVlakuLabel = "Cetnost: \xE8";
    okno.CasovacUdalostiTimer();
    QCOMPARE(cetnost(), QString::fromUtf8("Cetnost: \u010d"));
    QVERIFY(okno.formNastav() == okno.formNastav());
    QCOMPARE(okno.findChildren<QDialog*>().size(), 1);
  }

  // Every value starts under its own heading and shows whole, in the font the labels really
  // use: the widest names and largest numbers of both shipped stations, and names of eight
  // of the widest letters, in both languages and at three screen resolutions.
  void panelValuesStandUnderTheirHeadingsAndShowWhole() {
    const QString data = QStringLiteral(STANOVAR_DATA_DIR);
    struct Pripad {
      const char* slozka;
      const char* stanice;
      bool sirokaJmena;
    } const pripady[] = {{"", "demo", false}, {"/vlci_brod", "vlci_brod", false},
                         {"", "demo", true}};
    for (const Pripad& p : pripady)
      for (const char* jazyk : {"cestina.lng", "english.lng"})
        for (int dpi : {96, 120, 144}) {
          const QString kde = QStringLiteral("%1 %2 %3 dpi").arg(p.stanice).arg(jazyk).arg(dpi) +
                              (p.sirokaJmena ? QStringLiteral(" wide names") : QString());
          Zapis(cesta("stanovar.ini"), IniStanice(data + QString::fromLatin1(p.slozka), p.stanice, jazyk));
          TestProstredi env;
          env.dpiHodnota = dpi;
          TForm1 okno(dir_.path(), &env);
          okno.show();
          Stav& s = okno.stav();
          QVERIFY2(!s.Koleje.empty() && !s.Grafikon.empty(), qPrintable(kde));
          OknoView& o = s.okno;
          const auto vlak = okno.panely()->hodnotyVlaku();
          const auto kolej = okno.panely()->hodnotyKoleje();
          std::vector<std::string> cile, loko, stanice, sousede, cisla;
          int delka = 0, hmotnost = 0, rychlost = 0, delkaKoleje = 0, sklon = 0;
          for (const RSpoj& sp : s.Grafikon) {
            cile.push_back(sp.kam);
            loko.push_back(sp.loko);
            delka = std::max(delka, sp.delka);
            hmotnost = std::max(hmotnost, sp.hmotnost);
            rychlost = std::max(rychlost, sp.maxRychlost);
          }
          for (const RKolej& k : s.Koleje) {
            stanice.push_back(k.stanice);
            sousede.push_back(k.soused);
            cisla.push_back(k.cislo);
            delkaKoleje = std::max(delkaKoleje, k.delka);
            sklon = std::min(sklon, k.sklon);
          }
          if (p.sirokaJmena) cile = loko = stanice = sousede = {"WWWWWWWW", "MMMMMMMM", "\xA9\xA9\xA9\xA9\xA9\xA9\xA9\xA9"};
          o.LabelVlak = "654321";
          o.LabelCil = Nejsirsi(cile, vlak[1]->font());
          o.LabelMaxRychl = std::to_string(rychlost);
          o.LabelDelka = std::to_string(delka);
          o.LabelHmotnost = std::to_string(hmotnost);
          o.LabelLoko = Nejsirsi(loko, vlak[6]->font());
          o.LabelOdjezd = "23:59";
          o.LabelRychl = "160";
          o.LabelVzdal = std::to_string(delkaKoleje);
          o.LabelKolej = Nejsirsi(cisla, kolej[0]->font());
          o.LabelDelkaKol = std::to_string(delkaKoleje);
          o.LabelRychlKol = "160";
          o.LabelSklon = "-" + std::to_string(-sklon / 10) + "," + std::to_string(-sklon % 10);
          o.LabelStanice = Nejsirsi(stanice, kolej[4]->font());
          o.LabelSoused = Nejsirsi(sousede, kolej[5]->font());
          const std::vector<std::string> hodnotyVlaku = {o.LabelVlak, o.LabelCil, "", o.LabelMaxRychl,
              o.LabelDelka, o.LabelHmotnost, o.LabelLoko, o.LabelOdjezd, o.LabelRychl, o.LabelVzdal};
          const std::vector<std::string> hodnotyKoleje = {o.LabelKolej, o.LabelDelkaKol, o.LabelRychlKol,
              o.LabelSklon, o.LabelStanice, o.LabelSoused};
          o.PanelVlak.viditelny = o.PanelKolej.viditelny = true;
          okno.zrcadli();

          auto over = [&](QWidget* panel, const std::string& nadpis, const std::vector<QLabel*>& labely,
                          const std::vector<std::string>& hodnoty) {
            const auto starty = StartyNadpisu(panel, ZBajtu(nadpis));
            QCOMPARE(starty.size(), labely.size());
            QVERIFY2(panel->x() + panel->width() <= okno.centralWidget()->width(), qPrintable(kde));
            for (std::size_t i = 0; i < labely.size(); ++i) {
              const QLabel* l = labely[i];
              const QString zde = kde + QStringLiteral(", column %1").arg(i);
              QVERIFY2(std::abs(l->x() + l->contentsRect().x() - starty[i]) <= 3, qPrintable(zde));
              QVERIFY2(l->x() + l->width() <= panel->width(), qPrintable(zde));
              if (i + 1 < labely.size()) QVERIFY2(l->x() + l->width() <= starty[i + 1] + 3, qPrintable(zde));
              if (hodnoty[i].empty()) continue;
              const QString h = ZBajtu(hodnoty[i]);
              QVERIFY2(l->text() == h, qPrintable(zde + QStringLiteral(": ") + l->text()));
              QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(h) <= l->contentsRect().width(),
                       qPrintable(zde));
            }
          };
          over(okno.PanelVlak(), o.Label2, vlak, hodnotyVlaku);
          over(okno.PanelKolej(), o.Label3, kolej, hodnotyKoleje);
        }
  }

  // A heading that does not split into the panel's columns keeps the fixed places; a value
  // wider than its room is shortened and shown whole in its tooltip.
  void oddHeadingKeepsFixedPlacesAndLongValuesAreElided() {
    Zapis(cesta("cs.lng"), "008VLAK cil smer\r\n");
    TestProstredi env;
    env.dpiHodnota = 96;
    TForm1 okno(dir_.path(), &env);
    const auto vlak = okno.panely()->hodnotyVlaku();
    const int pevne[] = {0, 41, 93, 140, 198, 244, 290, 332, 392, 441};
    for (std::size_t i = 0; i < vlak.size(); ++i) QCOMPARE(vlak[i]->x(), pevne[i]);
    okno.stav().okno.LabelVlak = "12345678901234567890";
    okno.zrcadli();
    QVERIFY(vlak[0]->text().endsWith(QChar(0x2026)));
    QCOMPARE(vlak[0]->toolTip(), QStringLiteral("12345678901234567890"));
  }

  // The canvas paints its kept operations again at another scale exactly as if it had drawn
  // them there from the start, though the same shapes were redrawn in many colours and the
  // picture cleared on the way; lines and rectangles cover the blocks of their station
  // pixels, and each image pixel maps back to the station pixel it shows.
  void zoomPaintsAgainWhatTheCanvasWouldHaveDrawn() {
    QtPlatno zivy(120, 80, 96, 200), prekreslovany(120, 80, 96, 100), cary(120, 80, 96, 100);
    std::uint32_t h = 7;
    auto nahodne = [&](int n) {
      h = h * 1103515245u + 12345u;
      return static_cast<int>((h >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int i = 0; i < 3000; ++i) {
      // 48 places and 15 shapes in each, many colours: the list stays as short as the
      // shapes (and the clear at 1500).
      const int x = nahodne(8) * 15, y = nahodne(6) * 12, druh = nahodne(3);
      const Barva c = RGB(nahodne(256), nahodne(256), nahodne(256));
      for (Platno* p : std::initializer_list<Platno*>{&zivy, &prekreslovany, &cary}) {
        p->barvaPera(c);
        p->barvaVyplne(RGB(1, 2, 3));
        p->sirkaPera(1 + i % 2);
        if (i == 1500) p->obdelnik(0, 0, 120, 80);
        if (druh == 0) {
          p->presun(x, y);
          p->cara(x + 30, y + (i % 3) * 12);
        } else if (druh == 1) {
          p->obdelnik(x, y, x + 9, y + 7);
        } else if (p != &cary) {
          p->pismo("arial", 9, c, i % 4 == 0);
          p->text(x, y, i % 5 ? "12" : "\xC8" "B", i % 7 == 0);
        }
      }
    }
    QVERIFY(prekreslovany.pocetOperaci() <= 48 * 15 + 1);
    prekreslovany.nastavMeritko(200);
    QCOMPARE(prekreslovany.obraz(), zivy.obraz());
    const QImage maly = cary.obraz();
    cary.nastavMeritko(200);
    for (int y = 0; y < 160; ++y)
      for (int x = 0; x < 240; ++x)
        if (cary.obraz().pixel(x, y) != maly.pixel(x / 2, y / 2))
          QFAIL(qPrintable(QStringLiteral("pixel %1 %2").arg(x).arg(y)));
    cary.nastavMeritko(150);
    for (int v = -3; v < 50; ++v) {
      QCOMPARE(cary.naStanici(cary.naObraz(v)), v);
      QCOMPARE(cary.naStanici(cary.naObraz(v + 1) - 1), v);
    }
  }

  // Ctrl and the wheel step the zoom a notch at a time, however finely the turn comes in,
  // and keep the station point under the cursor where it is; the wheel alone scrolls.
  void wheelZoomsAboutTheCursor() {
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.show();
    QVERIFY(QTest::qWaitForWindowExposed(&okno));
    PohledStanice* p = okno.pohled();
    p->nastavZvetseni(200);
    const QPointF bod(300, 200);  // in the viewport
    auto kolo = [&](int uhel, Qt::KeyboardModifiers m) {
      QWheelEvent e(bod, p->viewport()->mapToGlobal(bod), QPoint(), QPoint(0, uhel), Qt::NoButton,
                    m, Qt::NoScrollPhase, false);
      QApplication::sendEvent(p->viewport(), &e);
    };
    auto podKurzorem = [&] { return p->naStanici(p->Image1()->mapFrom(p->viewport(), bod)); };
    const QPoint pred = podKurzorem();
    kolo(60, Qt::ControlModifier);
    QCOMPARE(p->zvetseni(), 200);
    kolo(60, Qt::ControlModifier);
    QCOMPARE(p->zvetseni(), 300);
    QVERIFY((podKurzorem() - pred).manhattanLength() <= 1);
    const int svisle = p->verticalScrollBar()->value();
    kolo(-120, Qt::NoModifier);
    QCOMPARE(p->zvetseni(), 300);
    QVERIFY(p->verticalScrollBar()->value() > svisle);
    kolo(-240, Qt::ControlModifier);
    QCOMPARE(p->zvetseni(), 150);
  }

  // A click at a zoomed point acts on the station pixel shown there, and the zoom and the
  // palette are the user's: kept for the next start, never written into stanovar.ini.
  void zoomedClicksAndKeptPreferences() {
    const std::string ini = Cti(cesta("stanovar.ini"));
    {
      TestProstredi env;
      TForm1 okno(dir_.path(), &env);
      okno.pohled()->nastavZvetseni(300);
      QCOMPARE(okno.Image1()->size(), QSize(792 * 3, 480 * 3));
      // The signal at (60, 120) is drawn on image pixels 180 to 182.
      QTest::mouseClick(okno.Image1(), Qt::LeftButton, {}, QPoint(182, 362));
      QVERIFY(okno.stav().VyberCesty);
      QCOMPARE(okno.stav().StartNavestidlo, okno.stav().Navestidla.front().id);
      okno.pohled()->nastavPaletu(Paleta::Barvoslepa);
      // The chosen start signal is no longer yellow, its pixels still where they were.
      QCOMPARE(okno.obraz().pixelColor(181, 360), QColor(240, 210, 40));
      okno.pohled()->zvetsi(-1);
      QCOMPARE(okno.pohled()->zvetseni(), 200);
    }
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    // Kept; shown as far as the screen holds the whole station.
    QCOMPARE(okno.pohled()->preferovane(), 200);
    QCOMPARE(okno.pohled()->paleta(), Paleta::Barvoslepa);
    // Without a stored zoom: the largest whose window fits the screen.
    const std::pair<QSize, int> obrazovky[] = {{{1024, 768}, 100}, {{1920, 1040}, 150},
                                               {{2560, 1600}, 300}, {{3840, 2160}, 400}};
    for (const auto& [velikost, zvetseni] : obrazovky)
      QCOMPARE(okno.zvetseniProObrazovku(velikost, TForm1::Tabule::Skryta), zvetseni);
    okno.close();
    QVERIFY(Cti(cesta("stanovar.ini")) == ini);
  }

  // A shift saved at a busy moment opens, in another window at another time of day, with the
  // same picture, panels and clock; a damaged one is refused and changes nothing.
  void shiftOpensAsSaved() {
    Zapis(cesta("stanovar.ini"), IniStanice(QStringLiteral(STANOVAR_DATA_DIR "/vlci_brod"),
                                             "vlci_brod", "english.lng"));
    const QString smena = cesta("busy.smena");
    QImage obraz;
    OknoView pohled;
    {
      TestProstredi env;
      TForm1 a(dir_.path(), &env);
      AutomatickyDispecer d;
      for (int i = 0; i < 1800; ++i) {
        env.posun(2);
        a.CasovacUdalostiTimer();
        a.BlikacTimer();
        d(a.stav());
      }
      a.zrcadli();
      QVERIFY(a.stav().Vlaky.size() >= 2);
      obraz = a.obraz().copy();
      pohled = a.stav().okno;
      QVERIFY(a.smena()->ulozSmenu(smena));
    }
    TestProstredi env;
    env.cas = 0.9;
    TForm1 b(dir_.path(), &env);
    QVERIFY(b.smena()->otevriSmenu(smena));
    QCOMPARE(b.stav().okno.hodiny, pohled.hodiny);
    QCOMPARE(b.stav().okno.Blikac, pohled.Blikac);
    QCOMPARE(b.stav().okno.PanelSouhlas.viditelny, pohled.PanelSouhlas.viditelny);
    QVERIFY(b.obraz() == obraz);

    Zapis(cesta("bad.smena"), Cti(smena).substr(0, 1000));
    QVERIFY(!b.smena()->otevriSmenu(cesta("bad.smena")));
    QCOMPARE(env.zpravy.size(), std::size_t{1});
    QVERIFY(env.zpravy[0].find("damaged") != std::string::npos);
    QVERIFY(b.obraz() == obraz);
  }

  void timerTickShowsTheClock() {
    TestProstredi env;
    env.cas = 7.0 / 24 + 5.0 / 1440 + 9.0 / 86400;
    TForm1 okno(dir_.path(), &env);
    okno.CasovacUdalostiTimer();
    QCOMPARE(QString::fromLatin1(okno.stav().okno.hodiny.c_str()), QStringLiteral("7:05:09"));
    // While a message box of the core is open, a tick does nothing.
    env.posun(60);
    okno.stav().zpravaOtevrena = true;
    okno.CasovacUdalostiTimer();
    QCOMPARE(QString::fromLatin1(okno.stav().okno.hodiny.c_str()), QStringLiteral("7:05:09"));
  }

  void boardListsTheWaitingTrainsFirstAndTheReportShowsTheShift() {
    Zapis(cesta("stanovar.ini"), IniStanice(QStringLiteral(STANOVAR_DATA_DIR), "demo", "english.lng"));
    TestProstredi env;
    TForm1 okno(dir_.path(), &env);
    okno.show();
    QVERIFY(!okno.tabule()->isVisible());  // until the user asks for it
    okno.menuTabule()->trigger();
    QVERIFY(okno.tabule()->isVisible());
    Stav& s = okno.stav();
    // Half an hour with nobody at the desk: offers wait, trains stand at their signals.
    for (int i = 0; i < 60; ++i) {
      env.posun(30);
      okno.CasovacUdalostiTimer();
    }
    const ModelTabule* m = okno.tabule()->model();
    const auto& radky = m->radky();
    QVERIFY(radky.size() >= 2);
    QCOMPARE(static_cast<std::size_t>(m->rowCount()), s.skore.aktivni.size());
    for (std::size_t i = 0; i + 1 < radky.size(); ++i)
      QVERIFY(radky[i].ceka >= radky[i + 1].ceka);
    QCOMPARE(m->data(m->index(0, SlCeka), Qt::DisplayRole).toString(), TextCekani(radky[0].ceka));
    QVERIFY(radky[0].dlouho);
    const VysledekSkore v = SpocitejSkore(s, SimCas(s));
    QCOMPARE(okno.stavSkore()->text(), QStringLiteral("Score: %1    Trains waiting: %2").arg(v.body).arg(v.cekaji));

    // Choosing a row: a train shows in the train panel and is framed on the picture; an offer
    // opens the accept panel.
    bool vlak = false, nabidka = false;
    for (int r = 0; r < m->rowCount(); ++r) {
      const RadekTabule x = radky[static_cast<std::size_t>(r)];
      okno.tabule()->pohled()->selectRow(r);
      if (x.stav == StavRadku::Nabidnut) {
        QVERIFY(s.okno.PanelSouhlas.viditelny);
        QCOMPARE(s.NabizenyVlak, x.cislo);
        nabidka = true;
      } else if (x.stav != StavRadku::Prijat) {
        QVERIFY(s.okno.PanelVlak.viditelny);
        QCOMPARE(s.ZobrazenyVlak, x.cislo);
        QVERIFY(!okno.Image1()->oznaceni().isEmpty());
        vlak = true;
      }
    }
    QVERIFY(vlak && nabidka);

    QString csv;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<VykazSmeny*>(QApplication::activeModalWidget());
      QVERIFY(d != nullptr);
      QCOMPARE(d->findChildren<QChartView*>().size(), 2);
      QCOMPARE(d->grafPrubehu()->chart()->series().size(), 2);
      QCOMPARE(d->grafCekani()->chart()->series().size(), 1);
      QCOMPARE(d->hodnoty()[0]->text(), QString::number(v.body));
      QCOMPARE(d->tabulka()->rowCount(), static_cast<int>(s.skore.vlaky.size()));
      csv = cesta("smena.csv");
      QVERIFY(d->ulozCsv(csv));
      d->reject();
    });
    okno.menuVykaz()->trigger();
    const QString obsah = QString::fromStdString(Cti(csv));
    QCOMPARE(obsah.count(QLatin1Char('\n')), static_cast<int>(s.skore.vlaky.size()) + 1);
    QVERIFY(obsah.startsWith(QStringLiteral("train,from,to,")));
    QCOMPARE(s.RychlostSim, 1);  // the report paused the run and resumed it
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTEST_SET_MAIN_SOURCE_PATH
  TestShell shell;
  int r = QTest::qExec(&shell, argc, argv);
  for (const auto& spust : test::DalsiTestyOkna()) r |= spust(argc, argv);
  return r;
}
#include "test_shell.moc"
