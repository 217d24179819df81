// What the main window shows, as plain data. The core writes it; the shell mirrors it onto
// its widgets after every call into the core, so tests assert on it without any window.
#pragma once

#include <string>

#include "model/zaznamy.h"

namespace stanovar {

struct PanelView {
  bool viditelny = false;
  int left = 0;
  int top = 0;
};

struct OknoView {
  // Labels of the clock, the simulation speed and the train frequency.
  std::string hodiny;
  std::string RychlostSimLabel;
  std::string CetnostVlakuLabel;

  // Captions replaced by the language file (texts 1 to 11); until then the designed ones.
  // All texts are windows-1250 bytes.
  std::string MenuSoubor = "&Soubor";
  std::string MenuOtevrit = "&Otev\xF8\xEDt n\xE1" "dra\x9E\xED";
  std::string MenuNastav = "&Nastaven\xED";
  std::string MenuKonec = "&Konec";
  std::string MenuNapoveda = "&N\xE1pov\xEC" "da";
  std::string MenuHelp = "&Stru\xE8n\xEC";
  std::string MenuOprogramu = "&O programu";
  std::string Label2 =  // header of the train panel
      "VLAK         c\xEDl          sm\xECr     max. rychl.      d\xE9lka     hmotnost     "
      "loko    odjezd      rychlost     vzd\xE1l.";
  std::string Label3 =  // header of the track panel
      "\xE8\xEDslo koleje   d\xE9lka     max.rychl.   sklon    stanice     soused";
  std::string LabelAno = "ANO";
  std::string LabelNe = "NE";

  // Information panels; all three appear at left 192, top 0 when shown.
  PanelView PanelVlak{false, 192, 0};
  PanelView PanelKolej{false, 185, 288};
  PanelView PanelSouhlas{false, 224, 392};

  // Train panel values.
  std::string LabelVlak, LabelCil, LabelMaxRychl, LabelDelka, LabelHmotnost, LabelLoko,
      LabelOdjezd, LabelRychl, LabelVzdal;
  int ImageSmer = 0;  // direction arrow of the shown train: 0 none, 1 left, 2 right

  // Track panel values.
  std::string LabelKolej, LabelDelkaKol, LabelRychlKol, LabelSklon, LabelStanice, LabelSoused;

  // Offer panel question.
  std::string LabelSouhlas = "P\xF8ijmout vlak";

  // Timers besides the always running 100 ms main loop.
  bool Blikac = false;
  bool Rychlomer = false;

  // Colours of the window, its labels and panels (set by NastavBarvy).
  Barva pozadi = RGB(136, 136, 136);
  Barva popredi = RGB(0, 0, 0);

  // Compact layout of a 96 dots-per-inch screen.
  bool kompaktni = false;

  // The core asks the shell to close the main window (Esc).
  bool zavrit = false;
};

}  // namespace stanovar
