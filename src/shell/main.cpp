// Program entry: the application title, the main window (whose creation is the whole
// start-up) and its dialogs, then the message loop until the main window is closed.
#include <QApplication>
#include <QDir>

#include "shell/hlavni_okno.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Stanovar"));
  stanovar::shell::TForm1 okno(QDir::currentPath());
  okno.show();
  okno.activateWindow();
  return app.exec();
}
