#include "shell/pruvodce_okna.h"

#include <QHBoxLayout>

#include "shell/vzhled.h"

namespace stanovar::shell {

namespace {
const QString KlicUkazan = QStringLiteral("pruvodce/ukazan");
const QString KlicKrok = QStringLiteral("pruvodce/krok");
}  // namespace

PruvodceOkna::PruvodceOkna(const DalsiTexty& texty, QWidget* klient)
    : QFrame(klient), texty_(texty) {
  setObjectName(QStringLiteral("Pruvodce"));
  setFrameShape(QFrame::Box);
  // Dark text on pale yellow: read on any background and in either palette.
  setStyleSheet(QStringLiteral("#Pruvodce { background: #fff8c0; border: 1px solid black; }"
                               "QLabel { color: black; }"));
  setFocusPolicy(Qt::NoFocus);
  text_ = new QLabel(this);
  text_->setWordWrap(true);
  text_->setTextFormat(Qt::PlainText);
  preskocit_ = new QPushButton(this);
  preskocit_->setFocusPolicy(Qt::NoFocus);
  auto* l = new QHBoxLayout(this);
  l->setContentsMargins(8, 6, 8, 6);
  l->addWidget(text_, 1);
  l->addWidget(preskocit_, 0, Qt::AlignBottom);
  connect(preskocit_, &QPushButton::clicked, this, &PruvodceOkna::skonci);
  konec_.setSingleShot(true);
  konec_.setInterval(15000);
  connect(&konec_, &QTimer::timeout, this, &PruvodceOkna::skonci);
  hide();
}

void PruvodceOkna::zacni() {
  pruvodce_ = Pruvodce();
  bezi_ = true;
  konec_.stop();
  QSettings p = Predvolby();
  p.setValue(KlicUkazan, true);
  ukazKrok();
  show();
  raise();
}

void PruvodceOkna::ukazKrok() {
  const int krok = static_cast<int>(pruvodce_.krok());
  text_->setText(texty_.text(static_cast<DalsiText>(static_cast<int>(DalsiText::KrokNabidka) + krok)));
  preskocit_->setText(texty_.text(pruvodce_.krok() == KrokPruvodce::Hotovo ? DalsiText::Zavrit
                                                                            : DalsiText::Preskocit)
                          .remove(QLatin1Char('&')));
  // Kept at once: a script or a later start can see how far the player got.
  QSettings p = Predvolby();
  p.setValue(KlicKrok, krok);
  p.sync();
  if (pruvodce_.krok() == KrokPruvodce::Hotovo) konec_.start();
}

void PruvodceOkna::skonci() {
  bezi_ = false;
  konec_.stop();
  hide();
}

void PruvodceOkna::obnov(Stav& s, bool tabule, const QRect& obraz) {
  if (!bezi_) return;
  if (pruvodce_.Obnov(s, tabule)) ukazKrok();
  // In the picture's lower left corner, as wide as it allows.
  const int sirka = std::min(460, obraz.width() - 16);
  const int vyska = heightForWidth(sirka) > 0 ? heightForWidth(sirka) : sizeHint().height();
  const QRect r(obraz.left() + 8, obraz.bottom() - vyska - 8, sirka, vyska);
  if (r != geometry()) setGeometry(r);
}

}  // namespace stanovar::shell
