// Drawing of the station picture. Nothing is redrawn from the model: each element is drawn
// once when the schema loads and again, in a state colour, whenever its state changes.
#pragma once

#include <string>

#include "model/stav.h"

namespace stanovar {

// Element line shortened so that neighbouring elements show a gap at each joint.
void KresliUsek(Stav& s, int x1, int y1, int x2, int y2);
// Connector drawn as two bracketed stubs without its middle.
void KresliZavorky(Stav& s, int x1, int y1, int x2, int y2);
// Signal triangle (side 1, 2) or diamond (side 3); other sides draw nothing.
void KresliNavestidlo(Stav& s, int x, int y, int strana);
// Line end symbol: arrowhead into or out of the station, or a cross for a two-way line.
void KresliSouseda(Stav& s, int x, int y, int konec, int druh);
// Track line with its text in a gap in the middle, in colour c.
void KresliKolej(Stav& s, const RKolej& k, const std::string& text, Barva c);
// Schema label on an opaque background.
void KresliText(Stav& s, int x, int y, int velikost, const std::string& text);
// Platform line midway between row y and the row below, in the current pen colour.
void KresliNastupiste(Stav& s, int x1, int x2, int y);
// One blink step of an offer marker.
void BlikniNabidku(Stav& s, int x, int y, bool faze);
// Clears the picture to the background, sets the foreground pen and colours the window.
void NastavBarvy(Stav& s);

// A track or connector shown in colour c with text t (tracks only), pen back to foreground.
void KresliPrvek(Stav& s, const RKolej& k, Barva c, const std::string& t);
// A signal shown in colour c, pen back to foreground.
void KresliNavestidloBarvou(Stav& s, const RNavestidlo& n, Barva c);

}  // namespace stanovar
