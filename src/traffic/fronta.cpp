#include "traffic/fronta.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace stanovar {

namespace {
constexpr std::size_t Deti = 4;
}

FrontaUdalosti::Handle FrontaUdalosti::vloz(const RUdalost& u) {
  std::uint32_t slot;
  if (!volne_.empty()) {
    slot = volne_.back();
    volne_.pop_back();
  } else {
    slot = static_cast<std::uint32_t>(sloty_.size());
    sloty_.emplace_back();
  }
  sloty_[slot].u = u;
  // A time that is not a number would break the ordering of the whole heap; such an event
  // is simply due at once.
  double klic = std::isnan(u.cas) ? -std::numeric_limits<double>::infinity() : u.cas;
  halda_.push_back({});
  nahoru(halda_.size() - 1, Polozka{klic, poradi_++, slot});
  return handle(slot, sloty_[slot].generace);
}

const RUdalost* FrontaUdalosti::nejdrivejsi() const {
  return halda_.empty() ? nullptr : &sloty_[halda_.front().slot].u;
}

FrontaUdalosti::Handle FrontaUdalosti::nejdrivejsiHandle() const {
  if (halda_.empty()) return 0;
  std::uint32_t slot = halda_.front().slot;
  return handle(slot, sloty_[slot].generace);
}

std::uint32_t FrontaUdalosti::slotHandlu(Handle h) const {
  std::uint64_t slot = h & 0xFFFFFFFFu;
  auto generace = static_cast<std::uint32_t>(h >> 32);
  if (slot >= sloty_.size()) return Volny;
  const Slot& s = sloty_[slot];
  if (s.pozice == Volny || s.generace != generace) return Volny;
  return static_cast<std::uint32_t>(slot);
}

bool FrontaUdalosti::obsahuje(Handle h) const { return slotHandlu(h) != Volny; }

const RUdalost* FrontaUdalosti::najdi(Handle h) const {
  std::uint32_t slot = slotHandlu(h);
  return slot == Volny ? nullptr : &sloty_[slot].u;
}

bool FrontaUdalosti::vyjmi(Handle h, RUdalost* ven) {
  std::uint32_t slot = slotHandlu(h);
  if (slot == Volny) return false;
  std::size_t i = sloty_[slot].pozice;
  if (ven) *ven = sloty_[slot].u;
  uvolniSlot(slot);

  Polozka posledni = halda_.back();
  halda_.pop_back();
  if (i < halda_.size()) {
    // The last entry fills the hole; it may belong above or below it.
    if (i > 0 && drive(posledni, halda_[(i - 1) / Deti]))
      nahoru(i, posledni);
    else
      dolu(i, posledni);
  }
  return true;
}

std::vector<std::pair<FrontaUdalosti::Handle, RUdalost>> FrontaUdalosti::seznam() const {
  std::vector<Polozka> serazene = halda_;
  std::sort(serazene.begin(), serazene.end(), drive);
  std::vector<std::pair<Handle, RUdalost>> v;
  v.reserve(serazene.size());
  for (const Polozka& p : serazene)
    v.emplace_back(handle(p.slot, sloty_[p.slot].generace), sloty_[p.slot].u);
  return v;
}

void FrontaUdalosti::vyprazdni() {
  for (const Polozka& p : halda_) uvolniSlot(p.slot);
  halda_.clear();
}

void FrontaUdalosti::uvolniSlot(std::uint32_t slot) {
  Slot& s = sloty_[slot];
  s.pozice = Volny;
  if (++s.generace == 0) s.generace = 1;  // keeps every handle non-zero
  volne_.push_back(slot);
}

// Moves the hole at i up until p fits there, shifting the parents down.
void FrontaUdalosti::nahoru(std::size_t i, Polozka p) {
  while (i > 0) {
    std::size_t rodic = (i - 1) / Deti;
    if (!drive(p, halda_[rodic])) break;
    halda_[i] = halda_[rodic];
    sloty_[halda_[i].slot].pozice = static_cast<std::uint32_t>(i);
    i = rodic;
  }
  halda_[i] = p;
  sloty_[p.slot].pozice = static_cast<std::uint32_t>(i);
}

// Moves the hole at i down until p fits there, shifting the earliest child up.
void FrontaUdalosti::dolu(std::size_t i, Polozka p) {
  const std::size_t n = halda_.size();
  for (;;) {
    std::size_t prvni = i * Deti + 1;
    if (prvni >= n) break;
    std::size_t konec = std::min(prvni + Deti, n);
    std::size_t nej = prvni;
    for (std::size_t c = prvni + 1; c < konec; ++c)
      if (drive(halda_[c], halda_[nej])) nej = c;
    if (!drive(halda_[nej], p)) break;
    halda_[i] = halda_[nej];
    sloty_[halda_[i].slot].pozice = static_cast<std::uint32_t>(i);
    i = nej;
  }
  halda_[i] = p;
  sloty_[p.slot].pozice = static_cast<std::uint32_t>(i);
}

}  // namespace stanovar
