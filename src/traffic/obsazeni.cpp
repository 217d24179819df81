#include "traffic/obsazeni.h"

#include <string>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "model/seznamy.h"

namespace stanovar {

void ObsazeniPrvku(Stav& s, int vlak, int id) {
  RKolej* e = NajdiPrvek(s, id);
  if (!e) return;
  // The booked train number (vlak) stays as the route or the entry from the line set it.
  e->zaver = 3;
  KresliPrvek(s, *e, BarvaObsazeno, std::to_string(vlak));
}

void UvolneniPrvku(Stav& s, int /*vlak*/, int id) {
  RKolej* e = NajdiPrvek(s, id);
  if (!e) return;
  e->zaver = 0;
  e->vlak = 0;
  KresliPrvek(s, *e, s.nastaveni.popredi, e->cislo);
  ZkusCekajici(s);
  // Once trains run: a line track whose accepted train waits for it (druhKonce 4) and that is
  // still free after the retry lets that train in (TratUvolnena).
}

}  // namespace stanovar
