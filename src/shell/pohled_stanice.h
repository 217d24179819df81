// The station picture in the main window: the canvas the core draws on, shown at the zoom of
// the user's choice inside a scroll area and in the palette of the user's choice. Both are
// kept per user, not in the station's settings file, which other programs read. Zoom is the
// canvas's scale, never a blurred copy of the picture at 100 %; every click and key point is
// mapped back to the station's own pixels before it goes on towards the core.
#pragma once

#include <QPointF>
#include <QToolButton>
#include <QRect>
#include <QScrollArea>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/stav.h"
#include "shell/qt_platno.h"

namespace stanovar::shell {

// The picture control: shows the retained image, one image pixel to one device pixel, and
// passes mouse-downs on, in image pixels.
class ObrazStanice : public QWidget {
  Q_OBJECT
 public:
  explicit ObrazStanice(QWidget* rodic) : QWidget(rodic) {}
  void nastavPlatno(QtPlatno* p, double pomer) {
    platno_ = p;
    pomer_ = pomer;
  }
  // A frame drawn over the picture around the train chosen on the board (logical pixels;
  // empty for none).
  void oznac(const QRect& r) {
    if (r == oznaceni_) return;
    update(oznaceni_.adjusted(-2, -2, 2, 2));
    oznaceni_ = r;
    update(oznaceni_.adjusted(-2, -2, 2, 2));
  }
  const QRect& oznaceni() const { return oznaceni_; }

 signals:
  void stisk(Qt::MouseButton tlacitko, int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;

 private:
  QtPlatno* platno_ = nullptr;
  double pomer_ = 1;  // device pixels per logical pixel
  QRect oznaceni_;
};

class PohledStanice : public QScrollArea {
  Q_OBJECT
 public:
  // The zoom levels in per cent; a zoom asked for is taken to the nearest of them. Those
  // below 100 keep the whole station in view beside the board on a small screen.
  static constexpr int Zvetseni[] = {50, 67, 75, 100, 150, 200, 300, 400};

  // Placed at `misto` of its parent; the station is as many station pixels as that place is
  // large. `vychoziZvetseni` is the zoom until the user has chosen one. The state gives the
  // screen's resolution and the colours the user's palette keeps (not owned).
  PohledStanice(QWidget* rodic, const QRect& misto, const Stav& stav, int vychoziZvetseni);

  QtPlatno* platno() { return platno_.get(); }
  const QImage& obraz() const { return platno_->obraz(); }
  ObrazStanice* Image1() { return image1_; }

  int zvetseni() const { return zvetseni_; }
  // The zoom the user chose (or the default until then); the one shown may be smaller.
  int preferovane() const { return preferovane_; }
  // Shows the user's zoom, or the largest level up to `nejvic` when that is smaller, without
  // changing the user's choice: the whole station stays in view beside the board.
  void omezZvetseni(int nejvic);
  // Zoom about the middle of what shows, kept for the next start.
  void nastavZvetseni(int procent);
  void zvetsi(int kroku);  // steps up (positive) or down the levels
  // Zoom about a point of the viewport; `ulozit` keeps it for the next start.
  void zmenZvetseni(int procent, QPointF kotva, bool ulozit);
  Paleta paleta() const { return paleta_; }
  void nastavPaletu(Paleta p);

  // The window's colours: around the picture, and the two the palette leaves as they are.
  void nastavBarvy(Barva pozadi, Barva popredi);
  // Paints the picture again if the core has drawn on it since the last time.
  void obnov();
  // The frame around a track (its train chosen on the board); none for null.
  void oznacKolej(const RKolej* k);

  // Station pixel shown at a point of the picture control, and under the mouse cursor.
  QPoint naStanici(QPointF bod) const;
  QPoint kurzorNaStanici() const;
  // Where a station pixel shows in the viewport, and whether it is in view.
  QPoint veVyrezu(int x, int y) const;
  bool jeVidet(int x, int y) const;
  // The markers at the view's edge of the offers blinking outside it: each shows its train's
  // number and scrolls to it when clicked.
  const std::vector<QToolButton*>& znacky() const { return znacky_; }

 signals:
  // A mouse-down on the picture, in station pixels.
  void klik(Qt::MouseButton tlacitko, int x, int y);
  // The picture has its new size and is not yet scrolled back to the anchor: the window
  // fits itself to it now, so that the scroll range is the final one.
  void zvetseniZmeneno(int procent);
  void paletaZmenena(Paleta p);

 protected:
  void wheelEvent(QWheelEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void oznacNabidky();

  const Stav& stav_;
  std::unique_ptr<QtPlatno> platno_;
  ObrazStanice* image1_ = nullptr;
  int zvetseni_ = 100;
  int preferovane_ = 100;
  std::vector<QToolButton*> znacky_;
  double pomer_ = 1;  // device pixels per logical pixel
  Paleta paleta_ = Paleta::Klasicka;
  int kolecko_ = 0;  // wheel turn not yet used for a zoom step
  std::uint64_t zobrazenaRevize_ = ~std::uint64_t{0};
};

}  // namespace stanovar::shell
