#include "traffic/kontrola.h"

#include <cmath>
#include <unordered_set>

#include "dynamics/dotazy.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

constexpr double TriHodiny = 3.0 / 24;

std::string Prvek(const RKolej& k) {
  return (JeKolej(k.id) ? "track " + k.cislo + " (" : "connector (") + std::to_string(k.id) + ")";
}

}  // namespace

void KontrolaStavu::udalost(Stav& s, const RUdalost& u) {
  if (u.druh == UdalostObsazeni) {
    RKolej* e = NajdiPrvek(s, u.prvek);
    if (!e) return;
    auto it = drzitel_.find(u.prvek);
    // The holder counts only while the element is still occupied: the dispatcher may have
    // freed it by hand meanwhile.
    if (chyba_.empty() && it != drzitel_.end() && it->second != u.vlak && e->zaver == 3)
      chyba_ = Prvek(*e) + " entered by train " + std::to_string(u.vlak) + " while train " +
               std::to_string(it->second) + " holds it";
    // A route's tracks bear the number of the train that will run onto them.
    if (chyba_.empty() && JeKolej(e->id) && e->zaver == 2 && e->vlak != u.vlak)
      chyba_ = Prvek(*e) + " entered by train " + std::to_string(u.vlak) +
               " on a route set for " + (e->vlak ? "train " + std::to_string(e->vlak) : "no train");
    drzitel_[u.prvek] = u.vlak;
  } else if (u.druh == UdalostUvolneni) {
    auto it = drzitel_.find(u.prvek);
    const RKolej* e = NajdiPrvek(s, u.prvek);
    // A release frees what its train holds, or it frees the element under the next train or
    // out of a route locked since. A track entered by a hand-over, which has no event, is
    // held by the train it is occupied for.
    if (chyba_.empty() && e) {
      const int drzi = it != drzitel_.end() ? it->second : e->vlak;
      if (e->zaver != 3)
        chyba_ = Prvek(*e) + " released for train " + std::to_string(u.vlak) +
                 ", which does not hold it: it is " +
                 (e->zaver == 2 ? "locked in a route" : "free already");
      else if (drzi != 0 && drzi != u.vlak)
        chyba_ = Prvek(*e) + " released for train " + std::to_string(u.vlak) + " while train " +
                 std::to_string(drzi) + " holds it";
    }
    if (it != drzitel_.end()) drzitel_.erase(it);
  }
}

std::string KontrolaStavu::over(Stav& s) { return over(s, SimCas(s), 0); }

std::string KontrolaStavu::over(Stav& s, double ted) {
  // A plan's times are sums of rounded terms, so an event planned for the instant that planned
  // it may fall microseconds before it; it runs at once, in that same instant.
  return over(s, ted, 1.0 / 86400000);
}

std::string KontrolaStavu::over(Stav& s, double ted, double tolerance) {
  if (!chyba_.empty()) return chyba_;

  std::unordered_set<int> uvolnovane;  // elements with a release queued
  std::unordered_map<int, int> udalostiVlaku;
  std::string chyba;
  s.fronta.kazda([&](FrontaUdalosti::Handle, const RUdalost& u) {
    if (chyba.empty() && !(std::isfinite(u.cas) && u.cas >= ted - tolerance))
      chyba = "event of kind " + std::to_string(u.druh) + " for train " + std::to_string(u.vlak) +
              " is due in the past";
    if (u.druh == UdalostUvolneni) uvolnovane.insert(u.prvek);
    if (u.vlak != 0 && u.druh >= UdalostBrzdeni) ++udalostiVlaku[u.vlak];
  });
  if (!chyba.empty()) return chyba;

  std::unordered_set<int> vCeste;  // elements of set routes and of trains' paths
  for (const RCesta& c : s.Cesty)
    for (const RKrok& k : c.cesta) vCeste.insert(k.prvek);
  for (const RVlak& v : s.Vlaky)
    for (const RKrok& k : v.cesta) vCeste.insert(k.prvek);

  for (const auto* seznam : {&s.Koleje, &s.Spojky}) {
    for (const RKolej& k : *seznam) {
      if (k.zaver == 3) {
        auto it = drzitel_.find(k.id);
        const int vlak = it != drzitel_.end() ? it->second : k.vlak;
        if (!NajdiVlak(s, vlak) && !uvolnovane.count(k.id) &&
            !(JeKolej(k.id) && k.vlak > 0 && NajdiVlak(s, k.vlak)))
          return Prvek(k) + " is occupied by train " + std::to_string(vlak) +
                 ", which is gone, and nothing will release it";
      } else if (k.zaver == 2 && !vCeste.count(k.id)) {
        return Prvek(k) + " is locked but belongs to no route and no train";
      } else if (k.zaver == 1) {
        return Prvek(k) + " is left marked by a conflict check";
      }
      // The number shown on a track is a train that is there or will come; only the tail of
      // a train that has left keeps it until its release.
      if (k.vlak > 0 && !NajdiVlak(s, k.vlak) && !(k.zaver == 3 && uvolnovane.count(k.id)))
        return Prvek(k) + " holds the number of train " + std::to_string(k.vlak) +
               ", which is gone";
    }
  }

  for (const RVlak& v : s.Vlaky)
    if (!(v.rychlost >= 0 && v.CilRychl >= 0))
      return "train " + std::to_string(v.cislo) + " has a negative speed";

  for (RVlak& v : s.Vlaky) {
    if (udalostiVlaku.count(v.cislo)) continue;
    const std::string kdo = "train " + std::to_string(v.cislo);
    if (v.maOdjezd) return kdo + " waits for a departure that is not queued";
    if (v.rychlost != 0 || v.CilRychl != 0) return kdo + " runs with nothing queued";
    // The track the head stands on: the path's last one, or an earlier one when the train
    // could not start on the route it took.
    const RKrok* posl = nullptr;
    const RKolej* k = nullptr;
    for (auto it = v.cesta.rbegin(); it != v.cesta.rend() && !posl; ++it)
      if (const RKolej* e = JeKolej(it->prvek) ? NajdiKolej(s, it->prvek) : nullptr;
          e && it->delka - e->delka < v.vzdalenost) {
        posl = &*it;
        k = e;
      }
    if (!k) return kdo + " stands outside any track";
    const bool navestidlo = NavestidloNaKonci(s, *k, posl->smer) != nullptr;
    bool pokracuje = NajdiCestu(s, k->id) != nullptr;
    for (const RCekajiciCesta& c : s.CekajiciCesty) pokracuje = pokracuje || c.start == k->id;
    if (!navestidlo && !pokracuje) return kdo + " stands on track " + k->cislo + " before no signal";
  }
  if (std::string c = telo(s); !c.empty()) return c;
  stoji(s, ted);
  for (RVlak& v : s.Vlaky) {
    auto it = stoji_.find(v.cislo);
    if (it == stoji_.end() || ted - it->second < TriHodiny || v.maOdjezd) continue;
    const RKrok* z = PosledniKolejKrok(v.cesta);
    const RKolej* k = z ? NajdiKolej(s, z->prvek) : nullptr;
    if (!k) continue;
    const RNavestidlo* n = NavestidloNaKonci(s, *k, z->smer);
    if (NajdiCestu(s, n ? n->id : k->id))
      return "train " + std::to_string(v.cislo) + " has stood three hours before the route set from " +
             (n ? "signal " + std::to_string(n->id) : "track " + k->cislo) + " ahead of it";
  }
  if (zivost) return plynuti(s, ted);
  return {};
}

void KontrolaStavu::stoji(Stav& s, double ted) {
  std::unordered_map<int, double> stoji;
  for (const RVlak& v : s.Vlaky) {
    if (v.rychlost != 0 || v.CilRychl != 0) continue;
    auto it = stoji_.find(v.cislo);
    stoji[v.cislo] = it == stoji_.end() ? ted : it->second;
  }
  stoji_.swap(stoji);
}

std::string KontrolaStavu::poPohledu(Stav& s, double ted,
                                     const std::function<bool(Stav&, int)>& mohlBy) {
  const double minule = minule_;
  minule_ = ted;
  if (!chyba_.empty()) return chyba_;
  stoji(s, ted);
  // Whole hours past the first three; asked again only when that changes.
  auto hodin = [](double doba) { return std::floor((doba - TriHodiny) * 24); };
  for (const RVlak& v : s.Vlaky) {
    auto it = stoji_.find(v.cislo);
    if (it == stoji_.end()) continue;
    const double doba = ted - it->second;
    if (doba < TriHodiny || (minule >= it->second && hodin(minule - it->second) == hodin(doba)))
      continue;
    if (mohlBy(s, v.cislo))
      return "train " + std::to_string(v.cislo) +
             " has stood three hours although the automatic dispatcher could set it a route";
  }
  return {};
}

std::string KontrolaStavu::telo(Stav& s) {
  // Events of this instant may still be due, and plan times are sums of rounded terms: the
  // body is taken a few centimetres shorter at each end.
  constexpr double Tolerance = 0.05;
  for (RVlak& v : s.Vlaky) {
    double rychlost = 0, hlava = v.vzdalenost;
    if (!AktualRychlost(s, v, rychlost, hlava)) continue;
    if (rychlost < -0.001)
      return "train " + std::to_string(v.cislo) + " runs backwards at " + std::to_string(rychlost);
    const double ocas = hlava - v.delka;
    for (const RKrok& k : v.cesta) {
      const RKolej* e = NajdiPrvek(s, k.prvek);
      if (!e) continue;
      const double konec = k.delka, zacatek = konec - e->delka;
      if (!(zacatek < hlava - Tolerance && konec > ocas + Tolerance)) continue;
      if (e->zaver != 3 || (JeKolej(e->id) && e->vlak != v.cislo))
        return Prvek(*e) + " lies under train " + std::to_string(v.cislo) + " (" +
               std::to_string(zacatek) + " to " + std::to_string(konec) + " m, the train " +
               std::to_string(ocas) + " to " + std::to_string(hlava) + " m) but is " +
               (e->zaver == 3 ? "held for train " + std::to_string(e->vlak)
                              : "not occupied (state " + std::to_string(e->zaver) + ")");
    }
  }
  return {};
}

std::string KontrolaStavu::plynuti(Stav& s, double ted) {
  constexpr double Pul = 30.0 / 1440, DveHodiny = 2.0 / 24;
  std::unordered_map<int, double> nabidnuto;
  for (const RNabidka& n : s.Nabidky) {
    if (n.prijata) continue;
    auto it = nabidnuto_.find(n.cislo);
    const double od = it == nabidnuto_.end() ? ted : it->second;
    nabidnuto[n.cislo] = od;
    if (ted - od > Pul)
      return "the offer of train " + std::to_string(n.cislo) + " from " + n.odkud +
             " has waited more than 30 minutes unanswered";
  }
  nabidnuto_.swap(nabidnuto);
  for (const RVlak& v : s.Vlaky)
    if (auto it = stoji_.find(v.cislo); it != stoji_.end() && ted - it->second > DveHodiny)
      return "train " + std::to_string(v.cislo) + " has stood for more than two hours";
  for (const RSoused& so : s.Sousede) {
    if (so.druh != 4 && so.druh != 5) continue;
    bool ma = false;
    for (const RNabidka& n : s.Nabidky) ma = ma || (n.x == so.x && n.y == so.y);
    if (!ma)
      return "line end " + so.jmeno + " waits (state " + std::to_string(so.druh) +
             ") with no offer on it";
  }
  return {};
}

}  // namespace stanovar
