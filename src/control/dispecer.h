// The automatic dispatcher of tests, benchmarks, headless runs and the take-over. It acts only
// through the dispatcher's own commands (the track-information key on an offer, accept and
// refuse, clicks on a signal and a track), so every automatic run also exercises what a
// person does.
//
// It plans rather than reacts: each train gets the free station track that suits it best
// (long enough, with short and fast paths in and out, its way in clear now), its route in
// before it has to brake and its route out before it stops, so that trains run through
// without standing. Moves go in order of urgency: a train standing or about to stop first,
// and what such a train waits for in the throats is not given to a less urgent one. An offer
// is accepted, and a train from an arrivals-only line let onto a track, only while the
// station can still drain with that train in it (a model of the station drains every train
// waiting outside, each holding its line, which trains inside may need to leave by, into the
// free tracks it can use, and the trains inside out by their lines) and while few trains
// already wait for its line out: a train that would only wait inside had better wait outside,
// where it keeps more trains from coming. An offer it could never take (no way into the
// station, or none out towards its destination) is refused at once; one it cannot take in
// time is refused after a while.
#pragma once

#include <limits>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "model/stav.h"

namespace stanovar {

class AutomatickyDispecer {
 public:
  // Everything it carries from one look to the next, as plain values: a save writes these
  // members and a resumed run goes on exactly. What else it keeps is found again from the
  // station as drawn whenever it is missing.
  struct Trvale {
    // Unanswered offers by train number, with the simulated time each was first seen.
    std::map<int, double> nabidkaOd;
    // Trains standing, by number, with the simulated time it first saw each stand: those
    // standing longest are served first.
    std::map<int, double> stojiOd;
    // The trains whose tail cleared an element at the latest instant it heard of, and that
    // instant: a route is not set in front of such a train until time has moved on, as
    // re-planning a train at the very instant its tail clears an element would release the
    // element once more, under whatever train has taken it since.
    double uvolnenoCas = -1;
    std::vector<int> uvolnilo;
    // Whether it hears the executed events, and whether one came since the last look; once
    // it hears them it looks only after one.
    bool sleduje = false;
    bool zmena = true;
    int prijato = 0;    // offers accepted
    int odmitnuto = 0;  // offers refused
    int nastaveno = 0;  // routes set
    int ulozeno = 0;    // routes that could only be stored behind something
    int zruseno = 0;    // stored requests withdrawn
  };
  const Trvale& trvale() const { return t_; }
  void obnov(Trvale t) { t_ = std::move(t); }

  AutomatickyDispecer();
  ~AutomatickyDispecer();
  // A copy carries the lasting state; what it knows of the station it finds again.
  AutomatickyDispecer(const AutomatickyDispecer& d);
  AutomatickyDispecer& operator=(const AutomatickyDispecer& d);
  AutomatickyDispecer(AutomatickyDispecer&&) noexcept;
  AutomatickyDispecer& operator=(AutomatickyDispecer&&) noexcept;

  // One look over the station: routes, answers, refusals.
  void operator()(Stav& s);

  // Give it every executed event (a listener of the state's notices): then it looks only
  // after events, and knows which trains have just cleared an element. Without them it looks
  // every time it is called.
  void udalost(const RUdalost& u);
  // Whether its next call looks over the station (with udalost, only after such an event).
  bool podivaSe(const Stav& s) const { return !s.VyberCesty && (!t_.sleduje || t_.zmena); }

  // An offer it cannot take within this time (simulated, day fraction) it refuses, as a
  // person would rather than keep the neighbour waiting.
  static constexpr double LhutaNabidky = 20.0 / (24 * 60);

  // How it plays, as whoever runs it chooses; not part of what it carries from look to look
  // (a caller sets it again whenever it makes or restores one). The default plays for the
  // score of a whole shift. To hand a station over (a take-over) it keeps every train
  // moving at the cost of refusing more: it refuses sooner, and takes an offer only onto a
  // free line track and only while no other train waits for its line out.
  struct Volby {
    double lhutaNabidky = LhutaNabidky;
    // Trains in the station or coming, waiting for one line out, beyond which an offer for
    // that line stays unanswered.
    int frontaNabidek = 2;
    // An offer whose line track is still taken is accepted only once it has waited this
    // long (day fraction): until then the trains leaving by that line go first, and after
    // it the offered train comes in as soon as the line is free.
    double naObsazenouPo = 10.0 / (24 * 60);
  };
  static Volby PredaniStanice() {
    return {4.0 / (24 * 60), 1, std::numeric_limits<double>::infinity()};
  }
  Volby volby;

  // What it knows of the station as drawn and its working lists, found again whenever
  // missing; defined with the implementation.
  struct Pohled;

 private:
  Trvale t_;
  std::unique_ptr<Pohled> p_;
};

}  // namespace stanovar
