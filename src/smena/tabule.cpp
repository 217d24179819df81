#include "smena/smena.h"

#include <algorithm>

#include "control/klavesy.h"
#include "model/seznamy.h"
#include "traffic/cas.h"

namespace stanovar {

namespace {

constexpr double Den = 86400.0;

// The last track of the train's path that it holds: where its head is, or the track it
// stands on.
RKolej* KolejHlavy(Stav& s, RVlak& T) {
  for (auto it = T.cesta.rbegin(); it != T.cesta.rend(); ++it) {
    if (!JeKolej(it->prvek)) continue;
    RKolej* k = NajdiKolej(s, it->prvek);
    if (k && k->vlak == T.cislo) return k;
  }
  return nullptr;
}

std::string Cas(int hhmm) {
  const int m = hhmm % 100;
  return std::to_string(hhmm / 100) + (m < 10 ? ":0" : ":") + std::to_string(m);
}

}  // namespace

RNavestidlo* NavestidloPredVlakem(Stav& s, RVlak& T, RKolej** kolej) {
  RKolej* k = KolejHlavy(s, T);
  if (kolej) *kolej = k;
  return k ? NavestidloNaKonci(s, *k, T.smer) : nullptr;
}

void SestavTabuli(Stav& s, std::vector<RadekTabule>& radky) {
  const double ted = SimCas(s);
  const Skore& k = s.skore;
  radky.resize(k.aktivni.size());
  std::size_t n = 0;
  for (int i : k.aktivni) {
    const SkoreVlaku& v = k.vlaky[static_cast<std::size_t>(i)];
    RadekTabule& r = radky[n];
    r.cislo = v.cislo;
    r.odkud = v.odkud;
    r.kam = v.kam;
    r.udaj.clear();
    double a, b, c;
    CekaniRunu(v, ted, a, b, c);
    r.celkem = a + b + c;
    r.ceka = v.ceka != NeCeka ? std::max(0.0, (ted - v.cekaOd) * Den) : 0;
    r.dlouho = r.ceka > DlouheCekani;
    if (v.faze == FazeNabidnut) {
      r.stav = v.ceka == CekaNaTrat ? StavRadku::Prijat : StavRadku::Nabidnut;
    } else {
      RVlak* T = NajdiVlak(s, v.cislo);
      if (!T) continue;
      if (T->maOdjezd) {
        r.stav = StavRadku::Obracen;
        r.udaj = Cas(T->odjezd);
      } else if (v.ceka == CekaNaCestu) {
        r.stav = StavRadku::Stoji;
        RKolej* kol = nullptr;
        if (RNavestidlo* sig = NavestidloPredVlakem(s, *T, &kol)) {
          r.stav = StavRadku::StojiUNavestidla;
          r.udaj = kol->cislo.empty() ? std::to_string(sig->id) : kol->cislo;
        }
      } else {
        r.stav = T->brzdi ? StavRadku::Brzdi : StavRadku::Jede;
      }
    }
    ++n;
  }
  radky.resize(n);
  std::stable_sort(radky.begin(), radky.end(), [](const RadekTabule& x, const RadekTabule& y) {
    const bool cx = x.ceka > 0, cy = y.ceka > 0;
    if (cx != cy) return cx;
    if (cx && x.ceka != y.ceka) return x.ceka > y.ceka;
    if (x.celkem != y.celkem) return x.celkem > y.celkem;
    return x.cislo < y.cislo;
  });
}

int KolejVlaku(Stav& s, int cislo) {
  RVlak* T = NajdiVlak(s, cislo);
  RKolej* k = T ? KolejHlavy(s, *T) : nullptr;
  return k ? k->id : 0;
}

void VyberZTabule(Stav& s, int cislo) {
  if (RVlak* T = NajdiVlak(s, cislo)) {
    RKolej* k = KolejHlavy(s, *T);
    if (!k) return;
    // A grid point inside the track, which no other track holds; the middle one first.
    const int a = std::min(k->x1, k->x2), b = std::max(k->x1, k->x2);
    const int stred = a + (b - a) / 2 / gx * gx;
    for (int d = 0; d <= b - a; d += gx)
      for (int x : {stred + d, stred - d}) {
        if (x < a || x > b || KolejVBode(s, x, k->y1) != k) continue;
        InfoVlak(s, x, k->y1);
        return;
      }
    return;
  }
  RNabidka* n = NajdiNabidkuVlaku(s, cislo);
  if (!n || n->prijata) return;
  InfoKolej(s, n->x, n->y);
}

}  // namespace stanovar
