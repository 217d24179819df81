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

namespace {

// Reads one of the station's files if it is there: false, with what went wrong, when it is
// there but cannot be read.
bool CtiJestliJe(const std::string& cesta, const char* co, std::string& obsah, bool& je, std::string& chyba) {
  std::error_code ec;
  obsah.clear();
  je = !cesta.empty() && fs::exists(cesta, ec);
  if (!je) return true;
  if (CtiSoubor(cesta, obsah) == Nacteni::Precteno) return true;
  chyba = std::string("cannot read the ") + co + " " + cesta;
  return false;
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
  const fs::path sl(st.slozka);
  const std::string jmeno = sl.filename().string();
  if (Nastaveni_(st.slozka, s) && !s.nastaveni.cestaSchema.empty()) {
    st.cestaSchematu = NormalizujCestu(s.nastaveni.cestaSchema);
  } else {
    st.novaStanice = !fs::exists(sl / "stanovar.ini", ec);
    st.cestaSchematu = (sl / (jmeno + ".yrd")).string();
  }
  // A station whose settings name no timetable or locomotives gets them beside its schema.
  const std::string kmen = fs::path(st.cestaSchematu).stem().string();
  auto nebo = [&](const std::string& cesta, const char* pripona) {
    return cesta.empty() ? (sl / (kmen + pripona)).string() : NormalizujCestu(cesta);
  };
  st.cestaGrafikonu = nebo(s.nastaveni.cestaGvd, ".gvd");
  st.cestaLokomotiv = nebo(s.nastaveni.cestaLoko, ".lok");

  std::string obsah;
  bool je = false;
  if (!CtiJestliJe(st.cestaSchematu, "station schema", obsah, je, chyba)) return false;
  st.dokument = editor::CtiDokument(obsah);  // drawn from nothing when there is none
  if (!CtiJestliJe(st.cestaGrafikonu, "timetable", st.ulozenyGrafikon, je, chyba)) return false;
  st.grafikon = editor::CtiSeznam(editor::DruhSeznamu::Grafikon, st.ulozenyGrafikon);
  if (!CtiJestliJe(st.cestaLokomotiv, "locomotive list", st.ulozeneLokomotivy, je, chyba)) return false;
  st.lokomotivy = editor::CtiSeznam(editor::DruhSeznamu::Lokomotivy, st.ulozeneLokomotivy);
  return true;
}

bool UlozZEditoru(StaniceEditoru& st, std::string& chyba) {
  std::error_code ec;
  const bool novaStanice = st.novaStanice;
  // A new station whose lists nobody filled gets a timetable and locomotives of its own, each
  // written once and never over an author's own.
  const bool zakladniLoko = novaStanice && st.lokomotivy.zaznamy.empty() && st.lokomotivy.uvod.empty() &&
                            !fs::exists(st.cestaLokomotiv, ec);
  const bool zakladniGvd = novaStanice && st.grafikon.zaznamy.empty() && st.grafikon.uvod.empty() &&
                           !fs::exists(st.cestaGrafikonu, ec);
  const std::string gvd = zakladniGvd ? ZakladniGrafikon(st.dokument, zakladniLoko ? JmenoLokomotivy : "")
                                      : editor::ZapisSeznam(st.grafikon);
  const std::string lok = zakladniLoko ? std::string(ZakladniLokomotivy) : editor::ZapisSeznam(st.lokomotivy);
  const struct {
    const std::string& cesta;
    const std::string obsah;
    bool zapsat;
  } soubory[] = {
      {st.cestaSchematu, editor::ZapisDokument(st.dokument), true},
      {st.cestaGrafikonu, gvd, gvd != st.ulozenyGrafikon || (novaStanice && !fs::exists(st.cestaGrafikonu, ec))},
      {st.cestaLokomotiv, lok, lok != st.ulozeneLokomotivy || (novaStanice && !fs::exists(st.cestaLokomotiv, ec))},
  };
  for (const auto& f : soubory) {
    if (!f.zapsat) continue;
    if (!ZapisCely(f.cesta, f.obsah)) {
      chyba = "cannot write " + f.cesta;
      return false;
    }
  }
  st.ulozenyGrafikon = gvd;
  st.ulozeneLokomotivy = lok;
  // The lists made here are what the author edits from now on; no step of the history
  // touched them, as they were empty.
  if (zakladniGvd) st.grafikon = editor::CtiSeznam(editor::DruhSeznamu::Grafikon, gvd);
  if (zakladniLoko) st.lokomotivy = editor::CtiSeznam(editor::DruhSeznamu::Lokomotivy, lok);
  st.historie.ulozeno();
  if (!novaStanice) return true;
  // A new station: the settings the program needs to open it.
  const std::string ini = (fs::path(st.slozka) / "stanovar.ini").string();
  if (!fs::exists(ini, ec)) {
    Stav s;
    s.nastaveni.startovniAdresar = st.slozka;
    s.nastaveni.cestaSchema = st.cestaSchematu;
    s.nastaveni.cestaGvd = st.cestaGrafikonu;
    s.nastaveni.cestaLoko = st.cestaLokomotiv;
    if (!ZapisCely(ini, TextNastaveni(s))) {
      chyba = "cannot write " + ini;
      return false;
    }
  }
  st.novaStanice = false;
  return true;
}

VysledekKontroly ZkontrolujEditor(const StaniceEditoru& st) {
  const std::string yrd = editor::ZapisDokument(st.dokument);
  const std::string gvd = editor::ZapisSeznam(st.grafikon);
  const std::string lok = editor::ZapisSeznam(st.lokomotivy);
  return ZkontrolujStanici(st.slozka, {&yrd, &gvd, &lok});
}

bool ZapisKopii(const StaniceEditoru& st, const std::string& slozka, std::string& chyba) {
  std::error_code ec;
  fs::create_directories(slozka, ec);
  // The station's own settings (language, colours, line width), its files named anew.
  Stav s;
  Nastaveni_(st.slozka, s);
  Nastaveni& n = s.nastaveni;
  // The language file stays where it is: the copy names it by its whole path.
  n.pozadiNove = n.pozadi;
  n.poprediNove = n.popredi;
  n.sirkaCaryNova = n.sirkaCary;
  n.startovniAdresar = slozka;
  const fs::path cil(slozka);
  auto jmeno = [](const std::string& cesta) { return fs::path(cesta).filename().string(); };
  n.cestaSchema = (cil / jmeno(st.cestaSchematu)).string();
  n.cestaGvd = (cil / jmeno(st.cestaGrafikonu)).string();
  n.cestaLoko = (cil / jmeno(st.cestaLokomotiv)).string();
  const std::pair<std::string, std::string> soubory[] = {
      {n.cestaSchema, editor::ZapisDokument(st.dokument)},
      {n.cestaGvd, editor::ZapisSeznam(st.grafikon)},
      {n.cestaLoko, editor::ZapisSeznam(st.lokomotivy)},
      {(cil / "stanovar.ini").string(), TextNastaveni(s)}};
  for (const auto& [cesta, obsah] : soubory)
    if (!ZapisCely(cesta, obsah)) {
      chyba = "cannot write " + cesta;
      return false;
    }
  // The help document is looked for where the program starts: the station's own go along.
  for (const auto& e : fs::directory_iterator(st.slozka, ec)) {
    const std::string pripona = e.path().extension().string();
    if ((pripona == ".html" || pripona == ".htm") && e.is_regular_file(ec))
      fs::copy_file(e.path(), cil / e.path().filename(), fs::copy_options::overwrite_existing, ec);
  }
  return true;
}

}  // namespace stanovar
