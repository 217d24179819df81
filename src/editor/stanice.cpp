// A station folder opened in the editor and saved from it.
#include <filesystem>
#include <set>
#include <string>

#include "editor/editor.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/text.h"

namespace stanovar {

namespace fs = std::filesystem;

namespace {

std::string Absolutni(const std::string& slozka) {
  std::error_code ec;
  std::string a = fs::absolute(fs::path(slozka), ec).lexically_normal().string();
  if (ec) a = slozka;
  while (a.size() > 1 && a.back() == '/') a.pop_back();
  return a;
}

// The settings of the folder's stanovar.ini, or none.
bool Nastaveni_(const std::string& slozka, Stav& s) {
  s.nastaveni.startovniAdresar = slozka;
  return NactiNastaveni(s);
}

// The locomotive a new station's trains run behind: a mixed-traffic electric one.
constexpr const char* JmenoLokomotivy = "E12";
constexpr const char* ZakladniLokomotivy = "*#E12#120#3060#88#50#80#0.00005#0.00007#0.04#1.15\r\n";

// A timetable for a station that has none: one train each way between every two neighbours
// whose lines take trains in and out, so that the station has traffic when it is first run.
// `loko` names their locomotive (none: the program's default one).
std::string ZakladniGrafikon(const editor::Dokument& d, const std::string& loko) {
  std::set<std::string> vjezd, odjezd;
  for (const editor::RadekSchematu& r : d.radky) {
    if (r.druh != '6') continue;
    const std::string jmeno = Jmeno8(r.pole[4]);
    const int druh = r.cislo(6);
    if (jmeno.empty()) continue;
    if (druh == 1 || druh == 3) vjezd.insert(jmeno);
    if (druh == 2 || druh == 3) odjezd.insert(jmeno);
  }
  std::string t;
  int cislo = 1001;
  for (const std::string& a : vjezd)
    for (const std::string& b : odjezd)
      if (a != b)
        t += "*#" + std::to_string(cislo++) + "#" + a + "#" + b + "#200#400#100" +
             (loko.empty() ? "" : "#" + loko) + "\r\n";
  return t;
}

}  // namespace

bool OtevriProEditor(const std::string& slozka, StaniceEditoru& st, std::string& chyba) {
  st = StaniceEditoru{};
  st.slozka = Absolutni(slozka);
  std::error_code ec;
  if (!fs::is_directory(st.slozka, ec)) {
    chyba = "no such folder: " + slozka;
    return false;
  }
  Stav s;
  if (Nastaveni_(st.slozka, s) && !s.nastaveni.cestaSchema.empty()) {
    st.cestaSchematu = NormalizujCestu(s.nastaveni.cestaSchema);
  } else {
    st.novaStanice = !fs::exists(fs::path(st.slozka) / "stanovar.ini", ec);
    st.cestaSchematu = (fs::path(st.slozka) / (fs::path(st.slozka).filename().string() + ".yrd")).string();
  }
  if (!fs::exists(st.cestaSchematu, ec)) return true;  // drawn from nothing
  std::string obsah;
  if (CtiSoubor(st.cestaSchematu, obsah) != Nacteni::Precteno) {
    chyba = "cannot read the station schema " + st.cestaSchematu;
    return false;
  }
  st.dokument = editor::CtiDokument(obsah);
  return true;
}

bool UlozZEditoru(StaniceEditoru& st, std::string& chyba) {
  if (!ZapisCely(st.cestaSchematu, editor::ZapisDokument(st.dokument))) {
    chyba = "cannot write " + st.cestaSchematu;
    return false;
  }
  st.historie.ulozeno();
  if (!st.novaStanice) return true;
  // A new station: the files the program needs to open it, each written once and never over
  // an author's own.
  const fs::path slozka(st.slozka);
  const std::string jmeno = fs::path(st.cestaSchematu).stem().string();
  Stav s;
  s.nastaveni.startovniAdresar = st.slozka;
  s.nastaveni.cestaSchema = st.cestaSchematu;
  s.nastaveni.cestaGvd = (slozka / (jmeno + ".gvd")).string();
  s.nastaveni.cestaLoko = (slozka / (jmeno + ".lok")).string();
  std::error_code ec;
  // The trains name the locomotive only when its list is written here too: an author's own
  // list has locomotives of its own names.
  const bool novaLoko = !fs::exists(s.nastaveni.cestaLoko, ec);
  const struct {
    std::string cesta, obsah;
  } soubory[] = {{s.nastaveni.cestaGvd, ZakladniGrafikon(st.dokument, novaLoko ? JmenoLokomotivy : "")},
                 {s.nastaveni.cestaLoko, ZakladniLokomotivy},
                 {(slozka / "stanovar.ini").string(), TextNastaveni(s)}};
  for (const auto& f : soubory) {
    if (fs::exists(f.cesta, ec)) continue;
    if (!ZapisCely(f.cesta, f.obsah)) {
      chyba = "cannot write " + f.cesta;
      return false;
    }
  }
  st.novaStanice = false;
  return true;
}

VysledekKontroly ZkontrolujEditor(const StaniceEditoru& st) {
  const std::string obsah = editor::ZapisDokument(st.dokument);
  return ZkontrolujStanici(st.slozka, &obsah);
}

}  // namespace stanovar
