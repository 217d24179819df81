#include "model/stav.h"

#include "model/vychozi_texty.h"

namespace stanovar {

const std::string& Stav::Text(int n) const {
  if (n < 1 || n >= static_cast<int>(jazyk.size())) return VychoziText(0);
  const std::string& t = jazyk[static_cast<std::size_t>(n)];
  return t.empty() ? VychoziText(n) : t;
}

void Zprava(Stav& s, const std::string& text) {
  if (!s.prostredi) return;
  s.zpravaOtevrena = true;
  s.prostredi->zprava(text);
  s.zpravaOtevrena = false;
}

int PoslouchejUdalosti(Stav& s, std::function<void(double cas, const RUdalost& u)> f) {
  return s.posluchaci.poslouchej([f = std::move(f)](Stav&, const Oznameni& o) {
    if (o.druh == DruhOznameni::Udalost) f(o.cas, *o.udalost);
  });
}

}  // namespace stanovar
