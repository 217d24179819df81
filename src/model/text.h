// Conversions shared by every reader: integers, locale-independent reals and the
// windows-1250 upper-casing of names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stanovar {

// Integer conversion of the data files: leading blanks skipped, an optional sign, decimal
// digits, or hexadecimal after "$" or "0x". The digits before the first other character
// give the value; the sign counts only when the whole text is a valid number. Empty text
// gives 0; nothing is ever reported. Digits that would leave the 32-bit range end the number.
// `platne`, when given, tells whether the whole text was one number.
std::int32_t PrevedCislo(std::string_view t, bool* platne = nullptr);

// Real with a point as decimal separator, whatever the locale: optional blanks, sign,
// digits, point and digits, exponent. Anything else, or a trailing rest, gives `vychozi`.
double PrevedReal(std::string_view t, double vychozi);

// Upper case through the windows-1250 code page.
std::string VelkaPismena(std::string_view t);
// At most n leading bytes.
std::string Orez(std::string_view t, std::size_t n);
// A name as the readers store it: first 8 bytes, upper-cased.
std::string Jmeno8(std::string_view t);

// Reals in the shortest general form with up to 15 significant digits (0.7, -1,
// 27.7777777777778), as the error report prints them.
std::string RealNaText(double v);

// The file name of a path: the part after its last backslash or slash.
std::string JmenoSouboru(const std::string& cesta);

}  // namespace stanovar
