// What the window tells a newcomer beside the specified program: why an input did nothing,
// in the status bar for a few seconds; what lies under the mouse on the picture, in a
// tooltip; the legend of colours and symbols; and the title naming the station and the shift.
// The reasons and descriptions come from the explanations' layer; here they are worded.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QString>
#include <QTimer>

#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/texty.h"
#include "vyklad/vyklad.h"

namespace stanovar::shell {

// A text with its %1 (a train), %2 (a name) and %3 filled, each only where it stands.
QString Vypln(QString t, int vlak, const QString& jmeno, const QString& treti = {});
// The reason in the player's language; empty for none.
QString TextDuvodu(const DalsiTexty& texty, const Vysvetleni& v);
// A tooltip: the element and its state on one line each; empty where nothing is.
QString TextPopisu(const DalsiTexty& texty, const Popis& p);
// "   Stanovar", then the station's name and the shift's file, each after a dash when known.
QString Titulek(const QString& stanice, const QString& smena);

class Napovedy : public QObject {
  Q_OBJECT
 public:
  // The reasons show in a label of its own in `stavovyRadek`'s place (not owned).
  Napovedy(const DalsiTexty& texty, QWidget* okno);
  QLabel* duvod() { return duvod_; }
  // Shows the reason for a while, or clears the one shown when there is none.
  void rekni(const Vysvetleni& v);

 private:
  const DalsiTexty& texty_;
  QLabel* duvod_;
  QTimer zhasni_;
};

// View, Legend: every state colour in the palette in use, and the symbols, drawn by the
// station's own drawing on the station's background.
class Legenda : public QDialog {
  Q_OBJECT
 public:
  Legenda(const DalsiTexty& texty, const Stav& s, Paleta p, QWidget* rodic);
  // The colours shown, for each row that has one.
  const std::vector<QColor>& barvy() const { return barvy_; }

 private:
  std::vector<QColor> barvy_;
};

}  // namespace stanovar::shell
