// The station editor window on the offscreen platform, driven by the mouse and the keys as an
// author drives it: what lands in the file, what undo gives back, the check's markers, and a
// station drawn from nothing that runs.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include "control/dispecer.h"
#include "jadro.h"
#include "shell/editor_okno.h"
#include "shell/plocha_editoru.h"
#include "shell/tabulky_editoru.h"
#include "shell/zkouska_editoru.h"
#include "shell/vlastnosti_prvku.h"

using namespace stanovar;
using namespace stanovar::shell;

namespace {

std::string Cti(const QString& cesta) {
  QFile f(cesta);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

// The lines of a schema as text, "|" between fields.
QStringList RadkySchematu(const std::string& bajty) {
  QStringList r;
  for (const editor::RadekSchematu& l : editor::CtiDokument(bajty).radky) {
    QString t(QLatin1Char(l.druh));
    std::size_t n = editor::PocetPoli;
    while (n > 0 && l.pole[n].empty()) --n;
    for (std::size_t i = 1; i <= n; ++i) t += QLatin1Char('|') + QString::fromLatin1(l.pole[i].c_str());
    r << t;
  }
  return r;
}

}  // namespace

class TestEditor : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  DalsiTexty texty_;
  Stav jazyk_;

  QString kopieDema() {
    const QString cil = dir_.filePath(QStringLiteral("demo%1").arg(++kopii_));
    QDir().mkpath(cil);
    for (const char* f : {"demo.yrd", "demo.gvd", "demo.lok", "stanovar.ini", "cestina.lng"})
      QFile::copy(QStringLiteral(STANOVAR_DATA_DIR "/") + QLatin1String(f), cil + QLatin1Char('/') + QLatin1String(f));
    return cil;
  }
  int kopii_ = 0;

  // A window on the folder, shown and active, so that its shortcuts act.
  std::unique_ptr<EditorStanice> otevri(const QString& slozka) {
    auto okno = std::make_unique<EditorStanice>(texty_, jazyk_);
    std::string chyba;
    if (!okno->otevri(slozka, chyba)) qFatal("%s", chyba.c_str());
    okno->show();
    okno->activateWindow();
    if (!QTest::qWaitForWindowActive(okno.get())) qFatal("the editor window never became active");
    return okno;
  }

  static void klik(EditorStanice& o, int x, int y, Qt::KeyboardModifiers m = {}) {
    QTest::mouseClick(o.plocha(), Qt::LeftButton, m, o.plocha()->naPlochu(x, y).toPoint());
  }
  static void tah(EditorStanice& o, int x1, int y1, int x2, int y2) {
    PlochaEditoru* p = o.plocha();
    QTest::mousePress(p, Qt::LeftButton, {}, p->naPlochu(x1, y1).toPoint());
    QTest::mouseMove(p, p->naPlochu(x2, y2).toPoint());
    QTest::mouseRelease(p, Qt::LeftButton, {}, p->naPlochu(x2, y2).toPoint());
  }
  static void klavesa(EditorStanice& o, int k, Qt::KeyboardModifiers m = {}) {
    QTest::keyClick(o.plocha(), static_cast<Qt::Key>(k), m);
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Stanovar"), QStringLiteral("stanovar")).clear();
  }

  // The editor's texts have numbers above 99: a language file gives them as any other.
  void languageFilesNameTheEditorsTexts() {
    DalsiTexty t;
    t.nacti("122Stations-Editor\r\n164&Verwerfen\r\n", false);
    QCOMPARE(t.text(DalsiText::EditorStanice), QStringLiteral("Stations-Editor"));
    QCOMPARE(t.text(DalsiText::Zahodit), QStringLiteral("&Verwerfen"));
    QCOMPARE(t.text(DalsiText::Ulozit), QStringLiteral("&Save"));  // built in where it has none
  }

  // A track clicked and deleted: its line leaves the file and the check marks the signals the
  // gap leaves standing on nothing; undone, the file is what it was, byte for byte.
  void deleteMarksTheGapAndUndoGivesTheFileBack() {
    const QString slozka = kopieDema();
    const std::string puvodni = Cti(slozka + QStringLiteral("/demo.yrd"));
    auto okno = otevri(slozka);
    EditorStanice& o = *okno;
    QCOMPARE(o.kontrola().Chyb(), 0);

    klik(o, 400, 240);  // the middle of track 1
    QCOMPARE(o.vyber().size(), std::size_t{1});
    const std::size_t radek = *o.vyber().begin();
    QCOMPARE(o.stanice().dokument.radky[radek].pole[7], std::string("1"));
    auto* cislo = qobject_cast<QLineEdit*>(o.vlastnosti()->pole(7));
    QVERIFY(cislo && cislo->text() == QStringLiteral("1"));

    klavesa(o, Qt::Key_Delete);
    klavesa(o, Qt::Key_S, Qt::ControlModifier);
    QStringList bez = RadkySchematu(puvodni);
    const QString smazany = bez.takeAt(static_cast<qsizetype>(radek));
    QVERIFY(smazany.startsWith(QStringLiteral("1|258|240|534|240")));
    QCOMPARE(RadkySchematu(Cti(slozka + QStringLiteral("/demo.yrd"))), bez);
    QVERIFY(!o.isWindowModified());

    // The signals at both ends of the gap are errors now, marked where they stand.
    QVERIFY(o.kontrola().Chyb() >= 2);
    int naNavestidlech = 0;
    for (int i = 0; i < o.problemy()->count(); ++i) {
      const int r = o.problemy()->item(i)->data(Qt::UserRole).toInt();
      if (r >= 0 && o.stanice().dokument.radky[static_cast<std::size_t>(r)].druh == '3') ++naNavestidlech;
    }
    QCOMPARE(naNavestidlech, 2);
    const QPointF znacka = o.plocha()->naPlochu(258, 240) - QPointF(0, 9);
    QVERIFY(o.plocha()->zpravyU(znacka).contains(QStringLiteral("no track ends at its point")));
    // A message clicked selects its element.
    QListWidgetItem* prvni = o.problemy()->item(0);
    emit o.problemy()->itemClicked(prvni);
    QCOMPARE(o.vyber(), (std::set<std::size_t>{static_cast<std::size_t>(prvni->data(Qt::UserRole).toInt())}));

    klavesa(o, Qt::Key_Z, Qt::ControlModifier);
    klavesa(o, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Cti(slozka + QStringLiteral("/demo.yrd")), puvodni);
    QCOMPARE(o.kontrola().Chyb(), 0);
    klavesa(o, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(o.stanice().dokument.radky.size(), static_cast<std::size_t>(bez.size()));
    klavesa(o, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // nothing left to redo
    QCOMPARE(o.stanice().dokument.radky.size(), static_cast<std::size_t>(bez.size()));
    QVERIFY(o.isWindowModified());

    // Closing asks: Cancel keeps the window and the edit, Discard leaves the file alone.
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::Discard}) {
      QTimer::singleShot(0, [b] {
        auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(m != nullptr);
        m->button(b)->click();
      });
      o.close();
      QCOMPARE(o.isVisible(), b == QMessageBox::Cancel);
    }
    QCOMPARE(Cti(slozka + QStringLiteral("/demo.yrd")), puvodni);
  }

  // Moves, mirror, copy and paste, a field changed in the panel and the routes of an entry
  // signal; everything undone, the file is the original.
  void editsOfTheSelectionAllUndo() {
    const QString slozka = kopieDema();
    const std::string puvodni = Cti(slozka + QStringLiteral("/demo.yrd"));
    auto okno = otevri(slozka);
    EditorStanice& o = *okno;
    const auto& d = o.stanice().dokument;

    // The routes from the entry signal at Lipovec drawn over the tracks they reach, track 1
    // among them; and gone again.
    auto modrych = [&] {
      const QImage g = o.plocha()->grab().toImage();
      int n = 0;
      for (int x = 280; x < 500; ++x) {
        const QPoint b = o.plocha()->naPlochu(x, 240).toPoint();
        const QColor c = g.pixelColor(b);
        n += c.blue() > 200 && c.red() < 100;
      }
      return n;
    };
    QComboBox* trasy = o.trasy();
    QCOMPARE(trasy->count(), 4);  // none, and the three entry signals
    QCOMPARE(modrych(), 0);
    trasy->setCurrentIndex(1);
    emit trasy->activated(1);
    QVERIFY(modrych() > 150);
    trasy->setCurrentIndex(0);
    emit trasy->activated(0);
    QCOMPARE(modrych(), 0);

    klik(o, 330, 192);  // track 4
    const std::size_t kolej = *o.vyber().begin();
    klavesa(o, Qt::Key_Right);
    klavesa(o, Qt::Key_Down);
    QCOMPARE(d.radky[kolej].cislo(1), 264 + gx);
    QCOMPARE(d.radky[kolej].cislo(2), 192 + gy);
    // Dragged back by the mouse, in whole grid steps.
    tah(o, 400, 204, 393, 193);
    QCOMPARE(d.radky[kolej].cislo(1), 264 + gx - gx);
    QCOMPARE(d.radky[kolej].cislo(2), 192);

    // The west line ends and their tracks and labels, by a rubber band; copied, pasted.
    tah(o, 0, 180, 156, 250);
    const std::set<std::size_t> ramecek = o.vyber();
    QVERIFY(ramecek.size() >= 5);
    const std::size_t pred = d.radky.size();
    klavesa(o, Qt::Key_C, Qt::ControlModifier);
    klavesa(o, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d.radky.size(), pred + ramecek.size());
    QCOMPARE(o.vyber().size(), ramecek.size());
    // The copied tracks right after the station's nine, the rest at the end, selected.
    QVERIFY(o.vyber().count(9) && o.vyber().count(10) && o.vyber().count(d.radky.size() - 1));
    klavesa(o, Qt::Key_M, Qt::ControlModifier);
    QCOMPARE(o.zasobnik()->count(), 5);

    // A field of the one selected element.
    klik(o, 400, 240);
    auto* delka = qobject_cast<QLineEdit*>(o.vlastnosti()->pole(6));
    QVERIFY(delka);
    delka->setText(QStringLiteral("777"));
    emit delka->editingFinished();
    QCOMPARE(d.radky[*o.vyber().begin()].pole[6], std::string("777"));

    while (o.zasobnik()->canUndo()) klavesa(o, Qt::Key_Z, Qt::ControlModifier);
    klavesa(o, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Cti(slozka + QStringLiteral("/demo.yrd")), puvodni);
  }

  // A station drawn in an empty folder with every tool: saved, it has the files the program
  // needs, and trains run through it.
  // The tables edit the timetable in the layout's undo stack: a name the reader would cut is
  // flagged and kept as typed, saved only where it changed; duplicate and sort act on rows;
  // all undone with the layout's edits, both files are what they were, byte for byte.
  void tableEditsUndoWithTheLayout() {
    const QString slozka = kopieDema();
    const QString gvd = slozka + QStringLiteral("/demo.gvd"), lok = slozka + QStringLiteral("/demo.lok");
    const std::string puvodniGvd = Cti(gvd), puvodniLok = Cti(lok), puvodniYrd = Cti(slozka + QStringLiteral("/demo.yrd"));
    auto okno = otevri(slozka);
    EditorStanice& o = *okno;
    TabulkaSeznamu* t = o.tabulka(editor::DruhSeznamu::Grafikon);
    QAbstractItemModel* m = t->pohled()->model();
    QCOMPARE(m->rowCount(), 24);
    QVERIFY(m->setData(m->index(0, 2), QStringLiteral("KAMENECKY"), Qt::EditRole));
    QCOMPARE(m->index(0, 2).data().toString(), QStringLiteral("KAMENECKY"));
    QVERIFY(m->index(0, 2).data(Qt::BackgroundRole).isValid());
    QVERIFY(m->index(0, 2).data(Qt::ToolTipRole).toString().contains(QStringLiteral("read as \"KAMENECK\"")));
    QVERIFY(o.kontrola().Chyb() >= 1);  // no line end is called so
    klavesa(o, Qt::Key_S, Qt::ControlModifier);
    QStringList radky = QString::fromLatin1(puvodniGvd.c_str()).split(QStringLiteral("\r\n"));
    radky[0] = QStringLiteral("*R#851#LIPOVEC#KAMENECKY#240#420#140#E16");
    QCOMPARE(QString::fromLatin1(Cti(gvd).c_str()).split(QStringLiteral("\r\n")), radky);
    QCOMPARE(Cti(lok), puvodniLok);

    klik(o, 400, 240);  // track 1, deleted
    klavesa(o, Qt::Key_Delete);
    t->ukaz(0);
    t->zdvoj();
    QCOMPARE(m->rowCount(), 25);
    QCOMPARE(m->index(1, 0).data().toString(), QStringLiteral("857"));  // 852 to 856 are taken
    t->pohled()->setCurrentIndex(m->index(0, 0));
    t->serad();
    for (int r = 1; r < m->rowCount(); ++r)
      QVERIFY(m->index(r - 1, 0).data().toInt() <= m->index(r, 0).data().toInt());
    QCOMPARE(o.zasobnik()->count(), 4);
    for (int i = 0; i < 4; ++i) klavesa(o, Qt::Key_Z, Qt::ControlModifier);
    klavesa(o, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Cti(gvd), puvodniGvd);
    QCOMPARE(Cti(slozka + QStringLiteral("/demo.yrd")), puvodniYrd);
    QCOMPARE(Cti(lok), puvodniLok);
  }

  // A station tried twice at once shows the second run's figures only; an edit marks them
  // stale and takes the heat off the picture, whose lines may have moved.
  void aNewTryReplacesTheOldAndAnEditMakesItStale() {
    auto okno = otevri(kopieDema());
    EditorStanice& o = *okno;
    PanelZkousky* z = o.zkouska();
    auto* hodin = z->findChild<QSpinBox*>();
    hodin->setValue(48);
    klavesa(o, Qt::Key_F9);
    hodin->setValue(1);
    klavesa(o, Qt::Key_F9);
    QVERIFY(z->bezi());
    z->pockej();
    QTest::qWait(300);  // whatever the first run still had to say
    QVERIFY(z->vysledek() && z->vysledek()->projelo > 0);
    QCOMPARE(z->vysledek()->hodin, 1.0);
    QVERIFY(!z->vysledek()->zruseno);
    QVERIFY(!o.plocha()->teplo().empty());
    const QString prvni = z->cisla()->item(0)->text();
    klik(o, 400, 240);
    klavesa(o, Qt::Key_Delete);
    QVERIFY(o.plocha()->teplo().empty());
    QCOMPARE(z->cisla()->item(0)->text(), prvni);  // still there to compare, greyed
    QCOMPARE(z->cisla()->item(0)->foreground().color(), QColor(Qt::gray));
    o.stanice().historie.ulozeno();
  }

  void aStationDrawnFromNothingRuns() {
    const QString slozka = dir_.filePath(QStringLiteral("nova"));
    QDir().mkpath(slozka);
    auto okno = otevri(slozka);
    EditorStanice& o = *okno;
    klavesa(o, Qt::Key_T);
    tah(o, 18, 48, 150, 48);
    tah(o, 150, 48, 402, 48);
    tah(o, 400, 50, 534, 46);
    klavesa(o, Qt::Key_S);
    klik(o, 151, 49);
    klik(o, 402, 48);
    klavesa(o, Qt::Key_E);
    klik(o, 18, 48);
    klik(o, 533, 47);
    klavesa(o, Qt::Key_P);
    tah(o, 180, 54, 372, 54);
    klavesa(o, Qt::Key_L);
    klik(o, 240, 24);
    // The label's text field has the keyboard: the text typed, an accented letter in it.
    QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Nov"));
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Aacute, QStringLiteral("\u00e1"), {});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    klavesa(o, Qt::Key_Escape);
    klavesa(o, Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(RadkySchematu(Cti(slozka + QStringLiteral("/nova.yrd"))),
             (QStringList{QStringLiteral("1|18|48|150|48|0|330|1|80|0"), QStringLiteral("1|150|48|402|48|0|630|2|80|0"),
                          QStringLiteral("1|402|48|534|48|0|330|3|80|0"), QStringLiteral("3|150|48"),
                          QStringLiteral("3|402|48"), QStringLiteral("6|18|48||TRAT1||3"),
                          QStringLiteral("6|534|48||TRAT2||3"), QStringLiteral("5|180|372|48|0|NOVA"),
                          QStringLiteral("4|240|0|24|0|Nov\u00e1|9")}));
    QCOMPARE(o.kontrola().Chyb(), 0);
    QCOMPARE(o.kontrola().trasy.size(), std::size_t{2});  // from either end to the platform

    PrazdnePlatno platno(800, 600);
    VirtualniProstredi hodiny(0.25, 7);
    Stav s;
    s.platno = &platno;
    s.prostredi = &hodiny;
    int odjelo = 0;
    PoslouchejUdalosti(s, [&](double, const RUdalost& u) { odjelo += u.druh == UdalostOdjezd; });
    Spust(s, QFile::encodeName(slozka).toStdString());
    AutomatickyDispecer dispecer;
    Simuluj(s, hodiny, SimCas(s) + 0.1, [&] { dispecer(s); });
    QVERIFY(odjelo > 0);
  }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
