// The command line of stanovar-sim: parses the options, loads the station, runs it, writes
// the log and the summary, and gives the exit code.
#pragma once

#include <ostream>

namespace stanovar {

enum KodUkonceni {
  KodProbehl = 0,         // the run went through (or help was asked for)
  KodPoruseni = 1,        // an invariant was violated
  KodSpatneVolani = 2,    // bad command line, or station files that cannot be read
};

// `out` gets the summary (or the help), `err` the messages and, when `terminal` is set, the
// progress bar of runs longer than a second.
int SpustPrikaz(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                bool terminal);

}  // namespace stanovar
