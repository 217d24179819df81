// Start-up of the main window, the reset, and opening another station.
#include <string>

#include "display/kresleni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"

namespace stanovar {

void VyprazdniBeh(Stav& s) {
  s.Vlaky.clear();
  s.Nabidky.clear();
  s.Cesty.clear();
  s.CekajiciCesty.clear();
  s.HledanaCesta.clear();
  s.UlozenaCesta.clear();
  s.fronta.vyprazdni();
  s.skore = {};
}

namespace {
// Every list of the station and of the run, the route search's paths and the event queue.
void VyprazdniSeznamy(Stav& s) {
  VyprazdniStanici(s);
  VyprazdniBeh(s);
  s.PocetSpoju = 0;
}
}  // namespace

void Spust(Stav& s, const std::string& startovniAdresar) {
  Nastaveni& n = s.nastaveni;
  s.VyberCesty = false;
  // Kept without its trailing separator; the root directory thus becomes "" and relative
  // entries joined to it still read "/name".
  std::string adresar = startovniAdresar;
  while (!adresar.empty() && (adresar.back() == '/' || adresar.back() == '\\')) adresar.pop_back();
  n.startovniAdresar = adresar;
  n.cestaSchema.clear();
  n.cestaGvd.clear();
  n.cestaLoko.clear();
  n.cestaJazyk.clear();

  n.sirkaCary = 2;
  n.pozadi = Nastaveni{}.pozadi;
  n.popredi = Nastaveni{}.popredi;
  NastavBarvy(s);

  VyprazdniSeznamy(s);
  s.NabizenyVlak = 0;
  s.ZobrazenyVlak = 0;
  s.RychlostSim = 1;
  s.PosledniRychlost = 0;
  s.CetnostVlaku = 4;
  const double ted = s.prostredi->casDne();
  s.SimZaklad = ted;
  s.RealZnacka = ted;
  s.PosledniCteni = ted;

  n.velikostTextu = 7;
  s.okno.kompaktni = false;
  if (s.prostredi->dpi() == 96) {
    n.velikostTextu = 9;
    s.okno.kompaktni = true;
  }

  PouzijPopisky(s);
  // Without a settings file nothing is loaded: no language, no station. A read error part
  // way through a file ends the sequence there.
  if (NactiNastaveni(s)) {
    NastavBarvy(s);
    if (OtevriLng(s) && OtevriLoko(s) && otevrit(s)) OtevriGvd(s);
  }

  n.sirkaCaryNova = n.sirkaCary;
  n.pozadiNove = n.pozadi;
  n.poprediNove = n.popredi;

  s.okno.RychlostSimLabel = s.Text(27) + "1";
  s.okno.CetnostVlakuLabel = s.Text(26) + "4";
}

void ZrusitVse(Stav& s) {
  VyprazdniSeznamy(s);
  // The offers are gone with the station: nothing is left to blink or to answer.
  s.okno.Blikac = false;
  s.okno.PanelSouhlas.viditelny = false;
  s.VyberCesty = false;
  NastavBarvy(s);
}

void OtevriStanici(Stav& s) {
  ZrusitVse(s);
  if (OtevriLoko(s) && otevrit(s)) OtevriGvd(s);
}

bool NakresliStanici(Stav& s) {
  NastavBarvy(s);
  return otevrit(s);
}

void NakresliSchema(Stav& s, std::string_view schema) {
  ZrusitVse(s);
  CtiSchema(s, schema);
}

}  // namespace stanovar
