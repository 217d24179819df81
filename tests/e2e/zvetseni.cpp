// End-to-end run at a zoom: the real program under an X display, zoomed with Ctrl and "+" as a
// user does. At 200 % and at 300 % the picture on screen is the one the canvas draws at that
// scale; at 200 % it is the 100 % screen enlarged twice, row by row, wherever no text stands
// (texts are laid out again in the larger font); a route clicked at the zoomed points turns
// green, and F1 over the train at the zoomed point shows the train panel.
//
//   test_e2e_zvetseni PROGRAM DATA_DIR      (run under xvfb-run with a large screen)
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

#include "files/soubory.h"
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

// A canvas that also notes where the core wrote texts, in station pixels.
class PlatnoSTexty : public shell::QtPlatno {
 public:
  using QtPlatno::QtPlatno;
  void pismo(const std::string& j, int body, Barva c, bool tucne) override {
    body_ = body;
    QtPlatno::pismo(j, body, c, tucne);
  }
  void text(int x, int y, const std::string& t, bool nepruhledne) override {
    // Room for the glyphs of either size, with a margin for their overhang.
    texty.emplace_back(x - 2, y - 2, sirkaTextu(t) + 6, body_ * 2 + 4);
    QtPlatno::text(x, y, t, nepruhledne);
  }
  std::vector<QRect> texty;

 private:
  int body_ = 8;
};

int Barvy(const QImage& o, QRect r, QRgb c) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if ((o.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF)) ++n;
  return n;
}

// One run of the program zoomed to `cil` per cent; the number of failures.
int Beh(const QString& program, const QString& slozka, int cil) {
  shell::QtProstredi prostredi;
  Stav s;
  s.prostredi = &prostredi;
  PlatnoSTexty platno(792, 480, prostredi.dpi(), cil);
  s.platno = &platno;
  Spust(s, QFile::encodeName(slozka).toStdString());
  const RVlak* vlak = s.Vlaky.empty() ? nullptr : &s.Vlaky.front();
  const RKolej* trat = vlak ? NajdiKolej(s, vlak->prvek) : nullptr;
  const RNavestidlo* navestidlo = trat ? NavestidloVBode(s, trat->x2, trat->y1) : nullptr;
  const RKolej* cilova = nullptr;
  for (const RKolej& k : s.Koleje)
    if (trat && k.druhKonce == 0 && k.y1 == trat->y1) cilova = &k;
  if (!navestidlo || !cilova) return Selhani("the demo station has no route from its arrival line");
  const QImage ocekavany = platno.obraz().copy();

  // The zoom is the user's preference: a private settings folder that starts at 100 %.
  QTemporaryDir nastaveni;
  QDir().mkpath(nastaveni.filePath(QStringLiteral("Stanovar")));
  QFile conf(nastaveni.filePath(QStringLiteral("Stanovar/stanovar.conf")));
  if (!conf.open(QIODevice::WriteOnly)) return Selhani("cannot write the user's settings");
  // A user who has seen the guided first train, whose box would cover a corner.
  conf.write("[zobrazeni]\nzvetseni=100\n[pruvodce]\nukazan=true\n");
  conf.close();
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), nastaveni.path());
  p.setProcessEnvironment(env);
  p.setWorkingDirectory(slozka);
  p.start(program, {});
  if (!p.waitForStarted(10000)) return Selhani("the program did not start");
  Cekej(2500);
  if (p.state() != QProcess::Running) return Selhani("the program exited by itself");

  const QImage sto = Obrazovka();
  int ox = 0, oy = 0;
  {
    QTemporaryDir t;
    shell::QtProstredi pr;
    Stav s1;
    s1.prostredi = &pr;
    shell::QtPlatno p1(792, 480, pr.dpi());
    s1.platno = &p1;
    Spust(s1, QFile::encodeName(slozka).toStdString());
    if (e2e::NajdiObraz(p1.obraz(), sto, ox, oy) <= 0.95) return Selhani("no picture at 100 %");
  }
  for (int z = 100; z < cil; z = z == 100 ? 150 : z == 150 ? 200 : z == 200 ? 300 : 400) {
    Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+plus")});
    Cekej(600);
  }
  Cekej(500);
  QImage o = Obrazovka();
  o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-zoom%1.png").arg(cil)));
  int chyb = 0;
  // The same place on the screen, the picture as the canvas draws it at that scale.
  const double shoda = e2e::Shoda(ocekavany, o, ox, oy, 1);
  std::printf("e2e: at %d %%, %.4f of the picture's pixels as the canvas draws them\n", cil, shoda);
  if (shoda < 0.995) {
    std::fprintf(stderr, "e2e: the zoomed picture is not the canvas drawn at %d %%\n", cil);
    ++chyb;
  }
  const int k = cil / 100;
  if (cil % 100 == 0) {
    // Row by row against the 100 % screen: each station pixel a k x k block, texts apart.
    std::vector<bool> text(792 * 480, false);
    for (const QRect& r : platno.texty)
      for (int y = std::max(r.top(), 0); y <= std::min(r.bottom(), 479); ++y)
        for (int x = std::max(r.left(), 0); x <= std::min(r.right(), 791); ++x) text[y * 792 + x] = true;
    int radkuSpatne = 0, prvni = -1;
    for (int y = 0; y < 480 * k; ++y) {
      bool spatne = false;
      for (int x = 0; x < 792 * k && !spatne; ++x)
        spatne = !text[(y / k) * 792 + x / k] &&
                 (o.pixel(ox + x, oy + y) & 0xFFFFFF) != (sto.pixel(ox + x / k, oy + y / k) & 0xFFFFFF);
      if (spatne && prvni < 0) prvni = y;
      radkuSpatne += spatne;
    }
    std::printf("e2e: at %d %%, %d of %d rows differ from the 100 %% screen outside texts\n", cil,
                radkuSpatne, 480 * k);
    if (radkuSpatne > 0) {
      std::fprintf(stderr, "e2e: row %d at %d %% is not the 100 %% row enlarged\n", prvni, cil);
      ++chyb;
    }
  }

  // Zoomed points: the middle of the station pixel's block.
  auto bod = [&](int x, int y) {
    return QStringList{QStringLiteral("mousemove"), QString::number(ox + x * k + k / 2),
                       QString::number(oy + y * k + k / 2)};
  };
  Xdotool(bod((trat->x1 + trat->x2) / 2, trat->y1));
  Xdotool({QStringLiteral("key"), QStringLiteral("F1")});
  Cekej(400);
  o = Obrazovka();
  int tmavych = 0;
  for (int y = oy - 59; y < oy - 2; ++y)
    for (int x = ox + 192; x < ox + 560; ++x) tmavych += qGray(o.pixel(x, y)) < 64;
  if (tmavych < 200) {
    std::fprintf(stderr, "e2e: F1 at %d %% showed no train panel\n", cil);
    ++chyb;
  }
  Xdotool(bod(navestidlo->x, navestidlo->y) << QStringLiteral("click") << QStringLiteral("1"));
  Cekej(400);
  Xdotool(bod((cilova->x1 + cilova->x2) / 2, cilova->y1) << QStringLiteral("click") << QStringLiteral("1"));
  Cekej(600);
  o = Obrazovka();
  o.save(QDir::temp().filePath(QStringLiteral("stanovar-e2e-zoom%1-cesta.png").arg(cil)));
  const QRect pas(ox + cilova->x1 * k, oy + (cilova->y1 - 2) * k, (cilova->x2 - cilova->x1) * k, 4 * k);
  const int zelenych = Barvy(o, pas, qRgb(0, 224, 0));
  std::printf("e2e: at %d %%, %d green pixels on the route's track\n", cil, zelenych);
  if (zelenych < 20 * k) {
    std::fprintf(stderr, "e2e: the route clicked at %d %% did not turn green\n", cil);
    ++chyb;
  }
  p.kill();
  p.waitForFinished(5000);
  return chyb;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) return Selhani("usage: test_e2e_zvetseni PROGRAM DATA_DIR");
  const QString program = QString::fromLocal8Bit(argv[1]);
  QDir data(QString::fromLocal8Bit(argv[2]));
  // The demo station with one train, handed over from the arrivals-only line at start-up.
  QTemporaryDir tmp;
  for (const QString& f : data.entryList(QDir::Files)) QFile::copy(data.filePath(f), tmp.filePath(f));
  QFile::remove(tmp.filePath(QStringLiteral("demo.gvd")));
  QFile gvd(tmp.filePath(QStringLiteral("demo.gvd")));
  if (!gvd.open(QIODevice::WriteOnly)) return Selhani("cannot write the timetable");
  gvd.write("*Os#4601#LIPOVEC#KAMENEC#80#60#120#M12\r\n");
  gvd.close();

  int chyb = 0;
  for (int z : {200, 300}) chyb += Beh(program, tmp.path(), z);
  std::printf("%d passed, %d failed\n", 8 - chyb, chyb);
  return chyb == 0 ? 0 : 1;
}
