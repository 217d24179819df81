#include "model/fronta.h"

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
    slot = static_cast<std::uint32_t>(udalosti_.size());
    udalosti_.emplace_back();
    pozice_.push_back(Volny);
    generace_.push_back(1);
    poradi_.push_back(0);
  }
  udalosti_[slot] = u;
  poradi_[slot] = dalsiPoradi_++;
  // A time that is not a number would break the ordering of the whole heap; such an event
  // is simply due at once.
  double klic = std::isnan(u.cas) ? -std::numeric_limits<double>::infinity() : u.cas;
  halda_.push_back({});
  nahoru(halda_.size() - 1, Polozka{klic, slot});
  return handle(slot, generace_[slot]);
}

const RUdalost* FrontaUdalosti::nejdrivejsi() const {
  return halda_.empty() ? nullptr : &udalosti_[halda_.front().slot];
}

FrontaUdalosti::Handle FrontaUdalosti::nejdrivejsiHandle() const {
  if (halda_.empty()) return 0;
  std::uint32_t slot = halda_.front().slot;
  return handle(slot, generace_[slot]);
}

std::uint32_t FrontaUdalosti::slotHandlu(Handle h) const {
  std::uint64_t slot = h & 0xFFFFFFFFu;
  auto generace = static_cast<std::uint32_t>(h >> 32);
  if (slot >= pozice_.size()) return Volny;
  if (pozice_[slot] == Volny || generace_[slot] != generace) return Volny;
  return static_cast<std::uint32_t>(slot);
}

bool FrontaUdalosti::obsahuje(Handle h) const { return slotHandlu(h) != Volny; }

const RUdalost* FrontaUdalosti::najdi(Handle h) const {
  std::uint32_t slot = slotHandlu(h);
  return slot == Volny ? nullptr : &udalosti_[slot];
}

bool FrontaUdalosti::vyjmi(Handle h, RUdalost* ven) {
  std::uint32_t slot = slotHandlu(h);
  if (slot == Volny) return false;
  std::size_t i = pozice_[slot];
  if (ven) *ven = udalosti_[slot];
  uvolniSlot(slot);

  Polozka posledni = halda_.back();
  halda_.pop_back();
  if (i < halda_.size()) dolu(i, posledni);  // the last entry fills the hole
  return true;
}

std::vector<std::pair<FrontaUdalosti::Handle, RUdalost>> FrontaUdalosti::seznam() const {
  std::vector<Polozka> serazene = halda_;
  std::sort(serazene.begin(), serazene.end(),
            [this](const Polozka& a, const Polozka& b) { return drive(a, b); });
  std::vector<std::pair<Handle, RUdalost>> v;
  v.reserve(serazene.size());
  for (const Polozka& p : serazene)
    v.emplace_back(handle(p.slot, generace_[p.slot]), udalosti_[p.slot]);
  return v;
}

void FrontaUdalosti::vyprazdni() {
  for (const Polozka& p : halda_) uvolniSlot(p.slot);
  halda_.clear();
}

void FrontaUdalosti::uvolniSlot(std::uint32_t slot) {
  pozice_[slot] = Volny;
  if (++generace_[slot] == 0) generace_[slot] = 1;  // keeps every handle non-zero
  volne_.push_back(slot);
}

// Moves the hole at i up until p fits there, shifting the parents down.
void FrontaUdalosti::nahoru(std::size_t i, Polozka p) {
  while (i > 0) {
    std::size_t rodic = (i - 1) / Deti;
    if (!drive(p, halda_[rodic])) break;
    halda_[i] = halda_[rodic];
    pozice_[halda_[i].slot] = static_cast<std::uint32_t>(i);
    i = rodic;
  }
  halda_[i] = p;
  pozice_[p.slot] = static_cast<std::uint32_t>(i);
}

// Fills the hole at i with p. The entry that fills a hole is usually the last one of the
// heap and belongs near the bottom again, so the hole first sinks all the way along the
// earliest children and p then rises from there: about half the comparisons of testing p
// at every level. Rising follows the hole's ancestors past i too, so a p that belongs
// above the hole (a removal from another subtree than the last entry's) ends up right.
void FrontaUdalosti::dolu(std::size_t i, Polozka p) {
  const std::size_t n = halda_.size();
  for (;;) {
    std::size_t prvni = i * Deti + 1;
    if (prvni >= n) break;
    std::size_t nej = prvni;
    if (prvni + Deti <= n) {
      std::size_t a = drive(halda_[prvni + 1], halda_[prvni]) ? prvni + 1 : prvni;
      std::size_t b = drive(halda_[prvni + 3], halda_[prvni + 2]) ? prvni + 3 : prvni + 2;
      nej = drive(halda_[b], halda_[a]) ? b : a;
    } else {
      for (std::size_t c = prvni + 1; c < n; ++c)
        if (drive(halda_[c], halda_[nej])) nej = c;
    }
    halda_[i] = halda_[nej];
    pozice_[halda_[i].slot] = static_cast<std::uint32_t>(i);
    i = nej;
  }
  nahoru(i, p);
}

}  // namespace stanovar
