// A timetable (.gvd) or a locomotive list (.lok) as the editor keeps it: its records as the
// reader sees them, each with the bytes it was read from, so that saving writes back untouched
// whatever the author did not change.
//
// Each "*" of such a file starts a record, wherever it stands, and everything up to the next
// "*" fills that record alone (the field number starts again at every line and at every "*"),
// so a record is the run of bytes from its "*" to the next one, line ends included. Bytes
// before the first "*" belong to no record; the reader ignores them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace stanovar::editor {

enum class DruhSeznamu : std::uint8_t { Grafikon, Lokomotivy };

// Fields a record keeps, by slot from 1: the timetable's number, origin, destination, length,
// weight, maximum speed and locomotive (1 to 7) and its lettered values A, B and C (8 to 10);
// the locomotive list's name, maximum speed, power, weight, the two characteristic speeds, the
// three resistance coefficients and the mass factor (1 to 10).
constexpr std::size_t PocetPoliZaznamu = 10;

// The file's field number of a slot: the timetable's lettered values are fields 101 to 103.
int CisloPoleSouboru(DruhSeznamu d, std::size_t slot);

struct Zaznam {
  // The text between its "*" and its first field: a train's category, a locomotive's
  // description. The reader ignores it; the editor keeps it when it writes the record anew.
  std::string poznamka;
  // The texts the reader converts, by slot (index 0 unused), windows-1250 as in the file; an
  // empty text leaves the field at its default, as a field of blanks does for the reader.
  std::array<std::string, PocetPoliZaznamu + 1> pole{};
  // As read: its bytes from its "*" up to the next one, and whether it was the file's last.
  // `puvodni` is written back only while `nezmeneny` holds.
  std::string puvodni;
  bool posledni = false;
  bool nezmeneny = false;

  // What the reader would make of either is the same.
  bool stejny(const Zaznam& o) const { return poznamka == o.poznamka && pole == o.pole; }
};

struct Seznam {
  DruhSeznamu druh = DruhSeznamu::Grafikon;
  std::string uvod;  // the bytes before the first "*"
  std::vector<Zaznam> zaznamy;
  bool operator==(const Seznam& o) const;
};

// The records of a file's bytes, split as the reader splits them.
Seznam CtiSeznam(DruhSeznamu druh, std::string_view obsah);
// The file's bytes: unchanged records as they were read, new and changed ones canonically
// ("*", the note, each field after a "#" up to the last one given, then the lettered values
// as "%A", "%B", "%C", CR LF), each on a line of its own. An unchanged record whose last line
// ended in a CR without a line end is written canonically when it moves to or from the end of
// the file, where the reader drops such a CR, so that reading the bytes back always gives the
// list.
std::string ZapisSeznam(const Seznam& s);

// A record with the given texts in slots 1, 2, ... (empty ones left at their defaults).
Zaznam NovyZaznam(const std::vector<std::string>& pole, std::string poznamka = {});

// Text a field or a note may hold: the bytes that would end it (line ends, "*", "#" and, in a
// timetable, "%") are left out; a text of nothing but blanks is empty, as the reader takes it.
std::string PlatnyText(DruhSeznamu d, std::string_view t);

// What the reader makes of a field's text, and whether it had to cut or refuse some of it:
// a name over 8 characters (a locomotive name of a train over 4) is cut, a number with
// something after it is read up to there, one that is no number at all reads as 0, a real that
// is no number gives the field's default.
struct Posudek {
  bool vada = false;
  std::string hodnota;  // the value as the reader stores it (windows-1250)
  std::string zprava;   // what happens to the text, UTF-8; empty without a fault
};
Posudek PosudPole(DruhSeznamu d, std::size_t slot, std::string_view text);

}  // namespace stanovar::editor
