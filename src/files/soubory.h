// The station, timetable, locomotive and language readers, the settings file, start-up and
// the reset. Readers never fail on content: what they cannot use they skip or default, and
// the only thing they ever report is a file that cannot be opened (texts 36 and 37).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/stav.h"

namespace stanovar {

// Schema (.yrd) named by nastaveni.cestaSchema: fills Koleje, Spojky, Navestidla and Sousede
// and draws every element as it is read. Expects the station lists empty and the picture
// cleared (ZrusitVse or start-up first).
// False when a read error part way through ended the load: the loading sequence stops.
bool otevrit(Stav& s);

// Timetable (.gvd) named by nastaveni.cestaGvd: fills Grafikon and PocetSpoju.
void OtevriGvd(Stav& s);

// Locomotives (.lok) named by nastaveni.cestaLoko: fills Lokomotivy.
// False after a read error, as otevrit.
bool OtevriLoko(Stav& s);


// The readers' work on a file's bytes once they are read; the loaders above read the file
// named in the settings and call these.
void CtiSchema(Stav& s, std::string_view obsah);
void CtiGvd(Stav& s, std::string_view obsah);
void CtiLoko(Stav& s, std::string_view obsah);
void CtiLng(Stav& s, std::string_view obsah);

// Main window captions from texts 1 to 11 (built-in texts where there are none).
void PouzijPopisky(Stav& s);


// Rewrites stanovar.ini in the start-up directory from the paths and the pending display
// settings. The old file is replaced only by a complete new one, through a link to it, with
// its permissions; a file that could not be read is never replaced. A failure is told to the
// user once (texts 36 and 37 around the file name).
void ZapisNastaveni(Stav& s);

// The settings file's lines: what a settings file holds applied to the paths and the active
// display settings, and the seven lines written for the paths and the pending ones.
void CtiNastaveni(Stav& s, std::string_view obsah);
std::string TextNastaveni(const Stav& s);

// Colour text of the settings file: a name of the colour table, else "$" and 8 lower-case
// hex digits.
std::string BarvaNaText(Barva c);
// Reads a colour name (any case), a decimal number or a "$"/"0x" hex number. False for
// anything else, and for values outside the plain RGB range (system colours), which this
// program cannot show.
bool TextNaBarvu(std::string_view t, Barva& c);

// Only the run: trains, offers, set and stored routes, the route search's paths and the event
// queue; the station stays.
void VyprazdniBeh(Stav& s);


}  // namespace stanovar
