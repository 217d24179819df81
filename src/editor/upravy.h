// Edits of a schema document, each with its inverse, and the history that undoes and redoes
// them. A step is one or more line changes made together (a move of a selection, a paste);
// undone, it is taken back in the reverse order, so the document is exactly as before,
// unchanged lines and their bytes included.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/dokument.h"

namespace stanovar::editor {

// One line inserted, removed or replaced: the line before (none for an insertion) and after
// (none for a removal), at index `kde` of the document.
struct Zmena {
  std::size_t kde = 0;
  std::optional<RadekSchematu> pred, po;
};

struct Krok {
  std::string popis;  // what the step did, for the Undo menu (English, plain)
  std::vector<Zmena> zmeny;
  bool prazdny() const { return zmeny.empty(); }
};

// Applies a step forwards or backwards. A step made for this document by the functions below
// always applies.
void Proved(Dokument& d, const Krok& k);
void Vrat(Dokument& d, const Krok& k);

// ---- steps ----

// Text a field may hold: the bytes that would split a line or a field are left out.
std::string PlatnePole(std::string_view t);

// New lines appended at the end of the document.
Krok Pridej(const Dokument& d, const std::vector<RadekSchematu>& radky, std::string popis);
// The lines at these indexes removed.
Krok Smaz(const Dokument& d, const std::set<std::size_t>& radky);
// The lines at these indexes moved by (dx, dy) pixels (whole grid steps are the window's
// business): every coordinate of each element.
Krok Posun(const Dokument& d, const std::set<std::size_t>& radky, int dx, int dy);
// The lines mirrored left to right about the middle of their extent, each element's ends
// swapped so that it still runs from its left end.
Krok Zrcadli(const Dokument& d, const std::set<std::size_t>& radky);
// Field `pole` (1 to 9) of line `radek` set to `hodnota`; an empty step when it holds it already.
Krok ZmenPole(const Dokument& d, std::size_t radek, std::size_t pole, const std::string& hodnota);
// Several steps as one: each made for the document as the steps before it leave it.
Krok Spoj(std::vector<Krok> kroky, std::string popis);

// ---- history ----

class Historie {
 public:
  // Applies the step and remembers it; what could be redone is forgotten. An empty step is
  // not remembered.
  void proved(Dokument& d, Krok k);
  bool zpet(Dokument& d);
  bool znovu(Dokument& d);
  bool lzeZpet() const { return !zpet_.empty(); }
  bool lzeZnovu() const { return !znovu_.empty(); }
  const Krok* posledni() const { return zpet_.empty() ? nullptr : &zpet_.back(); }
  const Krok* dalsi() const { return znovu_.empty() ? nullptr : &znovu_.back(); }
  // The document as saved: whether it differs from it now, by the history's position.
  void ulozeno() { ulozeno_ = static_cast<long long>(zpet_.size()); }
  bool zmeneno() const { return ulozeno_ != static_cast<long long>(zpet_.size()); }

 private:
  std::vector<Krok> zpet_, znovu_;
  long long ulozeno_ = 0;  // -1 when the saved position was forgotten (a new edit after undo)
};

}  // namespace stanovar::editor
