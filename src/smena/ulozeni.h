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
#pragma once

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>
#include <string_view>

#include "model/stav.h"

namespace stanovar {

class AutomatickyDispecer;
class JednoduchyDispecer;
class NahodnyDispecer;
class KontrolaStavu;
class VirtualniProstredi;

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

}  // namespace stanovar
