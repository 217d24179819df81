#include "spojeni/protokol.h"

#include <nlohmann/json.hpp>

#include <boost/archive/iterators/base64_from_binary.hpp>
#include <boost/archive/iterators/binary_from_base64.hpp>
#include <boost/archive/iterators/transform_width.hpp>

#include <cctype>
#include <cmath>

namespace stanovar::spojeni {

using json = nlohmann::json;

namespace {

json Hlavicka(const char* druh) { return {{"v", VerzeProtokolu}, {"type", druh}}; }

std::string Text(const json& j) { return j.dump(-1, ' ', false, json::error_handler_t::replace); }

// The member as a string of at most `max` bytes; false when missing or not one.
bool Retezec(const json& j, const char* jmeno, std::size_t max, std::string& v, bool nutny = true) {
  const auto it = j.find(jmeno);
  if (it == j.end()) return !nutny;
  if (!it->is_string() || it->get_ref<const std::string&>().size() > max) return false;
  v = it->get<std::string>();
  return true;
}

bool Cele(const json& j, const char* jmeno, long long min, long long max, long long& v) {
  const auto it = j.find(jmeno);
  if (it == j.end() || !it->is_number_integer()) return false;
  const long long x = it->is_number_unsigned() && it->get<unsigned long long>() > static_cast<unsigned long long>(max)
                          ? max + 1
                          : it->get<long long>();
  if (x < min || x > max) return false;
  v = x;
  return true;
}

bool Vstup1(const json& j, Vstup& v) {
  if (!j.is_object()) return false;
  std::string druh;
  if (!Retezec(j, "in", 16, druh)) return false;
  static const std::pair<const char*, Vstup::Druh> druhy[] = {
      {"left", Vstup::Leve}, {"right", Vstup::Prave}, {"middle", Vstup::Prostredni},
      {"key", Vstup::Klavesa}, {"yes", Vstup::Ano}, {"no", Vstup::Ne}, {"offer", Vstup::Nabidka}};
  bool znamy = false;
  for (const auto& [t, d] : druhy)
    if (druh == t) v.druh = d, znamy = true;
  if (!znamy) return false;
  if (v.druh == Vstup::Ano || v.druh == Vstup::Ne) return j.size() == 1;
  if (v.druh == Vstup::Nabidka) {
    long long k = 0;
    if (!Cele(j, "track", 0, 1'000'000'000, k)) return false;
    v.x = static_cast<int>(k);
    return j.size() == 2;
  }
  long long x = 0, y = 0;
  if (!Cele(j, "x", -MaxSouradnice, MaxSouradnice, x) || !Cele(j, "y", -MaxSouradnice, MaxSouradnice, y))
    return false;
  v.x = static_cast<int>(x);
  v.y = static_cast<int>(y);
  if (v.druh == Vstup::Klavesa) {
    long long k = 0;
    // Virtual-key codes; a key without a command does nothing at the station.
    if (!Cele(j, "key", 1, 255, k)) return false;
    v.klavesa = static_cast<int>(k);
    return j.size() == 4;
  }
  return j.size() == 3;
}

json VstupJson(const Vstup& v) {
  static const char* const jmena[] = {"left", "right", "middle", "key", "yes", "no", "offer"};
  json j = {{"in", jmena[v.druh]}};
  if (v.druh == Vstup::Ano || v.druh == Vstup::Ne) return j;
  if (v.druh == Vstup::Nabidka) {
    j["track"] = v.x;
    return j;
  }
  j["x"] = v.x;
  j["y"] = v.y;
  if (v.druh == Vstup::Klavesa) j["key"] = v.klavesa;
  return j;
}

// File contents travel as base64: they are windows-1250 bytes, not JSON's UTF-8.
std::string NaBase64(const std::string& b) {
  using namespace boost::archive::iterators;
  using Iter = base64_from_binary<transform_width<std::string::const_iterator, 6, 8>>;
  std::string t(Iter(b.begin()), Iter(b.end()));
  t.append((3 - b.size() % 3) % 3, '=');
  return t;
}

bool ZBase64(std::string t, std::string& b) {
  using namespace boost::archive::iterators;
  using Iter = transform_width<binary_from_base64<std::string::const_iterator>, 8, 6>;
  if (t.size() % 4) return false;
  std::size_t doplneno = 0;
  while (doplneno < 2 && doplneno < t.size() && t[t.size() - 1 - doplneno] == '=') ++doplneno;
  for (std::size_t i = 0; i < doplneno; ++i) t[t.size() - 1 - i] = 'A';
  for (char c : t)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '/')) return false;
  try {
    b.assign(Iter(t.begin()), Iter(t.end()));
  } catch (const std::exception&) {
    return false;
  }
  if (b.size() < doplneno) return false;
  b.resize(b.size() - doplneno);
  return true;
}

// Parses the object and checks its version; the kind in `druh`.
bool Objekt(std::string_view text, json& j, std::string& druh, std::string& chyba) {
  j = json::parse(text.begin(), text.end(), nullptr, false);
  if (j.is_discarded() || !j.is_object()) {
    chyba = "not a JSON object";
    return false;
  }
  long long v = 0;
  if (!Cele(j, "v", 0, 1'000'000, v) || v != VerzeProtokolu) {
    chyba = "not of protocol version " + std::to_string(VerzeProtokolu);
    return false;
  }
  if (!Retezec(j, "type", 32, druh)) {
    chyba = "no type";
    return false;
  }
  return true;
}

}  // namespace

bool CtiZpravuKlienta(std::string_view text, ZpravaKlienta& z, std::string& chyba) {
  z = {};
  json j;
  std::string druh;
  if (!Objekt(text, j, druh, chyba)) return false;
  if (druh == "join") {
    z.druh = ZpravaKlienta::Pripojit;
    std::string role = "player";
    if (!Retezec(j, "role", 16, role, false) || (role != "player" && role != "observer")) {
      chyba = "role must be player or observer";
      return false;
    }
    z.pozorovatel = role == "observer";
    if (!Retezec(j, "token", MaxTokenu, z.token, false)) {
      chyba = "bad token";
      return false;
    }
    if (!z.pozorovatel && (!Retezec(j, "station", MaxJmena, z.stanice) || z.stanice.empty())) {
      chyba = "a player names its station";
      return false;
    }
    if (!Retezec(j, "dispatcher", 16, z.dispecer, false) ||
        (z.dispecer != "auto" && z.dispecer != "random" && z.dispecer != "person")) {
      chyba = "dispatcher must be auto, random or person";
      return false;
    }
    return true;
  }
  if (druh == "inputs") {
    z.druh = ZpravaKlienta::Vstupy;
    if (!Cele(j, "step", 0, 1LL << 50, z.krok)) {
      chyba = "bad step";
      return false;
    }
    const auto it = j.find("inputs");
    if (it == j.end() || !it->is_array() || it->size() > MaxVstupuZpravy) {
      chyba = "inputs must be an array of at most " + std::to_string(MaxVstupuZpravy);
      return false;
    }
    for (const json& x : *it) {
      Vstup v;
      if (!Vstup1(x, v)) {
        chyba = "a malformed input";
        z.vstupy.clear();
        return false;
      }
      z.vstupy.push_back(v);
    }
    return true;
  }
  if (druh == "leave") {
    z.druh = ZpravaKlienta::Odejit;
    return true;
  }
  if (druh == "speed") {
    z.druh = ZpravaKlienta::Rychlost;
    long long r = 0;
    if (!Cele(j, "speed", 0, 6, r)) {
      chyba = "speed must be 0 to 6";
      return false;
    }
    z.rychlost = static_cast<int>(r);
    if (!Retezec(j, "key", MaxTokenu, z.klic)) {
      chyba = "bad key";
      return false;
    }
    return true;
  }
  chyba = "unknown type";
  return false;
}

std::string ZpravaPripojeni(const std::string& stanice, const std::string& token, const std::string& dispecer) {
  json j = Hlavicka("join");
  j["role"] = "player";
  j["station"] = stanice;
  if (!token.empty()) j["token"] = token;
  j["dispatcher"] = dispecer;
  return Text(j);
}

std::string ZpravaPozorovatele(const std::string& token) {
  json j = Hlavicka("join");
  j["role"] = "observer";
  if (!token.empty()) j["token"] = token;
  return Text(j);
}

std::string ZpravaVstupu(long long krok, const std::vector<Vstup>& vstupy) {
  json j = Hlavicka("inputs");
  j["step"] = krok;
  j["inputs"] = json::array();
  for (const Vstup& v : vstupy) j["inputs"].push_back(VstupJson(v));
  return Text(j);
}

std::string ZpravaOdejit() { return Text(Hlavicka("leave")); }

std::string ZpravaRychlosti(int rychlost, const std::string& klic) {
  json j = Hlavicka("speed");
  j["speed"] = rychlost;
  j["key"] = klic;
  return Text(j);
}

namespace {

bool Jmena(const json& j, const char* jmeno, std::vector<std::string>& v) {
  const auto it = j.find(jmeno);
  if (it == j.end()) return true;
  if (!it->is_array()) return false;
  for (const json& x : *it) {
    if (!x.is_string()) return false;
    v.push_back(x.get<std::string>());
  }
  return true;
}

}  // namespace

bool CtiZpravuHostitele(std::string_view text, ZpravaHostitele& z, std::string& chyba) {
  z = {};
  json j;
  std::string druh;
  if (!Objekt(text, j, druh, chyba)) return false;
  const auto spatne = [&](const char* co) {
    chyba = std::string("bad ") + co;
    return false;
  };
  if (druh == "welcome") {
    z.druh = ZpravaHostitele::Vitej;
    if (!Retezec(j, "station", MaxJmena, z.stanice, false)) return spatne("station");
    const auto it = j.find("stations");
    if (it == j.end() || !it->is_array()) return spatne("stations");
    for (const json& x : *it) {
      if (!x.is_string()) return spatne("stations");
      z.stanice_.push_back(x.get<std::string>());
    }
    const auto l = j.find("lockstep");
    if (l == j.end() || !l->is_boolean()) return spatne("lockstep");
    z.lockstep = l->get<bool>();
    if (!Retezec(j, "save", MaxZpravyKlienta, z.ulozeni, false)) return spatne("save");
    if (const auto p = j.find("linked"); p != j.end()) {
      if (!p->is_array()) return spatne("linked");
      for (const json& x : *p) {
        if (!x.is_number_integer()) return spatne("linked");
        z.propojene.push_back(x.get<int>());
      }
    }
    if (!Jmena(j, "free", z.volne)) return spatne("free");
    if (const auto f = j.find("files"); f != j.end()) {
      if (!f->is_array()) return spatne("files");
      for (const json& x : *f) {
        std::string cesta, data, obsah;
        if (!x.is_object() || !Retezec(x, "path", 4096, cesta) || !Retezec(x, "data", MaxZpravyKlienta, data) ||
            !ZBase64(data, obsah))
          return spatne("files");
        z.soubory.emplace_back(std::move(cesta), std::move(obsah));
      }
    }
    return true;
  }
  if (druh == "given") {
    z.druh = ZpravaHostitele::Dano;
    if (!Cele(j, "step", 0, 1LL << 50, z.krok)) return spatne("step");
    return true;
  }
  if (druh == "clock") {
    z.druh = ZpravaHostitele::Hodiny;
    const auto t = j.find("t");
    if (t == j.end() || !t->is_number() || !std::isfinite(t->get<double>())) return spatne("t");
    z.cas = t->get<double>();
    const auto r = j.find("speed");
    if (r == j.end() || !r->is_number() || !(r->get<double>() >= 0) || !std::isfinite(r->get<double>()))
      return spatne("speed");
    z.rychlost = r->get<double>();
    if (!Jmena(j, "played", z.volne)) return spatne("played");
    return true;
  }
  if (druh == "step") {
    z.druh = ZpravaHostitele::Krok;
    const auto t = j.find("t");
    const auto r = j.find("run");
    const auto p = j.find("look");
    const auto m = j.find("move");
    if (!Cele(j, "step", 0, 1LL << 50, z.krok)) return spatne("step");
    if (t == j.end() || !t->is_number() || !std::isfinite(t->get<double>())) return spatne("t");
    if (r == j.end() || !r->is_boolean() || p == j.end() || !p->is_boolean() || m == j.end() || !m->is_boolean())
      return spatne("run, move or look");
    z.posun = m->get<bool>();
    z.cas = t->get<double>();
    z.udalosti = r->get<bool>();
    z.pohled = p->get<bool>();
    if (!Retezec(j, "save", MaxZpravyKlienta, z.ulozeni, false)) return spatne("save");
    return true;
  }
  const std::pair<const char*, ZpravaHostitele::Druh> duvody[] = {
      {"refused", ZpravaHostitele::Odmitnuto}, {"end", ZpravaHostitele::Konec}, {"error", ZpravaHostitele::Chyba}};
  for (const auto& [t, d] : duvody)
    if (druh == t) {
      z.druh = d;
      if (!Retezec(j, "reason", 1024, z.duvod)) return spatne("reason");
      return true;
    }
  if (druh == "events") {
    z.druh = ZpravaHostitele::Deni;
    Retezec(j, "station", MaxJmena, z.stanice, false);
    return true;
  }
  chyba = "unknown type";
  return false;
}

std::string ZpravaVitej(const std::string& stanice, const std::vector<std::string>& vsechny, bool lockstep,
                        const std::string& ulozeni, const std::vector<int>& propojene,
                        const std::vector<std::string>& volne,
                        const std::vector<std::pair<std::string, std::string>>& soubory) {
  json j = Hlavicka("welcome");
  if (!stanice.empty()) j["station"] = stanice;
  j["stations"] = vsechny;
  j["lockstep"] = lockstep;
  if (!ulozeni.empty()) j["save"] = ulozeni;
  if (!propojene.empty()) j["linked"] = propojene;
  j["free"] = volne;
  if (!soubory.empty()) {
    json f = json::array();
    for (const auto& [cesta, obsah] : soubory) f.push_back({{"path", cesta}, {"data", NaBase64(obsah)}});
    j["files"] = std::move(f);
  }
  return Text(j);
}

std::string ZpravaDano(long long krok) {
  json j = Hlavicka("given");
  j["step"] = krok;
  return Text(j);
}

std::string ZpravaHodin(double cas, double rychlost, const std::vector<std::string>& hraji) {
  json j = Hlavicka("clock");
  j["t"] = cas;
  j["speed"] = rychlost;
  j["played"] = hraji;
  return Text(j);
}

std::string ZpravaOdmitnuto(const std::string& duvod) {
  json j = Hlavicka("refused");
  j["reason"] = duvod;
  return Text(j);
}

std::string ZpravaKroku(long long krok, double cas, bool udalosti, bool posun, bool pohled,
                        const std::string* ulozeni) {
  json j = Hlavicka("step");
  j["step"] = krok;
  j["t"] = cas;
  j["run"] = udalosti;
  j["move"] = posun;
  j["look"] = pohled;
  if (ulozeni) j["save"] = *ulozeni;
  return Text(j);
}

std::string ZpravaKonce(const std::string& duvod) {
  json j = Hlavicka("end");
  j["reason"] = duvod;
  return Text(j);
}

std::string ZpravaChyby(const std::string& duvod) {
  json j = Hlavicka("error");
  j["reason"] = duvod;
  return Text(j);
}

}  // namespace stanovar::spojeni
