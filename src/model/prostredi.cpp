#include "model/prostredi.h"

#include "model/kodovani.h"

namespace stanovar {

void Prostredi::zpravaOSouboru(const std::string& pred, const std::string& jmeno,
                               const std::string& po) {
  zprava(pred + Utf8NaCp1250(jmeno) + po);
}

std::FILE* Prostredi::otevriProCteni(const std::string& cesta) {
  return std::fopen(cesta.c_str(), "rb");
}

}  // namespace stanovar
