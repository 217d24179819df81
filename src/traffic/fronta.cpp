#include "traffic/fronta.h"

namespace stanovar {

FrontaUdalosti::Handle FrontaUdalosti::vloz(const RUdalost& u) {
  Handle h = dalsi_++;
  poradi_.emplace(Klic{u.cas, h}, u);
  casy_.emplace(h, u.cas);
  return h;
}

const RUdalost* FrontaUdalosti::nejdrivejsi() const {
  return poradi_.empty() ? nullptr : &poradi_.begin()->second;
}

FrontaUdalosti::Handle FrontaUdalosti::nejdrivejsiHandle() const {
  return poradi_.empty() ? 0 : poradi_.begin()->first.second;
}

bool FrontaUdalosti::vyjmi(Handle h, RUdalost* ven) {
  auto c = casy_.find(h);
  if (c == casy_.end()) return false;
  auto it = poradi_.find(Klic{c->second, h});
  if (ven) *ven = it->second;
  poradi_.erase(it);
  casy_.erase(c);
  return true;
}

std::vector<std::pair<FrontaUdalosti::Handle, RUdalost>> FrontaUdalosti::seznam() const {
  std::vector<std::pair<Handle, RUdalost>> v;
  v.reserve(poradi_.size());
  for (const auto& [k, u] : poradi_) v.emplace_back(k.second, u);
  return v;
}

void FrontaUdalosti::vyprazdni() {
  poradi_.clear();
  casy_.clear();
}

}  // namespace stanovar
