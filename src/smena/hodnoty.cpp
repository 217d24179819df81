#include "smena/hodnoty.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <utility>

#include "smena/smena.h"

namespace stanovar {

namespace ulozeni {

void vadne(std::string co) { throw Vadne{std::move(co)}; }

json Realne(double d) {
  if (std::isfinite(d)) return d;
  if (std::isnan(d)) return "nan";
  return d > 0 ? "inf" : "-inf";
}

double Realne(const json& j, const char* co) {
  if (j.is_number()) return j.get<double>();
  if (j.is_string()) {
    const auto& t = j.get_ref<const std::string&>();
    if (t == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (t == "inf") return std::numeric_limits<double>::infinity();
    if (t == "-inf") return -std::numeric_limits<double>::infinity();
  }
  vadne(co);
}

double Konecne(const json& j, const char* co) {
  const double d = Realne(j, co);
  if (!std::isfinite(d)) vadne(co);
  return d;
}

long long Cele(const json& j, const char* co, long long lo, long long hi) {
  if (!j.is_number_integer()) vadne(co);
  long long v;
  if (j.is_number_unsigned()) {
    const auto u = j.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(std::numeric_limits<long long>::max())) vadne(co);
    v = static_cast<long long>(u);
  } else {
    v = j.get<long long>();
  }
  if (v < lo || v > hi) vadne(co);
  return v;
}

int Int(const json& j, const char* co) {
  return static_cast<int>(
      Cele(j, co, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool Pravda(const json& j, const char* co) {
  if (!j.is_boolean()) vadne(co);
  return j.get<bool>();
}

json Text(const std::string& b) {
  std::string u;
  u.reserve(b.size());
  for (unsigned char c : b) {
    if (c < 0x80) {
      u += static_cast<char>(c);
    } else {
      u += static_cast<char>(0xC0 | (c >> 6));
      u += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return u;
}

std::string Text(const json& j, const char* co) {
  if (!j.is_string()) vadne(co);
  const auto& u = j.get_ref<const std::string&>();
  std::string b;
  b.reserve(u.size());
  for (std::size_t i = 0; i < u.size(); ++i) {
    const auto c = static_cast<unsigned char>(u[i]);
    if (c < 0x80) {
      b += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < u.size() &&
               (static_cast<unsigned char>(u[i + 1]) & 0xC0) == 0x80) {
      b += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(u[i + 1]) & 0x3F));
      ++i;
    } else {
      vadne(co);
    }
  }
  return b;
}

const json& Pole(const json& o, const char* klic) {
  if (!o.is_object()) vadne(klic);
  auto it = o.find(klic);
  if (it == o.end()) vadne(klic);
  return *it;
}

const json& Seznam(const json& j, const char* co, bool) {
  if (!j.is_array() || j.size() > MaxZaznamu) vadne(co);
  return j;
}

const json& Seznam(const json& o, const char* klic) { return Seznam(Pole(o, klic), klic, true); }

const json& Prvky(const json& j, std::size_t n, const char* co) {
  if (!j.is_array() || j.size() != n) vadne(co);
  return j;
}

namespace {

std::string Dump(const json& x) { return x.dump(-1, ' ', false, json::error_handler_t::replace); }

void Zapis(const json& j, int hloubka, std::string& ven) {
  constexpr int Rozbalit = 3;
  if (hloubka >= Rozbalit || j.empty() || !(j.is_object() || j.is_array())) {
    ven += Dump(j);
    return;
  }
  const std::string odsazeni(static_cast<std::size_t>(hloubka) + 1, ' ');
  ven += j.is_object() ? "{\n" : "[\n";
  bool prvni = true;
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (!prvni) ven += ",\n";
    prvni = false;
    ven += odsazeni;
    if (j.is_object()) ven += Dump(it.key()) + ": ";
    Zapis(*it, hloubka + 1, ven);
  }
  ven += '\n';
  ven.append(static_cast<std::size_t>(hloubka), ' ');
  ven += j.is_object() ? '}' : ']';
}

}  // namespace

std::string Rozlozeni(const json& j) {
  std::string t;
  Zapis(j, 0, t);
  t += '\n';
  return t;
}

std::string Kompaktne(const json& j) { return Dump(j); }

bool MelkeVnoreni(std::string_view text) {
  constexpr int MaxVnoreni = 16;
  int hloubka = 0;
  bool vTextu = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (vTextu) {
      if (c == '\\') ++i;
      else if (c == '"') vTextu = false;
    } else if (c == '"') {
      vTextu = true;
    } else if (c == '[' || c == '{') {
      if (++hloubka > MaxVnoreni) return false;
    } else if (c == ']' || c == '}') {
      --hloubka;
    }
  }
  return true;
}

}  // namespace ulozeni

std::string KanonickyText(const nlohmann::json& ulozeni) { return ulozeni::Rozlozeni(ulozeni); }

std::string Otisk(std::string_view data) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : data) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char b[17];
  std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(h));
  return b;
}

}  // namespace stanovar
