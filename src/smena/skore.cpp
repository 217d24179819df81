#include "smena/smena.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/seznamy.h"
#include "model/stav.h"
#include "model/kodovani.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

namespace stanovar {

namespace {

constexpr double Den = 86400.0;

// The time of a notice, which begins the shift's course when it is the first one counted.
double Ted(Skore& k, const Oznameni& o) {
  if (k.zacatek < 0) {
    k.zacatek = o.cas;
    k.prubeh.push_back({o.cas, 0, 0});
  }
  return o.cas;
}

// Notes the two counts at `ted`; changes at one instant make one point.
void Zapis(Skore& k, double ted) {
  if (!k.prubeh.empty()) {
    BodSmeny& b = k.prubeh.back();
    if (b.veStanici == k.veStanici && b.cekaji == k.cekaji) return;
    if (b.cas == ted) {
      b.veStanici = k.veStanici;
      b.cekaji = k.cekaji;
      // Back where the point before stood: the change came to nothing.
      if (k.prubeh.size() > 1 && k.prubeh[k.prubeh.size() - 2].veStanici == b.veStanici &&
          k.prubeh[k.prubeh.size() - 2].cekaji == b.cekaji)
        k.prubeh.pop_back();
      return;
    }
  }
  k.prubeh.push_back({ted, k.veStanici, k.cekaji});
}

// Closes the wait now open and opens `nove` (or none) at `ted`.
void Cekej(Skore& k, SkoreVlaku& v, CekaniVlaku nove, double ted) {
  if (v.ceka == nove) return;
  const double doba = std::max(0.0, (ted - v.cekaOd) * Den);
  switch (v.ceka) {
    case CekaNaOdpoved: v.naOdpoved += doba; break;
    case CekaNaTrat: v.naTrat += doba; break;
    case CekaNaCestu: v.naCestu += doba; break;
    default: break;
  }
  k.cekaji += (nove != NeCeka) - (v.ceka != NeCeka);
  v.ceka = nove;
  v.cekaOd = ted;
}

// Index into vlaky of the active run of train `cislo` in phase `faze`, -1 none.
int Aktivni(const Skore& k, int cislo, FazeVlaku faze) {
  for (int i : k.aktivni) {
    const SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
    if (v.cislo == cislo && v.faze == faze) return i;
  }
  return -1;
}

void Uvolni(Skore& k, int i) { std::erase(k.aktivni, i); }

}  // namespace

void CekaniRunu(const SkoreVlaku& v, double ted, double& naOdpoved, double& naTrat,
                double& naCestu) {
  naOdpoved = v.naOdpoved;
  naTrat = v.naTrat;
  naCestu = v.naCestu;
  const double doba = std::max(0.0, (ted - v.cekaOd) * Den);
  if (v.ceka == CekaNaOdpoved) naOdpoved += doba;
  if (v.ceka == CekaNaTrat) naTrat += doba;
  if (v.ceka == CekaNaCestu) naCestu += doba;
}

VysledekSkore SpocitejSkore(const Stav& s, double ted) {
  const Skore& k = s.skore;
  VysledekSkore r;
  for (const SkoreVlaku& v : k.vlaky) {
    double a, b, c;
    CekaniRunu(v, ted, a, b, c);
    r.naOdpoved += a;
    r.naTrat += b;
    r.naCestu += c;
    r.odmitnuto += v.odmitnut;
    if (v.odjel >= 0) ++(v.spatnymSmerem ? r.spatnymSmerem : r.odbaveno);
  }
  r.zpozdeni = r.naOdpoved + r.naTrat + r.naCestu;
  r.cekaji = k.cekaji;
  r.veStanici = k.veStanici;
  r.body = BodyZaVlak * r.odbaveno - BodyZaOdmitnuti * r.odmitnuto -
           std::llround(BodyZaMinutu * r.zpozdeni / 60.0);
  return r;
}

std::string CsvSmeny(const Stav& s, double ted) {
  std::string r =
      "train,from,to,offered,entered,left,unanswered_s,waiting_for_line_s,at_signal_s,refused,"
      "wrong_way\n";
  const auto cas = [](double t) { return t < 0 ? std::string() : TextCasuDne(t); };
  // Names are at most eight letters of the timetable; a comma or quote would still break a
  // column, so such a name is quoted.
  const auto jmeno = [](const std::string& t) {
    const std::string u = Cp1250NaUtf8(t);
    if (u.find_first_of(",\"\n") == std::string::npos) return u;
    std::string q = "\"";
    for (char c : u) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
  };
  for (const SkoreVlaku& v : s.skore.vlaky) {
    double a, b, c;
    CekaniRunu(v, ted, a, b, c);
    char cisla[96];
    std::snprintf(cisla, sizeof cisla, "%.1f,%.1f,%.1f,%d,%d", a, b, c, v.odmitnut ? 1 : 0,
                  v.spatnymSmerem ? 1 : 0);
    r += std::to_string(v.cislo) + "," + jmeno(v.odkud) + "," + jmeno(v.kam) + "," +
         cas(v.nabidnut) + "," + cas(v.vjel) + "," + cas(v.odjel) + "," + cisla + "\n";
  }
  return r;
}

void ZacniSmenu(Stav& s) {
  const double ted = SimCas(s);
  Skore& k = s.skore;
  Skore nove;
  nove.zacatek = ted;
  for (int i : k.aktivni) {
    SkoreVlaku v = k.vlaky[static_cast<std::size_t>(i)];
    v.naOdpoved = v.naTrat = v.naCestu = 0;
    if (v.ceka != NeCeka) v.cekaOd = ted;
    if (i == k.predavany) nove.predavany = static_cast<int>(nove.vlaky.size());
    nove.aktivni.push_back(static_cast<int>(nove.vlaky.size()));
    nove.vlaky.push_back(std::move(v));
  }
  nove.veStanici = k.veStanici;
  nove.cekaji = k.cekaji;
  nove.prubeh.push_back({ted, k.veStanici, k.cekaji});
  k = std::move(nove);
}

namespace {

void Nabidka(Stav& s, const Oznameni& o) {
  const RNabidka& n = *o.nabidka;
  const double ted = Ted(s.skore, o);
  Skore& k = s.skore;
  SkoreVlaku& v = k.vlaky.emplace_back();
  v.cislo = n.cislo;
  v.odkud = n.odkud;
  v.kam = n.kam;
  v.nabidnut = ted;
  k.aktivni.push_back(static_cast<int>(k.vlaky.size() - 1));
  Cekej(k, v, CekaNaOdpoved, ted);
  Zapis(k, ted);
}

void Prijeti(Stav& s, const Oznameni& o) {
  const int i = Aktivni(s.skore, o.vlak, FazeNabidnut);
  if (i < 0) return;
  const double ted = Ted(s.skore, o);
  Cekej(s.skore, s.skore.vlaky[static_cast<std::size_t>(i)], CekaNaTrat, ted);
  Zapis(s.skore, ted);
}

// The active offer of train `cislo` ends now: it was refused, or its offer is removed for the
// hand-over (which notes the run, as the train is handed over right after this or the
// hand-over comes to nothing and the run ends here).
void KonecNabidky(Stav& s, const Oznameni& o, bool odmitnut) {
  Skore& k = s.skore;
  const int i = Aktivni(k, o.vlak, FazeNabidnut);
  if (i < 0) return;
  const double ted = Ted(k, o);
  SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
  Cekej(k, v, NeCeka, ted);
  v.odmitnut = v.odmitnut || odmitnut;
  v.faze = FazeKonec;
  if (!odmitnut) k.predavany = i;
  Uvolni(k, i);
  Zapis(k, ted);
}

// A train handed over joins the run of its offer: the one whose offer was removed for this
// very hand-over, or the offer still standing; a train nobody offered begins a run of its own.
void Vjezd(Stav& s, const Oznameni& o) {
  const double ted = Ted(s.skore, o);
  Skore& k = s.skore;
  const int cislo = o.vlak;
  int i = -1;
  if (o.zdroj == ZdrojVlaku::StazenaNabidka && k.predavany >= 0 &&
      k.predavany < static_cast<int>(k.vlaky.size()) &&
      k.vlaky[static_cast<std::size_t>(k.predavany)].cislo == cislo &&
      k.vlaky[static_cast<std::size_t>(k.predavany)].vjel < 0 &&
      !k.vlaky[static_cast<std::size_t>(k.predavany)].odmitnut) {
    i = k.predavany;
    k.aktivni.push_back(i);
  } else {
    i = Aktivni(k, cislo, FazeNabidnut);
  }
  k.predavany = -1;
  if (i < 0) {
    SkoreVlaku& n = k.vlaky.emplace_back();
    n.cislo = cislo;
    if (o.spoj) {
      n.odkud = o.spoj->odkud;
      n.kam = o.spoj->kam;
    }
    i = static_cast<int>(k.vlaky.size() - 1);
    k.aktivni.push_back(i);
  }
  SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
  Cekej(k, v, NeCeka, ted);
  v.faze = FazeVeStanici;
  v.vjel = ted;
  ++k.veStanici;
  Zapis(k, ted);
}

void Odjezd(Stav& s, const Oznameni& o) {
  Skore& k = s.skore;
  const int i = Aktivni(k, o.vlak, FazeVeStanici);
  if (i < 0) return;
  const double ted = Ted(k, o);
  SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
  Cekej(k, v, NeCeka, ted);
  v.spatnymSmerem = !o.priznak;
  v.odjel = ted;
  v.faze = FazeKonec;
  --k.veStanici;
  Uvolni(k, i);
  Zapis(k, ted);
}

void Jizda(Stav& s, const Oznameni& o) {
  Skore& k = s.skore;
  const int cislo = o.vlak;
  const int i = Aktivni(k, cislo, FazeVeStanici);
  if (i < 0) return;
  SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
  const RVlak* T = NajdiVlak(s, cislo);
  if (!T) return;
  // Standing: no speed now and none to reach. A turned train waits for its departure time.
  const bool stoji = T->rychlost == 0 && T->CilRychl == 0 && !T->brzdi && !T->maOdjezd;
  if (stoji == (v.ceka == CekaNaCestu)) return;
  const double ted = Ted(k, o);
  Cekej(k, v, stoji ? CekaNaCestu : NeCeka, ted);
  Zapis(k, ted);
}

}  // namespace

void SkoreSlysi(Stav& s, const Oznameni& o) {
  switch (o.druh) {
    case DruhOznameni::NabidkaPodana: Nabidka(s, o); break;
    case DruhOznameni::NabidkaPrijata:
      if (o.priznak) Prijeti(s, o);
      break;
    case DruhOznameni::NabidkaOdmitnuta: KonecNabidky(s, o, true); break;
    case DruhOznameni::NabidkaStazena: KonecNabidky(s, o, false); break;
    case DruhOznameni::VlakPredan: Vjezd(s, o); break;
    case DruhOznameni::VlakOdjel: Odjezd(s, o); break;
    case DruhOznameni::JizdaZmenena: Jizda(s, o); break;
    default: break;
  }
}

int SledujSkore(Stav& s) { return s.posluchaci.poslouchej(SkoreSlysi); }

}  // namespace stanovar
