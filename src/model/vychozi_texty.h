// The texts of the user interface built into the program: the Czech texts it ships. A text
// the language file leaves empty, or a missing or unreadable language file, falls back to
// them, so the menus always lead to Open and Settings and every message says what happened.
#pragma once

#include <string>

namespace stanovar {

// Text n (1 to 37) in windows-1250; empty for any other n.
const std::string& VychoziText(int n);

}  // namespace stanovar
