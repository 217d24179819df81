// The headless run of a station (the shift's layer has it) and its summary as the runner
// prints it.
#pragma once

#include <string>

#include "smena/smena.h"

namespace stanovar {

// The summary as a JSON object, and as aligned text for people.
std::string SouhrnJson(const Beh& beh);
std::string SouhrnText(const Beh& beh);

}  // namespace stanovar
