// The score's records: what the dispatcher cost each run of a train over the shift. Plain
// data without pointers, held by the state (so that it is saved and restored with the rest)
// and filled by the shift's listener of the core's notices.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace stanovar {

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

}  // namespace stanovar
