// Everything else the core needs from outside: the wall clock, a random seed, a modal
// message box, opening a document, the screen resolution. Tests script it by hand.
#pragma once

#include <cstdint>
#include <string>

namespace stanovar {

class Prostredi {
 public:
  virtual ~Prostredi() = default;

  // Local time of day as a day fraction (0 <= t < 1), millisecond resolution.
  virtual double casDne() = 0;
  // Milliseconds since midnight UTC; seeds the train generator.
  virtual std::uint32_t msOdPulnoci() = 0;
  // Modal message box; the text is windows-1250 bytes, lines separated by CR.
  virtual void zprava(const std::string& text) = 0;
  // Open a document with the desktop's associated application; failures are not reported.
  virtual void otevriDokument(const std::string& cesta) = 0;
  // Horizontal dots per inch of the screen.
  virtual int dpi() = 0;
};

}  // namespace stanovar
