#include "sim/sit_beh.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "jadro.h"
#include "model/kodovani.h"
#include "smena/smena.h"

namespace stanovar {

using json = nlohmann::json;
namespace fs = std::filesystem;

namespace {

// Each station's generator and careless dispatcher draw their own numbers.
std::uint32_t SeedStanice(std::uint32_t seed, std::size_t i) {
  return seed + static_cast<std::uint32_t>(i) * 7919u;
}

std::vector<std::string> Propojene(const PopisSite& p, const std::string& stanice) {
  std::vector<std::string> v;
  for (const SpojeniSite& s : p.spojeni)
    for (const KonecSpojeni* k : {&s.a, &s.b})
      if (k->stanice == stanice) v.push_back(k->trat);
  return v;
}

}  // namespace

bool NastavDispecera(VolbyBehu& v, const std::string& jmeno) {
  if (jmeno != "auto" && jmeno != "simple" && jmeno != "random" && jmeno != "none") return false;
  v.dispecer = jmeno != "none";
  v.jednoduchy = jmeno == "simple";
  v.nahodny = jmeno == "random";
  return true;
}

std::string BehSite::nacti(const std::string& soubor) {
  std::string chyba;
  if (!CtiSit(soubor, popis_, chyba)) return chyba;
  for (const auto& dispecer : dispeceri) {
    const std::string& jmeno = dispecer.first;
    if (std::none_of(popis_.stanice.begin(), popis_.stanice.end(),
                     [&](const StaniceSite& s) { return s.jmeno == jmeno; }))
      return "no station " + jmeno + " in the network";
  }
  behy_.clear();
  for (std::size_t i = 0; i < popis_.stanice.size(); ++i) {
    VolbyBehu v = volby_;
    v.stanice = popis_.stanice[i].cesta;
    v.schema = v.grafikon = v.lokomotivy = v.jazyk = {};
    v.seed = SeedStanice(volby_.seed, i);
    v.propojene = Propojene(popis_, popis_.stanice[i].jmeno);
    if (auto d = dispeceri.find(popis_.stanice[i].jmeno); d != dispeceri.end()) {
      if (!NastavDispecera(v, d->second)) return "unknown dispatcher " + d->second + " for station " + d->first;
    }
    auto b = std::make_unique<Beh>(v);
    if (std::string c = b->nacti(); !c.empty()) return "station " + popis_.stanice[i].jmeno + ": " + c;
    behy_.push_back(std::move(b));
  }
  return propoj();
}

std::string BehSite::propoj() {
  std::vector<Stav*> stavy;
  for (auto& b : behy_) stavy.push_back(&b->stav());
  std::string chyba;
  if (!sit_.propoj(popis_, stavy, volby_.seed, chyba)) return chyba;
  if (volby_.kontrola)
    for (auto& b : behy_) b->dalsiKontrola = [this] { return sit_.over(); };
  return {};
}

bool BehSite::JeUlozeniSite(const std::string& text) {
  return text.find(std::string("\"format\": \"") + FormatUlozeniSite + "\"") != std::string::npos;
}

std::string BehSite::uloz() const {
  json stanice = json::array();
  for (std::size_t i = 0; i < behy_.size(); ++i)
    stanice.push_back({{"jmeno", popis_.stanice[i].jmeno}, {"ulozeni", behy_[i]->snimek()}});
  json stav = {{"sit", popis_.soubor}, {"stanice", stanice}, {"trate", sit_.uloz()}};
  json j;
  j["format"] = FormatUlozeniSite;
  j["verze"] = 1;
  j["kontrolniSoucet"] = Otisk(stav.dump(-1, ' ', false, json::error_handler_t::replace));
  j["stav"] = std::move(stav);
  return KanonickyText(j);
}

std::string BehSite::obnov(const std::string& text, bool dispecerZadan) {
  const json j = json::parse(text, nullptr, false);
  const auto poskozeny = [] { return std::string("the network's save is damaged or not a save"); };
  if (j.is_discarded() || !j.is_object() || j.value("format", std::string()) != FormatUlozeniSite ||
      !j.contains("stav") || !j["stav"].is_object())
    return poskozeny();
  if (j.value("verze", 0) != 1) return "the network's save is of another version";
  const json& stav = j["stav"];
  if (j.value("kontrolniSoucet", std::string()) !=
          Otisk(stav.dump(-1, ' ', false, json::error_handler_t::replace)) ||
      KanonickyText(j) != text)
    return poskozeny();
  std::string chyba;
  if (!stav.contains("sit") || !stav["sit"].is_string() || !CtiSit(stav["sit"].get<std::string>(), popis_, chyba))
    return chyba.empty() ? poskozeny() : chyba;
  if (!stav.contains("stanice") || !stav["stanice"].is_array() || stav["stanice"].size() != popis_.stanice.size())
    return "the network's save does not fit its network file";
  behy_.clear();
  for (std::size_t i = 0; i < popis_.stanice.size(); ++i) {
    const json& x = stav["stanice"][i];
    if (!x.is_object() || x.value("jmeno", std::string()) != popis_.stanice[i].jmeno ||
        !x.contains("ulozeni") || !x["ulozeni"].is_string())
      return "the network's save does not fit its network file";
    VolbyBehu v = volby_;
    v.stanice.clear();
    v.propojene = Propojene(popis_, popis_.stanice[i].jmeno);
    auto b = std::make_unique<Beh>(v);
    if (std::string c = b->obnovZTextu(x["ulozeni"].get<std::string>(), dispecerZadan); !c.empty())
      return "station " + popis_.stanice[i].jmeno + ": " + c;
    behy_.push_back(std::move(b));
  }
  // The options of the save's stations rule, as for one station.
  volby_.kontrola = volby_.kontrola || behy_.front()->volby().kontrola;
  if (std::string c = propoj(); !c.empty()) return c;
  if (!stav.contains("trate") || !sit_.obnov(stav["trate"], chyba)) return chyba.empty() ? poskozeny() : chyba;
  return {};
}

bool BehSite::spust(const std::string& slozkaZaznamu, std::string& chyba) {
  std::vector<std::ofstream> soubory(behy_.size());
  if (!slozkaZaznamu.empty()) {
    std::error_code ec;
    fs::create_directories(slozkaZaznamu, ec);
    for (std::size_t i = 0; i < behy_.size(); ++i) {
      const fs::path p = fs::path(slozkaZaznamu) / (popis_.stanice[i].jmeno + ".csv");
      soubory[i].open(p, std::ios::binary | std::ios::trunc);
      if (!soubory[i]) {
        chyba = "cannot write log file " + p.string();
        return false;
      }
    }
  }
  bool ok = true;
  const std::size_t n = behy_.size();
  UcastniciSite* const u = ucastnici;
  // Players take their stations before the first look.
  std::vector<char> vstupyMezi(n, 0);
  if (u && !u->predKrokem(SimCas(behy_.front()->stav()), vstupyMezi)) ok = false;
  for (std::size_t i = 0; i < n; ++i)
    ok = behy_[i]->zacni(soubory[i].is_open() ? &soubory[i] : nullptr) && ok;
  if (u && ok) {
    // The first look of the remote stations, as zacni gave the others theirs.
    const std::vector<char> ne(n, 0), ano(n, 1);
    u->krok(SimCas(behy_.front()->stav()), ne, ne, ne, ano);
    for (std::size_t i = 0; i < n && ok; ++i)
      if (u->jinde(i)) ok = behy_[i]->pouzijVstupy(u->vstupy(i));
  }
  std::vector<char> linky(n, 0);
  const double konec = behy_.front()->konecBehu();
  std::vector<double> dalsi(behy_.size());
  // A station's next event is asked again only after something happened there: its queue
  // changes under nobody else.
  std::vector<char> znamy(behy_.size(), 0);
  std::vector<char> zmena(behy_.size());
  // Whether anything happened at a station since the lines last acted: its own events, or its
  // look at the end of the step before (every station looked as the run began).
  std::vector<char> podival(behy_.size(), 1), zmenene(behy_.size());
  while (ok) {
    // The earliest thing due anywhere; an event whose time is not a number is due at once.
    double cas = sit_.dalsiCas();
    for (std::size_t i = 0; i < behy_.size(); ++i) {
      if (!znamy[i]) {
        double t = behy_[i]->dalsiUdalost();
        if (std::isnan(t)) t = -std::numeric_limits<double>::infinity();
        dalsi[i] = t;
        znamy[i] = 1;
      }
      cas = std::min(cas, dalsi[i]);
    }
    if (cas > konec) break;
    if (u) {
      std::fill(vstupyMezi.begin(), vstupyMezi.end(), 0);
      if (!u->predKrokem(cas, vstupyMezi)) break;
      // Inputs given between the steps may have queued events sooner than this step.
      if (std::find(vstupyMezi.begin(), vstupyMezi.end(), 1) != vstupyMezi.end()) {
        for (std::size_t i = 0; i < n; ++i)
          if (vstupyMezi[i]) {
            znamy[i] = 0;
            podival[i] = 1;
            ok = behy_[i]->zkontrolujNyni() && ok;
          }
        continue;
      }
    }
    // In the order of the file: each station's events due by then (every clock moved on to
    // then), then the lines.
    // A station with nothing due keeps its clock where it was until something happens there.
    for (std::size_t i = 0; i < behy_.size() && ok; ++i) {
      zmena[i] = !(dalsi[i] > cas);
      if (zmena[i]) {
        ok = behy_[i]->provedDo(cas);
        znamy[i] = 0;
      }
    }
    if (!ok) break;
    for (std::size_t i = 0; i < behy_.size(); ++i) zmenene[i] = zmena[i] || podival[i];
    if (u) std::fill(linky.begin(), linky.end(), 0);
    const std::vector<char>& dotcene = sit_.zpracuj(
        cas,
        [&](std::size_t i) {
          behy_[i]->posunNa(cas);
          znamy[i] = 0;
          linky[i] = 1;
        },
        &zmenene);
    // A station looks again after its own events, or a train the line brought it: as on its
    // own, it looks when something happened there.
    for (std::size_t i = 0; i < n; ++i) podival[i] = zmena[i] || dotcene[i];
    if (u) u->krok(cas, zmena, linky, dotcene, podival);
    // A remote station's player has looked at it: its inputs, in the same order.
    for (std::size_t i = 0; i < n && ok; ++i) {
      if (!podival[i]) continue;
      ok = u && u->jinde(i) ? behy_[i]->pouzijVstupy(u->vstupy(i)) : behy_[i]->podivejSe();
      znamy[i] = 0;
    }
  }
  for (auto& b : behy_) b->skonci(ok);
  if (volby_.snimek) snimek_ = uloz();
  for (auto& f : soubory)
    if (f.is_open()) {
      f.close();
      if (!f) {
        chyba = "writing a log file failed";
        return false;
      }
    }
  return ok;
}

std::string BehSite::poruseni() const {
  for (std::size_t i = 0; i < behy_.size(); ++i)
    if (!behy_[i]->souhrn().poruseni.empty())
      return "station " + popis_.stanice[i].jmeno + ", " + behy_[i]->souhrn().poruseni;
  return {};
}

std::string BehSite::souhrnJson() const {
  std::string t = "{\n  \"network\": " + json(popis_.soubor).dump() + ",\n  \"stations\": [\n";
  for (std::size_t i = 0; i < behy_.size(); ++i) {
    std::string s = SouhrnJson(*behy_[i]);
    // Each station's own summary, indented one level, named.
    std::string odsazene;
    for (char c : s) {
      odsazene += c;
      if (c == '\n') odsazene += "    ";
    }
    while (!odsazene.empty() && (odsazene.back() == ' ' || odsazene.back() == '\n')) odsazene.pop_back();
    t += "    {\"name\": " + json(popis_.stanice[i].jmeno).dump() + ", \"summary\": " + odsazene + "}" +
         (i + 1 < behy_.size() ? ",\n" : "\n");
  }
  t += "  ],\n  \"links\": [\n";
  const std::vector<SouhrnSmeru> smery = sit_.souhrn();
  for (std::size_t i = 0; i < smery.size(); ++i) {
    const SouhrnSmeru& m = smery[i];
    t += "    {\"from\": " + json(m.z).dump() + ", \"to\": " + json(m.k).dump() +
         ", \"sent\": " + std::to_string(m.odeslano) + ", \"received\": " + std::to_string(m.prijato) +
         ", \"sent_on\": " + std::to_string(m.odkloneno) +
         ", \"on_line\": " + std::to_string(m.naTrati) + "}" + (i + 1 < smery.size() ? ",\n" : "\n");
  }
  return t + "  ]\n}\n";
}

std::string BehSite::souhrnText() const {
  std::string t = "network             " + popis_.soubor + "\n";
  for (std::size_t i = 0; i < behy_.size(); ++i) t += "\n" + popis_.stanice[i].jmeno + "\n" + SouhrnText(*behy_[i]);
  t += "\nlines\n";
  for (const SouhrnSmeru& m : sit_.souhrn())
    t += "  " + m.z + " -> " + m.k + ": sent " + std::to_string(m.odeslano) + ", received " +
         std::to_string(m.prijato) + ", sent on elsewhere " + std::to_string(m.odkloneno) +
         ", on the line " + std::to_string(m.naTrati) + "\n";
  return t;
}

}  // namespace stanovar
