// End-to-end run of a train: the real program under an X display, driven with the mouse and
// the keyboard through xdotool. A train from the arrivals-only line appears on its line track
// with its number in red; F1 over it shows the train panel with a running speedometer; the
// dispatcher sets its route into the station; the train runs in and its number leaves the line
// track; F5 over the standing train turns it with a departure time, and a route out lets it
// leave when that time comes.
//
//   test_e2e_vlak PROGRAM DATA_DIR      (run under xvfb-run)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "pomoc.h"

using namespace stanovar;
using e2e::Cekej;
using e2e::Selhani;

namespace {
bool Xdotool(const QStringList& argumenty) {
  return QProcess::execute(QStringLiteral("xdotool"), argumenty) == 0;
}

QImage Obrazovka() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

// Pixels of the occupied colour along a track's row, its label included.
int Cervenych(const QImage& o, const RKolej& k, int ox, int oy) {
  int n = 0;
  for (int y = k.y1 - 6; y <= k.y1 + 6; ++y)
    for (int x = k.x1 + 2; x < k.x2 - 1; ++x)
      if ((o.pixel(ox + x, oy + y) & 0xFFFFFF) == 0xFF0000) ++n;
  return n;
}

// Dark pixels (text in the demo's black foreground, antialiased) in a box of the window's client area,
// whose origin lies 59 pixels above the picture.
int Tmavych(const QImage& o, int ox, int oy, int l, int t, int r, int b) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (qGray(o.pixel(ox + x, oy - 59 + y)) < 64) ++n;
  return n;
}

// The same box in two shots differs somewhere.
bool Lisi(const QImage& a, const QImage& b, int ox, int oy, int l, int t, int r, int bb) {
  for (int y = t; y < bb; ++y)
    for (int x = l; x < r; ++x)
      if (a.pixel(ox + x, oy - 59 + y) != b.pixel(ox + x, oy - 59 + y)) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return Selhani("usage: test_e2e_vlak PROGRAM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  QDir data(QString::fromLocal8Bit(argv[2]));

  // The demo station with a timetable of one train from the arrivals-only line: the first
  // generation, right at start-up, hands it over.
  QTemporaryDir tmp;
  for (const QString& f : data.entryList(QDir::Files))
    QFile::copy(data.filePath(f), tmp.filePath(f));
  QFile::remove(tmp.filePath(QStringLiteral("demo.gvd")));
  QFile gvd(tmp.filePath(QStringLiteral("demo.gvd")));
  if (!gvd.open(QIODevice::WriteOnly)) return Selhani("cannot write the timetable");
  gvd.write("*Os#4601#LIPOVEC#KAMENEC#80#60#120#M12\r\n");
  gvd.close();

  shell::QtProstredi prostredi;
  Stav s;
  s.prostredi = &prostredi;
  shell::QtPlatno platno(792, 480, prostredi.dpi());
  s.platno = &platno;
  Spust(s, QFile::encodeName(tmp.path()).toStdString());
  const RVlak* vlak = s.Vlaky.empty() ? nullptr : &s.Vlaky.front();
  if (!vlak) return Selhani("the core let no train in");
  const RKolej* trat = NajdiKolej(s, vlak->prvek);
  RNavestidlo* navestidlo = trat ? NavestidloVBode(s, trat->x2, trat->y1) : nullptr;
  const RKolej* cil = nullptr;
  for (const RKolej& k : s.Koleje)
    if (k.druhKonce == 0 && k.y1 == trat->y1) cil = &k;
  if (!navestidlo || !cil) return Selhani("the demo station has no route from its arrival line");
  const QImage ocekavany = platno.obraz().copy();

  QProcess p;
  p.setWorkingDirectory(tmp.path());
  p.start(program, {});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(2500);
  if (p.state() != QProcess::Running) return Selhani("the program exited by itself");

  int ox = 0, oy = 0;
  QImage o = Obrazovka();
  if (e2e::NajdiObraz(ocekavany, o, ox, oy) <= 0.95) return Selhani("the station picture is not on the screen");
  int chyb = 0;
  const int naTrati = Cervenych(o, *trat, ox, oy);
  std::printf("e2e: %d red pixels on the arrival line track\n", naTrati);
  if (naTrati < 20) {
    std::fprintf(stderr, "e2e: no train number appeared on the arrival line track\n");
    ++chyb;
  }

  auto najed = [&](int x, int y) {
    return Xdotool({QStringLiteral("mousemove"), QString::number(ox + x), QString::number(oy + y)});
  };
  auto klik = [&](int x, int y) {
    return najed(x, y) && Xdotool({QStringLiteral("click"), QStringLiteral("1")});
  };
  auto klavesa = [&](const char* k) {
    Xdotool({QStringLiteral("key"), QString::fromLatin1(k)});
    Cekej(300);
  };

  // F1 over the train: the train panel at the top, its speedometer running.
  najed((trat->x1 + trat->x2) / 2, trat->y1);
  klavesa("F1");
  const QImage panel1 = Obrazovka();
  panel1.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-f1.png")));
  Cekej(1500);
  const QImage panel2 = Obrazovka();
  panel2.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-f1b.png")));
  if (Tmavych(panel1, ox, oy, 192, 0, 560, 57) < 200) {
    std::fprintf(stderr, "e2e: F1 showed no train panel\n");
    ++chyb;
  }
  // The panel lays its columns out by its font: speed and distance lie in its right half.
  if (!Lisi(panel1, panel2, ox, oy, 192 + 300, 20, 192 + 600, 50)) {
    std::fprintf(stderr, "e2e: the speedometer did not move\n");
    ++chyb;
  }

  // The route: the signal at the line track's end, then a station track; then full speed.
  if (!klik(navestidlo->x, navestidlo->y) || (Cekej(300), !klik((cil->x1 + cil->x2) / 2, cil->y1)))
    return Selhani("xdotool could not click");
  Cekej(300);
  for (int i = 0; i < 5; ++i) klavesa("Up");

  // The train runs in: its number shows on the station track and leaves the line track.
  bool prijel = false, odjelZTrate = false;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 60000 && !(prijel && odjelZTrate)) {
    Cekej(500);
    o = Obrazovka();
    prijel = prijel || Cervenych(o, *cil, ox, oy) >= 20;
    odjelZTrate = prijel && Cervenych(o, *trat, ox, oy) == 0;
  }
  if (!prijel) {
    std::fprintf(stderr, "e2e: the train never reached the station track\n");
    ++chyb;
  }
  if (!odjelZTrate) {
    std::fprintf(stderr, "e2e: the train's number stayed on the arrival line track\n");
    ++chyb;
  }

  // F5 once it stands: it turns behind the signal at the track's west end, and the panel
  // shows its departure time. A route from that signal out to the west lets it go then.
  Cekej(8000);
  najed((cil->x1 + cil->x2) / 2, cil->y1);
  const QImage predF5 = Obrazovka();
  klavesa("F5");
  o = Obrazovka();
  // The standing train's panel changes only by the departure time F5 gives it.
  if (!Lisi(predF5, o, ox, oy, 192, 20, 192 + 600, 50)) {
    std::fprintf(stderr, "e2e: F5 showed no departure time\n");
    ++chyb;
  }
  RNavestidlo* zpet = NavestidloVBode(s, cil->x1, cil->y1);
  const RKolej* ven = nullptr;
  for (const RKolej& k : s.Koleje)
    if (k.druhKonce == 2) ven = &k;
  if (!zpet || !ven) return Selhani("the demo station has no way back west");
  klik(zpet->x, zpet->y);
  Cekej(300);
  klik((ven->x1 + ven->x2) / 2, ven->y1);
  bool vyrazil = false;
  t.restart();
  while (t.elapsed() < 150000 && !vyrazil) {
    Cekej(1000);
    vyrazil = Cervenych(Obrazovka(), *ven, ox, oy) >= 20;
  }
  o = Obrazovka();
  o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-vlak.png")));
  if (!vyrazil) {
    std::fprintf(stderr, "e2e: the turned train did not leave at its departure time\n");
    ++chyb;
  }

  p.kill();
  p.waitForFinished(5000);
  std::printf("%d passed, %d failed\n", 7 - chyb, chyb);
  return chyb == 0 ? 0 : 1;
}
