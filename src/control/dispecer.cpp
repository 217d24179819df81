#include "control/dispecer.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "control/cesty.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/generace.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

// Seconds before a train reaches its signal from which its route on is set: early enough that
// it need not brake, late enough that the throat stays free for others meanwhile.
constexpr double HorizontVjezdu = 30;
constexpr double HorizontOdjezdu = 90;
// A train standing, or this near its signal, keeps what it waits for in the throat: a less
// urgent move may not take it meanwhile.
constexpr double HorizontNaroku = 30;
// Trains waiting in the station for one line out beyond which a train from an arrivals-only
// line stays on its line.
constexpr int FrontaVjezdu = 1;
// A train stops this far before the end of its track; shorter tracks leave its tail outside.
constexpr int Rezerva = 10;
// Seconds a train in the station takes to reach its signal at the least, for its urgency.
constexpr double NejmensiRychlost = 5;

// A click point inside the track, away from its ends, snapped to the grid.
int StredX(const RKolej& k) {
  const int bunek = (k.x2 - k.x1) / gx;
  return k.x1 + (bunek > 1 ? bunek / 2 : 0) * gx + (bunek == 1 ? gx / 2 : 0);
}

bool Stoji(const RVlak& v) { return v.rychlost == 0 && v.CilRychl == 0 && !v.brzdi; }

bool Volny(const RKolej& k) { return k.zaver == 0 && k.vlak == 0; }

// Whether a line end lies at the end of track k that direction smer runs to.
bool SousedNaKonci(const Stav& s, const RKolej& k, int smer) {
  if (smer != 1 && smer != 2) return false;
  const int x = smer == 1 ? k.x1 : k.x2;
  return std::any_of(s.Sousede.begin(), s.Sousede.end(),
                     [&](const RSoused& so) { return so.x == x && so.y == k.y1; });
}

// Elements as bits: a path's footprint, and what the urgent trains keep.
struct Bity {
  std::vector<std::uint64_t> w;
  void velikost(std::size_t n) { w.assign((n + 63) / 64, 0); }
  void nastav(int i) { w[static_cast<std::size_t>(i) / 64] |= std::uint64_t{1} << (i % 64); }
  void pridej(const Bity& o) {
    for (std::size_t i = 0; i < w.size() && i < o.w.size(); ++i) w[i] |= o.w[i];
  }
  bool prunik(const Bity& o) const {
    for (std::size_t i = 0; i < w.size() && i < o.w.size(); ++i)
      if (w[i] & o.w[i]) return true;
    return false;
  }
};

}  // namespace

struct AutomatickyDispecer::Pohled {
  // ---- The station as drawn, found once (a pure function of the station's files).
  const RKolej* data = nullptr;
  std::size_t nKoleji = 0, nSpojek = 0, nNavestidel = 0, nSousedu = 0;
  PrazdnePlatno platno;
  Stav prazdna;  // with nothing locked and nobody on it
  PametCest pametPrazdne;
  PametCest pamet;  // paths of the running station, when it keeps none itself
  std::unordered_map<int, int> bit;  // track or connector -> its bit

  // A route on the empty station from a signal to a track.
  struct Cesta {
    bool ok = false;
    std::vector<int> prvky;  // its tracks and connectors
    // The connectors that meet it where it leaves an element: locked, they block it too.
    std::vector<int> boky;
    Bity bity;  // its elements
    Bity narok;  // its elements and those connectors: what a train waiting for it keeps
    double hrdlo = 0;  // seconds to run its connectors at their speed limits
    int smer = 0;      // the direction it runs on its last track in
  };
  std::map<std::pair<int, int>, Cesta> cesty;
  // Line tracks towards a neighbour (those of its line ends for departures or both ways).
  std::unordered_map<std::string, std::vector<int>> trati;
  std::vector<int> stanicni;  // station tracks, in file order
  // The way out of a station track in a direction towards the line tracks of one
  // destination: the line tracks reachable, and the fastest throat among them (-1 none).
  struct Vystup {
    std::vector<int> trati;
    double hrdlo = -1;
  };
  std::map<std::tuple<int, int, const std::vector<int>*>, Vystup> vystupy;
  // The station tracks a train from an entry signal can use to leave towards a destination.
  std::map<std::pair<int, const std::vector<int>*>, std::vector<int>> pouzitelne;

  bool Stejna(const Stav& s) const {
    return data == s.Koleje.data() && nKoleji == s.Koleje.size() && nSpojek == s.Spojky.size() &&
           nNavestidel == s.Navestidla.size() && nSousedu == s.Sousede.size();
  }

  void Postav(const Stav& s) {
    data = s.Koleje.data();
    nKoleji = s.Koleje.size();
    nSpojek = s.Spojky.size();
    nNavestidel = s.Navestidla.size();
    nSousedu = s.Sousede.size();
    prazdna = s;
    prazdna.platno = &platno;
    prazdna.posluchaci.vycisti();
    prazdna.pametCest = nullptr;
    prazdna.schemaRadek = nullptr;
    VyprazdniBeh(prazdna);
    prazdna.VyberCesty = false;
    // Lines with a train offered or accepted are two-way lines as drawn.
    for (auto* seznam : {&prazdna.Koleje, &prazdna.Spojky})
      for (RKolej& k : *seznam) {
        k.zaver = 0, k.vlak = 0;
        if (k.druhKonce >= 4) k.druhKonce = 3;
      }
    for (RSoused& so : prazdna.Sousede)
      if (so.druh >= 4) so.druh = 3;
    for (RNavestidlo& n : prazdna.Navestidla) n.stav = 0;
    pametPrazdne.cesty.clear();
    pamet.cesty.clear();
    bit.clear();
    int i = 0;
    for (const RKolej& k : prazdna.Koleje) bit.emplace(k.id, i++);
    for (const RKolej& k : prazdna.Spojky) bit.emplace(k.id, i++);
    cesty.clear();
    trati.clear();
    cile.clear();
    vystupy.clear();
    pouzitelne.clear();
    stanicni.clear();
    for (const RKolej& k : prazdna.Koleje)
      if (k.druhKonce == 0) stanicni.push_back(k.id);
  }

  const Cesta& CestaZ(int navestidlo, int kolej) {
    auto [it, nova] = cesty.try_emplace({navestidlo, kolej});
    Cesta& c = it->second;
    if (!nova) return c;
    RNavestidlo* n = NajdiNavestidlo(prazdna, navestidlo);
    RKolej* k = NajdiKolej(prazdna, kolej);
    if (!n || !k) return c;
    const Kroky* kroky =
        CestaKliku(prazdna, pametPrazdne, n->id, n->x, n->y, StredX(*k), k->y1);
    if (!kroky || kroky->empty()) return c;
    c.bity.velikost(bit.size());
    c.narok.velikost(bit.size());
    int posledni = 0;
    for (auto it = kroky->begin(); it != kroky->end(); ++it) {
      RKolej* e = NajdiPrvek(prazdna, it->prvek);
      if (!e) continue;
      c.prvky.push_back(e->id);
      c.bity.nastav(bit[e->id]);
      if (JeSpojka(e->id) && e->rychlost > 0) c.hrdlo += e->delka * 3.6 / e->rychlost;
      if (JeKolej(e->id)) posledni = e->id, c.smer = it->smer;
      if (std::next(it) == kroky->end() || (it->smer != 1 && it->smer != 2)) continue;
      const int x = it->smer == 1 ? e->x1 : e->x2, y = it->smer == 1 ? e->y1 : e->y2;
      for (int i : SpojkySKoncem(prazdna, x, y)) {
        const int id = prazdna.Spojky[static_cast<std::size_t>(i)].id;
        if (id != e->id && std::find(c.boky.begin(), c.boky.end(), id) == c.boky.end())
          c.boky.push_back(id);
      }
    }
    std::erase_if(c.boky, [&](int id) {
      return std::find(c.prvky.begin(), c.prvky.end(), id) != c.prvky.end();
    });
    c.narok = c.bity;
    for (int id : c.boky) c.narok.nastav(bit[id]);
    // Only a route that ends on the track asked for: one that runs on past it belongs to
    // another track.
    c.ok = posledni == kolej;
    return c;
  }

  const std::vector<int>& Trati(const std::string& kam) {
    auto it = trati.find(kam);
    if (it != trati.end()) return it->second;
    std::vector<int> r;
    for (RSoused& so : prazdna.Sousede)
      if (so.jmeno == kam && so.druh >= 2 && so.druh <= 5)
        if (RKolej* k = KolejVBode(prazdna, so.x, so.y)) r.push_back(k->id);
    return trati.emplace(kam, std::move(r)).first->second;
  }

  const Vystup& VystupZ(int kolej, int smer, const std::vector<int>* ven) {
    auto [it, nova] = vystupy.try_emplace({kolej, smer, ven});
    Vystup& v = it->second;
    if (!nova) return v;
    RKolej* k = NajdiKolej(prazdna, kolej);
    RNavestidlo* n = k ? NavestidloNaKonci(prazdna, *k, smer) : nullptr;
    if (!n) return v;
    for (int trat : *ven) {
      const Cesta& c = CestaZ(n->id, trat);
      if (!c.ok) continue;
      v.trati.push_back(trat);
      if (v.hrdlo < 0 || c.hrdlo < v.hrdlo) v.hrdlo = c.hrdlo;
    }
    return v;
  }

  const std::vector<int>& Pouzitelne(int navestidlo, const std::vector<int>* ven) {
    auto [it, nova] = pouzitelne.try_emplace({navestidlo, ven});
    if (!nova) return it->second;
    std::vector<int> r;
    for (int kolej : stanicni) {
      const Cesta& c = CestaZ(navestidlo, kolej);
      if (c.ok && VystupZ(kolej, c.smer, ven).hrdlo >= 0) r.push_back(kolej);
    }
    return it->second = std::move(r);
  }

  // ---- One look at the running station.
  enum class Typ { Venku, Uvnitr, Odjizdi, Jinak };
  struct Vlak {
    int cislo = 0;
    Typ typ = Typ::Jinak;
    int kolej = 0;       // the line track it stands or runs on, or the station track it is on
                         // or routed to
    int smer = 0;        // its direction there
    int navestidlo = 0;  // the signal ahead that has no route yet, 0 none
    int delka = 0;
    bool stoji = false;
    double zbyva = 0;   // seconds until it reaches that signal
    double cekaOd = 0;  // since when it stands, for the order of those standing
    const std::vector<int>* ven = nullptr;
  };
  std::vector<Vlak> vlaky;
  // The destination of each train and its line tracks, in list order.
  std::vector<std::pair<std::string, const std::vector<int>*>> cile;
  std::vector<std::size_t> poradi;
  Bity narok;

  // The station on paper, to tell whether taking room may lock it.
  struct Uvnitr {
    int kolej;
    const std::vector<int>* trati;  // the line tracks it may leave by; null when it leaves
                                    // whatever happens
  };
  struct Venku {
    int trat;  // the two-way line track it holds
    int navestidlo;
    const std::vector<int>* ven;
    int delka;
    // Accepted and not yet handed over: it comes onto its line only once the train there has
    // come in, and so in only after it.
    bool prijata = false;
  };
  struct Model {
    std::vector<int> volne;
    std::vector<Uvnitr> uvnitr;
    std::vector<Venku> venku;
  };
  Model model;

  // The tracks a train of length `delka` from `navestidlo` may take: those long enough, when
  // any is; else all it can reach.
  bool Vejde(const RKolej& k, int delka) { return k.delka >= delka + Rezerva; }
  bool NektereVejde(const std::vector<int>& koleje, int delka) {
    return std::any_of(koleje.begin(), koleje.end(),
                       [&](int k) { return Vejde(*NajdiKolej(prazdna, k), delka); });
  }

  // Whether train v outside (of model m) may come in now: not an accepted one behind the
  // train still on its line.
  static bool NaRade(const Model& m, const Venku& v) {
    return !v.prijata || std::none_of(m.venku.begin(), m.venku.end(), [&](const Venku& w) {
      return !w.prijata && w.trat == v.trat;
    });
  }
  // Whether the free track k suits train v outside.
  bool Smi(const Venku& v, int k) {
    const std::vector<int>& mozne = Pouzitelne(v.navestidlo, v.ven);
    if (std::find(mozne.begin(), mozne.end(), k) == mozne.end()) return false;
    return !NektereVejde(mozne, v.delka) || Vejde(*NajdiKolej(prazdna, k), v.delka);
  }
  const std::vector<int>* Ven(const Venku& v, int k) {
    return &VystupZ(k, CestaZ(v.navestidlo, k).smer, v.ven).trati;
  }

  // Whether every train outside can still come in, and so everybody leave: a search for an
  // order. Trains inside leave once some line track they may leave by is not held by a train
  // outside; a train outside comes in once a free track it can use is there. One that can
  // leave at once from a free track it can use comes in first, as that only frees its line;
  // else each train outside is tried on each track, those whose line trains inside wait for
  // first. The search is bounded; a station it cannot drain within the bound counts as one
  // that cannot drain.
  bool Bezpecny(const Model& vzor) {
    int rozpocet = 64;
    if (hloubky.size() < vzor.venku.size() + 1) hloubky.resize(vzor.venku.size() + 1);
    hloubky[0] = vzor;
    return Vypust(0, rozpocet);
  }
  std::vector<Model> hloubky;  // the station on paper at each depth of the search

  bool Vypust(std::size_t h, int& rozpocet) {
    Model& m = hloubky[h];
    auto drzena = [&](int trat) {
      return std::any_of(m.venku.begin(), m.venku.end(),
                         [&](const Venku& v) { return v.trat == trat; });
    };
    // A train with no way out at all stays for good.
    auto ceka = [&](const std::vector<int>* t) {
      return t && (t->empty() || std::all_of(t->begin(), t->end(), drzena));
    };
    for (;;) {
      for (auto it = m.uvnitr.begin(); it != m.uvnitr.end();) {
        if (ceka(it->trati)) {
          ++it;
          continue;
        }
        m.volne.push_back(it->kolej);
        it = m.uvnitr.erase(it);
      }
      if (m.venku.empty()) return true;
      // In and out at once: that only frees its line.
      bool prosel = false;
      for (std::size_t i = 0; i < m.venku.size() && !prosel; ++i)
        for (int k : m.volne) {
          if (!NaRade(m, m.venku[i]) || !Smi(m.venku[i], k)) continue;
          const Venku v = m.venku[i];
          m.venku.erase(m.venku.begin() + static_cast<std::ptrdiff_t>(i));
          if (!ceka(Ven(v, k))) {
            prosel = true;
            break;
          }
          m.venku.insert(m.venku.begin() + static_cast<std::ptrdiff_t>(i), v);
        }
      if (!prosel) break;
    }
    // Someone must come in and stay for a while: each in turn, first those whose line trains
    // inside wait for.
    for (int kolo = 0; kolo < 2; ++kolo)
      for (std::size_t i = 0; i < m.venku.size(); ++i) {
        const bool cekaji = std::any_of(m.uvnitr.begin(), m.uvnitr.end(), [&](const Uvnitr& u) {
          return u.trati && std::find(u.trati->begin(), u.trati->end(), m.venku[i].trat) !=
                                u.trati->end();
        });
        if (cekaji != (kolo == 0) || !NaRade(m, m.venku[i])) continue;
        for (int k : m.volne) {
          if (!Smi(m.venku[i], k)) continue;
          if (--rozpocet < 0) return false;
          Model& d = hloubky[h + 1];
          d = m;
          d.uvnitr.push_back({k, Ven(d.venku[i], k)});
          d.venku.erase(d.venku.begin() + static_cast<std::ptrdiff_t>(i));
          d.volne.erase(std::find(d.volne.begin(), d.volne.end(), k));
          if (Vypust(h + 1, rozpocet)) return true;
        }
      }
    return false;
  }
};

AutomatickyDispecer::AutomatickyDispecer() : p_(std::make_unique<Pohled>()) {}
AutomatickyDispecer::~AutomatickyDispecer() = default;
AutomatickyDispecer::AutomatickyDispecer(const AutomatickyDispecer& d)
    : t_(d.t_), p_(std::make_unique<Pohled>()) {}
AutomatickyDispecer& AutomatickyDispecer::operator=(const AutomatickyDispecer& d) {
  if (this != &d) {
    t_ = d.t_;
    p_ = std::make_unique<Pohled>();
  }
  return *this;
}
AutomatickyDispecer::AutomatickyDispecer(AutomatickyDispecer&&) noexcept = default;
AutomatickyDispecer& AutomatickyDispecer::operator=(AutomatickyDispecer&&) noexcept = default;

void AutomatickyDispecer::udalost(const RUdalost& u) {
  t_.sleduje = true;
  if (u.druh == UdalostUvolneni) {
    if (u.cas != t_.uvolnenoCas) t_.uvolnilo.clear(), t_.uvolnenoCas = u.cas;
    if (std::find(t_.uvolnilo.begin(), t_.uvolnilo.end(), u.vlak) == t_.uvolnilo.end())
      t_.uvolnilo.push_back(u.vlak);
  }
  // Any event may let it act, if only because time has passed: a train running towards a
  // signal comes within reach of its route.
  t_.zmena = true;
}

namespace {

// Everything a look does, on the look's lists.
class Krok {
 public:
  using P = AutomatickyDispecer::Pohled;
  // A look happens at one instant: nothing it does moves the clock.
  Krok(Stav& s, P& p, AutomatickyDispecer::Trvale& m, const AutomatickyDispecer::Volby& v)
      : s_(s), p_(p), m_(m), v_(v), ted_(SimCas(s)) {}

  // One action at most (an answer or a route); true when it did one.
  bool operator()() {
    Obraz();
    Postav();
    return Pohyby() || Nabidky();
  }

  // Refuses the offers that have waited the time set or longer since it first saw them.
  void OdmitniStare() {
    if (s_.Nabidky.empty() && m_.nabidkaOd.empty()) return;
    const double ted = ted_;
    // The same offers as at the last look, none of them due: nothing to note or do.
    std::size_t znamych = 0;
    bool stara = false;
    for (const RNabidka& n : s_.Nabidky) {
      if (n.prijata) continue;
      auto it = m_.nabidkaOd.find(n.cislo);
      if (it == m_.nabidkaOd.end()) break;
      ++znamych;
      stara = stara || ted - it->second >= v_.lhutaNabidky;
    }
    if (!stara && znamych == m_.nabidkaOd.size() &&
        znamych == static_cast<std::size_t>(std::count_if(
                       s_.Nabidky.begin(), s_.Nabidky.end(),
                       [](const RNabidka& n) { return !n.prijata; })))
      return;
    std::map<int, double> ceka;
    std::vector<int> stare;
    for (const RNabidka& n : s_.Nabidky) {
      if (n.prijata) continue;
      auto it = m_.nabidkaOd.find(n.cislo);
      const double od = it != m_.nabidkaOd.end() ? it->second : ted;
      ceka[n.cislo] = od;
      if (ted - od >= v_.lhutaNabidky) stare.push_back(n.cislo);
    }
    m_.nabidkaOd.swap(ceka);
    for (int cislo : stare) {
      RNabidka* n = NajdiNabidkuVlaku(s_, cislo);
      RKolej* k = n ? KolejVBode(s_, n->x, n->y) : nullptr;
      if (k && k->druhKonce == 5) Odmitni(*k, cislo);
    }
  }

 private:
  using Vlak = P::Vlak;
  using Typ = P::Typ;

  void Odmitni(const RKolej& k, int cislo) {
    UkazNabidku(s_, k);
    if (s_.NabizenyVlak != cislo) return;
    LabelNeClick(s_);
    m_.nabidkaOd.erase(cislo);
    ++m_.odmitnuto;
  }

  // Clicks the signal, then the track; true when the route was set. A route that is only
  // stored is withdrawn at once; one that would be stored and withdrawn without a trace is
  // not clicked at all, and counts the same.
  bool Nastav(int navestidlo, int kolej) {
    RNavestidlo* n = NajdiNavestidlo(s_, navestidlo);
    RKolej* k = NajdiKolej(s_, kolej);
    if (!n || !k || n->stav != 0) return false;
    PametCest& pamet = s_.pametCest ? *s_.pametCest : p_.pamet;
    if (const Kroky* cesta = CestaKliku(s_, pamet, n->id, n->x, n->y, StredX(*k), k->y1);
        !cesta || cesta->empty() || UlozenaBezStopy(s_, *cesta)) {
      if (cesta && !cesta->empty()) ++m_.ulozeno, ++m_.zruseno;
      return false;
    }
    Image1MouseDown(s_, Tlacitko::Leve, n->x, n->y);
    if (!s_.VyberCesty) return false;
    Image1MouseDown(s_, Tlacitko::Leve, StredX(*k), k->y1);
    if (s_.VyberCesty) Image1MouseDown(s_, Tlacitko::Prave, n->x, n->y);
    n = NajdiNavestidlo(s_, navestidlo);
    if (n && n->stav == 4) {
      // Stored behind something: withdrawn, so that no two waiting routes block each other.
      ++m_.ulozeno;
      Image1MouseDown(s_, Tlacitko::Prave, n->x, n->y);
      ++m_.zruseno;
      return false;
    }
    const bool ok = n && n->stav == 2;
    if (ok) ++m_.nastaveno;
    return ok;
  }

  // Whether nothing of the path, nor a connector that meets it where it leaves an element, is
  // locked or occupied now, and nothing of it is kept for a more urgent train.
  bool Volna(const P::Cesta& c) {
    if (c.bity.prunik(p_.narok)) return false;
    for (const std::vector<int>* v : {&c.prvky, &c.boky})
      for (int id : *v) {
        const RKolej* e = NajdiPrvek(s_, id);
        if (!e || e->zaver != 0) return false;
      }
    return true;
  }

  // Where every train is, and what it waits for.
  void Obraz() {
    // The destinations of the trains of the last look, in their order, found again only for
    // trains that were not there (one number may come again to another destination).
    std::vector<std::pair<std::string, const std::vector<int>*>>& cile = p_.cile;
    std::size_t i = 0;
    p_.vlaky.clear();
    const double ted = ted_;
    for (RVlak& v : s_.Vlaky) {
      Vlak t;
      t.cislo = v.cislo;
      t.delka = v.delka;
      if (i < cile.size() && cile[i].first == v.cil) {
        t.ven = cile[i].second;
      } else {
        t.ven = &p_.Trati(v.cil);
        if (i < cile.size()) cile[i] = {v.cil, t.ven};
        else cile.emplace_back(v.cil, t.ven);
      }
      ++i;
      RKrok* posl = PosledniKolejKrok(v.cesta);
      RKolej* E = posl ? NajdiKolej(s_, posl->prvek) : nullptr;
      if (!E || v.maOdjezd) {
        p_.vlaky.push_back(t);
        continue;
      }
      int d = posl->smer;
      // Its head now, from its state when last planned.
      const double poloha =
          std::min<double>(v.vzdalenost + v.rychlost * (ted - v.cas) * 86400.0, posl->delka);
      double zbyva = posl->delka - poloha;
      // Follow the routes already set ahead of it.
      RNavestidlo* S = NavestidloNaKonci(s_, *E, d);
      for (int j = 0; S && S->stav == 2 && j < 8; ++j) {
        int k = 0, sm = 0;
        RCesta* R = NajdiCestu(s_, S->id, &k, &sm);
        RKolej* E2 = R ? NajdiKolej(s_, k) : nullptr;
        if (!E2) break;
        if (!R->cesta.empty()) zbyva += R->cesta.back().delka;
        E = E2, d = sm;
        S = NavestidloNaKonci(s_, *E, d);
      }
      t.kolej = E->id;
      t.smer = d;
      t.stoji = Stoji(v);
      t.zbyva = t.stoji ? 0 : zbyva / std::max(v.rychlost, NejmensiRychlost);
      t.navestidlo = S && S->stav == 0 ? S->id : 0;
      if (E->druhKonce == 0) t.typ = Typ::Uvnitr;
      else t.typ = SousedNaKonci(s_, *E, d) ? Typ::Odjizdi : Typ::Venku;
      p_.vlaky.push_back(t);
    }
    // Those standing by how long they have stood.
    std::map<int, double>& stoji = m_.stojiOd;
    for (auto it = stoji.begin(); it != stoji.end();) {
      const Vlak* t = NajdiT(it->first);
      if (t && t->stoji) ++it;
      else it = stoji.erase(it);
    }
    for (Vlak& t : p_.vlaky)
      if (t.stoji) t.cekaOd = stoji.try_emplace(t.cislo, ted).first->second;
  }

  Vlak* NajdiT(int cislo) {
    for (Vlak& t : p_.vlaky)
      if (t.cislo == cislo) return &t;
    return nullptr;
  }

  // The station on paper.
  void Postav() {
    P::Model& m = p_.model;
    m.volne.clear();
    m.uvnitr.clear();
    m.venku.clear();
    for (int id : p_.stanicni) {
      const RKolej* k = NajdiKolej(s_, id);
      if (Volny(*k)) {
        m.volne.push_back(id);
        continue;
      }
      const Vlak* t = k->vlak ? NajdiT(k->vlak) : nullptr;
      if (!t) continue;  // held by nobody who will move it: lost to the model
      if (t->typ == Typ::Odjizdi) m.uvnitr.push_back({id, nullptr});
      else if (t->typ == Typ::Uvnitr)
        m.uvnitr.push_back({id, &p_.VystupZ(t->kolej, t->smer, t->ven).trati});
    }
    for (const Vlak& t : p_.vlaky) {
      if (t.typ != Typ::Venku) continue;
      const RKolej* k = NajdiKolej(s_, t.kolej);
      if (k->druhKonce < 3 || !t.navestidlo) continue;
      if (p_.Pouzitelne(t.navestidlo, t.ven).empty()) continue;
      m.venku.push_back({t.kolej, t.navestidlo, t.ven, t.delka});
    }
    for (const RNabidka& n : s_.Nabidky)
      if (n.prijata)
        if (auto v = Zvenku(n)) m.venku.push_back(*v);
  }

  // Whether no train could come into any station track from line track k, running in
  // direction `smer`: no signal at its inner end, or no track reachable from it.
  bool Uzavrena(const RKolej& k, int smer) {
    RNavestidlo* S = NavestidloNaKonci(s_, k, smer);
    return !S || std::none_of(p_.stanicni.begin(), p_.stanicni.end(),
                              [&](int kolej) { return p_.CestaZ(S->id, kolej).ok; });
  }

  // The train of an offer as it will stand on its line once accepted; none when it could
  // never come in and leave.
  std::optional<P::Venku> Zvenku(const RNabidka& n) {
    RKolej* k = KolejVBode(s_, n.x, n.y);
    if (!k) return std::nullopt;
    // It will run away from the line end, as the hand-over sends it.
    RNavestidlo* S = NavestidloNaKonci(s_, *k, n.x == k->x1 ? 2 : 1);
    if (!S) return std::nullopt;
    const std::vector<int>* ven = &p_.Trati(n.kam);
    if (p_.Pouzitelne(S->id, ven).empty()) return std::nullopt;
    const int delka = n.spoj >= 0 && n.spoj < static_cast<int>(s_.Grafikon.size())
                          ? s_.Grafikon[static_cast<std::size_t>(n.spoj)].delka
                          : 0;
    return P::Venku{k->id, S->id, ven, delka, true};
  }

  // Trains in the station towards the line tracks `ven` that have no route out yet; with
  // `venku`, also those on the lines and accepted for them, which will be in the station
  // soon.
  int Fronta(const std::vector<int>* ven, bool venku) {
    int n = 0;
    for (const Vlak& t : p_.vlaky)
      if (t.ven == ven && ((t.typ == Typ::Uvnitr && t.navestidlo) || (venku && t.typ == Typ::Venku)))
        ++n;
    if (venku)
      for (const RNabidka& o : s_.Nabidky)
        if (o.prijata && &p_.Trati(o.kam) == ven) ++n;
    return n;
  }

  // Routes, most urgent train first; one route at most.
  bool Pohyby() {
    std::vector<std::size_t>& poradi = p_.poradi;
    poradi.clear();
    for (std::size_t i = 0; i < p_.vlaky.size(); ++i) {
      const Vlak& t = p_.vlaky[i];
      if (!t.navestidlo || (t.typ != Typ::Venku && t.typ != Typ::Uvnitr)) continue;
      if (!t.stoji && t.zbyva > (t.typ == Typ::Venku ? HorizontVjezdu : HorizontOdjezdu))
        continue;
      if (ted_ - m_.uvolnenoCas < 1e-9 &&
          std::find(m_.uvolnilo.begin(), m_.uvolnilo.end(), t.cislo) != m_.uvolnilo.end())
        continue;
      poradi.push_back(i);
    }
    if (poradi.empty()) return false;
    std::sort(poradi.begin(), poradi.end(), [&](std::size_t a, std::size_t b) {
      const Vlak& x = p_.vlaky[a];
      const Vlak& y = p_.vlaky[b];
      if (x.stoji != y.stoji) return x.stoji;
      if (x.stoji ? x.cekaOd != y.cekaOd : x.zbyva != y.zbyva)
        return x.stoji ? x.cekaOd < y.cekaOd : x.zbyva < y.zbyva;
      return a < b;
    });
    p_.narok.velikost(p_.bit.size());
    for (std::size_t i : poradi) {
      const Vlak& t = p_.vlaky[i];
      if (t.typ == Typ::Venku ? Vjezd(t) : Odjezd(t)) return true;
    }
    return false;
  }

  struct Moznost {
    int kolej;
    double cena;
    bool volna;
    const P::Cesta* cesta;
  };
  std::vector<Moznost> moznosti_;
  P::Model dal_;

  // Into the station: the best free track it can use that keeps the station safe. A train
  // from an arrivals-only line comes in only while few trains in the station wait for its
  // line out: on its line it keeps the next train from coming, in the station it would only
  // wait for its line there and take a track others could pass through.
  bool Vjezd(const Vlak& t) {
    const std::vector<int>& mozne = p_.Pouzitelne(t.navestidlo, t.ven);
    if (mozne.empty()) return false;
    P::Model& model = p_.model;
    std::size_t i = 0;
    while (i < model.venku.size() && model.venku[i].trat != t.kolej) ++i;
    const bool drziTrat = i < model.venku.size();
    if (!drziTrat && Fronta(t.ven, false) >= FrontaVjezdu) return false;
    const bool jenDlouhe = p_.NektereVejde(mozne, t.delka);
    std::vector<Moznost>& m = moznosti_;
    m.clear();
    for (int id : mozne) {
      const RKolej* k = NajdiKolej(s_, id);
      if (!Volny(*k) || (jenDlouhe && !p_.Vejde(*k, t.delka))) continue;
      const P::Cesta& c = p_.CestaZ(t.navestidlo, id);
      const P::Vystup& v = p_.VystupZ(id, c.smer, t.ven);
      double cena = c.hrdlo + v.hrdlo + (k->delka - t.delka) / 100.0;
      if (!p_.Vejde(*k, t.delka)) cena += 600;
      m.push_back({id, cena, Volna(c), &c});
    }
    std::sort(m.begin(), m.end(), [](const Moznost& a, const Moznost& b) {
      return a.cena != b.cena ? a.cena < b.cena : a.kolej < b.kolej;
    });
    P::Model& dal = dal_;
    const P::Cesta* drzet = nullptr;
    for (int pruchod = 0; pruchod < 2; ++pruchod) {
      // A train that already holds a two-way line in a station that cannot drain on paper
      // anyway may take any track: waiting would not mend it, and coming in frees its line.
      if (pruchod == 1 && (!drziTrat || p_.Bezpecny(model))) break;
      for (const Moznost& x : m) {
        if (!x.volna && drzet) continue;
        dal = model;
        if (drziTrat) dal.venku.erase(dal.venku.begin() + static_cast<std::ptrdiff_t>(i));
        dal.volne.erase(std::find(dal.volne.begin(), dal.volne.end(), x.kolej));
        dal.uvnitr.push_back({x.kolej, &p_.VystupZ(x.kolej, x.cesta->smer, t.ven).trati});
        if (pruchod == 0 && !p_.Bezpecny(dal)) continue;
        if (x.volna && Nastav(t.navestidlo, x.kolej)) return true;
        if (!drzet) drzet = x.cesta;
      }
    }
    // Nothing now: a train that waits, or soon will, keeps the way to the best free track it
    // may take; what blocks it there will move on.
    if ((t.stoji || t.zbyva <= HorizontNaroku) && drzet) p_.narok.pridej(drzet->narok);
    return false;
  }

  // Out to the line: the best free line track towards its destination.
  bool Odjezd(const Vlak& t) {
    std::vector<Moznost>& m = moznosti_;
    m.clear();
    for (int id : *t.ven) {
      const RKolej* k = NajdiKolej(s_, id);
      if (!Volny(*k) || k->druhKonce == 1 || k->druhKonce == 4) continue;
      const P::Cesta& c = p_.CestaZ(t.navestidlo, id);
      if (!c.ok) continue;
      // A line track with a train offered on it last: a departure there keeps that train out.
      m.push_back({id, c.hrdlo + (k->druhKonce == 5 ? 300 : 0), Volna(c), &c});
    }
    std::sort(m.begin(), m.end(), [](const Moznost& a, const Moznost& b) {
      return a.cena != b.cena ? a.cena < b.cena : a.kolej < b.kolej;
    });
    for (const Moznost& x : m)
      if (x.volna && Nastav(t.navestidlo, x.kolej)) return true;
    if ((t.stoji || t.zbyva <= HorizontNaroku) && !m.empty())
      p_.narok.pridej(m.front().cesta->narok);
    return false;
  }

  // Whether a train in the station about to leave towards line track `trat` has no other free
  // way: it goes first, else on a busy line every accepted train would take the line again
  // the moment it is free.
  bool CekaOdjezd(int trat) {
    for (const Vlak& t : p_.vlaky) {
      if (t.typ != Typ::Uvnitr || !t.navestidlo) continue;
      if (!t.stoji && t.zbyva > HorizontOdjezdu) continue;
      const std::vector<int>& trati = p_.VystupZ(t.kolej, t.smer, t.ven).trati;
      if (std::find(trati.begin(), trati.end(), trat) == trati.end()) continue;
      const bool jina = std::any_of(trati.begin(), trati.end(), [&](int id) {
        const RKolej* k = NajdiKolej(s_, id);
        return id != trat && Volny(*k) && k->druhKonce != 1 && k->druhKonce != 4;
      });
      if (!jina) return true;
    }
    return false;
  }

  // Answers the offers, oldest first; one answer at most. An offer is accepted once the
  // station can drain with its train in it and few trains wait already for its line out,
  // and, while its line track is taken, once it has waited a while; until then it waits
  // unanswered, which leaves its line to the departures and brings no more trains by it.
  bool Nabidky() {
    for (const RNabidka& n : s_.Nabidky) {
      if (n.prijata) continue;
      RKolej* k = KolejVBode(s_, n.x, n.y);
      if (!k || k->druhKonce != 5) continue;
      const int cislo = n.cislo;
      const auto v = Zvenku(n);
      if (!v) {
        // Its train could never come in and leave. When no train at all could come in by this
        // line end, the offer is left to wait its time out: while it waits the line end
        // offers nothing else, and trains from that neighbour come by another line end if it
        // has one, where refusing at once would only bring the next train to this one. Else
        // waiting would only cost it time, and the next train may be one that can come in.
        if (!Uzavrena(*k, n.x == k->x1 ? 2 : 1)) {
          Odmitni(*k, cislo);
          return true;
        }
        continue;
      }
      if (NajdiVlak(s_, cislo) || CekaOdjezd(k->id)) continue;
      if (Fronta(v->ven, true) >= v_.frontaNabidek) continue;
      const auto od = m_.nabidkaOd.find(cislo);
      if (!Volny(*k) && ted_ - (od != m_.nabidkaOd.end() ? od->second : ted_) < v_.naObsazenouPo)
        continue;
      P::Model& dal = dal_;
      dal = p_.model;
      dal.venku.push_back(*v);
      if (!p_.Bezpecny(dal)) continue;
      UkazNabidku(s_, *k);
      if (s_.NabizenyVlak != cislo) continue;
      LabelAnoClick(s_);
      ++m_.prijato;
      return true;
    }
    return false;
  }

  Stav& s_;
  P& p_;
  AutomatickyDispecer::Trvale& m_;
  const AutomatickyDispecer::Volby& v_;
  const double ted_;
};

}  // namespace

void AutomatickyDispecer::operator()(Stav& s) {
  if (s.VyberCesty) return;  // a person is choosing a route: not to be disturbed
  if (!p_->Stejna(s)) p_->Postav(s);
  Krok krok(s, *p_, t_, volby);
  if (!t_.sleduje || t_.zmena) {
    t_.zmena = false;
    // Whatever one action did may let another follow (an accepted train enters and wants its
    // route, a train routed out no longer holds back an offer): look again until nothing
    // more can be done, so that the result does not depend on when the next look comes.
    for (int i = 0; i < 200 && krok(); ++i) {
    }
  }
  // Time passing is a change of its own: an offer still not taken after its time is
  // refused, whether anything happened meanwhile or not.
  krok.OdmitniStare();
}

}  // namespace stanovar
