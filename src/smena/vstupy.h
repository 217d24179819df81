// A person's inputs as a file: CSV with the header time_s,input,x,y, one mouse-down or key a
// line, so that a fault met while playing can be played again exactly. time_s is on the event
// log's scale, simulated seconds since the run's start with three decimals, so an input sits
// between the logged events it fell between. The headless runner replays them (--actions) and the
// window keeps those of the running shift beside its autosave.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "model/oznameni.h"
#include "model/stav.h"

namespace stanovar {

struct Vstup {
  long long ms = 0;  // time_s in whole milliseconds
  // 0 left, 1 right, 2 middle mouse button; or the key's virtual-key code; or an answer on
  // the accept panel (yes, no); or the offer on line track x asked for, as the track key on
  // its blinking line does (the automatic dispatchers ask so).
  enum Druh { Leve, Prave, Prostredni, Klavesa, Ano, Ne, Nabidka } druh = Leve;
  int klavesa = 0;
  int x = 0, y = 0;  // picture pixels: the click, or the cursor for a key
};

// Reads a whole file's text. Empty when it could be read, else the line and what is wrong
// with it; `vstupy` then holds nothing. Inputs must come in time order.
std::string CtiVstupy(const std::string& text, std::vector<Vstup>& vstupy);

// The header, and one input as its line (with its line end), as the reader reads them.
extern const char* const HlavickaVstupu;
std::string RadekVstupu(const Vstup& v);

// Gives the input to the station as the window would: a mouse-down on the picture or a key
// with the cursor at its point.
void ProvedVstup(Stav& s, const Vstup& v);

// The input a Vstup notice announces (its time not set).
Vstup VstupZOznameni(const Oznameni& o);

// The inputs of a running shift as the window keeps them: the file's text from the shift's
// start on, each input at the simulated time it came.
class ZaznamVstupu {
 public:
  // Begins again at simulated time `start` (a day fraction): the header only.
  void zacni(double start);
  // Every event the station runs, before it runs (from its notices).
  void udalost(double cas) { posledni_ = std::max(posledni_, cas); }
  // Gives an input to the window's station now as the headless replay of the record gives it:
  // first the events logged in its millisecond or before, each at its own time, then the
  // input at that millisecond (at the last event's instant when that lies in the same one).
  // Returns its line, kept in the text too; empty for an input the file cannot hold (a key it
  // has no name for), which is given all the same.
  std::string proved(Stav& s, Vstup v);
  const std::string& text() const { return text_; }
  double start() const { return start_; }

 private:
  double start_ = 0;
  double posledni_ = 0;  // the time of the last event or input
  std::string text_;
};

// A simulated time as the event log prints it, in whole milliseconds: `cas` and `start` are
// day fractions.
long long LogovanyCas(double cas, double start);

}  // namespace stanovar
