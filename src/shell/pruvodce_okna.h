// The guided first train in the window: a box over the picture's lower left corner with what
// to do next and a button to skip it. It never takes the focus nor holds up play; it follows
// what the player does (the explanations' layer tells which step that completes). Shown on
// the very first start and from Help, First train; the step reached is kept per user.
#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "model/stav.h"
#include "shell/texty.h"
#include "vyklad/vyklad.h"

namespace stanovar::shell {

class PruvodceOkna : public QFrame {
  Q_OBJECT
 public:
  PruvodceOkna(const DalsiTexty& texty, QWidget* klient);

  // From the first step again.
  void zacni();
  bool bezi() const { return bezi_; }
  const Pruvodce& pruvodce() const { return pruvodce_; }
  QLabel* text() { return text_; }
  QPushButton* preskocit() { return preskocit_; }
  // After every mirroring: the step the state has reached, and where the picture ends.
  void obnov(Stav& s, bool tabule, const QRect& obraz);

 private:
  void ukazKrok();
  void skonci();
  const DalsiTexty& texty_;
  Pruvodce pruvodce_;
  bool bezi_ = false;
  QLabel* text_;
  QPushButton* preskocit_;
  QTimer konec_;
};

}  // namespace stanovar::shell
