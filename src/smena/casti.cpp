#include "smena/casti.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <random>
#include <sstream>
#include <utility>

#include "files/cteni.h"
#include "files/soubory.h"
#include "smena/smena.h"
#include "smena/zaznamy.h"
#include "traffic/cas.h"

namespace stanovar::ulozeni {

namespace {

constexpr long long MaxLL = std::numeric_limits<long long>::max();
constexpr long long MaxPocet = 1 << 30;

struct SouborStanice {
  const char* klic;
  std::string Nastaveni::*cesta;
};
constexpr SouborStanice SouboryStanice[] = {{"schema", &Nastaveni::cestaSchema},
                                            {"grafikon", &Nastaveni::cestaGvd},
                                            {"lokomotivy", &Nastaveni::cestaLoko}};

std::string Absolutni(const std::string& cesta) {
  if (cesta.empty()) return cesta;
  std::error_code ec;
  auto a = std::filesystem::absolute(NormalizujCestu(cesta), ec);
  return ec ? cesta : a.lexically_normal().string();
}

// A map as rows [key, value], ordered by key, so that a save does not depend on hashing.
template <class M>
json Mapa(const M& m) {
  std::vector<std::pair<typename M::key_type, typename M::mapped_type>> v(m.begin(), m.end());
  std::sort(v.begin(), v.end());
  json a = json::array();
  for (const auto& [k, x] : v) a.push_back({k, x});
  return a;
}
// Rows [key, value] read back, each value through `hodnota`.
template <class M, class F>
void Mapa(const json& j, M& m, F hodnota) {
  for (const json& r : Seznam(j, "", true)) {
    Prvky(r, 2, "");
    m[Int(r[0], "")] = hodnota(r[1]);
  }
}
// A map keyed by a pair of integers as rows [first, second, value].
template <class V>
json Dvojice(const std::map<std::pair<int, int>, V>& m) {
  json a = json::array();
  for (const auto& [k, v] : m) a.push_back({k.first, k.second, v});
  return a;
}
template <class V, class F>
void Dvojice(const json& j, std::map<std::pair<int, int>, V>& m, F hodnota) {
  for (const json& r : Seznam(j, "", true)) {
    Prvky(r, 3, "");
    m[{Int(r[0], ""), Int(r[1], "")}] = hodnota(r[2]);
  }
}

long long Nezaporne(const json& j) { return Cele(j, "", 0, MaxLL); }

using TrvaleDispecera = AutomatickyDispecer::Trvale;
const Sloupec<TrvaleDispecera> SloupceDispecera[] = {
    {"dosazitelnost", [](const TrvaleDispecera& d) { return Dvojice(d.dosazitelnost); },
     [](TrvaleDispecera& d, const json& j, const Kontext&) {
       Dvojice(j, d.dosazitelnost, [](const json& x) { return Pravda(x, ""); });
     }},
    {"poradi",
     [](const TrvaleDispecera& d) {
       json a = json::array();
       for (const auto& [k, v] : d.poradi) a.push_back({k, v});
       return a;
     },
     [](TrvaleDispecera& d, const json& j, const Kontext&) {
       for (const json& r : Seznam(j, "", true)) {
         Prvky(r, 2, "");
         d.poradi.emplace_back(Int(r[0], ""), Nezaporne(r[1]));
       }
     }},
    SlRozsah<&TrvaleDispecera::dalsiPoradi, 0, MaxLL>("dalsiPoradi"),
    {"cekaOd", [](const TrvaleDispecera& d) { return Mapa(d.cekaOd); },
     [](TrvaleDispecera& d, const json& j, const Kontext&) {
       Mapa(j, d.cekaOd, [](const json& x) { return Konecne(x, ""); });
     }},
    SlRozsah<&TrvaleDispecera::uvolneni, 0, MaxLL>("uvolneni"),
    {"neslo", [](const TrvaleDispecera& d) { return Dvojice(d.neslo); },
     [](TrvaleDispecera& d, const json& j, const Kontext&) { Dvojice(j, d.neslo, Nezaporne); }},
    SlPriznak<&TrvaleDispecera::sleduje>("sleduje"),
    SlPriznak<&TrvaleDispecera::zmena>("zmena"),
    {"pamet", [](const TrvaleDispecera& d) { return Pamet(d.pamet); },
     [](TrvaleDispecera& d, const json& j, const Kontext& k) { Pamet(j, d.pamet, k.s); }},
};
const Tabulka<TrvaleDispecera> TabulkaDispecera{"dispatcher", SloupceDispecera};

using TrvaleNahodneho = NahodnyDispecer::Trvale;
const Sloupec<TrvaleNahodneho> SloupceNahodneho[] = {
    {"generator",
     [](const TrvaleNahodneho& d) -> json {
       std::ostringstream g;
       g << d.generator;
       return g.str();
     },
     [](TrvaleNahodneho& d, const json& j, const Kontext&) {
       std::istringstream g(Text(j, ""));
       std::mt19937 m;
       g >> m;
       if (g.fail()) vadne("");
       d.generator = m;
     }},
    SlRozsah<&TrvaleNahodneho::akci, 0, MaxLL>("akci"),
};
const Tabulka<TrvaleNahodneho> TabulkaNahodneho{"random dispatcher", SloupceNahodneho};

using TrvaleKontroly = KontrolaStavu::Trvale;
const Sloupec<TrvaleKontroly> SloupceKontroly[] = {
    {"drzitel", [](const TrvaleKontroly& k) { return Mapa(k.drzitel); },
     [](TrvaleKontroly& k, const json& j, const Kontext&) {
       Mapa(j, k.drzitel, [](const json& x) { return Int(x, ""); });
     }},
    SlBajty<&TrvaleKontroly::chyba>("chyba"),
    {"nabidnuto", [](const TrvaleKontroly& k) { return Mapa(k.nabidnuto); },
     [](TrvaleKontroly& k, const json& j, const Kontext&) {
       Mapa(j, k.nabidnuto, [](const json& x) { return Konecne(x, ""); });
     }},
    {"stoji", [](const TrvaleKontroly& k) { return Mapa(k.stoji); },
     [](TrvaleKontroly& k, const json& j, const Kontext&) {
       Mapa(j, k.stoji, [](const json& x) { return Konecne(x, ""); });
     }},
};
const Tabulka<TrvaleKontroly> TabulkaKontroly{"check", SloupceKontroly};

using TrvaleHodin = VirtualniProstredi::Trvale;
const Sloupec<TrvaleHodin> SloupceVirtualnichHodin[] = {
    {"absolutni", [](const TrvaleHodin& p) -> json { return p.absolutni; },
     [](TrvaleHodin& p, const json& j, const Kontext&) {
       p.absolutni = Konecne(j, "");
       if (p.absolutni < 0) vadne("");
     }},
    SlCele<&TrvaleHodin::seed>("seed"),
    SlRozsah<&TrvaleHodin::pocetZprav, 0, MaxPocet>("pocetZprav"),
    SlBajty<&TrvaleHodin::posledniZprava>("posledniZprava"),
};
const Tabulka<TrvaleHodin> TabulkaVirtualnichHodin{"virtual clock", SloupceVirtualnichHodin};

// The states of tracks or connectors, read onto the station's own records in their order.
void StavyPrvku(const json& j, std::vector<RKolej>& v, const Kontext& k) {
  Prvky(j, v.size(), "elements");
  for (std::size_t i = 0; i < v.size(); ++i) Radek(TabulkaStavuKoleje, v[i], j[i], k);
}

}  // namespace

json Soubory(Stav& s) {
  json j;
  for (const auto& f : SouboryStanice) {
    const std::string cesta = Absolutni(s.nastaveni.*f.cesta);
    std::string obsah;
    const bool je = !cesta.empty() && CtiSoubor(cesta, obsah, s.prostredi) == Nacteni::Precteno;
    j[f.klic] = {{"cesta", cesta}, {"otisk", je ? Otisk(obsah) : std::string()}};
  }
  j["jazyk"] = {{"cesta", Absolutni(s.nastaveni.cestaJazyk)}};
  return j;
}

StavSouboru Soubory(const json& j, Stav& novy, Prostredi* cteni, std::string& schema,
                    std::string& soubor) {
  for (const auto& sf : SouboryStanice) {
    const json& z = Pole(j, sf.klic);
    const std::string cesta = Text(Pole(z, "cesta"), "files");
    const std::string otisk = Text(Pole(z, "otisk"), "files");
    novy.nastaveni.*sf.cesta = otisk.empty() ? std::string() : cesta;
    if (otisk.empty()) continue;
    std::string obsah;
    soubor = cesta;
    if (CtiSoubor(cesta, obsah, cteni) != Nacteni::Precteno) return StavSouboru::Chybi;
    if (Otisk(obsah) != otisk) return StavSouboru::Zmeneny;
    if (sf.cesta == &Nastaveni::cestaSchema) schema = std::move(obsah);
  }
  soubor.clear();
  novy.nastaveni.cestaJazyk = Text(Pole(Pole(j, "jazyk"), "cesta"), "files");
  return StavSouboru::Shoduji;
}

double CasPri(const Stav& s, double T) {
  double zaklad = s.SimZaklad, znacka = s.RealZnacka;
  if (T < znacka || T < s.PosledniCteni) {
    zaklad += (1.0 - znacka) * s.RychlostSim;
    znacka = 0;
  }
  return (T - znacka) * s.RychlostSim + zaklad;
}

json Hodiny(Stav& s) {
  json j = Objekt(TabulkaHodin, s);
  // The window's clock rebases on the simulated time now, whatever the wall clock shows when
  // the save is opened.
  j["ted"] = CasPri(s, s.prostredi->casDne());
  return j;
}

void Hodiny(const json& j, Stav& s, bool presne) {
  const double ted = Konecne(Pole(j, "ted"), "clock");
  Objekt(TabulkaHodin, s, j, Kontext{s});
  if (!presne) {
    const double T = s.prostredi->casDne();
    s.SimZaklad = ted;
    s.RealZnacka = T;
    s.PosledniCteni = T;
  }
}

json Prvky(const Stav& s) {
  json n = json::array(), so = json::array();
  for (const RNavestidlo& x : s.Navestidla) n.push_back(x.stav);
  for (const RSoused& x : s.Sousede) so.push_back(x.druh);
  return {{"Koleje", Seznam(TabulkaStavuKoleje, s.Koleje, true)},
          {"Spojky", Seznam(TabulkaStavuKoleje, s.Spojky, true)},
          {"Navestidla", n},
          {"Sousede", so},
          {"aktualniSpoj", s.aktualniSpoj},
          {"PocetSpoju", s.PocetSpoju}};
}

void Prvky(const json& j, Stav& s) {
  const Kontext k{s};
  StavyPrvku(Pole(j, "Koleje"), s.Koleje, k);
  StavyPrvku(Pole(j, "Spojky"), s.Spojky, k);
  const json& n = Prvky(Pole(j, "Navestidla"), s.Navestidla.size(), "signals");
  for (std::size_t i = 0; i < n.size(); ++i)
    s.Navestidla[i].stav = static_cast<std::uint8_t>(Cele(n[i], "signals", 0, 255));
  const json& so = Prvky(Pole(j, "Sousede"), s.Sousede.size(), "line ends");
  for (std::size_t i = 0; i < so.size(); ++i)
    s.Sousede[i].druh = static_cast<std::uint16_t>(Cele(so[i], "line ends", 0, 65535));
  if (Int(Pole(j, "PocetSpoju"), "timetable") != s.PocetSpoju) vadne("timetable");
  s.aktualniSpoj = static_cast<int>(Cele(Pole(j, "aktualniSpoj"), "timetable", -1,
                                         static_cast<long long>(s.Grafikon.size()) - 1));
}

json DalsiSpoje(const Stav& s) {
  const auto prvni = static_cast<std::size_t>(std::max(s.PocetSpoju, 0));
  if (s.Grafikon.size() <= prvni) return nullptr;
  json a = json::array();
  for (std::size_t i = prvni; i < s.Grafikon.size(); ++i) a.push_back(Radek(TabulkaSpoju, s.Grafikon[i]));
  return a;
}

void DalsiSpoje(const json& j, Stav& s) {
  std::vector<RSpoj> dalsi;
  Seznam(TabulkaSpoju, dalsi, j, Kontext{s}, true);
  s.Grafikon.insert(s.Grafikon.end(), dalsi.begin(), dalsi.end());
}

json Seznamy(const Stav& s) {
  return {{"Vlaky", Seznam(TabulkaVlaku, s.Vlaky, false)},
          {"Nabidky", Seznam(TabulkaNabidek, s.Nabidky, false)},
          {"Cesty", Seznam(TabulkaCest, s.Cesty, false)},
          {"CekajiciCesty", Seznam(TabulkaCekajicich, s.CekajiciCesty, false)},
          {"HledanaCesta", Cesta(s.HledanaCesta)},
          {"UlozenaCesta", Cesta(s.UlozenaCesta)}};
}

void Seznamy(const json& j, Stav& s) {
  const Kontext k{s};
  Seznam(TabulkaVlaku, s.Vlaky, Pole(j, "Vlaky"), k, false);
  Seznam(TabulkaNabidek, s.Nabidky, Pole(j, "Nabidky"), k, false);
  Seznam(TabulkaCest, s.Cesty, Pole(j, "Cesty"), k, false);
  Seznam(TabulkaCekajicich, s.CekajiciCesty, Pole(j, "CekajiciCesty"), k, false);
  s.HledanaCesta = Cesta(Pole(j, "HledanaCesta"), k);
  s.UlozenaCesta = Cesta(Pole(j, "UlozenaCesta"), k);
}

// The queue in execution order. Queued again in this order, events due at one time keep
// their order among themselves.
json Fronta(const Stav& s) {
  json a = json::array();
  for (const auto& [h, u] : s.fronta.seznam()) a.push_back(Radek(TabulkaUdalosti, u));
  return a;
}

void Fronta(const json& j, Stav& s) {
  std::vector<RUdalost> udalosti;
  Seznam(TabulkaUdalosti, udalosti, j, Kontext{s}, true);
  s.fronta.vyprazdni();
  for (const RUdalost& u : udalosti) s.fronta.vloz(u);
}

json Vyber(const Stav& s) { return Objekt(TabulkaVyberu, s); }

void Vyber(const json& j, Stav& s) {
  Objekt(TabulkaVyberu, s, j, Kontext{s});
  // The point look-ups' continue state is not kept: every look-up that continues follows a
  // fresh one within the same operation, so between events it is never read; and a path the
  // memory of paths supplies skips the look-ups that would have set it.
  s.kolejVBodePosledni = -1;
  s.spojkaVBodePosledni = -1;
}

json Okno(const OknoView& o) { return Objekt(TabulkaOkna, o); }

void Okno(const json& j, OknoView& o, Stav& s) { Objekt(TabulkaOkna, o, j, Kontext{s}); }

json Skore_(const Skore& k) { return Objekt(TabulkaSkore, k); }

void Skore_(const json& j, Skore& k, Stav& s) {
  k = Skore{};
  Objekt(TabulkaSkore, k, j, Kontext{s});
}

json Kresba(const Platno* p) {
  std::vector<OperaceKresby> ops;
  if (!p || !p->kresba(ops)) return nullptr;
  return Seznam(TabulkaKresby, ops, true);
}

bool Kresba(const json& j, std::vector<OperaceKresby>& ops, Stav& s) {
  if (j.is_null()) return false;
  Seznam(TabulkaKresby, ops, j, Kontext{s}, true);
  return true;
}

// The memory of paths found for plain selections: a hit skips the search and with it the
// point look-ups' state the search leaves, so a resumed run needs the same hits. Each as
// [start, x, y, smer, track, track states, found, smer, target, path].
json Pamet(const PametCest& p) {
  json a = json::array();
  for (const auto& [k, n] : p.cesty)
    a.push_back({std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k),
                 Text(std::get<5>(k)), n.nalezeno, n.smer, n.cilova, Cesta(n.cesta)});
  return a;
}

void Pamet(const json& j, PametCest& p, Stav& s) {
  constexpr const char* co = "path memory";
  const Kontext k{s};
  for (const json& r : Seznam(j, co, true)) {
    Prvky(r, 10, co);
    PametCest::Klic klic{Int(r[0], co), Int(r[1], co), Int(r[2], co),
                         Int(r[3], co), Int(r[4], co), Text(r[5], co)};
    PametCest::Nalez& n = p.cesty[klic];
    n.nalezeno = Pravda(r[6], co);
    n.smer = static_cast<std::uint16_t>(Cele(r[7], co, 0, 65535));
    n.cilova = Int(r[8], co);
    if (!k.prvek(n.cilova)) vadne(co);
    n.cesta = Cesta(r[9], k);
  }
}

json Dispecer(const AutomatickyDispecer& d) {
  json j = Objekt(TabulkaDispecera, d.trvale());
  j["pocty"] = {d.prijato, d.odmitnuto, d.nastaveno, d.ulozeno, d.zruseno};
  return j;
}

void Dispecer(const json& j, AutomatickyDispecer& d, Stav& s) {
  AutomatickyDispecer::Trvale t;
  Objekt(TabulkaDispecera, t, j, Kontext{s});
  const json& p = Prvky(Pole(j, "pocty"), 5, "dispatcher");
  int* pocty[] = {&d.prijato, &d.odmitnuto, &d.nastaveno, &d.ulozeno, &d.zruseno};
  for (int i = 0; i < 5; ++i) *pocty[i] = static_cast<int>(Cele(p[i], "dispatcher", 0, MaxPocet));
  d.obnov(std::move(t));
}

json Nahodny(const NahodnyDispecer& d) { return Objekt(TabulkaNahodneho, d.trvale()); }

void Nahodny(const json& j, NahodnyDispecer& d) {
  Stav zadny;
  NahodnyDispecer::Trvale t;
  Objekt(TabulkaNahodneho, t, j, Kontext{zadny});
  d.obnov(t);
}

json Kontrola(const KontrolaStavu& k) {
  json j = Objekt(TabulkaKontroly, k.trvale());
  j["zivost"] = k.zivost;
  return j;
}

void Kontrola(const json& j, KontrolaStavu& k) {
  Stav zadny;
  KontrolaStavu::Trvale t;
  Objekt(TabulkaKontroly, t, j, Kontext{zadny});
  k.zivost = Pravda(Pole(j, "zivost"), "check");
  k.obnov(std::move(t));
}

json VirtualniHodiny(const VirtualniProstredi& p) {
  return Objekt(TabulkaVirtualnichHodin, p.trvale());
}

void VirtualniHodiny(const json& j, VirtualniProstredi& p) {
  Stav zadny;
  VirtualniProstredi::Trvale t;
  Objekt(TabulkaVirtualnichHodin, t, j, Kontext{zadny});
  p.obnov(t);
}

}  // namespace stanovar::ulozeni
