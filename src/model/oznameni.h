// The notices the core sends out as things happen: one stream of typed facts, each announced
// once where it happens, by code that knows nothing of who listens. The shift's score and
// board, the headless runner's summary and report, the invariant check and the automatic
// dispatcher listen. With nobody listening a notice costs one test.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "model/zaznamy.h"

namespace stanovar {

struct Stav;

enum class DruhOznameni : std::uint8_t {
  Udalost,           // an event is about to be executed (udalost)
  JizdaZmenena,      // train vlak may have come to a stand or set off
  NabidkaPodana,     // a neighbour offers train vlak (nabidka)
  NabidkaPrijata,    // the offer of train vlak accepted; priznak: kept outside, its line taken
  NabidkaOdmitnuta,  // the offer of train vlak refused
  NabidkaStazena,    // the offer of train vlak removed: its train enters, or it was refused
  VlakPredan,        // train vlak handed over onto its line track prvek (zdroj says from what)
  VlakVjel,          // train vlak reached the start prvek of a set route
  VlakOdjel,         // train vlak leaves onto a line; priznak: towards its destination
  CestaPostavena,    // a route locked from prvek (a signal, or a track for a follow-on)
  CestaUlozena,      // a route request stored under prvek, to be set when it is free
  CestaZrusena,      // the dispatcher cancelled the route or the request at signal prvek
  Vstup,             // a person's input, about to be handled (kod, x, y): heard once, not
                     // again for an input handled inside another
};

// What a person did, in Oznameni::kod of a Vstup notice: a mouse button down on the picture
// at x, y, a key (its virtual-key code plus KodKlavesyVstupu, the cursor at x, y), an answer
// on the accept panel, or the offer waiting on line track x asked for (what the track key
// does on a blinking line).
enum KodVstupu : int { VstupLeve = 0, VstupPrave = 1, VstupProstredni = 2, VstupAno = 3, VstupNe = 4,
                       VstupNabidka = 5, KodKlavesyVstupu = 1000 };

// Where a handed-over train came from.
enum class ZdrojVlaku : std::uint8_t {
  Trat,            // a line set for arrivals: nobody was asked
  Nabidka,         // an accepted offer that still stands and is removed after the hand-over
  StazenaNabidka,  // the accepted offer removed just before, in the same command
};

struct Oznameni {
  DruhOznameni druh = DruhOznameni::Udalost;
  double cas = 0;  // simulated time, as the clock read when it was announced
  int vlak = 0;
  int prvek = 0;
  bool priznak = false;
  ZdrojVlaku zdroj = ZdrojVlaku::Trat;
  int kod = 0, x = 0, y = 0;  // a Vstup notice's input
  // Valid only while the notice is heard.
  const RUdalost* udalost = nullptr;
  const RNabidka* nabidka = nullptr;
  const RSpoj* spoj = nullptr;  // the timetable entry of a train handed over
};

using Posluchac = std::function<void(Stav& s, const Oznameni& o)>;

// Who listens, in the order they began to. A listener may stop listening (itself too) while
// a notice is heard; one that begins then hears the next notice.
class Posluchaci {
 public:
  // Returns the listener's number, for prestan.
  int poslouchej(Posluchac f) {
    seznam_.emplace_back(++posledni_, std::move(f));
    return posledni_;
  }
  void prestan(int cislo) {
    for (auto& [c, f] : seznam_)
      if (c == cislo) f = nullptr;
    if (hloubka_ == 0) uklid();
  }
  bool prazdne() const { return seznam_.empty(); }
  // Nobody listens any more.
  void vycisti() {
    for (auto& p : seznam_) p.second = nullptr;
    if (hloubka_ == 0) uklid();
  }
  void oznam(Stav& s, const Oznameni& o) {
    ++hloubka_;
    // By index: a listener that begins now appends and must not invalidate the walk.
    const std::size_t n = seznam_.size();
    for (std::size_t i = 0; i < n; ++i)
      if (seznam_[i].second) {
        auto f = seznam_[i].second;  // the listener may stop listening while it runs
        f(s, o);
      }
    if (--hloubka_ == 0) uklid();
  }

 private:
  void uklid() {
    std::erase_if(seznam_, [](const auto& p) { return !p.second; });
  }
  std::vector<std::pair<int, Posluchac>> seznam_;
  int posledni_ = 0;
  int hloubka_ = 0;
};

}  // namespace stanovar
