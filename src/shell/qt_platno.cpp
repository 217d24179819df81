#include "shell/qt_platno.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "display/rastr.h"
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
  // Lines are rasterised by the core's rule rather than by QPainter so that they follow the
  // classic convention exactly, and only the part inside the picture costs anything.
  ++revize_;
  const QRgb c = NaQColor(pero_).rgb();
  KresliCaruDoRastru(px_, py_, x, y, sirkaPera_, obraz_.width(), obraz_.height(),
                     [&](int yy, int xOd, int xDo) {
                       auto* radek = reinterpret_cast<QRgb*>(obraz_.scanLine(yy));
                       std::fill(radek + xOd, radek + xDo, c);
                     });
  px_ = x;
  py_ = y;
}

void QtPlatno::obdelnik(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  ++revize_;
  // Filled and outlined by hand like the lines: a QPainter for each of thousands of track
  // erasures costs more than the pixels, and a far-away rectangle costs only its visible part.
  const int W = obraz_.width(), H = obraz_.height();
  const int xOd = std::max(l, 0), xDo = std::min(r, W);
  if (xOd >= xDo || std::max(t, 0) >= std::min(b, H)) return;
  const QRgb vypln = NaQColor(vypln_).rgb(), pero = NaQColor(pero_).rgb();
  for (int y = std::max(t, 0); y < std::min(b, H); ++y) {
    auto* radek = reinterpret_cast<QRgb*>(obraz_.scanLine(y));
    if (y == t || y == b - 1) {
      std::fill(radek + xOd, radek + xDo, pero);
      continue;
    }
    std::fill(radek + xOd, radek + xDo, vypln);
    if (l >= 0) radek[l] = pero;
    if (r - 1 < W) radek[r - 1] = pero;
  }
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
