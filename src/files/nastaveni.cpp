// The settings file stanovar.ini: one line per setting, introduced by a marker byte
// (0x85..0x88, or 0xB8 and a digit 1..8). Paths inside the start-up directory are kept
// relative, so a station folder can be moved with its settings.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/cteni.h"
#include "files/soubory.h"
#include "model/text.h"

namespace stanovar {

namespace {

const char* const JmenoNastaveni = "stanovar.ini";

struct PojmenovanaBarva {
  const char* jmeno;
  Barva hodnota;
};

constexpr PojmenovanaBarva Barvy[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080},  {"clNavy", 0x800000},   {"clPurple", 0x800080},
    {"clTeal", 0x808000},   {"clGray", 0x808080},   {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},    {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
};

std::string_view Orizni(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

// Joins a relative entry to the start-up directory with one separator, so a start-up
// directory that is the root ("" once its separator is dropped) still gives "/name".
std::string Spoj(const std::string& adresar, std::string_view jmeno) {
  return adresar + "/" + NormalizujCestu(std::string(jmeno));
}

// The marker and the path as written: relative when the directory part is exactly the
// start-up directory (compared case-sensitively), else whole, and whole when empty.
std::string RadekCesty(const std::string& adresar, const std::string& cesta, std::string relativni,
                       std::string absolutni) {
  std::string c = NormalizujCestu(cesta);
  std::size_t p = c.rfind('/');
  if (p != std::string::npos && c.compare(0, p, adresar) == 0 && p == adresar.size())
    return relativni + c.substr(p + 1);
  return absolutni + c;
}

}  // namespace

std::string BarvaNaText(Barva c) {
  for (const auto& b : Barvy)
    if (b.hodnota == c) return b.jmeno;
  char buf[16];
  std::snprintf(buf, sizeof buf, "$%08x", static_cast<unsigned>(c));
  return buf;
}

bool TextNaBarvu(std::string_view t, Barva& c) {
  t = Orizni(t);
  for (const auto& b : Barvy) {
    if (VelkaPismena(t) == VelkaPismena(b.jmeno)) {
      c = b.hodnota;
      return true;
    }
  }
  bool cele = false;
  const std::int32_t v = PrevedCislo(t, &cele);
  if (!cele || v < 0 || v > 0xFFFFFF) return false;
  c = static_cast<Barva>(v);
  return true;
}

bool NactiNastaveni(Stav& s) {
  return NactiNastaveni(s, Spoj(s.nastaveni.startovniAdresar, JmenoNastaveni));
}

bool NactiNastaveni(Stav& s, const std::string& soubor) {
  Nastaveni& n = s.nastaveni;
  std::string obsah;
  if (!NactiSoubor(soubor, obsah)) return false;
  for (std::string_view r : Radky(obsah)) {
    if (r.empty()) continue;
    const unsigned char m = static_cast<unsigned char>(r[0]);
    std::string_view hodnota = r.substr(1);
    switch (m) {
      case 0x85: n.cestaSchema = NormalizujCestu(std::string(hodnota)); continue;
      case 0x86: n.cestaSchema = Spoj(n.startovniAdresar, hodnota); continue;
      case 0x87: n.cestaGvd = NormalizujCestu(std::string(hodnota)); continue;
      case 0x88: n.cestaGvd = Spoj(n.startovniAdresar, hodnota); continue;
      case 0xB8: break;
      default: continue;
    }
    if (r.size() < 2) continue;
    hodnota = r.substr(2);
    switch (r[1]) {
      case '1': {
        // A colour this program cannot read keeps its default; the rest still loads.
        Barva c;
        n.pozadi = TextNaBarvu(hodnota, c) ? c : Nastaveni{}.pozadi;
        break;
      }
      case '2': {
        Barva c;
        n.popredi = TextNaBarvu(hodnota, c) ? c : Nastaveni{}.popredi;
        break;
      }
      case '3': n.sirkaCary = 1; break;
      case '4': n.sirkaCary = 2; break;
      case '5': n.cestaLoko = NormalizujCestu(std::string(hodnota)); break;
      case '6': n.cestaLoko = Spoj(n.startovniAdresar, hodnota); break;
      case '7': n.cestaJazyk = NormalizujCestu(std::string(hodnota)); break;
      case '8': n.cestaJazyk = Spoj(n.startovniAdresar, hodnota); break;
      default: break;
    }
  }
  return true;
}

void ZapisNastaveni(Stav& s) {
  const Nastaveni& n = s.nastaveni;
  const std::string& a = n.startovniAdresar;
  std::string obsah;
  auto radek = [&](const std::string& t) { obsah += t + "\r\n"; };
  radek(RadekCesty(a, n.cestaSchema, "\x86", "\x85"));
  radek(RadekCesty(a, n.cestaGvd, "\x88", "\x87"));
  radek(RadekCesty(a, n.cestaLoko, "\xB8" "6", "\xB8" "5"));
  radek(RadekCesty(a, n.cestaJazyk, "\xB8" "8", "\xB8" "7"));
  radek("\xB8" "1" + BarvaNaText(n.pozadiNove));
  radek("\xB8" "2" + BarvaNaText(n.poprediNove));
  radek(n.sirkaCaryNova == 1 ? "\xB8" "3" : "\xB8" "4");

  // The new file is written beside the old one and renamed over it only when complete, so
  // a full disk or a crash never leaves a truncated settings file behind.
  const std::string cil = Spoj(a, JmenoNastaveni);
  std::string docasny;
  std::FILE* f = nullptr;
  for (int i = 0; i < 100 && !f; ++i) {
    docasny = cil + ".novy" + std::to_string(i);
    f = std::fopen(docasny.c_str(), "wbx");  // never reuse a file someone else is writing
  }
  if (!f) return;
  bool ok = std::fwrite(obsah.data(), 1, obsah.size(), f) == obsah.size();
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  std::error_code ec;
  if (ok) std::filesystem::rename(docasny, cil, ec);
  if (!ok || ec) std::filesystem::remove(docasny, ec);
}

}  // namespace stanovar
