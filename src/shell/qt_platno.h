// The station picture: a retained QImage painted through the core's drawing interface, at any
// scale.
//
// The core draws once and then only redraws what changes, so a picture at another scale
// cannot be asked of it again. The canvas therefore keeps the operations that still show and
// paints them anew when the scale or the palette changes. An operation is dropped as soon as
// a later one paints exactly the same pixels (the same line, rectangle or text in the same
// place and font, whatever its colour), and everything before a fill of the whole picture is
// dropped, so the list holds one entry per distinct shape on the station, not its history.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/platno.h"

namespace stanovar::shell {

// Colours in which the states are shown. The core names the classic colours; a palette maps
// them to others when the picture is painted, so choosing one redraws at once.
enum class Paleta { Klasicka, Barvoslepa };
Barva BarvaVPalete(Paleta p, Barva c);
// The designed background and foreground, which the colour-blind palette darkens and lightens.
constexpr Barva KlasickePozadi = RGB(136, 136, 136);
constexpr Barva KlasickePopredi = RGB(0, 0, 0);
// WCAG's contrast ratio of two colours, 1 to 21.
double Kontrast(Barva a, Barva b);

class QtPlatno : public Platno {
 public:
  // w x h station pixels; `meritko` is the scale in per cent (100 one image pixel a station
  // pixel).
  QtPlatno(int w, int h, int dpi = 96, int meritko = 100);

  // Station pixels: the core lays out and bounds its clicks in these, whatever the scale.
  int sirka() const override { return sirka_; }
  int vyska() const override { return vyska_; }
  void barvaPera(Barva c) override { pero_ = c; }
  void sirkaPera(int w) override { sirkaPera_ = w; }
  void barvaVyplne(Barva c) override { vypln_ = c; }
  void pismo(const std::string& jmeno, int body, Barva c, bool tucne) override;
  void presun(int x, int y) override;
  void cara(int x, int y) override;
  void obdelnik(int l, int t, int r, int b) override;
  void text(int x, int y, const std::string& t, bool nepruhledne) override;
  // Width at the station's own scale, so that the core decides the same at every zoom.
  int sirkaTextu(const std::string& t) override;
  bool kresba(std::vector<OperaceKresby>& ven) const override;

  // The picture at the current scale.
  const QImage& obraz() const { return obraz_; }
  // Grows with every operation that paints, so the window repaints only a changed picture.
  std::uint64_t revize() const { return revize_; }

  int meritko() const { return meritko_; }
  // Paints the picture again at another scale or in another palette (the colours the core
  // gave are kept, so switching back restores them exactly).
  void nastavMeritko(int procent);
  void nastavPaletu(Paleta p, Barva popredi, Barva pozadi);

  // Image pixel of a station coordinate, and the station pixel an image pixel shows.
  int naObraz(int v) const;
  int naStanici(int v) const;

  // Operations kept for painting again; for measuring.
  std::size_t pocetOperaci() const { return operace_.size() - mrtvych_; }

 private:
  struct Operace {
    enum Druh : std::uint8_t { Cara, Obdelnik, Text } druh = Cara;
    bool nepruhledne = false;
    bool tucne = false;
    bool ziva = true;
    int a = 0, b = 0, c = 0, d = 0;  // line ends, rectangle edges or text corner
    int sirka = 1;                   // pen width or font size in points
    Barva pero = 0, vypln = 0;       // the text's colour is its pen
    std::string jmeno, text;         // font name and text (texts only)
  };

  void pridej(Operace o, std::string klic);
  void maluj(const Operace& o);
  void malujVse();
  void vyplnStanici(int y, int xOd, int xDo, QRgb c);  // station row y, columns xOd..xDo-1
  QFont font(const Operace& o, int meritko) const;
  QRgb barva(Barva c) const;

  int sirka_, vyska_;
  int dpi_;
  int meritko_;
  Paleta paleta_ = Paleta::Klasicka;
  Barva chranene_[2] = {~Barva{0}, ~Barva{0}};  // the user's own colours are never mapped
  QImage obraz_;
  Barva pero_ = 0;
  Barva vypln_ = 0xFFFFFF;
  int sirkaPera_ = 1;
  std::string jmenoPisma_ = "arial";
  int bodyPisma_ = 8;
  bool tucnePismo_ = false;
  Barva barvaPisma_ = 0;
  QFont mereni_;  // the current font at 100 %, for widths
  int px_ = 0, py_ = 0;
  std::uint64_t revize_ = 0;

  std::vector<Operace> operace_;
  std::unordered_map<std::string, std::size_t> podleTvaru_;
  std::size_t mrtvych_ = 0;
};

QColor NaQColor(Barva c);

}  // namespace stanovar::shell
