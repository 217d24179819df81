// The one owner of all simulator state. The main window owns exactly one; a test makes as
// many as it likes. Nothing in the core is global.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/indexy.h"
#include "model/okno.h"
#include "model/oznameni.h"
#include "model/platno.h"
#include "model/prostredi.h"
#include "model/zaznamy.h"
#include "model/fronta.h"
#include "model/skore.h"

namespace stanovar {

// Display settings: the active values are used for drawing, the pending ones are edited by
// the settings dialog and become active when a station is next opened.
struct Nastaveni {
  int sirkaCary = 2;
  Barva pozadi = RGB(136, 136, 136);
  Barva popredi = RGB(0, 0, 0);
  int sirkaCaryNova = 2;
  Barva pozadiNove = RGB(136, 136, 136);
  Barva poprediNove = RGB(0, 0, 0);
  int velikostTextu = 7;  // points; 9 on a 96 dots-per-inch screen

  std::string cestaSchema;
  std::string cestaGvd;
  std::string cestaLoko;
  std::string cestaJazyk;
  std::string startovniAdresar;  // working directory at start-up, no trailing separator

  // stanovar.ini is there but could not be read: it is never replaced, so that settings the
  // program could not see are not lost.
  bool nastaveniNecitelne = false;
  // A failure to save the settings has been told to the user, who is told once.
  bool chybaUkladaniOznamena = false;
};

struct PametCest;

struct Stav {
  // Interfaces to the outside; not owned. Both must be set before the core is called.
  Platno* platno = nullptr;
  Prostredi* prostredi = nullptr;

  // Station lists, filled by the loaders in file order and emptied only by the reset.
  // Records in them never move while a station is open.
  std::vector<RKolej> Koleje;
  std::vector<RKolej> Spojky;
  std::vector<RNavestidlo> Navestidla;
  std::vector<RSoused> Sousede;
  std::vector<RSpoj> Grafikon;
  int aktualniSpoj = -1;  // index of the current timetable entry, -1 none
  int PocetSpoju = 0;
  std::vector<RLoko> Lokomotivy;

  // Run-time lists: records are created and retired in any order, so they live in lists
  // whose records stay in place.
  std::list<RVlak> Vlaky;
  std::list<RNabidka> Nabidky;
  std::list<RCesta> Cesty;
  std::list<RCekajiciCesta> CekajiciCesty;
  Kroky HledanaCesta;  // candidate list of the route search, then the found path
  Kroky UlozenaCesta;  // path picked so far through via points

  FrontaUdalosti fronta;

  // Point look-up state: index of the record the last KolejVBode / SpojkaVBode call
  // returned, -1 when it found nothing (the continue rule resumes from here).
  int kolejVBodePosledni = -1;
  int spojkaVBodePosledni = -1;
  // Indexes that keep the point look-ups fast on large stations: tracks by row, connectors
  // by the points they hold, and the last signal at each point.
  IndexKoleji kolejePodleBodu;
  IndexSpojek spojkyPodleBodu;
  std::unordered_map<std::int64_t, int> navestidloNaBode;

  // Route selection.
  bool VyberCesty = false;
  int StartNavestidlo = 0;
  int PosledniX = 0;
  int PosledniY = 0;
  std::uint16_t PosledniSmer = 0;
  int CilovaKolej = 0;
  // Optional, not owned: paths found for plain selections, for a caller that keeps the
  // station unchanged for as long as this is set (the headless runner). Empty by default, and
  // then every selection searches.
  PametCest* pametCest = nullptr;

  // Clock.
  double SimZaklad = 0;
  double RealZnacka = 0;
  // The wall-clock time of day at the latest reading: the clock has passed midnight when a
  // reading is earlier. The stamp alone cannot tell once a rebase has set it to midnight.
  double PosledniCteni = 0;
  std::uint16_t RychlostSim = 1;
  std::uint16_t PosledniRychlost = 0;

  std::uint16_t CetnostVlaku = 4;
  int NabizenyVlak = 0;
  int ZobrazenyVlak = 0;
  std::uint32_t nahoda = 0;  // state of the train generator's random numbers

  Nastaveni nastaveni;
  std::array<std::string, 38> jazyk{};  // texts 1 to 37; index 0 unused

  OknoView okno;

  // A message box raised from inside a core handler is open: the shell skips timer ticks.
  bool zpravaOtevrena = false;

  // Calculation faults so far, reported or not; and, while one operation runs (a hand-over, a
  // route entry, a re-planning, a generation), whether it has shown one already: one failing
  // operation shows one report, however many of its calculations fail.
  int hlaseniVypoctu = 0;
  int hloubkaOperace = 0;
  bool hlasenoVOperaci = false;

  // Whoever hears the notices (model/oznameni.h): the score, logs, headless runs, checks.
  // Nobody by default, and then announcing costs one test. A copy made to try something out
  // should stop them (vycisti) so that only the real state is heard.
  Posluchaci posluchaci;
  // Entry points of a person's inputs being handled now, one inside another (OznamVstup).
  int vstupOsoby = 0;

  // What the dispatcher cost each train so far, for the score, the board and the report;
  // kept by the shift's listener when one listens.
  Skore skore;

  // Hears each schema line once the reader has handled it: its number from 1, its kind and
  // fields 1 to 9 (index 0 unused). Empty by default; the station checker compares the lists
  // before and after to tell which lines placed nothing.
  std::function<void(int radek, char druh, const std::array<std::string_view, 10>& pole)>
      schemaRadek;

  // Text n of the language file, or the built-in one when the file gave none or an empty one.
  const std::string& Text(int n) const;
};

// Makes `f` hear every executed event with the simulated time it ran at, from now on;
// returns the listener's number.
int PoslouchejUdalosti(Stav& s, std::function<void(double cas, const RUdalost& u)> f);

// Shows a modal message box through the outside, noting that one is open meanwhile.
void Zprava(Stav& s, const std::string& text);

}  // namespace stanovar
