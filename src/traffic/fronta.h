// The event queue: events in time order, first scheduled first executed among equal times.
// Any queued event can be taken out by its handle, which re-planning a train needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/zaznamy.h"

namespace stanovar {

class FrontaUdalosti {
 public:
  using Handle = std::uint64_t;

  // Inserts the event behind every queued event due at the same time or earlier.
  Handle vloz(const RUdalost& u);
  bool prazdna() const { return poradi_.empty(); }
  std::size_t velikost() const { return poradi_.size(); }
  // The earliest event, or nullptr when the queue is empty.
  const RUdalost* nejdrivejsi() const;
  Handle nejdrivejsiHandle() const;
  // Unlinks the event wherever it stands and copies it out; false when no such event.
  bool vyjmi(Handle h, RUdalost* ven = nullptr);
  // Every queued event with its handle, in execution order.
  std::vector<std::pair<Handle, RUdalost>> seznam() const;
  void vyprazdni();

 private:
  using Klic = std::pair<double, Handle>;  // time, then scheduling order
  std::map<Klic, RUdalost> poradi_;
  std::unordered_map<Handle, double> casy_;
  Handle dalsi_ = 1;
};

}  // namespace stanovar
