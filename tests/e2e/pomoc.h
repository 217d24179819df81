// What the end-to-end runs share: failing with one line, waiting with the event loop running,
// and finding the station picture on a grabbed screen.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <cstdio>
#include <functional>

#include "model/stav.h"

namespace stanovar::e2e {

inline int Selhani(const char* zprava) {
  std::fprintf(stderr, "e2e: %s\n", zprava);
  std::printf("0 passed, 1 failed\n");
  return 1;
}

inline void Cekej(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QThread::msleep(20);
  }
}

// Share of the picture's pixels (every krok-th) that equal the screen's at the given offset.
inline double Shoda(const QImage& obraz, const QImage& obrazovka, int ox, int oy, int krok) {
  long stejne = 0, vse = 0;
  for (int y = 0; y < obraz.height(); y += krok) {
    for (int x = 0; x < obraz.width(); x += krok) {
      int sx = x + ox, sy = y + oy;
      if (sx >= obrazovka.width() || sy >= obrazovka.height()) return 0;
      ++vse;
      if ((obraz.pixel(x, y) & 0xFFFFFF) == (obrazovka.pixel(sx, sy) & 0xFFFFFF)) ++stejne;
    }
  }
  return vse ? static_cast<double>(stejne) / vse : 0;
}

// Where the picture sits on the screen (below the menu bar and the labels): the offset at
// which the most sampled pixels agree, and that share.
inline double NajdiObraz(const QImage& obraz, const QImage& obrazovka, int& ox, int& oy) {
  double nejlepsi = 0;
  ox = oy = -1;
  for (int y = 0; y <= 200; ++y)
    for (int x = 0; x <= 12; ++x) {
      const double d = Shoda(obraz, obrazovka, x, y, 16);
      if (d > nejlepsi) {
        nejlepsi = d;
        ox = x;
        oy = y;
      }
    }
  return nejlepsi;
}

// ---- driving the real program through xdotool and a grabbed screen ----

inline bool Xdotool(const QStringList& argumenty) {
  return QProcess::execute(QStringLiteral("xdotool"), argumenty) == 0;
}

inline QImage Obrazovka() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

// Pixels of the occupied colour along a track's row, its label included; not at its ends,
// where a line end's question mark of an offer is red too.
inline int Cervenych(const QImage& o, const RKolej& k, int ox, int oy) {
  int n = 0;
  for (int y = k.y1 - 6; y <= k.y1 + 6; ++y)
    for (int x = k.x1 + 14; x < k.x2 - 14; ++x)
      if ((o.pixel(ox + x, oy + y) & 0xFFFFFF) == 0xFF0000) ++n;
  return n;
}

// Dark pixels in a box of the window's client area, 59 pixels above the picture's origin.
inline int Tmavych(const QImage& o, int ox, int oy, int l, int t, int r, int b) {
  int n = 0;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      if (qGray(o.pixel(ox + x, oy - 59 + y)) < 64) ++n;
  return n;
}

// Polls the screen until `hotovo` holds or the time runs out.
inline bool Dockej(int ms, const std::function<bool(const QImage&)>& hotovo) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    if (hotovo(Obrazovka())) return true;
    Cekej(400);
  }
  return false;
}

inline bool Kopiruj(const QDir& z, const QString& kam) {
  QDir().mkpath(kam);
  for (const QString& f : z.entryList(QDir::Files))
    if (!QFile::copy(z.filePath(f), kam + QLatin1Char('/') + f)) return false;
  return true;
}

inline bool Zapis(const QString& cesta, const QByteArray& obsah) {
  QFile f(cesta);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(obsah) == obsah.size();
}

}  // namespace stanovar::e2e
