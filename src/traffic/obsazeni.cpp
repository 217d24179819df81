#include "traffic/obsazeni.h"

#include <string>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "model/seznamy.h"
#include "traffic/generace.h"

namespace stanovar {

void ObsazeniPrvku(Stav& s, int vlak, int id) {
  RKolej* e = NajdiPrvek(s, id);
  if (!e) return;
  // A track's number is the route's or the entry's, which is this train's already.
  e->zaver = 3;
  e->vlak = vlak;
  KresliPrvek(s, *e, BarvaObsazeno, std::to_string(vlak));
}

void UvolneniPrvku(Stav& s, int vlak, int id) {
  RKolej* e = NajdiPrvek(s, id);
  if (!e || (vlak != 0 && !DrziPrvek(*e, vlak))) return;
  e->zaver = 0;
  e->vlak = 0;
  KresliPrvek(s, *e, s.nastaveni.popredi, e->cislo);
  ZkusCekajici(s);
  // An accepted train waits for this line track; a stored route may have taken it again.
  if (JeKolej(e->id) && e->druhKonce == 4 && e->zaver == 0) TratUvolnena(s, *e);
}

}  // namespace stanovar
