// The settings file stanovar.ini: one line per setting, introduced by a marker byte
// (0x85..0x88, or 0xB8 and a digit 1..8). Paths inside the start-up directory are kept
// relative, so a station folder can be moved with its settings.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#if __has_include(<unistd.h>)
#include <unistd.h>
#define STANOVAR_POSIX 1
#else
#define STANOVAR_POSIX 0
#endif

#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/text.h"

namespace stanovar {

namespace {

const char* const JmenoNastaveni = "stanovar.ini";
const char* const PriponaDocasneho = ".novy";
constexpr std::size_t MaxDelkaRadkuNastaveni = 4096;

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

// The file a settings path stands for: a link is followed (to any depth a sane system
// allows), so that the user's link stays a link and the file it names gets the settings.
std::filesystem::path KonecOdkazu(const std::filesystem::path& cesta) {
  std::filesystem::path p = cesta;
  std::error_code ec;
  for (int i = 0; i < 40 && std::filesystem::is_symlink(p, ec); ++i) {
    std::filesystem::path cil = std::filesystem::read_symlink(p, ec);
    if (ec) break;
    p = cil.is_absolute() ? cil : p.parent_path() / cil;
  }
  return p;
}

// Temporary files of an earlier run that died between writing and renaming. A fresh one may
// belong to another copy of the program saving at this moment, so only old ones go.
void UklidDocasne(const std::filesystem::path& cil) {
  const std::string predpona = cil.filename().string() + PriponaDocasneho;
  std::error_code ec;
  const auto mez = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(10);
  for (std::filesystem::directory_iterator it(cil.parent_path(), ec), konec; !ec && it != konec;
       it.increment(ec)) {
    const std::string jmeno = it->path().filename().string();
    if (jmeno.compare(0, predpona.size(), predpona) != 0) continue;
    std::error_code e2;
    if (it->is_regular_file(e2) && it->last_write_time(e2) < mez && !e2)
      std::filesystem::remove(it->path(), e2);
  }
}

}  // namespace

// Temporary files of an earlier run are cleared first; the new one is never world-readable
// where the old one was not.
bool ZapisCely(const std::filesystem::path& cil, const std::string& obsah) {
  UklidDocasne(cil);
  std::error_code ec;
  const auto stary = std::filesystem::status(cil, ec);
  std::random_device nahoda;
  std::string docasny;
  std::FILE* f = nullptr;
  for (int i = 0; i < 100 && !f; ++i) {
    docasny = cil.string() + PriponaDocasneho + std::to_string(nahoda() % 1000000);
    f = std::fopen(docasny.c_str(), "wbx");  // never reuse a file someone else is writing
  }
  if (!f) return false;
  bool ok = std::fwrite(obsah.data(), 1, obsah.size(), f) == obsah.size();
  ok = std::fflush(f) == 0 && ok;
#if STANOVAR_POSIX
  ok = fsync(fileno(f)) == 0 && ok;
#endif
  ok = std::fclose(f) == 0 && ok;
  if (ok && std::filesystem::exists(stary))
    std::filesystem::permissions(docasny, stary.permissions(), ec);
  if (ok) {
    std::filesystem::rename(docasny, cil, ec);
    ok = !ec;
  }
  if (!ok) std::filesystem::remove(docasny, ec);
  return ok;
}

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
  if (CtiSoubor(soubor, obsah, s.prostredi) != Nacteni::Precteno) {
    // No file at all is a first start. A file that is there but cannot be read holds the
    // user's settings: it is kept from being replaced by the defaults, and the user hears of
    // it when saving is refused, not in a box that holds up the window at start-up.
    // A link to nothing is no file yet; a file whose presence cannot even be checked is
    // treated as there.
    std::error_code ec;
    const bool je = std::filesystem::exists(soubor, ec);
    if (je || ec) {
      n.nastaveniNecitelne = true;
    }
    return false;
  }
  CtiNastaveni(s, obsah);
  return true;
}

void CtiNastaveni(Stav& s, std::string_view obsah) {
  Nastaveni& n = s.nastaveni;
  for (std::string_view r : Radky(obsah)) {
    // No system opens a path this long; such a line is damage, and keeping it would cost
    // its size many times over in every copy and dialog that shows it.
    if (r.empty() || r.size() > MaxDelkaRadkuNastaveni) continue;
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
}

std::string TextNastaveni(const Stav& s) {
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
  return obsah;
}

void ZapisNastaveni(Stav& s) {
  Nastaveni& n = s.nastaveni;
  auto neulozeno = [&](const std::string& cesta) {
    if (!n.chybaUkladaniOznamena) ZpravaOSouboru(s, cesta);
    n.chybaUkladaniOznamena = true;
  };
  const std::string cil = Spoj(n.startovniAdresar, JmenoNastaveni);
  if (n.nastaveniNecitelne) return neulozeno(cil);
  const std::filesystem::path skutecny = KonecOdkazu(cil);
  if (!ZapisCely(skutecny, TextNastaveni(s)))
    return neulozeno(cil);
  n.chybaUkladaniOznamena = false;
}

}  // namespace stanovar
