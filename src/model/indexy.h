// Indexes over the tracks and connectors of a station, so that a look-up by point costs what
// lies near the point rather than what the whole station holds. They refer to records by
// their position in the station list, which never changes while a station is open, and are
// filled as the loader appends records; every answer is the one a plain scan would give.
#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "model/zaznamy.h"

namespace stanovar {

// Tracks by row. Each row keeps its tracks ordered by their first end with the running
// maximum of their second ends, so that a look-up visits only the tracks that may hold the
// point. Tracks added since the row was last ordered wait in a short list of their own, which
// is merged in when it grows: a row listed right to left then costs no more to build than one
// listed left to right.
class IndexKoleji {
 public:
  void Pridej(const std::vector<RKolej>& koleje, int i);
  // Position of the newest track below `pred` that holds (x, y), -1 when none does.
  int Najdi(const std::vector<RKolej>& koleje, int x, int y, int pred);
  void Vyprazdni();
  std::size_t Pocet() const { return pocet_; }

 private:
  struct Radek {
    std::vector<int> poradi;  // positions, ascending first end
    std::vector<int> maxX2;   // maxX2[j]: largest second end among poradi[0..j]
    std::vector<int> nove;    // added since, in any order
  };
  void Serad(const std::vector<RKolej>& koleje, Radek& r);
  std::unordered_map<int, Radek> radky_;
  std::size_t pocet_ = 0;
};

// Connectors by the points they hold, by their ends, and the diagonals by the columns they
// span.
class IndexSpojek {
 public:
  void Pridej(const std::vector<RKolej>& spojky, int i);
  // Position of the newest connector below `pred` that holds (x, y), -1 when none does.
  int Najdi(const std::vector<RKolej>& spojky, int x, int y, int pred) const;
  // Positions of the connectors with an end exactly at (x, y).
  const std::vector<int>& SKoncem(int x, int y) const;
  // Calls f with the position of every diagonal connector that may cross diagonal e, until f
  // returns true; returns whether it did. The others cannot cross e: see the .cpp.
  bool KrizeniKandidati(const RKolej& e, const std::function<bool(int)>& f) const;
  void Vyprazdni();
  std::size_t Pocet() const { return pocet_; }

 private:
  // Cells of 4 grid columns by one grid row; a connector is filed under every cell its points
  // may lie in, or among the wide ones when that would be too many cells.
  std::unordered_map<std::int64_t, std::vector<int>> bunky_;
  std::vector<int> siroke_;
  std::unordered_map<std::int64_t, std::vector<int>> konce_;
  // Diagonals lying exactly on a line of slope gy/gx (falling) or -gy/gx (rising), by the
  // columns of cells they span; every other diagonal is irregular and always a candidate.
  std::unordered_map<std::int64_t, std::vector<int>> klesajici_;
  std::unordered_map<std::int64_t, std::vector<int>> stoupajici_;
  std::vector<int> nepravidelne_;
  std::vector<int> diagonaly_;
  std::size_t pocet_ = 0;
};

}  // namespace stanovar
