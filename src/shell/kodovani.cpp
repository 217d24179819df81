#include "shell/kodovani.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace stanovar::shell {

QString ZBajtu(const std::string& t) {
  // One decoder for every text: finding the code page by name costs far more than decoding a
  // label. A single-byte code page leaves no state between texts.
  static QStringDecoder d("windows-1250", QStringConverter::Flag::Stateless);
  return d.decode(QByteArrayView(t.data(), static_cast<qsizetype>(t.size())));
}

std::string NaBajty(const QString& t) {
  QStringEncoder e("windows-1250");
  QByteArray b = e.encode(t);
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString ZBajtuRadky(const std::string& t) {
  QString s = ZBajtu(t);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

}  // namespace stanovar::shell
