#include "vyklad/vyklad.h"

#include <filesystem>

#include "control/cesty.h"
#include "files/cteni.h"
#include "jadro.h"
#include "model/seznamy.h"
#include "model/text.h"

namespace stanovar {

namespace {

// The point look-ups keep where they stopped, for the continue rule; looking at the state must
// leave that as the core left it.
class ZachovejHledani {
 public:
  explicit ZachovejHledani(Stav& s)
      : s_(s), kolej_(s.kolejVBodePosledni), spojka_(s.spojkaVBodePosledni) {}
  ~ZachovejHledani() {
    s_.kolejVBodePosledni = kolej_;
    s_.spojkaVBodePosledni = spojka_;
  }

 private:
  Stav& s_;
  int kolej_, spojka_;
};

// The signal a click at grid point (x, y) picks, as the selection picks it.
RNavestidlo* NavestidloKliku(Stav& s, int x, int y) {
  RNavestidlo* n = NavestidloVBode(s, x, y);
  if (!n) n = NavestidloVBode(s, x + gx, y);
  if (!n) n = NavestidloVBode(s, x - gx, y);
  return n;
}

// The train on the track at the cursor, as the keys find it.
RVlak* VlakVBode(Stav& s, int x, int y, RKolej** kolej = nullptr) {
  RKolej* t = KolejVBode(s, x, y);
  if (kolej) *kolej = t;
  return t && t->vlak > 0 ? NajdiVlak(s, t->vlak) : nullptr;
}

// The number of the track at a signal: the first track there, else the other.
std::string KolejNavestidla(Stav& s, const RNavestidlo& n) {
  RKolej* t = KolejVBode(s, n.x, n.y);
  if (t && t->cislo.empty()) t = KolejVBode(s, n.x, n.y, true);
  return t ? t->cislo : std::string();
}

// What holds the first blocked element of the route stored at signal `start`.
Vysvetleni ProcUlozena(Stav& s, int start) {
  for (const RCekajiciCesta& c : s.CekajiciCesty) {
    if (c.start != start) continue;
    for (const RKrok& k : c.cesta) {
      const RKolej* e = NajdiPrvek(s, k.prvek);
      if (!e || e->zaver == 0) continue;
      if (!JeKolej(e->id)) return {Duvod::UlozenaVyhybka, e->vlak, {}};
      return {e->zaver == 3 ? Duvod::UlozenaObsazeno : Duvod::UlozenaZaver, e->vlak, e->cislo};
    }
  }
  // Blocked at its side (a connector touching it, a crossing diagonal).
  return {Duvod::UlozenaVyhybka, 0, {}};
}

}  // namespace

Pozorovani::Pozorovani(Stav& s, const PodnetHrace& v) : s_(s), v_(v) {
  vyber_ = s.VyberCesty;
  start_ = s.StartNavestidlo;
  panelSouhlas_ = s.okno.PanelSouhlas.viditelny;
  rychlost_ = s.RychlostSim;
  cetnost_ = s.CetnostVlaku;
  if (v.druh == PodnetHrace::Klavesa && v.klic == KlavesaF5) {
    ZachovejHledani z(s);
    int x = 0, y = 0;
    if (Prichyt(v.x, v.y, x, y))
      if (RVlak* t = VlakVBode(s, x, y)) {
        vlakUKurzoru_ = t->cislo;
        meloOdjezd_ = t->maOdjezd;
      }
  }
  posluchac_ = s.posluchaci.poslouchej([this](Stav&, const Oznameni& o) {
    switch (o.druh) {
      case DruhOznameni::CestaPostavena: postavena_ = true; break;
      case DruhOznameni::CestaUlozena:
        if (!ulozena_) ulozenaStart_ = o.prvek;
        ulozena_ = true;
        break;
      case DruhOznameni::CestaZrusena: zrusena_ = true; break;
      case DruhOznameni::NabidkaPrijata:
        if (o.priznak) prijatyMimo_ = o.vlak;
        break;
      default: break;
    }
  });
}

Pozorovani::~Pozorovani() { s_.posluchaci.prestan(posluchac_); }

Vysvetleni Pozorovani::Vysledek() {
  Stav& s = s_;
  ZachovejHledani z(s);
  int x = 0, y = 0;
  if (!Prichyt(v_.x, v_.y, x, y)) x = y = -1;

  if (v_.druh == PodnetHrace::Souhlas) return {prijatyMimo_ ? Duvod::TratObsazena : Duvod::Zadny, prijatyMimo_, {}};

  if (v_.druh == PodnetHrace::Klik) {
    if (!vyber_) {
      RNavestidlo* n = NavestidloKliku(s, x, y);
      if (!n) {
        const bool prvek = KolejVBode(s, x, y) || SpojkaVBode(s, x, y);
        return {prvek && !v_.prave ? Duvod::ZacniNavestidlem : Duvod::Zadny, 0, {}};
      }
      if (!v_.prave) {
        if (s.VyberCesty) return {};
        if (n->stav == 2) return {Duvod::NavestidloMaCestu, 0, KolejNavestidla(s, *n)};
        if (n->stav == 4) return {Duvod::NavestidloCeka, 0, KolejNavestidla(s, *n)};
        return {};
      }
      if (zrusena_) return {};
      if (NajdiCestu(s, n->id) && !PriblizeniDovoluje(s, *n)) {
        RKolej* t = KolejVBode(s, n->x, n->y);
        if (t && t->vlak == 0) t = KolejVBode(s, n->x, n->y, true);
        return {Duvod::VlakSeBlizi, t ? t->vlak : 0, KolejNavestidla(s, *n)};
      }
      return {Duvod::NicKeZruseni, 0, KolejNavestidla(s, *n)};
    }
    if (v_.prave) return {};
    if (RKolej* t = KolejVBode(s, x, y)) {
      // Stored at its signal: the first section waits for what holds it.
      if (ulozena_ && ulozenaStart_ == start_) return ProcUlozena(s, start_);
      if (postavena_ || ulozena_) return {};
      const bool jenPrijezdy = t->druhKonce == 1 || t->druhKonce == 4;
      return {jenPrijezdy ? Duvod::TratJenPrijezdy : Duvod::ZadnaCesta, 0, t->cislo};
    }
    if (SpojkaVBode(s, x, y)) return {s.VyberCesty ? Duvod::Zadny : Duvod::ZadnyPrujezd, 0, {}};
    return {Duvod::VyberPokracuje, 0, {}};
  }

  switch (v_.klic) {
    case KlavesaNahoru:
      return {rychlost_ >= MaxRychlostSim ? Duvod::NejvyssiRychlost : Duvod::Zadny, 0, {}};
    case KlavesaDolu: return {rychlost_ == 0 ? Duvod::JizPozastaveno : Duvod::Zadny, 0, {}};
    case KlavesaVlevo:
      return {cetnost_ <= MinCetnostVlaku ? Duvod::NejmensiCetnost : Duvod::Zadny, 0, {}};
    case KlavesaVpravo:
      return {cetnost_ >= MaxCetnostVlaku ? Duvod::NejvetsiCetnost : Duvod::Zadny, 0, {}};
    case KlavesaA:
    case KlavesaN:
      if (!panelSouhlas_) return {Duvod::ZadnaNabidka, 0, {}};
      return {prijatyMimo_ ? Duvod::TratObsazena : Duvod::Zadny, prijatyMimo_, {}};
    case KlavesaF1: return {s.okno.PanelVlak.viditelny && VlakVBode(s, x, y) ? Duvod::Zadny : Duvod::ZadnyVlak, 0, {}};
    case KlavesaF2: return {KolejVBode(s, x, y) ? Duvod::Zadny : Duvod::ZadnaKolej, 0, {}};
    case KlavesaF5: {
      if (vyber_) return {Duvod::BehemVyberu, 0, {}};
      RKolej* t = nullptr;
      RVlak* v = VlakVBode(s, x, y, &t);
      if (!v || v->cislo != vlakUKurzoru_) return {Duvod::ZadnyVlak, 0, {}};
      if (v->maOdjezd && !meloOdjezd_) return {};
      if (meloOdjezd_) return {Duvod::VlakMaOdjezd, v->cislo, {}};
      if (v->rychlost != 0 || v->CilRychl != 0 || t->zaver != 3) return {Duvod::VlakJede, v->cislo, {}};
      return {Duvod::NelzeObratit, v->cislo, {}};
    }
    default: return {};
  }
}

Popis PopisBodu(Stav& s, int x, int y) {
  ZachovejHledani z(s);
  Popis p;
  int px = 0, py = 0;
  if (!Prichyt(x, y, px, py)) return p;
  auto stavKoleje = [&](const RKolej& k) {
    p.vlak = k.vlak;
    p.stav = k.zaver == 3 ? StavPrvku::Obsazeny : k.zaver == 2 ? StavPrvku::VCeste : StavPrvku::Volny;
    if (p.stav == StavPrvku::Volny) p.vlak = 0;
    if (const RVlak* v = p.vlak ? NajdiVlak(s, p.vlak) : nullptr) p.cil = v->cil;
  };
  for (const RSoused& so : s.Sousede) {
    if (so.x != px || so.y != py) continue;
    p.druh = DruhPrvku::Trat;
    p.jmeno = so.jmeno;
    switch (so.druh) {
      case 1: p.stav = StavPrvku::JenPrijezdy; break;
      case 2: p.stav = StavPrvku::JenOdjezdy; break;
      case 5: p.stav = StavPrvku::Nabidka; break;
      case 4: p.stav = StavPrvku::Prijata; break;
      default: p.stav = StavPrvku::ObaSmery; break;
    }
    for (const RNabidka& n : s.Nabidky)
      if (n.soused == so.id) p.vlak = n.cislo;
    if (p.vlak)
      for (const SkoreVlaku& r : s.skore.vlaky)
        if (r.cislo == p.vlak && r.faze == FazeNabidnut) p.od = r.nabidnut;
    return p;
  }
  if (RNavestidlo* n = NavestidloKliku(s, px, py)) {
    p.druh = DruhPrvku::Navestidlo;
    p.jmeno = KolejNavestidla(s, *n);
    p.stav = n->stav == 1   ? StavPrvku::Zvolene
             : n->stav == 2 ? StavPrvku::CestaZNej
             : n->stav == 4 ? StavPrvku::CekaNaCestu
                            : StavPrvku::Volny;
    return p;
  }
  if (RKolej* k = KolejVBode(s, px, py)) {
    p.druh = DruhPrvku::Kolej;
    p.jmeno = k->cislo;
    stavKoleje(*k);
    return p;
  }
  if (RKolej* c = SpojkaVBode(s, px, py)) {
    p.druh = DruhPrvku::Spojka;
    stavKoleje(*c);
  }
  return p;
}

std::string JmenoStanice(const Stav& s) {
  const std::string& schema = s.nastaveni.cestaSchema;
  if (schema.empty() || s.Koleje.empty()) return {};
  std::string obsah, jmeno;
  int nejvetsi = 0;
  if (NactiSoubor(NormalizujCestu(schema), obsah))
    for (std::string_view r : Radky(obsah)) {
      // A label: kind, x, (unused), y, (unused), text, size, split at 0x85.
      if (r.size() < 2 || r[0] != '4' || r[1] != '\x85') continue;
      std::string_view pole[7];
      std::size_t i = 0;
      for (std::size_t od = 0; i < 7; ++i) {
        const std::size_t konec = r.find('\x85', od);
        pole[i] = r.substr(od, konec == std::string_view::npos ? std::string_view::npos : konec - od);
        if (konec == std::string_view::npos) break;
        od = konec + 1;
      }
      const int velikost = i >= 6 ? PrevedCislo(pole[6]) : 0;
      if (velikost > nejvetsi && !pole[5].empty()) {
        nejvetsi = velikost;
        jmeno = std::string(pole[5].substr(0, 64));
      }
    }
  if (jmeno.empty()) jmeno = std::filesystem::path(NormalizujCestu(schema)).stem().string();
  return jmeno;
}

}  // namespace stanovar
