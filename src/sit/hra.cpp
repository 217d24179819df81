#include "sit/sit.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <string_view>

#include "jadro.h"
#include "model/platno.h"
#include "model/seznamy.h"
#include "smena/smena.h"

namespace stanovar {

namespace fs = std::filesystem;

namespace {

// A tick never runs away: at most this many steps of the stations in one catching up.
constexpr long MaxKroku = 1000000;

// A station goes on under the automatic dispatcher or into the window: no panel of the other
// hand's clicks stays open, and a route being chosen is abandoned (the dispatcher does not
// look while one is).
void Predej(Stav& s) {
  s.okno.PanelSouhlas.viditelny = false;
  s.okno.PanelKolej.viditelny = false;
  s.okno.PanelVlak.viditelny = false;
  s.okno.Rychlomer = false;
  s.ZobrazenyVlak = 0;
  if (s.VyberCesty)
    if (const RNavestidlo* n = NajdiNavestidlo(s, s.StartNavestidlo))
      Image1MouseDown(s, Tlacitko::Prave, n->x, n->y);
}

// The earliest event of a station, a time not a number being due at once; infinity when none.
double DalsiUdalost(Stav& s) {
  // A calculation fault pauses a station's clock for its dispatcher to read the report;
  // nobody reads it here, so it goes on.
  if (s.RychlostSim == 0) NastavRychlost(s, s.PosledniRychlost ? s.PosledniRychlost : 1);
  const RUdalost* u = s.fronta.nejdrivejsi();
  if (!u) return std::numeric_limits<double>::infinity();
  return std::isnan(u->cas) ? -std::numeric_limits<double>::infinity() : u->cas;
}

}  // namespace

struct HraSite::Pozadi {
  PrazdnePlatno platno;
  VirtualniProstredi hodiny;
  Stav stav;
  AutomatickyDispecer dispecer;

  Pozadi(int sirka, int vyska) : platno(sirka, vyska) {
    stav.platno = &platno;
    stav.prostredi = &hodiny;
    SledujSkore(stav);
    stav.posluchaci.poslouchej([this](Stav&, const Oznameni& o) {
      if (o.druh == DruhOznameni::Udalost) dispecer.udalost(*o.udalost);
    });
  }

  // The events due by `cas`, one at a time, and the dispatcher's look after them.
  void dojed(double cas) {
    DalsiUdalost(stav);
    PosunNa(stav, hodiny, cas);
    for (;;) {
      const RUdalost* u = stav.fronta.nejdrivejsi();
      if (!u || stav.zpravaOtevrena || SimCas(stav) < u->cas) break;
      RUdalost e;
      stav.fronta.vyjmi(stav.fronta.nejdrivejsiHandle(), &e);
      ProvedUdalost(stav, e);
    }
    dispecer(stav);
  }
};

HraSite::HraSite() = default;

HraSite::~HraSite() { ukonci(); }

std::unique_ptr<HraSite::Pozadi> HraSite::novePozadi(const Stav& okno) {
  // The dispatcher's clicks must fall on the picture, however large the station.
  int w = 800, h = 540;
  if (okno.platno) {
    w = std::max(w, okno.platno->sirka());
    h = std::max(h, okno.platno->vyska());
  }
  return std::make_unique<Pozadi>(w, h);
}

std::unique_ptr<HraSite::Pozadi> HraSite::nactiStanici(const PopisSite& popis, std::size_t i,
                                                       Stav& okno, std::string& chyba) {
  auto p = novePozadi(okno);
  const double ted = SimCas(okno);
  Stav& s = p->stav;
  // Line ends linked to another station generate no train, from the first generation on:
  // they are marked as the schema is read.
  std::vector<std::string> propojene;
  for (const SpojeniSite& sp : popis.spojeni)
    for (const KonecSpojeni* k : {&sp.a, &sp.b})
      if (k->stanice == popis.stanice[i].jmeno) propojene.push_back(k->trat);
  s.schemaRadek = [&s, propojene](int, char, const std::array<std::string_view, 10>&) {
    for (RSoused& so : s.Sousede)
      so.propojeny = so.propojeny ||
                     std::find(propojene.begin(), propojene.end(), so.jmeno) != propojene.end();
  };
  std::error_code ec;
  const fs::path cesta(popis.stanice[i].cesta);
  const bool slozka = fs::is_directory(cesta, ec);
  const fs::path ini = slozka ? cesta / "stanovar.ini" : cesta;
  // On the network's clock: the time of day it has reached, the days it has run.
  p->hodiny.nastavAbsolutni(ted - std::floor(ted));
  Spust(s, (slozka ? cesta : cesta.parent_path()).string());
  Nastaveni& n = s.nastaveni;
  n.cestaSchema.clear();
  n.cestaGvd.clear();
  n.cestaLoko.clear();
  n.cestaJazyk.clear();
  if (!NactiNastaveni(s, ini.string()) || n.cestaSchema.empty()) {
    chyba = "cannot read the settings file " + ini.string();
    return nullptr;
  }
  if (!n.cestaJazyk.empty()) OtevriLng(s);
  s.SimZaklad = ted;
  OtevriStanici(s);
  s.schemaRadek = nullptr;
  if (s.Koleje.empty()) {
    chyba = "cannot read the station " + n.cestaSchema;
    return nullptr;
  }
  return p;
}

std::string HraSite::otevri(const std::string& soubor, std::size_t hrana, Stav& okno) {
  PopisSite popis;
  std::string chyba;
  if (!CtiSit(soubor, popis, chyba)) return chyba;
  if (hrana >= popis.stanice.size()) return "the network has no station " + std::to_string(hrana + 1);
  std::vector<std::unique_ptr<Pozadi>> pozadi;
  for (std::size_t i = 0; i < popis.stanice.size(); ++i) {
    pozadi.push_back(nactiStanici(popis, i, okno, chyba));
    if (!pozadi.back()) return "station " + popis.stanice[i].jmeno + ": " + chyba;
  }
  {
    // The links are checked against the stations before the window's is touched.
    std::vector<Stav*> stavy;
    for (auto& p : pozadi) stavy.push_back(&p->stav);
    Sit zkouska;
    const bool jde = zkouska.propoj(popis, stavy, 0, chyba);
    zkouska.odpoj();
    if (!jde) return chyba;
  }
  // The station played is opened in the window as a take-over hands one over.
  std::string text;
  Predej(pozadi[hrana]->stav);
  UlozSmenuDoTextu(pozadi[hrana]->stav, CastiBehu{}, text);
  const ChodHodin chod{okno.RychlostSim, okno.PosledniRychlost};
  CastiBehu casti;
  casti.svujJazyk = true;
  if (const VysledekUlozeni v = NactiSmenuZTextu(okno, casti, text); !v)
    return "station " + popis.stanice[hrana].jmeno + ": " + PopisChyby(v);
  ObnovHodiny(okno, chod);
  // A network played before is left only now that the new one is in.
  if (okno_) {
    sit_.odpoj();
    sit_ = Sit();
    pozadi_.clear();
  }
  okno_ = &okno;
  pozadi[hrana].reset();
  popis_ = std::move(popis);
  pozadi_ = std::move(pozadi);
  hrana_ = hrana;
  // The lines' own choices vary from one evening to the next, as the trains do.
  seed_ = okno.prostredi ? okno.prostredi->msOdPulnoci() : 0;
  return propoj();
}

std::string HraSite::propoj() {
  std::vector<Stav*> stavy;
  for (std::size_t i = 0; i < pozadi_.size(); ++i)
    stavy.push_back(i == hrana_ ? okno_ : &pozadi_[i]->stav);
  std::string chyba;
  // The stations were read and checked against this network already.
  if (!sit_.propoj(popis_, stavy, seed_, chyba)) return chyba;
  return {};
}

std::string HraSite::prepni(std::size_t nova) {
  if (!okno_ || nova >= pozadi_.size() || nova == hrana_) return {};
  Stav& o = *okno_;
  std::string hrany, novy;
  UlozSmenuDoTextu(o, CastiBehu{}, hrany);
  Predej(pozadi_[nova]->stav);
  UlozSmenuDoTextu(pozadi_[nova]->stav, CastiBehu{}, novy);
  // The station played so far, on a virtual clock at the same simulated time.
  auto p = novePozadi(o);
  p->hodiny.nastavAbsolutni(SimCas(o) - std::floor(SimCas(o)));
  CastiBehu zadne;
  if (const VysledekUlozeni v = NactiSmenuZTextu(p->stav, zadne, hrany); !v)
    return "station " + popis_.stanice[hrana_].jmeno + ": " + PopisChyby(v);
  NastavRychlost(p->stav, 1);
  Predej(p->stav);
  const ChodHodin chod{o.RychlostSim, o.PosledniRychlost};
  CastiBehu casti;
  casti.svujJazyk = true;
  if (const VysledekUlozeni v = NactiSmenuZTextu(o, casti, novy); !v)
    return "station " + popis_.stanice[nova].jmeno + ": " + PopisChyby(v);
  ObnovHodiny(o, chod);
  // The lines go on as they were, now heard from the stations in their new places.
  const nlohmann::json trate = sit_.uloz();
  sit_.odpoj();
  pozadi_[hrana_] = std::move(p);
  pozadi_[nova].reset();
  hrana_ = nova;
  // Both were linked in these very states a moment ago: a failure here is the program's
  // fault, told rather than hidden.
  if (std::string chyba = propoj(); !chyba.empty()) return chyba;
  std::string chyba;
  if (!sit_.obnov(trate, chyba)) return chyba;
  return {};
}

void HraSite::dohon() {
  if (!okno_) return;
  const double cil = SimCas(*okno_);
  double posledni = -std::numeric_limits<double>::infinity();
  // The earliest thing due anywhere, in the order of the file, then the lines; as the
  // headless runner steps a network, but up to the played station's time only.
  for (long krok = 0; krok < MaxKroku; ++krok) {
    double cas = sit_.dalsiCas();
    for (auto& p : pozadi_)
      if (p) cas = std::min(cas, DalsiUdalost(p->stav));
    if (!(cas <= cil)) break;
    for (auto& p : pozadi_)
      if (p) p->dojed(cas);
    posledni = std::max(posledni, cas);
    sit_.zpracuj(posledni);
  }
  for (auto& p : pozadi_)
    if (p) p->dojed(cil);
  sit_.zpracuj(std::max(posledni, cil));
}

void HraSite::ukonci() {
  if (!okno_) return;
  sit_.odpoj();
  for (RSoused& so : okno_->Sousede) so.propojeny = false;
  sit_ = Sit();
  pozadi_.clear();
  okno_ = nullptr;
}

Stav* HraSite::stanice(std::size_t i) {
  return i < pozadi_.size() && pozadi_[i] ? &pozadi_[i]->stav : nullptr;
}

}  // namespace stanovar
