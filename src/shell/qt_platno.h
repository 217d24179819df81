// The station picture: a retained QImage painted through the core's drawing interface.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>

#include "model/platno.h"

namespace stanovar::shell {

class QtPlatno : public Platno {
 public:
  QtPlatno(int w, int h, int dpi = 96);

  int sirka() const override { return obraz_.width(); }
  int vyska() const override { return obraz_.height(); }
  void barvaPera(Barva c) override { pero_ = c; }
  void sirkaPera(int w) override { sirkaPera_ = w; }
  void barvaVyplne(Barva c) override { vypln_ = c; }
  void pismo(const std::string& jmeno, int body, Barva c, bool tucne) override;
  void presun(int x, int y) override;
  void cara(int x, int y) override;
  void obdelnik(int l, int t, int r, int b) override;
  void text(int x, int y, const std::string& t, bool nepruhledne) override;
  int sirkaTextu(const std::string& t) override;

  const QImage& obraz() const { return obraz_; }
  // Grows with every operation that paints, so the window repaints only a changed picture.
  std::uint64_t revize() const { return revize_; }

 private:
  int dpi_;
  QImage obraz_;
  Barva pero_ = 0;
  Barva vypln_ = 0xFFFFFF;
  int sirkaPera_ = 1;
  QFont pismo_;
  Barva barvaPisma_ = 0;
  int px_ = 0, py_ = 0;
  std::uint64_t revize_ = 0;
};

QColor NaQColor(Barva c);

}  // namespace stanovar::shell
