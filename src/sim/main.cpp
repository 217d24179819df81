// stanovar-sim: a station run without a window.
#include <unistd.h>

#include <iostream>

#include "sim/prikaz.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  return stanovar::SpustPrikaz(argc, argv, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
