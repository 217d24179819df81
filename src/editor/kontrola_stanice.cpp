#include "editor/editor.h"

#include <algorithm>
#include <cstdio>
#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <unordered_map>

#include "control/cesty.h"
#include "display/kresleni.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "jadro.h"
#include "model/kodovani.h"
#include "model/seznamy.h"
#include "model/stav.h"
#include "model/text.h"
#include "dynamics/vypocty.h"
#include "traffic/predani.h"
#include "traffic/virtualni.h"

namespace stanovar {

namespace {

// The station picture of the main window; labels beyond it are cut off on screen.
constexpr int SirkaObrazu = 792;
constexpr int VyskaObrazu = 480;

// Plausible values. Speeds in km/h; gradients in tenths of a per mille: 40 per mille is
// about the steepest adhesion line there is, and trains stand on station tracks only where
// the grade stays within 2.5 per mille.
constexpr int MinRychlost = 10;
constexpr int MaxRychlost = 200;
constexpr int MaxSklonTrati = 400;
constexpr int MaxSklonStanice = 25;

std::string Bod(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// One schema line as the reader saw it, and whether it placed the element it describes.
struct RadekSchematu {
  int cislo = 0;
  char druh = ' ';
  std::array<std::string, 10> pole;
  bool umisteno = false;
};

// A route found by the program's own search on the empty station.
struct Trasa {
  bool nalezena = false;
  int delka = 0;
  int minRychlost = 0;
  std::vector<int> koleje;  // tracks in travel order
  std::vector<int> smery;   // the direction over each of them
  std::vector<int> prvky;   // tracks and connectors in travel order
  int smer = 0;             // direction over the last track
};

class Kontrola {
 public:
  Kontrola(VysledekKontroly& v, const NeulozeneSoubory& neulozene) : v_(v), neulozene_(neulozene), schema_(neulozene.schema) {
    s_.platno = &platno_;
    s_.prostredi = &prostredi_;
  }

  void Proved(const std::string& slozkaNeboIni);

 private:
  void Nahlas(bool chyba, const std::string& soubor, int radek, const std::string& prvek,
              const std::string& zprava, int zaznam = -1) {
    v_.nalezy.push_back({chyba, soubor, radek, prvek, zprava, zaznam});
  }
  int RadekPrvku(int id) const {
    auto it = radekPrvku_.find(id);
    return it == radekPrvku_.end() ? 0 : it->second;
  }
  std::string JmenoKoleje(const RKolej& k) const {
    return "track " + (k.cislo.empty() ? "#" + std::to_string(k.id) : "\"" + Cp1250NaUtf8(k.cislo) + "\"");
  }

  bool Nacti(const std::string& slozkaNeboIni);
  void KontrolujRadky();
  void KontrolujKoleje();
  void KontrolujSousedy();
  void KontrolujGrafikon();
  void KontrolujCesty();
  void KontrolujSilu();
  // Fields the reader cuts or refuses, and locomotives of one name.
  void KontrolujZaznamy(editor::DruhSeznamu druh);
  // The tracks, each with its direction, that a train from line `odkud` to line `kam` may
  // run over: its arrival track, the routes from its entry signal to every platform track,
  // and the routes from there to the departure tracks towards `kam`.
  std::vector<std::pair<const RKolej*, int>> Cesta(const std::string& odkud, const std::string& kam);
  Trasa Hledej(int navestidlo, int cil);

  VysledekKontroly& v_;
  NeulozeneSoubory neulozene_;  // bytes instead of the files', where given
  const std::string* schema_;
  PrazdnePlatno platno_{SirkaObrazu, VyskaObrazu};
  VirtualniProstredi prostredi_;
  Stav s_;
  std::string yrd_, gvd_, lok_;
  std::string obsahGvd_, obsahLok_;  // the lists' bytes as checked
  bool maSchema_ = false, maGvd_ = false, maLoko_ = false, maJazyk_ = false;
  std::vector<RadekSchematu> radky_;
  std::unordered_map<int, int> radekPrvku_;  // element id -> schema line
  std::ostringstream souhrn_;
};

bool Kontrola::Nacti(const std::string& slozkaNeboIni) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path cesta(slozkaNeboIni);
  fs::path slozka = cesta;
  if (!fs::exists(cesta, ec)) {
    Nahlas(true, cesta.filename().string(), 0, "settings", "no such folder or file");
    return false;
  }
  if (!fs::is_directory(cesta, ec)) {
    if (cesta.filename() != "stanovar.ini") {
      Nahlas(true, cesta.filename().string(), 0, "settings",
             "the program reads its settings only from a file named stanovar.ini");
      return false;
    }
    slozka = cesta.parent_path();
    if (slozka.empty()) slozka = ".";
  }
  // A station still being drawn has no settings file yet: its schema alone is checked.
  const bool bezNastaveni = schema_ && !fs::is_regular_file(slozka / "stanovar.ini", ec);
  if (!bezNastaveni && !fs::is_regular_file(slozka / "stanovar.ini", ec)) {
    Nahlas(true, "stanovar.ini", 0, "settings", "no stanovar.ini in " + slozka.string());
    return false;
  }

  // The settings as the program's start-up reads them; then every file that is there, each
  // on its own and none of them followed by a train generation, so that what is reported is
  // the station as its files define it, the same at every run.
  Nastaveni& n = s_.nastaveni;
  n.startovniAdresar = fs::absolute(slozka, ec).lexically_normal().string();
  while (n.startovniAdresar.size() > 1 && n.startovniAdresar.back() == '/')
    n.startovniAdresar.pop_back();
  if (prostredi_.dpi() == 96) n.velikostTextu = 9;
  if (bezNastaveni) {
    const fs::path kmen = fs::path(n.startovniAdresar) / fs::path(n.startovniAdresar).filename();
    n.cestaSchema = kmen.string() + ".yrd";
    if (neulozene_.grafikon) n.cestaGvd = kmen.string() + ".gvd";
    if (neulozene_.lokomotivy) n.cestaLoko = kmen.string() + ".lok";
  } else if (!NactiNastaveni(s_)) {
    Nahlas(true, "stanovar.ini", 0, "settings", "cannot be read");
    return false;
  }
  NastavBarvy(s_);
  yrd_ = JmenoSouboru(n.cestaSchema);
  gvd_ = JmenoSouboru(n.cestaGvd);
  lok_ = JmenoSouboru(n.cestaLoko);

  // What follows from a file that is missing: the schema is the station, the others have
  // a stand-in.
  struct Soubor {
    const std::string* cesta;
    const char* co;
    const char* bez;  // nullptr: an error
    void (*cti)(Stav&, std::string_view);
    bool* ma;
  } soubory[] = {
      {&n.cestaJazyk, "language file", "the built-in texts are shown", CtiLng, &maJazyk_},
      {&n.cestaLoko, "locomotive list", "every train runs behind the default locomotive",
       CtiLoko, &maLoko_},
      {&n.cestaSchema, "station schema", nullptr, CtiSchema, &maSchema_},
      {&n.cestaGvd, "timetable", "no trains come", CtiGvd, &maGvd_},
  };
  std::size_t koleje = 0, spojky = 0, navestidla = 0, sousede = 0;
  s_.schemaRadek = [&](int cislo, char druh, const std::array<std::string_view, 10>& pole) {
    RadekSchematu r;
    r.cislo = cislo;
    r.druh = druh;
    for (std::size_t i = 1; i < pole.size(); ++i) r.pole[i] = std::string(pole[i]);
    auto pribylo = [&](const auto& seznam, std::size_t& pred) {
      const bool ano = seznam.size() > pred;
      pred = seznam.size();
      if (ano) radekPrvku_[seznam.back().id] = cislo;
      return ano;
    };
    switch (druh) {
      case '1': r.umisteno = pribylo(s_.Koleje, koleje); break;
      case '2': r.umisteno = pribylo(s_.Spojky, spojky); break;
      case '3': r.umisteno = pribylo(s_.Navestidla, navestidla); break;
      case '6': r.umisteno = pribylo(s_.Sousede, sousede); break;
      default: r.umisteno = true; break;
    }
    radky_.push_back(std::move(r));
  };
  for (const Soubor& f : soubory) {
    std::string obsah;
    std::string vada;
    const std::string* neulozeny = f.cti == CtiSchema ? neulozene_.schema
                                   : f.cti == CtiGvd  ? neulozene_.grafikon
                                   : f.cti == CtiLoko ? neulozene_.lokomotivy
                                                      : nullptr;
    if (neulozeny)
      obsah = *neulozeny;
    else if (f.cesta->empty())
      vada = std::string("names no ") + f.co;
    else if (!NactiSoubor(NormalizujCestu(*f.cesta), obsah))
      vada = std::string("cannot read the ") + f.co + " " + *f.cesta;
    if (vada.empty()) {
      if (f.cti == CtiGvd) obsahGvd_ = obsah;
      if (f.cti == CtiLoko) obsahLok_ = obsah;
      f.cti(s_, obsah);
      *f.ma = true;
      continue;
    }
    Nahlas(!f.bez, f.cesta->empty() ? "stanovar.ini" : JmenoSouboru(*f.cesta), 0,
           f.cesta->empty() ? "settings" : f.co,
           vada + (f.bez ? std::string(": ") + f.bez : std::string()));
  }
  s_.schemaRadek = nullptr;
  return true;
}

void Kontrola::KontrolujRadky() {
  for (const RadekSchematu& r : radky_) {
    auto cislo = [&](std::size_t i) { return PrevedCislo(r.pole[i]); };
    const int x = cislo(1), y = cislo(2);
    switch (r.druh) {
      case '1':
      case '2': {
        const bool kolej = r.druh == '1';
        const int x2 = cislo(3), y2 = cislo(4);
        const std::string prvek =
            (kolej ? "track \"" + Cp1250NaUtf8(r.pole[7]) + "\" " : std::string("connector ")) + Bod(x, y) +
            "-" + Bod(x2, y2);
        std::string vada;
        if (!r.umisteno)
          vada = "the program does not place it (coordinates out of range or both ends at one "
                 "point)";
        else if (x % gx || y % gy || x2 % gx || y2 % gy)
          vada = "an end lies off the 6 x 12 pixel grid";
        else if (kolej && y != y2)
          vada = "a track must be horizontal: both ends on one row";
        else if (kolej && x >= x2)
          vada = "a track's first end must lie left of its second";
        else if (!kolej && !(y == y2 && x < x2) && !(x == x2 && y != y2) &&
                 !(x < x2 && std::abs(y2 - y) * gx == (x2 - x) * gy))
          vada = "a connector must be horizontal or vertical, or a diagonal of one row per "
                 "grid column, with its first end on the left";
        if (!vada.empty()) Nahlas(true, yrd_, r.cislo, prvek, "cannot be placed: " + vada);
        break;
      }
      case '3':
        if (!r.umisteno)
          Nahlas(true, yrd_, r.cislo, "signal " + Bod(x, y),
                 "no track ends at its point, so the program drops it");
        break;
      case '4': {
        // The label's box as the drawing places it, with the core's estimate of text width.
        const int velikost = cislo(6) > 0 ? cislo(6) : s_.nastaveni.velikostTextu;
        const int vx = cislo(1), vy = cislo(3);
        const std::string text = Orez(r.pole[5], 30);
        platno_.pismo("", velikost, 0, false);
        const int sirka = platno_.sirkaTextu(text);
        const int horni = vy - 3 - velikost / 2, dolni = horni + velikost * 4 / 3;
        if (vx < 0 || horni < 0 || vx + sirka > SirkaObrazu || dolni > VyskaObrazu)
          Nahlas(false, yrd_, r.cislo, "label \"" + Cp1250NaUtf8(text) + "\" at " + Bod(vx, vy),
                 "lies (partly) outside the " + std::to_string(SirkaObrazu) + " x " +
                     std::to_string(VyskaObrazu) + " picture");
        break;
      }
      case '5': {
        const int x1 = cislo(1), x2 = cislo(2), rada = cislo(3);
        if (!KolejVBode(s_, x1, rada) && !KolejVBode(s_, x1, rada + gy))
          Nahlas(true, yrd_, r.cislo, "platform " + Bod(x1, rada) + "-" + Bod(x2, rada),
                 "cannot be placed: no track at its start on the row above or below it");
        break;
      }
      case '6': {
        const std::string prvek = "line end " + Cp1250NaUtf8(Jmeno8(r.pole[4])) + " " + Bod(x, y);
        const int druh = cislo(6);
        if (!r.umisteno)
          Nahlas(true, yrd_, r.cislo, prvek, "no track ends at its point, so the program drops it");
        else if (druh < 1 || druh > 3)
          Nahlas(true, yrd_, r.cislo, prvek,
                 "direction kind " + std::to_string(druh) +
                     " is none of 1 (arrivals), 2 (departures), 3 (both)");
        break;
      }
      default: {
        const std::string druh = r.druh == ' ' ? "none (an empty line before any element)"
                                               : "'" + std::string(1, r.druh) + "'";
        Nahlas(true, yrd_, r.cislo, "line", "unknown line kind " + druh + ": the line is skipped");
        break;
      }
    }
  }
}

void Kontrola::KontrolujKoleje() {
  std::map<std::string, int> cisla;  // track number -> line of its first track
  std::unordered_map<int, const RadekSchematu*> radek;
  for (const RadekSchematu& r : radky_) radek[r.cislo] = &r;
  auto rozsah = [&](const RKolej& k, const std::string& prvek, int pole) {
    const int rad = RadekPrvku(k.id);
    const RadekSchematu* r = radek.count(rad) ? radek[rad] : nullptr;
    const int v = r ? PrevedCislo(r->pole[static_cast<std::size_t>(pole)]) : k.rychlost;
    if (v < MinRychlost || v > MaxRychlost)
      Nahlas(false, yrd_, rad, prvek,
             "speed limit " + std::to_string(v) + " km/h is outside " +
                 std::to_string(MinRychlost) + ".." + std::to_string(MaxRychlost) +
                 (v != k.rychlost ? " (stored as " + std::to_string(k.rychlost) + ")" : "") +
                 (k.rychlost == 0 ? ": no route is set over it and no train enters by it" : ""));
    if (k.delka <= 0) Nahlas(false, yrd_, rad, prvek, "length " + std::to_string(k.delka) + " m");
  };
  for (const RKolej& k : s_.Koleje) {
    const int rad = RadekPrvku(k.id);
    const std::string prvek = JmenoKoleje(k);
    if (!k.cislo.empty()) {
      auto [it, nove] = cisla.emplace(k.cislo, rad);
      if (!nove)
        Nahlas(true, yrd_, rad, prvek,
               "duplicate track number: also used by the track at line " +
                   std::to_string(it->second));
    }
    rozsah(k, prvek, 8);
    const int mez = k.druhKonce ? MaxSklonTrati : MaxSklonStanice;
    if (std::abs(k.sklon) > mez)
      Nahlas(false, yrd_, rad, prvek,
             "gradient " + RealNaText(k.sklon / 10.0) + " per mille is steeper than " +
                 RealNaText(mez / 10.0) + (k.druhKonce ? " for a line" : " for a station track"));
  }
  for (const RKolej& c : s_.Spojky)
    rozsah(c, "connector " + Bod(c.x1, c.y1) + "-" + Bod(c.x2, c.y2), 7);
}

void Kontrola::KontrolujGrafikon() {
  // Each "*" starts an entry wherever it stands, so the n-th "*" of the file is the line of
  // the n-th entry.
  std::vector<int> radky;
  int radek = 1;
  for (char c : obsahGvd_) {
    if (c == '*') radky.push_back(radek);
    if (c == '\n') ++radek;
  }
  std::set<std::string> lokomotivy;
  for (const RLoko& l : s_.Lokomotivy) lokomotivy.insert(l.jmeno);
  // The line ends by name, each with the ways it is used: 1 arrivals, 2 departures, 3 both.
  std::map<std::string, int> konce;
  for (const RSoused& so : s_.Sousede) konce[so.jmeno] |= so.druh >= 1 && so.druh <= 3 ? so.druh : 0;
  const RKolej* nejdelsi = nullptr;  // the longest platform track
  for (const RKolej& k : s_.Koleje)
    if (!k.stanice.empty() && k.druhKonce == 0 && (!nejdelsi || k.delka > nejdelsi->delka)) nejdelsi = &k;
  std::map<int, int> cisla;  // train number -> line of its first entry
  for (std::size_t i = 0; i < s_.Grafikon.size(); ++i) {
    const RSpoj& sp = s_.Grafikon[i];
    const int rad = i < radky.size() ? radky[i] : 0;
    const int zaznam = static_cast<int>(i);
    const std::string prvek = "train " + std::to_string(sp.cislo);
    auto nahlas = [&](bool chyba, const std::string& zprava) { Nahlas(chyba, gvd_, rad, prvek, zprava, zaznam); };
    if (auto [it, nove] = cisla.emplace(sp.cislo, rad); !nove)
      nahlas(false, "the number is also used by the entry at line " + std::to_string(it->second) +
                        ": while a train of that number is in the station, no other is let in");
    // Without a schema there are no line ends to compare with: that error is the schema's.
    if (maSchema_) {
      const std::string odkud = "\"" + Cp1250NaUtf8(sp.odkud) + "\"", kam = "\"" + Cp1250NaUtf8(sp.kam) + "\"";
      const auto o = konce.find(sp.odkud), k = konce.find(sp.kam);
      const int zOdkud = o == konce.end() ? -1 : o->second, doKam = k == konce.end() ? -1 : k->second;
      if (zOdkud < 0)
        nahlas(true, "origin " + odkud + " is no line end of the station");
      else if (!(zOdkud & 1))
        nahlas(true, "origin " + odkud + " is a line end for departures only: no train comes from it");
      // From a line for arrivals only a train is let in unasked: with no way out it stays.
      if (zOdkud == 1 && (doKam < 0 || !(doKam & 2)))
        nahlas(true, "comes unasked from the arrivals-only line " + odkud + ", but no line departs to " + kam +
                         ": it is let in and can never leave");
      else if (doKam < 0)
        nahlas(true, "destination " + kam + " is no line end of the station");
      else if (!(doKam & 2))
        nahlas(true, "destination " + kam + " is a line end for arrivals only: no train leaves by it");
    }
    if (maLoko_ && !lokomotivy.count(sp.loko))
      nahlas(true, "locomotive \"" + Cp1250NaUtf8(sp.loko) + "\" is not in " + lok_ +
                       ": the train runs behind the default locomotive");
    if (sp.delka < NejkratsiVlak)
      nahlas(false, "length " + std::to_string(sp.delka) + " m: the train runs as " +
                        std::to_string(NejkratsiVlak) + " m long");
    if (nejdelsi && sp.delka > nejdelsi->delka)
      nahlas(false, "at " + std::to_string(sp.delka) + " m it is longer than every platform track (the longest, " +
                        JmenoKoleje(*nejdelsi) + ", is " + std::to_string(nejdelsi->delka) + " m)");
  }
}

std::vector<std::pair<const RKolej*, int>> Kontrola::Cesta(const std::string& odkud, const std::string& kam) {
  std::vector<std::pair<const RKolej*, int>> cesta;
  auto pridej = [&](const Trasa& t) {
    for (std::size_t i = 0; i < t.koleje.size(); ++i)
      if (const RKolej* k = NajdiKolej(s_, t.koleje[i])) cesta.emplace_back(k, t.smery[i]);
  };
  std::vector<const RKolej*> odjezdy;
  for (const RSoused& so : s_.Sousede)
    if (so.jmeno == kam && (so.druh == 2 || so.druh == 3))
      if (const RKolej* k = KolejVBode(s_, so.x, so.y)) odjezdy.push_back(k);
  for (const RSoused& so : s_.Sousede) {
    if (so.jmeno != odkud || (so.druh != 1 && so.druh != 3)) continue;
    const RKolej* vjezd = KolejVBode(s_, so.x, so.y);
    if (!vjezd) continue;
    // A train enters away from the line end, as the hand-over sends it.
    cesta.emplace_back(vjezd, so.konec == 1 ? 2 : 1);
    const RNavestidlo* n = NavestidloVBode(s_, so.konec == 1 ? vjezd->x2 : vjezd->x1, vjezd->y1);
    if (!n) continue;
    const int navestidlo = n->id;
    for (const RKolej& k : s_.Koleje) {
      if (k.stanice.empty() || k.druhKonce != 0) continue;
      const Trasa t = Hledej(navestidlo, k.id);
      if (!t.nalezena) continue;
      pridej(t);
      for (int kx : {k.x1, k.x2})
        if (const RNavestidlo* m = NavestidloVBode(s_, kx, k.y1)) {
          const int id = m->id;
          for (const RKolej* o : odjezdy) pridej(Hledej(id, o->id));
        }
    }
  }
  return cesta;
}

void Kontrola::KontrolujZaznamy(editor::DruhSeznamu druh) {
  const bool grafikon = druh == editor::DruhSeznamu::Grafikon;
  const std::string& obsah = grafikon ? obsahGvd_ : obsahLok_;
  const editor::Seznam seznam = editor::CtiSeznam(druh, obsah);
  std::vector<int> radky;
  int radek = 1;
  for (char c : obsah) {
    if (c == '*') radky.push_back(radek);
    if (c == '\n') ++radek;
  }
  // The names of the columns an author sees, by slot.
  static const char* const Grafikonu[] = {"", "number", "origin", "destination", "length", "weight",
                                          "maximum speed", "locomotive", "value A", "value B", "value C"};
  static const char* const Lokomotiv[] = {"", "name", "maximum speed", "power", "weight", "speed 1",
                                          "speed 2", "resistance A", "resistance B", "resistance C", "mass factor"};
  std::map<std::string, int> jmena;  // locomotive name -> line of its first record
  for (std::size_t i = 0; i < seznam.zaznamy.size(); ++i) {
    const editor::Zaznam& z = seznam.zaznamy[i];
    const int rad = i < radky.size() ? radky[i] : 0;
    const std::string prvek = grafikon ? "train " + Cp1250NaUtf8(z.pole[1]) : "locomotive " + Cp1250NaUtf8(z.pole[1]);
    for (std::size_t slot = 1; slot <= editor::PocetPoliZaznamu; ++slot) {
      const editor::Posudek p = editor::PosudPole(druh, slot, z.pole[slot]);
      if (p.vada)
        Nahlas(false, grafikon ? gvd_ : lok_, rad, prvek,
               std::string(grafikon ? Grafikonu[slot] : Lokomotiv[slot]) + " \"" + Cp1250NaUtf8(z.pole[slot]) + "\" " + p.zprava,
               static_cast<int>(i));
    }
    if (grafikon) continue;
    const std::string jmeno = editor::PosudPole(druh, 1, z.pole[1]).hodnota;
    if (auto [it, nove] = jmena.emplace(jmeno, rad); !nove)
      Nahlas(false, lok_, rad, prvek,
             "the name is also used by the locomotive at line " + std::to_string(it->second) +
                 ": trains always get that one",
             static_cast<int>(i));
  }
}

void Kontrola::KontrolujSilu() {
  // Below half the speed it could otherwise run at, a train holds up the line behind it for
  // minutes, and the slightest check stalls it on the climb.
  constexpr double Podil = 0.5;
  std::map<std::pair<std::string, std::string>, std::vector<std::pair<const RKolej*, int>>> cesty;
  std::vector<int> radky;
  int radek = 1;
  for (char c : obsahGvd_) {
    if (c == '*') radky.push_back(radek);
    if (c == '\n') ++radek;
  }
  for (std::size_t i = 0; i < s_.Grafikon.size(); ++i) {
    const RSpoj& sp = s_.Grafikon[i];
    auto it = cesty.find({sp.odkud, sp.kam});
    if (it == cesty.end()) it = cesty.emplace(std::make_pair(sp.odkud, sp.kam), Cesta(sp.odkud, sp.kam)).first;
    // The steepest climb of its way, as the running calculation takes gradients.
    const RKolej* stoupani = nullptr;
    int sklon = 0;
    for (const auto& [k, smer] : it->second) {
      const int g = smer == 1 ? -k->sklon : k->sklon;
      if (g > sklon) {
        sklon = g;
        stoupani = k;
      }
    }
    if (!stoupani) continue;
    RVlak v;
    v.cislo = sp.cislo;
    v.delka = std::max(sp.delka, NejkratsiVlak);
    v.hmotnost = sp.hmotnost;
    v.maxRychlost = sp.maxRychlost;
    PriradLoko(s_, v, sp.loko);
    v.sklonPrvku = sklon / 1000.0;
    v.BrzdZrych = BrzdneZpomaleni(v.cislo, v.delka, false);
    const int mez = std::min(v.maxRychlost, static_cast<int>(stoupani->rychlost));
    if (mez <= 0) continue;
    // A long run from a stand up the climb: the highest speed it reaches is the one it holds.
    RVypocet plan;
    const bool spocteno = vypocty(s_, plan, v, mez, 20000.0, mez, 0.0);
    const double drzi = spocteno ? plan.RychlostMax * 3.6 : 0.0;
    if (spocteno && drzi >= Podil * mez) continue;
    const std::string stoupa = "the climb of " + RealNaText(sklon / 10.0) + " per mille on " + JmenoKoleje(*stoupani);
    const std::string loko = sp.loko.empty() ? std::string("the default locomotive") : "locomotive \"" + Cp1250NaUtf8(sp.loko) + "\"";
    char rychlost[32];
    std::snprintf(rychlost, sizeof rychlost, "%.0f", drzi);
    Nahlas(false, gvd_, i < radky.size() ? radky[i] : 0, "train " + std::to_string(sp.cislo),
           "too weak for " + stoupa + " on its way: behind " + loko + " with " + std::to_string(sp.hmotnost) +
               " t it " + (spocteno && drzi >= 1 ? "holds only " + std::string(rychlost) + " km/h there (of " + std::to_string(mez) + ")"
                                                 : std::string("cannot start there")),
           static_cast<int>(i));
  }
}

void Kontrola::KontrolujSousedy() {
  // Two line ends of one name used both ways: a double-track line whose tracks both take
  // trains either way. It works, but the dispatcher must tell the offers apart by track.
  std::map<std::string, const RSoused*> prvni;
  for (const RSoused& so : s_.Sousede) {
    if (so.druh != 3) continue;
    auto [it, nove] = prvni.emplace(so.jmeno, &so);
    if (nove) continue;
    Nahlas(false, yrd_, RadekPrvku(so.id),
           "line end " + Cp1250NaUtf8(so.jmeno) + " " + Bod(so.x, so.y),
           "shares its name with the line end at line " + std::to_string(RadekPrvku(it->second->id)) +
               ", both used both ways: a double-track line used both ways, so each offer names "
               "its track");
  }
}

Trasa Kontrola::Hledej(int navestidlo, int cil) {
  Trasa t;
  RNavestidlo* n = NajdiNavestidlo(s_, navestidlo);
  if (!n) return t;
  const int x = n->x, y = n->y;
  const std::uint16_t strana = n->strana;
  s_.HledanaCesta.clear();
  s_.UlozenaCesta.clear();
  s_.VyberCesty = true;
  s_.StartNavestidlo = navestidlo;
  s_.CilovaKolej = cil;
  s_.PosledniX = x;
  s_.PosledniY = y;
  s_.PosledniSmer = strana;
  // As the dispatcher's click on the destination track does: the search ends only on the
  // destination, and a path counts only when its walk back reaches the start signal.
  if (HledejCestu(s_, x, y, strana, 0, 0)) {
    SestavCestu(s_, Sestaveni::Konecne);
    if (!s_.HledanaCesta.empty() && s_.HledanaCesta.front().prvek == navestidlo) {
      t.nalezena = true;
      t.minRychlost = 200;
      for (const RKrok& k : s_.HledanaCesta) {
        t.delka = k.delka;
        t.minRychlost = std::min(t.minRychlost, k.minRychlost);
        if (JeKolej(k.prvek)) {
          t.koleje.push_back(k.prvek);
          t.smery.push_back(k.smer);
          t.smer = k.smer;
        }
        if (JeKolej(k.prvek) || JeSpojka(k.prvek)) t.prvky.push_back(k.prvek);
      }
    }
  }
  s_.HledanaCesta.clear();
  s_.UlozenaCesta.clear();
  s_.VyberCesty = false;
  s_.CilovaKolej = 0;
  if (RNavestidlo* m = NajdiNavestidlo(s_, navestidlo)) m->stav = 0;
  return t;
}

void Kontrola::KontrolujCesty() {
  struct Linka {
    const RSoused* konec;
    const RKolej* kolej;
    int navestidlo;  // entry signal at the inner end of an arrival track, 0 none
  };
  std::vector<Linka> vjezdy, odjezdy;
  for (const RSoused& so : s_.Sousede) {
    RKolej* k = KolejVBode(s_, so.x, so.y);
    if (!k) continue;
    if (so.druh == 2 || so.druh == 3) odjezdy.push_back({&so, k, 0});
    if (so.druh != 1 && so.druh != 3) continue;
    const int vx = so.konec == 1 ? k->x2 : k->x1;
    RNavestidlo* n = NavestidloVBode(s_, vx, k->y1);
    vjezdy.push_back({&so, k, n ? n->id : 0});
    if (!n)
      Nahlas(false, yrd_, RadekPrvku(so.id), "line end " + Cp1250NaUtf8(so.jmeno) + " " + Bod(so.x, so.y),
             "no signal stands at the inner end " + Bod(vx, k->y1) + " of its " +
                 JmenoKoleje(*k) + ", so no route can take its trains in");
  }
  std::vector<const RKolej*> nastupistni;
  for (const RKolej& k : s_.Koleje)
    if (!k.stanice.empty() && k.druhKonce == 0) nastupistni.push_back(&k);

  auto linky = [&](const std::vector<Linka>& l) {
    std::string t;
    for (const Linka& x : l)
      t += (t.empty() ? "" : ", ") + Cp1250NaUtf8(x.konec->jmeno) + " (" + JmenoKoleje(*x.kolej) + ")";
    return t.empty() ? std::string("none") : t;
  };
  souhrn_ << "Entry lines: " << linky(vjezdy) << "\n";
  souhrn_ << "Exit lines: " << linky(odjezdy) << "\n";
  souhrn_ << "Routes from the entry signals to the platform tracks:\n";

  for (const Linka& l : vjezdy) {
    if (!l.navestidlo) continue;
    const RNavestidlo* n = NajdiNavestidlo(s_, l.navestidlo);
    const std::string start = "entry signal " + Bod(n->x, n->y) + " from " + Cp1250NaUtf8(l.konec->jmeno);
    souhrn_ << "  " << start << ":\n";
    int nalezeno = 0;
    for (const RKolej* k : nastupistni) {
      const Trasa t = Hledej(l.navestidlo, k->id);
      souhrn_ << "    to " << JmenoKoleje(*k) << ": ";
      if (t.nalezena) {
        souhrn_ << t.delka << " m, " << t.minRychlost << " km/h\n";
        TrasaKontroly& tk = v_.trasy.emplace_back();
        tk.radekNavestidla = RadekPrvku(l.navestidlo);
        tk.soused = l.konec->jmeno;
        tk.radekCile = RadekPrvku(k->id);
        for (int id : t.koleje) tk.radkyKoleji.push_back(RadekPrvku(id));
        for (int id : t.prvky) tk.radkyPrvku.push_back(RadekPrvku(id));
        tk.delka = t.delka;
        tk.minRychlost = t.minRychlost;
      } else
        souhrn_ << "no route\n";
      nalezeno += t.nalezena;
    }
    if (nalezeno == 0)
      Nahlas(false, yrd_, RadekPrvku(l.navestidlo), start, "no platform track can be reached");
  }

  // A platform track leads out when a route from a signal at one of its ends reaches some
  // departure line.
  for (const RKolej* k : nastupistni) {
    bool ven = false;
    for (int kx : {k->x1, k->x2}) {
      RNavestidlo* n = NavestidloVBode(s_, kx, k->y1);
      if (!n) continue;
      const int id = n->id;
      for (const Linka& l : odjezdy)
        if (!ven && Hledej(id, l.kolej->id).nalezena) ven = true;
    }
    if (!ven)
      Nahlas(false, yrd_, RadekPrvku(k->id), JmenoKoleje(*k),
             "platform track from which no exit line can be reached");
  }

  // Every track a train can get to by a chain of routes, the first set from an entry signal
  // and each next one from the signal where the one before ended.
  std::set<int> dosazene, navstivena;
  std::deque<int> fronta;
  for (const Linka& l : vjezdy) {
    dosazene.insert(l.kolej->id);
    if (l.navestidlo && navstivena.insert(l.navestidlo).second) fronta.push_back(l.navestidlo);
  }
  while (!fronta.empty()) {
    const int n = fronta.front();
    fronta.pop_front();
    for (std::size_t i = 0; i < s_.Koleje.size(); ++i) {
      const RKolej& cil = s_.Koleje[i];
      if (cil.druhKonce == 1) continue;
      const Trasa t = Hledej(n, cil.id);
      if (!t.nalezena) continue;
      dosazene.insert(t.koleje.begin(), t.koleje.end());
      const RKolej* posledni = NajdiKolej(s_, t.koleje.back());
      const int kx = t.smer == 1 ? posledni->x1 : posledni->x2;
      if (RNavestidlo* dalsi = NavestidloVBode(s_, kx, posledni->y1))
        if (navstivena.insert(dalsi->id).second) fronta.push_back(dalsi->id);
    }
  }
  for (const RKolej& k : s_.Koleje)
    if (!dosazene.count(k.id))
      Nahlas(false, yrd_, RadekPrvku(k.id), JmenoKoleje(k),
             "not reachable by any route from an entry signal");
}

void Kontrola::Proved(const std::string& slozkaNeboIni) {
  if (Nacti(slozkaNeboIni)) {
    if (maSchema_) {
      KontrolujRadky();
      KontrolujKoleje();
      KontrolujSousedy();
    }
    if (maGvd_) KontrolujGrafikon();
    if (maGvd_) KontrolujZaznamy(editor::DruhSeznamu::Grafikon);
    if (maLoko_) KontrolujZaznamy(editor::DruhSeznamu::Lokomotivy);
  }
  int popisky = 0, nastupiste = 0;
  for (const RadekSchematu& r : radky_) {
    popisky += r.druh == '4';
    nastupiste += r.druh == '5';
  }
  souhrn_ << "Station " << yrd_ << ": " << s_.Koleje.size() << " tracks, "
          << s_.Spojky.size() << " connectors, " << s_.Navestidla.size() << " signals, "
          << s_.Sousede.size() << " line ends, " << nastupiste << " platforms, " << popisky
          << " labels\n";
  souhrn_ << "Timetable " << gvd_ << ": " << s_.Grafikon.size()
          << " trains; locomotives " << lok_ << ": " << s_.Lokomotivy.size()
          << "\n";
  if (!s_.Koleje.empty()) KontrolujCesty();
  if (maSchema_ && maGvd_ && !s_.Koleje.empty()) KontrolujSilu();
  // Problems in file and line order, schema first, whatever order the checks ran in.
  std::stable_sort(v_.nalezy.begin(), v_.nalezy.end(), [&](const Nalez& a, const Nalez& b) {
    auto poradi = [&](const Nalez& n) {
      return n.soubor == yrd_ ? 1 : n.soubor == gvd_ ? 2 : n.soubor == lok_ ? 3 : 0;
    };
    return std::make_pair(poradi(a), a.radek) < std::make_pair(poradi(b), b.radek);
  });
  souhrn_ << v_.Chyb() << " errors, " << v_.Varovani() << " warnings\n";
  v_.souhrn = souhrn_.str();
}

}  // namespace

std::string Nalez::Text() const {
  std::string t = soubor;
  if (radek > 0) t += ":" + std::to_string(radek);
  return t + ": " + (chyba ? "error" : "warning") + ": " + prvek + ": " + zprava;
}

int VysledekKontroly::Chyb() const {
  return static_cast<int>(std::count_if(nalezy.begin(), nalezy.end(),
                                        [](const Nalez& n) { return n.chyba; }));
}

int VysledekKontroly::Varovani() const { return static_cast<int>(nalezy.size()) - Chyb(); }

VysledekKontroly ZkontrolujStanici(const std::string& slozkaNeboIni, const NeulozeneSoubory& neulozene) {
  VysledekKontroly v;
  Kontrola(v, neulozene).Proved(slozkaNeboIni);
  return v;
}

}  // namespace stanovar
