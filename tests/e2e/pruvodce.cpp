// End-to-end run of the guided first train: the real program started for the very first time
// (a settings folder of its own, empty) on the demo station with one train in its timetable,
// offered from Kamenec at start-up. A newcomer follows the walk-through with the mouse and the
// keys through xdotool: F2 over the offer, A, the entry signal, a platform track, F1 over the
// train, F3, View and Train board, then the way out; each step must move the walk-through on
// (it keeps the step reached in the user's settings), and the last comes when the train has
// left.
//
//   test_e2e_pruvodce PROGRAM DATA_DIR      (run under xvfb-run)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <vector>

#include "jadro.h"
#include "model/seznamy.h"
#include "model/stav.h"
#include "pomoc.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"

using namespace stanovar;
using e2e::Cekej;
using e2e::Selhani;

namespace {
bool Xdotool(const QStringList& a) { return QProcess::execute(QStringLiteral("xdotool"), a) == 0; }
QImage Obrazovka() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

// Where the picture sits on the screen, by its drawn pixels only: the walk-through's box
// covers some of the background, which would let a shifted picture match as well.
double NajdiKresbu(const QImage& obraz, const QImage& obrazovka, int& ox, int& oy) {
  const QRgb pozadi = obraz.pixel(2, 2) & 0xFFFFFF;
  std::vector<QPoint> body;
  for (int y = 0; y < obraz.height(); y += 2)
    for (int x = 0; x < obraz.width(); x += 2)
      if ((obraz.pixel(x, y) & 0xFFFFFF) != pozadi) body.emplace_back(x, y);
  double nejlepsi = 0;
  for (int y = 0; y <= 200; ++y)
    for (int x = 0; x <= 12; ++x) {
      int stejne = 0;
      for (const QPoint& b : body) {
        const int sx = b.x() + x, sy = b.y() + y;
        if (sx < obrazovka.width() && sy < obrazovka.height() &&
            (obrazovka.pixel(sx, sy) & 0xFFFFFF) == (obraz.pixel(b) & 0xFFFFFF))
          ++stejne;
      }
      const double d = body.empty() ? 0 : static_cast<double>(stejne) / static_cast<double>(body.size());
      if (d > nejlepsi) {
        nejlepsi = d;
        ox = x;
        oy = y;
      }
    }
  return nejlepsi;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return Selhani("usage: test_e2e_pruvodce PROGRAM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  QDir data(QString::fromLocal8Bit(argv[2]));

  QTemporaryDir tmp;
  const QString stanice = tmp.filePath(QStringLiteral("stanice"));
  QDir().mkpath(stanice);
  for (const QString& f : data.entryList(QDir::Files))
    QFile::copy(data.filePath(f), stanice + QLatin1Char('/') + f);
  QFile::remove(stanice + QStringLiteral("/demo.gvd"));
  QFile gvd(stanice + QStringLiteral("/demo.gvd"));
  if (!gvd.open(QIODevice::WriteOnly)) return Selhani("cannot write the timetable");
  gvd.write("*Os#4602#KAMENEC#LIPOVEC#80#60#120#M12\r\n");
  gvd.close();
  // In English, whose View menu opens with Alt and V.
  QFile ini(stanice + QStringLiteral("/stanovar.ini"));
  if (!ini.open(QIODevice::ReadOnly)) return Selhani("cannot read stanovar.ini");
  QByteArray nastaveniStanice = ini.readAll();
  ini.close();
  nastaveniStanice.replace("cestina.lng", "english.lng");
  if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) return Selhani("cannot write stanovar.ini");
  ini.write(nastaveniStanice);
  ini.close();

  // Where things are: the station as the program draws it.
  shell::QtProstredi prostredi;
  Stav s;
  s.prostredi = &prostredi;
  shell::QtPlatno platno(792, 480, prostredi.dpi());
  s.platno = &platno;
  Spust(s, QFile::encodeName(stanice).toStdString());
  const RKolej *trat = nullptr, *cil = nullptr, *ven = nullptr;
  for (const RKolej& k : s.Koleje)
    if (k.soused == "KAMENEC") trat = &k;
  for (const RKolej& k : s.Koleje) {
    if (trat && k.druhKonce == 0 && k.y1 == trat->y1) cil = &k;
    if (k.druhKonce == 2) ven = &k;
  }
  if (!trat || !cil || !ven) return Selhani("the demo station lacks its lines");
  const RNavestidlo* vjezd = NavestidloVBode(s, trat->x1, trat->y1);
  const RNavestidlo* odjezd = NavestidloVBode(s, cil->x1, cil->y1);
  if (!vjezd || !odjezd) return Selhani("the demo station lacks its signals");
  const QImage ocekavany = platno.obraz().copy();

  const QString nastaveni = tmp.filePath(QStringLiteral("nastaveni"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), nastaveni);
  env.insert(QStringLiteral("XDG_DATA_HOME"), tmp.filePath(QStringLiteral("data")));
  QProcess p;
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(stanice);
  p.start(program, {});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(2500);
  if (p.state() != QProcess::Running) return Selhani("the program exited by itself");

  // The picture on the screen; the walk-through's box covers a corner of it.
  int ox = 0, oy = 0;
  const double shoda = NajdiKresbu(ocekavany, Obrazovka(), ox, oy);
  std::printf("e2e: the picture at %d, %d (%.2f of it as drawn)\n", ox, oy, shoda);
  if (shoda <= 0.8) return Selhani("the station picture is not on the screen");
  auto krok = [&] {
    QSettings c(nastaveni + QStringLiteral("/Stanovar/stanovar.conf"), QSettings::IniFormat);
    return c.value(QStringLiteral("pruvodce/krok"), -1).toInt();
  };
  auto najed = [&](int x, int y) {
    Xdotool({QStringLiteral("mousemove"), QString::number(ox + x), QString::number(oy + y)});
    Cekej(200);
  };
  auto klik = [&](int x, int y) {
    najed(x, y);
    Xdotool({QStringLiteral("click"), QStringLiteral("1")});
    Cekej(300);
  };
  auto klavesa = [&](const char* k) {
    Xdotool({QStringLiteral("key"), QString::fromLatin1(k)});
    Cekej(300);
  };
  // Waits up to `ms` for the walk-through to reach step n.
  auto dojde = [&](int n, int ms) {
    QElapsedTimer t;
    t.start();
    while (krok() != n && t.elapsed() < ms) Cekej(200);
    return krok() == n;
  };

  const int stred = (trat->x1 + trat->x2) / 2;
  struct Krok {
    const char* co;
    std::function<void()> udelej;
    int ceka;  // milliseconds
  } const kroky[] = {
      {"the first start shows the first step", [] {}, 3000},
      {"F2 over the blinking offer", [&] { najed(stred, trat->y1); klavesa("F2"); }, 3000},
      {"A accepts it", [&] { klavesa("a"); }, 5000},
      {"the entry signal", [&] { klik(vjezd->x, vjezd->y); }, 3000},
      {"a platform track", [&] { klik((cil->x1 + cil->x2) / 2, cil->y1); }, 3000},
      {"F1 over the train", [&] { najed(stred, trat->y1); klavesa("F1"); }, 3000},
      {"F3 pauses", [&] { klavesa("F3"); }, 3000},
      {"View, Train board", [&] {
         klavesa("F3");
         for (int i = 0; i < 5; ++i) klavesa("Up");
         klavesa("alt+v");
         klavesa("t");
       }, 3000},
      {"the way out, and the train leaves", [&] {
         klik(odjezd->x, odjezd->y);
         klik((ven->x1 + ven->x2) / 2, ven->y1);
       }, 150000},
  };
  int chyb = 0;
  for (std::size_t i = 0; i < std::size(kroky); ++i) {
    kroky[i].udelej();
    if (!dojde(static_cast<int>(i), kroky[i].ceka)) {
      std::fprintf(stderr, "e2e: %s did not reach step %zu (at %d)\n", kroky[i].co, i, krok());
      ++chyb;
      break;
    }
    std::printf("e2e: %s: step %zu\n", kroky[i].co, i);
  }
  Obrazovka().save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-pruvodce.png")));
  p.kill();
  p.waitForFinished(5000);
  std::printf("%d passed, %d failed\n", chyb ? 0 : 1, chyb ? 1 : 0);
  return chyb == 0 ? 0 : 1;
}
