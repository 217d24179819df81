// Reader of the station schema: one element per line, fields separated by the byte 0x85.
#include <array>
#include <string_view>

#include "display/kresleni.h"
#include "files/cteni.h"
#include "files/soubory.h"
#include "model/seznamy.h"
#include "model/text.h"

namespace stanovar {

namespace {

constexpr char Oddelovac = '\x85';
constexpr std::size_t PocetPoli = 9;
constexpr std::size_t MaxDelkaPopisku = 30;
// Track numbers are shown in a gap of the track and in the track panel; a longer text fits
// neither, and measuring a huge one would stall the drawing.
constexpr std::size_t MaxDelkaCislaKoleje = 30;
// Element lengths in metres. A route adds up the lengths of at most every track and
// connector, and this bound keeps that sum well inside int.
constexpr int MaxDelkaPrvku = 100000;

// No picture is anywhere near this large; coordinates beyond it can only come from a
// damaged file, and keeping them would overflow the pixel arithmetic of the drawing.
constexpr int MezSouradnice = 1000000;
// Label font sizes beyond this are noise, and a canvas asked for them may stall.
constexpr int MaxVelikostPopisku = 200;

struct Radek {
  char druh = ' ';
  std::array<std::string_view, PocetPoli + 1> pole{};  // fields 1..9; index 0 unused

  int cislo(std::size_t i) const { return PrevedCislo(pole[i]); }
};

// Splits a line into head and fields. A line with an empty head keeps the previous kind.
void Rozdel(std::string_view radek, Radek& r) {
  std::size_t p = radek.find(Oddelovac);
  std::string_view hlava = radek.substr(0, p);
  if (!hlava.empty()) r.druh = hlava.back();
  r.pole.fill({});
  for (std::size_t i = 1; i <= PocetPoli && p != std::string_view::npos; ++i) {
    std::size_t z = p + 1;
    p = radek.find(Oddelovac, z);
    r.pole[i] = radek.substr(z, p == std::string_view::npos ? std::string_view::npos : p - z);
  }
}

bool VRozsahu(int v) { return v >= -MezSouradnice && v <= MezSouradnice; }
bool VRozsahu(int a, int b) { return VRozsahu(a) && VRozsahu(b); }

struct Citace {
  int koleje = 0;
  int spojky = 0;
  int navestidla = 0;
  int sousede = 0;
  // Labels and platforms keep no record, but each is drawn: they are bounded like the
  // element kinds so that a file cannot make loading take minutes.
  int popisky = 0;
  int nastupiste = 0;
};

int Delka(const Radek& r, std::size_t i) {
  int d = r.cislo(i);
  return d > MaxDelkaPrvku ? MaxDelkaPrvku : d < -MaxDelkaPrvku ? -MaxDelkaPrvku : d;
}

// The two ends of a track or connector from fields 1 to 4; false when they lie beyond what
// the drawing arithmetic can take.
bool Konce(const Radek& r, RKolej& k) {
  k.x1 = r.cislo(1);
  k.y1 = r.cislo(2);
  k.x2 = r.cislo(3);
  k.y2 = r.cislo(4);
  // Both ends at one point (a line with no fields gives (0, 0) twice) place nothing: it
  // would be found at that point by every look-up and would mark signals nonsensically.
  if (k.x1 == k.x2 && k.y1 == k.y2) return false;
  return VRozsahu(k.x1, k.y1) && VRozsahu(k.x2, k.y2);
}

void Kolej(Stav& s, const Radek& r, Citace& c) {
  if (c.koleje >= MaxPrvkuDruhu) return;
  RKolej k;
  if (!Konce(r, k)) return;
  k.sklon = r.cislo(5);
  k.delka = Delka(r, 6);
  k.cislo = Orez(r.pole[7], MaxDelkaCislaKoleje);
  k.rychlost = static_cast<std::uint8_t>(r.cislo(8));
  k.doplnek = static_cast<std::uint8_t>(r.cislo(9));
  k.id = ZakladKoleji + 1 + c.koleje++;
  k.viditelna = true;
  const RKolej& kol = PridejKolej(s, k);
  KresliUsek(s, kol.x1, kol.y1, kol.x2, kol.y2);
  KresliKolej(s, kol, kol.cislo, s.nastaveni.popredi);
}

void Spojka(Stav& s, const Radek& r, Citace& c) {
  if (c.spojky >= MaxPrvkuDruhu) return;
  RKolej k;
  if (!Konce(r, k)) return;
  k.delka = Delka(r, 6);
  k.rychlost = static_cast<std::uint8_t>(r.cislo(7));
  k.zavorky = r.pole[8] == "1";
  k.viditelna = r.pole[9] == "1";
  k.id = ZakladSpojek + 1 + c.spojky++;
  const RKolej& sp = PridejSpojku(s, k);
  if (!sp.viditelna) return;
  if (sp.zavorky)
    KresliZavorky(s, sp.x1, sp.y1, sp.x2, sp.y2);
  else
    KresliUsek(s, sp.x1, sp.y1, sp.x2, sp.y2);
}

// The side code comes from the (at most two) tracks whose ends meet at the signal's point.
// It is worked out before the signal is stored, so a signal that is not kept leaves no trace
// in the lists, their indexes or the tracks.
void Navestidlo(Stav& s, const Radek& r, Citace& c) {
  int x = r.cislo(1), y = r.cislo(2);
  if (!VRozsahu(x, y)) return;
  std::uint16_t strana = 0;
  RKolej* prvni = KolejVBode(s, x, y);
  if (prvni) {
    if (prvni->x1 == x) strana = 1;
    if (prvni->x2 == x) strana = 2;
  }
  RKolej* druha = prvni ? KolejVBode(s, x, y, true) : nullptr;
  if (druha) {
    if (druha->x1 == x) strana += 1;
    if (druha->x2 == x) strana += 2;
  }
  // Only side codes 1 to 3 are drawn; a signal nobody can see must not catch clicks either.
  if (strana < 1 || strana > 3 || c.navestidla >= MaxPrvkuDruhu) return;
  // Only now are the tracks marked: the look-ups above do not move records.
  if (prvni->x1 == x) prvni->navestidloX1 = true;
  if (prvni->x2 == x) prvni->navestidloX2 = true;
  if (druha) {
    if (druha->x1 == x) druha->navestidloX1 = true;
    if (druha->x2 == x) druha->navestidloX2 = true;
  }
  RNavestidlo n;
  n.x = x;
  n.y = y;
  n.strana = strana;
  n.stav = 0;
  n.id = ZakladNavestidel + 1 + c.navestidla++;
  PridejNavestidlo(s, n);
  KresliNavestidlo(s, x, y, strana);
}

void Popisek(Stav& s, const Radek& r, Citace& c) {
  int x = r.cislo(1), y = r.cislo(3);
  if (!VRozsahu(x, y) || c.popisky >= MaxPrvkuDruhu) return;
  ++c.popisky;
  int velikost = r.cislo(6);
  // A missing size gets the size of the element texts, as the platform's default font would.
  if (velikost <= 0) velikost = s.nastaveni.velikostTextu;
  if (velikost > MaxVelikostPopisku) velikost = MaxVelikostPopisku;
  KresliText(s, x, y, velikost, Orez(r.pole[5], MaxDelkaPopisku));
}

void Nastupiste(Stav& s, const Radek& r, Citace& c) {
  int x1 = r.cislo(1), x2 = r.cislo(2), y = r.cislo(3);
  if (!VRozsahu(x1, x2) || !VRozsahu(y) || c.nastupiste >= MaxPrvkuDruhu) return;
  ++c.nastupiste;
  std::string jmeno = Jmeno8(r.pole[5]);
  if (RKolej* k = KolejVBode(s, x1, y)) k->stanice = jmeno;
  if (RKolej* k = KolejVBode(s, x1, y + gy)) k->stanice = jmeno;
  s.platno->barvaPera(BarvaNastupiste);
  KresliNastupiste(s, x1, x2, y);
  s.platno->barvaPera(s.nastaveni.popredi);
}

void Soused(Stav& s, const Radek& r, Citace& c) {
  int x = r.cislo(1), y = r.cislo(2);
  if (!VRozsahu(x, y)) return;
  RKolej* k = KolejVBode(s, x, y);
  std::uint16_t konec = 0;
  if (k) {
    if (k->x1 == x) konec = 1;
    if (k->x2 == x) konec = 2;
  }
  if (konec == 0 || c.sousede >= MaxPrvkuDruhu) return;
  RSoused so;
  so.x = x;
  so.y = y;
  so.jmeno = Jmeno8(r.pole[4]);
  so.druh = static_cast<std::uint16_t>(r.cislo(6));
  so.konec = konec;
  so.id = ZakladSousedu + 1 + c.sousede++;
  k->druhKonce = static_cast<std::uint8_t>(so.druh);
  k->soused = so.jmeno;
  s.Sousede.push_back(so);
  KresliSouseda(s, x, y, konec, so.druh);
}

}  // namespace

bool otevrit(Stav& s) {
  std::string obsah;
  bool chyba = false;
  if (!OtevriDatovySoubor(s, s.nastaveni.cestaSchema, obsah, &chyba)) return !chyba;
  CtiSchema(s, obsah);
  return true;
}

void CtiSchema(Stav& s, std::string_view obsah) {
  Radek r;
  Citace c;
  int cislo = 0;
  for (std::string_view radek : Radky(obsah)) {
    ++cislo;
    Rozdel(radek, r);
    switch (r.druh) {
      case '1': Kolej(s, r, c); break;
      case '2': Spojka(s, r, c); break;
      case '3': Navestidlo(s, r, c); break;
      case '4': Popisek(s, r, c); break;
      case '5': Nastupiste(s, r, c); break;
      case '6': Soused(s, r, c); break;
      default: break;
    }
    if (s.schemaRadek) s.schemaRadek(cislo, r.druh, r.pole);
  }
}

}  // namespace stanovar
