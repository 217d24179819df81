// stanovar-check: tells a station's author what is wrong with it. One line per problem, then
// a summary; exits 1 when it found errors, 2 when used wrongly.
#include <cstdio>
#include <cstring>
#include <string>

#include "editor/editor.h"

namespace {

const char* const Pouziti =
    "Usage: stanovar-check [--quiet] FOLDER_OR_INI\n"
    "Loads the station named by FOLDER/stanovar.ini as the program does and prints one line\n"
    "per problem (file:line: error|warning: element: message), then a summary of the\n"
    "station and its routes. --quiet leaves the summary out. Exit status: 0 no errors,\n"
    "1 errors found, 2 wrong use.\n";

}  // namespace

int main(int argc, char** argv) {
  bool tise = false;
  const char* cil = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(Pouziti, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--quiet") == 0 || std::strcmp(argv[i], "-q") == 0) {
      tise = true;
    } else if (!cil && argv[i][0] != '-') {
      cil = argv[i];
    } else {
      std::fputs(Pouziti, stderr);
      return 2;
    }
  }
  if (!cil) {
    std::fputs(Pouziti, stderr);
    return 2;
  }
  const stanovar::VysledekKontroly v = stanovar::ZkontrolujStanici(cil);
  for (const stanovar::Nalez& n : v.nalezy) std::printf("%s\n", n.Text().c_str());
  if (!tise) std::printf("%s%s", v.nalezy.empty() ? "" : "\n", v.souhrn.c_str());
  return v.Chyb() > 0 ? 1 : 0;
}
