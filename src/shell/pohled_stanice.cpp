#include "shell/pohled_stanice.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "shell/vzhled.h"

namespace stanovar::shell {

namespace {
int NejblizsiUroven(int procent) {
  return *std::min_element(std::begin(PohledStanice::Zvetseni), std::end(PohledStanice::Zvetseni),
                           [&](int a, int b) { return std::abs(a - procent) < std::abs(b - procent); });
}

// The level `kroku` steps from `procent` (one of the levels), held at the ends.
int Posunuta(int procent, int kroku) {
  const auto& z = PohledStanice::Zvetseni;
  const int i = static_cast<int>(std::find(std::begin(z), std::end(z), procent) - std::begin(z));
  return z[std::clamp(i + kroku, 0, static_cast<int>(std::size(z)) - 1)];
}
}  // namespace

void ObrazStanice::paintEvent(QPaintEvent* e) {
  if (!platno_) return;
  QPainter p(this);
  // The image is already at the device's resolution: painted pixel for pixel, never scaled.
  const QImage& o = platno_->obraz();
  const QRectF cil = QRectF(e->rect()) & QRectF(0, 0, o.width() / pomer_, o.height() / pomer_);
  const QRectF zdroj(cil.x() * pomer_, cil.y() * pomer_, cil.width() * pomer_, cil.height() * pomer_);
  p.drawImage(cil, o, zdroj);
  if (!oznaceni_.isEmpty()) {
    // Black under white dashes: seen on any background, in any palette.
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(oznaceni_);
    p.setPen(QPen(Qt::white, 1, Qt::DashLine));
    p.drawRect(oznaceni_);
  }
}

void ObrazStanice::mousePressEvent(QMouseEvent* e) {
  // Device pixels of the image, not logical ones: the canvas knows which station pixel each
  // of them shows.
  emit stisk(e->button(), static_cast<int>(std::floor(e->position().x() * pomer_)),
             static_cast<int>(std::floor(e->position().y() * pomer_)));
}

PohledStanice::PohledStanice(QWidget* rodic, const QRect& misto, const Stav& stav,
                             int vychoziZvetseni)
    : QScrollArea(rodic), stav_(stav) {
  // A high-resolution screen gets the picture drawn at its own resolution, not enlarged.
  if (QScreen* o = QGuiApplication::primaryScreen()) pomer_ = std::max(1.0, o->devicePixelRatio());
  QSettings predvolby = Predvolby();
  paleta_ = predvolby.value(KlicPaleta).toInt() == 1 ? Paleta::Barvoslepa : Paleta::Klasicka;
  // Until the user chooses a zoom, the one the window suggests.
  zvetseni_ = NejblizsiUroven(predvolby.contains(KlicZvetseni) ? predvolby.value(KlicZvetseni).toInt()
                                                               : vychoziZvetseni);
  preferovane_ = zvetseni_;

  setFrameShape(QFrame::NoFrame);
  setGeometry(misto);
  setWidgetResizable(false);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  viewport()->setAutoFillBackground(true);
  image1_ = new ObrazStanice(this);
  platno_ = std::make_unique<QtPlatno>(misto.width(), misto.height(), stav_.prostredi->dpi(),
                                       static_cast<int>(std::lround(zvetseni_ * pomer_)));
  platno_->nastavPaletu(paleta_, stav_.okno.popredi, stav_.okno.pozadi);
  image1_->nastavPlatno(platno_.get(), pomer_);
  image1_->setFixedSize(QSize(platno_->obraz().width(), platno_->obraz().height()) / pomer_);
  setWidget(image1_);
  connect(image1_, &ObrazStanice::stisk, this, [this](Qt::MouseButton tlacitko, int x, int y) {
    // The control reports image pixels; the core knows only the station's own.
    emit klik(tlacitko, platno_->naStanici(x), platno_->naStanici(y));
  });
}

void PohledStanice::zvetsi(int kroku) { nastavZvetseni(Posunuta(zvetseni_, kroku)); }

void PohledStanice::nastavZvetseni(int procent) {
  const QSize v = viewport()->size();
  zmenZvetseni(procent, QPointF(v.width() / 2.0, v.height() / 2.0), true);
}

void PohledStanice::omezZvetseni(int nejvic) {
  int z = preferovane_;
  for (int u : Zvetseni)
    if (u <= nejvic) z = std::min(preferovane_, u);
  if (nejvic < Zvetseni[0]) z = Zvetseni[0];
  if (z != zvetseni_) zmenZvetseni(z, QPointF(0, 0), false);
}

void PohledStanice::zmenZvetseni(int procent, QPointF kotva, bool ulozit) {
  procent = NejblizsiUroven(procent);
  // The station point under the anchor stays under it.
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  const double fx = (kotva.x() + h->value()) / std::max(1, image1_->width());
  const double fy = (kotva.y() + v->value()) / std::max(1, image1_->height());
  zvetseni_ = procent;
  platno_->nastavMeritko(static_cast<int>(std::lround(procent * pomer_)));
  image1_->setFixedSize(QSize(platno_->obraz().width(), platno_->obraz().height()) / pomer_);
  emit zvetseniZmeneno(procent);
  h->setValue(static_cast<int>(std::lround(fx * image1_->width() - kotva.x())));
  v->setValue(static_cast<int>(std::lround(fy * image1_->height() - kotva.y())));
  zobrazenaRevize_ = platno_->revize();
  image1_->update();
  if (ulozit) {
    preferovane_ = procent;
    Predvolby().setValue(KlicZvetseni, procent);
  }
  oznacNabidky();
}

void PohledStanice::nastavPaletu(Paleta p) {
  paleta_ = p;
  platno_->nastavPaletu(p, stav_.okno.popredi, stav_.okno.pozadi);
  nastavBarvy(stav_.okno.pozadi, stav_.okno.popredi);
  // The markers are made again in the palette's colour.
  for (QToolButton* z : znacky_) delete z;
  znacky_.clear();
  oznacNabidky();
  emit paletaZmenena(p);
  image1_->update();
  Predvolby().setValue(KlicPaleta, p == Paleta::Barvoslepa ? 1 : 0);
}

void PohledStanice::nastavBarvy(Barva pozadi, Barva popredi) {
  const bool klasicka = pozadi == KlasickePozadi;
  Barvy(viewport(), klasicka ? BarvaVPalete(paleta_, pozadi) : pozadi, popredi);
  // The user's own colours stay what they are in any palette.
  platno_->nastavPaletu(paleta_, popredi, pozadi);
}

void PohledStanice::obnov() {
  oznacNabidky();
  if (platno_->revize() == zobrazenaRevize_) return;
  zobrazenaRevize_ = platno_->revize();
  image1_->update();
}

void PohledStanice::oznacKolej(const RKolej* k) {
  QRect r;
  if (k) {
    auto naPohled = [&](int v) { return platno_->naObraz(v) / pomer_; };
    const int x1 = std::min(k->x1, k->x2), x2 = std::max(k->x1, k->x2);
    r = QRectF(QPointF(naPohled(x1 - 2), naPohled(k->y1 - gy / 2)),
               QPointF(naPohled(x2 + 2), naPohled(k->y1 + gy / 2)))
            .toAlignedRect();
  }
  image1_->oznac(r);
}

QPoint PohledStanice::naStanici(QPointF bod) const {
  return {platno_->naStanici(static_cast<int>(std::floor(bod.x() * pomer_))),
          platno_->naStanici(static_cast<int>(std::floor(bod.y() * pomer_)))};
}

QPoint PohledStanice::veVyrezu(int x, int y) const {
  return image1_->pos() + QPoint(static_cast<int>(platno_->naObraz(x) / pomer_),
                                 static_cast<int>(platno_->naObraz(y) / pomer_));
}

bool PohledStanice::jeVidet(int x, int y) const { return viewport()->rect().contains(veVyrezu(x, y)); }

void PohledStanice::scrollContentsBy(int dx, int dy) {
  QScrollArea::scrollContentsBy(dx, dy);
  oznacNabidky();
}

void PohledStanice::resizeEvent(QResizeEvent* e) {
  QScrollArea::resizeEvent(e);
  oznacNabidky();
}

void PohledStanice::oznacNabidky() {
  std::size_t n = 0;
  const QRect vyrez = viewport()->rect();
  for (const RNabidka& o : stav_.Nabidky) {
    // Only an offer that waits for an answer blinks.
    if (o.prijata || jeVidet(o.x, o.y)) continue;
    if (n == znacky_.size()) {
      auto* z = new QToolButton(viewport());
      z->setObjectName(QStringLiteral("ZnackaNabidky"));
      z->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
      z->setAutoRaise(false);
      z->setStyleSheet(QStringLiteral("QToolButton { background: %1; color: black; font-weight: bold; }")
                           .arg(NaQColor(BarvaVPalete(paleta_, BarvaObsazeno)).name()));
      connect(z, &QToolButton::clicked, this, [this, z] {
        const QPoint b = z->property("bod").toPoint();
        ensureVisible(static_cast<int>(platno_->naObraz(b.x()) / pomer_),
                      static_cast<int>(platno_->naObraz(b.y()) / pomer_), 60, 60);
      });
      znacky_.push_back(z);
    }
    QToolButton* z = znacky_[n++];
    const QPoint p = veVyrezu(o.x, o.y);
    z->setProperty("bod", QPoint(o.x, o.y));
    z->setText(QString::number(o.cislo));
    z->setArrowType(p.x() < vyrez.left()     ? Qt::LeftArrow
                    : p.x() > vyrez.right()  ? Qt::RightArrow
                    : p.y() < vyrez.top()    ? Qt::UpArrow
                                             : Qt::DownArrow);
    z->adjustSize();
    // At the edge nearest to the offer, inside the view.
    const int x = std::clamp(p.x() - z->width() / 2, 0, std::max(0, vyrez.width() - z->width()));
    const int y = std::clamp(p.y() - z->height() / 2, 0, std::max(0, vyrez.height() - z->height()));
    z->move(x, y);
    z->show();
    z->raise();
  }
  for (std::size_t i = n; i < znacky_.size(); ++i) znacky_[i]->hide();
}

QPoint PohledStanice::kurzorNaStanici() const {
  return naStanici(image1_->mapFromGlobal(QCursor::pos()));
}

void PohledStanice::wheelEvent(QWheelEvent* e) {
  // Ctrl and the wheel zoom about the point under the cursor; the wheel alone scrolls.
  if (!(e->modifiers() & Qt::ControlModifier)) {
    QScrollArea::wheelEvent(e);
    return;
  }
  kolecko_ += e->angleDelta().y();
  const int kroku = kolecko_ / 120;
  kolecko_ -= kroku * 120;
  const int z = Posunuta(zvetseni_, kroku);
  if (z != zvetseni_) zmenZvetseni(z, e->position(), true);
  e->accept();
}

}  // namespace stanovar::shell
