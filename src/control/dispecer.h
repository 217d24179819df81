// An automatic dispatcher for tests, benchmarks and headless runs. It acts only through the
// dispatcher's own commands (the track-information key on an offer, accept, clicks on a
// signal and a track), so every automatic run also exercises what a person does.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "model/stav.h"

namespace stanovar {

class AutomatickyDispecer {
  // The save reads and restores the private state, so that a resumed run goes on exactly.
  friend struct PristupUlozeni;

 public:
  // One look over the station: accepts the offers it can take, and refuses one it could not
  // take for LhutaNabidky; a train standing or running towards a signal with no route gets
  // the route to a free station track from which its destination line can be reached, and a
  // train on a station track, once it stands, the route out to that line. A route that would only be stored is cancelled again and tried later. Offers
  // and trains from arrivals-only lines are served oldest first, and only while every train
  // on a two-way line can still find room, so the station never locks up. A train may
  // leave by any line track towards its destination (a double-track line used both ways
  // has two of one name).
  void operator()(Stav& s);

  // Optional: give it every executed event, and it looks again only after an event that may
  // have made room (a release, a stop, a route entered, a train gone, a new train or offer).
  // Without it, it looks every time it is called.
  void udalost(const RUdalost& u);

  // An offer it cannot take within this time (simulated, day fraction) it refuses, as a
  // person would rather than keep the neighbour waiting.
  static constexpr double LhutaNabidky = 15.0 / (24 * 60);

  int prijato = 0;     // offers accepted
  int odmitnuto = 0;   // offers refused because they could not be taken in time
  int nastaveno = 0;   // routes set
  int ulozeno = 0;     // routes that could only be stored behind something
  int zruseno = 0;     // stored requests withdrawn

 private:
  // The station on paper, for deciding whether taking room may lock it: free station tracks,
  // trains inside with the line they leave by, and trains outside (on a line, or accepted
  // for one) that want in.
  struct Uvnitr {
    int kolej;
    std::vector<int> ven;  // line tracks it may leave by; none when it leaves whatever happens
  };
  struct Venku {
    int trat;              // line track it holds
    int signal;            // signal at that track's inner end, 0 none
    int smer;              // direction it runs in
    std::vector<int> ven;  // line tracks it may leave by
    int vlak;              // 0 for an accepted train not yet handed over
  };
  struct Model {
    std::vector<int> volne;
    std::vector<Uvnitr> uvnitr;
    std::vector<Venku> venku;
  };
  Model Postav(Stav& s);
  // The train of an offer as it will stand on its line once accepted; none when it could
  // never leave.
  std::optional<Venku> Zvenku(Stav& s, const RNabidka& n);
  // Whether everybody outside can still come in, and so everybody leave.
  bool Bezpecny(Stav& s, Model m);
  // The model with train i outside moved onto station track `kolej`.
  static Model Presun(Model m, std::size_t i, int kolej);
  // Routes train i outside into a free track from which it can leave, only into tracks that
  // keep the station safe when `jenBezpecne`. The track set (and m updated), or 0.
  int Dovnitr(Stav& s, Model& m, std::size_t i, bool jenBezpecne);
  bool Pouzitelna(Stav& s, const Venku& v, int kolej);

  // Refuses the offers that have waited LhutaNabidky or longer since it first saw them.
  void OdmitniStare(Stav& s);
  // Whether a train stands on a station track ready to leave by line track `trat`.
  bool Odjizdi(Stav& s, int trat);
  // One look over the station; true when it accepted an offer or set a route.
  bool Pohled(Stav& s);
  // Whether a route can be set from signal `navestidlo` to track `kolej` on the empty
  // station; found once by trying it on a copy.
  bool Vede(Stav& s, int navestidlo, int kolej);
  // Whether a route can lead from the exit end of station track `kolej`, in direction
  // `smer`, to line track `trat`.
  bool VedeNaTrat(Stav& s, int kolej, int smer, int trat);
  // Clicks the signal, then the track; true when the route was set. A route that is only
  // stored is withdrawn at once.
  bool Nastav(Stav& s, int navestidlo, int kolej);
  // Nastav, unless the same route was stored and withdrawn and nothing was released since.
  bool Zkus(Stav& s, int navestidlo, int kolej);

  std::map<std::pair<int, int>, bool> dosazitelnost_;
  // Claims on room (offers and trains on arrivals-only lines) by the order they were first
  // seen in; offers under their train number negated.
  std::map<int, long long> poradi_;
  long long dalsiPoradi_ = 0;
  // Offers not yet answered, by train number, with the time they were first seen.
  std::map<int, double> cekaOd_;
  // Releases seen so far, and for each route that could only be stored, how many had been
  // seen then.
  long long uvolneni_ = 0;
  std::map<std::pair<int, int>, long long> neslo_;
  bool sleduje_ = false;
  bool zmena_ = true;
};

}  // namespace stanovar
