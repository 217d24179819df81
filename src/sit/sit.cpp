#include "sit/sit.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <sstream>
#include <cstdlib>

#include "control/cesty.h"
#include "files/cteni.h"
#include "model/kodovani.h"
#include "model/seznamy.h"
#include "model/text.h"
#include "smena/hodnoty.h"
#include "smena/zaznamy.h"
#include "traffic/generace.h"
#include "traffic/predani.h"

namespace stanovar {

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

constexpr double Den = 86400.0;
// A refused train, or one whose hand-over came to nothing, is offered again after this long.
constexpr double ZnovuZa = 10 * 60 / Den;
// Refused this many times, a train is sent on elsewhere.
constexpr int MaxOdmitnuti = 3;
// A train that has waited this long at the far end without being taken in is sent on
// elsewhere too: a station that cannot keep up with its neighbour does not gather a queue of
// days on the line.
constexpr double MaxCekani = 30 * 60 / Den;

std::string Jmeno(const json& j, const char* co, std::string& chyba) {
  if (!j.is_string() || j.get<std::string>().empty()) {
    chyba = std::string("the network file's ") + co + " must be a name";
    return {};
  }
  return j.get<std::string>();
}

}  // namespace

bool CtiSit(const std::string& soubor, PopisSite& sit, std::string& chyba) {
  sit = PopisSite{};
  std::error_code ec;
  sit.soubor = fs::absolute(soubor, ec).lexically_normal().string();
  std::string obsah;
  if (CtiSoubor(soubor, obsah) != Nacteni::Precteno) {
    chyba = "cannot read the network file " + soubor;
    return false;
  }
  const json j = json::parse(obsah, nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    chyba = soubor + " is not JSON";
    return false;
  }
  if (j.value("format", std::string()) != FormatSite) {
    chyba = soubor + " is not a network file (\"format\": \"" + FormatSite + "\")";
    return false;
  }
  if (!j.contains("version") || !j["version"].is_number_integer() || j["version"] != VerzeSite) {
    chyba = soubor + " is a network file of a version this program does not read";
    return false;
  }
  const fs::path slozka = fs::path(sit.soubor).parent_path();
  if (!j.contains("stations") || !j["stations"].is_array() || j["stations"].empty()) {
    chyba = soubor + " lists no stations";
    return false;
  }
  std::set<std::string> jmena;
  for (const json& x : j["stations"]) {
    if (!x.is_object()) {
      chyba = "a station of the network file is not an object";
      return false;
    }
    StaniceSite st;
    st.jmeno = Jmeno(x.value("name", json()), "station name", chyba);
    if (st.jmeno.empty()) return false;
    const std::string cesta = Jmeno(x.value("path", json()), "station path", chyba);
    if (cesta.empty()) return false;
    st.cesta = (slozka / NormalizujCestu(cesta)).lexically_normal().string();
    if (!jmena.insert(st.jmeno).second) {
      chyba = "the network names station " + st.jmeno + " twice";
      return false;
    }
    if (!fs::exists(st.cesta, ec)) {
      chyba = "station " + st.jmeno + ": no such folder or file " + st.cesta;
      return false;
    }
    sit.stanice.push_back(std::move(st));
  }
  const json spojeni = j.value("links", json::array());
  if (!spojeni.is_array()) {
    chyba = "the network file's links must be a list";
    return false;
  }
  for (const json& x : spojeni) {
    SpojeniSite sp;
    for (auto [konec, klic] : {std::pair{&sp.a, "a"}, std::pair{&sp.b, "b"}}) {
      const json k = x.is_object() ? x.value(klic, json()) : json();
      if (!k.is_object()) {
        chyba = std::string("a link of the network file has no end \"") + klic + "\"";
        return false;
      }
      konec->stanice = Jmeno(k.value("station", json()), "link station", chyba);
      if (konec->stanice.empty()) return false;
      if (!jmena.count(konec->stanice)) {
        chyba = "a link names station " + konec->stanice + ", which the network does not list";
        return false;
      }
      const std::string trat = Jmeno(k.value("line", json()), "link line", chyba);
      if (trat.empty()) return false;
      konec->trat = Jmeno8(Utf8NaCp1250(trat));
    }
    const json doba = x.value("running_s", json(300));
    const json delka = x.value("length_m", json(0));
    if (!doba.is_number() || !(doba.get<double>() > 0) || doba.get<double>() > 7 * Den ||
        !delka.is_number_integer() || delka.get<long long>() < 0 || delka.get<long long>() > 10000000) {
      chyba = "link " + sp.a.stanice + "/" + Cp1250NaUtf8(sp.a.trat) +
              ": running_s must be a time in seconds above 0 and length_m whole metres";
      return false;
    }
    sp.dobaJizdy = doba.get<double>();
    sp.delka = delka.get<int>();
    sit.spojeni.push_back(std::move(sp));
  }
  return true;
}

bool Sit::propoj(const PopisSite& popis, const std::vector<Stav*>& stanice, std::uint32_t seed,
                 std::string& chyba) {
  platne_ = false;
  stanice_ = stanice;
  jmena_.clear();
  for (const StaniceSite& st : popis.stanice) jmena_.push_back(st.jmeno);
  smery_.clear();
  spoje_.assign(stanice.size(), {});
  nahoda_.seed(seed ^ 0x5a17u);
  auto index = [&](const std::string& jmeno) {
    return static_cast<std::size_t>(std::find(jmena_.begin(), jmena_.end(), jmeno) - jmena_.begin());
  };
  auto nazev = [&](std::size_t i, const std::string& trat) { return jmena_[i] + "/" + Cp1250NaUtf8(trat); };
  std::set<std::pair<std::size_t, int>> propojene;
  for (const SpojeniSite& sp : popis.spojeni) {
    const std::size_t a = index(sp.a.stanice), b = index(sp.b.stanice);
    if (a >= stanice.size() || b >= stanice.size()) {
      chyba = "a link names a station the network does not run";
      return false;
    }
    auto konce = [&](std::size_t i, const std::string& trat) {
      std::vector<RSoused*> v;
      for (RSoused& so : stanice[i]->Sousede)
        if (so.jmeno == trat) v.push_back(&so);
      return v;
    };
    const std::vector<RSoused*> ka = konce(a, sp.a.trat), kb = konce(b, sp.b.trat);
    for (auto [k, i, trat] : {std::tuple{&ka, a, sp.a.trat}, std::tuple{&kb, b, sp.b.trat}})
      if (k->empty()) {
        chyba = "station " + jmena_[i] + " has no line " + Cp1250NaUtf8(trat);
        return false;
      }
    if (ka.size() != kb.size()) {
      chyba = "the link " + nazev(a, sp.a.trat) + " - " + nazev(b, sp.b.trat) +
              " joins lines of different numbers of tracks (" + std::to_string(ka.size()) + " and " +
              std::to_string(kb.size()) + ")";
      return false;
    }
    for (std::size_t t = 0; t < ka.size(); ++t) {
      for (auto [i, so] : {std::pair{a, ka[t]}, std::pair{b, kb[t]}})
        if (!propojene.insert({i, so->id}).second) {
          chyba = "the network links line end " + nazev(i, so->jmeno) + " twice";
          return false;
        }
      bool smer = false;
      for (auto [z, k, zs, ks] : {std::tuple{a, b, ka[t], kb[t]}, std::tuple{b, a, kb[t], ka[t]}}) {
        // Kinds 4 and 5 (an offer accepted or waiting) are a both-ways line end's, as a
        // resumed station may stand.
        const bool posila = zs->druh != 1;
        const bool bere = ks->druh != 2;
        if (posila && !bere) {
          chyba = "line end " + nazev(z, zs->jmeno) + " sends trains that " + nazev(k, ks->jmeno) +
                  " cannot take in (it is for departures only)";
          return false;
        }
        if (!posila) continue;
        Smer m;
        m.z = z;
        m.k = k;
        m.zKonec = zs->id;
        m.kKonec = ks->id;
        RKolej* zt = KolejVBode(*stanice[z], zs->x, zs->y);
        RKolej* kt = KolejVBode(*stanice[k], ks->x, ks->y);
        m.zKolej = zt ? zt->id : 0;
        m.kKolej = kt ? kt->id : 0;
        m.doba = sp.dobaJizdy / Den;
        m.jmenoZ = nazev(z, zs->jmeno);
        m.jmenoK = nazev(k, ks->jmeno);
        smery_.push_back(std::move(m));
        smer = true;
      }
      if (!smer) {
        chyba = "the link " + nazev(a, sp.a.trat) + " - " + nazev(b, sp.b.trat) + " carries no train either way";
        return false;
      }
      ka[t]->propojeny = kb[t]->propojeny = true;
    }
  }
  posluchaci_.clear();
  for (std::size_t i = 0; i < stanice.size(); ++i)
    posluchaci_.push_back(stanice[i]->posluchaci.poslouchej([this, i](Stav& s, const Oznameni& o) {
      switch (o.druh) {
        case DruhOznameni::VlakPredan: predan(i, s, o); break;
        case DruhOznameni::VlakOdjel: odjel(i, s, o); break;
        case DruhOznameni::NabidkaOdmitnuta: odmitnut(i, o); break;
        case DruhOznameni::NabidkaStazena: stazen(i, o); break;
        default: break;
      }
    }));
  return true;
}

void Sit::odpoj() {
  for (std::size_t i = 0; i < posluchaci_.size() && i < stanice_.size(); ++i)
    stanice_[i]->posluchaci.prestan(posluchaci_[i]);
  posluchaci_.clear();
}

Sit::Smer* Sit::smerKonce(std::size_t stanice, int soused, bool zasilajici) {
  for (Smer& m : smery_)
    if (zasilajici ? (m.z == stanice && m.zKonec == soused) : (m.k == stanice && m.kKonec == soused))
      return &m;
  return nullptr;
}

void Sit::predan(std::size_t stanice, Stav&, const Oznameni& o) {
  platne_ = false;
  if (o.spoj) spoje_[stanice][o.vlak] = *o.spoj;
  for (Smer& m : smery_) {
    if (m.k != stanice || m.kKolej != o.prvek || m.vlaky.empty()) continue;
    if (m.vlaky.front().spoj.cislo != o.vlak) continue;
    m.vlaky.pop_front();
    ++m.prijato;
    return;
  }
}

void Sit::odjel(std::size_t stanice, Stav& s, const Oznameni& o) {
  platne_ = false;
  const int cislo = o.vlak;
  RVlak* T = NajdiVlak(s, cislo);
  RKrok* krok = T ? PosledniKolejKrok(T->cesta) : nullptr;
  RSpoj spoj;
  auto it = spoje_[stanice].find(cislo);
  if (it != spoje_[stanice].end()) {
    spoj = it->second;
    spoje_[stanice].erase(it);
  } else if (T) {
    spoj.cislo = T->cislo;
    spoj.delka = T->delka;
    spoj.hmotnost = T->hmotnost;
    spoj.maxRychlost = T->maxRychlost;
    spoj.loko = T->loko;
    spoj.kam = T->cil;
  }
  if (!krok) return;
  for (Smer& m : smery_) {
    if (m.z != stanice || m.zKolej != krok->prvek) continue;
    VlakNaTrati v;
    v.spoj = spoj;
    v.prijezd = o.cas + m.doba;
    m.vlaky.push_back(std::move(v));
    ++m.odeslano;
    return;
  }
}

void Sit::odmitnut(std::size_t stanice, const Oznameni& o) {
  platne_ = false;
  Smer* m = smerKonce(stanice, o.prvek, false);
  if (!m || m->vlaky.empty()) return;
  VlakNaTrati& v = m->vlaky.front();
  if (v.spoj.cislo != o.vlak || v.stav != 1) return;
  // Refused again and again, the train is sent on elsewhere by the neighbour, as the
  // program's own neighbours do with a refused train: the line is not blocked for good.
  if (++v.odmitnuti >= MaxOdmitnuti) {
    m->vlaky.pop_front();
    ++m->odkloneno;
    return;
  }
  v.stav = 2;
  v.znovu = o.cas + ZnovuZa;
}

void Sit::stazen(std::size_t stanice, const Oznameni& o) {
  platne_ = false;
  Smer* m = smerKonce(stanice, o.prvek, false);
  if (!m || m->vlaky.empty()) return;
  VlakNaTrati& v = m->vlaky.front();
  // Accepted and about to be handed over: were the hand-over to come to nothing, the train
  // would still be at the end of the line, and is offered again.
  if (v.spoj.cislo == o.vlak && v.stav == 1) {
    v.stav = 2;
    v.znovu = o.cas + ZnovuZa;
  }
}

void Sit::spocitejTerminy() const {
  // What moves the clock (a train reaching the end of a line, a refused one offered again)
  // and the earliest instant a step has anything to do at all: that, a train already due but
  // not yet taken in (tried again after every step), or one waiting too long.
  const double nekonecno = std::numeric_limits<double>::infinity();
  dalsi_ = nejdrive_ = nejdriveVolne_ = nekonecno;
  blokovane_.assign(stanice_.size(), 0);
  // A time that is not a number keeps every step busy, as the full pass would treat it.
  const auto drive = [](double& mez, double t) {
    if (!(t >= mez)) mez = t;
  };
  for (const Smer& m : smery_) {
    if (m.vlaky.empty()) continue;
    const VlakNaTrati& v = m.vlaky.front();
    const double kdy = v.stav == 0 ? v.prijezd : v.stav == 2 ? v.znovu : nekonecno;
    if (kdy > posledni_) dalsi_ = std::min(dalsi_, kdy);
    drive(nejdrive_, kdy);
    if (v.stav == 0 && v.odlozen) blokovane_[m.k] = 1;
    else drive(nejdriveVolne_, kdy);
    // A line's trains arrive in the order they left, so the first not offered waits longest.
    const VlakNaTrati* cekajici = v.stav != 1 ? &v : m.vlaky.size() > 1 ? &m.vlaky[1] : nullptr;
    if (cekajici) {
      drive(nejdrive_, cekajici->prijezd + MaxCekani);
      drive(nejdriveVolne_, cekajici->prijezd + MaxCekani);
    }
  }
  platne_ = true;
}

double Sit::dalsiCas() const {
  if (!platne_) spocitejTerminy();
  return dalsi_;
}

int Sit::Spoj(Stav& s, const RSpoj& e) {
  const auto prvni = static_cast<std::size_t>(std::max(s.PocetSpoju, 0));
  for (std::size_t i = prvni; i < s.Grafikon.size(); ++i) {
    const RSpoj& x = s.Grafikon[i];
    if (x.cislo == e.cislo && x.odkud == e.odkud && x.kam == e.kam && x.delka == e.delka &&
        x.hmotnost == e.hmotnost && x.maxRychlost == e.maxRychlost && x.loko == e.loko &&
        x.hodnotaA == e.hodnotaA && x.hodnotaB == e.hodnotaB && x.hodnotaC == e.hodnotaC)
      return static_cast<int>(i);
  }
  s.Grafikon.push_back(e);
  return static_cast<int>(s.Grafikon.size() - 1);
}

bool Sit::prevezmi(Smer& m, double ted) {
  Stav& s = *stanice_[m.k];
  RSoused* L = NajdiSousedaId(s, m.kKonec);
  RKolej* k = L ? KolejVBode(s, L->x, L->y) : nullptr;
  VlakNaTrati& v = m.vlaky.front();
  const int cislo = v.spoj.cislo;
  // The number is taken there (a train of the same number still in the station): it waits.
  if (!L || !k || NajdiVlak(s, cislo) || NajdiNabidkuVlaku(s, cislo)) return false;
  // Turned away before anything is drawn or added, so that trying again changes nothing.
  if (L->druh == 1 ? k->zaver != 0 : L->druh != 3) return false;
  RSpoj e = v.spoj;
  e.odkud = L->jmeno;
  // Its destination: the station's own entry of that number from this neighbour, or one its
  // trains from this neighbour go to, picked as the generator picks; else it keeps its own.
  const auto pocet = static_cast<std::size_t>(std::min<long long>(s.PocetSpoju, static_cast<long long>(s.Grafikon.size())));
  std::vector<const RSpoj*> odtud;
  const RSpoj* svuj = nullptr;
  for (std::size_t i = 0; i < pocet; ++i) {
    const RSpoj& x = s.Grafikon[i];
    if (x.odkud != e.odkud) continue;
    odtud.push_back(&x);
    if (x.cislo == cislo && !svuj) svuj = &x;
  }
  if (svuj) e.kam = svuj->kam;
  else if (!odtud.empty()) e.kam = odtud[nahoda_() % odtud.size()]->kam;
  const int spoj = Spoj(s, e);
  if (L->druh == 1) {
    s.aktualniSpoj = spoj;
    const long long prijato = m.prijato;
    PosliVlak(s, L->id, ZdrojVlaku::Trat);
    // Taken in, the train left the line (the hand-over's notice took it off); a train that
    // could not be let in waits and is tried again.
    if (m.prijato == prijato) {
      v.stav = 2;
      v.znovu = ted + ZnovuZa;
    }
    return true;
  }
  L->druh = 5;
  k->druhKonce = 5;
  PridejNabidku(s, cislo, e.odkud, e.kam, L->x, L->y, L->id, spoj);
  s.okno.Blikac = true;
  v.stav = 1;
  return true;
}

const std::vector<char>& Sit::zpracuj(double ted, const std::function<void(std::size_t)>& priprav,
                                     const std::vector<char>* zmenene) {
  bool nic = platne_ && ted < (zmenene ? nejdriveVolne_ : nejdrive_);
  for (std::size_t i = 0; nic && zmenene && i < blokovane_.size() && i < zmenene->size(); ++i)
    nic = !(blokovane_[i] && (*zmenene)[i]);
  posledni_ = ted;
  dotcene_.assign(stanice_.size(), 0);
  // Most steps of a network are some station's own events with nothing due on any line.
  if (nic) return dotcene_;
  pripraveno_.assign(stanice_.size(), 0);
  for (Smer& m : smery_) {
    // Those behind the one being offered that have waited too long go elsewhere; they
    // arrived in the order they left, so they are the first ones.
    for (auto it = m.vlaky.begin(); it != m.vlaky.end();) {
      if (it->stav == 1) {
        ++it;
      } else if (!(ted - it->prijezd < MaxCekani)) {
        it = m.vlaky.erase(it);
        ++m.odkloneno;
      } else {
        break;
      }
    }
    if (m.vlaky.empty()) continue;
    VlakNaTrati& v = m.vlaky.front();
    if (v.stav == 2 && !(ted < v.znovu)) {
      v.stav = 0;
      v.odlozen = false;
    }
    if (v.stav != 0 || ted < v.prijezd) continue;
    const bool zmenila = !zmenene || m.k >= zmenene->size() || (*zmenene)[m.k] || pripraveno_[m.k];
    if (v.odlozen && !zmenila) continue;
    if (priprav) priprav(m.k);
    pripraveno_[m.k] = 1;
    if (prevezmi(m, ted)) dotcene_[m.k] = 1;
    else m.vlaky.front().odlozen = true;
  }
  spocitejTerminy();
  return dotcene_;
}

std::string Sit::over() const {
  for (const Smer& m : smery_) {
    if (m.odeslano != m.prijato + m.odkloneno + static_cast<long long>(m.vlaky.size()))
      return "line " + m.jmenoZ + " -> " + m.jmenoK + ": " + std::to_string(m.odeslano) + " sent, " +
             std::to_string(m.prijato) + " received, " + std::to_string(m.odkloneno) +
             " sent on elsewhere, " + std::to_string(m.vlaky.size()) + " on the line";
    // An offered train has its offer at the far end.
    if (!m.vlaky.empty() && m.vlaky.front().stav == 1) {
      Stav& s = *stanice_[m.k];
      const RNabidka* n = NajdiNabidkuVlaku(s, m.vlaky.front().spoj.cislo);
      if (!n || n->soused != m.kKonec)
        return "line " + m.jmenoZ + " -> " + m.jmenoK + ": train " +
               std::to_string(m.vlaky.front().spoj.cislo) + " offered, but no offer of it stands";
    }
  }
  return {};
}

std::vector<SouhrnSmeru> Sit::souhrn() const {
  std::vector<SouhrnSmeru> v;
  for (const Smer& m : smery_)
    v.push_back({m.jmenoZ, m.jmenoK, m.odeslano, m.prijato, m.odkloneno,
                 static_cast<long long>(m.vlaky.size())});
  return v;
}

std::vector<Sit::Prijizdejici> Sit::prijizdejici(std::size_t stanice) const {
  std::vector<Prijizdejici> v;
  for (const Smer& m : smery_)
    if (m.k == stanice)
      for (const VlakNaTrati& x : m.vlaky)
        v.push_back({x.spoj.cislo, m.kKonec, m.z, x.prijezd, x.stav == 1});
  std::stable_sort(v.begin(), v.end(),
                   [](const Prijizdejici& a, const Prijizdejici& b) { return a.prijezd < b.prijezd; });
  return v;
}

json Sit::uloz() const {
  using namespace ulozeni;
  json smery = json::array();
  for (const Smer& m : smery_) {
    json vlaky = json::array();
    for (const VlakNaTrati& v : m.vlaky)
      vlaky.push_back({Radek(TabulkaSpoju, v.spoj), Realne(v.prijezd), v.stav, Realne(v.znovu),
                       v.odmitnuti});
    smery.push_back({{"z", m.jmenoZ}, {"k", m.jmenoK}, {"odeslano", m.odeslano},
                     {"prijato", m.prijato}, {"odkloneno", m.odkloneno}, {"vlaky", vlaky}});
  }
  json spoje = json::array();
  for (const auto& mapa : spoje_) {
    json a = json::array();
    for (const auto& [cislo, e] : mapa) a.push_back({cislo, Radek(TabulkaSpoju, e)});
    spoje.push_back(a);
  }
  std::ostringstream g;
  g << nahoda_;
  return {{"smery", smery}, {"spoje", spoje}, {"nahoda", g.str()}, {"posledni", Realne(posledni_)}};
}

bool Sit::obnov(const json& j, std::string& chyba) {
  using namespace ulozeni;
  platne_ = false;
  try {
    const json& smery = Seznam(j, "smery");
    if (smery.size() != smery_.size()) vadne("lines");
    Stav zadny;
    const Kontext k{zadny};
    for (std::size_t i = 0; i < smery.size(); ++i) {
      Smer& m = smery_[i];
      const json& x = smery[i];
      // The names as the file gives them, UTF-8.
      if (Pole(x, "z") != m.jmenoZ || Pole(x, "k") != m.jmenoK) vadne("lines");
      m.odeslano = Cele(Pole(x, "odeslano"), "line", 0, std::numeric_limits<long long>::max());
      m.prijato = Cele(Pole(x, "prijato"), "line", 0, m.odeslano);
      m.odkloneno = Cele(Pole(x, "odkloneno"), "line", 0, m.odeslano - m.prijato);
      m.vlaky.clear();
      for (const json& v : Seznam(x, "vlaky")) {
        Prvky(v, 5, "train on a line");
        VlakNaTrati t;
        Radek(TabulkaSpoju, t.spoj, v[0], k);
        t.prijezd = Konecne(v[1], "train on a line");
        t.stav = static_cast<int>(Cele(v[2], "train on a line", 0, 2));
        t.znovu = Konecne(v[3], "train on a line");
        t.odmitnuti = static_cast<int>(Cele(v[4], "train on a line", 0, MaxOdmitnuti));
        m.vlaky.push_back(std::move(t));
      }
    }
    const json& spoje = Prvky(Pole(j, "spoje"), spoje_.size(), "trains");
    for (std::size_t i = 0; i < spoje_.size(); ++i) {
      spoje_[i].clear();
      for (const json& r : Seznam(spoje[i], "trains", true)) {
        Prvky(r, 2, "trains");
        Radek(TabulkaSpoju, spoje_[i][Int(r[0], "trains")], r[1], k);
      }
    }
    posledni_ = Realne(Pole(j, "posledni"), "network");
    std::istringstream g(Text(Pole(j, "nahoda"), "network"));
    g >> nahoda_;
    if (g.fail()) vadne("network");
  } catch (const Vadne& e) {
    chyba = "the network's save is damaged (" + e.co + ")";
    return false;
  } catch (const json::exception&) {
    chyba = "the network's save is damaged";
    return false;
  }
  return true;
}

}  // namespace stanovar
