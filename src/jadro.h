// What a front end may ask of the simulator core. The window, the headless runner and the
// checker include this header (with model/ and the entry headers of the layers beside the
// core), never the core's folders themselves; CMake checks that.
//
// Everything a person does arrives through one procedure each, taking identifiers or picture
// pixels and returning with the state changed: the window mirrors the state's window view
// (Stav::okno) onto its widgets afterwards, and a script or a test reads it directly.
#pragma once

#include <string>
#include <string_view>

#include "model/stav.h"

// The clock (SimCas, NastavRychlost, TextCasuDne) and the display's colours.
#include "display/kresleni.h"
#include "traffic/cas.h"
// Canvases of every kind share the raster rule of lines; the report draws onto SVG.
#include "display/rastr.h"
#include "display/svg_platno.h"
// Whole files: reading one as bytes, writing one atomically, paths from the data files.
#include "files/cteni.h"
// Running without a window: the automatic and the careless dispatchers (acting through the
// same inputs below), the invariant check and the virtual clock that jumps from event to event.
#include "control/dispecer.h"
#include "control/nahodny.h"
#include "traffic/kontrola.h"
#include "traffic/virtualni.h"

namespace stanovar {

// ---- Start-up and stations ----

// Start-up of the main window: defaults, clock, text size by the screen's resolution,
// settings file, then language, locomotives, schema and timetable.
void Spust(Stav& s, const std::string& startovniAdresar);
// Reads stanovar.ini from the start-up directory into the paths and the active display
// settings. False when there is no readable settings file.
bool NactiNastaveni(Stav& s);
// The same from a settings file of any name; its relative entries still name files in the
// start-up directory.
bool NactiNastaveni(Stav& s, const std::string& soubor);
// Language file (.lng) named by nastaveni.cestaJazyk: fills texts 1 to 37 and, after a
// successful read, the main window captions of texts 1 to 11. False after a read error.
bool OtevriLng(Stav& s);
// Opens the station named by the three station paths: reset, locomotives, schema, timetable.
void OtevriStanici(Stav& s);
// Empties the station, the run-time lists, the paths of the route search and the event
// queue, and clears the picture. The clock, speed, frequency and language stay.
void ZrusitVse(Stav& s);

// ---- The timers ----

// The 100 ms tick: shows the time of day in okno.hodiny and executes every due event in
// time order, including those that handlers schedule as already due. Does nothing while a
// message box raised from inside the core is open, so one handler never runs in another.
void CasovacUdalostiTimer(Stav& s);
// The 250 ms blink timer: every offer not yet answered changes its look.
void BlikacTimer(Stav& s);
// The 250 ms speedometer of the shown train: speed in km/h and metres left to the end of its
// route section, halves to the even neighbour. Silent once the train has left.
void RychlomerTimer(Stav& s);

// ---- The mouse and the keys ----

enum class Tlacitko { Leve, Prave, Prostredni };

// Mouse-down on the station picture at picture pixels (x, y). Left click on a signal starts a
// selection (the signal turns yellow); during a selection a click on a connector adds a via
// point, a click on a track ends the selection by setting or storing the route, and a right
// click abandons it. Outside a selection a right or middle click on a signal cancels the
// route from it. Clicks that hit nothing change nothing. A selection of a signal and then a
// track searches only when Stav::pametCest keeps nothing for it yet.
void Image1MouseDown(Stav& s, Tlacitko tlacitko, int x, int y);

// Virtual-key codes of the keys the main window answers; letters in either case.
enum KodKlavesy : int {
  KlavesaEsc = 27,
  KlavesaVlevo = 37,
  KlavesaNahoru = 38,
  KlavesaVpravo = 39,
  KlavesaDolu = 40,
  KlavesaA = 65,
  KlavesaN = 78,
  KlavesaF1 = 112,
  KlavesaF2 = 113,
  KlavesaF3 = 114,
  KlavesaF5 = 116,
};

constexpr std::uint16_t MinCetnostVlaku = 1;
constexpr std::uint16_t MaxCetnostVlaku = 8;

// Handles one key press. x, y is the cursor point (already snapped to the grid) at which
// the commands about a train or a track act: F1 the train panel, F2 the track panel or the
// offer waiting on a blinking line, F3 pause, F5 turn a standing train, the arrows speed and
// train frequency, A and N the offer's answers, Esc close. Keys without a command do nothing.
void FormKeyDown(Stav& s, int klic, int x, int y);

// ---- The accept panel ----

// The answers for the train in NabizenyVlak: accepted, it enters at once when its line track
// is free, else as soon as the track is released; refused, it is dropped. Either closes the
// panel.
void LabelAnoClick(Stav& s);
void LabelNeClick(Stav& s);

// ---- The menu and the dialogs ----

// Before the open-station dialog: pause, and the pending line width and colours become the
// ones used for drawing (whether the dialog is then confirmed or not).
void MenuOtevritZacni(Stav& s);
// After either dialog, confirmed or cancelled: store the settings file and resume.
void MenuDialogKonec(Stav& s);
// The About box text: four lines separated by CR.
std::string TextOProgramu(const Stav& s);
// About: pause, the box, resume.
void MenuOprogramuClick(Stav& s);
// The help document: start-up directory + separator + language text 32. Empty when the
// language names no help document.
std::string CestaNapovedy(const Stav& s);
void MenuHelpClick(Stav& s);
// Pause for a modal dialog opened from the menu, and resume when it closes: always at the
// factor that ran before, also when the simulation was already paused on opening.
void ZacniModalni(Stav& s);
void KonecModalni(Stav& s);

// The two hidden debugging buttons: hand over the current timetable entry; and, when the
// earliest event is due, take it out, show its kind, train and element in a message box and
// execute it.
void Button1Click(Stav& s);
void Button2Click(Stav& s);

// ---- Pictures of a station ----

// Draws the station of the schema named by nastaveni.cestaSchema onto s.platno, in the display
// settings' colours, as opening it would but with nothing running: a picture of the station
// for elsewhere than the window (the capacity report). False when the schema cannot be read.
bool NakresliStanici(Stav& s);
// Draws schema bytes onto s.platno as opening a station would, after emptying the station and
// clearing the picture: the station editor's picture of a document not yet saved. The
// station lists hold what the reader made of the bytes afterwards.
void NakresliSchema(Stav& s, std::string_view schema);

// ---- Running without a window ----

// Tells the listeners and executes one event taken out of the queue (Stav::fronta).
void ProvedUdalost(Stav& s, const RUdalost& u);

}  // namespace stanovar
