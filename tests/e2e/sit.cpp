// End-to-end run of a network of two stations in the window, driven through xdotool. Both are
// the demo station, joined by their Kamenec lines (used both ways); the first has one train
// from Lipovec, the second none of its own. Playing the first, the player
// routes the train through and out to Kamenec; switched to the second, they see it coming along
// the line, take its offer, turn it and send it back; switched back, it is offered at the
// first station's Kamenec line and taken in there.
//
//   test_e2e_sit PROGRAM DATA_DIR      (run under xvfb-run)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <cstdio>
#include <functional>

#include "jadro.h"
#include "model/seznamy.h"
#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "dve_stanice.h"
#include "pomoc.h"

using namespace stanovar;
using e2e::Cekej;
using e2e::Selhani;

using e2e::Cervenych;
using e2e::Dockej;
using e2e::Obrazovka;
using e2e::Tmavych;
using e2e::Xdotool;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return Selhani("usage: test_e2e_sit PROGRAM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  const QDir data(QString::fromLocal8Bit(argv[2]));

  e2e::DveStanice d;
  if (const char* chyba = d.priprav(data)) return Selhani(chyba);
  const QString& a = d.a;
  const RSoused* kamenec = d.kamenec;
  const RKolej *trat = d.trat, *kolej = d.kolej;
  const RNavestidlo *doKoleje = d.doKoleje, *naTrat = d.naTrat, *zTrate = d.zTrate;
  const RKolej* dubno = d.dubno;
  const QImage& ocekavany = d.ocekavany;

  QProcess p;
  p.setWorkingDirectory(a);
  p.start(program, {QStringLiteral("--network"), d.sit});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(3000);
  if (p.state() != QProcess::Running) return Selhani("the program exited by itself");
  int ox = 0, oy = 0;
  QImage o = Obrazovka();
  if (e2e::NajdiObraz(ocekavany, o, ox, oy) <= 0.95) {
    o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-sit-start.png")));
    return Selhani("the first station of the network is not on the screen");
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
  auto stanice = [&](const char* cislo) {
    klavesa("alt+t");
    klavesa(cislo);
    Cekej(800);
  };
  auto stred = [](const RKolej& k) { return (k.x1 + k.x2) / 2; };
  // The offer at the Kamenec line taken as a person takes it: F2 over the line end, then A.
  auto prijmi = [&] {
    najed(kamenec->x, kamenec->y);
    klavesa("F2");
    klavesa("a");
  };
  int chyb = 0;
  auto selhalo = [&](const char* co) {
    std::fprintf(stderr, "e2e: %s\n", co);
    ++chyb;
    Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-sit-%1.png").arg(chyb)));
  };

  // The first station: the train routed in and straight on out to Kamenec, at full speed.
  for (int i = 0; i < 8; ++i) klavesa("Up");
  klik(doKoleje->x, doKoleje->y);
  klik(stred(*kolej), kolej->y1);
  klik(naTrat->x, naTrat->y);
  klik(stred(*trat), trat->y1);
  const bool naTrati = Dockej(90000, [&](const QImage& i) { return Cervenych(i, *trat, ox, oy) >= 20; });
  if (!naTrati) selhalo("the train never ran out onto the Kamenec line track");
  const bool pryc = naTrati && Dockej(60000, [&](const QImage& i) { return Cervenych(i, *trat, ox, oy) == 0; });
  if (naTrati && !pryc) selhalo("the train stayed on the Kamenec line track");

  // The second station: the train coming along the line is listed above the offer panel,
  // then offered at the line end and taken onto the line track.
  stanice("2");
  if (Tmavych(Obrazovka(), ox, oy, 224, 362, 729, 386) < 30) selhalo("no train coming along the line is shown");
  if (!Dockej(60000, [&](const QImage&) {
        prijmi();
        return Cervenych(Obrazovka(), *trat, ox, oy) >= 20;
      }))
    selhalo("the train did not reach the second station");

  // Turned on track 1 and sent back.
  klik(zTrate->x, zTrate->y);
  klik(stred(*kolej), kolej->y1);
  if (!Dockej(60000, [&](const QImage& i) {
        return Cervenych(i, *kolej, ox, oy) >= 20 && Cervenych(i, *trat, ox, oy) == 0;
      }))
    selhalo("the train did not run in to track 1 of the second station");
  Cekej(15000);  // until it stands
  najed(stred(*kolej), kolej->y1);
  klavesa("F5");
  klik(naTrat->x, naTrat->y);
  klik(stred(*trat), trat->y1);
  if (!Dockej(120000, [&](const QImage& i) { return Cervenych(i, *trat, ox, oy) >= 20; }))
    selhalo("the turned train did not leave towards the first station");

  // Back at the first station: it comes back along the line, is offered (the line end's
  // question mark in red) and is taken in. A train of the same number generated there
  // meanwhile holds the number until it has left: the player sends it out to Dubno.
  stanice("1");
  klik(doKoleje->x, doKoleje->y);
  klik(stred(*kolej), kolej->y1);
  klik(naTrat->x, naTrat->y);
  klik(stred(*dubno), dubno->y1);
  auto otaznik = [&](const QImage& i) {
    int n = 0;
    for (int y = kamenec->y - 8; y <= kamenec->y + 8; ++y)
      for (int x = kamenec->x - 8; x <= kamenec->x + 8; ++x)
        if ((i.pixel(ox + x, oy + y) & 0xFFFFFF) == 0xFF0000) ++n;
    return n >= 10;
  };
  if (!Dockej(90000, otaznik)) selhalo("the train was not offered back at the first station");
  if (!Dockej(20000, [&](const QImage&) {
        prijmi();
        return Cervenych(Obrazovka(), *trat, ox, oy) >= 20;
      }))
    selhalo("the train did not come back onto the first station's Kamenec line track");
  Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-sit-konec.png")));

  p.kill();
  p.waitForFinished(5000);
  std::printf("%d passed, %d failed\n", 8 - chyb, chyb);
  return chyb == 0 ? 0 : 1;
}
