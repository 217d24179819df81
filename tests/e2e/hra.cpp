// End-to-end run of a network played by two people: one window hosts it (File, Host network…
// as `--host`) and plays the first station, another joins it (`--join`) and plays the second.
// Both are the demo station joined by their Kamenec lines; the first has one train from
// Lipovec, the second none of its own. The host's player routes the train out to Kamenec;
// the joined player sees it offered at their Kamenec line and takes it with A; closing their
// window hands the second station to the host's automatic dispatcher.
//
//   test_e2e_hra PROGRAM STANOVAR_SIM DATA_DIR      (run under xvfb-run)
#include <QApplication>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "jadro.h"
#include "model/seznamy.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "dve_stanice.h"
#include "pomoc.h"

using namespace stanovar;
using namespace stanovar::e2e;

namespace {
// Whether a host started by a window (it alone is given a control key) still runs.
bool HostBezi() {
  for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (f.open(QIODevice::ReadOnly) && f.readAll().contains("--control-key")) return true;
  }
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 4) return Selhani("usage: test_e2e_hra PROGRAM STANOVAR_SIM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  const QDir data(QString::fromLocal8Bit(argv[3]));

  e2e::DveStanice d;
  if (const char* chyba = d.priprav(data)) return Selhani(chyba);
  const QString &a = d.a, &b = d.b;
  const RSoused* kamenec = d.kamenec;
  const RKolej *trat = d.trat, *kolej = d.kolej;
  const RNavestidlo *doKoleje = d.doKoleje, *naTrat = d.naTrat;
  const QImage& ocekavany = d.ocekavany;

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("STANOVAR_SIM"), QString::fromLocal8Bit(argv[2]));
  QProcess hostitel;
  hostitel.setProcessEnvironment(env);
  hostitel.setWorkingDirectory(a);
  hostitel.start(program, {QStringLiteral("--host"), d.sit, QStringLiteral("--serve"),
                           QStringLiteral("0"), QStringLiteral("--station"), QStringLiteral("PRVNI")});
  if (!hostitel.waitForStarted(10000)) return Selhani("the hosting program did not start");
  // What the host says (forwarded by the hosting window): its port, its players.
  QByteArray rekl;
  auto ceka = [&](const char* co, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
      rekl += hostitel.readAllStandardError();
      if (rekl.contains(co)) return true;
      Cekej(200);
    }
    return false;
  };
  if (!ceka("player joined PRVNI", 20000)) {
    std::fprintf(stderr, "%s\n", rekl.constData());
    return Selhani("the hosting window did not join its own host");
  }
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("listening on [^:\\n]+:(\\d+)")).match(QString::fromLatin1(rekl));
  if (!m.hasMatch()) return Selhani("the host told no port");
  const QString port = m.captured(1);
  Cekej(2000);
  int ox = 0, oy = 0;
  if (NajdiObraz(ocekavany, Obrazovka(), ox, oy) <= 0.95) {
    Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-hra-start.png")));
    return Selhani("the hosting window's station is not on the screen");
  }

  auto najed = [&](int x, int y) {
    return Xdotool({QStringLiteral("mousemove"), QString::number(ox + x), QString::number(oy + y)});
  };
  auto klik = [&](int x, int y) {
    najed(x, y);
    Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    Cekej(300);
  };
  auto klavesa = [&](const char* k) {
    Xdotool({QStringLiteral("key"), QString::fromLatin1(k)});
    Cekej(400);
  };
  auto stred = [](const RKolej& k) { return (k.x1 + k.x2) / 2; };
  int chyb = 0;
  auto selhalo = [&](const char* co) {
    std::fprintf(stderr, "e2e: %s\n", co);
    ++chyb;
    Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-hra-%1.png").arg(chyb)));
  };

  // The host's player: the clock to full speed (the host's own, asked from its window), the
  // train routed in and straight on out to Kamenec.
  najed(stred(*kolej), kolej->y1 - 60);
  for (int i = 0; i < 6; ++i) klavesa("Up");
  if (!ceka("clock speed 6", 10000)) selhalo("the hosting window did not set the host's clock");
  klik(doKoleje->x, doKoleje->y);
  klik(stred(*kolej), kolej->y1);
  klik(naTrat->x, naTrat->y);
  klik(stred(*trat), trat->y1);
  if (!Dockej(90000, [&](const QImage& i) { return Cervenych(i, *trat, ox, oy) >= 20; }))
    selhalo("the train never ran out onto the Kamenec line track");

  // The second player joins over the network; their window lies over the host's.
  QProcess hrac;
  hrac.setWorkingDirectory(b);
  hrac.start(program, {QStringLiteral("--join"), QStringLiteral("127.0.0.1:") + port, QStringLiteral("--station"),
                       QStringLiteral("DRUHA")});
  if (!hrac.waitForStarted(10000)) return Selhani("the joining program did not start");
  if (!ceka("player joined DRUHA", 20000)) selhalo("the second window did not join");
  Cekej(2000);
  // The train offered at their Kamenec line end, taken as a person takes it: F2 there, then A.
  if (!Dockej(120000, [&](const QImage&) {
        najed(kamenec->x, kamenec->y);
        klavesa("F2");
        klavesa("a");
        return Cervenych(Obrazovka(), *trat, ox, oy) >= 20;
      }))
    selhalo("the train was not taken in at the joined station");
  Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-hra-prijat.png")));

  // The joined player closes their window (File, Exit): the host's automatic dispatcher takes
  // the station at once, and the host goes on.
  klavesa("alt+s");
  klavesa("k");
  if (hrac.state() != QProcess::NotRunning && !hrac.waitForFinished(20000)) selhalo("the joined window did not close");
  if (!ceka("player of DRUHA went (left): the automatic dispatcher took over", 20000))
    selhalo("the host did not hand the closed window's station to its automatic dispatcher");
  if (hostitel.state() != QProcess::Running) selhalo("the hosting window ended with the other");

  // The host's window closes too (File, Exit, with the mouse: the keyboard's focus went with
  // the closed window), and its host with it.
  Cekej(1000);
  Xdotool({QStringLiteral("mousemove"), QString::number(ox + 30), QString::number(std::max(oy - 59 - 12, 4))});
  Xdotool({QStringLiteral("click"), QStringLiteral("1")});
  Cekej(500);
  klavesa("k");
  if (hostitel.state() != QProcess::NotRunning && !hostitel.waitForFinished(20000)) {
    selhalo("the hosting window did not close");
    hostitel.kill();
  }
  Cekej(1000);
  if (HostBezi()) selhalo("the host outlived the window that started it");
  rekl += hostitel.readAllStandardError();
  std::printf("%d passed, %d failed\n", 7 - chyb, chyb);
  if (chyb) std::fprintf(stderr, "the host said:\n%s\n", rekl.constData());
  return chyb == 0 ? 0 : 1;
}
