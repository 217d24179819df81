// The station editor's picture: the station as the core draws the document, at the zoom of
// the author's choice, with the grid, the selection, the checker's markers and the routes
// of one entry signal drawn over it. The mouse draws with the chosen tool, selects by click
// and rubber band, and moves the selection; what the gesture asks for goes to the window as
// a signal, which makes the edit.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "editor/editor.h"
#include "shell/qt_platno.h"

namespace stanovar::shell {

class PlochaEditoru : public QWidget {
  Q_OBJECT
 public:
  explicit PlochaEditoru(QWidget* rodic);

  // The canvas the core draws the document on, and the document (not owned).
  void nastav(QtPlatno* platno, const editor::Dokument* dokument, double pomer);
  // Tool in hand; none selects and moves.
  void nastavNastroj(std::optional<editor::Nastroj> n);
  std::optional<editor::Nastroj> nastroj() const { return nastroj_; }
  void nastavVyber(const std::set<std::size_t>& vyber);

  struct Znacka {
    std::size_t radek;
    bool chyba;
    QString zprava;
  };
  void nastavZnacky(std::vector<Znacka> z);
  // Lines of the routes shown over the picture: what they run over, and where they end.
  void nastavTrasy(std::vector<std::size_t> prvky, std::vector<std::size_t> cile,
                   std::optional<std::size_t> navestidlo);

  // The occupation of a run tried, by line: each share of the run's time (0..1), drawn as heat.
  void nastavTeplo(std::vector<std::pair<std::size_t, double>> podily);
  const std::vector<std::pair<std::size_t, double>>& teplo() const { return teplo_; }

  // Widget point of a station pixel, and the station pixel under a widget point.
  QPointF naPlochu(int x, int y) const;
  QPoint naStanici(QPointF bod) const;
  // Messages of the markers near a widget point, for the tooltip.
  QString zpravyU(QPointF bod) const;

 signals:
  // A gesture with a tool in hand, from one station pixel to another (the same for a click).
  void nakresleno(editor::Nastroj n, QPoint od, QPoint po);
  // A click or a rubber band chose these lines; `pridat` adds them to the selection.
  void vybrano(const std::set<std::size_t>& radky, bool pridat);
  // The selection dragged by whole grid steps.
  void posunuto(int dx, int dy);
  // The mouse over a station pixel.
  void kurzor(QPoint bod);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  enum class Tah { Nic, Kresleni, Ramecek, Posun };
  // The dragged distance taken to whole grid steps.
  QPoint posunTahu() const;
  void tvar(QPainter& p, const editor::RadekSchematu& r, int dx, int dy) const;

  QtPlatno* platno_ = nullptr;
  const editor::Dokument* dokument_ = nullptr;
  double pomer_ = 1;  // device pixels per logical pixel
  std::optional<editor::Nastroj> nastroj_;
  std::set<std::size_t> vyber_;
  std::vector<Znacka> znacky_;
  std::vector<std::size_t> trasy_, cile_;
  std::optional<std::size_t> navestidlo_;
  std::vector<std::pair<std::size_t, double>> teplo_;

  Tah tah_ = Tah::Nic;
  QPoint zacatek_, konec_;  // station pixels of the gesture
};

}  // namespace stanovar::shell
