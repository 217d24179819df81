#include "shell/hra_pres_sit.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>

#ifdef __linux__
#include <signal.h>
#include <sys/prctl.h>
#endif

#include "sit/sit.h"
#include "spojeni/spojeni.h"

namespace stanovar::shell {

using namespace spojeni;

namespace {

constexpr int KlavesaNahoru = 38, KlavesaDolu = 40, KlavesaF3 = 114;

}  // namespace

std::FILE* ProstrediHrace::otevriProCteni(const std::string& cesta) {
  const auto it = soubory.find(cesta);
  if (it == soubory.end()) return plocha ? plocha->otevriProCteni(cesta) : nullptr;
  // The file as the host sent it; the map keeps the bytes for as long as the window plays.
  if (it->second.empty()) return std::tmpfile();
  return fmemopen(it->second.data(), it->second.size(), "rb");
}

double ProstrediHrace::casDne() { return naHodinachHostitele ? hodiny.casDne() : plocha->casDne(); }

std::uint32_t ProstrediHrace::msOdPulnoci() {
  return naHodinachHostitele ? hodiny.msOdPulnoci() : plocha->msOdPulnoci();
}

HraPresSit::HraPresSit(Stav& stav, const DalsiTexty& texty, QWidget* okno, QMenu* soubor, QAction* pred,
                       std::function<void()> zrcadli, std::function<void(const QString&)> rekni)
    : QObject(okno), stav_(stav), texty_(texty), okno_(okno), zrcadli_(std::move(zrcadli)),
      rekni_(std::move(rekni)) {
  menuHostit_ = new QAction(this);
  connect(menuHostit_, &QAction::triggered, this, &HraPresSit::MenuHostitClick);
  soubor->insertAction(pred, menuHostit_);
  menuPripojit_ = new QAction(this);
  connect(menuPripojit_, &QAction::triggered, this, &HraPresSit::MenuPripojitClick);
  soubor->insertAction(pred, menuPripojit_);
  ws_.setMaxAllowedIncomingMessageSize(MaxZpravyKlienta);
  connect(&ws_, &QWebSocket::connected, this, [this] {
    ws_.sendTextMessage(QString::fromStdString(
        zvolitVolnou_ ? ZpravaPozorovatele(token_) : ZpravaPripojeni(stanice_, token_, "person")));
  });
  connect(&ws_, &QWebSocket::textMessageReceived, this, [this](const QString& t) {
    fronta_.push_back(t.toStdString());
    zpracujFrontu();
  });
  connect(&ws_, &QWebSocket::disconnected, this, &HraPresSit::odpojeno);
  // The person's inputs on the copy, as the core announces them.
  posluchac_ = stav_.posluchaci.poslouchej([this](Stav&, const Oznameni& o) {
    if (faze_ == Faze::Hraje && o.druh == DruhOznameni::Vstup) vstupy_.push_back(VstupZOznameni(o));
  });
}

HraPresSit::~HraPresSit() {
  // The socket closes with it: nothing of that reaches the state any more.
  ws_.disconnect(this);
  faze_ = Faze::Zadna;
  stav_.posluchaci.prestan(posluchac_);
  if (plocha_) stav_.prostredi = plocha_;
  if (host_) {
    host_->terminate();
    host_->waitForFinished(5000);
  }
}

void HraPresSit::noveTexty() {
  menuHostit_->setText(texty_.text(DalsiText::HostitSit));
  menuPripojit_->setText(texty_.text(DalsiText::PripojitKSiti));
}

void HraPresSit::hlaseni(DalsiText t, const QString& co) {
  const bool z = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  QMessageBox::warning(okno_, QGuiApplication::applicationDisplayName(), texty_.text(t) + co);
  stav_.zpravaOtevrena = z;
}

QString HraPresSit::ptejSe(DalsiText otazka, const QString& vychozi, bool* ok) {
  const bool z = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  const QString t = QInputDialog::getText(okno_, QGuiApplication::applicationDisplayName(), texty_.text(otazka),
                                          QLineEdit::Normal, vychozi, ok);
  stav_.zpravaOtevrena = z;
  return t.trimmed();
}

void HraPresSit::pripoj(const QString& adresa, const QString& stanice, const QString& token) {
  std::string host;
  std::uint16_t port = 0;
  if (!RozdelAdresu(adresa.toStdString(), host, port) || port == 0) {
    hlaseni(DalsiText::NelzePripojit, adresa);
    return;
  }
  if (aktivni()) opust();
  stanice_ = stanice.toStdString();
  token_ = token.toStdString();
  zvolitVolnou_ = stanice_.empty();
  faze_ = Faze::Pripojovani;
  const QString h = QString::fromStdString(host);
  url_ = QUrl(QStringLiteral("ws://%1:%2/").arg(h.contains(QLatin1Char(':')) ? QLatin1Char('[') + h + QLatin1Char(']') : h).arg(port));
  ws_.open(url_);
}

bool HraPresSit::hostuj(const QString& sit, const QString& stanice, const QString& sluzba, const QString& token) {
  PopisSite popis;
  std::string chyba;
  if (!CtiSit(QFile::encodeName(sit).toStdString(), popis, chyba)) {
    hlaseni(DalsiText::NelzeHostit, QString::fromStdString(chyba));
    return false;
  }
  if (aktivni()) opust();
  // The headless runner STANOVAR_SIM names (a build tree keeps it elsewhere), else the one
  // beside this program, as installed, else the one on the path.
  QString program = qEnvironmentVariable("STANOVAR_SIM");
  if (!QFileInfo(program).isExecutable())
    program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("stanovar-sim"));
  if (!QFileInfo(program).isExecutable()) program = QStandardPaths::findExecutable(QStringLiteral("stanovar-sim"));
  if (program.isEmpty()) {
    hlaseni(DalsiText::NelzeHostit, QStringLiteral("stanovar-sim"));
    return false;
  }
  klic_ = QString::number(QRandomGenerator::system()->generate64(), 36).toStdString();
  QStringList argumenty{QStringLiteral("--network"), sit, QStringLiteral("--serve"), sluzba,
                        QStringLiteral("--speed"), QString::number(std::max<int>(stav_.RychlostSim, 1)),
                        QStringLiteral("--control-key"), QString::fromStdString(klic_),
                        QStringLiteral("--hours"), QStringLiteral("10000")};
  if (!token.isEmpty()) argumenty << QStringLiteral("--token") << token;
  host_ = std::make_unique<QProcess>();
  host_->setProgram(program);
  host_->setArguments(argumenty);
  // What the host says of its players goes on to this program's own output.
  host_->setProcessChannelMode(QProcess::SeparateChannels);
#ifdef __linux__
  // A window that dies without closing (killed) takes its host with it.
  host_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
#endif
  host_->start();
  // It tells the port it listens on as soon as it does.
  QString adresa;
  QElapsedTimer t;
  t.start();
  QByteArray vystup;
  while (t.elapsed() < 20000 && host_->state() != QProcess::NotRunning) {
    host_->waitForReadyRead(200);
    vystup += host_->readAllStandardError();
    const qsizetype i = vystup.indexOf("listening on ");
    if (i >= 0 && vystup.indexOf('\n', i) > i) {
      const QByteArray radek = vystup.mid(i + 13, vystup.indexOf('\n', i) - i - 13).trimmed();
      std::string a;
      std::uint16_t port = 0;
      if (RozdelAdresu(radek.toStdString(), a, port))
        adresa = QStringLiteral("%1:%2").arg(a == "0.0.0.0" || a == "::" ? QStringLiteral("127.0.0.1")
                                                                             : QString::fromStdString(a))
                     .arg(port);
      break;
    }
  }
  if (adresa.isEmpty()) {
    host_->kill();
    host_->waitForFinished(2000);
    vystup += host_->readAllStandardError();
    host_.reset();
    hlaseni(DalsiText::NelzeHostit, QString::fromLocal8Bit(vystup).trimmed());
    return false;
  }
  std::fputs(vystup.constData() + vystup.indexOf("listening on "), stderr);
  connect(host_.get(), &QProcess::readyReadStandardError, this, [this] {
    const QByteArray b = host_->readAllStandardError();
    std::fwrite(b.constData(), 1, static_cast<std::size_t>(b.size()), stderr);
    std::fflush(stderr);
  });
  pripoj(adresa, stanice, token);
  return true;
}

void HraPresSit::zpracujFrontu() {
  // Never inside a call into the core (a message box of the core runs its own event loop)
  // nor while a dialog pauses the window: the copy then waits, and catches up after.
  if (zpracovava_ || stav_.zpravaOtevrena || QApplication::activeModalWidget()) return;
  zpracovava_ = true;
  bool zmeneno = false;
  while (!fronta_.empty() && faze_ != Faze::Zadna) {
    const std::string t = std::move(fronta_.front());
    fronta_.pop_front();
    zmeneno = zprava(t) || zmeneno;
    if (stav_.zpravaOtevrena || QApplication::activeModalWidget()) break;
  }
  zpracovava_ = false;
  if (zmeneno) zrcadli_();
}

bool HraPresSit::zprava(const std::string& text) {
  ZpravaHostitele z;
  std::string chyba;
  if (!CtiZpravuHostitele(text, z, chyba)) return false;
  switch (z.druh) {
    case ZpravaHostitele::Odmitnuto:
      faze_ = Faze::Zadna;
      ws_.abort();
      hlaseni(DalsiText::NelzePripojit, QString::fromStdString(z.duvod));
      return false;
    case ZpravaHostitele::Vitej: {
      if (faze_ != Faze::Pripojovani) return false;
      if (z.lockstep) {
        faze_ = Faze::Zadna;
        ws_.abort();
        hlaseni(DalsiText::NelzePripojit, texty_.text(DalsiText::JenBezOkna));
        return false;
      }
      if (zvolitVolnou_) {
        // Looked at as an observer: the free stations offered, then joined as a player.
        QStringList volne;
        for (const std::string& s : z.volne) volne << QString::fromStdString(s);
        faze_ = Faze::Zadna;
        ws_.abort();
        if (volne.isEmpty()) {
          hlaseni(DalsiText::NelzePripojit, texty_.text(DalsiText::VolnaStanice));
          return false;
        }
        bool ok = false;
        const bool zo = stav_.zpravaOtevrena;
        stav_.zpravaOtevrena = true;
        const QString volba = QInputDialog::getItem(okno_, QGuiApplication::applicationDisplayName(),
                                                    texty_.text(DalsiText::VolnaStanice), volne, 0, false, &ok);
        stav_.zpravaOtevrena = zo;
        if (ok) pripoj(url_.host() + QLatin1Char(':') + QString::number(url_.port()), volba,
                       QString::fromStdString(token_));
        return false;
      }
      prostredi_.soubory.clear();
      for (auto& [cesta, obsah] : z.soubory) prostredi_.soubory[cesta] = std::move(obsah);
      propojene_ = z.propojene;
      if (!prevezmi(z.ulozeni)) {
        faze_ = Faze::Zadna;
        ws_.abort();
        return false;
      }
      faze_ = Faze::Hraje;
      krok_ = 0;
      vstupy_.clear();
      if (zmena) zmena(true);
      return true;
    }
    case ZpravaHostitele::Krok: {
      if (faze_ != Faze::Hraje) return false;
      if (z.udalosti) {
        PosunNa(stav_, prostredi_.hodiny, z.cas);
        for (;;) {
          const RUdalost* u = stav_.fronta.nejdrivejsi();
          if (!u || stav_.zpravaOtevrena || SimCas(stav_) < u->cas) break;
          RUdalost e;
          stav_.fronta.vyjmi(stav_.fronta.nejdrivejsiHandle(), &e);
          ProvedUdalost(stav_, e);
        }
      }
      if (z.posun) PosunNa(stav_, prostredi_.hodiny, z.cas);
      if (!z.ulozeni.empty() && !prevezmi(z.ulozeni)) {
        samostatne(true, DalsiText::SpojeniZtraceno, QString());
        return true;
      }
      // As the host does before its next step: a clock a calculation fault paused runs on.
      if (stav_.RychlostSim == 0) NastavRychlost(stav_, stav_.PosledniRychlost ? stav_.PosledniRychlost : 1);
      krok_ = z.krok;
      return true;
    }
    case ZpravaHostitele::Hodiny: {
      hostCas_ = z.cas;
      hostRychlost_ = z.rychlost;
      odHodin_.restart();
      QStringList hraji;
      for (const std::string& s : z.volne) hraji << QString::fromStdString(s);
      hraji_ = hraji.join(QStringLiteral(", "));
      if (faze_ == Faze::Hraje) rekni_(stavovyText());
      return false;
    }
    case ZpravaHostitele::Konec:
      samostatne(true, DalsiText::HostitelSkoncil, QString::fromStdString(z.duvod));
      return true;
    case ZpravaHostitele::Chyba: rekni_(QString::fromStdString(z.duvod)); return false;
    default: return false;
  }
}

QString HraPresSit::stavovyText() const {
  return texty_.text(DalsiText::HrajiLide).arg(url_.host() + QLatin1Char(':') + QString::number(url_.port()), hraji_);
}

bool HraPresSit::prevezmi(const std::string& ulozeni) {
  if (!plocha_) {
    plocha_ = stav_.prostredi;
    prostredi_.plocha = plocha_;
    stav_.prostredi = &prostredi_;
  }
  const bool predtim = prostredi_.naHodinachHostitele;
  prostredi_.naHodinachHostitele = true;
  CastiBehu c;
  c.hodiny = &prostredi_.hodiny;
  c.svujJazyk = true;
  const VysledekUlozeni v = NactiSmenuZTextu(stav_, c, ulozeni);
  if (!v) {
    prostredi_.naHodinachHostitele = predtim;
    hlaseni(DalsiText::NelzePripojit, QString::fromStdString(PopisChyby(v)));
    return false;
  }
  oznacPropojene();
  return true;
}

void HraPresSit::oznacPropojene() {
  for (RSoused& so : stav_.Sousede)
    so.propojeny = so.propojeny || std::find(propojene_.begin(), propojene_.end(), so.id) != propojene_.end();
}

void HraPresSit::samostatne(bool rict, DalsiText t, const QString& co) {
  const bool hral = faze_ == Faze::Hraje;
  faze_ = Faze::Zadna;
  fronta_.clear();
  ws_.abort();
  if (host_) {
    host_->terminate();
    host_->waitForFinished(5000);
    host_.reset();
  }
  if (!hral) return;
  // The station as it stands, on the desktop's clock from here: the simulated time goes on
  // from where it stood, paused. Its files stay those the host sent.
  std::string text;
  UlozSmenuDoTextu(stav_, CastiBehu{}, text);
  prostredi_.naHodinachHostitele = false;
  CastiBehu c;
  c.svujJazyk = true;
  NactiSmenuZTextu(stav_, c, text);
  for (RSoused& so : stav_.Sousede) so.propojeny = false;
  NastavRychlost(stav_, 0);
  if (zmena) zmena(false);
  zrcadli_();
  if (!rict) return;
  const bool z = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  const QString zprava = texty_.text(t);
  QMessageBox::information(okno_, QGuiApplication::applicationDisplayName(),
                           zprava.contains(QStringLiteral("%1")) ? zprava.arg(co) : zprava);
  stav_.zpravaOtevrena = z;
}

void HraPresSit::odpojeno() {
  if (faze_ == Faze::Hraje) {
    samostatne(true, DalsiText::SpojeniZtraceno, QString());
  } else if (faze_ == Faze::Pripojovani) {
    faze_ = Faze::Zadna;
    hlaseni(DalsiText::NelzePripojit, ws_.errorString());
  }
}

void HraPresSit::poVolani() {
  if (faze_ != Faze::Hraje || vstupy_.empty()) {
    zpracujFrontu();
    return;
  }
  ws_.sendTextMessage(QString::fromStdString(ZpravaVstupu(krok_, vstupy_)));
  ws_.flush();
  vstupy_.clear();
  zpracujFrontu();
}

double HraPresSit::casHostitele() const {
  if (!odHodin_.isValid()) return SimCas(stav_);
  return std::max(SimCas(stav_), hostCas_ + odHodin_.elapsed() / 1000.0 * hostRychlost_ / 86400.0);
}

void HraPresSit::poTiku() {
  zpracujFrontu();
  if (faze_ != Faze::Hraje) return;
  stav_.okno.hodiny = TextCasuDne(casHostitele());
  // The speed shown is the host's: the copy's own only paces its clock between steps.
  const double r = hostRychlost_;
  stav_.okno.RychlostSimLabel =
      stav_.Text(27) + (r == std::floor(r) ? std::to_string(static_cast<int>(r)) : QString::number(r).toStdString());
}

bool HraPresSit::klavesa(int vk) {
  if (faze_ != Faze::Hraje || (vk != KlavesaNahoru && vk != KlavesaDolu && vk != KlavesaF3)) return false;
  if (!host_) {
    rekni_(texty_.text(DalsiText::RychlostUrcujeHostitel));
    return true;
  }
  const int r = static_cast<int>(std::lround(hostRychlost_));
  int nova = r;
  if (vk == KlavesaNahoru) nova = std::min(r + 1, 6);
  else if (vk == KlavesaDolu) nova = std::max(r - 1, 0);
  else nova = r == 0 ? std::max(posledniRychlost_, 1) : 0;
  if (r > 0) posledniRychlost_ = r;
  ws_.sendTextMessage(QString::fromStdString(ZpravaRychlosti(nova, klic_)));
  return true;
}

bool HraPresSit::smiOpustit() {
  if (!aktivni()) return true;
  const bool z = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  const auto odpoved = QMessageBox::question(okno_, QGuiApplication::applicationDisplayName(),
                                             texty_.text(DalsiText::OpravduOpustit));
  stav_.zpravaOtevrena = z;
  if (odpoved != QMessageBox::Yes) return false;
  opust();
  return true;
}

void HraPresSit::opust() {
  if (!aktivni()) return;
  if (faze_ == Faze::Hraje) ws_.sendTextMessage(QString::fromStdString(ZpravaOdejit()));
  ws_.flush();
  samostatne(false, DalsiText::SpojeniZtraceno, QString());
}

void HraPresSit::MenuPripojitClick() {
  bool ok = false;
  const QString adresa = ptejSe(DalsiText::AdresaHostitele, posledniAdresa_, &ok);
  if (!ok || adresa.isEmpty()) return;
  posledniAdresa_ = adresa;
  const QString token = ptejSe(DalsiText::TokenSite, QString(), &ok);
  if (!ok || !smiOpustit() || (smiJinam && !smiJinam())) return;
  pripoj(adresa, QString(), token);
}

void HraPresSit::MenuHostitClick() {
  const QString start = QFile::decodeName(stav_.nastaveni.startovniAdresar.c_str());
  const QString vychozi = QDir(start).filePath(QStringLiteral("sit.json"));
  const bool z = stav_.zpravaOtevrena;
  stav_.zpravaOtevrena = true;
  const QString soubor = QFileDialog::getOpenFileName(okno_, BezAkceleratoru(texty_.text(DalsiText::HostitSit)),
                                                      QFile::exists(vychozi) ? vychozi : start,
                                                      texty_.text(DalsiText::FiltrSiti));
  stav_.zpravaOtevrena = z;
  if (soubor.isEmpty()) return;
  PopisSite popis;
  std::string chyba;
  if (!CtiSit(QFile::encodeName(soubor).toStdString(), popis, chyba)) {
    hlaseni(DalsiText::NelzeHostit, QString::fromStdString(chyba));
    return;
  }
  QStringList jmena;
  for (const StaniceSite& st : popis.stanice) jmena << QString::fromStdString(st.jmeno);
  bool ok = false;
  stav_.zpravaOtevrena = true;
  const QString volba = QInputDialog::getItem(okno_, BezAkceleratoru(texty_.text(DalsiText::HostitSit)),
                                              texty_.text(DalsiText::KteraStanice), jmena, 0, false, &ok);
  stav_.zpravaOtevrena = z;
  if (!ok) return;
  const QString sluzba = ptejSe(DalsiText::AdresaSluzby, QStringLiteral("7300"), &ok);
  if (!ok || sluzba.isEmpty()) return;
  const QString token = ptejSe(DalsiText::TokenSite, QString(), &ok);
  if (!ok || !smiOpustit() || (smiJinam && !smiJinam())) return;
  hostuj(soubor, volba, sluzba, token);
}

}  // namespace stanovar::shell
