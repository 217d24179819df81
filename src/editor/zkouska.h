// A station tried at once: its files run headless with the automatic dispatcher for some
// simulated hours, as the runner runs them, and what an author wants to know of the run: how
// many trains got through, were refused or still wait, the score, where the station was
// busiest, and whether anything went wrong (an invariant broken, a running calculation that
// failed). Safe on any thread: the run has its own state and touches nothing shared.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace stanovar::editor {

struct VolbyZkousky {
  double hodin = 4;         // simulated hours
  std::uint32_t seed = 1;   // the train generator's
  int cetnost = 4;          // train frequency 1..8
};

// An element of the station with how busy it was.
struct VytizeniPrvku {
  int prvek = 0;       // the element's identifier in the run
  int radek = 0;       // its line in the schema file, from 1; 0 unknown
  std::string nazev;   // "track 3", "connector (12, 24)-(18, 36)", UTF-8
  bool kolej = false;  // a track (else a connector)
  std::string cislo;   // a track's number, windows-1250; empty for none
  long long vjezdu = 0;  // how often a train's head entered it
  double sekund = 0;     // how long it was occupied
  double podil = 0;      // that time as a share of the run, 0..1
};

struct VysledekZkousky {
  std::string chyba;   // the station could not be loaded: what could not; else empty
  bool zruseno = false;  // stopped before its end
  double hodin = 0;      // simulated hours run
  long long projelo = 0;      // trains that left
  long long spatnymSmerem = 0;  // of them, by a line to another neighbour
  long long vjelo = 0, odmitnuto = 0;
  long long veStanici = 0;      // trains still in the station at the end
  long long cekaNaOdpoved = 0;  // offers still unanswered at the end
  long long body = 0;           // the dispatcher's score
  double prumernyPobyt = 0;     // seconds
  std::string poruseni;         // the first invariant broken, empty when none
  double casPoruseni = 0;       // seconds into the run
  int poruchVypoctu = 0;        // running calculations that failed
  long long udalosti = 0;
  double stenaSekund = 0;       // how long the run took
  // Every element a train entered, busiest first (longest occupied, then most entered).
  std::vector<VytizeniPrvku> prvky;
};

// Runs the station of `slozka` (its stanovar.ini and the files it names). `prubeh` hears the
// share done, 0..1, now and then, on the calling thread; a set `zrusit` stops the run at the
// next event and the result says so.
VysledekZkousky ZkusStanici(const std::string& slozka, const VolbyZkousky& volby,
                            const std::function<void(double)>& prubeh = {},
                            const std::atomic<bool>* zrusit = nullptr);

}  // namespace stanovar::editor
