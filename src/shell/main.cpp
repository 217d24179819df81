// Program entry: the application title, the main window (whose creation is the whole
// start-up) and its dialogs, then the message loop until the main window is closed. With
// --take-over the station of stanovar.ini opens with an hour of traffic behind it.
#include <QApplication>
#include <QDir>

#include "shell/hlavni_okno.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Stanovar"));
  stanovar::shell::TForm1 okno(QDir::currentPath());
  if (QApplication::arguments().contains(QStringLiteral("--take-over")) &&
      !okno.stav().nastaveni.cestaSchema.empty())
    okno.smena()->prevezmiOtevrenou();
  okno.show();
  okno.activateWindow();
  return app.exec();
}
