// The retained raster the station is drawn on. The core draws through this interface only;
// the shell paints a QImage, tests record the calls, benchmarks discard them.
#pragma once

#include <string>
#include <vector>

#include "model/zaznamy.h"

namespace stanovar {

// A painting operation that still shows on a canvas which keeps them: a line ('c'), a
// rectangle ('o') or a text ('t'), with the colours, pen width or font it was painted in.
struct OperaceKresby {
  char druh = 'c';
  bool nepruhledne = false;
  bool tucne = false;
  int a = 0, b = 0, c = 0, d = 0;  // line ends, rectangle edges, or the text's corner
  int sirka = 1;                   // pen width, or font size in points
  Barva pero = 0, vypln = 0;       // a text's colour is its pen
  std::string jmeno, text;         // font name and text (texts only)
};

class Platno {
 public:
  virtual ~Platno() = default;

  virtual int sirka() const = 0;
  virtual int vyska() const = 0;

  virtual void barvaPera(Barva c) = 0;
  virtual void sirkaPera(int w) = 0;
  virtual void barvaVyplne(Barva c) = 0;
  // Font of the texts that follow: name, size in points, colour, bold.
  virtual void pismo(const std::string& jmeno, int body, Barva c, bool tucne) = 0;

  virtual void presun(int x, int y) = 0;  // move the pen
  // Line from the pen to (x, y) in the pen colour and width; (x, y) itself is not painted.
  virtual void cara(int x, int y) = 0;
  // Rectangle covering columns l..r-1 and rows t..b-1, outlined with the pen colour and
  // filled with the fill colour.
  virtual void obdelnik(int l, int t, int r, int b) = 0;
  // Text with its top-left corner at (x, y); an opaque text first fills its box with the
  // fill colour. The text is windows-1250 bytes.
  virtual void text(int x, int y, const std::string& t, bool nepruhledne) = 0;
  // Width in pixels of the text in the current font.
  virtual int sirkaTextu(const std::string& t) = 0;

  // The operations that still show, in painting order, for a canvas that keeps them (a save
  // then holds the picture exactly as it was drawn); false for one that does not.
  virtual bool kresba(std::vector<OperaceKresby>&) const { return false; }
};

// A canvas that draws nothing: for headless runs and benchmarks. Text widths are a fixed
// estimate so that drawing decisions still depend on the text.
class PrazdnePlatno : public Platno {
 public:
  PrazdnePlatno(int w = 800, int h = 540) : w_(w), h_(h) {}
  int sirka() const override { return w_; }
  int vyska() const override { return h_; }
  void barvaPera(Barva) override {}
  void sirkaPera(int) override {}
  void barvaVyplne(Barva) override {}
  void pismo(const std::string&, int body, Barva, bool) override { body_ = body; }
  void presun(int, int) override {}
  void cara(int, int) override {}
  void obdelnik(int, int, int, int) override {}
  void text(int, int, const std::string&, bool) override {}
  int sirkaTextu(const std::string& t) override {
    return static_cast<int>(t.size()) * (body_ > 0 ? body_ : 7) * 2 / 3;
  }

 private:
  int w_, h_;
  int body_ = 7;
};

}  // namespace stanovar
