#include "sim/hostitel.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <chrono>
#include <thread>

#include "spojeni/spojeni.h"

namespace stanovar {

using json = nlohmann::json;
using namespace spojeni;

namespace {

double Stena() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// A player who lets this much pile up unread is too slow: it goes, so the others never wait.
constexpr std::size_t MaxNeprectenych = 32u << 20;
constexpr std::size_t MaxKlientu = 64;

}  // namespace

Hostitel::Hostitel(BehSite& sit, VolbyHostitele volby, std::ostream& hlaseni)
    : sit_(sit), volby_(std::move(volby)), hlaseni_(hlaseni), server_(std::make_unique<Server>()),
      hraci_(sit.behy().size(), 0), znovu_(sit.behy().size(), 0), deni_(sit.behy().size()) {
  // Observers hear every station's events and routes, gathered over a step.
  for (std::size_t i = 0; i < sit_.behy().size(); ++i)
    sit_.behy()[i]->stav().posluchaci.poslouchej([this, i](Stav&, const Oznameni& o) {
      if (pozorovatelu_ == 0) return;
      if (o.druh == DruhOznameni::Udalost) {
        const RUdalost& u = *o.udalost;
        deni_[i].udalosti.push_back({(o.cas - zacatekSim_) * 86400.0, static_cast<int>(u.druh), u.vlak, u.prvek,
                                     u.hodnota1, u.hodnota2});
      } else if (o.druh == DruhOznameni::CestaPostavena || o.druh == DruhOznameni::CestaUlozena ||
                 o.druh == DruhOznameni::CestaZrusena) {
        deni_[i].cesty.push_back({o.prvek, o.druh == DruhOznameni::CestaPostavena ? "set"
                                           : o.druh == DruhOznameni::CestaUlozena ? "stored"
                                                                                    : "cancelled"});
      }
    });
}

Hostitel::~Hostitel() = default;

std::string Hostitel::poslouchej() { return server_->poslouchej(volby_.adresa, volby_.port); }
std::uint16_t Hostitel::port() const { return server_->port(); }

void Hostitel::obsluz(int ms) {
  for (const UdalostServeru& u : server_->obsluz(ms)) {
    switch (u.druh) {
      case UdalostServeru::Pripojen:
        // A host is for a few players and observers: beyond that a connection is not kept.
        if (klienti_.size() >= MaxKlientu) server_->zavri(u.spojeni, true);
        else klienti_[u.spojeni];
        break;
      case UdalostServeru::Zprava: zprava(u.spojeni, u.text); break;
      case UdalostServeru::Odpojen: odpoj(u.spojeni, u.text); break;
    }
  }
  if (volby_.zastavit && *volby_.zastavit) zastavit_ = true;
}

void Hostitel::zprava(int spojeni, const std::string& text) {
  auto it = klienti_.find(spojeni);
  if (it == klienti_.end()) return;
  Klient& k = it->second;
  ZpravaKlienta z;
  std::string chyba;
  if (!CtiZpravuKlienta(text, z, chyba)) {
    // Refused without effect. Before it joined, a client that does not speak the protocol
    // is not kept.
    if (!k.pripojen) {
      server_->posli(spojeni, ZpravaOdmitnuto("not a message of this protocol: " + chyba));
      server_->zavri(spojeni);
      klienti_.erase(it);
    } else {
      server_->posli(spojeni, ZpravaChyby("message refused: " + chyba));
    }
    return;
  }
  switch (z.druh) {
    case ZpravaKlienta::Pripojit:
      if (k.pripojen) {
        server_->posli(spojeni, ZpravaChyby("joined already: one station per player"));
        return;
      }
      // Players take their stations between the steps, never inside one.
      if (vKroku_) cekajici_.emplace_back(spojeni, text);
      else pripoj(spojeni, z);
      return;
    case ZpravaKlienta::Odejit:
      odpoj(spojeni, "left");
      server_->zavri(spojeni);
      return;
    case ZpravaKlienta::Rychlost:
      if (!k.pripojen || volby_.klic.empty() || z.klic != volby_.klic || volby_.lockstep) {
        server_->posli(spojeni, ZpravaChyby("only the host sets the clock's speed"));
        return;
      }
      zmenRychlost(z.rychlost);
      return;
    case ZpravaKlienta::Vstupy: {
      if (!k.pripojen || k.pozorovatel) {
        server_->posli(spojeni, ZpravaChyby("only a player's inputs are taken"));
        return;
      }
      // In lockstep only the answer to the step its station looked at last. In real time a
      // person acts whenever they like: inputs made at any step sent to the player, never
      // going back before what it answered already (later steps than sent do not exist yet).
      const bool tento = z.krok == k.ceka;
      const bool prijato = volby_.lockstep ? tento : z.krok >= std::max(k.odpovezeno, 0LL) && z.krok <= k.posledni;
      if (!prijato) {
        server_->posli(spojeni, ZpravaChyby("inputs for a step not awaited"));
        return;
      }
      k.odpovezeno = z.krok;
      if (tento) k.ceka = -1;
      k.pozde = k.pozde || z.krok < k.posledni;
      k.vstupy.insert(k.vstupy.end(), z.vstupy.begin(), z.vstupy.end());
      return;
    }
  }
}

void Hostitel::pripoj(int spojeni, const ZpravaKlienta& z) {
  auto it = klienti_.find(spojeni);
  if (it == klienti_.end()) return;
  // A second join queued behind the first.
  if (it->second.pripojen) {
    server_->posli(spojeni, ZpravaChyby("joined already: one station per player"));
    return;
  }
  const auto odmitni = [&](const std::string& proc) {
    server_->posli(spojeni, ZpravaOdmitnuto(proc));
    server_->zavri(spojeni);
    klienti_.erase(spojeni);
  };
  if (!volby_.token.empty() && z.token != volby_.token) return odmitni("wrong token");
  std::vector<std::string> jmena;
  for (const StaniceSite& s : sit_.popis().stanice) jmena.push_back(s.jmeno);
  Klient& k = it->second;
  std::vector<std::string> volne;
  for (std::size_t i = 0; i < jmena.size(); ++i)
    if (!hraci_[i]) volne.push_back(jmena[i]);
  if (z.pozorovatel) {
    k.pripojen = k.pozorovatel = true;
    ++pozorovatelu_;
    server_->posli(spojeni, ZpravaVitej({}, jmena, volby_.lockstep, {}, {}, volne));
    if (zacalo_) server_->posli(spojeni, ZpravaHodin(simTed(), volby_.rychlost, {}));
    return;
  }
  const auto s = std::find(jmena.begin(), jmena.end(), z.stanice);
  if (s == jmena.end()) return odmitni("no station " + z.stanice + " in the network");
  const std::size_t i = static_cast<std::size_t>(s - jmena.begin());
  if (hraci_[i]) return odmitni("station " + z.stanice + " is played already");
  k.pripojen = true;
  k.stanice = i;
  hraci_[i] = spojeni;
  Beh& b = *sit_.behy()[i];
  b.hranaJinde(true, z.dispecer == "auto");
  // The save does not say which line ends the network links: the player's copy must not
  // make up trains of its own there.
  std::vector<int> propojene;
  for (const RSoused& so : b.stav().Sousede)
    if (so.propojeny) propojene.push_back(so.id);
  std::erase(volne, z.stanice);
  // The station's files go along: the player's machine need not have them.
  std::vector<std::pair<std::string, std::string>> soubory;
  const Nastaveni& n = b.stav().nastaveni;
  for (const std::string* c : {&n.cestaSchema, &n.cestaGvd, &n.cestaLoko}) {
    if (c->empty()) continue;
    std::ifstream f(*c, std::ios::binary);
    std::ostringstream obsah;
    obsah << f.rdbuf();
    if (f) soubory.emplace_back(*c, obsah.str());
  }
  server_->posli(spojeni, ZpravaVitej(z.stanice, jmena, volby_.lockstep, b.uloz(), propojene, volne, soubory));
  // The step the station stands at: inputs made on the copy as sent refer to it.
  k.posledni = krok_;
  hlaseni_ << "player joined " << z.stanice << " (" << z.dispecer << ")\n";
  hlaseni_.flush();
  if (zacalo_) posliHodiny();
}

void Hostitel::odpoj(int spojeni, const std::string& proc) {
  auto it = klienti_.find(spojeni);
  if (it == klienti_.end()) return;
  const Klient k = it->second;
  klienti_.erase(it);
  std::erase_if(cekajici_, [&](const auto& p) { return p.first == spojeni; });
  if (k.pozorovatel) --pozorovatelu_;
  if (!k.pripojen || k.pozorovatel) return;
  // The automatic dispatcher takes the station over at once, as it stands.
  hraci_[k.stanice] = 0;
  sit_.behy()[k.stanice]->hranaJinde(false, true);
  hlaseni_ << "player of " << sit_.popis().stanice[k.stanice].jmeno << " went (" << proc
           << "): the automatic dispatcher took over\n";
  hlaseni_.flush();
  if (zacalo_) posliHodiny();
}

bool Hostitel::predKrokem(double cas, std::vector<char>& zmenene) {
  const auto pridejCekajici = [this] {
    auto c = std::move(cekajici_);
    cekajici_.clear();
    for (const auto& [spojeni, text] : c) {
      ZpravaKlienta z;
      std::string chyba;
      if (CtiZpravuKlienta(text, z, chyba)) pripoj(spojeni, z);
    }
  };
  const auto hracu = [this] {
    return static_cast<int>(std::count_if(hraci_.begin(), hraci_.end(), [](int c) { return c != 0; }));
  };
  if (!zacalo_) {
    while (hracu() < volby_.hracu && !zastavit_) obsluz(100);
    zacalo_ = true;
    zacatekSim_ = zakladSim_ = cas;
    zacatekStena_ = zakladStena_ = Stena();
    posliHodiny();
  }
  pridejCekajici();
  if (volby_.lockstep || zastavit_) {
    obsluz(0);
  } else {
    // Real time: the step waits for its wall-clock time, the connections served meanwhile.
    // A person's inputs are given the moment they come: the step is then looked for again,
    // since they may have queued something sooner.
    for (;;) {
      if (dejVstupy(zmenene)) {
        odeslatDeni(posledniCas_);
        return !zastavit_;
      }
      const double zbyva = volby_.rychlost > 0
                               ? zakladStena_ + (cas - zakladSim_) * 86400.0 / volby_.rychlost - Stena()
                               : 0.1;
      if (zbyva <= 0 || zastavit_) break;
      obsluz(static_cast<int>(std::min(zbyva, 0.05) * 1000.0) + 1);
      pridejCekajici();
      if (Stena() - hodinyOdeslany_ >= 1.0) posliHodiny();
    }
  }
  pridejCekajici();
  // Answers that came while their station stood still since it looked: given now, at the
  // instant the player decided on.
  for (std::size_t i = 0; i < hraci_.size(); ++i) {
    auto it = klienti_.find(hraci_[i]);
    if (it == klienti_.end() || it->second.vstupy.empty() || it->second.pozde) continue;
    if (!sit_.behy()[i]->pouzijVstupy(it->second.vstupy)) zastavit_ = true;
    it->second.vstupy.clear();
    zmenene[i] = 1;
  }
  // What happened in the last step, stamped with its time.
  odeslatDeni(posledniCas_);
  return !zastavit_;
}

void Hostitel::krok(double cas, const std::vector<char>& udalosti, const std::vector<char>& posun,
                    const std::vector<char>& predano, const std::vector<char>& pohled) {
  vKroku_ = true;
  ++krok_;
  posledniCas_ = cas;
  for (std::size_t i = 0; i < hraci_.size(); ++i) {
    auto it = klienti_.find(hraci_[i]);
    if (it == klienti_.end()) continue;
    if (!udalosti[i] && !posun[i] && !pohled[i] && !znovu_[i]) continue;
    Klient& k = it->second;
    // The station again when the lines handed it a train or an offer (what they did the
    // player cannot do itself), or when its inputs came late.
    std::string ulozeni;
    if (predano[i] || znovu_[i]) ulozeni = sit_.behy()[i]->uloz();
    znovu_[i] = 0;
    server_->posli(hraci_[i], ZpravaKroku(krok_, cas, udalosti[i], posun[i], pohled[i],
                                          ulozeni.empty() ? nullptr : &ulozeni));
    k.posledni = krok_;
    if (pohled[i]) k.ceka = krok_;
  }
  const auto nekdoCeka = [this] {
    for (int c : hraci_)
      if (auto it = klienti_.find(c); it != klienti_.end() && it->second.ceka >= 0) return true;
    return false;
  };
  if (volby_.lockstep) {
    while (nekdoCeka() && !zastavit_) obsluz(100);
  } else {
    obsluz(0);
  }
  // Too slow to read: it goes, and its station is the host's again.
  for (int c : std::vector<int>(hraci_))
    if (c && server_->fronta(c) > MaxNeprectenych) {
      odpoj(c, "too slow");
      server_->zavri(c, true);
    }
  vKroku_ = false;
}

std::vector<Vstup> Hostitel::vstupy(std::size_t stanice) {
  auto it = klienti_.find(hraci_[stanice]);
  if (it == klienti_.end()) return {};
  Klient& k = it->second;
  std::vector<Vstup> v;
  v.swap(k.vstupy);
  // Given after the station moved on from where its player decided: the player's copy is no
  // longer the station, so it is sent again.
  if (k.pozde && !v.empty()) znovu_[stanice] = 1;
  k.pozde = false;
  return v;
}

bool Hostitel::dejVstupy(std::vector<char>& zmenene) {
  bool dano = false;
  for (std::size_t i = 0; i < hraci_.size(); ++i) {
    auto it = klienti_.find(hraci_[i]);
    if (it == klienti_.end() || it->second.vstupy.empty()) continue;
    Klient& k = it->second;
    std::vector<Vstup> v;
    v.swap(k.vstupy);
    Beh& b = *sit_.behy()[i];
    if (!b.pouzijVstupy(v)) zastavit_ = true;
    zmenene[i] = 1;
    dano = true;
    if (k.pozde) {
      // Its copy moved on before they came: it gets its station as the inputs left it.
      const std::string ulozeni = b.uloz();
      server_->posli(hraci_[i], ZpravaKroku(krok_, posledniCas_, false, false, false, &ulozeni));
      k.posledni = krok_;
      k.pozde = false;
    } else {
      server_->posli(hraci_[i], ZpravaDano(k.odpovezeno));
    }
  }
  return dano;
}

double Hostitel::simTed() const {
  const double t = volby_.rychlost > 0 ? zakladSim_ + (Stena() - zakladStena_) * volby_.rychlost / 86400.0 : zakladSim_;
  // The host's time never runs behind the last step it took, nor far ahead of the next one
  // (a step held up by a slow station).
  return std::max(t, posledniCas_);
}

void Hostitel::zmenRychlost(double rychlost) {
  zakladSim_ = zacalo_ ? simTed() : zakladSim_;
  zakladStena_ = Stena();
  volby_.rychlost = rychlost;
  hlaseni_ << "clock speed " << rychlost << "\n";
  hlaseni_.flush();
  posliHodiny();
}

void Hostitel::posliHodiny() {
  hodinyOdeslany_ = Stena();
  std::vector<std::string> hraji;
  for (std::size_t i = 0; i < hraci_.size(); ++i)
    if (hraci_[i]) hraji.push_back(sit_.popis().stanice[i].jmeno);
  const std::string text = ZpravaHodin(simTed(), volby_.rychlost, hraji);
  for (const auto& [spojeni, k] : klienti_)
    if (k.pripojen) server_->posli(spojeni, text);
}

void Hostitel::odeslatDeni(double cas) {
  if (pozorovatelu_ == 0) return;
  for (std::size_t i = 0; i < deni_.size(); ++i) {
    Deni& d = deni_[i];
    if (d.udalosti.empty() && d.cesty.empty()) continue;
    json j = {{"v", VerzeProtokolu}, {"type", "events"}, {"station", sit_.popis().stanice[i].jmeno},
              {"t", (cas - zacatekSim_) * 86400.0}, {"clock", TextCasuDne(cas)}};
    json u = json::array(), c = json::array();
    for (const auto& e : d.udalosti) u.push_back({e.cas, e.druh, e.vlak, e.prvek, e.h1, e.h2});
    for (const auto& [n, stav] : d.cesty) c.push_back({n, stav});
    j["events"] = std::move(u);
    j["routes"] = std::move(c);
    const std::string text = j.dump(-1, ' ', false, json::error_handler_t::replace);
    for (const auto& [spojeni, k] : klienti_)
      if (k.pozorovatel) server_->posli(spojeni, text);
    d = {};
  }
}

void Hostitel::konec(const std::string& duvod) {
  for (auto& [spojeni, k] : klienti_) server_->posli(spojeni, ZpravaKonce(duvod));
  server_->zavriVse(5000);
  klienti_.clear();
}

}  // namespace stanovar
