// What the dispatcher cost each train over the shift, and the shift's score.
//
// A train can wait for the dispatcher in three ways: offered by a neighbour and not yet
// answered, accepted but kept outside because its line track is still taken, and standing in
// the station with no route ahead (a turned train standing until its departure time waits
// for its timetable, not for the dispatcher). Each is timed from the moment it begins to the
// moment it ends, in simulated seconds, as the events and the dispatcher's answers run; so the
// window and the headless runner count the same seconds.
//
// Everything here is plain data kept in the state, without pointers, so that it is saved and
// restored with the rest of the state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stanovar {

struct Stav;
struct RNabidka;
struct RVlak;

// How a train waits now.
enum CekaniVlaku : std::uint8_t {
  NeCeka = 0,
  CekaNaOdpoved = 1,  // offered, unanswered
  CekaNaTrat = 2,     // accepted, its line track still taken
  CekaNaCestu = 3,    // standing in the station with no route ahead
};

// Where one run of a train is.
enum FazeVlaku : std::uint8_t {
  FazeNabidnut = 0,  // offered or accepted, still outside
  FazeVeStanici = 1,
  FazeKonec = 2,  // left, refused, or its hand-over came to nothing
};

// One run of a train: a timetable number may come again later in the shift.
struct SkoreVlaku {
  int cislo = 0;
  std::string odkud, kam;  // windows-1250, as the timetable gives them
  double nabidnut = -1;    // simulated day times; -1 when it did not happen
  double vjel = -1;
  double odjel = -1;
  // Closed waits, seconds.
  double naOdpoved = 0, naTrat = 0, naCestu = 0;
  double cekaOd = 0;  // start of the wait now open
  CekaniVlaku ceka = NeCeka;
  FazeVlaku faze = FazeNabidnut;
  bool odmitnut = false;
  bool spatnymSmerem = false;  // left by a line to another neighbour
};

// One point of the shift's course: from `cas` on, so many trains were in the station and so
// many of all trains (outside too) waited.
struct BodSmeny {
  double cas = 0;
  int veStanici = 0;
  int cekaji = 0;
};

struct Skore {
  double zacatek = -1;             // simulated time of the first thing seen; -1 nothing yet
  std::vector<SkoreVlaku> vlaky;   // every run of the shift, in the order first seen
  std::vector<int> aktivni;        // indexes into vlaky of the runs offered or in the station
  int predavany = -1;              // run whose offer was just removed for its hand-over
  int veStanici = 0, cekaji = 0;   // now
  std::vector<BodSmeny> prubeh;    // a point whenever one of the two counts changed
};

// Weights of the points, as the help documents explain them.
constexpr int BodyZaVlak = 20;      // for each train that left towards its destination
constexpr int BodyZaOdmitnuti = 20; // taken off for each refused train
constexpr double BodyZaMinutu = 1;  // taken off for each minute a train waited

// The score of the shift up to `ted`: waits still running count up to then.
struct VysledekSkore {
  long long body = 0;
  long long odbaveno = 0;       // trains that left towards their destination
  long long spatnymSmerem = 0;  // trains that left by another line
  long long odmitnuto = 0;
  double naOdpoved = 0, naTrat = 0, naCestu = 0;  // seconds
  double zpozdeni = 0;          // all three together
  int cekaji = 0;               // trains waiting now
  int veStanici = 0;
};
VysledekSkore SpocitejSkore(const Stav& s, double ted);
// The three waits of one run up to `ted`, seconds.
void CekaniRunu(const SkoreVlaku& v, double ted, double& naOdpoved, double& naTrat,
                double& naCestu);

// Every run of the shift as CSV (UTF-8, a header line first): the train, where from and to,
// the times of day it was offered, entered and left (empty when it did not), its three waits
// in seconds up to `ted`, and whether it was refused or left by another line (1 or 0).
std::string CsvSmeny(const Stav& s, double ted);

// A new shift begins now on a station already running (one taken over): the trains there and
// the offers made keep being counted, but only from now on, and nothing before counts.
void ZacniSmenu(Stav& s);
// Where the program tells the score what happened; each reads the simulated clock itself.
// An offer has been made.
void SkoreNabidka(Stav& s, const RNabidka& n);
// The offer of train `cislo` was accepted while its line track is taken.
void SkorePrijeti(Stav& s, int cislo);
// The offer of train `cislo` was refused.
void SkoreOdmitnuti(Stav& s, int cislo);
// The offer of train `cislo` is being removed (its train enters now, or it was refused).
void SkoreKonecNabidky(Stav& s, int cislo);
// Train `cislo` from `odkud` has been handed over into the station.
void SkoreVjezd(Stav& s, int cislo, const std::string& odkud, const std::string& kam);
// Train T leaves the station now (before its record is freed).
void SkoreOdjezd(Stav& s, RVlak& T);
// Train `cislo` may have stopped or set off: its running state is looked at again.
void SkoreVlak(Stav& s, int cislo);

}  // namespace stanovar
