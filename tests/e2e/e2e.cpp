// End-to-end run: start the real program on a copy of the demo data under an X display,
// grab the screen, and check the station picture pixel by pixel.
//
//   test_e2e PROGRAM DATA_DIR      (run under xvfb-run)
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
#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "pomoc.h"

using namespace stanovar;
using e2e::Cekej;
using e2e::Selhani;
using e2e::Shoda;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return Selhani("usage: test_e2e PROGRAM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  QDir data(QString::fromLocal8Bit(argv[2]));

  // A private copy: the program rewrites stanovar.ini, the repository's must stay as it is.
  QTemporaryDir tmp;
  for (const QString& f : data.entryList(QDir::Files))
    QFile::copy(data.filePath(f), tmp.filePath(f));

  // The picture the core draws for the same files.
  shell::QtProstredi prostredi;
  std::vector<std::string> zpravy;
  prostredi.zobrazZpravu = [&](const QString& t) { zpravy.push_back(t.toStdString()); };
  Stav s;
  s.prostredi = &prostredi;
  shell::QtPlatno platno(792, 480, prostredi.dpi());
  s.platno = &platno;
  Spust(s, QFile::encodeName(tmp.path()).toStdString());
  if (!zpravy.empty()) return Selhani("the demo data reported an error while loading");
  if (s.Koleje.size() < 5) return Selhani("the demo station has fewer than five tracks");
  const QImage ocekavany = platno.obraz().copy();

  QProcess p;
  p.setWorkingDirectory(tmp.path());
  p.start(program, {});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(3000);
  if (p.state() != QProcess::Running) return Selhani("the program exited by itself");
  QImage obrazovka = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  obrazovka.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e.png")));

  int ox = -1, oy = -1;
  e2e::NajdiObraz(ocekavany, obrazovka, ox, oy);
  double cela = ox >= 0 ? Shoda(ocekavany, obrazovka, ox, oy, 1) : 0;
  std::printf("e2e: picture found at (%d, %d), %.4f of its pixels as drawn by the core\n", ox,
              oy, cela);

  int chyb = 0;
  if (cela < 0.995) {
    std::fprintf(stderr, "e2e: the picture on screen differs from the station drawing\n");
    ++chyb;
  }
  // Independent of the drawing code: the background is the settings file's colour, and every
  // visible track has foreground (or occupied) pixels just inside its left end, on its row.
  const QRgb pozadi = qRgb(Cervena(s.nastaveni.pozadi), Zelena(s.nastaveni.pozadi),
                           Modra(s.nastaveni.pozadi));
  const QRgb popredi = qRgb(Cervena(s.nastaveni.popredi), Zelena(s.nastaveni.popredi),
                            Modra(s.nastaveni.popredi));
  if (ox >= 0 && (obrazovka.pixel(ox + 2, oy + ocekavany.height() - 3) & 0xFFFFFF) !=
                     (pozadi & 0xFFFFFF)) {
    std::fprintf(stderr, "e2e: the picture's background is not the configured colour\n");
    ++chyb;
  }
  int kolejiSpatne = 0;
  for (const RKolej& k : s.Koleje) {
    if (ox < 0 || k.x2 - k.x1 < 12 || k.x1 + 3 >= ocekavany.width() || k.y1 >= ocekavany.height())
      continue;
    // A train may already stand on a line track: it is drawn in the occupied colour.
    const QRgb p = obrazovka.pixel(ox + k.x1 + 3, oy + k.y1) & 0xFFFFFF;
    if (p != (popredi & 0xFFFFFF) && p != 0xFF0000) ++kolejiSpatne;
  }
  if (kolejiSpatne > 0) {
    std::fprintf(stderr, "e2e: %d tracks are not drawn where the schema puts them\n",
                 kolejiSpatne);
    ++chyb;
  }

  p.kill();
  p.waitForFinished(5000);
  std::printf("%d passed, %d failed\n", 3 - chyb, chyb);
  return chyb == 0 ? 0 : 1;
}
