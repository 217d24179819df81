// The event queue: events in time order, first scheduled first executed among equal times.
// Any queued event can be taken out by its handle, which re-planning a train needs.
//
// A 4-ary min-heap keyed by (time, scheduling order) keeps scheduling and taking out the
// earliest event logarithmic; a slot table remembers where each event stands in the heap so
// that an event can also be taken out from the middle. Handles carry a generation, so a
// handle of an event already gone never matches a later event that reuses its slot.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "model/zaznamy.h"

namespace stanovar {

class FrontaUdalosti {
 public:
  using Handle = std::uint64_t;  // 0 is never a valid handle

  // Inserts the event behind every queued event due at the same time or earlier. An event
  // whose time is not a number is due before everything else.
  Handle vloz(const RUdalost& u);
  bool prazdna() const { return halda_.empty(); }
  std::size_t velikost() const { return halda_.size(); }
  // The earliest event, or nullptr when the queue is empty. Valid until the next change.
  const RUdalost* nejdrivejsi() const;
  Handle nejdrivejsiHandle() const;
  // Whether the event of this handle is still queued.
  bool obsahuje(Handle h) const;
  // The queued event of this handle, or nullptr. Valid until the next change.
  const RUdalost* najdi(Handle h) const;
  // Unlinks the event wherever it stands and copies it out; false when no such event.
  bool vyjmi(Handle h, RUdalost* ven = nullptr);
  // Every queued event with its handle, in execution order.
  std::vector<std::pair<Handle, RUdalost>> seznam() const;
  // Calls f(handle, event) for every queued event, in no particular order; cheaper than
  // seznam() when only a selection of events is wanted. f must not change the queue.
  template <class F>
  void kazda(F&& f) const {
    for (const Polozka& p : halda_) f(handle(p.slot, generace_[p.slot]), udalosti_[p.slot]);
  }
  // Drops every event; their handles stay invalid for good.
  void vyprazdni();

 private:
  // Heap entries are kept small and the slot data apart from them, so that sifting through
  // the heap touches as little memory as possible.
  struct Polozka {
    double cas;  // sort key; NaN is replaced by -infinity
    std::uint32_t slot;
  };
  static constexpr std::uint32_t Volny = 0xFFFFFFFFu;

  // Earlier time first; among equal times the one scheduled first. The scheduling order is
  // looked up only on a tie.
  bool drive(const Polozka& a, const Polozka& b) const {
    return a.cas < b.cas || (a.cas == b.cas && poradi_[a.slot] < poradi_[b.slot]);
  }
  static Handle handle(std::uint32_t slot, std::uint32_t generace) {
    return (static_cast<Handle>(generace) << 32) | slot;
  }
  // Slot index of a handle that refers to a queued event, or Volny.
  std::uint32_t slotHandlu(Handle h) const;
  void nahoru(std::size_t i, Polozka p);
  void dolu(std::size_t i, Polozka p);
  void uvolniSlot(std::uint32_t slot);

  std::vector<Polozka> halda_;
  // Per slot: the event, its index in halda_ (Volny when the slot is free), the generation
  // its handle carries and its scheduling order.
  std::vector<RUdalost> udalosti_;
  std::vector<std::uint32_t> pozice_;
  std::vector<std::uint32_t> generace_;
  std::vector<std::uint64_t> poradi_;
  std::vector<std::uint32_t> volne_;
  std::uint64_t dalsiPoradi_ = 0;
};

}  // namespace stanovar
