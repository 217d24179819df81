// Helpers shared by the file readers: reading a whole data file, splitting it into lines,
// turning stored paths into openable ones, and the message for a file that cannot be read;
// and the one atomic write of a whole file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/stav.h"

namespace stanovar {

// Station and language files are a few hundred kilobytes at most; whatever lies beyond this
// is not such a file, and only its beginning is read rather than exhausting memory.
constexpr std::size_t MaxVelikostSouboru = 64u << 20;

enum class Nacteni {
  Precteno,      // the whole file, or its first MaxVelikostSouboru bytes
  NelzeOtevrit,  // missing, not a regular file, no permission
  ChybaCteni,    // opened, but reading failed part way: what was read is not trusted
};

// Replaces `cil` by a file holding `obsah`: written beside it, given the old file's
// permissions, flushed to the disk and only then renamed over it, so that a full disk or a
// crash never leaves a truncated file in place of a good one. False when anything failed; the
// old file is then untouched. The program's one way of writing a file.
bool ZapisCely(const std::filesystem::path& cil, const std::string& obsah);

// Reads a stream to its end or to the read cap, as bytes. `obsah` is empty unless it is read.
Nacteni CtiProud(std::FILE* f, std::string& obsah, std::size_t velikost = 0);
// Reads a regular file whole (a directory or a device would otherwise hang or fail mid-way),
// opened through `prostredi` when given.
Nacteni CtiSoubor(const std::string& cesta, std::string& obsah, Prostredi* prostredi = nullptr);
// True only when the file was read whole.
inline bool NactiSoubor(const std::string& cesta, std::string& obsah) {
  return CtiSoubor(cesta, obsah) == Nacteni::Precteno;
}

// Lines of a text file: split at LF, one CR before it dropped, so CR LF and LF both work.
// A final line end does not start another (empty) line. The lines are found while they are
// walked, so a file of millions of line ends costs no memory beyond the file itself.
class Radky {
 public:
  explicit Radky(std::string_view obsah) : obsah_(obsah) {}

  class iterator {
   public:
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    iterator() = default;
    iterator(std::string_view obsah, std::size_t zacatek) : obsah_(obsah), zacatek_(zacatek) {
      najdi();
    }
    std::string_view operator*() const { return radek_; }
    iterator& operator++() {
      zacatek_ = dalsi_;
      najdi();
      return *this;
    }
    iterator operator++(int) {
      iterator p = *this;
      ++*this;
      return p;
    }
    bool operator==(const iterator& o) const { return zacatek_ == o.zacatek_; }

   private:
    void najdi();
    std::string_view obsah_;
    std::size_t zacatek_ = 0;  // start of the current line; the file's size at the end
    std::size_t dalsi_ = 0;
    std::string_view radek_;
  };

  iterator begin() const { return iterator(obsah_, 0); }
  iterator end() const { return iterator(obsah_, obsah_.size()); }

 private:
  std::string_view obsah_;
};

// A path as the files may write it, with `\` or `/`, turned into one the system opens.
std::string NormalizujCestu(std::string cesta);

// Reads the data file at `cesta` for a loader. An empty path reads nothing and says nothing;
// a file that cannot be opened or read whole is reported with texts 36 and 37 around its
// name. `chybaCteni`, when given, tells a read failure part way through, which ends the
// loading sequence.
bool OtevriDatovySoubor(Stav& s, const std::string& cesta, std::string& obsah,
                        bool* chybaCteni = nullptr);

// The file-open failure message: text 36, the file's name (the part after its last
// separator, in the file system's encoding) and text 37.
void ZpravaOSouboru(Stav& s, const std::string& cesta);

// A field holding nothing but blanks gives no value: the record keeps its default, as for a
// field the line does not reach (an empty speed would otherwise stop a train for good).
bool PrazdnePole(std::string_view t);

// Most entries a timetable and a locomotive list keep. Real files have a few hundred; the
// bound keeps a file of nothing but "*" from taking gigabytes.
constexpr int MaxSpoju = 100000;
constexpr int MaxLokomotiv = 10000;

// Field number of the text after a "%" that no letter A..F follows; the letters give the
// numbers after it.
constexpr int PoleSekce = 100;

// The field structure shared by the timetable and the locomotive file. On every line the
// field number starts at 0, "#" adds one and "*" starts a new record at field 0; with
// `sekce`, "%" opens field 100 and a letter A..F right after it fields 101..106. A field's
// text ends at the character that changes the number (which belongs to no field) or at the
// line end, and goes to pole(number, text); novy() runs at each "*", after the text open
// before it has gone to the record it was written for.
void ProjdiZaznamy(std::string_view obsah, bool sekce, const std::function<void()>& novy,
                   const std::function<void(int, std::string_view)>& pole);

}  // namespace stanovar
