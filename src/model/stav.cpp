#include "model/stav.h"

namespace stanovar {

void Zprava(Stav& s, const std::string& text) {
  if (!s.prostredi) return;
  s.zpravaOtevrena = true;
  s.prostredi->zprava(text);
  s.zpravaOtevrena = false;
}

}  // namespace stanovar
