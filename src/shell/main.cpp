// Program entry: the application title, the main window (whose creation is the whole
// start-up) and its dialogs, then the message loop until the main window is closed. With
// --take-over the station of stanovar.ini opens with an hour of traffic behind it; with --edit
// FOLDER the station editor opens on that folder instead of the main window; with --network
// FILE [--station N] station N of a network is played at once; with --join HOST:PORT a station of
// a network hosted elsewhere, and with --host NETWORK one hosted here, are played over the
// network.
#include <QApplication>
#include <QDir>
#include <algorithm>

#include "shell/editor_okno.h"
#include "shell/hlavni_okno.h"
#include "shell/hra_pres_sit.h"
#include "shell/hra_site.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Stanovar"));
  const QStringList argumenty = QApplication::arguments();
  if (const qsizetype i = argumenty.indexOf(QStringLiteral("--edit")); i >= 0)
    return stanovar::shell::SpustEditor(i + 1 < argumenty.size() ? argumenty[i + 1] : QString());
  stanovar::shell::TForm1 okno(QDir::currentPath());
  if (QApplication::arguments().contains(QStringLiteral("--take-over")) &&
      !okno.stav().nastaveni.cestaSchema.empty())
    okno.smena()->prevezmiOtevrenou();
  // --network FILE [--station N]: station N (from 1) of a network played at once.
  if (const qsizetype i = argumenty.indexOf(QStringLiteral("--network")); i >= 0 && i + 1 < argumenty.size()) {
    const qsizetype k = argumenty.indexOf(QStringLiteral("--station"));
    const int n = k >= 0 && k + 1 < argumenty.size() ? argumenty[k + 1].toInt() : 1;
    okno.sit()->otevri(argumenty[i + 1], std::max(n, 1) - 1);
  }
  // --join HOST:PORT [--station NAME] [--token T]: a station of a network hosted elsewhere;
  // --host NETWORK [--serve [ADDRESS:]PORT] [--station NAME] [--token T]: host one and play it.
  const auto volba = [&](const char* jmeno) {
    const qsizetype k = argumenty.indexOf(QLatin1String(jmeno));
    return k >= 0 && k + 1 < argumenty.size() ? argumenty[k + 1] : QString();
  };
  okno.show();
  okno.activateWindow();
  if (!volba("--join").isEmpty())
    okno.hraPresSit()->pripoj(volba("--join"), volba("--station"), volba("--token"));
  else if (!volba("--host").isEmpty())
    okno.hraPresSit()->hostuj(volba("--host"), volba("--station"),
                              volba("--serve").isEmpty() ? QStringLiteral("0") : volba("--serve"), volba("--token"));
  return app.exec();
}
