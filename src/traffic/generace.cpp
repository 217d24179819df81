#include "jadro.h"
#include "traffic/generace.h"

#include <algorithm>
#include <vector>

#include "display/kresleni.h"
#include "dynamics/chyba.h"
#include "model/seznamy.h"
#include "traffic/cas.h"
#include "traffic/predani.h"
#include "traffic/oznam.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

constexpr int PocetPokusu = 10;

// The accept panel closes; the line end shows its two-way cross again whatever its state.
void ZavriPanel(Stav& s, int x, int y, int konec) {
  s.okno.PanelSouhlas.viditelny = false;
  if (s.Nabidky.empty()) s.okno.Blikac = false;
  Platno& p = *s.platno;
  p.barvaPera(s.nastaveni.pozadi);
  p.barvaVyplne(s.nastaveni.pozadi);
  p.obdelnik(x - gx / 2 - 1, y - gy / 2, x + gx / 2 + 2, y + gy / 2 + 1);
  p.barvaPera(s.nastaveni.popredi);
  KresliSouseda(s, x, y, konec, 3);
}

// No offer to answer: the panel only closes.
void SkryjPanel(Stav& s) {
  s.okno.PanelSouhlas.viditelny = false;
  if (s.Nabidky.empty()) s.okno.Blikac = false;
}

// The line end a train from `odkud` comes in by: of the line ends of that name for arrivals or
// both ways, the first whose line track is free, else the first. A double-track line whose
// tracks are both used both ways has two; with one, this is the look-up by name.
RSoused* Vstup(Stav& s, const std::string& odkud) {
  RSoused* prvni = nullptr;
  for (RSoused& so : s.Sousede) {
    if (so.jmeno != odkud || (so.druh != 1 && so.druh != 3)) continue;
    if (RKolej* k = KolejVBode(s, so.x, so.y); k && k->zaver == 0) return &so;
    if (!prvni) prvni = &so;
  }
  return prvni;
}

// The offer's own line end while it is in state `druh` or 3, as the answers expect it.
RSoused* KonecNabidky(Stav& s, const RNabidka& n, int druh, int* konec) {
  RSoused* so = NajdiSousedaId(s, n.soused);
  if (so && so->druh != druh && so->druh != 3) so = nullptr;
  *konec = so ? so->konec : 0;
  return so;
}

// The offer waiting at line track k.
RNabidka* NabidkaKoleje(Stav& s, const RKolej& k) {
  const RSoused* so = SousedKoleje(s, k);
  if (!so) return nullptr;
  for (RNabidka& n : s.Nabidky)
    if (n.soused == so->id) return &n;
  return nullptr;
}

// Hands over the offered entry's train by the offer's line end.
void PosliNabidnuty(Stav& s, int cislo, int spoj, int soused, ZdrojVlaku zdroj) {
  if (spoj < 0 || spoj >= static_cast<int>(s.Grafikon.size()) ||
      s.Grafikon[static_cast<std::size_t>(spoj)].cislo != cislo)
    return;
  s.aktualniSpoj = spoj;
  PosliVlak(s, soused, zdroj);
}

}  // namespace

void ZasejNahodu(Stav& s) { s.nahoda = s.prostredi->msOdPulnoci(); }

double Nahoda(Stav& s) {
  s.nahoda = s.nahoda * 134775813u + 1u;
  return s.nahoda / 4294967296.0;
}

void GenerujVlak(Stav& s) {
  // One generation is one operation: a train that cannot be computed is reported once, and
  // its entry is not tried again until the next generation.
  JednaOperace operace(s);
  std::vector<int> selhaly;
  ZasejNahodu(s);
  const int pocet = std::min(s.PocetSpoju, static_cast<int>(s.Grafikon.size()));
  bool hotovo = false;
  for (int pokus = 0; pocet > 0 && !hotovo && pokus < PocetPokusu; ++pokus) {
    const int n = static_cast<int>(Nahoda(s) * pocet) + 1;
    s.aktualniSpoj = std::min(n, static_cast<int>(s.Grafikon.size())) - 1;
    if (std::find(selhaly.begin(), selhaly.end(), s.aktualniSpoj) != selhaly.end()) continue;
    const RSpoj& E = s.Grafikon[static_cast<std::size_t>(s.aktualniSpoj)];

    // The previous run of the same train may still stand on its exit track. A two-way line
    // with an offer on it is still that exit: a second run let in meanwhile would share the
    // number, and re-planning it would drop the first run's release of the line track.
    bool naVyjezdu = false;
    for (const RSoused& ven : s.Sousede)
      if (ven.jmeno == E.kam && ven.druh != 1)
        if (RKolej* k = KolejVBode(s, ven.x, ven.y)) naVyjezdu = naVyjezdu || k->vlak == E.cislo;
    RSoused* vstup = Vstup(s, E.odkud);
    // A number already offered is skipped too: the answer finds its offer by number.
    if (NajdiVlak(s, E.cislo) || NajdiNabidkuVlaku(s, E.cislo) || !vstup || naVyjezdu ||
        vstup->propojeny)
      continue;

    if (vstup->druh == 1) {
      const int hlaseni = s.hlaseniVypoctu;
      PosliVlak(s, vstup->id);
      hotovo = NajdiVlak(s, E.cislo) != nullptr;
      if (!hotovo && s.hlaseniVypoctu != hlaseni) selhaly.push_back(s.aktualniSpoj);
      continue;
    }
    vstup->druh = 5;
    if (RKolej* k = KolejVBode(s, vstup->x, vstup->y)) k->druhKonce = 5;
    PridejNabidku(s, E.cislo, E.odkud, E.kam, vstup->x, vstup->y, vstup->id, s.aktualniSpoj);
    s.okno.Blikac = true;
    hotovo = true;
  }
  const double r = Nahoda(s);
  const double zpozdeni = 1.0 / ((r + 0.1) * 1000.0 * s.CetnostVlaku + 100.0);
  NaplanujUdalost(s, UdalostGenerace, 0, 0, 0, 0, SimCas(s) + zpozdeni);
}

void PridejNabidku(Stav& s, int cislo, const std::string& odkud, const std::string& kam, int x,
                   int y, int soused, int spoj) {
  RNabidka& n = s.Nabidky.emplace_back();
  n.cislo = cislo;
  n.odkud = odkud;
  n.kam = kam;
  n.x = x;
  n.y = y;
  n.soused = soused;
  n.spoj = spoj;
  if (!s.posluchaci.prazdne()) {
    Oznameni o;
    o.druh = DruhOznameni::NabidkaPodana;
    o.vlak = cislo;
    o.prvek = soused;
    o.nabidka = &n;
    Oznam(s, o);
  }
}

void ZrusNabidku(Stav& s, RNabidka* n) {
  if (!n) return;
  Oznam(s, DruhOznameni::NabidkaStazena, n->cislo, n->soused);
  s.Nabidky.remove_if([n](const RNabidka& x) { return &x == n; });
}

void PosliVlakCislo(Stav& s, int cislo) {
  for (std::size_t i = 0; i < s.Grafikon.size(); ++i) {
    if (s.Grafikon[i].cislo != cislo) continue;
    s.aktualniSpoj = static_cast<int>(i);
    PosliVlak(s);
    return;
  }
}

void BlikacTimer(Stav& s) {
  for (RNabidka& n : s.Nabidky) {
    if (!n.prijata) BlikniNabidku(s, n.x, n.y, n.faze);
    n.faze = !n.faze;
  }
}

void UkazNabidku(Stav& s, const RKolej& k) {
  const OznamVstup oznamVstup(s, VstupNabidka, k.id);
  s.okno.PanelKolej.viditelny = false;
  s.okno.PanelSouhlas = {true, 192, 0};
  if (RNabidka* n = NabidkaKoleje(s, k)) {
    s.okno.LabelSouhlas = s.Text(28) + std::to_string(n->cislo) + s.Text(29) + n->odkud +
                          s.Text(30) + n->kam + "?";
    s.NabizenyVlak = n->cislo;
  } else {
    s.okno.LabelSouhlas = "CHYBA";
    s.NabizenyVlak = 0;
  }
}

void LabelAnoClick(Stav& s) {
  const OznamVstup oznamVstup(s, VstupAno);
  RNabidka* n = NajdiNabidkuVlaku(s, s.NabizenyVlak);
  if (!n) {
    SkryjPanel(s);
    return;
  }
  int konec = 0;
  RSoused* vstup = KonecNabidky(s, *n, 5, &konec);
  RKolej* k = KolejVBode(s, n->x, n->y);
  const int x = n->x, y = n->y;
  if (vstup && k) {
    if (k->zaver == 0) {
      vstup->druh = 3;
      k->druhKonce = 3;
      const int spoj = n->spoj;
      Oznam(s, DruhOznameni::NabidkaPrijata, n->cislo, n->soused, false);
      ZrusNabidku(s, n);
      PosliNabidnuty(s, s.NabizenyVlak, spoj, vstup->id, ZdrojVlaku::StazenaNabidka);
    } else {
      vstup->druh = 4;
      k->druhKonce = 4;
      n->prijata = true;
      Oznam(s, DruhOznameni::NabidkaPrijata, n->cislo, n->soused, true);
    }
  }
  ZavriPanel(s, x, y, konec);
}

void LabelNeClick(Stav& s) {
  const OznamVstup oznamVstup(s, VstupNe);
  RNabidka* n = NajdiNabidkuVlaku(s, s.NabizenyVlak);
  if (!n) {
    SkryjPanel(s);
    return;
  }
  int konec = 0;
  Oznam(s, DruhOznameni::NabidkaOdmitnuta, n->cislo, n->soused);
  if (RSoused* vstup = KonecNabidky(s, *n, 5, &konec)) vstup->druh = 3;
  if (RKolej* k = KolejVBode(s, n->x, n->y)) k->druhKonce = 3;
  const int x = n->x, y = n->y;
  ZrusNabidku(s, n);
  ZavriPanel(s, x, y, konec);
}

void TratUvolnena(Stav& s, RKolej& k) {
  RSoused* vstup = SousedKoleje(s, k);
  if (vstup && vstup->druh == 4) vstup->druh = 3;
  k.druhKonce = 3;
  if (RNabidka* n = NabidkaKoleje(s, k)) {
    const int cislo = n->cislo, spoj = n->spoj, soused = n->soused;
    PosliNabidnuty(s, cislo, spoj, soused, ZdrojVlaku::Nabidka);
    ZrusNabidku(s, NajdiNabidkuVlaku(s, cislo));
  }
}

}  // namespace stanovar
