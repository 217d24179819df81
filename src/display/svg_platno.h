// A canvas that writes the picture as SVG: the same drawing operations as the window's, kept
// in the order they were made, so that a later drawing covers an earlier one as on screen.
// For reports, where the station picture goes into a page.
#pragma once

#include <string>

#include "model/platno.h"

namespace stanovar {

class SvgPlatno : public Platno {
 public:
  SvgPlatno(int w = 800, int h = 540) : w_(w), h_(h) {}

  int sirka() const override { return w_; }
  int vyska() const override { return h_; }
  void barvaPera(Barva c) override { pero_ = c; }
  void sirkaPera(int w) override { sirkaPera_ = w > 0 ? w : 1; }
  void barvaVyplne(Barva c) override { vypln_ = c; }
  void pismo(const std::string& jmeno, int body, Barva c, bool tucne) override;
  void presun(int x, int y) override {
    x_ = x;
    y_ = y;
  }
  void cara(int x, int y) override;
  void obdelnik(int l, int t, int r, int b) override;
  void text(int x, int y, const std::string& t, bool nepruhledne) override;
  // An estimate for a sans-serif face: the page's browser measures the real one.
  int sirkaTextu(const std::string& t) override;

  // The whole picture as one <svg> element, scaled by `meritko` (1 = one unit per pixel).
  std::string Svg(double meritko = 1) const;

 private:
  int w_, h_;
  Barva pero_ = 0, vypln_ = 0xFFFFFF, barvaPisma_ = 0;
  int sirkaPera_ = 1;
  int body_ = 9;
  bool tucne_ = false;
  std::string jmenoPisma_ = "Arial";
  int x_ = 0, y_ = 0;
  std::string telo_;
};

// "#rrggbb" of a colour.
std::string BarvaSvg(Barva c);
// Text (UTF-8) with the characters that XML reserves escaped.
std::string XmlText(const std::string& t);

}  // namespace stanovar
