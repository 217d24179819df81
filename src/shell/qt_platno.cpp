#include "shell/qt_platno.h"

#include <QFontMetrics>
#include <cmath>
#include <cstdlib>

#include "shell/kodovani.h"

namespace stanovar::shell {

QColor NaQColor(Barva c) { return QColor(Cervena(c), Zelena(c), Modra(c)); }

QtPlatno::QtPlatno(int w, int h, int dpi) : dpi_(dpi > 0 ? dpi : 96), obraz_(w > 0 ? w : 1, h > 0 ? h : 1, QImage::Format_RGB32) {
  obraz_.fill(Qt::white);
  pismo_ = QFont(QStringLiteral("arial"));
  pismo_.setPointSize(8);
}

void QtPlatno::pismo(const std::string& jmeno, int body, Barva c, bool tucne) {
  pismo_ = QFont(QString::fromLatin1(jmeno.c_str()));
  // Point sizes become pixels at the screen's resolution, as on the classic raster.
  pismo_.setPixelSize(body > 0 ? std::max(1, (body * dpi_ + 36) / 72) : 1);
  pismo_.setBold(tucne);
  pismo_.setStyleStrategy(QFont::NoAntialias);
  barvaPisma_ = c;
}

void QtPlatno::presun(int x, int y) {
  px_ = x;
  py_ = y;
}

void QtPlatno::cara(int x, int y) {
  // Lines are rasterised here rather than by QPainter so that they follow the classic
  // convention exactly: no antialiasing, every pixel from the start up to but not including
  // the end, a wide pen stamped as a square around each pixel.
  ++revize_;
  const QRgb c = NaQColor(pero_).rgb();
  const int w = std::max(1, sirkaPera_);
  const int dx = x - px_, dy = y - py_;
  const int n = std::max(std::abs(dx), std::abs(dy));
  for (int i = 0; i < n; ++i) {
    int xi = px_ + static_cast<int>(std::lround(static_cast<double>(dx) * i / n));
    int yi = py_ + static_cast<int>(std::lround(static_cast<double>(dy) * i / n));
    for (int yy = yi - w / 2; yy < yi - w / 2 + w; ++yy) {
      if (yy < 0 || yy >= obraz_.height()) continue;
      auto* radek = reinterpret_cast<QRgb*>(obraz_.scanLine(yy));
      for (int xx = xi - w / 2; xx < xi - w / 2 + w; ++xx)
        if (xx >= 0 && xx < obraz_.width()) radek[xx] = c;
    }
  }
  px_ = x;
  py_ = y;
}

void QtPlatno::obdelnik(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  ++revize_;
  QPainter p(&obraz_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(l, t, r - l, b - t), NaQColor(vypln_));
  p.setPen(QPen(NaQColor(pero_), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
}

void QtPlatno::text(int x, int y, const std::string& t, bool nepruhledne) {
  ++revize_;
  QPainter p(&obraz_);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setFont(pismo_);
  QString s = ZBajtu(t);
  QFontMetrics fm(pismo_);
  if (nepruhledne) p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), NaQColor(vypln_));
  p.setPen(NaQColor(barvaPisma_));
  p.drawText(x, y + fm.ascent(), s);
}

int QtPlatno::sirkaTextu(const std::string& t) {
  return QFontMetrics(pismo_).horizontalAdvance(ZBajtu(t));
}

}  // namespace stanovar::shell
