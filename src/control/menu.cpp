
#include <filesystem>
#include <system_error>

#include "files/soubory.h"
#include "jadro.h"
#include "model/kodovani.h"
#include "traffic/smycka.h"

namespace stanovar {

void MenuOtevritZacni(Stav& s) {
  ZacniModalni(s);
  auto& n = s.nastaveni;
  n.sirkaCary = n.sirkaCaryNova;
  n.pozadi = n.pozadiNove;
  n.popredi = n.poprediNove;
}

void MenuDialogKonec(Stav& s) {
  ZapisNastaveni(s);
  KonecModalni(s);
}

std::string TextOProgramu(const Stav& s) {
  return "Program:           Stanovar\r" + s.Text(31) +
         "\rVerze:                1.33\rAutor:              Stanovar developers";
}

void MenuOprogramuClick(Stav& s) {
  ZacniModalni(s);
  s.prostredi->zprava(TextOProgramu(s));
  KonecModalni(s);
}

std::string CestaNapovedy(const Stav& s) {
  if (s.Text(32).empty()) return {};
  // The name is windows-1250 text of the language file; the path is the file system's UTF-8.
  return s.nastaveni.startovniAdresar + "/" + Cp1250NaUtf8(s.Text(32));
}

void MenuHelpClick(Stav& s) {
  // A help document that is not there says nothing; asking the desktop to open it would
  // only bring up its own error.
  std::string c = CestaNapovedy(s);
  std::error_code e;
  if (!c.empty() && std::filesystem::is_regular_file(c, e)) s.prostredi->otevriDokument(c);
}

}  // namespace stanovar
