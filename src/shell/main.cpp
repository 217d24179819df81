// Program entry: the application title, the main window (whose creation is the whole
// start-up) and its dialogs, then the message loop until the main window is closed. With
// --take-over the station of stanovar.ini opens with an hour of traffic behind it; with --edit
// FOLDER the station editor opens on that folder instead of the main window.
#include <QApplication>
#include <QDir>

#include "shell/editor_okno.h"
#include "shell/hlavni_okno.h"

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
  okno.show();
  okno.activateWindow();
  return app.exec();
}
