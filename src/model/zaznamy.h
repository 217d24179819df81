// Plain records of the station, its timetable, its trains and its routes.
//
// Texts are kept as single-byte windows-1250 strings exactly as the data files hold them;
// they become Unicode only on their way to the screen.
#pragma once

#include <cstdint>
#include <list>
#include <string>

namespace stanovar {

// Grid of the station picture: every element end lies on a point of this grid.
constexpr int gx = 6;   // horizontal step, pixels
constexpr int gy = 12;  // vertical step, pixels (one track row to the next)

// Identifier ranges: the quotient by 6000 tells the kind of element.
constexpr int ZakladKoleji = 0;        // tracks 1, 2, 3 ...
constexpr int ZakladSousedu = 6000;    // neighbour line ends 6001 ...
constexpr int ZakladNavestidel = 12000;  // signals 12001 ...
constexpr int ZakladSpojek = 18000;    // connectors 18001 ...
constexpr int MaxPrvkuDruhu = 5999;

inline bool JeKolej(int id) { return id > 0 && id < 6000; }
inline bool JeSoused(int id) { return id / 6000 == 1; }
inline bool JeNavestidlo(int id) { return id / 6000 == 2; }
inline bool JeSpojka(int id) { return id / 6000 >= 3; }

// Colour as the settings file stores it: 0x00BBGGRR, red in the lowest byte.
using Barva = std::uint32_t;
constexpr Barva RGB(int r, int g, int b) {
  return static_cast<Barva>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int Cervena(Barva c) { return static_cast<int>(c & 0xFF); }
constexpr int Zelena(Barva c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Modra(Barva c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr Barva BarvaObsazeno = RGB(255, 0, 0);      // occupied element, waiting route, offer
constexpr Barva BarvaVyber = RGB(224, 224, 0);       // signal chosen as route start
constexpr Barva BarvaCesta = RGB(0, 224, 0);         // locked route
constexpr Barva BarvaNastupiste = RGB(192, 96, 24);  // platform line
constexpr Barva BarvaAno = RGB(0, 224, 0);           // accept label of the offer panel
constexpr Barva BarvaNe = RGB(224, 0, 0);            // refuse label of the offer panel

// Track element: one record type for tracks (Koleje) and connectors (Spojky).
struct RKolej {
  int x1 = 0;
  int x2 = 0;
  int y1 = 0;
  int y2 = 0;
  int id = 0;
  int delka = 0;   // metres
  int sklon = 0;   // tenths of a per mille, for travel from the first end to the second; tracks only
  int vlak = 0;    // train occupying or booked on the element, 0 = none
  std::string cislo;    // track number text (tracks only)
  std::string stanice;  // platform / station name set by platform lines
  std::string soused;   // neighbour whose line end is attached here
  std::uint8_t zaver = 0;      // 0 free, 1 being checked, 2 locked in a route, 3 occupied
  std::uint8_t rychlost = 0;   // maximum speed, km/h (low 8 bits of the file value)
  std::uint8_t doplnek = 0;    // ninth value of a track line; kept, never read
  std::uint8_t druhKonce = 0;  // mirrors the druh of an attached line end, else 0
  bool navestidloX1 = false;   // a signal stands at the first end
  bool navestidloX2 = false;   // a signal stands at the second end
  bool zavorky = false;        // connectors: drawn with end brackets
  bool viditelna = true;
};

struct RNavestidlo {
  int x = 0;
  int y = 0;
  int id = 0;
  // 1 one track begins here, 2 one ends or two begin, 3 one ends and one begins, 4 two end.
  std::uint16_t strana = 0;
  // 0 normal, 1 chosen as route start, 2 route set from it, 4 route request pending.
  std::uint8_t stav = 0;
};

struct RSoused {
  int x = 0;
  int y = 0;
  int id = 0;
  std::string jmeno;        // neighbour station name, upper case, at most 8 characters
  std::uint16_t konec = 0;  // 1 at the first end of its track, 2 at the second
  // 1 arrivals only, 2 departures only, 3 both ways, 5 offer waiting for the dispatcher,
  // 4 offer accepted and waiting for the line track to be free.
  std::uint16_t druh = 0;
  // Linked to a station of a network: its trains come along the line from that station, so
  // the generator sends none from this neighbour. Never set for a station on its own.
  bool propojeny = false;
};

// One step of a route path.
struct RKrok {
  int x = 0;
  int y = 0;  // end point of the step; (-1, -1) for a step that ends at a signal
  int prvek = 0;
  int delka = 0;          // metres accumulated from the start of the path
  int minRychlost = 200;  // lowest maximum speed met so far, km/h
  int cena = 0;           // grid columns crossed on diagonal connectors so far
  std::uint16_t smer = 0;  // 1 towards x1, 2 towards x2, 3 up a vertical, 4 down a vertical
};

// A chain of steps. std::list keeps every step in place while others are inserted or
// unlinked, which the route search relies on; chains move between owners by splicing.
using Kroky = std::list<RKrok>;

struct RCesta {
  int start = 0;  // start signal, or the track before a follow-on section, or 0
  int vlak = 0;
  int minRychlost = 200;
  Kroky cesta;
};

struct RCekajiciCesta {
  int start = 0;  // signal id of a blocked request, or track id of a follow-on section
  int cil = 0;    // for a follow-on section, the signal of the request it belongs to
  std::uint8_t ceka = 0;    // waiting: not to be tried yet
  std::uint8_t drzena = 0;  // held: kept when pending routes are removed by identifier
  Kroky cesta;
};

// Timetable entry.
struct RSpoj {
  int cislo = 0;
  int delka = 250;
  int hmotnost = 500;
  int maxRychlost = 80;
  int hodnotaB = 9999;
  int hodnotaC = 9999;
  int hodnotaA = 0;
  std::string odkud;
  std::string kam;
  std::string loko = "141";
};

// A maximum speed for a locomotive whose file line gives none: it never limits a train.
constexpr int NeomezenaRychlost = 1000000;

struct RLoko {
  std::string jmeno;
  int vykon = 2000;
  int hmotnost = 80;
  int maxRychlost = NeomezenaRychlost;
  int rychlost1 = 50;
  int rychlost2 = 70;
  double odporA = 0.00005;
  double odporB = 0.00007;
  double odporC = 0.04;
  double soucinitelHmot = 1.1;
};

struct RVlak {
  int cislo = 0;
  int delka = 0;
  int hmotnost = 0;     // including the locomotive, tonnes
  int maxRychlost = 0;  // km/h
  int rychlost1 = 50;   // km/h
  int rychlost2 = 70;   // km/h
  int prvek = 0;
  int vykon = 2000;  // kW
  int odjezd = 0;    // hours * 100 + minutes
  int delkaUseku = 0;
  double vzdalenost = 0;  // m from the start of the current route section
  double rychlost = 0;    // m/s
  double CilRychl = 0;    // m/s
  double lim1 = 0;        // m/s
  double lim2 = 0;        // m/s
  double odporA = 0.00005;
  double odporB = 0.00007;
  double odporC = 0.04;
  double sklonPrvku = 0;  // gradient term, m/s^2, positive uphill
  double soucinitelHmot = 1.1;
  double BrzdZrych = 0;  // braking deceleration in force, m/s^2
  std::uint16_t smer = 2;  // 1 towards smaller x, 2 towards larger x
  bool maOdjezd = false;
  bool brzdi = false;
  double cas = 0;  // simulated time of the last state update, day fraction
  std::string cil;
  std::string loko;
  Kroky cesta;
};

// An offer belongs to one line end and one timetable entry: a neighbour may have two line
// ends of one name (a double-track line used both ways), and one train number may stand in
// several entries.
struct RNabidka {
  int cislo = 0;
  int x = 0;
  int y = 0;
  int soused = 0;  // id of the line end that offers the train
  int spoj = -1;   // index in Grafikon of the offered timetable entry
  std::string odkud;
  std::string kam;
  bool faze = false;
  bool prijata = false;
};

// Event kinds; the handler of each lives with the part of the program that owns it.
enum DruhUdalosti : std::uint16_t {
  UdalostObsazeni = 1,    // head of train vlak enters element prvek
  UdalostUvolneni = 2,    // train vlak has cleared element prvek
  UdalostBrzdeni = 3,     // train vlak starts braking at hodnota2 towards hodnota1
  UdalostZmenaJizdy = 4,  // train vlak accelerates or coasts from hodnota2 towards hodnota1
  UdalostStalaJizda = 5,  // train vlak runs on at hodnota1 from hodnota2
  UdalostVjezd = 6,       // train vlak reaches the start prvek of a set route
  UdalostOdjezd = 7,      // train vlak leaves onto a line and is removed
  UdalostGenerace = 8,    // generate the next train
  UdalostRozjezd = 9,     // turned train vlak standing on track prvek may set off
  UdalostBrzdZrych = 10,  // braking deceleration of train vlak becomes hodnota1
};

// Scheduled event. Kinds: 1 occupied, 2 released, 3 start braking, 4 new running phase,
// 5 steady run, 6 enter route, 7 train leaves, 8 generate train, 9 turned train departs,
// 10 set braking deceleration.
struct RUdalost {
  int vlak = 0;
  int prvek = 0;
  double hodnota1 = 0;
  double hodnota2 = 0;
  double cas = 0;
  std::uint16_t druh = 0;
};

// Running plan of one train over one run: distances in m, times in s, speeds in m/s,
// all counted from the plan start.
struct RVypocet {
  double lim1 = 0;
  double lim2 = 0;
  double draha1 = 0;
  double draha2 = 0;
  double cas1 = 0;
  double cas2 = 0;
  double DrahaMax = 0;
  double CasMax = 0;
  double RychlostMax = 0;
  double BrzdaDraha = 0;
  double BrzdaCas = 0;
  double CilRychl = 0;
};

}  // namespace stanovar
