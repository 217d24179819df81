#include "shell/rozvrzeni.h"

#include <QFontMetrics>
#include <algorithm>

#include "model/text.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

std::vector<std::pair<int, QString>> SloupceNadpisu(const QString& nadpis) {
  std::vector<std::pair<int, QString>> sloupce;
  int i = 0;
  const int n = static_cast<int>(nadpis.size());
  while (i < n) {
    while (i < n && nadpis[i] == QChar(' ')) ++i;
    if (i >= n) break;
    int konec = i;
    // A single blank belongs to the column ("max. speed"); two end it.
    while (konec < n && !(nadpis[konec] == QChar(' ') &&
                          (konec + 1 >= n || nadpis[konec + 1] == QChar(' '))))
      ++konec;
    sloupce.emplace_back(i, nadpis.mid(i, konec - i));
    i = konec;
  }
  return sloupce;
}

QString VzorJmena(const QFont& f) {
  // Names are upper-cased bytes of windows-1250: the widest character among those a name
  // can hold, eight times.
  const QFontMetrics fm(f);
  QString nejsirsi = QStringLiteral("W");
  for (int b = 0x21; b <= 0xFF; ++b) {
    const std::string bajt = VelkaPismena(std::string(1, static_cast<char>(b)));
    const QString z = ZBajtu(bajt);
    // Names are words: letters, digits and blanks (a name of eight em dashes is no name).
    if (z.size() != 1 || !z[0].isLetterOrNumber()) continue;
    if (fm.horizontalAdvance(z) > fm.horizontalAdvance(nejsirsi)) nejsirsi = z;
  }
  return nejsirsi.repeated(8);
}

Rozvrzeni RozlozPanel(const QString& nadpis, const QFont& pismoNadpisu,
                      const std::vector<PopisSloupce>& sloupce, int minSirka) {
  const QFontMetrics fmN(pismoNadpisu);
  // Columns stay at least two blanks apart, as a heading tells its columns apart.
  const int mezera = 2 * fmN.horizontalAdvance(QChar(' '));
  auto potreba = [&](std::size_t i) {  // room of a value
    return std::max(sloupce[i].sirka, QFontMetrics(sloupce[i].pismo).horizontalAdvance(sloupce[i].vzor));
  };
  Rozvrzeni r;
  const auto casti = SloupceNadpisu(nadpis);
  r.rozdelene = casti.size() == sloupce.size() && !sloupce.empty();
  if (r.rozdelene) {
    int konec = 0;  // where the previous column's heading or values end
    for (std::size_t i = 0; i < sloupce.size(); ++i) {
      const int zmereno = fmN.horizontalAdvance(nadpis.left(casti[i].first));
      Sloupec s{casti[i].second, std::max(zmereno, konec), 0};
      konec = s.x + std::max(fmN.horizontalAdvance(s.nadpis) + mezera, potreba(i) + mezera);
      r.sloupce.push_back(s);
    }
  } else {
    for (std::size_t i = 0; i < sloupce.size(); ++i)
      r.sloupce.push_back({i == 0 ? nadpis : QString(), sloupce[i].pevnyX, 0});
  }
  // Each value may take the room up to the next column; the last one as much as it needs.
  int sirka = r.rozdelene ? 0 : fmN.horizontalAdvance(nadpis);
  for (std::size_t i = 0; i < r.sloupce.size(); ++i) {
    Sloupec& s = r.sloupce[i];
    const int vlastni = std::max(potreba(i) + mezera, r.rozdelene ? fmN.horizontalAdvance(s.nadpis) : 0);
    s.sirka = i + 1 < r.sloupce.size() ? std::max(r.sloupce[i + 1].x - s.x, 1) : vlastni;
    sirka = std::max(sirka, s.x + (i + 1 < r.sloupce.size() ? s.sirka : vlastni));
  }
  r.sirkaPanelu = std::max(minSirka, sirka);
  return r;
}

}  // namespace stanovar::shell
