// Helpers shared by the file readers: reading a whole data file, splitting it into lines,
// turning stored paths into openable ones, and the message for a file that cannot be read.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/stav.h"

namespace stanovar {

// Station and language files are a few hundred kilobytes at most; whatever lies beyond this
// is not such a file, and only its beginning is read rather than exhausting memory.
constexpr std::size_t MaxVelikostSouboru = 64u << 20;

// Reads a regular file whole, as bytes. False when it cannot be opened or is not a regular
// file (a directory or a device would otherwise hang or fail mid-way). A read error after
// the start keeps what was read.
bool NactiSoubor(const std::string& cesta, std::string& obsah);

// Lines of a text file: split at LF, one CR before it dropped, so CR LF and LF both work.
// A final line end does not start another (empty) line.
std::vector<std::string_view> Radky(std::string_view obsah);

// A path as the files may write it, with `\` or `/`, turned into one the system opens.
std::string NormalizujCestu(std::string cesta);

// Reads the data file at `cesta` for a loader. An empty path reads nothing and says nothing;
// a file that cannot be opened is reported with texts 36 and 37 around its name.
bool OtevriDatovySoubor(Stav& s, const std::string& cesta, std::string& obsah);

// Field number of the text after a "%" that no letter A..F follows; the letters give the
// numbers after it.
constexpr int PoleSekce = 100;

// The field structure shared by the timetable and the locomotive file. On every line the
// field number starts at 0, "#" adds one and "*" starts a new record at field 0; with
// `sekce`, "%" opens field 100 and a letter A..F right after it fields 101..106. A field's
// text ends at the character that changes the number (which belongs to no field) or at the
// line end, and goes to pole(number, text); novy() runs at each "*", after the text open
// before it has gone to the record it was written for.
void ProjdiZaznamy(std::string_view obsah, bool sekce, const std::function<void()>& novy,
                   const std::function<void(int, std::string_view)>& pole);

}  // namespace stanovar
