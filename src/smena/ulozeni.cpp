#include "jadro.h"
#include "smena/smena.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <utility>

#include "display/kresleni.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/seznamy.h"
#include "smena/casti.h"
#include "smena/hodnoty.h"
#include "traffic/generace.h"
#include "traffic/smycka.h"

namespace stanovar {

using namespace ulozeni;

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
  if (json d = DalsiSpoje(s); !d.is_null()) j["dalsiSpoje"] = std::move(d);
  if (s.pametCest) j["pametCest"] = Pamet(*s.pametCest);
  // "dispecer" is the simple dispatcher's, as saves of the version before the automatic one
  // planned hold it.
  if (c.dispecer) j["automatickyDispecer"] = Dispecer(*c.dispecer);
  if (c.jednoduchy) j["dispecer"] = Jednoduchy(*c.jednoduchy);
  if (c.nahodny) j["nahodny"] = Nahodny(*c.nahodny);
  if (c.kontrola) j["kontrola"] = Kontrola(*c.kontrola);
  if (c.hodiny) j["virtualniHodiny"] = VirtualniHodiny(*c.hodiny);
  if (c.doplnek) j["doplnek"] = *c.doplnek;
  return j;
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

// The picture as it looked when saved, for a canvas that kept no operations: the station
// drawn as when it was opened, then every element, signal and offer in its state colour. The
// picture is drawn over and over as trains run, and what was drawn last is not kept; the
// order here is that of a station in service: line tracks have been redrawn since their
// labels (every train uses them), and signals since the tracks they stand on (a route is set
// from them after the track was occupied).
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

// The accept panel asks its question again, in the texts of the state's language: the save
// keeps it worded in the language it was made in.
void PrelozNabidku(Stav& s) {
  if (!s.okno.PanelSouhlas.viditelny) return;
  const RNabidka* n = NajdiNabidkuVlaku(s, s.NabizenyVlak);
  if (!n) return;
  const PanelView misto = s.okno.PanelSouhlas;
  for (const RKolej& k : s.Koleje)
    if (const RSoused* so = SousedKoleje(s, k); so && so->id == n->soused) {
      UkazNabidku(s, k);
      break;
    }
  s.okno.PanelSouhlas = misto;
}

// Everything a save holds, read into staging records while the running state stays as it is.
struct Staging {
  Stav novy;
  AutomatickyDispecer dispecer;
  JednoduchyDispecer jednoduchy;
  std::optional<NahodnyDispecer> nahodny;
  KontrolaStavu kontrola;
  std::optional<VirtualniProstredi> hodiny;
  std::string schema;
  std::vector<OperaceKresby> kresba;
  bool maKresbu = false;
  PametCest pamet;
};

// Reads the state of a save onto the staging records; throws Vadne on anything it cannot take.
VysledekUlozeni Nacti(const json& stav, Stav& s, CastiBehu& casti, Staging& n, TicheProstredi& ticho) {
  Stav& novy = n.novy;
  // The station files, each as it was when the shift was saved.
  const json& soubory = Pole(stav, "soubory");
  std::string soubor;
  switch (Soubory(soubory, novy, s.prostredi, n.schema, soubor)) {
    case StavSouboru::Chybi: return {ChybaUlozeni::ChybiSoubor, soubor};
    case StavSouboru::Zmeneny: return {ChybaUlozeni::ZmenenySoubor, soubor};
    case StavSouboru::Shoduji: break;
  }
  if (casti.svujJazyk)
    novy.nastaveni.cestaJazyk = s.nastaveni.cestaJazyk;
  else if (!novy.nastaveni.cestaJazyk.empty())
    OtevriLng(novy);
  OtevriStanici(novy);
  for (const char* klic : {"schema", "grafikon", "lokomotivy"}) {
    std::string& cesta = klic[0] == 's'   ? novy.nastaveni.cestaSchema
                         : klic[0] == 'g' ? novy.nastaveni.cestaGvd
                                          : novy.nastaveni.cestaLoko;
    cesta = Text(Pole(Pole(soubory, klic), "cesta"), "files");
  }

  // Entries a linked station added, before anything that refers to the timetable by index.
  if (stav.contains("dalsiSpoje")) DalsiSpoje(stav["dalsiSpoje"], novy);

  // The virtual clock first: the run's clock reads it.
  if (casti.hodiny) {
    n.hodiny.emplace(*casti.hodiny);
    VirtualniHodiny(Pole(stav, "virtualniHodiny"), *n.hodiny);
    novy.prostredi = &*n.hodiny;
  }
  Hodiny(Pole(stav, "hodiny"), novy, casti.hodiny != nullptr);
  novy.prostredi = &ticho;
  Prvky(Pole(stav, "prvky"), novy);
  Seznamy(Pole(stav, "seznamy"), novy);
  Fronta(Pole(stav, "fronta"), novy);
  Vyber(Pole(stav, "vyber"), novy);
  Okno(Pole(stav, "okno"), novy.okno, novy);
  if (casti.svujJazyk) PrelozNabidku(novy);
  Skore_(Pole(stav, "skore"), novy.skore, novy);
  n.maKresbu = Kresba(Pole(stav, "kresba"), n.kresba, novy);
  if (s.pametCest && stav.contains("pametCest")) Pamet(stav["pametCest"], n.pamet, novy);
  // A save made before the automatic dispatcher planned has none of its state.
  if (casti.dispecer && stav.contains("automatickyDispecer"))
    Dispecer(stav.at("automatickyDispecer"), n.dispecer);
  if (casti.jednoduchy) Jednoduchy(Pole(stav, "dispecer"), n.jednoduchy, novy);
  if (casti.nahodny) {
    n.nahodny.emplace(*casti.nahodny);
    Nahodny(Pole(stav, "nahodny"), *n.nahodny);
  }
  if (casti.kontrola) Kontrola(Pole(stav, "kontrola"), n.kontrola);
  if (casti.doplnek) {
    const json& d = Pole(stav, "doplnek");
    if (!d.is_object()) vadne("run");
    *casti.doplnek = d;
  }
  return {};
}

}  // namespace

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
  json j;
  j["format"] = FormatUlozeni;
  j["verze"] = VerzeUlozeni;
  j["kontrolniSoucet"] = Otisk(Kompaktne(stav));
  j["stav"] = std::move(stav);
  text = Rozlozeni(j);
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
  if (st == j.end() || ks == j.end() || !st->is_object() || *ks != Otisk(Kompaktne(*st)))
    return poskozeny("checksum");
  // The file must be exactly as this program writes it: a changed byte that the checksum
  // cannot see (a blank, a digit beyond a number's precision) is damage all the same.
  if (Rozlozeni(j) != text) return poskozeny("not as written");

  TicheProstredi ticho(*s.prostredi);
  PrazdnePlatno prazdne(s.platno ? s.platno->sirka() : 800, s.platno ? s.platno->vyska() : 540);
  Staging n;
  Stav& novy = n.novy;
  novy.platno = &prazdne;
  novy.prostredi = &ticho;
  novy.nastaveni = s.nastaveni;
  novy.jazyk = s.jazyk;
  novy.okno = s.okno;
  try {
    if (VysledekUlozeni r = Nacti(*st, s, casti, n, ticho); !r) return r;
  } catch (const Vadne& e) {
    return poskozeny(e.co);
  } catch (const json::exception&) {
    return poskozeny("values");
  } catch (const std::length_error&) {
    return poskozeny("values");
  }

  // Everything read: the running state is replaced, keeping who listens to it.
  novy.platno = s.platno;
  novy.prostredi = s.prostredi;
  novy.posluchaci = std::move(s.posluchaci);
  // The caller's memory of paths: the saved one, or empty (what it held was found on the
  // station before).
  novy.pametCest = s.pametCest;
  if (novy.pametCest) *novy.pametCest = std::move(n.pamet);
  novy.schemaRadek = std::move(s.schemaRadek);
  novy.zpravaOtevrena = s.zpravaOtevrena;
  novy.okno.zavrit = s.okno.zavrit;
  s = std::move(novy);
  if (casti.hodiny) *casti.hodiny = std::move(*n.hodiny);
  if (casti.dispecer) *casti.dispecer = std::move(n.dispecer);
  if (casti.jednoduchy) *casti.jednoduchy = std::move(n.jednoduchy);
  if (casti.nahodny) *casti.nahodny = std::move(*n.nahodny);
  if (casti.kontrola) *casti.kontrola = std::move(n.kontrola);
  s.okno.RychlostSimLabel = s.Text(27) + std::to_string(s.RychlostSim);
  s.okno.CetnostVlakuLabel = s.Text(26) + std::to_string(s.CetnostVlaku);
  s.okno.hodiny = TextCasuDne(CasPri(s, s.prostredi->casDne()));
  if (s.platno && n.maKresbu) Prehraj(s, n.kresba);
  else if (s.platno) Prekresli(s, n.schema, ticho);
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
