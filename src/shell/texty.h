// Texts of the window's features that the classic language file does not have: the View menu
// and its entries. They take the numbers from 38 on in the same file; a file without them
// gets the built-in Czech texts when it is the Czech file (or there is none), else English.
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
  Konec                // one past the last
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
  static constexpr int Pocet = static_cast<int>(DalsiText::Konec) - 38;
  std::array<std::string, Pocet> texty_;
  bool cesky_ = true;
};

}  // namespace stanovar::shell
