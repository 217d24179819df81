// End-to-end run of the station editor, as an author uses it: the real program under an X
// display, driven with the mouse and the keys through xdotool.
// - A copy of the demo: a track clicked and deleted, saved: its line is gone from the file and
//   the check's markers stand at the signals the gap leaves on nothing; undone and saved, the
//   file is the original byte for byte.
// - A new platform track drawn with two connectors, a signal and its platform, saved: the
//   headless runner with its invariant check sends trains onto it.
// - A station drawn in an empty folder, saved: the program opens it and the runner runs it.
//
//   test_e2e_editor PROGRAM RUNNER DATA_DIR      (run under xvfb-run)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "editor/editor.h"
#include "jadro.h"
#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "pomoc.h"

using namespace stanovar;
using e2e::Cekej;
using e2e::Selhani;

namespace {

bool Xdotool(const QStringList& a) { return QProcess::execute(QStringLiteral("xdotool"), a) == 0; }
QImage Obrazovka() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

std::string Cti(const QString& cesta) {
  QFile f(cesta);
  return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

// The picture the editor shows for a folder's schema, without its grid and marks.
QImage Nakresleno(const QString& slozka, const std::string& schema, shell::QtProstredi& prostredi) {
  Stav s;
  s.prostredi = &prostredi;
  shell::QtPlatno platno(792, 480, prostredi.dpi());
  s.platno = &platno;
  s.nastaveni.startovniAdresar = QFile::encodeName(slozka).toStdString();
  NactiNastaveni(s);
  if (prostredi.dpi() == 96) s.nastaveni.velikostTextu = 9;
  NakresliSchema(s, schema);
  return platno.obraz().copy();
}

// Pixels of the error markers' colour in a box around a station point.
int Znacek(const QImage& o, int ox, int oy, int x, int y) {
  int n = 0;
  for (int v = y - 20; v <= y + 4; ++v)
    for (int u = x - 10; u <= x + 10; ++u)
      if ((o.pixel(ox + u, oy + v) & 0xFFFFFF) == 0xD70050) ++n;
  return n;
}

struct Autor {
  int ox = 0, oy = 0;
  void najed(int x, int y) const {
    Xdotool({QStringLiteral("mousemove"), QString::number(ox + x), QString::number(oy + y)});
    Cekej(80);
  }
  void klik(int x, int y) const {
    najed(x, y);
    Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    Cekej(150);
  }
  void tah(int x1, int y1, int x2, int y2) const {
    najed(x1, y1);
    Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    najed((x1 + x2) / 2, (y1 + y2) / 2);
    najed(x2, y2);
    Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    Cekej(150);
  }
  void klavesa(const char* k) const {
    Xdotool({QStringLiteral("key"), QString::fromLatin1(k)});
    Cekej(300);
  }
};

// The program's summary line "trains entered N, left M": M.
int Odjelo(const QString& souhrn) {
  const auto m = QRegularExpression(QStringLiteral("left (\\d+)")).match(souhrn);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) return Selhani("usage: test_e2e_editor PROGRAM RUNNER DATA_DIR");
  // The run has a settings folder of its own: the main window at 100 %, so that its picture
  // is the core's pixel for pixel, and the editor at the zoom it picks for the screen.
  {
    QSettings predvolby(QStringLiteral("Stanovar"), QStringLiteral("stanovar"));
    predvolby.clear();
    predvolby.setValue(QStringLiteral("zobrazeni/zvetseni"), 100);
  }
  const QString program = QString::fromLocal8Bit(argv[1]);
  const QString runner = QString::fromLocal8Bit(argv[2]);
  QDir data(QString::fromLocal8Bit(argv[3]));
  QTemporaryDir tmp;
  const QString demo = tmp.filePath(QStringLiteral("demo"));
  QDir().mkpath(demo);
  for (const QString& f : data.entryList(QDir::Files)) QFile::copy(data.filePath(f), demo + QLatin1Char('/') + f);
  const QString yrd = demo + QStringLiteral("/demo.yrd");
  const std::string puvodni = Cti(yrd);
  shell::QtProstredi prostredi;
  const QImage ocekavany = Nakresleno(demo, puvodni, prostredi);

  QProcess p;
  p.setWorkingDirectory(demo);
  p.start(program, {QStringLiteral("--edit"), demo});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(3000);
  if (p.state() != QProcess::Running) return Selhani("the editor exited by itself");
  Autor a;
  QImage o = Obrazovka();
  // Sampled every 7th pixel, which meets the grid points drawn over the picture no more often
  // than they are.
  double shoda = 0;
  for (int y = 0; y <= 200; ++y)
    for (int x = 0; x <= 12; ++x)
      if (const double d = e2e::Shoda(ocekavany, o, x, y, 7); d > shoda) {
        shoda = d;
        a.ox = x;
        a.oy = y;
      }
  std::printf("e2e: editor picture at (%d, %d), %.3f of the sampled pixels as the core draws them\n", a.ox, a.oy, shoda);
  if (shoda < 0.95) return Selhani("the station picture is not in the editor");
  int chyb = 0;
  auto chyba = [&](const char* t) {
    std::fprintf(stderr, "e2e: %s\n", t);
    ++chyb;
  };

  // Track 1 (258..534 on row 240) deleted and saved.
  if (Znacek(o, a.ox, a.oy, 258, 240) > 0) chyba("a marker before anything was changed");
  a.klik(396, 240);
  a.klavesa("Delete");
  a.klavesa("ctrl+s");
  editor::Dokument d = editor::CtiDokument(puvodni);
  d.radky.erase(d.radky.begin() + 4);
  if (Cti(yrd) != editor::ZapisDokument(d)) chyba("the saved file is not the original without the track's line");
  Cekej(300);
  o = Obrazovka();
  o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-editor-smazano.png")));
  const int vlevo = Znacek(o, a.ox, a.oy, 258, 240), vpravo = Znacek(o, a.ox, a.oy, 534, 240);
  std::printf("e2e: %d and %d marker pixels at the signals on both sides of the gap\n", vlevo, vpravo);
  if (vlevo < 10 || vpravo < 10) chyba("no marker where the gap cuts the routes");
  a.klavesa("ctrl+z");
  a.klavesa("ctrl+s");
  if (Cti(yrd) != puvodni) chyba("undone and saved, the file differs from the original");

  // A platform track on row 312 with connectors from both its neighbours, the exit signal at
  // its east end and a platform beside it.
  a.klavesa("t");
  a.tah(258, 312, 522, 312);
  a.klavesa("c");
  a.tah(246, 288, 258, 312);
  a.tah(522, 312, 534, 288);
  a.klavesa("s");
  a.klik(522, 312);
  a.klavesa("p");
  a.tah(300, 318, 474, 318);
  a.klavesa("Escape");
  a.klavesa("ctrl+s");
  // The track goes after the station's last track, the rest at the end of the file.
  editor::Dokument nove = editor::CtiDokument(puvodni);
  nove.radky.insert(nove.radky.begin() + 9, editor::NovyRadek('1', {"258", "312", "522", "312", "0", "660", "6", "80", "0"}));
  for (const auto& r : {editor::NovyRadek('2', {"246", "288", "258", "312", "", "40", "40", "0", "1"}),
                        editor::NovyRadek('2', {"522", "312", "534", "288", "", "40", "40", "0", "1"}),
                        editor::NovyRadek('3', {"522", "312"}),
                        editor::NovyRadek('5', {"300", "474", "312", "0", "LESN\xC1"})})
    nove.radky.push_back(r);
  if (Cti(yrd) != editor::ZapisDokument(nove)) chyba("the drawn platform track was not saved as drawn");
  o = Obrazovka();
  o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-editor-kolej.png")));
  a.klavesa("ctrl+w");
  // Closed already while the keys' pause ran the events, or soon.
  if (p.state() != QProcess::NotRunning && !p.waitForFinished(5000)) chyba("the editor did not close after saving");

  QProcess sim;
  const QString log = tmp.filePath(QStringLiteral("log.csv"));
  sim.start(runner, {demo, QStringLiteral("--check"), QStringLiteral("--log"), log});
  sim.waitForFinished(120000);
  const QString souhrn = QString::fromUtf8(sim.readAllStandardOutput());
  int naNove = 0;
  for (const QString& r : QString::fromStdString(Cti(log)).split(QLatin1Char('\n'))) {
    const QStringList pole = r.split(QLatin1Char(','));
    naNove += pole.size() > 3 && pole[1] == QLatin1String("1") && pole[3] == QLatin1String("10");
  }
  std::printf("e2e: the runner exited with %d; trains entered the new track 10 %d times\n", sim.exitCode(), naNove);
  if (sim.exitCode() != 0 || Odjelo(souhrn) <= 0) chyba("the runner did not run the edited station cleanly");
  if (naNove == 0) chyba("no train ran onto the new platform track");

  // A station from an empty folder: west line, entry signal, platform track, exit signal,
  // east line, both lines used both ways.
  const QString nova = tmp.filePath(QStringLiteral("nova"));
  QDir().mkpath(nova);
  QProcess e;
  e.setWorkingDirectory(nova);
  e.start(program, {QStringLiteral("--edit"), nova});
  if (!e.waitForStarted(10000)) return Selhani("the program did not start on the empty folder");
  Cekej(3000);
  a.klavesa("t");
  a.tah(18, 48, 150, 48);
  a.tah(150, 48, 402, 48);
  a.tah(402, 48, 534, 48);
  a.klavesa("s");
  a.klik(150, 48);
  a.klik(402, 48);
  a.klavesa("e");
  a.klik(18, 48);
  a.klik(534, 48);
  a.klavesa("p");
  a.tah(180, 54, 372, 54);
  a.klavesa("Escape");
  a.klavesa("ctrl+s");
  Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-editor-nova.png")));
  a.klavesa("ctrl+w");
  if (e.state() != QProcess::NotRunning && !e.waitForFinished(5000)) chyba("the editor did not close after saving the new station");
  for (const char* f : {"stanovar.ini", "nova.yrd", "nova.gvd", "nova.lok"})
    if (!QFile::exists(nova + QLatin1Char('/') + QLatin1String(f))) chyba("a file of the new station is missing");

  // The program opens it: its picture is the core's drawing of the saved schema.
  const QImage novaStanice = Nakresleno(nova, Cti(nova + QStringLiteral("/nova.yrd")), prostredi);
  QProcess hra;
  hra.setWorkingDirectory(nova);
  hra.start(program, {});
  if (!hra.waitForStarted(10000)) return Selhani("the program did not start in the new station");
  Cekej(3000);
  int hx = 0, hy = 0;
  const double otevrena = e2e::NajdiObraz(novaStanice, Obrazovka(), hx, hy);
  std::printf("e2e: the new station in the program, %.3f of the sampled pixels as drawn\n", otevrena);
  if (otevrena < 0.95) chyba("the program does not show the new station");
  hra.kill();
  hra.waitForFinished(5000);

  QProcess beh;
  beh.start(runner, {nova, QStringLiteral("--check"), QStringLiteral("--hours"), QStringLiteral("4")});
  beh.waitForFinished(60000);
  const int odjelo = Odjelo(QString::fromUtf8(beh.readAllStandardOutput()));
  std::printf("e2e: the runner exited with %d; %d trains left the new station\n", beh.exitCode(), odjelo);
  if (beh.exitCode() != 0 || odjelo <= 0) chyba("no train ran through the new station");

  std::printf("%d passed, %d failed\n", chyb == 0 ? 1 : 0, chyb == 0 ? 0 : 1);
  return chyb == 0 ? 0 : 1;
}
