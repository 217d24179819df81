#include "display/svg_platno.h"

#include <cstdio>

#include "model/kodovani.h"

namespace stanovar {

std::string BarvaSvg(Barva c) {
  char b[8];
  std::snprintf(b, sizeof b, "#%02x%02x%02x", Cervena(c), Zelena(c), Modra(c));
  return b;
}

std::string XmlText(const std::string& t) {
  std::string r;
  for (char c : t) {
    switch (c) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      default: r += c;
    }
  }
  return r;
}

void SvgPlatno::pismo(const std::string& jmeno, int body, Barva c, bool tucne) {
  if (!jmeno.empty()) jmenoPisma_ = jmeno;
  body_ = body > 0 ? body : 9;
  barvaPisma_ = c;
  tucne_ = tucne;
}

void SvgPlatno::cara(int x, int y) {
  // The raster paints pixel centres and leaves out the end pixel; a butt-capped line between
  // the centres covers the same pixels but for that half pixel at each end.
  char b[200];
  std::snprintf(b, sizeof b,
                "<line x1=\"%d.5\" y1=\"%d.5\" x2=\"%d.5\" y2=\"%d.5\" stroke=\"%s\" "
                "stroke-width=\"%d\"/>\n",
                x_, y_, x, y, BarvaSvg(pero_).c_str(), sirkaPera_);
  telo_ += b;
  x_ = x;
  y_ = y;
}

void SvgPlatno::obdelnik(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  char s[200];
  std::snprintf(s, sizeof s,
                "<rect x=\"%d.5\" y=\"%d.5\" width=\"%d\" height=\"%d\" fill=\"%s\" stroke=\"%s\"/>\n",
                l, t, r - l - 1, b - t - 1, BarvaSvg(vypln_).c_str(), BarvaSvg(pero_).c_str());
  telo_ += s;
}

int SvgPlatno::sirkaTextu(const std::string& t) {
  // Pixels of a point at 96 dots per inch, and about half an em per character.
  const double px = body_ * 96.0 / 72.0;
  return static_cast<int>(t.size() * px * (tucne_ ? 0.6 : 0.55) + 0.5);
}

void SvgPlatno::text(int x, int y, const std::string& t, bool nepruhledne) {
  const int px = (body_ * 96 + 36) / 72;
  char b[300];
  if (nepruhledne) {
    std::snprintf(b, sizeof b, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
                  x, y, sirkaTextu(t), px * 5 / 4, BarvaSvg(vypln_).c_str());
    telo_ += b;
  }
  std::snprintf(b, sizeof b,
                "<text x=\"%d\" y=\"%d\" font-family=\"%s, Liberation Sans, sans-serif\" "
                "font-size=\"%d\" fill=\"%s\"%s dominant-baseline=\"text-before-edge\">",
                x, y, XmlText(jmenoPisma_).c_str(), px, BarvaSvg(barvaPisma_).c_str(),
                tucne_ ? " font-weight=\"bold\"" : "");
  telo_ += b;
  telo_ += XmlText(Cp1250NaUtf8(t));
  telo_ += "</text>\n";
}

std::string SvgPlatno::Svg(double meritko) const {
  char b[200];
  std::snprintf(b, sizeof b,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                "viewBox=\"0 0 %d %d\" shape-rendering=\"crispEdges\">\n",
                static_cast<int>(w_ * meritko + 0.5), static_cast<int>(h_ * meritko + 0.5), w_, h_);
  return b + telo_ + "</svg>\n";
}

}  // namespace stanovar
