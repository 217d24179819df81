#include "shell/qt_prostredi.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTime>
#include <QUrl>

#include "shell/kodovani.h"

namespace stanovar::shell {

double QtProstredi::casDne() {
  return QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
}

std::uint32_t QtProstredi::msOdPulnoci() {
  return static_cast<std::uint32_t>(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

void QtProstredi::zprava(const std::string& text) { ukaz(ZBajtuRadky(text)); }

void QtProstredi::zpravaOSouboru(const std::string& pred, const std::string& jmeno,
                                 const std::string& po) {
  // The texts are windows-1250, the name the file system's own bytes: each decoded as what
  // it is, then joined.
  ukaz(ZBajtuRadky(pred) + QFile::decodeName(QByteArray::fromStdString(jmeno)) + ZBajtuRadky(po));
}

void QtProstredi::ukaz(const QString& t) {
  if (zobrazZpravu) {
    zobrazZpravu(t);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), t,
                  QMessageBox::Ok, rodic_);
  box.exec();
}

void QtProstredi::otevriDokument(const std::string& cesta) {
  // The request is fire-and-forget: a document that cannot be opened says nothing.
  // Paths are the file system's own bytes, not windows-1250 text.
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(cesta))));
}

int QtProstredi::dpi() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? static_cast<int>(std::lround(s->logicalDotsPerInchX())) : 96;
}

}  // namespace stanovar::shell
