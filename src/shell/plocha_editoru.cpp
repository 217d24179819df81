#include "shell/plocha_editoru.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <map>

namespace stanovar::shell {

namespace {
// Drawn over the picture in colours no station element has, translucent so that the element
// under them still shows.
const QColor BarvaMrizky(255, 255, 255, 110);
const QColor BarvaVyberu(0, 140, 255, 150);
const QColor BarvaTrasy(0, 210, 255, 150);
const QColor BarvaCile(0, 90, 255, 190);
const QColor BarvaNahledu(255, 255, 0);
const QColor BarvaChyby(215, 0, 80);
const QColor BarvaVarovani(255, 150, 0);

constexpr int PolomerZnacky = 6;  // logical pixels
constexpr int Dosah = 4;          // station pixels within which a click picks an element

int Zaokrouhli(int v, int krok) {
  return static_cast<int>(std::lround(static_cast<double>(v) / krok)) * krok;
}
}  // namespace

PlochaEditoru::PlochaEditoru(QWidget* rodic) : QWidget(rodic) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

void PlochaEditoru::nastav(QtPlatno* platno, const editor::Dokument* dokument, double pomer) {
  platno_ = platno;
  dokument_ = dokument;
  pomer_ = pomer;
  setFixedSize(QSize(platno_->obraz().width(), platno_->obraz().height()) / pomer_);
  update();
}

void PlochaEditoru::nastavNastroj(std::optional<editor::Nastroj> n) {
  nastroj_ = n;
  tah_ = Tah::Nic;
  setCursor(n ? Qt::CrossCursor : Qt::ArrowCursor);
  update();
}

void PlochaEditoru::nastavVyber(const std::set<std::size_t>& vyber) {
  vyber_ = vyber;
  update();
}

void PlochaEditoru::nastavTeplo(std::vector<std::pair<std::size_t, double>> podily) {
  teplo_ = std::move(podily);
  update();
}

void PlochaEditoru::nastavZnacky(std::vector<Znacka> z) {
  znacky_ = std::move(z);
  update();
}

void PlochaEditoru::nastavTrasy(std::vector<std::size_t> prvky, std::vector<std::size_t> cile,
                                std::optional<std::size_t> navestidlo) {
  trasy_ = std::move(prvky);
  cile_ = std::move(cile);
  navestidlo_ = navestidlo;
  update();
}

QPointF PlochaEditoru::naPlochu(int x, int y) const {
  // The middle of the station pixel, at any zoom.
  auto osa = [&](int v) { return (platno_->naObraz(v) + platno_->naObraz(v + 1)) / 2.0 / pomer_; };
  return {osa(x), osa(y)};
}

QPoint PlochaEditoru::naStanici(QPointF bod) const {
  return {platno_->naStanici(static_cast<int>(std::floor(bod.x() * pomer_))),
          platno_->naStanici(static_cast<int>(std::floor(bod.y() * pomer_)))};
}

QPoint PlochaEditoru::posunTahu() const {
  return {Zaokrouhli(konec_.x() - zacatek_.x(), gx), Zaokrouhli(konec_.y() - zacatek_.y(), gy)};
}

void PlochaEditoru::tvar(QPainter& p, const editor::RadekSchematu& r, int dx, int dy) const {
  const editor::Poloha m = editor::PolohaRadku(r);
  if (!m.plati) return;
  const double krok = platno_->naObraz(100) / 100.0 / pomer_;  // logical pixels a station pixel
  const QPointF a = naPlochu(m.x1 + dx, m.y1 + dy), b = naPlochu(m.x2 + dx, m.y2 + dy);
  switch (r.druh) {
    case '3':
    case '6': p.drawEllipse(a, 7 * krok, 7 * krok); break;
    case '4': {
      const int velikost = r.cislo(6) > 0 ? r.cislo(6) : 9;
      const double w = std::max<double>(gx, static_cast<double>(r.pole[5].size()) * velikost * 0.75);
      p.drawRect(QRectF(a.x(), a.y() - (3 + velikost) * krok, w * krok, velikost * 1.4 * krok));
      break;
    }
    case '5': p.drawLine(a + QPointF(0, gy / 2 * krok), b + QPointF(0, gy / 2 * krok)); break;
    default: p.drawLine(a, b); break;
  }
}

void PlochaEditoru::paintEvent(QPaintEvent* e) {
  if (!platno_ || !dokument_) return;
  QPainter p(this);
  const QImage& o = platno_->obraz();
  const QRectF cil = QRectF(e->rect()) & QRectF(0, 0, o.width() / pomer_, o.height() / pomer_);
  p.drawImage(cil, o, QRectF(cil.x() * pomer_, cil.y() * pomer_, cil.width() * pomer_, cil.height() * pomer_));

  // The grid points in the part being painted.
  const QPoint lh = naStanici(e->rect().topLeft()), pd = naStanici(e->rect().bottomRight());
  const double krok = platno_->naObraz(100) / 100.0 / pomer_;
  const double tecka = std::max(1.0, krok);
  for (int y = (lh.y() / gy) * gy; y <= pd.y() + gy; y += gy)
    for (int x = (lh.x() / gx) * gx; x <= pd.x() + gx; x += gx) {
      const QPointF b = naPlochu(x, y);
      p.fillRect(QRectF(b.x() - tecka / 2, b.y() - tecka / 2, tecka, tecka), BarvaMrizky);
    }

  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  const auto& radky = dokument_->radky;
  auto platny = [&](std::size_t i) { return i < radky.size(); };

  // The heat of a run tried: from a pale yellow for the least occupied to a deep red for the
  // most, relative to the busiest, so that the busy part of any station stands out.
  double nejvic = 0;
  for (const auto& [i, podil] : teplo_) nejvic = std::max(nejvic, podil);
  for (const auto& [i, podil] : teplo_) {
    if (!platny(i) || nejvic <= 0) continue;
    const double t = podil / nejvic;
    p.setPen(QPen(QColor(255, static_cast<int>(230 * (1 - t)), 0, 90 + static_cast<int>(120 * t)), (4 + 5 * t) * krok,
                  Qt::SolidLine, Qt::RoundCap));
    tvar(p, radky[i], 0, 0);
  }

  // The routes of the chosen entry signal; where they end, bolder.
  p.setPen(QPen(BarvaTrasy, 5 * krok, Qt::SolidLine, Qt::RoundCap));
  for (std::size_t i : trasy_)
    if (platny(i)) tvar(p, radky[i], 0, 0);
  p.setPen(QPen(BarvaCile, 7 * krok, Qt::SolidLine, Qt::RoundCap));
  for (std::size_t i : cile_)
    if (platny(i)) tvar(p, radky[i], 0, 0);
  if (navestidlo_ && platny(*navestidlo_)) tvar(p, radky[*navestidlo_], 0, 0);

  p.setPen(QPen(BarvaVyberu, 5 * krok, Qt::SolidLine, Qt::RoundCap));
  for (std::size_t i : vyber_)
    if (platny(i)) tvar(p, radky[i], 0, 0);

  // One marker for each line with problems, in the colour of the worst.
  std::map<std::size_t, bool> zle;
  for (const Znacka& z : znacky_) zle[z.radek] = zle[z.radek] || z.chyba;
  QFont f = font();
  f.setBold(true);
  f.setPixelSize(PolomerZnacky * 2 - 1);
  p.setFont(f);
  for (const auto& [radek, chyba] : zle) {
    editor::Bod s;
    if (!platny(radek) || !editor::StredRadku(radky[radek], s)) continue;
    const QPointF c = naPlochu(s.x, s.y) - QPointF(0, PolomerZnacky + 3);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(chyba ? BarvaChyby : BarvaVarovani);
    p.drawEllipse(c, PolomerZnacky, PolomerZnacky);
    p.drawText(QRectF(c.x() - PolomerZnacky, c.y() - PolomerZnacky, 2 * PolomerZnacky, 2 * PolomerZnacky),
               Qt::AlignCenter, QStringLiteral("!"));
  }
  p.setBrush(Qt::NoBrush);

  switch (tah_) {
    case Tah::Kresleni:
      if (nastroj_)
        if (auto r = editor::NovyPrvek(*dokument_, *nastroj_, zacatek_.x(), zacatek_.y(), konec_.x(), konec_.y(), "?")) {
          p.setPen(QPen(BarvaNahledu, std::max(2.0, 2 * krok)));
          tvar(p, *r, 0, 0);
        }
      break;
    case Tah::Ramecek:
      p.setPen(QPen(Qt::black, 1));
      p.drawRect(QRectF(naPlochu(zacatek_.x(), zacatek_.y()), naPlochu(konec_.x(), konec_.y())));
      p.setPen(QPen(Qt::white, 1, Qt::DashLine));
      p.drawRect(QRectF(naPlochu(zacatek_.x(), zacatek_.y()), naPlochu(konec_.x(), konec_.y())));
      break;
    case Tah::Posun: {
      const QPoint d = posunTahu();
      p.setPen(QPen(BarvaNahledu, std::max(2.0, 2 * krok), Qt::DashLine));
      for (std::size_t i : vyber_)
        if (platny(i)) tvar(p, radky[i], d.x(), d.y());
      break;
    }
    case Tah::Nic: break;
  }
}

void PlochaEditoru::mousePressEvent(QMouseEvent* e) {
  if (!platno_ || !dokument_) return;
  const QPoint s = naStanici(e->position());
  if (e->button() != Qt::LeftButton) {
    // Any other button lets go of a gesture half made.
    tah_ = Tah::Nic;
    update();
    return;
  }
  zacatek_ = konec_ = s;
  if (nastroj_) {
    switch (*nastroj_) {
      case editor::Nastroj::Kolej:
      case editor::Nastroj::Spojka:
      case editor::Nastroj::Nastupiste: tah_ = Tah::Kresleni; break;
      default: emit nakresleno(*nastroj_, s, s); break;
    }
    update();
    return;
  }
  const bool pridat = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
  const auto zasah = editor::PrvekVBode(*dokument_, s.x(), s.y(), Dosah);
  if (zasah) {
    if (pridat || !vyber_.count(*zasah)) emit vybrano({*zasah}, pridat);
    // A click on a selected element takes the whole selection along.
    tah_ = vyber_.count(*zasah) ? Tah::Posun : Tah::Nic;
  } else {
    if (!pridat) emit vybrano({}, false);
    tah_ = Tah::Ramecek;
  }
  update();
}

void PlochaEditoru::mouseMoveEvent(QMouseEvent* e) {
  if (!platno_) return;
  const QPoint s = naStanici(e->position());
  emit kurzor(s);
  if (tah_ != Tah::Nic && s != konec_) {
    konec_ = s;
    update();
  }
}

void PlochaEditoru::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || tah_ == Tah::Nic) return;
  konec_ = naStanici(e->position());
  const Tah tah = tah_;
  tah_ = Tah::Nic;
  update();
  switch (tah) {
    case Tah::Kresleni:
      if (nastroj_) emit nakresleno(*nastroj_, zacatek_, konec_);
      break;
    case Tah::Ramecek:
      emit vybrano(editor::PrvkyVObdelniku(*dokument_, std::min(zacatek_.x(), konec_.x()),
                                           std::min(zacatek_.y(), konec_.y()),
                                           std::max(zacatek_.x(), konec_.x()),
                                           std::max(zacatek_.y(), konec_.y())),
                   true);
      break;
    case Tah::Posun: {
      const QPoint d = posunTahu();
      if (!d.isNull()) emit posunuto(d.x(), d.y());
      break;
    }
    case Tah::Nic: break;
  }
}

QString PlochaEditoru::zpravyU(QPointF bod) const {
  if (!platno_ || !dokument_) return {};
  // The marker itself, or the element it marks.
  const QPoint s = naStanici(bod);
  const auto zasah = editor::PrvekVBode(*dokument_, s.x(), s.y(), Dosah);
  QStringList zpravy;
  for (const Znacka& z : znacky_) {
    editor::Bod st;
    if (z.radek >= dokument_->radky.size() || !editor::StredRadku(dokument_->radky[z.radek], st)) continue;
    const QPointF c = naPlochu(st.x, st.y) - QPointF(0, PolomerZnacky + 3);
    if (QLineF(c, bod).length() <= PolomerZnacky + 2 || zasah == z.radek) zpravy << z.zprava;
  }
  zpravy.removeDuplicates();
  return zpravy.join(QLatin1Char('\n'));
}

bool PlochaEditoru::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    auto* h = static_cast<QHelpEvent*>(e);
    const QString t = zpravyU(h->pos());
    if (t.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(h->globalPos(), t, this);
    return true;
  }
  return QWidget::event(e);
}

}  // namespace stanovar::shell
