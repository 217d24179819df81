// The save's values and its text: how each kind of value is written and read back, the one
// layout a save is written in, and its checksum. Every reader throws Vadne on a value it
// cannot take, naming what it was reading; the save's reader turns that into its answer.
#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <string_view>

namespace stanovar::ulozeni {

using json = nlohmann::json;

// A save larger than this is no save of this program: a day of the larger station is well
// under a megabyte.
constexpr std::size_t MaxVelikostUlozeni = 64u << 20;
// Bounds on list lengths, far above anything a station reaches, so that a hostile file cannot
// make the reader build millions of records.
constexpr std::size_t MaxZaznamu = 1u << 20;

// What is wrong with the save.
struct Vadne {
  std::string co;
};
[[noreturn]] void vadne(std::string co);

// Reals. JSON has no infinities and no NaN; a plan may hold them, so they are written as text.
json Realne(double d);
double Realne(const json& j, const char* co);
// A real that must be finite (times, waits, positions of the clock).
double Konecne(const json& j, const char* co);
// An integer within [lo, hi].
long long Cele(const json& j, const char* co, long long lo, long long hi);
int Int(const json& j, const char* co);
bool Pravda(const json& j, const char* co);
// Texts are the data files' windows-1250 bytes; each byte is written as the character of that
// number, so that every byte comes back as it was.
json Text(const std::string& b);
std::string Text(const json& j, const char* co);

// Member `klic` of object o.
const json& Pole(const json& o, const char* klic);
// Member `klic` of object o, an array of at most MaxZaznamu values.
const json& Seznam(const json& o, const char* klic);
// j itself, an array of exactly n values.
const json& Prvky(const json& j, std::size_t n, const char* co);
// j itself, an array of at most MaxZaznamu values.
const json& Seznam(const json& j, const char* co, bool);

// The save as text people can read: the outer objects one member a line and the lists one
// record a line, everything below that on the line of its record. Only blanks and line ends
// separate, so that a changed byte anywhere breaks either the JSON or the checksum.
std::string Rozlozeni(const json& j);
// The compact text the checksum is taken over.
std::string Kompaktne(const json& j);
// A save nests a few levels deep. Deeper nesting is refused before parsing: writing and
// comparing the JSON recurse once per level, and a hostile file must not exhaust the stack.
bool MelkeVnoreni(std::string_view text);

}  // namespace stanovar::ulozeni
