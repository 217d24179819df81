#include "shell/qt_platno.h"

#include <QFontMetrics>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

#include "jadro.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

QColor NaQColor(Barva c) { return QColor(Cervena(c), Zelena(c), Modra(c)); }

Barva BarvaVPalete(Paleta p, Barva c) {
  if (p == Paleta::Klasicka) return c;
  // Vermilion, sky blue and yellow lie on the blue-yellow axis that every common kind of
  // colour blindness keeps, and read apart in greyscale too: on a dark background (the
  // classic grey leaves no room for three lightnesses at 3:1) their relative luminances are
  // about 0.22, 0.40 and 0.65, each at least 3:1 against the background and half again as
  // light as the one before, with the white foreground above them.
  switch (c) {
    case BarvaObsazeno: return RGB(213, 94, 0);
    case BarvaNe: return RGB(213, 94, 0);
    case BarvaVyber: return RGB(240, 210, 40);
    case BarvaCesta: return RGB(86, 180, 233);
    case BarvaNastupiste: return RGB(204, 121, 167);
    case KlasickePozadi: return RGB(32, 32, 32);
    case KlasickePopredi: return RGB(255, 255, 255);
    default: return c;
  }
}

double Kontrast(Barva a, Barva b) {
  auto jas = [](Barva c) {
    auto slozka = [](int v) {
      const double x = v / 255.0;
      return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * slozka(Cervena(c)) + 0.7152 * slozka(Zelena(c)) + 0.0722 * slozka(Modra(c));
  };
  const double x = jas(a) + 0.05, y = jas(b) + 0.05;
  return x > y ? x / y : y / x;
}

namespace {
long long DolniPodil(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
int Omez(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN / 2, INT_MAX / 2)); }
// Key of a shape: what decides the pixels an operation paints, its colours left out.
std::string Klic(char druh, std::initializer_list<int> cisla, std::string_view zbytek = {}) {
  std::string k(1, druh);
  for (int c : cisla) {
    k += std::to_string(c);
    k += ',';
  }
  k += zbytek;
  return k;
}
int PxPisma(int body, int dpi) { return body > 0 ? std::max(1, (body * dpi + 36) / 72) : 1; }
}  // namespace

QtPlatno::QtPlatno(int w, int h, int dpi, int meritko)
    : sirka_(w > 0 ? w : 1),
      vyska_(h > 0 ? h : 1),
      dpi_(dpi > 0 ? dpi : 96),
      meritko_(std::clamp(meritko, 25, 1600)) {
  obraz_ = QImage(naObraz(sirka_), naObraz(vyska_), QImage::Format_RGB32);
  obraz_.fill(Qt::white);
  pismo("arial", 8, 0, false);
}

int QtPlatno::naObraz(int v) const {
  return Omez(DolniPodil(static_cast<long long>(v) * meritko_, 100));
}

int QtPlatno::naStanici(int v) const {
  // The largest station pixel whose image starts at or before v.
  return Omez(-DolniPodil(-(static_cast<long long>(v) + 1) * 100, meritko_) - 1);
}

QFont QtPlatno::font(const Operace& o, int meritko) const {
  QFont f(QString::fromLatin1(o.jmeno.c_str()));
  // Point sizes become pixels at the screen's resolution, as on the classic raster, then
  // the scale: a text is laid out again in the larger font, never enlarged as an image.
  f.setPixelSize(std::max(1, (PxPisma(o.sirka, dpi_) * meritko + 50) / 100));
  f.setBold(o.tucne);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

QRgb QtPlatno::barva(Barva c) const {
  // The user's own colours stay; the classic ones the palette has versions of.
  const bool klasicka = c == KlasickePozadi || c == KlasickePopredi;
  if (!klasicka && (c == chranene_[0] || c == chranene_[1])) return NaQColor(c).rgb();
  return NaQColor(BarvaVPalete(paleta_, c)).rgb();
}

void QtPlatno::pismo(const std::string& jmeno, int body, Barva c, bool tucne) {
  jmenoPisma_ = jmeno;
  bodyPisma_ = body;
  tucnePismo_ = tucne;
  barvaPisma_ = c;
  Operace o;
  o.druh = Operace::Text;
  o.jmeno = jmeno;
  o.sirka = body;
  o.tucne = tucne;
  mereni_ = font(o, 100);
}

void QtPlatno::presun(int x, int y) {
  px_ = x;
  py_ = y;
}

void QtPlatno::cara(int x, int y) {
  Operace o;
  o.druh = Operace::Cara;
  o.a = px_, o.b = py_, o.c = x, o.d = y;
  o.sirka = sirkaPera_;
  o.pero = pero_;
  px_ = x;
  py_ = y;
  if (o.a == o.c && o.b == o.d) return;  // a line of no steps paints nothing
  std::string klic = Klic('c', {o.a, o.b, o.c, o.d, o.sirka});
  pridej(std::move(o), std::move(klic));
}

void QtPlatno::obdelnik(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  Operace o;
  o.druh = Operace::Obdelnik;
  o.a = l, o.b = t, o.c = r, o.d = b;
  o.pero = pero_;
  o.vypln = vypln_;
  if (l <= 0 && t <= 0 && r >= sirka_ && b >= vyska_) {
    // Covers the whole picture: nothing drawn before it shows any more.
    operace_.clear();
    podleTvaru_.clear();
    mrtvych_ = 0;
  }
  std::string klic = Klic('o', {l, t, r, b});
  pridej(std::move(o), std::move(klic));
}

void QtPlatno::text(int x, int y, const std::string& t, bool nepruhledne) {
  Operace o;
  o.druh = Operace::Text;
  o.a = x, o.b = y;
  o.sirka = bodyPisma_;
  o.tucne = tucnePismo_;
  o.nepruhledne = nepruhledne;
  o.pero = barvaPisma_;
  o.vypln = vypln_;
  o.jmeno = jmenoPisma_;
  o.text = t;
  // Without antialiasing a text covers the same pixels in any colour.
  std::string klic = Klic('t', {x, y, o.sirka, o.tucne, nepruhledne}, o.jmeno);
  klic += '\0';
  klic += t;
  pridej(std::move(o), std::move(klic));
}

int QtPlatno::sirkaTextu(const std::string& t) {
  return QFontMetrics(mereni_).horizontalAdvance(ZBajtu(t));
}

bool QtPlatno::kresba(std::vector<OperaceKresby>& ven) const {
  ven.clear();
  for (const Operace& o : operace_) {
    if (!o.ziva) continue;
    OperaceKresby k;
    k.druh = o.druh == Operace::Cara ? 'c' : o.druh == Operace::Obdelnik ? 'o' : 't';
    k.nepruhledne = o.nepruhledne;
    k.tucne = o.tucne;
    k.a = o.a, k.b = o.b, k.c = o.c, k.d = o.d;
    k.sirka = o.sirka;
    k.pero = o.pero, k.vypln = o.vypln;
    k.jmeno = o.jmeno, k.text = o.text;
    ven.push_back(std::move(k));
  }
  return true;
}

void QtPlatno::pridej(Operace o, std::string klic) {
  ++revize_;
  maluj(o);
  auto [it, novy] = podleTvaru_.try_emplace(std::move(klic), operace_.size());
  if (!novy) {
    operace_[it->second].ziva = false;
    ++mrtvych_;
    it->second = operace_.size();
  }
  operace_.push_back(std::move(o));
  if (mrtvych_ > 1024 && mrtvych_ > operace_.size() / 2) {
    // Compacting keeps the order, and with it which operation paints last.
    // Every key names its shape's last operation, which is alive, so each index moves to
    // the live operation's new place.
    std::vector<std::size_t> nove(operace_.size());
    std::vector<Operace> zive;
    zive.reserve(operace_.size() - mrtvych_);
    for (std::size_t i = 0; i < operace_.size(); ++i)
      if (operace_[i].ziva) {
        nove[i] = zive.size();
        zive.push_back(std::move(operace_[i]));
      }
    for (auto& [k, idx] : podleTvaru_) idx = nove[idx];
    operace_ = std::move(zive);
    mrtvych_ = 0;
  }
}

void QtPlatno::vyplnStanici(int y, int xOd, int xDo, QRgb c) {
  // A station pixel is the block of image pixels between its own start and the next one's.
  const int yOd = naObraz(y), yDo = std::min(naObraz(y + 1), obraz_.height());
  const int od = std::max(naObraz(xOd), 0), po = std::min(naObraz(xDo), obraz_.width());
  for (int yy = std::max(yOd, 0); yy < yDo; ++yy) {
    auto* radek = reinterpret_cast<QRgb*>(obraz_.scanLine(yy));
    std::fill(radek + od, radek + po, c);
  }
}

void QtPlatno::maluj(const Operace& o) {
  switch (o.druh) {
    case Operace::Cara: {
      // Lines are rasterised on the station's own pixels by the core's rule rather than by
      // QPainter, so that they follow the classic convention exactly and keep their shape
      // at every scale; only the part inside the picture costs anything.
      const QRgb c = barva(o.pero);
      KresliCaruDoRastru(o.a, o.b, o.c, o.d, o.sirka, sirka_, vyska_,
                         [&](int yy, int xOd, int xDo) { vyplnStanici(yy, xOd, xDo, c); });
      break;
    }
    case Operace::Obdelnik: {
      // Filled and outlined by hand like the lines: a QPainter for each of thousands of
      // track erasures costs more than the pixels, and a far-away rectangle costs only its
      // visible part.
      const int l = o.a, t = o.b, r = o.c, b = o.d;
      const int xOd = std::max(l, 0), xDo = std::min(r, sirka_);
      if (xOd >= xDo || std::max(t, 0) >= std::min(b, vyska_)) return;
      const QRgb vypln = barva(o.vypln), pero = barva(o.pero);
      for (int y = std::max(t, 0); y < std::min(b, vyska_); ++y) {
        if (y == t || y == b - 1) {
          vyplnStanici(y, xOd, xDo, pero);
          continue;
        }
        vyplnStanici(y, xOd, xDo, vypln);
        if (l >= 0) vyplnStanici(y, l, l + 1, pero);
        if (r - 1 < sirka_) vyplnStanici(y, r - 1, r, pero);
      }
      break;
    }
    case Operace::Text: {
      QPainter p(&obraz_);
      p.setRenderHint(QPainter::TextAntialiasing, false);
      const QFont f = font(o, meritko_);
      p.setFont(f);
      const QString s = ZBajtu(o.text);
      const QFontMetrics fm(f);
      const int x = naObraz(o.a), y = naObraz(o.b);
      if (o.nepruhledne) p.fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), QColor(barva(o.vypln)));
      p.setPen(QColor(barva(o.pero)));
      p.drawText(x, y + fm.ascent(), s);
      break;
    }
  }
}

void QtPlatno::malujVse() {
  ++revize_;
  obraz_.fill(Qt::white);
  for (const Operace& o : operace_)
    if (o.ziva) maluj(o);
}

void QtPlatno::nastavMeritko(int procent) {
  procent = std::clamp(procent, 25, 1600);
  if (procent == meritko_) return;
  meritko_ = procent;
  obraz_ = QImage(naObraz(sirka_), naObraz(vyska_), QImage::Format_RGB32);
  malujVse();
}

void QtPlatno::nastavPaletu(Paleta p, Barva popredi, Barva pozadi) {
  if (p == paleta_ && chranene_[0] == popredi && chranene_[1] == pozadi) return;
  paleta_ = p;
  chranene_[0] = popredi;
  chranene_[1] = pozadi;
  malujVse();
}

}  // namespace stanovar::shell
