// What the editor window's tools ask of a document, kept free of the toolkit so that it is
// tested without a window: the grid, which element lies at a point or inside a rectangle, the
// line a drawing gesture makes, and a paste. Coordinates are the station's own pixels.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/dokument.h"
#include "editor/upravy.h"

namespace stanovar::editor {

struct Bod {
  int x = 0, y = 0;
  bool operator==(const Bod&) const = default;
};

// The grid point nearest to a pixel (6 x 12 pixels; halves round away from zero).
Bod NaMrizku(int x, int y);

// The element drawn nearest to (x, y), not farther than `tolerance` pixels. A signal or a line
// end stands on a track's end, so within reach of its symbol it wins over the tracks and
// connectors meeting there; among equally near ones the later line, drawn over the other.
std::optional<std::size_t> PrvekVBode(const Dokument& d, int x, int y, int tolerance = 4);

// The lines whose element lies wholly inside the rectangle, edges included: both ends of a
// track, connector or platform, the point of the others.
std::set<std::size_t> PrvkyVObdelniku(const Dokument& d, int l, int t, int r, int b);

// Where a line's element shows, for markers and the route overlay: the middle of a track,
// connector or platform line, the point of the others. False for a line that places nothing.
bool StredRadku(const RadekSchematu& r, Bod& stred);

enum class Nastroj { Kolej, Spojka, Navestidlo, Nastupiste, Popisek, KonecTrati };

// The line a gesture from (x1, y1) to (x2, y2) draws with a tool, each end taken to the grid,
// with the values an author then edits; none when it draws nothing (a track or platform of no
// length, a connector whose ends meet). A track keeps the row it was started on and runs from
// its left end; a connector is horizontal, vertical or a diagonal of one row per grid column,
// whichever the gesture is nearest to; a platform lies between the row above the start point
// and the row below. `jmeno` is the platform's station name and a new label's text
// (windows-1250).
std::optional<RadekSchematu> NovyPrvek(const Dokument& d, Nastroj n, int x1, int y1, int x2,
                                       int y2, const std::string& jmeno);

// New lines placed where the reader finds what they stand on: signals, platforms and line
// ends look for their tracks only among the tracks before them in the file, so tracks go
// right after the document's last track (before the first line that looks for one when there
// is none yet), the rest at the end. `nove`, when given, receives their indexes.
Krok Umisti(const Dokument& d, const std::vector<RadekSchematu>& radky, std::string popis,
            std::set<std::size_t>* nove = nullptr);

// Lines copied elsewhere, moved by (dx, dy) and placed as Umisti places them.
Krok Vloz(const Dokument& d, std::vector<RadekSchematu> radky, int dx, int dy,
          std::set<std::size_t>* nove = nullptr);

}  // namespace stanovar::editor
