// The core side of the main window's menu commands. The dialogs themselves are the shell's;
// these are the steps around them that pause, apply and store settings.
#pragma once

#include <string>

#include "model/stav.h"

namespace stanovar {

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

}  // namespace stanovar
