// A careless dispatcher for soaks: between events it clicks and presses keys at random, as a
// person who does not quite know the program might. It acts only through the entry points a
// person uses (mouse-downs on the picture, keys at the cursor, the accept panel's answers),
// so whatever state it leaves the station in, a person could leave it in too.
#pragma once

#include <cstdint>
#include <functional>
#include <random>

#include "model/stav.h"

namespace stanovar {

class NahodnyDispecer {
 public:
  explicit NahodnyDispecer(std::uint32_t seed) : g_(seed) {}
  // A few random actions.
  void operator()(Stav& s);

  long long akci = 0;  // actions done
  // Hears each action once it is done (an invariant check, say).
  std::function<void()> poAkci;

  // Its random numbers, as plain data, so that a saved run resumes exactly.
  struct Trvale {
    std::mt19937 generator;
    long long akci = 0;
  };
  Trvale trvale() const { return {g_, akci}; }
  void obnov(const Trvale& t) {
    g_ = t.generator;
    akci = t.akci;
  }

 private:
  void Akce(Stav& s);
  int Cislo(int n) { return n > 0 ? static_cast<int>(g_() % static_cast<unsigned>(n)) : 0; }
  // A point on a random element, or anywhere on the picture.
  void Bod(Stav& s, int& x, int& y);
  std::mt19937 g_;
};

}  // namespace stanovar
