// What the end-to-end runs share: failing with one line, waiting with the event loop running,
// and finding the station picture on a grabbed screen.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QThread>
#include <cstdio>

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

}  // namespace stanovar::e2e
