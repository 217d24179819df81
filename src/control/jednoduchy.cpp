#include "control/jednoduchy.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "control/cesty.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"

namespace stanovar {

namespace {

// A click point inside the track, away from its ends, snapped to the grid.
int StredX(const RKolej& k) {
  const int bunek = (k.x2 - k.x1) / gx;
  return k.x1 + (bunek > 1 ? bunek / 2 : 0) * gx + (bunek == 1 ? gx / 2 : 0);
}

// No line track: what a train inside that leaves whatever happens waits for.
const std::vector<int> Zadne;

bool Obsahuje(const std::vector<int>& v, int x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

}  // namespace

const std::vector<int>& JednoduchyDispecer::Trati(Stav& s, const std::string& kam) {
  auto it = trati_.find(kam);
  if (it != trati_.end()) return it->second;
  std::vector<int> r;
  for (RSoused& so : s.Sousede)
    if (so.jmeno == kam && so.druh >= 2 && so.druh <= 5)
      if (RKolej* k = KolejVBode(s, so.x, so.y)) r.push_back(k->id);
  return trati_.emplace(kam, std::move(r)).first->second;
}

bool JednoduchyDispecer::Nastav(Stav& s, int navestidlo, int kolej) {
  RNavestidlo* n = NajdiNavestidlo(s, navestidlo);
  RKolej* k = NajdiKolej(s, kolej);
  if (!n || !k || n->stav != 0) return false;
  // Stored and withdrawn at once, it would leave nothing behind; asking first spares the
  // search, the storing and the withdrawal, which a busy station would make thousands of
  // times a day.
  PametCest& pamet = s.pametCest ? *s.pametCest : pamet_;
  if (const Kroky* cesta = CestaKliku(s, pamet, n->id, n->x, n->y, StredX(*k), k->y1);
      cesta && UlozenaBezStopy(s, *cesta)) {
    ++ulozeno;
    ++zruseno;
    return false;
  }
  Image1MouseDown(s, Tlacitko::Leve, n->x, n->y);
  if (!s.VyberCesty) return false;
  Image1MouseDown(s, Tlacitko::Leve, StredX(*k), k->y1);
  if (s.VyberCesty) Image1MouseDown(s, Tlacitko::Prave, n->x, n->y);
  n = NajdiNavestidlo(s, navestidlo);
  if (n && n->stav == 4) {
    // Stored behind something: withdrawn, so that no two waiting routes block each other.
    ++ulozeno;
    Image1MouseDown(s, Tlacitko::Prave, n->x, n->y);
    ++zruseno;
    return false;
  }
  const bool ok = n && n->stav == 2;
  if (ok) ++nastaveno;
  return ok;
}

bool JednoduchyDispecer::Vede(Stav& s, int navestidlo, int kolej) {
  const auto klic = std::make_pair(navestidlo, kolej);
  if (auto it = dosazitelnost_.find(klic); it != dosazitelnost_.end()) return it->second;
  // The station as drawn, with nothing locked and nobody on it, on a canvas that draws
  // nothing and with no queue or observer of its own.
  PrazdnePlatno platno;
  Stav kopie = s;
  kopie.platno = &platno;
  kopie.posluchaci.vycisti();
  kopie.pametCest = nullptr;
  VyprazdniBeh(kopie);
  kopie.VyberCesty = false;
  // Lines with a train offered or accepted are two-way lines as drawn.
  for (auto* seznam : {&kopie.Koleje, &kopie.Spojky})
    for (RKolej& k : *seznam) {
      k.zaver = 0, k.vlak = 0;
      if (k.druhKonce >= 4) k.druhKonce = 3;
    }
  for (RSoused& so : kopie.Sousede)
    if (so.druh >= 4) so.druh = 3;
  for (RNavestidlo& n : kopie.Navestidla) n.stav = 0;
  JednoduchyDispecer zkusebni;
  const bool vede = zkusebni.Nastav(kopie, navestidlo, kolej);
  dosazitelnost_[klic] = vede;
  return vede;
}

bool JednoduchyDispecer::VedeNaTrat(Stav& s, int kolej, int smer, int trat) {
  RKolej* k = NajdiKolej(s, kolej);
  RNavestidlo* n = k ? NavestidloNaKonci(s, *k, smer) : nullptr;
  return n && Vede(s, n->id, trat);
}

bool JednoduchyDispecer::Pouzitelna(Stav& s, const Venku& v, int kolej) {
  return v.signal && Vede(s, v.signal, kolej) &&
         std::any_of(v.ven->begin(), v.ven->end(),
                     [&](int trat) { return VedeNaTrat(s, kolej, v.smer, trat); });
}

void JednoduchyDispecer::Postav(Stav& s, Model& m) {
  m.volne.clear();
  m.uvnitr.clear();
  m.venku.clear();
  for (const RKolej& k : s.Koleje)
    if (k.druhKonce == 0 && k.zaver == 0 && k.vlak == 0) m.volne.push_back(k.id);
  for (RVlak& v : s.Vlaky) {
    RKrok* posl = PosledniKolejKrok(v.cesta);
    RKolej* E = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    const std::vector<int>& ven = Trati(s, v.cil);
    // A train that can never leave only keeps its track.
    if (!E || ven.empty()) continue;
    RNavestidlo* S = NavestidloNaKonci(s, *E, posl->smer);
    const RKolej* poloha = E;
    // A train routed into a station track counts as being there already.
    if (RCesta* R = S && S->stav == 2 ? NajdiCestu(s, S->id) : nullptr) {
      RKrok* z = PosledniKolejKrok(R->cesta);
      RKolej* cil = z ? NajdiKolej(s, z->prvek) : nullptr;
      if (cil && cil->druhKonce == 0) poloha = cil;
    }
    if (poloha->druhKonce == 0) {
      m.uvnitr.push_back({poloha->id, &ven});
    } else if (!Obsahuje(ven, poloha->id)) {
      m.venku.push_back({poloha->id, S ? S->id : 0, posl->smer, &ven, v.cislo});
    } else {
      // On its way out: the station tracks its tail still holds free up whatever happens.
      for (const RKolej& k : s.Koleje)
        if (k.druhKonce == 0 && k.vlak == v.cislo) m.uvnitr.push_back({k.id, &Zadne});
    }
  }
  for (const RNabidka& n : s.Nabidky)
    if (n.prijata)
      if (auto v = Zvenku(s, n)) m.venku.push_back(*v);
}

std::optional<JednoduchyDispecer::Venku> JednoduchyDispecer::Zvenku(Stav& s,
                                                                      const RNabidka& n) {
  RKolej* k = KolejVBode(s, n.x, n.y);
  const std::vector<int>& ven = Trati(s, n.kam);
  if (!k || ven.empty()) return std::nullopt;
  // The train will run away from the line end, as the hand-over sends it.
  const int smer = n.x == k->x1 ? 2 : 1;
  RNavestidlo* S = NavestidloNaKonci(s, *k, smer);
  return Venku{k->id, S ? S->id : 0, smer, &ven, 0};
}

bool JednoduchyDispecer::Bezpecny(Stav& s, const Model& vzor, std::size_t i, int kolej) {
  // On a copy of its own that keeps its room from call to call: this runs for every track
  // a train might take, at every look.
  Model& m = naPapire_;
  m = vzor;
  if (kolej) Presun(m, i, kolej);
  // Drains the station on paper: a train inside leaves once no train outside holds its line,
  // a train outside comes in once a free track it can use is there. Safe when everybody
  // outside gets in this way; those inside then all leave. Who comes in first matters, so
  // one at a time, best first: one that will leave at once and so keeps no track, then one
  // whose line trains inside wait for, then any.
  // A train inside waits while trains outside hold every line track it may leave by.
  auto drzena = [&](const std::vector<int>* ven) {
    return !ven->empty() && std::all_of(ven->begin(), ven->end(), [&](int trat) {
      return std::any_of(m.venku.begin(), m.venku.end(),
                         [&](const Venku& v) { return v.trat == trat; });
    });
  };
  for (;;) {
    for (auto it = m.uvnitr.begin(); it != m.uvnitr.end();) {
      if (drzena(it->ven)) {
        ++it;
        continue;
      }
      m.volne.push_back(it->kolej);
      it = m.uvnitr.erase(it);
    }
    if (m.venku.empty()) return true;
    int nejlepsi = -1, kolej = 0, poradi = 3;
    for (std::size_t i = 0; i < m.venku.size() && poradi > 0; ++i) {
      const Venku& v = m.venku[i];
      // An accepted train enters only behind the train still on its line.
      if (!v.vlak && std::any_of(m.venku.begin(), m.venku.end(), [&](const Venku& w) {
            return w.vlak && w.trat == v.trat;
          }))
        continue;
      auto k = std::find_if(m.volne.begin(), m.volne.end(),
                            [&](int t) { return Pouzitelna(s, v, t); });
      if (k == m.volne.end()) continue;
      int p = 2;
      if (!drzena(v.ven)) {
        p = 0;
      } else if (std::any_of(m.uvnitr.begin(), m.uvnitr.end(),
                             [&](const Uvnitr& u) { return Obsahuje(*u.ven, v.trat); })) {
        p = 1;
      }
      if (p < poradi) nejlepsi = static_cast<int>(i), kolej = *k, poradi = p;
    }
    if (nejlepsi < 0) return false;
    Presun(m, static_cast<std::size_t>(nejlepsi), kolej);
  }
}

void JednoduchyDispecer::Presun(Model& m, std::size_t i, int kolej) {
  m.uvnitr.push_back({kolej, m.venku[i].ven});
  m.venku.erase(m.venku.begin() + static_cast<std::ptrdiff_t>(i));
  m.volne.erase(std::find(m.volne.begin(), m.volne.end(), kolej));
}

int JednoduchyDispecer::Dovnitr(Stav& s, Model& m, std::size_t i, bool jenBezpecne) {
  const Venku v = m.venku[i];
  for (int pruchod = 0; pruchod < 2; ++pruchod) {
    // First the tracks that keep the station safe. A train that already holds a two-way line
    // in a station that cannot drain on paper anyway may take any track: waiting would not
    // mend it, and coming in frees its line.
    if (pruchod == 1 && (jenBezpecne || Bezpecny(s, m))) break;
    int vybrana = 0;
    for (int kolej : m.volne) {
      if (!Pouzitelna(s, v, kolej)) continue;
      if (pruchod == 0 && !Bezpecny(s, m, i, kolej)) continue;
      if (Zkus(s, v.signal, kolej)) {
        vybrana = kolej;
        break;
      }
    }
    if (vybrana) {
      Presun(m, i, vybrana);
      return vybrana;
    }
  }
  return 0;
}

JednoduchyDispecer::Trvale JednoduchyDispecer::trvale() const {
  return {dosazitelnost_, pamet_, poradi_, dalsiPoradi_, cekaOd_, uvolneni_, neslo_, sleduje_,
          zmena_};
}

void JednoduchyDispecer::obnov(Trvale t) {
  dosazitelnost_ = std::move(t.dosazitelnost);
  pamet_ = std::move(t.pamet);
  poradi_ = std::move(t.poradi);
  dalsiPoradi_ = t.dalsiPoradi;
  cekaOd_ = std::move(t.cekaOd);
  uvolneni_ = t.uvolneni;
  neslo_ = std::move(t.neslo);
  sleduje_ = t.sleduje;
  zmena_ = t.zmena;
}

void JednoduchyDispecer::udalost(const RUdalost& u) {
  sleduje_ = true;
  switch (u.druh) {
    case 2: case 7: ++uvolneni_; zmena_ = true; break;
    case 5: case 6: case 8: case 9: zmena_ = true; break;
    default: break;
  }
}

bool JednoduchyDispecer::Zkus(Stav& s, int navestidlo, int kolej) {
  // A route that could only be stored waits for something to be released; trying it again
  // before that would only store and withdraw it once more.
  const auto klic = std::make_pair(navestidlo, kolej);
  if (sleduje_) {
    auto it = neslo_.find(klic);
    if (it != neslo_.end() && it->second == uvolneni_) return false;
  }
  const int ulozenoDrive = ulozeno;
  const bool ok = Nastav(s, navestidlo, kolej);
  if (ok) neslo_.erase(klic);
  else if (ulozeno != ulozenoDrive) neslo_[klic] = uvolneni_;
  return ok;
}

void JednoduchyDispecer::OdmitniStare(Stav& s) {
  if (s.Nabidky.empty() && cekaOd_.empty()) return;
  const double ted = SimCas(s);
  std::map<int, double> ceka;
  std::vector<int> stare;
  for (const RNabidka& n : s.Nabidky) {
    if (n.prijata) continue;
    auto it = cekaOd_.find(n.cislo);
    const double od = it != cekaOd_.end() ? it->second : ted;
    ceka[n.cislo] = od;
    if (ted - od >= LhutaNabidky) stare.push_back(n.cislo);
  }
  cekaOd_.swap(ceka);
  for (int cislo : stare) {
    RNabidka* n = NajdiNabidkuVlaku(s, cislo);
    RKolej* k = n ? KolejVBode(s, n->x, n->y) : nullptr;
    if (!k || k->druhKonce != 5) continue;
    UkazNabidku(s, *k);
    if (s.NabizenyVlak != cislo) continue;
    LabelNeClick(s);
    cekaOd_.erase(cislo);
    ++odmitnuto;
  }
}

void JednoduchyDispecer::operator()(Stav& s) {
  if (s.VyberCesty) return;  // a person is choosing a route: not to be disturbed
  if (!sleduje_ || zmena_) {
    zmena_ = false;
    // Whatever one look did may let another act (an accepted train enters and wants its
    // route, a train routed out no longer holds back an offer): look again until nothing
    // more can be done, so that the result does not depend on when the next look comes.
    while (Pohled(s)) {
    }
  }
  // Time passing is a change of its own: an offer still not taken after its time is
  // refused, whether anything happened meanwhile or not.
  OdmitniStare(s);
}

bool JednoduchyDispecer::Odjizdi(Stav& s, int trat) {
  for (RVlak& v : s.Vlaky) {
    RKrok* posl = PosledniKolejKrok(v.cesta);
    RKolej* E = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    if (E && E->druhKonce == 0 && Obsahuje(Trati(s, v.cil), trat) && v.rychlost == 0 &&
        v.CilRychl == 0 && !v.brzdi && !v.maOdjezd)
      return true;
  }
  return false;
}

bool JednoduchyDispecer::Pohled(Stav& s) {
  const int prijatoDrive = prijato, nastavenoDrive = nastaveno;
  // The station on paper. A two-way line track is also the way out for trains going there,
  // so a train standing on it, or accepted for it, must always be able to come in; else the
  // trains inside that wait for that line and the train outside that waits for room hold
  // each other for good. Anything that takes room (an accepted offer, a train from an
  // arrivals-only line) is granted only when the station can still drain afterwards.
  Model& m = stanice_;
  Postav(s, m);

  // In from a two-way line: the room for it is already counted.
  for (std::size_t i = 0; i < m.venku.size();) {
    const Venku v = m.venku[i];
    RKolej* trat = NajdiKolej(s, v.trat);
    RNavestidlo* S = v.signal ? NajdiNavestidlo(s, v.signal) : nullptr;
    const bool obousmerna = v.vlak && trat && trat->druhKonce >= 3;
    if (obousmerna && S && S->stav == 0 && Dovnitr(s, m, i, false) > 0)
      continue;  // moved inside the model
    ++i;
  }

  // The claims on room, oldest first: offers, and trains on arrivals-only lines. One that
  // cannot be served stops the younger ones, so that none is passed over for good.
  std::vector<Narok>& naroky = naroky_;
  naroky.clear();
  zustava_.clear();
  auto najdi = [](std::vector<std::pair<int, long long>>& v, int klic) {
    return std::find_if(v.begin(), v.end(), [&](const auto& p) { return p.first == klic; });
  };
  auto poradi = [&](int klic) {
    if (auto it = najdi(zustava_, klic); it != zustava_.end()) return it->second;
    auto it = najdi(poradi_, klic);
    const long long p = it != poradi_.end() ? it->second : dalsiPoradi_++;
    zustava_.emplace_back(klic, p);
    return p;
  };
  for (const Venku& v : m.venku) {
    RKolej* trat = NajdiKolej(s, v.trat);
    if (v.vlak && trat && trat->druhKonce < 3) naroky.push_back({poradi(v.vlak), v.vlak, 0});
  }
  for (const RNabidka& n : s.Nabidky)
    if (!n.prijata) naroky.push_back({poradi(-n.cislo), 0, n.cislo});  // offers negated
  poradi_.swap(zustava_);
  std::sort(naroky.begin(), naroky.end(),
            [](const Narok& a, const Narok& b) { return a.poradi < b.poradi; });

  for (const Narok& n : naroky) {
    if (n.nabidka) {
      RNabidka* o = NajdiNabidkuVlaku(s, n.nabidka);
      RKolej* k = o ? KolejVBode(s, o->x, o->y) : nullptr;
      if (!k || k->druhKonce != 5) continue;
      auto v = Zvenku(s, *o);
      if (!v) continue;  // its train could never leave
      // A train inside that stands ready to leave by this line goes first: else, on a busy
      // line, every accepted train would take the line again the moment it is free.
      if (Odjizdi(s, v->trat)) break;
      Model dal = m;
      dal.venku.push_back(*v);
      if (!Bezpecny(s, dal)) break;
      UkazNabidku(s, *k);
      if (s.NabizenyVlak != n.nabidka) continue;
      LabelAnoClick(s);
      ++prijato;
      m = std::move(dal);
      continue;
    }
    std::size_t i = 0;
    while (i < m.venku.size() && m.venku[i].vlak != n.vlak) ++i;
    if (i == m.venku.size()) continue;
    RNavestidlo* S = m.venku[i].signal ? NajdiNavestidlo(s, m.venku[i].signal) : nullptr;
    // Not in yet (no safe track, or its route is blocked for now): the younger wait too, or
    // the trains they bring would take each track it frees before it gets its turn.
    if (!(S && S->stav == 0 && Dovnitr(s, m, i, true) > 0)) break;
  }

  // Out to the line: a train on a station track, once it stands and its line is free. Last,
  // so that a train waiting to come in gets a throat the departures share with it as soon
  // as it is clear, rather than after every departure.
  std::vector<int>& vlaky = vlaky_;
  vlaky.clear();
  for (const RVlak& v : s.Vlaky) vlaky.push_back(v.cislo);
  for (int cislo : vlaky) {
    RVlak* v = NajdiVlak(s, cislo);
    if (!v || v->maOdjezd) continue;
    RKrok* posl = PosledniKolejKrok(v->cesta);
    RKolej* E = posl ? NajdiKolej(s, posl->prvek) : nullptr;
    if (!E || E->druhKonce != 0) continue;
    RNavestidlo* S = NavestidloNaKonci(s, *E, posl->smer);
    if (!S || S->stav != 0 || v->rychlost != 0 || v->CilRychl != 0 || v->brzdi) continue;
    // Of the free line tracks it may leave by, one with no train offered first: a departure
    // on the other would keep the offered train out.
    std::vector<int>& ven = ven_;
    ven.clear();
    for (bool nabizena : {false, true})
      for (int trat : Trati(s, v->cil))
        if ((NajdiKolej(s, trat)->druhKonce == 5) == nabizena) ven.push_back(trat);
    for (int trat : ven) {
      const RKolej* t = NajdiKolej(s, trat);
      if (t->zaver == 0 && t->vlak == 0 && Zkus(s, S->id, trat)) break;
    }
  }
  return prijato != prijatoDrive || nastaveno != nastavenoDrive;
}
}  // namespace stanovar
