// The real program started under X on folders a careless or hostile author could give it:
// far-away tracks, a huge track number, floods of labels and platforms, an empty language
// file, a settings file that cannot be read. Each time a window with a menu must appear,
// and the user's settings file must be as it was.
//
//   test_e2e_nepratelske PROGRAM DATA_DIR      (run under xvfb-run)
#include <unistd.h>

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
#include <functional>
#include <string>

namespace {

const char S = '\x85';

std::string Radek(char druh, std::initializer_list<std::string> pole) {
  std::string r(1, druh);
  for (const auto& p : pole) r.append(1, S).append(p);
  return r + "\r\n";
}

void Zapis(const QString& cesta, const std::string& obsah) {
  QFile f(cesta);
  f.open(QIODevice::WriteOnly);
  f.write(obsah.data(), static_cast<qint64>(obsah.size()));
}

std::string Cti(const QString& cesta) {
  QFile f(cesta);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll().toStdString();
}

// The window is up when most of the picture shows its grey background and the menu bar has
// text: dark pixels in its first hundred columns.
bool OknoStoji(const QImage& o) {
  if (o.width() < 400 || o.height() < 300) return false;
  int sedych = 0, vsech = 0;
  for (int y = 100; y < 540; y += 7)
    for (int x = 0; x < 790; x += 7, ++vsech) sedych += (o.pixel(x, y) & 0xFFFFFF) == 0x888888;
  if (sedych * 2 < vsech) return false;
  int tmavych = 0;
  for (int y = 0; y < 22; ++y)
    for (int x = 0; x < 100; ++x) {
      QColor c = o.pixelColor(x, y);
      tmavych += c.red() + c.green() + c.blue() < 200;
    }
  return tmavych > 15;
}

struct Pripad {
  const char* jmeno;
  std::function<void(QDir&)> priprav;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: test_e2e_nepratelske PROGRAM DATA_DIR\n");
    return 1;
  }
  const QString program = QString::fromLocal8Bit(argv[1]);
  const QDir data(QString::fromLocal8Bit(argv[2]));
  const std::string ini = "\x86st.yrd\r\n\xB8" "8cestina.lng\r\n\xB8" "1$00888888\r\n\xB8" "4\r\n";

  const Pripad pripady[] = {
      {"far-away tracks",
       [&](QDir& d) {
         std::string s;
         for (int i = 0; i < 5999; ++i)
           s += Radek('1', {"-1000000", std::to_string(12 * (i % 40)), "1000000",
                            std::to_string(12 * (i % 40)), "0", "100", std::to_string(i)});
         for (int i = 0; i < 1000; ++i) s += Radek('5', {"-1000000", "1000000", "120"});
         Zapis(d.filePath("st.yrd"), s);
       }},
      {"huge track number",
       [&](QDir& d) {
         Zapis(d.filePath("st.yrd"), Radek('1', {"0", "120", "700", "120", "0", "100",
                                                 std::string(60u << 20, '7')}));
       }},
      {"many labels",
       [&](QDir& d) {
         std::string s = Radek('1', {"0", "120", "700", "120"});
         for (int i = 0; i < 200000; ++i) s += Radek('4', {"10", "", "200", "", "L", "9"});
         Zapis(d.filePath("st.yrd"), s);
       }},
      {"empty language file",
       [&](QDir& d) {
         QFile::copy(data.filePath("demo.yrd"), d.filePath("st.yrd"));
         Zapis(d.filePath("cestina.lng"), "");
       }},
      {"unreadable settings",
       [&](QDir& d) {
         QFile::copy(data.filePath("demo.yrd"), d.filePath("st.yrd"));
         // Permissions bind everyone but the superuser, for whom a folder in its place is
         // as unreadable.
         if (geteuid() != 0) {
           QFile::setPermissions(d.filePath("stanovar.ini"), {});
         } else {
           QFile::remove(d.filePath("stanovar.ini"));
           d.mkdir("stanovar.ini");
         }
       }},
  };

  int chyb = 0;
  for (const Pripad& p : pripady) {
    QTemporaryDir tmp;
    QDir d(tmp.path());
    QFile::copy(data.filePath("cestina.lng"), d.filePath("cestina.lng"));
    Zapis(d.filePath("stanovar.ini"), ini);
    p.priprav(d);
    const std::string predtim = Cti(d.filePath("stanovar.ini"));

    QProcess proces;
    proces.setWorkingDirectory(tmp.path());
    QElapsedTimer hodiny;
    hodiny.start();
    proces.start(program, {});
    if (!proces.waitForStarted(10000)) {
      std::fprintf(stderr, "e2e: %s: the program did not start\n", p.jmeno);
      ++chyb;
      continue;
    }
    // A window that takes seconds has hung on its input; the old reader took minutes.
    bool stoji = false;
    qint64 za = 0;
    while (!stoji && hodiny.elapsed() < 15000 && proces.state() == QProcess::Running) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QThread::msleep(20);
      stoji = OknoStoji(QGuiApplication::primaryScreen()->grabWindow(0).toImage());
      za = hodiny.elapsed();
    }
    proces.kill();
    proces.waitForFinished(5000);
    const bool soubor = Cti(d.filePath("stanovar.ini")) == predtim;
    std::printf("e2e: %-20s window %s after %lld ms, settings file %s\n", p.jmeno,
                stoji ? "shown" : "NOT shown", static_cast<long long>(za), soubor ? "kept" : "CHANGED");
    chyb += !stoji || !soubor;
    // The screen must be clear of the window before the next case is judged.
    QThread::msleep(300);
  }
  std::printf("%d passed, %d failed\n", 5 - chyb, chyb);
  return chyb == 0 ? 0 : 1;
}
