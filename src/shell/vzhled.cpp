#include "shell/vzhled.h"

#include <QPalette>
#include <QWidget>

#include "shell/qt_platno.h"

namespace stanovar::shell {

void Barvy(QWidget* w, Barva pozadi, Barva popredi) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, NaQColor(pozadi));
  p.setColor(QPalette::WindowText, NaQColor(popredi));
  w->setAutoFillBackground(true);
  w->setPalette(p);
}

}  // namespace stanovar::shell
