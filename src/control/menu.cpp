#include "control/menu.h"

#include "files/soubory.h"
#include "traffic/smycka.h"

namespace stanovar {

void MenuDialogZacni(Stav& s) { ZacniModalni(s); }

void MenuOtevritZacni(Stav& s) {
  MenuDialogZacni(s);
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
  MenuDialogZacni(s);
  s.prostredi->zprava(TextOProgramu(s));
  KonecModalni(s);
}

std::string CestaNapovedy(const Stav& s) {
  if (s.Text(32).empty()) return {};
  return s.nastaveni.startovniAdresar + "/" + s.Text(32);
}

void MenuHelpClick(Stav& s) {
  std::string c = CestaNapovedy(s);
  if (!c.empty()) s.prostredi->otevriDokument(c);
}

}  // namespace stanovar
