// The board of trains beside the picture: every train in the station and every offer, with
// what it does now and how long it has waited, the longest wait first. Rows are built from
// the score's runs and the trains' running state, so the board shows the seconds the score
// counts. Texts stay language-free: the window words each state in the user's language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/stav.h"

namespace stanovar {

enum class StavRadku : std::uint8_t {
  Jede,              // running
  Brzdi,             // braking
  StojiUNavestidla,  // standing at a signal with no route beyond it; udaj names the signal
  Stoji,             // standing where no signal is, with no route ahead
  Nabidnut,          // offered, unanswered
  Prijat,            // accepted, its line track still taken
  Obracen,           // turned round, leaving at the time in udaj
};

struct RadekTabule {
  int cislo = 0;
  std::string odkud, kam;  // windows-1250
  StavRadku stav = StavRadku::Jede;
  // The track number at whose end the signal stands (the signal's identifier when the track
  // has none), or the departure time H:MM of a turned train.
  std::string udaj;
  double ceka = 0;    // seconds of the wait now running, 0 when it does not wait
  double celkem = 0;  // seconds waited in all, that wait included
  bool dlouho = false;  // the wait now running is longer than DlouheCekani
};

constexpr double DlouheCekani = 5 * 60;  // seconds

// Fills `radky` with the board at the present simulated time: the trains waiting now first,
// the longest wait first, then the others by the time they waited in all, then by number.
// The vector is reused from call to call, so that a tick allocates nothing once it is big
// enough.
void SestavTabuli(Stav& s, std::vector<RadekTabule>& radky);

// A row of the board chosen: a train in the station is shown in the train panel as the
// train-information key over its track shows it; an unanswered offer opens the accept panel
// as the track-information key over its line track does. Nothing for a train that is gone.
void VyberZTabule(Stav& s, int cislo);

// The track a train's head is on, for the window to mark it; 0 when it is not in the station.
int KolejVlaku(Stav& s, int cislo);

}  // namespace stanovar
