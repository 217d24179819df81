// The reports shown when a running calculation fails. Both pause the simulation first, so no
// event becomes due while the message box is open, and list the numbers needed to reproduce
// the failure. Lines are separated by CR alone.
#pragma once

#include <string>

#include "model/stav.h"

namespace stanovar {

// For the calculations that have a plan (vypocty, VypoctiDobu, VypoctiNovouRychlost); the
// train may be absent.
void ChybaVypoctu(Stav& s, const RVlak* T, const RVypocet& P, const std::string& jmeno);

// For AktualRychlost, which has no plan; also stops the speedometer.
void ChybaStavu(Stav& s, const RVlak* T, const std::string& jmeno);

// Marks one operation for the reports: within it (and within operations it calls) only the
// first failing calculation is reported; the others still pause, but show nothing more.
class JednaOperace {
 public:
  explicit JednaOperace(Stav& s) : s_(s) {
    if (s_.hloubkaOperace++ == 0) s_.hlasenoVOperaci = false;
  }
  ~JednaOperace() { --s_.hloubkaOperace; }
  JednaOperace(const JednaOperace&) = delete;
  JednaOperace& operator=(const JednaOperace&) = delete;

 private:
  Stav& s_;
};

}  // namespace stanovar
