// An automatic dispatcher for tests, benchmarks and headless runs. It acts only through the
// dispatcher's own commands (the track-information key on an offer, accept, clicks on a
// signal and a track), so every automatic run also exercises what a person does.
#pragma once

#include <map>
#include <tuple>
#include <utility>

#include "model/stav.h"

namespace stanovar {

class AutomatickyDispecer {
 public:
  // One look over the station: accepts every offer; a train standing or running towards a
  // signal with no route gets the route to a free station track from which its destination
  // line can be reached, and a train on a station track, once it stands, the route out to
  // that line. A route that would only be stored is cancelled again and tried later.
  void operator()(Stav& s);

  // Optional: give it every executed event, and it looks again only after an event that may
  // have made room (a release, a stop, a route entered, a train gone, a new train or offer).
  // Without it, it looks every time it is called.
  void udalost(const RUdalost& u);

  int prijato = 0;     // offers accepted
  int nastaveno = 0;   // routes set
  int ulozeno = 0;     // routes that could only be stored behind something
  int zruseno = 0;     // stored requests withdrawn

 private:
  // One look over the station; true when it accepted an offer.
  bool Pohled(Stav& s);
  // Whether a route can lead from the exit end of station track `kolej`, in direction
  // `smer`, to line track `trat` on the empty station; found once by trying it on a copy.
  bool VedeNaTrat(const Stav& s, int kolej, int smer, int trat);
  // Clicks the signal, then the track; true when the route was set. A route that is only
  // stored is withdrawn at once.
  bool Nastav(Stav& s, int navestidlo, int kolej);
  // Nastav, unless the same route was stored and withdrawn and nothing was released since.
  bool Zkus(Stav& s, int navestidlo, int kolej);

  std::map<std::tuple<int, int, int>, bool> dosazitelnost_;
  // Claims on room (offers and trains on arrivals-only lines) by the order they were first
  // seen in; offers under their train number negated.
  std::map<int, long long> poradi_;
  long long dalsiPoradi_ = 0;
  // Releases seen so far, and for each route that could only be stored, how many had been
  // seen then.
  long long uvolneni_ = 0;
  std::map<std::pair<int, int>, long long> neslo_;
  bool sleduje_ = false;
  bool zmena_ = true;
};

}  // namespace stanovar
