// Everything else the core needs from outside: the wall clock, a random seed, a modal
// message box, opening a document, the screen resolution. Tests script it by hand.
#pragma once

#include <cstdint>
#include <cstdio>
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

  // Message box about a file: `pred` and `po` are windows-1250 texts, `jmeno` the file
  // name in the file system's own bytes (UTF-8). Each is decoded in its own encoding; by
  // default the name is brought into windows-1250 as far as the code page reaches.
  virtual void zpravaOSouboru(const std::string& pred, const std::string& jmeno,
                              const std::string& po);
  // Opens a data file for reading in binary; null when it cannot be opened.
  virtual std::FILE* otevriProCteni(const std::string& cesta);
};

}  // namespace stanovar
