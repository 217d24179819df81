// An outside world driven by hand: a settable wall clock and captured message boxes.
#pragma once

#include <string>
#include <vector>

#include "model/prostredi.h"

namespace stanovar::test {

class SkriptovaneProstredi : public Prostredi {
 public:
  double casDne() override { return cas; }
  std::uint32_t msOdPulnoci() override { return ms; }
  void zprava(const std::string& text) override { zpravy.push_back(text); }
  void otevriDokument(const std::string& cesta) override { dokumenty.push_back(cesta); }
  int dpi() override { return dpiHodnota; }

  // Moves the wall clock on by seconds, wrapping at midnight like a real clock.
  void posun(double sekundy) {
    cas += sekundy / 86400.0;
    while (cas >= 1.0) cas -= 1.0;
  }

  double cas = 0.5;
  std::uint32_t ms = 12345;
  int dpiHodnota = 120;
  std::vector<std::string> zpravy;
  std::vector<std::string> dokumenty;
};

}  // namespace stanovar::test
