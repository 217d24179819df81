// The window's size: the whole picture, the panels whole, and the board beside or below,
// within the screen's available area.
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>
#include <iterator>

#include "shell/hlavni_okno.h"
#include "shell/tabule_vlaku.h"

namespace stanovar::shell {

QSize TForm1::dostupna() const {
  if (dostupna_.isValid()) return dostupna_;
  const QScreen* o = screen() ? screen() : QGuiApplication::primaryScreen();
  return o ? o->availableSize() : QSize(KlientSirka, KlientVyska) + RamOkna;
}

QSize TForm1::velikostOkna(int z, Tabule t) const {
  const int menu = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  // The panels show whole; the designed client area stays the least from 100 % on.
  QSize klient(std::max(KlientSirka * z / 100, panely_ ? panely_->potrebnaSirka() : 0),
               ObrazTop + (KlientVyska - 60) * z / 100 + 1);
  if (z >= 100) klient = klient.expandedTo(QSize(KlientSirka, KlientVyska));
  const QSize tabule = t == Tabule::Skryta ? QSize() : tabule_->minimumSizeHint() +
                       QSize(1, 1) * style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
  if (t == Tabule::Vedle) klient = QSize(klient.width() + tabule.width(), std::max(klient.height(), tabule.height()));
  if (t == Tabule::Pod) klient = QSize(std::max(klient.width(), tabule.width()), klient.height() + tabule.height());
  return klient + QSize(0, menu) + RamOkna;
}

int TForm1::zvetseniProObrazovku(QSize dostupne, Tabule t) const {
  for (auto z = std::rbegin(PohledStanice::Zvetseni); z != std::rend(PohledStanice::Zvetseni); ++z) {
    const QSize okno = velikostOkna(*z, t);
    if (okno.width() <= dostupne.width() && okno.height() <= dostupne.height()) return *z;
  }
  return 0;
}

void TForm1::vejdiSe(QSize dostupne) {
  if (dostupne.isValid()) dostupna_ = dostupne;
  const QSize d = dostupna();
  // Alone, the picture is never smaller than designed: a screen that cannot show the designed
  // window whole scrolls it.
  int z = std::max(zvetseniProObrazovku(d, Tabule::Skryta), 100);
  if (!tabule_->isHidden()) {
    // Beside the picture as designed, unless the station would show smaller than at 100 %
    // there and shows larger with the board below it.
    const int vedle = zvetseniProObrazovku(d, Tabule::Vedle);
    const int pod = zvetseniProObrazovku(d, Tabule::Pod);
    const Qt::DockWidgetArea kde = vedle >= 100 || vedle >= pod ? Qt::RightDockWidgetArea
                                                                 : Qt::BottomDockWidgetArea;
    z = kde == Qt::RightDockWidgetArea ? vedle : pod;
    if (!tabule_->isFloating() && dockWidgetArea(tabule_) != kde) {
      removeDockWidget(tabule_);
      addDockWidget(kde, tabule_);
      tabule_->show();
    }
  }
  pohled_->omezZvetseni(z);
  prizpusobOkno();
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  // Shown, the bars take their real room: fitted once more with it.
  if (!ukazano_) {
    ukazano_ = true;
    prizpusobOkno();
  }
}

void TForm1::prizpusobOkno() {
  // The panels must show whole; the picture as much as the screen allows, scrolled beyond.
  const int panely = panely_->potrebnaSirka();
  centralWidget()->setMinimumSize(panely, ObrazTop + 120);
  if (isMaximized() || isFullScreen()) return;
  const QWidget* obraz = pohled_->Image1();
  QSize klient(std::max(obraz->width(), panely), ObrazTop + obraz->height() + 1);
  if (pohled_->zvetseni() >= 100) klient = klient.expandedTo(QSize(KlientSirka, KlientVyska));
  const int menu = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
  // The board beside or below the picture takes room of its own: the least it needs beside,
  // and below whatever height the screen has left.
  const QSize d = dostupna() - RamOkna - QSize(0, menu);
  QSize tabule;
  const int oddeleni = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent);
  const bool maTabuli = tabule_ && !tabule_->isHidden() && !tabule_->isFloating();
  const bool pod = maTabuli && dockWidgetArea(tabule_) == Qt::BottomDockWidgetArea;
  if (maTabuli) {
    const QSize t = tabule_->minimumSizeHint() + QSize(oddeleni, oddeleni);
    tabule = pod ? QSize(0, std::max(t.height(), d.height() - klient.height())) : QSize(t.width(), 0);
  }
  klient = klient.boundedTo(d - tabule).expandedTo(QSize(panely, ObrazTop + 120));
  resize(klient + tabule + QSize(0, menu));
  if (maTabuli)
    resizeDocks({tabule_}, {(pod ? tabule.height() : tabule.width()) - oddeleni},
                pod ? Qt::Vertical : Qt::Horizontal);
  // The bars' hints are not always the room they take: what the client lacks is added once
  // the layout has placed everything, as far as the screen allows.
  layout()->activate();
  const QSize chybi = (klient - centralWidget()->size()).expandedTo(QSize(0, 0));
  if (chybi.width() > 0 || chybi.height() > 0) {
    resize((size() + chybi).boundedTo(dostupna() - RamOkna));
    if (maTabuli)
      resizeDocks({tabule_}, {(pod ? tabule.height() : tabule.width()) - oddeleni},
                  pod ? Qt::Vertical : Qt::Horizontal);
    layout()->activate();
  }
}

}  // namespace stanovar::shell
