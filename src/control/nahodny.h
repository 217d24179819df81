// A careless dispatcher for soaks: between events it clicks and presses keys at random, as a
// person who does not quite know the program might. It acts only through the entry points a
// person uses (mouse-downs on the picture, keys at the cursor, the accept panel's answers),
// so whatever state it leaves the station in, a person could leave it in too.
//
// Besides plain blunders it seeks out the moments that are easy to get wrong: it sets a
// route ahead of a train at the very instant something happens to that train (its tail
// leaves an element, its head reaches a route's start), accepts offers while their line track
// is still busy, routes trains into tracks other trains still hold, and clicks from the
// signals behind standing trains.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <utility>
#include <vector>

#include "model/stav.h"

namespace stanovar {

class NahodnyDispecer {
 public:
  explicit NahodnyDispecer(std::uint32_t seed) : g_(seed) {}
  // A few random actions, now and then one at a train an event of this instant was about.
  void operator()(Stav& s);
  // Give it every executed event: it may act on the trains they were about at its next call.
  void udalost(const RUdalost& u);

  long long akci = 0;  // actions done
  // Hears each action once it is done (an invariant check, say).
  std::function<void()> poAkci;

  // Its random numbers, as plain data, so that a saved run resumes exactly.
  struct Trvale {
    std::mt19937 generator;
    long long akci = 0;
    std::vector<std::pair<int, int>> slysene;  // the events heard since its last look
  };
  Trvale trvale() const { return {g_, akci, slysene_}; }
  void obnov(const Trvale& t) {
    g_ = t.generator;
    akci = t.akci;
    slysene_ = t.slysene;
  }

 private:
  void Akce(Stav& s);
  int Cislo(int n) { return n > 0 ? static_cast<int>(g_() % static_cast<unsigned>(n)) : 0; }
  // A point on a random element, or anywhere on the picture.
  void Bod(Stav& s, int& x, int& y);
  // A route clicked from signal n to a track beyond it in direction smer (any track when
  // smer is 0), now and then by a connector; false when there was nothing to click.
  bool CestaOd(Stav& s, const RNavestidlo& n, int smer);
  // A route set ahead of train `vlak`, from the signal where its run ends.
  bool PredVlak(Stav& s, int vlak);

  std::mt19937 g_;
  // Trains whose tail left an element or whose head reached a route's start since the last
  // call, with the event kinds.
  std::vector<std::pair<int, int>> slysene_;  // (kind, train)
};

}  // namespace stanovar
