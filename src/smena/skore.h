// What the dispatcher cost each train over the shift, and the shift's score.
//
// A train can wait for the dispatcher in three ways: offered by a neighbour and not yet
// answered, accepted but kept outside because its line track is still taken, and standing in
// the station with no route ahead (a turned train standing until its departure time waits
// for its timetable, not for the dispatcher). Each is timed from the moment it begins to the
// moment it ends, in simulated seconds, as the events and the dispatcher's answers run; so the
// window and the headless runner count the same seconds.
//
// The records are plain data kept in the state (model/skore.h), so that they are saved and
// restored with the rest of it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/skore.h"

namespace stanovar {

struct Stav;
struct Oznameni;

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
// The score hears the core's notices: offers made, accepted, refused and removed, trains
// handed over, standing or setting off, and leaving. SledujSkore makes it listen to the
// state's notices from now on (once per state) and returns the listener's number.
void SkoreSlysi(Stav& s, const Oznameni& o);
int SledujSkore(Stav& s);

}  // namespace stanovar
