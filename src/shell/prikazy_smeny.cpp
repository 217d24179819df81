#include "shell/prikazy_smeny.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>
#include <utility>

#include "smena/smena.h"
#include "jadro.h"

namespace stanovar::shell {

namespace {
// A file dialog's caption: the menu text without its accelerator and its ellipsis.
QString Titulek(QString t) {
  t.remove(QLatin1Char('&'));
  if (t.endsWith(QChar(0x2026))) t.chop(1);
  return t.trimmed();
}

std::string Jmeno(const QString& cesta) { return QFile::encodeName(cesta).toStdString(); }
}  // namespace

PrikazySmeny::PrikazySmeny(Stav& stav, const DalsiTexty& texty, QWidget* okno,
                           std::function<void()> zrcadli)
    : QObject(okno), stav_(stav), texty_(texty), okno_(okno), zrcadli_(std::move(zrcadli)) {
  stav_.posluchaci.poslouchej([this](Stav&, const Oznameni& o) {
    if (o.druh == DruhOznameni::Udalost) zaznam_.udalost(o.udalost->cas);
  });
}

QString PrikazySmeny::cestaZacatku() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/posledni.zacatek.smena");
}

QString PrikazySmeny::cestaVstupu() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/posledni.akce.csv");
}

void PrikazySmeny::zacniZaznam() {
  zaznamenava_ = false;
  if (stav_.Koleje.empty()) return;
  QDir().mkpath(QFileInfo(cestaVstupu()).absolutePath());
  zaznam_.zacni(SimCas(stav_));
  QFile f(cestaVstupu());
  // Written whole at once, the inputs file and its save never belong to two shifts.
  if (!UlozSmenu(stav_, CastiBehu{}, Jmeno(cestaZacatku())) ||
      !f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(zaznam_.text().data(), static_cast<qint64>(zaznam_.text().size())) < 0)
    return;
  zaznamenava_ = true;
}

void PrikazySmeny::vstup(const Vstup& v) {
  if (!zaznamenava_) {
    ProvedVstup(stav_, v);
    return;
  }
  const std::string radek = zaznam_.proved(stav_, v);
  if (radek.empty()) return;
  // Appended at once: a session that ends in a crash keeps its inputs up to it.
  QFile f(cestaVstupu());
  if (f.open(QIODevice::Append)) f.write(radek.data(), static_cast<qint64>(radek.size()));
}

QString PrikazySmeny::cestaPosledniSmeny() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
         QStringLiteral("/posledni.smena");
}

void PrikazySmeny::hlaseni(DalsiText t, const std::string& soubor) {
  stav_.zpravaOtevrena = true;
  stav_.prostredi->zpravaOSouboru(texty_.bajty(t), soubor, std::string());
  stav_.zpravaOtevrena = false;
}

void PrikazySmeny::hlaseni(const VysledekUlozeni& v, const QString& smena) {
  const std::string jmeno = Jmeno(smena);
  switch (v.chyba) {
    case ChybaUlozeni::Zadna: break;
    case ChybaUlozeni::NelzeCist: hlaseni(DalsiText::ChybaCteniSmeny, jmeno); break;
    case ChybaUlozeni::Poskozeny: hlaseni(DalsiText::ChybaPoskozenaSmena, jmeno); break;
    case ChybaUlozeni::JinaVerze: hlaseni(DalsiText::ChybaVerzeSmeny, jmeno); break;
    case ChybaUlozeni::ChybiSoubor: hlaseni(DalsiText::ChybaSouboruStanice, v.soubor); break;
    case ChybaUlozeni::ZmenenySoubor: hlaseni(DalsiText::ChybaZmenenaStanice, v.soubor); break;
    case ChybaUlozeni::NelzeZapsat: hlaseni(DalsiText::ChybaZapisuSmeny, jmeno); break;
  }
}

bool PrikazySmeny::ulozSmenu(const QString& cesta) {
  QDir().mkpath(QFileInfo(cesta).absolutePath());
  const VysledekUlozeni v = UlozSmenu(stav_, CastiBehu{}, Jmeno(cesta));
  hlaseni(v, cesta);
  if (v) soubor_ = QFileInfo(cesta).fileName();
  return static_cast<bool>(v);
}

bool PrikazySmeny::otevriSmenu(const QString& cesta) {
  CastiBehu casti;
  casti.svujJazyk = true;
  const VysledekUlozeni v = NactiSmenu(stav_, casti, Jmeno(cesta));
  hlaseni(v, cesta);
  if (v) {
    soubor_ = QFileInfo(cesta).fileName();
    zacniZaznam();
  }
  zrcadli_();
  return static_cast<bool>(v);
}

bool PrikazySmeny::prevezmi(const QString& schema) {
  const QFileInfo f(schema);
  const QString zaklad = f.absolutePath() + QLatin1Char('/') + f.completeBaseName();
  const VysledekUlozeni v =
      PrevezmiProvoz(stav_, Jmeno(f.absoluteFilePath()), Jmeno(zaklad + QStringLiteral(".gvd")),
                     Jmeno(zaklad + QStringLiteral(".lok")));
  if (!v) hlaseni(DalsiText::ChybaPrevzeti, v.soubor);
  if (v) {
    soubor_.clear();
    zacniZaznam();
  }
  zrcadli_();
  return static_cast<bool>(v);
}

bool PrikazySmeny::prevezmiOtevrenou() {
  const Nastaveni& n = stav_.nastaveni;
  const VysledekUlozeni v = PrevezmiProvoz(stav_, n.cestaSchema, n.cestaGvd, n.cestaLoko);
  if (!v) hlaseni(DalsiText::ChybaPrevzeti, v.soubor);
  if (v) zacniZaznam();
  zrcadli_();
  return static_cast<bool>(v);
}

void PrikazySmeny::ulozPosledni() {
  if (stav_.Koleje.empty()) return;
  QDir().mkpath(QFileInfo(cestaPosledniSmeny()).absolutePath());
  UlozSmenu(stav_, CastiBehu{}, Jmeno(cestaPosledniSmeny()));
}

void PrikazySmeny::MenuUlozitSmenuClick() {
  const ChodHodin chod = PozastavHodiny(stav_);
  zrcadli_();
  QString cesta = QFileDialog::getSaveFileName(
      okno_, Titulek(texty_.text(DalsiText::UlozitSmenu)),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
      texty_.text(DalsiText::FiltrSmen));
  // Saved as the player runs it, not as the dialog paused it: opened, it goes on so.
  ObnovHodiny(stav_, chod);
  if (!cesta.isEmpty()) {
    if (QFileInfo(cesta).suffix().isEmpty()) cesta += QStringLiteral(".smena");
    ulozSmenu(cesta);
  }
  zrcadli_();
}

void PrikazySmeny::MenuOtevritSmenuClick() {
  const ChodHodin chod = PozastavHodiny(stav_);
  zrcadli_();
  const QString cesta = QFileDialog::getOpenFileName(
      okno_, Titulek(texty_.text(DalsiText::OtevritSmenu)),
      QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
      texty_.text(DalsiText::FiltrSmen));
  // The running shift as it was; an opened one at the speed it was saved with.
  ObnovHodiny(stav_, chod);
  if (!cesta.isEmpty()) otevriSmenu(cesta);
  zrcadli_();
}

void PrikazySmeny::MenuPokracovatClick() {
  if (!QFile::exists(cestaPosledniSmeny())) {
    hlaseni(DalsiText::ZadnaUlozenaSmena, std::string());
    return;
  }
  otevriSmenu(cestaPosledniSmeny());
}

void PrikazySmeny::MenuPrevzitClick() {
  const ChodHodin chod = PozastavHodiny(stav_);
  zrcadli_();
  const QString adresar =
      stav_.nastaveni.cestaSchema.empty()
          ? QDir::currentPath()
          : QFileInfo(QFile::decodeName(stav_.nastaveni.cestaSchema.c_str())).absolutePath();
  const QString schema = QFileDialog::getOpenFileName(
      okno_, Titulek(texty_.text(DalsiText::PrevzitProvoz)), adresar,
      texty_.text(DalsiText::FiltrStanic));
  // The station taken over runs as the player's clock ran.
  if (!schema.isEmpty()) prevezmi(schema);
  ObnovHodiny(stav_, chod);
  zrcadli_();
}

}  // namespace stanovar::shell
