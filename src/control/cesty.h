// Routes through the station: the dispatcher's clicks that choose them, the search that finds
// a path, and the locking, storing and release of the paths found.
//
// The working chain is Stav::HledanaCesta: the search's candidate list, then the found path,
// then the path handed to the locking operations, which always leave it empty.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "model/stav.h"

namespace stanovar {

// Nearest grid point of picture pixels (x, y); false when the point lies beyond anything the
// station can hold. Clicks and the keys that act at the cursor are snapped alike.
bool Prichyt(int x, int y, int& px, int& py);

// Paths found for the clicks of plain selections (a signal, then a track), kept by whoever
// makes the same ones again and again on one station: the automatic dispatcher, and the
// headless runner through Stav::pametCest. The search reads the station as drawn, which
// never changes while it is open, and of the run-time state only which line tracks may be
// entered; so each result is kept under its start, its destination track and that state of
// every track. Keep one only while the same station stays open.
struct PametCest {
  struct Nalez {
    bool nalezeno = false;  // whether the search reached the destination
    std::uint16_t smer = 0;  // PosledniSmer and CilovaKolej as the search left them
    int cilova = 0;
    Kroky cesta;  // the path walked back from it
  };
  // Start signal, its point and direction, destination track, state of the tracks.
  using Klic = std::tuple<int, int, int, int, int, std::string>;
  std::map<Klic, Nalez> cesty;
  Kroky zadna;
};

// The path that a left click at picture pixels (x, y), which selects signal `navestidlo`,
// and then one at (tx, ty), on a track, would lock or store, found without making the clicks:
// the same snapping, look-ups and search (or what `pamet` keeps of it), and the selection
// state left as it was. Empty when those clicks would end the selection with no path; none
// when they would not make that plain selection (no selection running, the signal in its
// normal state and picked by the first click, a track at the second).
const Kroky* CestaKliku(Stav& s, PametCest& pamet, int navestidlo, int x, int y, int tx, int ty);

// Best-first search from (x, y), leaving it in direction `smer`, to the point (cilX, cilY) or
// to Stav::CilovaKolej. Continues the path picked so far (UlozenaCesta) when there is one.
// Leaves the candidate list in HledanaCesta and sets PosledniSmer. On failure ends the
// selection and returns the start signal to normal; returns whether the end was reached.
bool HledejCestu(Stav& s, int x, int y, std::uint16_t smer, int cilX, int cilY);

enum class Sestaveni {
  Castecne,  // walk back from (PosledniX, PosledniY) in PosledniSmer: a via leg
  Konecne,   // walk back from the first entry for CilovaKolej: the whole route
};
// Replaces the candidate list in HledanaCesta by the path it leads to, start step first.
// The path is empty when the walk finds no end to start from.
void SestavCestu(Stav& s, Sestaveni rezim);

// Whether the path in HledanaCesta runs into something locked or occupied, into a locked
// connector at a point where it leaves an element, across a locked diagonal, or into itself.
bool KontrolaCesty(Stav& s);

// Locks the path in HledanaCesta as a set route (green), or with `uvolnit` releases it.
// `start` 0 marks a fresh request: when it is blocked it is stored under its signal instead.
// A stored request passes its own start. HledanaCesta is empty afterwards.
void NastavCestu(Stav& s, int vlak, int start, bool uvolnit = false);
void ZrusCestu(Stav& s);

// Cuts the path in HledanaCesta at every joint of two tracks and sets or stores the sections:
// with `start` 0 the first section is set at once (or stored under its signal when blocked),
// every later one is stored under the track before it and set by the retry that follows.
void RozdelCestu(Stav& s, int start);

// Stores the path in HledanaCesta as a pending route. A signal start turns red.
void UlozCekajici(Stav& s, int start, int cil, bool ceka);
// Whether path `cesta` from a signal, as CestaKliku gives it, would only be stored when
// locked as a fresh request, and cancelling at its signal at once would then leave the state
// exactly as it was: its first section is blocked, none of the stored routes that storing
// retries is free now, and the signal has neither a route set from it nor another stored
// route the cancel would drop. Storing and withdrawing it changes nothing then, so a caller
// that would do both in a row may as well do neither.
bool UlozenaBezStopy(Stav& s, const Kroky& cesta);
// Removes the pending routes that start or belong to `k`, except held ones.
void ZrusCekajici(Stav& s, int k);
// Sets every pending route that is not waiting and is free now, oldest first.
void ZkusCekajici(Stav& s);

enum class Oznaceni { Uvolnit, Drzet };
// On every pending route belonging to signal `navestidlo`: clear the waiting flag (Uvolnit),
// or mark it held so that removal by identifier keeps it (Drzet).
void OznacCekajici(Stav& s, int navestidlo, Oznaceni co);

// Whether the route from signal n may be cancelled: refused while the train booked on the
// track in front of the signal has a path that ends on that track.
bool PriblizeniDovoluje(Stav& s, const RNavestidlo& n);
// The dispatcher's cancel at signal `navestidlo`: drops its stored request, and releases the
// route set from it with the follow-on sections after it, unless the approach test refuses.
void ZrusCestuUNavestidla(Stav& s, int navestidlo);

}  // namespace stanovar
