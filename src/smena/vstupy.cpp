#include "smena/vstupy.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "control/cesty.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "traffic/generace.h"

namespace stanovar {

namespace {

struct JmenoKlavesy {
  const char* jmeno;
  int kod;
};
constexpr JmenoKlavesy Klavesy[] = {
    {"F1", KlavesaF1},       {"F2", KlavesaF2},       {"F3", KlavesaF3},
    {"F5", KlavesaF5},       {"A", KlavesaA},         {"N", KlavesaN},
    {"Up", KlavesaNahoru},   {"Down", KlavesaDolu},   {"Left", KlavesaVlevo},
    {"Right", KlavesaVpravo}};
constexpr const char* Tlacitka[] = {"left", "right", "middle", "", "yes", "no", "offer"};

bool Cele(std::string_view t, int& v) {
  const auto [p, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  return ec == std::errc() && p == t.data() + t.size() && !t.empty();
}

// Seconds with at most three decimals, not negative, as whole milliseconds.
bool Milisekundy(std::string_view t, long long& ms) {
  const std::size_t tecka = t.find('.');
  const std::string_view cele = t.substr(0, tecka);
  std::string_view zlomek = tecka == std::string_view::npos ? std::string_view() : t.substr(tecka + 1);
  if (cele.empty() || zlomek.size() > 3 || (tecka != std::string_view::npos && zlomek.empty()))
    return false;
  long long s = 0;
  auto [p, ec] = std::from_chars(cele.data(), cele.data() + cele.size(), s);
  if (ec != std::errc() || p != cele.data() + cele.size() || s < 0 || s > 1'000'000'000'000LL)
    return false;
  long long z = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const char c = i < zlomek.size() ? zlomek[i] : '0';
    if (c < '0' || c > '9') return false;
    z = z * 10 + (c - '0');
  }
  ms = s * 1000 + z;
  return true;
}

}  // namespace

const char* const HlavickaVstupu = "time_s,input,x,y";

std::string CtiVstupy(const std::string& text, std::vector<Vstup>& vstupy) {
  vstupy.clear();
  std::string_view zbytek(text);
  int cislo = 0;
  std::vector<Vstup> v;
  while (!zbytek.empty()) {
    const std::size_t konec = zbytek.find('\n');
    std::string_view radek = zbytek.substr(0, konec);
    zbytek = konec == std::string_view::npos ? std::string_view() : zbytek.substr(konec + 1);
    ++cislo;
    if (!radek.empty() && radek.back() == '\r') radek.remove_suffix(1);
    const std::string kde = "line " + std::to_string(cislo) + ": ";
    if (cislo == 1) {
      if (radek != HlavickaVstupu)
        return kde + "the header must be " + HlavickaVstupu;
      continue;
    }
    if (radek.empty()) continue;
    std::string_view pole[4];
    std::size_t n = 0;
    for (std::string_view r = radek;; ++n) {
      const std::size_t c = r.find(',');
      if (n < 4) pole[n] = r.substr(0, c);
      if (c == std::string_view::npos) break;
      r = r.substr(c + 1);
    }
    if (n != 3) return kde + "four fields are needed: time_s,input,x,y";
    Vstup x;
    if (!Milisekundy(pole[0], x.ms))
      return kde + "time_s must be seconds, not negative, with at most three decimals";
    if (!v.empty() && x.ms < v.back().ms) return kde + "the inputs must come in time order";
    bool znamy = false;
    for (int i = 0; i < 7 && !znamy; ++i)
      if (i != Vstup::Klavesa && pole[1] == Tlacitka[i]) x.druh = static_cast<Vstup::Druh>(i), znamy = true;
    if (!znamy && pole[1].substr(0, 4) == "key:")
      for (const JmenoKlavesy& k : Klavesy)
        if (pole[1].substr(4) == k.jmeno) x.druh = Vstup::Klavesa, x.klavesa = k.kod, znamy = true;
    if (!znamy)
      return kde + "unknown input '" + std::string(pole[1]) +
             "' (left, right, middle, yes, no, offer (x the line track), or key: F1 F2 F3 F5 A N Up Down Left Right)";
    if (!Cele(pole[2], x.x) || !Cele(pole[3], x.y)) return kde + "x and y must be whole numbers";
    v.push_back(x);
  }
  if (cislo == 0) return "line 1: the header must be " + std::string(HlavickaVstupu);
  vstupy.swap(v);
  return {};
}

std::string RadekVstupu(const Vstup& v) {
  std::string druh;
  if (v.druh == Vstup::Klavesa) {
    for (const JmenoKlavesy& k : Klavesy)
      if (k.kod == v.klavesa) druh = std::string("key:") + k.jmeno;
  } else {
    druh = Tlacitka[v.druh];
  }
  char b[96];
  std::snprintf(b, sizeof b, "%lld.%03lld,%s,%d,%d\n", v.ms / 1000, v.ms % 1000, druh.c_str(), v.x,
                v.y);
  return b;
}

void ProvedVstup(Stav& s, const Vstup& v) {
  switch (v.druh) {
    case Vstup::Leve: Image1MouseDown(s, Tlacitko::Leve, v.x, v.y); break;
    case Vstup::Prave: Image1MouseDown(s, Tlacitko::Prave, v.x, v.y); break;
    case Vstup::Prostredni: Image1MouseDown(s, Tlacitko::Prostredni, v.x, v.y); break;
    case Vstup::Klavesa: FormKeyDown(s, v.klavesa, v.x, v.y); break;
    case Vstup::Ano: LabelAnoClick(s); break;
    case Vstup::Ne: LabelNeClick(s); break;
    case Vstup::Nabidka:
      if (const RKolej* k = NajdiKolej(s, v.x)) UkazNabidku(s, *k);
      break;
  }
}

Vstup VstupZOznameni(const Oznameni& o) {
  Vstup v;
  v.x = o.x;
  v.y = o.y;
  switch (o.kod) {
    case VstupLeve: v.druh = Vstup::Leve; break;
    case VstupPrave: v.druh = Vstup::Prave; break;
    case VstupProstredni: v.druh = Vstup::Prostredni; break;
    case VstupAno: v.druh = Vstup::Ano; break;
    case VstupNe: v.druh = Vstup::Ne; break;
    case VstupNabidka: v.druh = Vstup::Nabidka; break;
    default:
      v.druh = Vstup::Klavesa;
      v.klavesa = o.kod - KodKlavesyVstupu;
  }
  return v;
}

void ZaznamVstupu::zacni(double start) {
  start_ = posledni_ = start;
  text_ = std::string(HlavickaVstupu) + "\n";
}

std::string ZaznamVstupu::proved(Stav& s, Vstup v) {
  v.ms = LogovanyCas(SimCas(s), start_);
  // The clock is moved by a shift of its base for each step, and put back after it.
  auto v_case = [&s](double kdy, auto&& krok) {
    const double posun = SimCas(s) - kdy;
    s.SimZaklad -= posun;
    krok();
    s.SimZaklad += posun;
  };
  while (!s.zpravaOtevrena) {
    const RUdalost* u = s.fronta.nejdrivejsi();
    if (!u || !std::isfinite(u->cas) || LogovanyCas(u->cas, start_) > v.ms) break;
    RUdalost e;
    s.fronta.vyjmi(s.fronta.nejdrivejsiHandle(), &e);
    udalost(e.cas);
    v_case(e.cas, [&] { ProvedUdalost(s, e); });
  }
  const double kdy = v.ms > LogovanyCas(posledni_, start_) ? start_ + static_cast<double>(v.ms) / 86400000.0
                                                            : posledni_;
  posledni_ = kdy;
  v_case(kdy, [&] { ProvedVstup(s, v); });
  if (v.druh == Vstup::Klavesa &&
      std::none_of(std::begin(Klavesy), std::end(Klavesy), [&](const JmenoKlavesy& k) { return k.kod == v.klavesa; }))
    return {};
  std::string r = RadekVstupu(v);
  text_ += r;
  return r;
}

long long LogovanyCas(double cas, double start) {
  // Exactly the digits the log prints, so that an input lands where its log line says.
  char b[64];
  std::snprintf(b, sizeof b, "%.3f", (cas - start) * 86400.0);
  std::string t(b);
  const std::size_t tecka = t.find('.');
  if (tecka != std::string::npos) t.erase(tecka, 1);
  return std::strtoll(t.c_str(), nullptr, 10);
}

}  // namespace stanovar
