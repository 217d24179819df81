// A canvas that paints its pixels by the Qt window's rule, without Qt: for benchmarks and
// fuzzing, where the cost of drawing is part of what is measured or searched.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "display/rastr.h"
#include "model/platno.h"

namespace stanovar::test {

class RastrovePlatno : public Platno {
 public:
  RastrovePlatno(int w = 792, int h = 480) : w_(w), h_(h), pixely_(static_cast<std::size_t>(w) * h) {}
  int sirka() const override { return w_; }
  int vyska() const override { return h_; }
  void barvaPera(Barva c) override { pero_ = c; }
  void sirkaPera(int w) override { sirkaPera_ = w; }
  void barvaVyplne(Barva c) override { vypln_ = c; }
  void pismo(const std::string&, int body, Barva, bool) override { body_ = body; }
  void presun(int x, int y) override { px_ = x, py_ = y; }
  void cara(int x, int y) override {
    KresliCaruDoRastru(px_, py_, x, y, sirkaPera_, w_, h_, [&](int yy, int xOd, int xDo) {
      std::fill(radek(yy) + xOd, radek(yy) + xDo, pero_);
      natreno += static_cast<std::uint64_t>(xDo - xOd);
    });
    px_ = x, py_ = y;
  }
  void obdelnik(int l, int t, int r, int b) override {
    const int xOd = std::max(l, 0), xDo = std::min(r, w_);
    if (xOd >= xDo) return;
    for (int y = std::max(t, 0); y < std::min(b, h_); ++y) {
      std::fill(radek(y) + xOd, radek(y) + xDo, vypln_);
      natreno += static_cast<std::uint64_t>(xDo - xOd);
    }
  }
  void text(int, int, const std::string& t, bool) override { textu += t.size(); }
  int sirkaTextu(const std::string& t) override {
    textu += t.size();
    return static_cast<int>(t.size()) * body_ * 2 / 3;
  }

  std::uint64_t natreno = 0;  // pixels painted, overpainting counted again
  std::uint64_t textu = 0;    // bytes of text written or measured

 private:
  Barva* radek(int y) { return pixely_.data() + static_cast<std::size_t>(y) * w_; }
  int w_, h_;
  std::vector<Barva> pixely_;
  Barva pero_ = 0, vypln_ = 0;
  int sirkaPera_ = 1, px_ = 0, py_ = 0, body_ = 7;
};

}  // namespace stanovar::test
