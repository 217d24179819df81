// What a front end may ask of the shift, the layer beside the core that keeps what the
// specified program forgets: the score of the dispatcher's shift and the board of trains
// (listeners of the core's notices), saving a shift and resuming it exactly, and taking over a
// station already running. The window and the headless runner include this header, never the
// folder's others.
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/skore.h"
#include "model/stav.h"
// A person's inputs as a file, replayed by the runner and kept by the window.
#include "smena/vstupy.h"

namespace stanovar {

class AutomatickyDispecer;
class JednoduchyDispecer;
class NahodnyDispecer;
class KontrolaStavu;
class VirtualniProstredi;
struct Oznameni;

// ==== The score ====
//
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

// ==== The board of trains ====
//
// The board of trains beside the picture: every train in the station and every offer, with
// what it does now and how long it has waited, the longest wait first. Rows are built from
// the score's runs and the trains' running state, so the board shows the seconds the score
// counts. Texts stay language-free: the window words each state in the user's language.

enum class StavRadku : std::uint8_t {
  Jede,              // running
  Brzdi,             // braking
  StojiUNavestidla,  // standing at a signal with no route beyond it; udaj names the signal
  Stoji,             // standing where no signal is, with no route ahead
  Nabidnut,          // offered, unanswered
  Prijat,            // accepted, its line track still taken
  Obracen,           // turned round, leaving at the time in udaj
  NaTrati,           // on a line from a linked station, arriving in the time in udaj
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

// The signal in front of a train: at the end of the track its head is on, facing its way;
// none when no signal stands there. The track is given in `kolej` when asked for. The board
// and the report's waits at signals both ask this.
RNavestidlo* NavestidloPredVlakem(Stav& s, RVlak& T, RKolej** kolej = nullptr);

// The track a train's head is on, for the window to mark it; 0 when it is not in the station.
int KolejVlaku(Stav& s, int cislo);

// ==== The clock around the shift's commands ====
//
// The specified dialogs always resume when they close; the shift's own commands (save, open,
// resume, take over) leave the clock as the player had it: paused while their file dialog is
// open, then back at exactly the speed, or the pause, that ran before.

struct ChodHodin {
  std::uint16_t rychlost = 0;  // RychlostSim
  std::uint16_t posledni = 0;  // PosledniRychlost, the factor F3 resumes with
};
// Pauses the clock and returns how it ran.
ChodHodin PozastavHodiny(Stav& s);
// The clock runs as `c` says again, without a jump in simulated time.
void ObnovHodiny(Stav& s, const ChodHodin& c);

// ==== Saving and resuming a shift ====
//
// Saving a shift and carrying on later: the whole running simulation written as one JSON
// text, and read back so exactly that a resumed run is indistinguishable from one that never
// stopped. The format is described in README.md; in the code, one table per record
// (smena/zaznamy.h) drives both the writing and the reading, the parts of a save are
// smena/casti.h, and the values and the text's one layout smena/hodnoty.h.
//
// The save names the station files it was opened from with a content hash of each (the
// schema, timetable and locomotive files; the language file only by name, since it changes
// no train). A save whose files changed since is refused rather than run on a station it was
// not made on. A checksum over the state catches a damaged file, so reading one never yields
// a quietly different simulation.
//
// The reader parses into a state of its own and replaces the running one only once
// everything has been read and checked: on any failure the running simulation stays exactly
// as it was.

constexpr int VerzeUlozeni = 1;
constexpr const char* FormatUlozeni = "stanovar-shift";

// Parts of a run beside the state that a save may hold as well; each is optional. With a
// virtual clock the clock is restored exactly; without one (the window's real clock) the
// simulated time goes on from where it stood when saved, whatever the time of day now.
struct CastiBehu {
  AutomatickyDispecer* dispecer = nullptr;
  JednoduchyDispecer* jednoduchy = nullptr;
  NahodnyDispecer* nahodny = nullptr;
  KontrolaStavu* kontrola = nullptr;
  VirtualniProstredi* hodiny = nullptr;
  // A part of the caller's own (the headless runner's totals), kept in the save as it is.
  nlohmann::json* doplnek = nullptr;
  // The running state keeps its language (the window's, of the folder it runs in) rather
  // than reading the one the save names: one language at a time in every caption, panel and
  // message. The offer's question is worded again in it.
  bool svujJazyk = false;
};

enum class ChybaUlozeni {
  Zadna,
  NelzeCist,       // the save cannot be opened or read
  Poskozeny,       // not a save, or damaged (truncated, changed bytes, values out of range)
  JinaVerze,       // a save of a version this program does not know
  ChybiSoubor,     // a station file it names cannot be read
  ZmenenySoubor,   // a station file it names has changed since
  NelzeZapsat,     // writing the save failed; the old file is untouched
};

struct VysledekUlozeni {
  ChybaUlozeni chyba = ChybaUlozeni::Zadna;
  std::string soubor;  // the station file concerned, or what was wrong in the save
  explicit operator bool() const { return chyba == ChybaUlozeni::Zadna; }
};

// One line in English for people running stanovar-sim.
std::string PopisChyby(const VysledekUlozeni& v);

// The save text of the running state (with the given parts). Reads the station files to hash
// them; one that cannot be read now is saved as not read, and is not read on opening either.
VysledekUlozeni UlozSmenuDoTextu(Stav& s, const CastiBehu& casti, std::string& text);

// Replaces the running state (and the given parts) by the save's. On failure nothing is
// changed. The picture is drawn again as it looked when saved.
VysledekUlozeni NactiSmenuZTextu(Stav& s, CastiBehu& casti, std::string_view text);

// The same to and from a file. Writing goes to a temporary file beside the target, which is
// flushed and only then renamed over it, so a good save is never replaced by a half-written
// one.
VysledekUlozeni UlozSmenu(Stav& s, const CastiBehu& casti, const std::string& cesta);
VysledekUlozeni NactiSmenu(Stav& s, CastiBehu& casti, const std::string& cesta);


// The text of a save's JSON exactly as UlozSmenuDoTextu lays it out (a reader accepts no
// other layout); for tools that build a save, such as the fuzz target.
std::string KanonickyText(const nlohmann::json& ulozeni);

// 64-bit FNV-1a of the bytes, as the save keeps the station files' hashes: 16 hex digits.
std::string Otisk(std::string_view data);

// ==== Taking over a running station ====
//
// Taking over a station already running: instead of an empty yard at the start of a shift,
// the station as the automatic dispatcher left it after the hour before now.

// How long the station runs before it is handed over, day fraction.
constexpr double DobaPredPrevzetim = 1.0 / 24;

// Opens the station of these files (as Open station does) and runs it headless, with the
// automatic dispatcher at frequency s.CetnostVlaku, through the simulated hour up to the
// current time of day; then hands it over at the real clock. The hand-over is a save and an
// open, so every train, offer and route is as a person would have left them. On failure
// (a file that cannot be read) the running state stays as it was.
VysledekUlozeni PrevezmiProvoz(Stav& s, const std::string& schema, const std::string& grafikon,
                               const std::string& lokomotivy);

}  // namespace stanovar

// A shift run headless: the station driven by a virtual clock and a dispatcher, with its
// totals (the runner's, the editor's trial of a station, the capacity report).
#include "smena/beh.h"  // IWYU pragma: export
