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

}  // namespace stanovar
