// Columns of the train and track panels: each value under the start of its own heading as
// the heading's font really draws it, every value wide enough for the widest value of its
// kind.
//
// A heading is one text of the language file, its columns padded with blanks. Padding fits
// only the font it was written for, so the text is split into its columns (two or more blanks
// apart) and each column is measured where the font puts it; a column is moved right only
// when the one before it needs more room for its heading or its values. A heading that does
// not split into the panel's columns keeps the fixed positions and is shown as one text.
#pragma once

#include <QFont>
#include <QString>
#include <vector>

namespace stanovar::shell {

struct Sloupec {
  QString nadpis;  // the column's heading text (the whole heading in the fixed layout)
  int x = 0;       // left edge of the heading and of the value, panel pixels
  int sirka = 0;   // room for the value: up to the next column
};

struct PopisSloupce {
  QFont pismo;      // font of the value
  QString vzor;     // the widest value that must show whole
  int pevnyX = 0;   // left edge in the fixed layout
  int sirka = 0;    // room of a value that is no text (the direction arrow)
};

struct Rozvrzeni {
  bool rozdelene = false;  // one heading label per column; else the heading as one text
  std::vector<Sloupec> sloupce;
  int sirkaPanelu = 0;
};

// Texts two or more blanks apart, each with the index where it begins.
std::vector<std::pair<int, QString>> SloupceNadpisu(const QString& nadpis);

// Room that any name of at most eight characters of the code page needs in this font.
QString VzorJmena(const QFont& f);

Rozvrzeni RozlozPanel(const QString& nadpis, const QFont& pismoNadpisu,
                      const std::vector<PopisSloupce>& sloupce, int minSirka);

}  // namespace stanovar::shell
