// Conversions between the data files' windows-1250 and the file system's UTF-8. Texts stay
// in their own encoding inside the core and meet only where a path is made from a text read
// from a file, or where a file name is joined to a message.
#pragma once

#include <string>
#include <string_view>

namespace stanovar {

// windows-1250 bytes as UTF-8; the five bytes the code page leaves undefined become U+FFFD.
std::string Cp1250NaUtf8(std::string_view t);
// UTF-8 as windows-1250; characters the code page lacks, and broken sequences, become "?".
std::string Utf8NaCp1250(std::string_view t);

}  // namespace stanovar
