// The one place where windows-1250 bytes of the core become Qt strings and back.
#pragma once

#include <QString>
#include <string>

namespace stanovar::shell {

QString ZBajtu(const std::string& t);
std::string NaBajty(const QString& t);
// Message box texts separate their lines by CR; Qt wants LF.
QString ZBajtuRadky(const std::string& t);

}  // namespace stanovar::shell
