// Look-ups over the station and run-time lists. Each returns nullptr when nothing matches
// and never fails otherwise. Returned pointers stay valid until the list is changed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/stav.h"

namespace stanovar {

// Appending keeps the point indexes up to date; loaders use these instead of push_back.
RKolej& PridejKolej(Stav& s, const RKolej& k);
RKolej& PridejSpojku(Stav& s, const RKolej& k);
RNavestidlo& PridejNavestidlo(Stav& s, const RNavestidlo& n);
// Empties every station list and the point indexes.
void VyprazdniStanici(Stav& s);

RKolej* NajdiKolej(Stav& s, int id);
RKolej* NajdiSpojku(Stav& s, int id);
// The track or connector a path step or event names; nullptr for line ends, signals and
// identifiers that name nothing.
RKolej* NajdiPrvek(Stav& s, int id);
RNavestidlo* NajdiNavestidlo(Stav& s, int id);
RVlak* NajdiVlak(Stav& s, int cislo);
RNabidka* NajdiNabidkuVlaku(Stav& s, int cislo);
RNabidka* NajdiNabidku(Stav& s, const std::string& odkud);
// First line end named so whose druh is the wanted one or 3; konec gets its end (0 if none).
RSoused* NajdiSouseda(Stav& s, const std::string& jmeno, int druh, int* konec = nullptr);
RSoused* NajdiSousedaId(Stav& s, int id);
// The line end attached to line track k (named as k's neighbour, at one of k's ends). A
// neighbour may have several line ends of one name, so a track finds its own this way.
RSoused* SousedKoleje(Stav& s, const RKolej& k);
// Set route starting at `start`; kolej and smer get the last track step of its path.
RCesta* NajdiCestu(Stav& s, int start, int* kolej = nullptr, int* smer = nullptr);
// Unlinks the route from Cesty and frees it (with whatever path it still owns).
void SmazCestu(Stav& s, RCesta* c);

// Signal exactly at (x, y); the newest one wins.
RNavestidlo* NavestidloVBode(Stav& s, int x, int y);
// The signal a train running over track k in direction smer (1 towards x1, 2 towards x2)
// meets at the track's end, or nullptr.
RNavestidlo* NavestidloNaKonci(Stav& s, const RKolej& k, int smer);
// Track holding (x, y): scanned from the newest towards the oldest. With `pokracovat` the
// scan resumes after the track the previous call returned, to find the second track of a
// joint; after a call that found nothing it finds nothing.
RKolej* KolejVBode(Stav& s, int x, int y, bool pokracovat = false);
// Connector holding (x, y), with the same scan order and continue rule.
RKolej* SpojkaVBode(Stav& s, int x, int y, bool pokracovat = false);
// Whether connector c holds (x, y) by the grid rule of diagonals.
bool SpojkaObsahuje(const RKolej& c, int x, int y);
// Positions in Spojky of the connectors with an end exactly at (x, y).
const std::vector<int>& SpojkySKoncem(Stav& s, int x, int y);
// Whether f holds for some diagonal connector that may cross diagonal e; those left out
// cannot cross it by the test of crossing diagonals the conflict check uses.
bool NektereKrizeni(Stav& s, const RKolej& e, const std::function<bool(const RKolej&)>& f);

// Last track step of a path (walking back over steps above 6000), or nullptr.
RKrok* PosledniKolejKrok(Kroky& k);

}  // namespace stanovar
