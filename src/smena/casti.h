// The parts of a save, one pair of functions each: the state's parts (its files, clock,
// element states, lists, queue, selection, window, score and picture) and the parts of a run
// beside the state (the dispatchers, the invariant check, the virtual clock).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "control/cesty.h"
#include "control/dispecer.h"
#include "control/nahodny.h"
#include "model/stav.h"
#include "smena/tabulky.h"
#include "traffic/kontrola.h"
#include "traffic/virtualni.h"

namespace stanovar::ulozeni {

// The station files with a content hash of each; a file that could not be read when the
// station was opened (or none named) has an empty hash and is not read again.
json Soubory(Stav& s);
// The files of a save checked against the disk: fills the staging state's settings with
// their paths and `schema` with the schema's bytes. A failure names the file concerned.
enum class StavSouboru { Shoduji, Chybi, Zmeneny };
StavSouboru Soubory(const json& j, Stav& novy, Prostredi* cteni, std::string& schema,
                    std::string& soubor);

// The simulated time at wall-clock time of day T, as SimCas reads it but without touching the
// clock: a save and a load must leave the clock's fields exactly as the run had them.
double CasPri(const Stav& s, double T);

json Hodiny(Stav& s);
// With `presne` the clock is restored as it was (a virtual clock restored too); without, the
// simulated time goes on from where it stood whatever the time of day now.
void Hodiny(const json& j, Stav& s, bool presne);

json Prvky(const Stav& s);
void Prvky(const json& j, Stav& s);

// Timetable entries beyond the file's (trains a linked station handed on); null when none, as
// for every station on its own.
json DalsiSpoje(const Stav& s);
void DalsiSpoje(const json& j, Stav& s);

json Seznamy(const Stav& s);
void Seznamy(const json& j, Stav& s);

json Fronta(const Stav& s);
void Fronta(const json& j, Stav& s);

json Vyber(const Stav& s);
void Vyber(const json& j, Stav& s);

json Okno(const OknoView& o);
void Okno(const json& j, OknoView& o, Stav& s);

json Skore_(const Skore& k);
void Skore_(const json& j, Skore& k, Stav& s);

// The picture, when the canvas keeps its operations; otherwise null, and opening draws it
// from the state. False when the save holds none.
json Kresba(const Platno* p);
bool Kresba(const json& j, std::vector<OperaceKresby>& ops, Stav& s);

json Pamet(const PametCest& p);
void Pamet(const json& j, PametCest& p, Stav& s);

json Dispecer(const AutomatickyDispecer& d);
void Dispecer(const json& j, AutomatickyDispecer& d, Stav& s);

json Nahodny(const NahodnyDispecer& d);
void Nahodny(const json& j, NahodnyDispecer& d);

json Kontrola(const KontrolaStavu& k);
void Kontrola(const json& j, KontrolaStavu& k);

json VirtualniHodiny(const VirtualniProstredi& p);
void VirtualniHodiny(const json& j, VirtualniProstredi& p);

}  // namespace stanovar::ulozeni
