// The messages of network play, one JSON object a WebSocket text message, each with the
// protocol's version ("v") and its kind ("type"). The host is authoritative: it alone runs
// the network and its clock; a player sends the inputs a person makes at its station and
// receives what its view needs; an observer only listens. The README lists every message.
//
// Whatever a client sends is read by CtiZpravuKlienta, which accepts only what the protocol
// describes, within its limits, and refuses anything else before it can touch the world.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "smena/vstupy.h"

namespace stanovar::spojeni {

constexpr int VerzeProtokolu = 1;
// The largest message the host reads from anyone: a message beyond it closes its connection
// unread. A player's inputs of a step are a few hundred bytes.
constexpr std::size_t MaxZpravyHostiteli = 64 * 1024;
// The largest message a client reads: a station's whole state comes in one.
constexpr std::size_t MaxZpravyKlienta = 16 * 1024 * 1024;
// Limits of what a client may send, beyond the message size.
constexpr std::size_t MaxVstupuZpravy = 256;
constexpr std::size_t MaxJmena = 64, MaxTokenu = 256;
constexpr int MaxSouradnice = 1'000'000;

// ---- client to host ----

struct ZpravaKlienta {
  enum Druh { Pripojit, Vstupy, Odejit, Rychlost } druh = Pripojit;
  // Pripojit: a player of a station, or an observer of the whole network.
  bool pozorovatel = false;
  std::string stanice, token;
  // Who plays, so that the host's check knows what to expect: "auto", "random" or "person".
  std::string dispecer = "person";
  // Vstupy: the answer to step `krok`, the inputs in the order they were made.
  long long krok = 0;
  std::vector<Vstup> vstupy;
  // Rychlost: the clock's speed 0 (paused) to 6, asked by whoever holds the host's control
  // key (the window that started the host).
  int rychlost = 1;
  std::string klic;
};

// False, with why, for a message that is not valid JSON, not of this version, of an unknown
// kind, with a member missing, of the wrong type or beyond its limits.
bool CtiZpravuKlienta(std::string_view text, ZpravaKlienta& z, std::string& chyba);

std::string ZpravaPripojeni(const std::string& stanice, const std::string& token, const std::string& dispecer);
std::string ZpravaPozorovatele(const std::string& token);
std::string ZpravaVstupu(long long krok, const std::vector<Vstup>& vstupy);
std::string ZpravaRychlosti(int rychlost, const std::string& klic);
std::string ZpravaOdejit();

// ---- host to client ----

struct ZpravaHostitele {
  enum Druh { Vitej, Odmitnuto, Krok, Konec, Chyba, Deni, Dano, Hodiny } druh = Vitej;
  std::string stanice;               // Vitej, Deni
  std::vector<std::string> stanice_;  // Vitej: every station of the network
  std::vector<std::string> volne;    // Vitej: those nobody plays; Hodiny: those people play
  bool lockstep = false;             // Vitej
  std::string ulozeni;               // Vitej (a player), Krok (the station taken again)
  std::vector<int> propojene;        // Vitej: the line ends of the station linked to others
  // Vitej: the station's files (schema, timetable, locomotives) by the paths the save names,
  // so that a player on another machine reads the very station the host runs.
  std::vector<std::pair<std::string, std::string>> soubory;
  std::string duvod;                 // Odmitnuto, Konec, Chyba
  long long krok = 0;                // Krok; Dano: the step the inputs were made at
  double cas = 0;                    // Krok: simulated time (day fraction) of the step; Hodiny: now
  double rychlost = 1;               // Hodiny: the clock's speed, 0 paused
  bool udalosti = false;             // Krok: the station's events due by then ran
  bool posun = false;                // Krok: then its clock was moved on to the step's time
  bool pohled = false;               // Krok: the player looks and answers
};

bool CtiZpravuHostitele(std::string_view text, ZpravaHostitele& z, std::string& chyba);

std::string ZpravaVitej(const std::string& stanice, const std::vector<std::string>& vsechny, bool lockstep,
                        const std::string& ulozeni, const std::vector<int>& propojene = {},
                        const std::vector<std::string>& volne = {},
                        const std::vector<std::pair<std::string, std::string>>& soubory = {});
// A player's inputs were given at the very instant of step `krok`, as its copy made them.
std::string ZpravaDano(long long krok);
// The host's clock: its simulated time now, its speed, and the stations people play.
std::string ZpravaHodin(double cas, double rychlost, const std::vector<std::string>& hraji);
std::string ZpravaOdmitnuto(const std::string& duvod);
std::string ZpravaKroku(long long krok, double cas, bool udalosti, bool posun, bool pohled,
                        const std::string* ulozeni);
std::string ZpravaKonce(const std::string& duvod);
std::string ZpravaChyby(const std::string& duvod);

}  // namespace stanovar::spojeni
