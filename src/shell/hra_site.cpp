#include "shell/hra_site.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QWidget>
#include <cmath>
#include <utility>

#include "jadro.h"
#include "model/kodovani.h"
#include "shell/kodovani.h"
#include "shell/tabule_vlaku.h"
#include "sit/sit.h"

namespace stanovar::shell {

SitOkna::SitOkna(Stav& stav, const DalsiTexty& texty, QWidget* okno, QWidget* klient,
                 QMenu* soubor, QAction* pred, QMenuBar* lista, std::function<void()> zrcadli)
    : QObject(okno), stav_(stav), texty_(texty), okno_(okno), zrcadli_(std::move(zrcadli)),
      hra_(std::make_unique<HraSite>()) {
  menuOtevrit_ = new QAction(this);
  connect(menuOtevrit_, &QAction::triggered, this, &SitOkna::MenuOtevritSitClick);
  soubor->insertAction(pred, menuOtevrit_);
  menuSite_ = lista->addMenu(QString());
  menuSite_->setObjectName(QStringLiteral("MenuSite"));
  menuSite_->menuAction()->setVisible(false);
  // Above the offer panel, where the trains the neighbours send are answered.
  naTrati_ = new QLabel(klient);
  naTrati_->setObjectName(QStringLiteral("NaTrati"));
  naTrati_->setGeometry(224, 362, 505, 24);
  naTrati_->setTextFormat(Qt::PlainText);
  naTrati_->hide();
}

SitOkna::~SitOkna() = default;

void SitOkna::noveTexty() {
  menuOtevrit_->setText(texty_.text(DalsiText::OtevritSit));
  menuSite_->setTitle(texty_.text(DalsiText::MenuSite));
  obnovMenu();
}

bool SitOkna::aktivni() const { return hra_->aktivni(); }
int SitOkna::hrana() const { return static_cast<int>(hra_->hrana()); }

QString SitOkna::jmeno(std::size_t i) const {
  const auto& st = hra_->popis().stanice;
  return i < st.size() ? QString::fromStdString(st[i].jmeno) : QString();
}

void SitOkna::hlaseni(DalsiText t, const QString& co) {
  stav_.zpravaOtevrena = true;
  QMessageBox::warning(okno_, QGuiApplication::applicationDisplayName(), texty_.text(t) + co);
  stav_.zpravaOtevrena = false;
}

bool SitOkna::otevri(const QString& soubor, int stanice) {
  const std::string chyba =
      hra_->otevri(QFile::encodeName(soubor).toStdString(), static_cast<std::size_t>(stanice), stav_);
  if (!chyba.empty()) {
    hlaseni(DalsiText::ChybaSite, QString::fromStdString(chyba));
    return false;
  }
  obnovMenu();
  obnovStitek();
  if (zmena) zmena(true);
  zrcadli_();
  return true;
}

bool SitOkna::prepni(int stanice) {
  if (!aktivni() || stanice == hrana()) return true;
  const std::string chyba = hra_->prepni(static_cast<std::size_t>(stanice));
  if (!chyba.empty()) hlaseni(DalsiText::ChybaSite, QString::fromStdString(chyba));
  obnovMenu();
  obnovStitek();
  zrcadli_();
  return chyba.empty();
}

void SitOkna::MenuOtevritSitClick() {
  const ChodHodin chod = PozastavHodiny(stav_);
  zrcadli_();
  // The shipped network lies beside the station the program started with: offered at once.
  const QString start = QFile::decodeName(stav_.nastaveni.startovniAdresar.c_str());
  const QString vychozi = QDir(start).filePath(QStringLiteral("sit.json"));
  const QString soubor = QFileDialog::getOpenFileName(
      okno_, BezAkceleratoru(texty_.text(DalsiText::OtevritSit)),
      QFile::exists(vychozi) ? vychozi : start, texty_.text(DalsiText::FiltrSiti));
  ObnovHodiny(stav_, chod);
  zrcadli_();
  if (soubor.isEmpty()) return;
  PopisSite popis;
  std::string chyba;
  if (!CtiSit(QFile::encodeName(soubor).toStdString(), popis, chyba)) {
    hlaseni(DalsiText::ChybaSite, QString::fromStdString(chyba));
    return;
  }
  QStringList jmena;
  for (const StaniceSite& st : popis.stanice) jmena << QString::fromStdString(st.jmeno);
  bool ok = false;
  stav_.zpravaOtevrena = true;
  const QString volba = QInputDialog::getItem(okno_, BezAkceleratoru(texty_.text(DalsiText::OtevritSit)),
                                              texty_.text(DalsiText::KteraStanice), jmena, 0, false, &ok);
  stav_.zpravaOtevrena = false;
  if (!ok || !smiOpustit() || (smiJinam && !smiJinam())) return;
  otevri(soubor, static_cast<int>(jmena.indexOf(volba)));
}

void SitOkna::poTiku() {
  if (!aktivni()) return;
  hra_->dohon();
  obnovStitek();
}

bool SitOkna::smiOpustit() {
  if (!aktivni()) return true;
  stav_.zpravaOtevrena = true;
  const auto odpoved = QMessageBox::question(okno_, QGuiApplication::applicationDisplayName(),
                                             texty_.text(DalsiText::OpravduOpustit));
  stav_.zpravaOtevrena = false;
  if (odpoved != QMessageBox::Yes) return false;
  opust();
  return true;
}

void SitOkna::opust() {
  if (!aktivni()) return;
  hra_->ukonci();
  obnovMenu();
  obnovStitek();
  if (zmena) zmena(false);
}

void SitOkna::obnovMenu() {
  menuSite_->clear();
  menuSite_->menuAction()->setVisible(aktivni());
  if (!aktivni()) return;
  auto* skupina = new QActionGroup(menuSite_);
  for (std::size_t i = 0; i < hra_->popis().stanice.size(); ++i) {
    // The number is the access key: Alt and the menu's key, then the station's number.
    QAction* a = menuSite_->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(jmeno(i)));
    a->setCheckable(true);
    a->setChecked(static_cast<int>(i) == hrana());
    skupina->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] { prepni(static_cast<int>(i)); });
  }
  menuSite_->addSeparator();
  menuSite_->addAction(texty_.text(DalsiText::OpustitSit), this, [this] {
    opust();
    zrcadli_();
  });
}

double SitOkna::zaSekund(double cas) const { return (cas - SimCas(stav_)) * 86400.0; }

QString SitOkna::textNaTrati() const {
  if (!aktivni()) return {};
  QStringList casti;
  for (const Sit::Prijizdejici& p : hra_->sit().prijizdejici(hra_->hrana())) {
    if (p.nabidnut) continue;  // the offer panel and the board show it as any offer
    casti << texty_.text(DalsiText::PrijezdZTrati)
                 .arg(p.cislo)
                 .arg(jmeno(p.odkud))
                 .arg(TextCekani(zaSekund(p.prijezd)).isEmpty() ? QStringLiteral("0:00")
                                                                : TextCekani(zaSekund(p.prijezd)));
  }
  if (casti.isEmpty()) return {};
  return texty_.text(DalsiText::NaTrati) + QLatin1Char(' ') + casti.join(QStringLiteral("  \u00b7  "));
}

void SitOkna::obnovStitek() {
  const QString t = textNaTrati();
  if (t == zobrazeno_) return;
  zobrazeno_ = t;
  naTrati_->setText(t);
  naTrati_->setToolTip(t);
  naTrati_->setVisible(!t.isEmpty());
  if (!t.isEmpty()) naTrati_->raise();
}

void SitOkna::doplnTabuli(std::vector<RadekTabule>& radky) const {
  if (!aktivni()) return;
  for (const Sit::Prijizdejici& p : hra_->sit().prijizdejici(hra_->hrana())) {
    if (p.nabidnut) continue;
    RadekTabule r;
    r.cislo = p.cislo;
    r.odkud = Utf8NaCp1250(hra_->popis().stanice[p.odkud].jmeno);
    for (const RSoused& so : stav_.Sousede)
      if (so.id == p.soused) r.kam = so.jmeno;
    r.stav = StavRadku::NaTrati;
    r.udaj = TextCekani(zaSekund(p.prijezd)).toStdString();
    radky.push_back(std::move(r));
  }
}

}  // namespace stanovar::shell
