// Texts of the window's features that the classic language file does not have. They take the
// numbers from 38 on in the same file; a file without them gets the built-in Czech texts when
// it is the Czech file (or there is none), else English. Each feature keeps a block of numbers
// of its own, so blocks may leave gaps between them.
#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

namespace stanovar {
struct Stav;
}

namespace stanovar::shell {

enum class DalsiText {
  MenuZobrazeni = 38,  // the View menu
  Zvetsit,             // zoom in
  Zmensit,             // zoom out
  SkutecnaVelikost,    // back to 100 %
  Barvoslepa,          // the colour-blind palette
};

class DalsiTexty {
 public:
  // Reads texts 38 on from the language file the start-up read (the core keeps only 1 to
  // 37, as the classic file defines them).
  void nacti(const Stav& s);
  // Reads them from the bytes of a language file; `cesky` picks the built-in texts.
  void nacti(std::string_view obsah, bool cesky);
  QString text(DalsiText t) const;

 private:
  static constexpr int Prvni = 38;
  static constexpr int Pocet = 99 - Prvni + 1;  // the file's numbers have three digits at most
  std::array<std::string, Pocet> texty_;
  bool cesky_ = true;
};

}  // namespace stanovar::shell
