#include "jadro.h"
#include "traffic/smycka.h"

#include <cmath>
#include <cstdio>

#include "dynamics/jizda.h"
#include "dynamics/stavy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"
#include "traffic/obsazeni.h"
#include "traffic/predani.h"
#include "traffic/oznam.h"

namespace stanovar {

FrontaUdalosti::Handle NaplanujUdalost(Stav& s, std::uint16_t druh, int vlak, int prvek,
                                       double hodnota1, double hodnota2, double cas) {
  RUdalost u;
  u.vlak = vlak;
  u.prvek = prvek;
  u.hodnota1 = hodnota1;
  u.hodnota2 = hodnota2;
  u.cas = cas;
  u.druh = druh;
  return s.fronta.vloz(u);
}

bool VyjmiUdalost(Stav& s, FrontaUdalosti::Handle h, RUdalost* ven) {
  return s.fronta.vyjmi(h, ven);
}

void ProvedUdalost(Stav& s, const RUdalost& u) {
  if (u.druh < UdalostObsazeni || u.druh > UdalostBrzdZrych) return;  // not a kind: dropped
  if (!s.posluchaci.prazdne()) {
    Oznameni o;
    o.druh = DruhOznameni::Udalost;
    o.vlak = u.vlak;
    o.prvek = u.prvek;
    o.udalost = &u;
    Oznam(s, o);
  }
  switch (u.druh) {
    case UdalostObsazeni: ObsazeniPrvku(s, u.vlak, u.prvek); break;
    case UdalostUvolneni: UvolneniPrvku(s, u.vlak, u.prvek); break;
    case UdalostBrzdeni: ZacniBrzdit(s, u.vlak, u.hodnota1, u.hodnota2); break;
    case UdalostZmenaJizdy: ZmenJizdu(s, u.vlak, u.hodnota1, u.hodnota2); break;
    case UdalostStalaJizda: StalaJizda(s, u.vlak, u.hodnota1, u.hodnota2); break;
    case UdalostVjezd: VjezdDoCesty(s, u.vlak, u.prvek); break;
    case UdalostOdjezd: OdjezdVlaku(s, u.vlak); break;
    case UdalostGenerace: GenerujVlak(s); break;
    case UdalostRozjezd: RozjezdVlaku(s, u.vlak, u.prvek); break;
    case UdalostBrzdZrych: NastavBrzdZrych(s, u.vlak, u.hodnota1); break;
    default: break;
  }
  // Only these may stop a train or set it off; the rest would only cost a look-up.
  if (u.druh >= UdalostBrzdeni && u.druh != UdalostOdjezd && u.druh != UdalostGenerace)
    Oznam(s, DruhOznameni::JizdaZmenena, u.vlak);
}

namespace {

// The earliest event when it is due at simulated time `ted`. An event whose time is not a
// number compares as due, like one scheduled for the past.
bool JeSplatna(const Stav& s, double ted) {
  const RUdalost* u = s.fronta.nejdrivejsi();
  return u && !(ted < u->cas);
}

}  // namespace

int ProvedSplatne(Stav& s) {
  int provedeno = 0;
  // The time is read again for every event: a handler may run long enough for more events
  // to fall due, and those it schedules for "now" must run in this tick too.
  while (!s.zpravaOtevrena && JeSplatna(s, SimCas(s))) {
    RUdalost u;
    s.fronta.vyjmi(s.fronta.nejdrivejsiHandle(), &u);
    ProvedUdalost(s, u);
    ++provedeno;
  }
  return provedeno;
}

void CasovacUdalostiTimer(Stav& s) {
  if (s.zpravaOtevrena) return;
  s.okno.hodiny = TextCasuDne(SimCas(s));
  ProvedSplatne(s);
}

void Button2Click(Stav& s) {
  if (!JeSplatna(s, SimCas(s))) return;
  RUdalost u;
  s.fronta.vyjmi(s.fronta.nejdrivejsiHandle(), &u);
  Zprava(s, std::to_string(u.druh) + "  " + std::to_string(u.vlak) + "  " +
                std::to_string(u.prvek));
  ProvedUdalost(s, u);
}

void ZacniModalni(Stav& s) { NastavRychlost(s, 0); }

void KonecModalni(Stav& s) { NastavRychlost(s, s.PosledniRychlost); }

std::string TextCasuDne(double t) {
  double den = std::isfinite(t) ? t - std::floor(t) : 0.0;
  // Rounding to whole milliseconds first keeps 6:00:00 from showing as 5:59:59 when the day
  // fraction lands a hair below the second; then the milliseconds are dropped.
  auto ms = static_cast<long long>(std::llround(den * 86400000.0));
  if (ms >= 86400000LL) ms -= 86400000LL;
  if (ms < 0) ms = 0;
  int sekundy = static_cast<int>(ms / 1000);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", sekundy / 3600, sekundy / 60 % 60,
                sekundy % 60);
  return buf;
}

}  // namespace stanovar
