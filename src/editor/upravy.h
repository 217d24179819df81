// Edits of a station's documents (the schema, the timetable and the locomotive list), each
// with its inverse, and the one history that undoes and redoes them. A step is one or more
// changes made together (a move of a selection, a paste, a row added to a table), in any of
// the files; undone, it is taken back in the reverse order, so every document is exactly as
// before, unchanged lines and records and their bytes included.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/dokument.h"
#include "editor/seznam.h"

namespace stanovar::editor {

// One line inserted, removed or replaced: the line before (none for an insertion) and after
// (none for a removal), at index `kde` of the document.
struct Zmena {
  std::size_t kde = 0;
  std::optional<RadekSchematu> pred, po;
};

// One record of the timetable or the locomotive list inserted, removed or replaced.
struct ZmenaZaznamu {
  DruhSeznamu seznam = DruhSeznamu::Grafikon;
  std::size_t kde = 0;
  std::optional<Zaznam> pred, po;
};

struct Krok {
  std::string popis;  // what the step did, for the Undo menu (English, plain)
  std::vector<Zmena> zmeny;           // of the schema
  std::vector<ZmenaZaznamu> zaznamy;  // of the timetable and the locomotive list
  bool prazdny() const { return zmeny.empty() && zaznamy.empty(); }
};

// The documents a step changes: the schema, and the timetable and the locomotive list when
// the station has them (a step that changes a list applies only where the list is given).
class Soubory {
 public:
  // The schema alone: steps of the lists do nothing.
  Soubory(Dokument& schema) : schema_(schema) {}  // NOLINT: a document is its own files
  Soubory(Dokument& schema, Seznam& grafikon, Seznam& lokomotivy)
      : schema_(schema), grafikon_(&grafikon), lokomotivy_(&lokomotivy) {}
  Dokument& schema() const { return schema_; }
  Seznam* seznam(DruhSeznamu d) const { return d == DruhSeznamu::Grafikon ? grafikon_ : lokomotivy_; }

 private:
  Dokument& schema_;
  Seznam* grafikon_ = nullptr;
  Seznam* lokomotivy_ = nullptr;
};

// Applies a step forwards or backwards. A step made for these documents by the functions below
// always applies.
void Proved(const Soubory& d, const Krok& k);
void Vrat(const Soubory& d, const Krok& k);

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
// Several steps as one: each made for the documents as the steps before it leave them.
Krok Spoj(std::vector<Krok> kroky, std::string popis);

// ---- steps of the timetable and the locomotive list ----

// Records inserted before index `kde` (at the end when it is past the last), in order.
Krok PridejZaznamy(const Seznam& s, std::size_t kde, const std::vector<Zaznam>& zaznamy, std::string popis);
// The records at these indexes removed.
Krok SmazZaznamy(const Seznam& s, const std::set<std::size_t>& zaznamy);
// Slot `slot` (1 to 10) of record `zaznam` set to the text (PlatnyText of it); slot 0 sets the
// note. An empty step when it holds it already.
Krok ZmenPoleZaznamu(const Seznam& s, std::size_t zaznam, std::size_t slot, const std::string& hodnota);
// Copies of the records at these indexes, each right after the last of them; a train's copy
// takes the lowest number above its own that no entry has, so that both can run.
Krok ZdvojZaznamy(const Seznam& s, const std::set<std::size_t>& zaznamy, std::set<std::size_t>* nove = nullptr);

// The records put in the order of `poradi` (the old index of each, in the new order; a list
// of every index once). Each keeps its bytes: a sort alone changes no record.
Krok SeradZaznamy(const Seznam& s, const std::vector<std::size_t>& poradi);

// ---- history ----

class Historie {
 public:
  // Applies the step and remembers it; what could be redone is forgotten. An empty step is
  // not remembered.
  void proved(const Soubory& d, Krok k);
  bool zpet(const Soubory& d);
  bool znovu(const Soubory& d);
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
