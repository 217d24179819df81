// A station schema as the editor keeps it: every line of the file, each with the kind and the
// fields the schema reader gives it, and, for a line nobody has changed, its bytes as they were
// read, so that saving writes them back untouched. Lines of kinds the reader skips stay in the
// document as they were.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stanovar::editor {

constexpr char Oddelovac = '\x85';
constexpr std::size_t PocetPoli = 9;

struct RadekSchematu {
  // The kind the reader gives the line: its head's last character, or, with an empty head, the
  // kind of the line before (a space before the first line).
  char druh = ' ';
  // Fields 1 to 9 as the reader sees them (index 0 unused): windows-1250 bytes.
  std::array<std::string, PocetPoli + 1> pole{};
  // As read: the line's bytes without its end, and its end ("\r\n", "\n", or "" for a last
  // line without one). `puvodni` is written back only while `nezmeneny` holds.
  std::string puvodni;
  std::string konec = "\r\n";
  bool nezmeneny = false;

  int cislo(std::size_t i) const;
  void nastav(std::size_t i, int hodnota);
  // Same kind and fields: what the reader would make of either is the same.
  bool stejny(const RadekSchematu& o) const { return druh == o.druh && pole == o.pole; }
};

struct Dokument {
  std::vector<RadekSchematu> radky;
  bool operator==(const Dokument& o) const;
};

// The document of a schema file's bytes (the reader's own splitting: lines at LF, one CR before
// it dropped; fields at 0x85, the tenth and later ignored).
Dokument CtiDokument(std::string_view obsah);
// The file's bytes: unchanged lines as they were read, new and changed ones canonically (the
// kind, then the fields up to the last one that is not empty, CR LF). An unchanged line whose
// empty head would now inherit another kind than its own is written canonically too, so that
// reading the bytes back always gives the document.
std::string ZapisDokument(const Dokument& d);
// A line of kind `druh` with the given fields, written canonically.
RadekSchematu NovyRadek(char druh, const std::vector<std::string>& pole);

// Where a line's element lies on the picture, for selecting, moving and markers.
struct Poloha {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // a point element has both ends at its point
  bool plati = false;                  // false for a line that places nothing
};
Poloha PolohaRadku(const RadekSchematu& r);

}  // namespace stanovar::editor
