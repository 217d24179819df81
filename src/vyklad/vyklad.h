// What a front end may ask of the explanations, the layer beside the core that tells a
// newcomer what the specified program keeps silent: why a click or a key did nothing (or not
// what was asked), and what lies under the cursor with its state. It only looks: at the state
// and the core's read-only queries before and after an input, and at the notices the input
// caused. What the core does stays exactly what it is without it.
//
// Texts stay language-free: the window words each reason and description in the player's
// language, from the numbers and names given here.
#pragma once

#include <cstdint>
#include <string>

#include "model/stav.h"

namespace stanovar {

// ==== Why nothing happened ====

enum class Duvod : std::uint8_t {
  Zadny,               // the input did what it asks, or there is nothing to say
  ZacniNavestidlem,    // a click on a track or a connector with no route being chosen
  NavestidloMaCestu,   // a left click on a signal a route is set from
  NavestidloCeka,      // a left click on a signal whose route is stored, waiting
  NicKeZruseni,        // a right click on a signal with no route set or stored
  VlakSeBlizi,         // the route at the signal is not cancelled: train `vlak` runs up to it
  ZadnaCesta,          // the search found no route from the signal to track `kolej`
  TratJenPrijezdy,     // no route to line track `kolej`: it takes arriving trains only now
  UlozenaObsazeno,     // the route is stored: track `kolej` is occupied by train `vlak`
  UlozenaZaver,        // the route is stored: track `kolej` is locked for another route
  UlozenaVyhybka,      // the route is stored: a connector on its way is occupied or locked
  ZadnyPrujezd,        // no way through the connector from what was chosen so far
  VyberPokracuje,      // a click on nothing while a route is chosen
  ZadnyVlak,           // F1 or F5 where no train is
  ZadnaKolej,          // F2 where no track is
  VlakJede,            // F5: train `vlak` is running
  VlakMaOdjezd,        // F5: train `vlak` already has its departure time
  BehemVyberu,         // F5 while a route is being chosen
  NelzeObratit,        // F5: train `vlak` has no free way out behind it
  ZadnaNabidka,        // A or N with no offer open
  TratObsazena,        // train `vlak` accepted, kept outside until its line track is free
  NejvyssiRychlost,    // Up at the highest speed
  JizPozastaveno,      // Down while paused
  NejmensiCetnost,     // Left at the lowest train frequency
  NejvetsiCetnost,     // Right at the highest train frequency
};

struct Vysvetleni {
  Duvod duvod = Duvod::Zadny;
  int vlak = 0;
  std::string kolej;  // a track's number as the schema gives it (windows-1250)
};

// One input of the player: a mouse-down on the picture (station pixels) or a key at the
// cursor point (virtual-key code, cursor point in station pixels).
struct PodnetHrace {
  enum Druh : std::uint8_t { Klik, Klavesa, Souhlas } druh = Klik;
  bool prave = false;  // a right (or middle) click
  int klic = 0;
  int x = 0, y = 0;
};

// Watches one input from just before it enters the core to just after: construct it, pass
// the input into the core, then ask why. It listens to the state's notices meanwhile and
// leaves the point look-ups' continue state as it found it.
class Pozorovani {
 public:
  Pozorovani(Stav& s, const PodnetHrace& v);
  ~Pozorovani();
  Pozorovani(const Pozorovani&) = delete;
  Pozorovani& operator=(const Pozorovani&) = delete;

  Vysvetleni Vysledek();

 private:
  Stav& s_;
  PodnetHrace v_;
  int posluchac_ = 0;
  bool vyber_ = false;
  int start_ = 0;  // the selection's start signal before the input
  bool panelSouhlas_ = false;
  std::uint16_t rychlost_ = 0, cetnost_ = 0;
  bool postavena_ = false, ulozena_ = false, zrusena_ = false;
  int vlakUKurzoru_ = 0;  // the train F5 is pressed over, and whether it had its departure
  bool meloOdjezd_ = false;
  int ulozenaStart_ = 0;
  int prijatyMimo_ = 0;  // train accepted and kept outside
};

// ==== What is under the cursor ====

enum class DruhPrvku : std::uint8_t { Nic, Kolej, Spojka, Navestidlo, Trat };

enum class StavPrvku : std::uint8_t {
  Volny,
  Obsazeny,        // by train `vlak`
  VCeste,          // locked for a route (for train `vlak`, 0 when none is known)
  Zvolene,         // a signal chosen as a route's start
  CestaZNej,       // a signal a route is set from
  CekaNaCestu,     // a signal whose route is stored, waiting
  JenPrijezdy,     // a line end trains only arrive by
  JenOdjezdy,      // a line end trains only leave by
  ObaSmery,        // a line end used both ways
  Nabidka,         // a line end offering train `vlak` since `od`
  Prijata,         // a line end whose train `vlak` is accepted, waiting for its track
};

struct Popis {
  DruhPrvku druh = DruhPrvku::Nic;
  StavPrvku stav = StavPrvku::Volny;
  std::string jmeno;  // the track's number, the signal's track, the neighbour (windows-1250)
  int vlak = 0;
  std::string cil;    // where train `vlak` is bound, when it is in the station
  double od = -1;     // simulated time an offer was made, -1 unknown
};

// The element at station point (x, y) as a tooltip names it: a signal first, then a line
// end, a track, a connector. Changes nothing.
Popis PopisBodu(Stav& s, int x, int y);

// ==== The guided first train ====
//
// A walk-through with the real program: each step waits until the player has done what it
// asks, seen in the state, and never does anything itself. A step the player does before it
// is asked for counts as done.

enum class KrokPruvodce : std::uint8_t {
  Nabidka,   // open the blinking offer (F2 over it)
  Prijmout,  // accept it (A)
  Vjezd,     // click the entry signal in front of the train
  Kolej,     // click a platform track: the route is set
  Panel,     // F1 over the train
  Rychlost,  // F3 or the arrows
  Tabule,    // open the board
  Odjezd,    // set the way out and watch the train leave
  Hotovo,    // it has left
};

class Pruvodce {
 public:
  KrokPruvodce krok() const { return krok_; }
  int vlak() const { return vlak_; }
  // Looks at the state after an input or a tick; `tabule` whether the board is open. True
  // when the step changed.
  bool Obnov(Stav& s, bool tabule);

 private:
  KrokPruvodce krok_ = KrokPruvodce::Nabidka;
  int vlak_ = 0;       // the train the walk-through follows
  int navestidlo_ = 0;  // the signal in front of it
  std::uint16_t rychlost_ = 0;
};

// ==== The station's name ====

// The station's name as its picture shows it: the text label in the largest letters (the
// first of equal ones); the schema file's name without its extension when it has none.
// windows-1250; empty without a station.
std::string JmenoStanice(const Stav& s);

}  // namespace stanovar
