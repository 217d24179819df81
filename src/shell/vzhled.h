// What the window's parts share about their looks: a control's colours, and the preferences
// each user keeps for the window.
#pragma once

#include <QSettings>
#include <QString>

#include "model/zaznamy.h"

class QWidget;

namespace stanovar::shell {

// A control filled with the background and written in the foreground colour.
void Barvy(QWidget* w, Barva pozadi, Barva popredi);

// Per-user preferences of the window. Not stanovar.ini: other programs read that file and
// know its seven lines only.
inline QSettings Predvolby() {
  return QSettings(QStringLiteral("Stanovar"), QStringLiteral("stanovar"));
}
inline const QString KlicZvetseni = QStringLiteral("zobrazeni/zvetseni");
inline const QString KlicPaleta = QStringLiteral("zobrazeni/paleta");
inline const QString KlicTabule = QStringLiteral("zobrazeni/tabule");

}  // namespace stanovar::shell
