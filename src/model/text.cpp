#include "model/text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace stanovar {

std::int32_t PrevedCislo(std::string_view t, bool* platneCele) {
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  bool zaporne = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    zaporne = t[i] == '-';
    ++i;
  }
  int zaklad = 10;
  if (i < t.size() && t[i] == '$') {
    zaklad = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    zaklad = 16;
    i += 2;
  }
  std::int64_t hodnota = 0;
  std::size_t cislic = 0;
  bool platne = true;
  for (; i < t.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(t[i]);
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (zaklad == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (zaklad == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else {
      platne = false;
      break;
    }
    std::int64_t nova = hodnota * zaklad + d;
    // Hexadecimal may fill all 32 bits (colour values); decimal stays within int32, whose
    // negative side reaches one further.
    std::int64_t mez = zaklad == 16 ? 0xFFFFFFFFLL
                                    : std::int64_t{std::numeric_limits<std::int32_t>::max()} + zaporne;
    if (nova > mez) {
      platne = false;
      break;
    }
    hodnota = nova;
    ++cislic;
  }
  if (cislic == 0) platne = false;
  if (platneCele) *platneCele = platne;
  if (zaporne && platne) return static_cast<std::int32_t>(static_cast<std::uint32_t>(-hodnota));
  // Without its sign the one extra negative value no longer fits: its last digit ends it.
  if (zaklad == 10 && hodnota > std::numeric_limits<std::int32_t>::max()) hodnota /= 10;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(hodnota));
}

double PrevedReal(std::string_view t, double vychozi) {
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  t.remove_prefix(i);
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  if (t.empty()) return vychozi;
  double v = 0;
  auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (ec != std::errc() || p != t.data() + t.size() || !std::isfinite(v)) return vychozi;
  return v;
}

std::string VelkaPismena(std::string_view t) {
  std::string r(t);
  for (auto& ch : r) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z')
      c = static_cast<unsigned char>(c - 32);
    else if (c == 0x9A || c == 0x9C || c == 0x9D || c == 0x9E || c == 0x9F)
      c = static_cast<unsigned char>(c - 0x10);  // š ś ť ž ź
    else if (c == 0xB3)
      c = 0xA3;  // ł
    else if (c == 0xB9)
      c = 0xA5;  // ą
    else if (c == 0xBE)
      c = 0xBC;  // ľ
    else if (c == 0xBF)
      c = 0xAF;  // ż
    else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
      c = static_cast<unsigned char>(c - 0x20);
    ch = static_cast<char>(c);
  }
  return r;
}

std::string Orez(std::string_view t, std::size_t n) { return std::string(t.substr(0, n)); }

std::string Jmeno8(std::string_view t) { return VelkaPismena(t.substr(0, 8)); }

std::string RealNaText(double v) {
  if (std::isnan(v)) return "NAN";
  if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", v);
  return buf;
}

std::string JmenoSouboru(const std::string& cesta) {
  auto p = cesta.find_last_of("\\/");
  return p == std::string::npos ? cesta : cesta.substr(p + 1);
}

}  // namespace stanovar
