#include "traffic/ulozeni.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <random>
#include <sstream>
#include <utility>

#include "control/cesty.h"
#include "control/dispecer.h"
#include "control/nahodny.h"
#include "display/kresleni.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/kontrola.h"
#include "traffic/smycka.h"
#include "traffic/virtualni.h"

namespace stanovar {

using json = nlohmann::json;

namespace {

// A save larger than this is no save of this program: a day of the larger station is well
// under a megabyte.
constexpr std::size_t MaxVelikostUlozeni = 64u << 20;
// Bounds on list lengths, far above anything a station reaches, so that a hostile file cannot
// make the reader build millions of records.
constexpr std::size_t MaxZaznamu = 1u << 20;

// What is wrong with the save; thrown by the readers below, caught once at the top.
struct Vadne {
  std::string co;
};
[[noreturn]] void vadne(std::string co) { throw Vadne{std::move(co)}; }

// ---- values ----

// JSON has no infinities and no NaN; a plan may hold them, so they are written as text.
json Realne(double d) {
  if (std::isfinite(d)) return d;
  if (std::isnan(d)) return "nan";
  return d > 0 ? "inf" : "-inf";
}
double Realne(const json& j, const char* co) {
  if (j.is_number()) return j.get<double>();
  if (j.is_string()) {
    const auto& t = j.get_ref<const std::string&>();
    if (t == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (t == "inf") return std::numeric_limits<double>::infinity();
    if (t == "-inf") return -std::numeric_limits<double>::infinity();
  }
  vadne(co);
}
double Konecne(const json& j, const char* co) {
  double d = Realne(j, co);
  if (!std::isfinite(d)) vadne(co);
  return d;
}
long long Cele(const json& j, const char* co, long long lo, long long hi) {
  if (!j.is_number_integer()) vadne(co);
  long long v;
  if (j.is_number_unsigned()) {
    const auto u = j.get<std::uint64_t>();
    if (u > static_cast<std::uint64_t>(std::numeric_limits<long long>::max())) vadne(co);
    v = static_cast<long long>(u);
  } else {
    v = j.get<long long>();
  }
  if (v < lo || v > hi) vadne(co);
  return v;
}
int Int(const json& j, const char* co) {
  return static_cast<int>(Cele(j, co, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
bool Pravda(const json& j, const char* co) {
  if (!j.is_boolean()) vadne(co);
  return j.get<bool>();
}

// Texts are the data files' windows-1250 bytes; each byte is written as the character of
// that number, so that every byte comes back as it was.
json Text(const std::string& b) {
  std::string u;
  u.reserve(b.size());
  for (unsigned char c : b) {
    if (c < 0x80) {
      u += static_cast<char>(c);
    } else {
      u += static_cast<char>(0xC0 | (c >> 6));
      u += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return u;
}
std::string Text(const json& j, const char* co) {
  if (!j.is_string()) vadne(co);
  const auto& u = j.get_ref<const std::string&>();
  std::string b;
  b.reserve(u.size());
  for (std::size_t i = 0; i < u.size(); ++i) {
    const auto c = static_cast<unsigned char>(u[i]);
    if (c < 0x80) {
      b += static_cast<char>(c);
    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < u.size() &&
               (static_cast<unsigned char>(u[i + 1]) & 0xC0) == 0x80) {
      b += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(u[i + 1]) & 0x3F));
      ++i;
    } else {
      vadne(co);
    }
  }
  return b;
}

const json& Pole(const json& o, const char* klic) {
  if (!o.is_object()) vadne(klic);
  auto it = o.find(klic);
  if (it == o.end()) vadne(klic);
  return *it;
}
const json& Seznam(const json& o, const char* klic) {
  const json& j = Pole(o, klic);
  if (!j.is_array() || j.size() > MaxZaznamu) vadne(klic);
  return j;
}
const json& Prvky(const json& j, std::size_t n, const char* co) {
  if (!j.is_array() || j.size() != n) vadne(co);
  return j;
}

// ---- station references: every identifier a save names must be one of the station's ----

struct Reference {
  const Stav& s;
  bool prvek(int id) const {  // any element, signal or line end, or 0
    if (id == 0) return true;
    Stav& m = const_cast<Stav&>(s);
    return NajdiPrvek(m, id) || NajdiNavestidlo(m, id) || NajdiSousedaId(m, id);
  }
  int over(int id, const char* co) const {
    if (!prvek(id)) vadne(co);
    return id;
  }
};

// ---- records ----

template <class R>
struct PoleZaznamu {
  const char* jmeno;
  int R::*cele;
  double R::*realne;
};

const PoleZaznamu<RVlak> PoleVlaku[] = {
    {"cislo", &RVlak::cislo, nullptr},         {"delka", &RVlak::delka, nullptr},
    {"hmotnost", &RVlak::hmotnost, nullptr},   {"maxRychlost", &RVlak::maxRychlost, nullptr},
    {"rychlost1", &RVlak::rychlost1, nullptr}, {"rychlost2", &RVlak::rychlost2, nullptr},
    {"vykon", &RVlak::vykon, nullptr},         {"odjezd", &RVlak::odjezd, nullptr},
    {"delkaUseku", &RVlak::delkaUseku, nullptr},
    {"vzdalenost", nullptr, &RVlak::vzdalenost}, {"rychlost", nullptr, &RVlak::rychlost},
    {"CilRychl", nullptr, &RVlak::CilRychl},   {"lim1", nullptr, &RVlak::lim1},
    {"lim2", nullptr, &RVlak::lim2},           {"odporA", nullptr, &RVlak::odporA},
    {"odporB", nullptr, &RVlak::odporB},       {"odporC", nullptr, &RVlak::odporC},
    {"sklonPrvku", nullptr, &RVlak::sklonPrvku},
    {"soucinitelHmot", nullptr, &RVlak::soucinitelHmot},
    {"BrzdZrych", nullptr, &RVlak::BrzdZrych}, {"cas", nullptr, &RVlak::cas},
};

// A path step as [x, y, prvek, delka, minRychlost, cena, smer].
json Kroky_(const Kroky& k) {
  json a = json::array();
  for (const RKrok& r : k) a.push_back({r.x, r.y, r.prvek, r.delka, r.minRychlost, r.cena, r.smer});
  return a;
}
Kroky Kroky_(const json& j, const Reference& ref, const char* co) {
  if (!j.is_array() || j.size() > MaxZaznamu) vadne(co);
  Kroky k;
  for (const json& r : j) {
    if (!r.is_array() || r.size() != 7) vadne(co);
    RKrok& x = k.emplace_back();
    x.x = Int(r[0], co);
    x.y = Int(r[1], co);
    x.prvek = ref.over(Int(r[2], co), co);
    x.delka = Int(r[3], co);
    x.minRychlost = Int(r[4], co);
    x.cena = Int(r[5], co);
    x.smer = static_cast<std::uint16_t>(Cele(r[6], co, 0, 4));
  }
  return k;
}

json Vlak(const RVlak& v) {
  json j;
  for (const auto& p : PoleVlaku) j[p.jmeno] = p.cele ? json(v.*p.cele) : Realne(v.*p.realne);
  j["prvek"] = v.prvek;
  j["smer"] = v.smer;
  j["maOdjezd"] = v.maOdjezd;
  j["brzdi"] = v.brzdi;
  j["cil"] = Text(v.cil);
  j["loko"] = Text(v.loko);
  j["cesta"] = Kroky_(v.cesta);
  return j;
}
RVlak Vlak(const json& j, const Reference& ref) {
  RVlak v;
  for (const auto& p : PoleVlaku) {
    if (p.cele) v.*p.cele = Int(Pole(j, p.jmeno), "train");
    else v.*p.realne = Realne(Pole(j, p.jmeno), "train");
  }
  v.prvek = ref.over(Int(Pole(j, "prvek"), "train"), "train element");
  v.smer = static_cast<std::uint16_t>(Cele(Pole(j, "smer"), "train", 0, 65535));
  v.maOdjezd = Pravda(Pole(j, "maOdjezd"), "train");
  v.brzdi = Pravda(Pole(j, "brzdi"), "train");
  v.cil = Text(Pole(j, "cil"), "train");
  v.loko = Text(Pole(j, "loko"), "train");
  v.cesta = Kroky_(Pole(j, "cesta"), ref, "train path");
  return v;
}

json Nabidka(const RNabidka& n) {
  return {{"cislo", n.cislo}, {"x", n.x},           {"y", n.y},
          {"soused", n.soused}, {"spoj", n.spoj},   {"odkud", Text(n.odkud)},
          {"kam", Text(n.kam)}, {"faze", n.faze},   {"prijata", n.prijata}};
}
RNabidka Nabidka(const json& j, Stav& s) {
  RNabidka n;
  n.cislo = Int(Pole(j, "cislo"), "offer");
  n.x = Int(Pole(j, "x"), "offer");
  n.y = Int(Pole(j, "y"), "offer");
  n.soused = Int(Pole(j, "soused"), "offer");
  if (!NajdiSousedaId(s, n.soused)) vadne("offer line end");
  n.spoj = static_cast<int>(Cele(Pole(j, "spoj"), "offer", -1, static_cast<long long>(s.Grafikon.size()) - 1));
  n.odkud = Text(Pole(j, "odkud"), "offer");
  n.kam = Text(Pole(j, "kam"), "offer");
  n.faze = Pravda(Pole(j, "faze"), "offer");
  n.prijata = Pravda(Pole(j, "prijata"), "offer");
  return n;
}

// ---- the parts of the state, one pair of functions each ----

// The station files: names and content hashes. A file that could not be read when the
// station was opened (or none named) has an empty hash and is not read again.
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

// The simulated time at wall-clock time of day T, as SimCas reads it but without touching the
// clock: a save and a load must leave the clock's fields exactly as the run had them.
double CasPri(const Stav& s, double T) {
  double zaklad = s.SimZaklad, znacka = s.RealZnacka;
  if (T < znacka || T < s.PosledniCteni) {
    zaklad += (1.0 - znacka) * s.RychlostSim;
    znacka = 0;
  }
  return (T - znacka) * s.RychlostSim + zaklad;
}

json Hodiny(Stav& s) {
  // The window's clock rebases on the simulated time now, whatever the wall clock shows when
  // the save is opened.
  return {{"ted", CasPri(s, s.prostredi->casDne())},
          {"SimZaklad", s.SimZaklad},
          {"RealZnacka", s.RealZnacka},
          {"PosledniCteni", s.PosledniCteni},
          {"RychlostSim", s.RychlostSim},
          {"PosledniRychlost", s.PosledniRychlost},
          {"CetnostVlaku", s.CetnostVlaku},
          {"nahoda", s.nahoda}};
}
void Hodiny(const json& j, Stav& s, bool presne) {
  const double ted = Konecne(Pole(j, "ted"), "clock");
  s.SimZaklad = Konecne(Pole(j, "SimZaklad"), "clock");
  s.RealZnacka = Konecne(Pole(j, "RealZnacka"), "clock");
  s.PosledniCteni = Konecne(Pole(j, "PosledniCteni"), "clock");
  s.RychlostSim = static_cast<std::uint16_t>(Cele(Pole(j, "RychlostSim"), "clock", 0, MaxRychlostSim));
  s.PosledniRychlost =
      static_cast<std::uint16_t>(Cele(Pole(j, "PosledniRychlost"), "clock", 0, MaxRychlostSim));
  s.CetnostVlaku = static_cast<std::uint16_t>(Cele(Pole(j, "CetnostVlaku"), "clock", 1, 8));
  s.nahoda = static_cast<std::uint32_t>(Cele(Pole(j, "nahoda"), "clock", 0, 0xFFFFFFFFll));
  if (!presne) {
    const double T = s.prostredi->casDne();
    s.SimZaklad = ted;
    s.RealZnacka = T;
    s.PosledniCteni = T;
  }
}

// Element states in the station lists' order: [zaver, vlak, druhKonce] of each track and
// connector, the stav of each signal, the druh of each line end.
json Prvky(const Stav& s) {
  auto koleje = [](const std::vector<RKolej>& v) {
    json a = json::array();
    for (const RKolej& k : v) a.push_back({k.zaver, k.vlak, k.druhKonce});
    return a;
  };
  json n = json::array(), so = json::array();
  for (const RNavestidlo& x : s.Navestidla) n.push_back(x.stav);
  for (const RSoused& x : s.Sousede) so.push_back(x.druh);
  return {{"Koleje", koleje(s.Koleje)}, {"Spojky", koleje(s.Spojky)}, {"Navestidla", n},
          {"Sousede", so}, {"aktualniSpoj", s.aktualniSpoj}, {"PocetSpoju", s.PocetSpoju}};
}
void Prvky(const json& j, Stav& s) {
  auto koleje = [](const json& a, std::vector<RKolej>& v) {
    Prvky(a, v.size(), "elements");
    for (std::size_t i = 0; i < v.size(); ++i) {
      const json& r = a[i];
      if (!r.is_array() || r.size() != 3) vadne("elements");
      v[i].zaver = static_cast<std::uint8_t>(Cele(r[0], "elements", 0, 3));
      v[i].vlak = Int(r[1], "elements");
      v[i].druhKonce = static_cast<std::uint8_t>(Cele(r[2], "elements", 0, 255));
    }
  };
  koleje(Pole(j, "Koleje"), s.Koleje);
  koleje(Pole(j, "Spojky"), s.Spojky);
  const json& n = Prvky(Pole(j, "Navestidla"), s.Navestidla.size(), "signals");
  for (std::size_t i = 0; i < n.size(); ++i)
    s.Navestidla[i].stav = static_cast<std::uint8_t>(Cele(n[i], "signals", 0, 255));
  const json& so = Prvky(Pole(j, "Sousede"), s.Sousede.size(), "line ends");
  for (std::size_t i = 0; i < so.size(); ++i)
    s.Sousede[i].druh = static_cast<std::uint16_t>(Cele(so[i], "line ends", 0, 65535));
  if (Int(Pole(j, "PocetSpoju"), "timetable") != s.PocetSpoju) vadne("timetable");
  s.aktualniSpoj = static_cast<int>(
      Cele(Pole(j, "aktualniSpoj"), "timetable", -1, static_cast<long long>(s.Grafikon.size()) - 1));
}

json Seznamy(const Stav& s) {
  json v = json::array(), n = json::array(), c = json::array(), cc = json::array();
  for (const RVlak& x : s.Vlaky) v.push_back(Vlak(x));
  for (const RNabidka& x : s.Nabidky) n.push_back(Nabidka(x));
  for (const RCesta& x : s.Cesty)
    c.push_back({{"start", x.start}, {"vlak", x.vlak}, {"minRychlost", x.minRychlost},
                 {"cesta", Kroky_(x.cesta)}});
  for (const RCekajiciCesta& x : s.CekajiciCesty)
    cc.push_back({{"start", x.start}, {"cil", x.cil}, {"ceka", x.ceka}, {"drzena", x.drzena},
                  {"cesta", Kroky_(x.cesta)}});
  return {{"Vlaky", v}, {"Nabidky", n}, {"Cesty", c}, {"CekajiciCesty", cc},
          {"HledanaCesta", Kroky_(s.HledanaCesta)}, {"UlozenaCesta", Kroky_(s.UlozenaCesta)}};
}
void Seznamy(const json& j, Stav& s) {
  const Reference ref{s};
  s.Vlaky.clear();
  for (const json& x : Seznam(j, "Vlaky")) s.Vlaky.push_back(Vlak(x, ref));
  s.Nabidky.clear();
  for (const json& x : Seznam(j, "Nabidky")) s.Nabidky.push_back(Nabidka(x, s));
  s.Cesty.clear();
  for (const json& x : Seznam(j, "Cesty")) {
    RCesta& c = s.Cesty.emplace_back();
    c.start = ref.over(Int(Pole(x, "start"), "route"), "route start");
    c.vlak = Int(Pole(x, "vlak"), "route");
    c.minRychlost = Int(Pole(x, "minRychlost"), "route");
    c.cesta = Kroky_(Pole(x, "cesta"), ref, "route path");
  }
  s.CekajiciCesty.clear();
  for (const json& x : Seznam(j, "CekajiciCesty")) {
    RCekajiciCesta& c = s.CekajiciCesty.emplace_back();
    c.start = ref.over(Int(Pole(x, "start"), "stored route"), "stored route start");
    c.cil = ref.over(Int(Pole(x, "cil"), "stored route"), "stored route end");
    c.ceka = static_cast<std::uint8_t>(Cele(Pole(x, "ceka"), "stored route", 0, 255));
    c.drzena = static_cast<std::uint8_t>(Cele(Pole(x, "drzena"), "stored route", 0, 255));
    c.cesta = Kroky_(Pole(x, "cesta"), ref, "stored route path");
  }
  s.HledanaCesta = Kroky_(Pole(j, "HledanaCesta"), ref, "route search");
  s.UlozenaCesta = Kroky_(Pole(j, "UlozenaCesta"), ref, "route search");
}

// The queue in execution order, each event as [druh, vlak, prvek, hodnota1, hodnota2, cas].
// Queued again in this order, events due at one time keep their order among themselves.
json Fronta(const Stav& s) {
  json a = json::array();
  for (const auto& [h, u] : s.fronta.seznam())
    a.push_back({u.druh, u.vlak, u.prvek, Realne(u.hodnota1), Realne(u.hodnota2), Realne(u.cas)});
  return a;
}
void Fronta(const json& j, Stav& s) {
  if (!j.is_array() || j.size() > MaxZaznamu) vadne("event queue");
  const Reference ref{s};
  s.fronta.vyprazdni();
  for (const json& r : j) {
    if (!r.is_array() || r.size() != 6) vadne("event queue");
    RUdalost u;
    u.druh = static_cast<std::uint16_t>(Cele(r[0], "event queue", 1, 10));
    u.vlak = Int(r[1], "event queue");
    u.prvek = ref.over(Int(r[2], "event queue"), "event element");
    u.hodnota1 = Realne(r[3], "event queue");
    u.hodnota2 = Realne(r[4], "event queue");
    u.cas = Realne(r[5], "event queue");
    s.fronta.vloz(u);
  }
}

json Vyber(const Stav& s) {
  return {{"VyberCesty", s.VyberCesty},     {"StartNavestidlo", s.StartNavestidlo},
          {"PosledniX", s.PosledniX},       {"PosledniY", s.PosledniY},
          {"PosledniSmer", s.PosledniSmer}, {"CilovaKolej", s.CilovaKolej},
          {"NabizenyVlak", s.NabizenyVlak}, {"ZobrazenyVlak", s.ZobrazenyVlak},
          {"hlaseniVypoctu", s.hlaseniVypoctu}};
}
void Vyber(const json& j, Stav& s) {
  const Reference ref{s};
  s.VyberCesty = Pravda(Pole(j, "VyberCesty"), "selection");
  s.StartNavestidlo = ref.over(Int(Pole(j, "StartNavestidlo"), "selection"), "selection");
  s.PosledniX = Int(Pole(j, "PosledniX"), "selection");
  s.PosledniY = Int(Pole(j, "PosledniY"), "selection");
  s.PosledniSmer = static_cast<std::uint16_t>(Cele(Pole(j, "PosledniSmer"), "selection", 0, 65535));
  s.CilovaKolej = ref.over(Int(Pole(j, "CilovaKolej"), "selection"), "selection");
  // The point look-ups' continue state is not kept: every look-up that continues follows a
  // fresh one within the same operation, so between events it is never read; and a path the
  // memory of paths supplies skips the look-ups that would have set it.
  s.kolejVBodePosledni = -1;
  s.spojkaVBodePosledni = -1;
  s.NabizenyVlak = Int(Pole(j, "NabizenyVlak"), "selection");
  s.ZobrazenyVlak = Int(Pole(j, "ZobrazenyVlak"), "selection");
  s.hlaseniVypoctu = static_cast<int>(Cele(Pole(j, "hlaseniVypoctu"), "selection", 0, 1 << 30));
}

// What the window shows that the run decides: the panels, their values, the timers. The
// captions come from the language file and are not saved.
std::string OknoView::*const TextyOkna[] = {
    &OknoView::LabelVlak,   &OknoView::LabelCil,      &OknoView::LabelMaxRychl,
    &OknoView::LabelDelka,  &OknoView::LabelHmotnost, &OknoView::LabelLoko,
    &OknoView::LabelOdjezd, &OknoView::LabelRychl,    &OknoView::LabelVzdal,
    &OknoView::LabelKolej,  &OknoView::LabelDelkaKol, &OknoView::LabelRychlKol,
    &OknoView::LabelSklon,  &OknoView::LabelStanice,  &OknoView::LabelSoused,
    &OknoView::LabelSouhlas};
PanelView OknoView::*const PanelyOkna[] = {&OknoView::PanelVlak, &OknoView::PanelKolej,
                                           &OknoView::PanelSouhlas};

// The picture, when the canvas keeps its operations: each as [druh, a, b, c, d, sirka, pero,
// vypln, nepruhledne, tucne, jmeno, text]. Otherwise null, and opening draws it from the
// state.
json Kresba(const Platno* p) {
  std::vector<OperaceKresby> ops;
  if (!p || !p->kresba(ops)) return nullptr;
  json a = json::array();
  for (const OperaceKresby& o : ops)
    a.push_back({std::string(1, o.druh), o.a, o.b, o.c, o.d, o.sirka, o.pero, o.vypln,
                 o.nepruhledne, o.tucne, Text(o.jmeno), Text(o.text)});
  return a;
}
bool Kresba(const json& j, std::vector<OperaceKresby>& ops) {
  if (j.is_null()) return false;
  if (!j.is_array() || j.size() > MaxZaznamu) vadne("picture");
  constexpr const char* co = "picture";
  constexpr long long M = 1000000;
  for (const json& r : j) {
    if (!r.is_array() || r.size() != 12) vadne(co);
    OperaceKresby& o = ops.emplace_back();
    const std::string d = Text(r[0], co);
    if (d != "c" && d != "o" && d != "t") vadne(co);
    o.druh = d[0];
    int* cele[] = {&o.a, &o.b, &o.c, &o.d};
    for (int i = 0; i < 4; ++i) *cele[i] = static_cast<int>(Cele(r[1 + i], co, -M, M));
    o.sirka = static_cast<int>(Cele(r[5], co, 0, 1000));
    o.pero = static_cast<Barva>(Cele(r[6], co, 0, 0xFFFFFFFFll));
    o.vypln = static_cast<Barva>(Cele(r[7], co, 0, 0xFFFFFFFFll));
    o.nepruhledne = Pravda(r[8], co);
    o.tucne = Pravda(r[9], co);
    o.jmeno = Text(r[10], co);
    o.text = Text(r[11], co);
    if (o.jmeno.size() > 256 || o.text.size() > 4096) vadne(co);
  }
  return true;
}

// Paints the operations again, in their order, through the canvas's own interface.
void Prehraj(Stav& s, const std::vector<OperaceKresby>& ops) {
  Platno& p = *s.platno;
  for (const OperaceKresby& o : ops) {
    switch (o.druh) {
      case 'c':
        p.barvaPera(o.pero);
        p.sirkaPera(o.sirka);
        p.presun(o.a, o.b);
        p.cara(o.c, o.d);
        break;
      case 'o':
        p.barvaPera(o.pero);
        p.barvaVyplne(o.vypln);
        p.obdelnik(o.a, o.b, o.c, o.d);
        break;
      default:
        p.pismo(o.jmeno, o.sirka, o.pero, o.tucne);
        p.barvaVyplne(o.vypln);
        p.text(o.a, o.b, o.text, o.nepruhledne);
        break;
    }
  }
  p.barvaPera(s.nastaveni.popredi);
  p.sirkaPera(s.nastaveni.sirkaCary);
  p.barvaVyplne(s.nastaveni.pozadi);
  s.okno.pozadi = s.nastaveni.pozadi;
  s.okno.popredi = s.nastaveni.popredi;
}

json Okno(const OknoView& o) {
  json t = json::array(), p = json::array();
  for (auto m : TextyOkna) t.push_back(Text(o.*m));
  for (auto m : PanelyOkna) p.push_back({(o.*m).viditelny, (o.*m).left, (o.*m).top});
  return {{"texty", t}, {"panely", p}, {"ImageSmer", o.ImageSmer}, {"Blikac", o.Blikac},
          {"Rychlomer", o.Rychlomer}};
}
void Okno(const json& j, OknoView& o) {
  const json& t = Prvky(Pole(j, "texty"), std::size(TextyOkna), "window");
  for (std::size_t i = 0; i < t.size(); ++i) o.*TextyOkna[i] = Text(t[i], "window");
  const json& p = Prvky(Pole(j, "panely"), std::size(PanelyOkna), "window");
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (!p[i].is_array() || p[i].size() != 3) vadne("window");
    PanelView& v = o.*PanelyOkna[i];
    v.viditelny = Pravda(p[i][0], "window");
    v.left = static_cast<int>(Cele(p[i][1], "window", -100000, 100000));
    v.top = static_cast<int>(Cele(p[i][2], "window", -100000, 100000));
  }
  o.ImageSmer = static_cast<int>(Cele(Pole(j, "ImageSmer"), "window", 0, 2));
  o.Blikac = Pravda(Pole(j, "Blikac"), "window");
  o.Rychlomer = Pravda(Pole(j, "Rychlomer"), "window");
}

// The memory of paths found for plain selections, when the caller keeps one: a hit skips the
// search and with it the point look-ups' state the search leaves, so a resumed run needs the
// same hits. Each as [start, x, y, smer, track, track states, found, smer, target, path].
json Pamet(const PametCest& p) {
  json a = json::array();
  for (const auto& [k, n] : p.cesty)
    a.push_back({std::get<0>(k), std::get<1>(k), std::get<2>(k), std::get<3>(k), std::get<4>(k),
                 Text(std::get<5>(k)), n.nalezeno, n.smer, n.cilova, Kroky_(n.cesta)});
  return a;
}
void Pamet(const json& j, PametCest& p, const Reference& ref) {
  constexpr const char* co = "path memory";
  if (!j.is_array() || j.size() > MaxZaznamu) vadne(co);
  for (const json& r : j) {
    if (!r.is_array() || r.size() != 10) vadne(co);
    PametCest::Klic k{Int(r[0], co), Int(r[1], co), Int(r[2], co), Int(r[3], co), Int(r[4], co),
                      Text(r[5], co)};
    PametCest::Nalez& n = p.cesty[k];
    n.nalezeno = Pravda(r[6], co);
    n.smer = static_cast<std::uint16_t>(Cele(r[7], co, 0, 65535));
    n.cilova = ref.over(Int(r[8], co), co);
    n.cesta = Kroky_(r[9], ref, co);
  }
}

template <class M>
json Mapa(const M& m) {  // ordered by key, so that a save does not depend on hashing
  std::vector<std::pair<typename M::key_type, typename M::mapped_type>> v(m.begin(), m.end());
  std::sort(v.begin(), v.end());
  json a = json::array();
  for (const auto& [k, x] : v) a.push_back({k, x});
  return a;
}

}  // namespace

// The private state of the dispatchers, the invariant check and the virtual clock.
struct PristupUlozeni {
  static json Dispecer(const AutomatickyDispecer& d) {
    json dos = json::array(), neslo = json::array();
    for (const auto& [k, v] : d.dosazitelnost_) dos.push_back({k.first, k.second, v});
    for (const auto& [k, v] : d.neslo_) neslo.push_back({k.first, k.second, v});
    // The claims keep the order they stand in; the route memory and the working lists of one
    // look are caches, rebuilt as they are needed.
    json poradi = json::array();
    for (const auto& [k, v] : d.poradi_) poradi.push_back({k, v});
    return {{"dosazitelnost", dos}, {"poradi", poradi}, {"dalsiPoradi", d.dalsiPoradi_},
            {"cekaOd", Mapa(d.cekaOd_)}, {"uvolneni", d.uvolneni_}, {"neslo", neslo},
            {"sleduje", d.sleduje_}, {"zmena", d.zmena_},
            {"pocty", {d.prijato, d.odmitnuto, d.nastaveno, d.ulozeno, d.zruseno}},
            {"pamet", Pamet(d.pamet_)}};
  }
  static void Dispecer(const json& j, AutomatickyDispecer& d, const Stav& s) {
    Pamet(Pole(j, "pamet"), d.pamet_, Reference{s});
    constexpr const char* co = "dispatcher";
    const long long M = std::numeric_limits<long long>::max();
    for (const json& r : Seznam(j, "dosazitelnost")) {
      if (!r.is_array() || r.size() != 3) vadne(co);
      d.dosazitelnost_[{Int(r[0], co), Int(r[1], co)}] = Pravda(r[2], co);
    }
    for (const json& r : Seznam(j, "poradi")) {
      if (!r.is_array() || r.size() != 2) vadne(co);
      d.poradi_.emplace_back(Int(r[0], co), Cele(r[1], co, 0, M));
    }
    d.dalsiPoradi_ = Cele(Pole(j, "dalsiPoradi"), co, 0, M);
    for (const json& r : Seznam(j, "cekaOd")) {
      if (!r.is_array() || r.size() != 2) vadne(co);
      d.cekaOd_[Int(r[0], co)] = Konecne(r[1], co);
    }
    d.uvolneni_ = Cele(Pole(j, "uvolneni"), co, 0, M);
    for (const json& r : Seznam(j, "neslo")) {
      if (!r.is_array() || r.size() != 3) vadne(co);
      d.neslo_[{Int(r[0], co), Int(r[1], co)}] = Cele(r[2], co, 0, M);
    }
    d.sleduje_ = Pravda(Pole(j, "sleduje"), co);
    d.zmena_ = Pravda(Pole(j, "zmena"), co);
    const json& p = Prvky(Pole(j, "pocty"), 5, co);
    int* pocty[] = {&d.prijato, &d.odmitnuto, &d.nastaveno, &d.ulozeno, &d.zruseno};
    for (int i = 0; i < 5; ++i) *pocty[i] = static_cast<int>(Cele(p[i], co, 0, 1 << 30));
  }

  static json Nahodny(const NahodnyDispecer& d) {
    std::ostringstream g;
    g << d.g_;
    json slysene = json::array();
    for (const auto& [druh, vlak] : d.slysene_) slysene.push_back({druh, vlak});
    return {{"generator", g.str()}, {"akci", d.akci}, {"slysene", slysene}};
  }
  static void Nahodny(const json& j, NahodnyDispecer& d) {
    std::istringstream g(Text(Pole(j, "generator"), "random dispatcher"));
    std::mt19937 m;
    g >> m;
    if (g.fail()) vadne("random dispatcher");
    d.g_ = m;
    d.akci = Cele(Pole(j, "akci"), "random dispatcher", 0, std::numeric_limits<long long>::max());
    // Saves written before it heard the events keep none.
    if (j.contains("slysene"))
      for (const json& r : Seznam(j, "slysene")) {
        if (!r.is_array() || r.size() != 2) vadne("random dispatcher");
        d.slysene_.emplace_back(Int(r[0], "random dispatcher"), Int(r[1], "random dispatcher"));
      }
  }

  static json Kontrola(const KontrolaStavu& k) {
    return {{"drzitel", Mapa(k.drzitel_)}, {"chyba", Text(k.chyba_)},
            {"nabidnuto", Mapa(k.nabidnuto_)}, {"stoji", Mapa(k.stoji_)}, {"zivost", k.zivost},
            {"minule", k.minule_}};
  }
  static void Kontrola(const json& j, KontrolaStavu& k) {
    constexpr const char* co = "check";
    for (const json& r : Seznam(j, "drzitel")) {
      if (!r.is_array() || r.size() != 2) vadne(co);
      k.drzitel_[Int(r[0], co)] = Int(r[1], co);
    }
    k.chyba_ = Text(Pole(j, "chyba"), co);
    for (const char* m : {"nabidnuto", "stoji"})
      for (const json& r : Seznam(j, m)) {
        if (!r.is_array() || r.size() != 2) vadne(co);
        (m[0] == 'n' ? k.nabidnuto_ : k.stoji_)[Int(r[0], co)] = Konecne(r[1], co);
      }
    k.zivost = Pravda(Pole(j, "zivost"), co);
    // Saves written before the check looked at standing trains after the dispatcher's look.
    if (j.contains("minule")) k.minule_ = Konecne(j["minule"], co);
  }

  static json Hodiny(const VirtualniProstredi& p) {
    return {{"absolutni", p.abs_}, {"seed", p.seed_}, {"pocetZprav", p.pocetZprav},
            {"posledniZprava", Text(p.posledniZprava)}};
  }
  static void Hodiny(const json& j, VirtualniProstredi& p) {
    p.abs_ = Konecne(Pole(j, "absolutni"), "virtual clock");
    if (p.abs_ < 0) vadne("virtual clock");
    p.seed_ = static_cast<std::uint32_t>(Cele(Pole(j, "seed"), "virtual clock", 0, 0xFFFFFFFFll));
    p.pocetZprav = static_cast<int>(Cele(Pole(j, "pocetZprav"), "virtual clock", 0, 1 << 30));
    p.posledniZprava = Text(Pole(j, "posledniZprava"), "virtual clock");
  }
};

namespace {

// The outside for the staging state: the files and clock of the real one, but no message
// box (the running simulation is not to be interrupted by a load that may yet be refused).
class TicheProstredi : public Prostredi {
 public:
  explicit TicheProstredi(Prostredi& p) : p_(p) {}
  double casDne() override { return p_.casDne(); }
  std::uint32_t msOdPulnoci() override { return p_.msOdPulnoci(); }
  void zprava(const std::string&) override {}
  void zpravaOSouboru(const std::string&, const std::string&, const std::string&) override {}
  void otevriDokument(const std::string&) override {}
  int dpi() override { return p_.dpi(); }
  std::FILE* otevriProCteni(const std::string& cesta) override { return p_.otevriProCteni(cesta); }

 private:
  Prostredi& p_;
};

// The score: every run of a train so far as one array, and the course of the shift.
json Skore_(const Skore& k) {
  json vlaky = json::array();
  for (const SkoreVlaku& v : k.vlaky)
    vlaky.push_back({v.cislo, Text(v.odkud), Text(v.kam), v.nabidnut, v.vjel, v.odjel,
                     v.naOdpoved, v.naTrat, v.naCestu, v.cekaOd, v.ceka, v.faze, v.odmitnut,
                     v.spatnymSmerem});
  json prubeh = json::array();
  for (const BodSmeny& b : k.prubeh) prubeh.push_back({b.cas, b.veStanici, b.cekaji});
  return {{"zacatek", k.zacatek},     {"vlaky", vlaky},          {"aktivni", k.aktivni},
          {"predavany", k.predavany}, {"veStanici", k.veStanici}, {"cekaji", k.cekaji},
          {"prubeh", prubeh}};
}
void Skore_(const json& j, Skore& k) {
  constexpr const char* co = "score";
  k = Skore{};
  k.zacatek = Konecne(Pole(j, "zacatek"), co);
  for (const json& r : Seznam(j, "vlaky")) {
    Prvky(r, 14, co);
    SkoreVlaku& v = k.vlaky.emplace_back();
    v.cislo = Int(r[0], co);
    v.odkud = Text(r[1], co);
    v.kam = Text(r[2], co);
    v.nabidnut = Konecne(r[3], co);
    v.vjel = Konecne(r[4], co);
    v.odjel = Konecne(r[5], co);
    v.naOdpoved = Konecne(r[6], co);
    v.naTrat = Konecne(r[7], co);
    v.naCestu = Konecne(r[8], co);
    v.cekaOd = Konecne(r[9], co);
    v.ceka = static_cast<CekaniVlaku>(Cele(r[10], co, NeCeka, CekaNaCestu));
    v.faze = static_cast<FazeVlaku>(Cele(r[11], co, FazeNabidnut, FazeKonec));
    v.odmitnut = Pravda(r[12], co);
    v.spatnymSmerem = Pravda(r[13], co);
  }
  const long long posledni = static_cast<long long>(k.vlaky.size()) - 1;
  for (const json& a : Seznam(j, "aktivni"))
    k.aktivni.push_back(static_cast<int>(Cele(a, co, 0, posledni)));
  k.predavany = static_cast<int>(Cele(Pole(j, "predavany"), co, -1, posledni));
  k.veStanici = static_cast<int>(Cele(Pole(j, "veStanici"), co, 0, MaxZaznamu));
  k.cekaji = static_cast<int>(Cele(Pole(j, "cekaji"), co, 0, MaxZaznamu));
  for (const json& r : Seznam(j, "prubeh")) {
    Prvky(r, 3, co);
    k.prubeh.push_back({Konecne(r[0], co), static_cast<int>(Cele(r[1], co, 0, MaxZaznamu)),
                        static_cast<int>(Cele(r[2], co, 0, MaxZaznamu))});
  }
}

json Stavu(Stav& s, const CastiBehu& c) {
  json j;
  j["soubory"] = Soubory(s);
  j["hodiny"] = Hodiny(s);
  j["prvky"] = Prvky(s);
  j["seznamy"] = Seznamy(s);
  j["fronta"] = Fronta(s);
  j["vyber"] = Vyber(s);
  j["okno"] = Okno(s.okno);
  j["skore"] = Skore_(s.skore);
  j["kresba"] = Kresba(s.platno);
  if (s.pametCest) j["pametCest"] = Pamet(*s.pametCest);
  if (c.dispecer) j["dispecer"] = PristupUlozeni::Dispecer(*c.dispecer);
  if (c.nahodny) j["nahodny"] = PristupUlozeni::Nahodny(*c.nahodny);
  if (c.kontrola) j["kontrola"] = PristupUlozeni::Kontrola(*c.kontrola);
  if (c.hodiny) j["virtualniHodiny"] = PristupUlozeni::Hodiny(*c.hodiny);
  if (c.doplnek) j["doplnek"] = *c.doplnek;
  return j;
}

// The picture as it looked when saved: the station drawn as when it was opened, then every
// element, signal and offer in its state colour. The picture is drawn over and over as trains
// run, and what was drawn last is not kept; the order here is that of a station in service:
// line tracks have been redrawn since their labels (every train uses them), and signals since
// the tracks they stand on (a route is set from them after the track was occupied).
void Prekresli(Stav& s, std::string_view schema, Prostredi& ticho) {
  NastavBarvy(s);
  Stav kresba;
  kresba.platno = s.platno;
  kresba.prostredi = &ticho;
  kresba.nastaveni = s.nastaveni;
  CtiSchema(kresba, schema);
  auto prvek = [&](const RKolej& k) {
    if (k.zaver == 3) KresliPrvek(s, k, BarvaObsazeno, std::to_string(k.vlak));
    else if (k.zaver == 2)
      KresliPrvek(s, k, BarvaCesta, k.vlak > 0 ? std::to_string(k.vlak) : std::string());
    else if (!k.soused.empty()) KresliPrvek(s, k, s.nastaveni.popredi, k.cislo);
  };
  for (const RKolej& k : s.Koleje) prvek(k);
  for (const RKolej& k : s.Spojky) prvek(k);
  for (const RNavestidlo& n : s.Navestidla) {
    const Barva c = n.stav == 1   ? BarvaVyber
                    : n.stav == 2 ? BarvaCesta
                    : n.stav == 4 ? BarvaObsazeno
                                  : s.nastaveni.popredi;
    KresliNavestidloBarvou(s, n, c);
  }
  // The blink timer drew the phase before the one an offer now holds.
  for (const RNabidka& n : s.Nabidky)
    if (!n.prijata) BlikniNabidku(s, n.x, n.y, !n.faze);
}

// The save as text people can read: the outer objects one member a line and the lists one
// record a line, everything below that on the line of its record. Only blanks and line ends
// separate, so that a changed byte anywhere breaks either the JSON or the checksum.
void Zapis(const json& j, int hloubka, std::string& ven) {
  constexpr int Rozbalit = 3;
  const auto dump = [](const json& x) { return x.dump(-1, ' ', false, json::error_handler_t::replace); };
  if (hloubka >= Rozbalit || j.empty() || !(j.is_object() || j.is_array())) {
    ven += dump(j);
    return;
  }
  const std::string odsazeni(static_cast<std::size_t>(hloubka) + 1, ' ');
  ven += j.is_object() ? "{\n" : "[\n";
  bool prvni = true;
  for (auto it = j.begin(); it != j.end(); ++it) {
    if (!prvni) ven += ",\n";
    prvni = false;
    ven += odsazeni;
    if (j.is_object()) ven += dump(it.key()) + ": ";
    Zapis(*it, hloubka + 1, ven);
  }
  ven += '\n';
  ven.append(static_cast<std::size_t>(hloubka), ' ');
  ven += j.is_object() ? '}' : ']';
}

// A save nests a few levels deep. Deeper nesting is refused before parsing: writing and
// comparing the JSON recurse once per level, and a hostile file must not exhaust the stack.
bool MelkeVnoreni(std::string_view text) {
  constexpr int MaxVnoreni = 16;
  int hloubka = 0;
  bool vTextu = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (vTextu) {
      if (c == '\\') ++i;
      else if (c == '"') vTextu = false;
    } else if (c == '"') {
      vTextu = true;
    } else if (c == '[' || c == '{') {
      if (++hloubka > MaxVnoreni) return false;
    } else if (c == ']' || c == '}') {
      --hloubka;
    }
  }
  return true;
}

}  // namespace

std::string KanonickyText(const json& ulozeni) {
  std::string t;
  Zapis(ulozeni, 0, t);
  t += '\n';
  return t;
}

std::string Otisk(std::string_view data) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : data) {
    h ^= c;
    h *= 1099511628211ull;
  }
  char b[17];
  std::snprintf(b, sizeof b, "%016llx", static_cast<unsigned long long>(h));
  return b;
}

std::string PopisChyby(const VysledekUlozeni& v) {
  switch (v.chyba) {
    case ChybaUlozeni::Zadna: return "saved";
    case ChybaUlozeni::NelzeCist: return "cannot read the save " + v.soubor;
    case ChybaUlozeni::Poskozeny: return "the save is damaged or not a save (" + v.soubor + ")";
    case ChybaUlozeni::JinaVerze:
      return "the save is of another version (" + v.soubor + "); this program reads version " +
             std::to_string(VerzeUlozeni);
    case ChybaUlozeni::ChybiSoubor: return "the station file " + v.soubor + " of the save cannot be read";
    case ChybaUlozeni::ZmenenySoubor:
      return "the station file " + v.soubor + " has changed since the shift was saved";
    case ChybaUlozeni::NelzeZapsat: return "cannot write the save " + v.soubor;
  }
  return "save error";
}

VysledekUlozeni UlozSmenuDoTextu(Stav& s, const CastiBehu& casti, std::string& text) {
  text.clear();
  json stav = Stavu(s, casti);
  const std::string obsah = stav.dump(-1, ' ', false, json::error_handler_t::replace);
  json j;
  j["format"] = FormatUlozeni;
  j["verze"] = VerzeUlozeni;
  j["kontrolniSoucet"] = Otisk(obsah);
  j["stav"] = std::move(stav);
  text = KanonickyText(j);
  return {};
}

VysledekUlozeni NactiSmenuZTextu(Stav& s, CastiBehu& casti, std::string_view text) {
  auto poskozeny = [](std::string co) { return VysledekUlozeni{ChybaUlozeni::Poskozeny, std::move(co)}; };
  if (text.size() > MaxVelikostUlozeni) return poskozeny("too large");
  if (!MelkeVnoreni(text)) return poskozeny("nested too deep");
  const json j = json::parse(text.begin(), text.end(), nullptr, false);
  if (j.is_discarded() || !j.is_object()) return poskozeny("not JSON");
  auto f = j.find("format");
  if (f == j.end() || *f != FormatUlozeni) return poskozeny("not a shift");
  auto v = j.find("verze");
  if (v == j.end() || !v->is_number_integer()) return poskozeny("no version");
  if (*v != VerzeUlozeni) return {ChybaUlozeni::JinaVerze, "version " + v->dump()};
  auto st = j.find("stav");
  auto ks = j.find("kontrolniSoucet");
  if (st == j.end() || ks == j.end() || !st->is_object() || *ks != Otisk(st->dump(-1, ' ', false, json::error_handler_t::replace)))
    return poskozeny("checksum");
  // The file must be exactly as this program writes it: a changed byte that the checksum
  // cannot see (a blank, a digit beyond a number's precision) is damage all the same.
  if (KanonickyText(j) != text) return poskozeny("not as written");
  const json& stav = *st;

  TicheProstredi ticho(*s.prostredi);
  PrazdnePlatno prazdne(s.platno ? s.platno->sirka() : 800, s.platno ? s.platno->vyska() : 540);
  Stav novy;
  novy.platno = &prazdne;
  novy.prostredi = &ticho;
  novy.nastaveni = s.nastaveni;
  novy.jazyk = s.jazyk;
  novy.okno = s.okno;
  AutomatickyDispecer dispecer;
  std::optional<NahodnyDispecer> nahodny;
  KontrolaStavu kontrola;
  std::optional<VirtualniProstredi> hodiny;
  std::string schema;
  std::vector<OperaceKresby> kresba;
  bool maKresbu = false;
  PametCest pamet;
  try {
    // The station files, each as it was when the shift was saved.
    const json& soubory = Pole(stav, "soubory");
    for (const auto& sf : SouboryStanice) {
      const json& z = Pole(soubory, sf.klic);
      const std::string cesta = Text(Pole(z, "cesta"), "files");
      const std::string otisk = Text(Pole(z, "otisk"), "files");
      novy.nastaveni.*sf.cesta = otisk.empty() ? std::string() : cesta;
      if (otisk.empty()) continue;
      std::string obsah;
      if (CtiSoubor(cesta, obsah, s.prostredi) != Nacteni::Precteno)
        return {ChybaUlozeni::ChybiSoubor, cesta};
      if (Otisk(obsah) != otisk) return {ChybaUlozeni::ZmenenySoubor, cesta};
      if (sf.cesta == &Nastaveni::cestaSchema) schema = std::move(obsah);
    }
    novy.nastaveni.cestaJazyk = Text(Pole(Pole(soubory, "jazyk"), "cesta"), "files");
    if (!novy.nastaveni.cestaJazyk.empty()) OtevriLng(novy);
    OtevriStanici(novy);
    for (const auto& sf : SouboryStanice)
      novy.nastaveni.*sf.cesta = Text(Pole(Pole(soubory, sf.klic), "cesta"), "files");

    // The virtual clock first: the run's clock reads it.
    if (casti.hodiny) {
      hodiny.emplace(*casti.hodiny);
      PristupUlozeni::Hodiny(Pole(stav, "virtualniHodiny"), *hodiny);
      novy.prostredi = &*hodiny;
    }
    Hodiny(Pole(stav, "hodiny"), novy, casti.hodiny != nullptr);
    novy.prostredi = &ticho;
    Prvky(Pole(stav, "prvky"), novy);
    Seznamy(Pole(stav, "seznamy"), novy);
    Fronta(Pole(stav, "fronta"), novy);
    Vyber(Pole(stav, "vyber"), novy);
    Okno(Pole(stav, "okno"), novy.okno);
    Skore_(Pole(stav, "skore"), novy.skore);
    maKresbu = Kresba(Pole(stav, "kresba"), kresba);
    if (s.pametCest && stav.contains("pametCest")) Pamet(stav["pametCest"], pamet, Reference{novy});
    if (casti.dispecer) PristupUlozeni::Dispecer(Pole(stav, "dispecer"), dispecer, novy);
    if (casti.nahodny) {
      nahodny.emplace(*casti.nahodny);
      PristupUlozeni::Nahodny(Pole(stav, "nahodny"), *nahodny);
    }
    if (casti.kontrola) PristupUlozeni::Kontrola(Pole(stav, "kontrola"), kontrola);
    if (casti.doplnek) {
      const json& d = Pole(stav, "doplnek");
      if (!d.is_object()) vadne("run");
      *casti.doplnek = d;
    }
  } catch (const Vadne& e) {
    return poskozeny(e.co);
  } catch (const json::exception&) {
    return poskozeny("values");
  } catch (const std::length_error&) {
    return poskozeny("values");
  }

  // Everything read: the running state is replaced.
  novy.platno = s.platno;
  novy.prostredi = s.prostredi;
  novy.pozorovatel = std::move(s.pozorovatel);
  // The caller's memory of paths: the saved one, or empty (what it held was found on the
  // station before).
  novy.pametCest = s.pametCest;
  if (novy.pametCest) *novy.pametCest = std::move(pamet);
  novy.schemaRadek = std::move(s.schemaRadek);
  novy.zpravaOtevrena = s.zpravaOtevrena;
  novy.okno.zavrit = s.okno.zavrit;
  s = std::move(novy);
  if (casti.hodiny) *casti.hodiny = std::move(*hodiny);
  if (casti.dispecer) *casti.dispecer = std::move(dispecer);
  if (casti.nahodny) *casti.nahodny = std::move(*nahodny);
  if (casti.kontrola) *casti.kontrola = std::move(kontrola);
  s.okno.RychlostSimLabel = s.Text(27) + std::to_string(s.RychlostSim);
  s.okno.CetnostVlakuLabel = s.Text(26) + std::to_string(s.CetnostVlaku);
  s.okno.hodiny = TextCasuDne(CasPri(s, s.prostredi->casDne()));
  if (s.platno && maKresbu) Prehraj(s, kresba);
  else if (s.platno) Prekresli(s, schema, ticho);
  return {};
}

VysledekUlozeni UlozSmenu(Stav& s, const CastiBehu& casti, const std::string& cesta) {
  std::string text;
  VysledekUlozeni v = UlozSmenuDoTextu(s, casti, text);
  if (!v) return v;
  if (!ZapisCely(cesta, text)) return {ChybaUlozeni::NelzeZapsat, cesta};
  return {};
}

VysledekUlozeni NactiSmenu(Stav& s, CastiBehu& casti, const std::string& cesta) {
  std::string text;
  if (CtiSoubor(cesta, text) != Nacteni::Precteno) return {ChybaUlozeni::NelzeCist, cesta};
  return NactiSmenuZTextu(s, casti, text);
}

}  // namespace stanovar
