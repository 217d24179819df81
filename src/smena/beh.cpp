#include "smena/beh.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <string_view>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>

#include "jadro.h"
#include "model/kodovani.h"
#include "model/seznamy.h"
#include "smena/smena.h"

namespace stanovar {

namespace {

// The run begins at 6:00 wall-clock time of day: a fixed start, so that only the seed varies
// the generator.
constexpr double ZacatekDne = 0.25;
// Log lines are gathered and written in blocks of about this size.
constexpr std::size_t BlokZaznamu = 1 << 16;

}  // namespace

Beh::Beh(VolbyBehu volby)
    : volby_(std::move(volby)), prostredi_(ZacatekDne, volby_.seed), nahodny_(volby_.seed) {
  s_.platno = &platno_;
  s_.prostredi = &prostredi_;
  // The score and the summary hear the station from its first opening on; a load of a save
  // keeps them listening.
  SledujSkore(s_);
  s_.posluchaci.poslouchej([this](Stav&, const Oznameni& o) { slysi(o); });
}

std::string Beh::nacti() {
  namespace fs = std::filesystem;
  std::string adresar = ".";
  std::string ini;
  if (!volby_.stanice.empty()) {
    std::error_code ec;
    const fs::path p(volby_.stanice);
    if (fs::is_directory(p, ec)) {
      adresar = volby_.stanice;
      ini = (p / "stanovar.ini").string();
      if (!fs::is_regular_file(ini, ec)) {
        // Without a settings file the folder is only where relative names are looked for.
        ini.clear();
        if (volby_.schema.empty() || volby_.grafikon.empty())
          return "no stanovar.ini in " + volby_.stanice +
                 " (or name the files with --schema and --timetable)";
      }
    } else if (fs::is_regular_file(p, ec)) {
      adresar = p.has_parent_path() ? p.parent_path().string() : ".";
      ini = volby_.stanice;
    } else {
      return "no such folder or file: " + volby_.stanice;
    }
  }

  // Line ends linked to another station of a network generate no train, from the first
  // generation on: they are marked as the schema is read.
  if (!volby_.propojene.empty())
    s_.schemaRadek = [this](int, char, const std::array<std::string_view, 10>&) {
      for (RSoused& so : s_.Sousede)
        so.propojeny = so.propojeny || std::find(volby_.propojene.begin(), volby_.propojene.end(),
                                                 so.jmeno) != volby_.propojene.end();
    };
  // Defaults and the clock as the program's start-up sets them, then the settings file given.
  Spust(s_, adresar);
  Nastaveni& n = s_.nastaveni;
  n.cestaSchema.clear();
  n.cestaGvd.clear();
  n.cestaLoko.clear();
  n.cestaJazyk.clear();
  if (!ini.empty() && !NactiNastaveni(s_, ini)) return "cannot read settings file " + ini;
  if (!volby_.schema.empty()) n.cestaSchema = volby_.schema;
  if (!volby_.grafikon.empty()) n.cestaGvd = volby_.grafikon;
  if (!volby_.lokomotivy.empty()) n.cestaLoko = volby_.lokomotivy;
  if (!volby_.jazyk.empty()) n.cestaJazyk = volby_.jazyk;

  const struct {
    const std::string& cesta;
    const char* co;
    bool nutny;
  } soubory[] = {{n.cestaSchema, "station schema", true},
                 {n.cestaGvd, "timetable", true},
                 {n.cestaLoko, "locomotive", false},
                 {n.cestaJazyk, "language", false}};
  for (const auto& f : soubory) {
    std::string obsah;
    if (f.cesta.empty()) {
      if (f.nutny) return std::string("no ") + f.co + " file named";
      continue;
    }
    if (!NactiSoubor(NormalizujCestu(f.cesta), obsah))
      return std::string("cannot read ") + f.co + " file " + f.cesta;
  }

  if (!n.cestaJazyk.empty()) OtevriLng(s_);
  s_.CetnostVlaku = static_cast<std::uint16_t>(std::clamp(volby_.cetnost, 1, 8));
  s_.okno.CetnostVlakuLabel = s_.Text(26) + std::to_string(s_.CetnostVlaku);
  // Loaded again, now with the frequency in force for the first generation.
  OtevriStanici(s_);
  // The station stays as loaded for the whole run, so the paths the dispatchers' clicks find
  // can be kept.
  pamet_.cesty.clear();
  s_.pametCest = &pamet_;
  prostredi_.pocetZprav = 0;
  start_ = SimCas(s_);
  kontrola_.zivost = volby_.dispecer && !volby_.nahodny;
  nahodny_.poAkci = [this] { zkontroluj(SimCas(s_)); };
  return {};
}

void Beh::slysi(const Oznameni& o) {
  if (o.druh == DruhOznameni::VlakOdjel) {
    if (!o.priznak) ++souhrn_.spatnymSmerem;
    auto it = pritomne_.find(o.vlak);
    if (it != pritomne_.end()) {
      const double pobyt = (o.cas - it->second) * 86400.0;
      soucetPobytu_ += pobyt;
      souhrn_.pobyty.push_back(pobyt);
      souhrn_.nejdelsiPobyt = std::max(souhrn_.nejdelsiPobyt, pobyt);
      ++souhrn_.odjelo;
      pritomne_.erase(it);
      vlakyZmeneny_ = true;
    }
    return;
  }
  if (o.druh != DruhOznameni::Udalost) return;
  const RUdalost& u = *o.udalost;
  const double cas = o.cas;
  ++souhrn_.udalosti;
  if (volby_.kontrola) kontrola_.udalost(s_, u);
  if (volby_.dispecer) {
    if (volby_.jednoduchy) jednoduchy_.udalost(u);
    else dispecer_.udalost(u);
  }
  if (volby_.dispecer && volby_.nahodny) nahodny_.udalost(u);
  switch (u.druh) {
    case UdalostObsazeni: {
      Obsazeni& o = prvky_[u.prvek];
      ++o.pocet;
      if (o.od < 0) o.od = cas;
      break;
    }
    case UdalostUvolneni: {
      auto it = prvky_.find(u.prvek);
      if (it != prvky_.end() && it->second.od >= 0) {
        it->second.celkem += cas - it->second.od;
        it->second.od = -1;
      }
      break;
    }
    default: break;
  }
  if (zaznam_) {
    char b[128];
    const int n = std::snprintf(b, sizeof b, "%.3f,%u,%d,%d,%.4f,%.4f\n", (cas - start_) * 86400.0,
                                static_cast<unsigned>(u.druh), u.vlak, u.prvek, u.hodnota1,
                                u.hodnota2);
    radky_.append(b, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof b) - 1)));
    if (radky_.size() >= BlokZaznamu) {
      zaznam_->write(radky_.data(), static_cast<std::streamsize>(radky_.size()));
      radky_.clear();
    }
  }
}

// Trains and offers have no event of their own when they appear: a hand-over happens inside
// a generation, a release or an accept. So the lists are compared with what was seen before,
// after every batch of events and every look of the dispatcher.
void Beh::sledujVlakyANabidky(double ted) {
  // Most looks find the same trains as the last one, in the same order, with nothing
  // forgotten since: comparing the numbers is cheaper than looking each one up.
  const bool stejneVlaky =
      !vlakyZmeneny_ && vlakyMinule_.size() == s_.Vlaky.size() &&
      std::equal(s_.Vlaky.begin(), s_.Vlaky.end(), vlakyMinule_.begin(),
                 [](const RVlak& v, int cislo) { return v.cislo == cislo; });
  if (!stejneVlaky) {
    for (const RVlak& v : s_.Vlaky)
      if (pritomne_.try_emplace(v.cislo, ted).second) ++souhrn_.vjelo;
    if (pritomne_.size() != s_.Vlaky.size()) {
      // A train removed without a departure (a failed hand-over) is forgotten.
      std::set<int> jsou;
      for (const RVlak& v : s_.Vlaky) jsou.insert(v.cislo);
      std::erase_if(pritomne_, [&](const auto& p) { return !jsou.count(p.first); });
    }
    vlakyMinule_.clear();
    for (const RVlak& v : s_.Vlaky) vlakyMinule_.push_back(v.cislo);
    vlakyZmeneny_ = false;
  }

  if (s_.Nabidky.empty() && nabidky_.empty()) return;
  // The same offers in the same states as at the last look change nothing either.
  if (nabidky_.size() == s_.Nabidky.size() &&
      std::equal(s_.Nabidky.begin(), s_.Nabidky.end(), nabidky_.begin(),
                 [](const RNabidka& n, const std::pair<int, bool>& p) {
                   return n.cislo == p.first && n.prijata == p.second;
                 }))
    return;
  // A handful of offers at a time (one per line end at most), looked at after every event:
  // plain lists kept from call to call cost less than maps built afresh.
  auto najdi = [](std::vector<std::pair<int, bool>>& v, int cislo) {
    return std::find_if(v.begin(), v.end(), [&](const auto& p) { return p.first == cislo; });
  };
  nyni_.clear();
  for (const RNabidka& n : s_.Nabidky) {
    auto it = najdi(nabidky_, n.cislo);
    if (it == nabidky_.end()) ++souhrn_.nabidnuto;
    const bool drive = it != nabidky_.end() && it->second;
    if (n.prijata && !drive) ++souhrn_.prijato;
    if (auto j = najdi(nyni_, n.cislo); j != nyni_.end()) j->second = n.prijata;
    else nyni_.emplace_back(n.cislo, n.prijata);
  }
  for (const auto& [cislo, prijata] : nabidky_) {
    if (prijata || najdi(nyni_, cislo) != nyni_.end()) continue;
    // Gone unanswered before: accepted when its train came in, else refused.
    if (NajdiVlak(s_, cislo)) ++souhrn_.prijato;
    else ++souhrn_.odmitnuto;
  }
  nabidky_.swap(nyni_);
}

bool Beh::zkontroluj(double ted) {
  if (!volby_.kontrola || !souhrn_.poruseni.empty()) return souhrn_.poruseni.empty();
  std::string chyba = kontrola_.over(s_, ted);
  if (chyba.empty() && dalsiKontrola) chyba = dalsiKontrola();
  if (chyba.empty()) return true;
  souhrn_.poruseni = chyba;
  souhrn_.casPoruseni = (SimCas(s_) - start_) * 86400.0;
  return false;
}

bool Beh::mohlBy(int vlak) {
  RVlak* v = NajdiVlak(s_, vlak);
  RKrok* z = v ? PosledniKolejKrok(v->cesta) : nullptr;
  RKolej* k = z ? NajdiKolej(s_, z->prvek) : nullptr;
  RNavestidlo* n = k ? NavestidloNaKonci(s_, *k, z->smer) : nullptr;
  // It sets routes from signals only, and only from a signal with nothing set or stored.
  if (!n || n->stav != 0) return false;
  // Copies of the station, its clock and the dispatcher, drawn on nothing and heard by
  // nobody, so that nothing of the run changes.
  PrazdnePlatno platno;
  VirtualniProstredi prostredi = prostredi_;
  Stav kopie = s_;
  kopie.platno = &platno;
  kopie.prostredi = &prostredi;
  kopie.posluchaci.vycisti();
  kopie.pametCest = nullptr;
  AutomatickyDispecer d = dispecer_;
  RUdalost zmena;
  zmena.druh = UdalostGenerace;  // something happened: it looks whatever it saw before
  d.udalost(zmena);
  d(kopie);
  const RNavestidlo* m = NajdiNavestidlo(kopie, n->id);
  return m && m->stav == 2;
}

void Beh::podivejSeNyni() {
  const double ted = SimCas(s_);
  sledujVlakyANabidky(ted);
  if (jinde_) return;
  // The careless dispatcher does the everyday work as the automatic one does, and clicks
  // and presses keys at random in between: so that its blunders meet a busy station.
  if (volby_.dispecer) {
    const bool podiva = volby_.jednoduchy ? jednoduchy_.podivaSe(s_) : dispecer_.podivaSe(s_);
    if (volby_.jednoduchy) jednoduchy_(s_);
    else dispecer_(s_);
    sledujVlakyANabidky(ted);
    // Whether its look has left a train standing that it could send on, before the careless
    // dispatcher's clicks can change what it would do.
    if (podiva && volby_.nahodny && volby_.kontrola && souhrn_.poruseni.empty())
      if (std::string c = kontrola_.poPohledu(s_, ted, [this](Stav&, int v) { return mohlBy(v); });
          !c.empty()) {
        souhrn_.poruseni = c;
        souhrn_.casPoruseni = (ted - start_) * 86400.0;
      }
  }
  if (volby_.dispecer && volby_.nahodny) {
    nahodny_(s_);
    sledujVlakyANabidky(ted);
  }
}

bool Beh::vstupyPred(long long mez, bool& ok) {
  const std::vector<Vstup>& v = volby_.vstupy;
  bool dano = false;
  while (ok && vstup_ < v.size() && v[vstup_].ms < mez) {
    // An input given may have queued an event at or before the next one's time (a route
    // set plans its train from that instant): it runs first, as the file says.
    if (const RUdalost* u = s_.fronta.nejdrivejsi();
        dano && u && !(LogovanyCas(u->cas, start_) > v[vstup_].ms))
      break;
    const Vstup& x = v[vstup_++];
    if (s_.RychlostSim == 0) NastavRychlost(s_, s_.PosledniRychlost ? s_.PosledniRychlost : 1);
    // An input logged at the instant of the last event comes at that very instant, as one
    // made then would: between two events of one millisecond may lie all the difference.
    if (x.ms > LogovanyCas(SimCas(s_), start_))
      PosunNa(s_, prostredi_, start_ + static_cast<double>(x.ms) / 86400000.0);
    ProvedVstup(s_, x);
    sledujVlakyANabidky(SimCas(s_));
    ok = zkontroluj(SimCas(s_));
    dano = true;
  }
  if (dano && ok) {
    podivejSeNyni();
    ok = zkontroluj(SimCas(s_));
  }
  return dano;
}

void Beh::preskocDaneVstupy() {
  // The first part gave every input up to its end that came before the first event past
  // it, which is the first event here.
  const long long hranice = LogovanyCas(start_ + hodinDrive_ / 24.0, start_);
  const RUdalost* u = s_.fronta.nejdrivejsi();
  const long long prvni = u ? LogovanyCas(u->cas, start_) : std::numeric_limits<long long>::max();
  const std::vector<Vstup>& v = volby_.vstupy;
  while (vstup_ < v.size() && v[vstup_].ms <= hranice && v[vstup_].ms < prvni) ++vstup_;
}

bool Beh::zacni(std::ostream* zaznam) {
  zaznam_ = zaznam;
  if (zaznam_) *zaznam_ << "time_s,kind,train,element,value1,value2\n";
  // A resumed run goes on from the instant the dispatchers had already looked at.
  if (obnoveny_) preskocDaneVstupy();
  else podivejSeNyni();
  obnoveny_ = false;
  return zkontroluj(SimCas(s_));
}

double Beh::dalsiUdalost() {
  // A calculation fault pauses the clock for the dispatcher to read the report; nobody
  // reads it here, so the run goes on.
  if (s_.RychlostSim == 0) NastavRychlost(s_, s_.PosledniRychlost ? s_.PosledniRychlost : 1);
  const RUdalost* u = s_.fronta.nejdrivejsi();
  return u ? u->cas : std::numeric_limits<double>::infinity();
}

bool Beh::provedDo(double cas) {
  PosunNa(s_, prostredi_, cas);
  // Every event due now, one at a time, so that the check sees the state after each.
  for (;;) {
    const RUdalost* u = s_.fronta.nejdrivejsi();
    if (!u || s_.zpravaOtevrena || SimCas(s_) < u->cas) break;
    RUdalost e;
    s_.fronta.vyjmi(s_.fronta.nejdrivejsiHandle(), &e);
    ProvedUdalost(s_, e);
    if (!zkontroluj(e.cas)) return false;
  }
  return true;
}

bool Beh::podivejSe() {
  podivejSeNyni();
  return zkontroluj(SimCas(s_));
}

double Beh::konecBehu() const { return start_ + (hodinDrive_ + volby_.hodin) / 24.0; }

void Beh::skonci(bool ok) {
  const double konec = konecBehu();
  // From here on the hours are those of the whole shift, both parts of a resumed one.
  hodinDrive_ += volby_.hodin;
  volby_.hodin = hodinDrive_;
  if (volby_.snimek) snimek_ = uloz();
  dokonci(ok ? konec : SimCas(s_));
}

bool Beh::spust(std::ostream* zaznam, const std::function<void(double)>& prubeh) {
  const auto zacatek = std::chrono::steady_clock::now();
  zaznam_ = zaznam;
  if (zaznam_) *zaznam_ << "time_s,kind,train,element,value1,value2\n";
  const double konec = start_ + (hodinDrive_ + volby_.hodin) / 24.0;
  const long long konecMs = volby_.vstupy.empty() ? 0 : LogovanyCas(konec, start_);

  // A resumed run goes on from the instant the dispatchers had already looked at.
  if (obnoveny_) preskocDaneVstupy();
  else podivejSeNyni();
  obnoveny_ = false;
  bool ok = zkontroluj(SimCas(s_));
  long long kroku = 0;
  while (ok) {
    // A calculation fault pauses the clock for the dispatcher to read the report; nobody
    // reads it here, so the run goes on.
    if (s_.RychlostSim == 0) NastavRychlost(s_, s_.PosledniRychlost ? s_.PosledniRychlost : 1);
    const RUdalost* u = s_.fronta.nejdrivejsi();
    // An event whose time is not a number is due at once, as the queue orders it.
    const bool dalsi = u && !(u->cas > konec);
    // The inputs before it; up to the end of the run when it lies beyond. They may queue
    // events of their own, so the next one is looked for again.
    if (vstup_ < volby_.vstupy.size()) {
      long long mez = dalsi ? LogovanyCas(u->cas, start_) : konecMs + 1;
      if (!dalsi && u) mez = std::min(mez, LogovanyCas(u->cas, start_));
      if (vstupyPred(mez, ok)) continue;
    }
    if (!dalsi) break;
    PosunNa(s_, prostredi_, u->cas);
    // Every event due now, one at a time, so that the check sees the state after each.
    for (;;) {
      u = s_.fronta.nejdrivejsi();
      if (!u || s_.zpravaOtevrena || SimCas(s_) < u->cas) break;
      RUdalost e;
      s_.fronta.vyjmi(s_.fronta.nejdrivejsiHandle(), &e);
      ProvedUdalost(s_, e);
      if (!(ok = zkontroluj(e.cas))) break;
    }
    if (!ok) break;
    podivejSeNyni();
    ok = zkontroluj(SimCas(s_));
    if (prubeh && ++kroku % 256 == 0) prubeh((SimCas(s_) - start_) / (konec - start_));
  }
  // From here on the hours are those of the whole shift, both parts of a resumed one.
  hodinDrive_ += volby_.hodin;
  volby_.hodin = hodinDrive_;
  if (volby_.snimek) snimek_ = uloz();
  dokonci(ok ? konec : SimCas(s_));
  souhrn_.stenaSekund =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek).count();
  return ok;
}

void Beh::hranaJinde(bool jinde, bool zivost) {
  jinde_ = jinde;
  kontrola_.zivost = jinde ? zivost : volby_.dispecer && !volby_.nahodny;
}

bool Beh::pouzijVstupy(const std::vector<Vstup>& vstupy) {
  bool ok = true;
  for (const Vstup& v : vstupy) {
    ProvedVstup(s_, v);
    ok = zkontroluj(SimCas(s_)) && ok;
  }
  sledujVlakyANabidky(SimCas(s_));
  return zkontroluj(SimCas(s_)) && ok;
}

std::string Beh::obnovStanici(const std::string& text) {
  s_.pametCest = &pamet_;
  CastiBehu c{nullptr, nullptr, nullptr, nullptr, &prostredi_, nullptr};
  if (VysledekUlozeni v = NactiSmenuZTextu(s_, c, text); !v) return PopisChyby(v);
  return {};
}

std::string Beh::uloz() {
  nlohmann::json d = doplnek();
  CastiBehu c{&dispecer_, &jednoduchy_, &nahodny_, &kontrola_, &prostredi_, &d};
  std::string text;
  UlozSmenuDoTextu(s_, c, text);
  return text;
}

nlohmann::json Beh::doplnek() const {
  using json = nlohmann::json;
  json pritomne = json::array(), nabidky = json::array(), prvky = json::array();
  for (const auto& [v, od] : pritomne_) pritomne.push_back({v, od});
  for (const auto& [v, p] : nabidky_) nabidky.push_back({v, p});
  for (const auto& [id, o] : prvky_) prvky.push_back({id, o.pocet, o.od, o.celkem});
  const SouhrnBehu& r = souhrn_;
  return {{"hodin", hodinDrive_}, {"seed", volby_.seed}, {"cetnost", volby_.cetnost}, {"dispecer", volby_.dispecer},
          {"jednoduchy", volby_.jednoduchy}, {"nahodny", volby_.nahodny}, {"start", start_}, {"soucetPobytu", soucetPobytu_},
          {"pritomne", pritomne}, {"nabidky", nabidky}, {"prvky", prvky},
          {"vlakyMinule", vlakyMinule_}, {"vlakyZmeneny", vlakyZmeneny_},
          {"pocty", {r.vjelo, r.odjelo, r.nabidnuto, r.prijato, r.odmitnuto, r.spatnymSmerem,
                     r.udalosti}},
          {"nejdelsiPobyt", r.nejdelsiPobyt}, {"pobyty", r.pobyty},
          {"poruseni", r.poruseni}, {"casPoruseni", r.casPoruseni}};
}

// Any fault here throws, and obnov turns it into its message.
void Beh::doplnek(const nlohmann::json& j) {
  auto realne = [](const nlohmann::json& x) {
    const double d = x.get<double>();
    if (!std::isfinite(d)) throw std::invalid_argument("run totals");
    return d;
  };
  hodinDrive_ = realne(j.at("hodin"));
  volby_.seed = j.at("seed").get<std::uint32_t>();
  volby_.cetnost = j.at("cetnost").get<int>();
  start_ = realne(j.at("start"));
  soucetPobytu_ = realne(j.at("soucetPobytu"));
  for (const auto& p : j.at("pritomne")) pritomne_[p.at(0).get<int>()] = realne(p.at(1));
  for (const auto& p : j.at("nabidky")) nabidky_.emplace_back(p.at(0).get<int>(), p.at(1).get<bool>());
  for (const auto& v : j.at("vlakyMinule")) vlakyMinule_.push_back(v.get<int>());
  vlakyZmeneny_ = j.at("vlakyZmeneny").get<bool>();
  for (const auto& p : j.at("prvky"))
    prvky_[p.at(0).get<int>()] = {p.at(1).get<long long>(), realne(p.at(2)), realne(p.at(3))};
  SouhrnBehu& r = souhrn_;
  long long* pocty[] = {&r.vjelo, &r.odjelo, &r.nabidnuto, &r.prijato, &r.odmitnuto,
                        &r.spatnymSmerem, &r.udalosti};
  const auto& p = j.at("pocty");
  if (p.size() != std::size(pocty)) throw std::invalid_argument("run totals");
  for (std::size_t i = 0; i < std::size(pocty); ++i) *pocty[i] = p.at(i).get<long long>();
  r.nejdelsiPobyt = realne(j.at("nejdelsiPobyt"));
  for (const auto& x : j.at("pobyty")) r.pobyty.push_back(realne(x));
  r.poruseni = j.at("poruseni").get<std::string>();
  r.casPoruseni = realne(j.at("casPoruseni"));
}

std::string Beh::obnov(const std::string& cesta, bool dispecerZadan) {
  std::string text;
  if (CtiSoubor(cesta, text) != Nacteni::Precteno)
    return PopisChyby({ChybaUlozeni::NelzeCist, cesta});
  return obnovZTextu(text, dispecerZadan);
}

std::string Beh::obnovZTextu(const std::string& text, bool dispecerZadan) {
  // The save restores the memory of paths along with the state.
  s_.pametCest = &pamet_;
  nlohmann::json d;
  // A window's save has none of the runner's parts: the station alone, on the runner's clock
  // from the simulated time it was saved at.
  bool okna = false;
  try {
    const nlohmann::json j = nlohmann::json::parse(text);
    okna = j.contains("stav") && j["stav"].is_object() && !j["stav"].contains("doplnek");
  } catch (const nlohmann::json::exception&) {
  }
  CastiBehu c{&dispecer_, &jednoduchy_, &nahodny_, &kontrola_, &prostredi_, &d};
  if (okna) c = CastiBehu{};
  if (VysledekUlozeni v = NactiSmenuZTextu(s_, c, text); !v) return PopisChyby(v);
  if (okna) {
    // A window's save: a person played it, so no dispatcher unless one is asked for, and the
    // run (the inputs' and the log's times) begins where the save stands.
    if (!dispecerZadan) volby_.dispecer = volby_.nahodny = volby_.jednoduchy = false;
    start_ = SimCas(s_);
    hodinDrive_ = 0;
    kontrola_.zivost = volby_.dispecer && !volby_.nahodny;
    nahodny_.poAkci = [this] { zkontroluj(SimCas(s_)); };
    // Its inputs begin with it: none was given by a first part.
    obnoveny_ = false;
    return {};
  }
  try {
    if (!dispecerZadan) {
      volby_.dispecer = d.at("dispecer").get<bool>();
      volby_.nahodny = d.at("nahodny").get<bool>();
      // A save of an older version was run by the dispatcher that is the simple one now.
      volby_.jednoduchy = d.contains("jednoduchy") ? d.at("jednoduchy").get<bool>() : true;
    }
    doplnek(d);
  } catch (const std::exception&) {
    return PopisChyby({ChybaUlozeni::Poskozeny, "run totals"});
  }
  kontrola_.zivost = volby_.dispecer && !volby_.nahodny;
  nahodny_.poAkci = [this] { zkontroluj(SimCas(s_)); };
  obnoveny_ = true;
  return {};
}

void Beh::dokonci(double konec) {
  PosunNa(s_, prostredi_, konec);
  if (zaznam_) {
    zaznam_->write(radky_.data(), static_cast<std::streamsize>(radky_.size()));
    zaznam_->flush();
    radky_.clear();
  }
  SouhrnBehu& r = souhrn_;
  r.simulovanoSekund = (konec - start_) * 86400.0;
  r.veStanici = static_cast<long long>(s_.Vlaky.size());
  for (const auto& [cislo, od] : pritomne_)
    r.nejdelsiZustavajici = std::max(r.nejdelsiZustavajici, (konec - od) * 86400.0);
  r.prumernyPobyt = r.odjelo ? soucetPobytu_ / static_cast<double>(r.odjelo) : 0;
  for (const RNabidka& n : s_.Nabidky) r.cekaNaOdpoved += !n.prijata;
  if (volby_.jednoduchy) {
    r.nastaveno = jednoduchy_.nastaveno;
    r.ulozeno = jednoduchy_.ulozeno;
    r.zruseno = jednoduchy_.zruseno;
  } else {
    r.nastaveno = dispecer_.trvale().nastaveno;
    r.ulozeno = dispecer_.trvale().ulozeno;
    r.zruseno = dispecer_.trvale().zruseno;
  }
  r.akci = nahodny_.akci;
  r.poruchVypoctu = prostredi_.pocetZprav;
  r.skore = SpocitejSkore(s_, konec);

  // Ordered by identifier, so that a tie goes to the lower one.
  double nejdele = -1;
  for (auto& [id, o] : prvky_) {
    const double celkem = (o.celkem + (o.od >= 0 ? konec - o.od : 0)) * 86400.0;
    r.obsazenoPrvku[id] = celkem;
    r.vjezduPrvku[id] = o.pocet;
    if (o.pocet > r.obsazeniNejvytizenejsiho ||
        (o.pocet == r.obsazeniNejvytizenejsiho && celkem > nejdele)) {
      r.nejvytizenejsi = id;
      r.obsazeniNejvytizenejsiho = o.pocet;
      nejdele = celkem;
    }
  }
  if (r.nejvytizenejsi) {
    r.obsazenoSekund = nejdele;
    const RKolej* k = NajdiPrvek(s_, r.nejvytizenejsi);
    r.nazevNejvytizenejsiho = k && JeKolej(k->id) && !k->cislo.empty()
                                  ? "track " + Cp1250NaUtf8(k->cislo)
                                  : (JeSpojka(r.nejvytizenejsi) ? "connector" : "element");
  }
}

}  // namespace stanovar
