#include "model/seznamy.h"

#include <algorithm>

namespace stanovar {

namespace {
std::int64_t KlicBodu(int x, int y) {
  return (static_cast<std::int64_t>(x) << 32) ^ static_cast<std::uint32_t>(y);
}
}  // namespace

RKolej& PridejKolej(Stav& s, const RKolej& k) {
  s.Koleje.push_back(k);
  s.kolejePodleBodu.Pridej(s.Koleje, static_cast<int>(s.Koleje.size()) - 1);
  return s.Koleje.back();
}

RKolej& PridejSpojku(Stav& s, const RKolej& k) {
  s.Spojky.push_back(k);
  s.spojkyPodleBodu.Pridej(s.Spojky, static_cast<int>(s.Spojky.size()) - 1);
  return s.Spojky.back();
}

RNavestidlo& PridejNavestidlo(Stav& s, const RNavestidlo& n) {
  s.Navestidla.push_back(n);
  s.navestidloNaBode[KlicBodu(n.x, n.y)] = static_cast<int>(s.Navestidla.size()) - 1;
  return s.Navestidla.back();
}

void VyprazdniStanici(Stav& s) {
  s.Koleje.clear();
  s.Spojky.clear();
  s.Navestidla.clear();
  s.Sousede.clear();
  s.Grafikon.clear();
  s.aktualniSpoj = -1;
  s.Lokomotivy.clear();
  s.kolejePodleBodu.Vyprazdni();
  s.spojkyPodleBodu.Vyprazdni();
  s.navestidloNaBode.clear();
  s.kolejVBodePosledni = -1;
  s.spojkaVBodePosledni = -1;
}

RKolej* NajdiKolej(Stav& s, int id) {
  // Tracks are numbered in file order, so the identifier is normally the position.
  if (id >= 1 && id <= static_cast<int>(s.Koleje.size()) && s.Koleje[id - 1].id == id)
    return &s.Koleje[id - 1];
  for (auto& k : s.Koleje)
    if (k.id == id) return &k;
  return nullptr;
}

RKolej* NajdiSpojku(Stav& s, int id) {
  int i = id - ZakladSpojek - 1;
  if (i >= 0 && i < static_cast<int>(s.Spojky.size()) && s.Spojky[i].id == id) return &s.Spojky[i];
  for (auto& k : s.Spojky)
    if (k.id == id) return &k;
  return nullptr;
}

RKolej* NajdiPrvek(Stav& s, int id) {
  if (id <= 6000) return NajdiKolej(s, id);
  if (JeSpojka(id)) return NajdiSpojku(s, id);
  return nullptr;
}

RNavestidlo* NajdiNavestidlo(Stav& s, int id) {
  int i = id - ZakladNavestidel - 1;
  if (i >= 0 && i < static_cast<int>(s.Navestidla.size()) && s.Navestidla[i].id == id)
    return &s.Navestidla[i];
  for (auto& n : s.Navestidla)
    if (n.id == id) return &n;
  return nullptr;
}

RVlak* NajdiVlak(Stav& s, int cislo) {
  for (auto& v : s.Vlaky)
    if (v.cislo == cislo) return &v;
  return nullptr;
}

RNabidka* NajdiNabidkuVlaku(Stav& s, int cislo) {
  for (auto& n : s.Nabidky)
    if (n.cislo == cislo) return &n;
  return nullptr;
}

RNabidka* NajdiNabidku(Stav& s, const std::string& odkud) {
  for (auto& n : s.Nabidky)
    if (n.odkud == odkud) return &n;
  return nullptr;
}

RSoused* NajdiSouseda(Stav& s, const std::string& jmeno, int druh, int* konec) {
  for (auto& so : s.Sousede) {
    if (so.jmeno == jmeno && (so.druh == druh || so.druh == 3)) {
      if (konec) *konec = so.konec;
      return &so;
    }
  }
  if (konec) *konec = 0;
  return nullptr;
}

RSoused* NajdiSousedaId(Stav& s, int id) {
  for (auto& so : s.Sousede)
    if (so.id == id) return &so;
  return nullptr;
}

RSoused* SousedKoleje(Stav& s, const RKolej& k) {
  for (auto& so : s.Sousede)
    if (so.jmeno == k.soused &&
        ((so.x == k.x1 && so.y == k.y1) || (so.x == k.x2 && so.y == k.y2)))
      return &so;
  return nullptr;
}

RKrok* PosledniKolejKrok(Kroky& k) {
  for (auto it = k.rbegin(); it != k.rend(); ++it) {
    if (it->prvek > 6000) continue;
    return it->prvek < 6000 ? &*it : nullptr;
  }
  return nullptr;
}

RCesta* NajdiCestu(Stav& s, int start, int* kolej, int* smer) {
  for (auto& c : s.Cesty) {
    if (c.start != start) continue;
    int k = 0, d = 0;
    if (RKrok* posl = PosledniKolejKrok(c.cesta)) {
      k = posl->prvek;
      d = posl->smer;
    }
    if (kolej) *kolej = k;
    if (smer) *smer = d;
    return &c;
  }
  if (kolej) *kolej = 0;
  if (smer) *smer = 0;
  return nullptr;
}

void SmazCestu(Stav& s, RCesta* c) {
  for (auto it = s.Cesty.begin(); it != s.Cesty.end(); ++it) {
    if (&*it == c) {
      s.Cesty.erase(it);
      return;
    }
  }
}

RNavestidlo* NavestidloNaKonci(Stav& s, const RKolej& k, int smer) {
  return smer == 1 ? NavestidloVBode(s, k.x1, k.y1) : NavestidloVBode(s, k.x2, k.y1);
}

RNavestidlo* NavestidloVBode(Stav& s, int x, int y) {
  auto it = s.navestidloNaBode.find(KlicBodu(x, y));
  if (it == s.navestidloNaBode.end()) return nullptr;
  if (static_cast<std::size_t>(it->second) >= s.Navestidla.size()) return nullptr;
  auto& n = s.Navestidla[static_cast<std::size_t>(it->second)];
  return (n.x == x && n.y == y) ? &n : nullptr;
}

namespace {

// The indexes follow the lists through PridejKolej and PridejSpojku; should a list ever have
// been filled past them, they are built afresh rather than give a wrong answer.
void IndexujKoleje(Stav& s) {
  if (s.kolejePodleBodu.Pocet() == s.Koleje.size()) return;
  s.kolejePodleBodu.Vyprazdni();
  for (std::size_t i = 0; i < s.Koleje.size(); ++i) s.kolejePodleBodu.Pridej(s.Koleje, static_cast<int>(i));
}

void IndexujSpojky(Stav& s) {
  if (s.spojkyPodleBodu.Pocet() == s.Spojky.size()) return;
  s.spojkyPodleBodu.Vyprazdni();
  for (std::size_t i = 0; i < s.Spojky.size(); ++i) s.spojkyPodleBodu.Pridej(s.Spojky, static_cast<int>(i));
}

}  // namespace

RKolej* KolejVBode(Stav& s, int x, int y, bool pokracovat) {
  int pred = static_cast<int>(s.Koleje.size());  // scan positions below this one
  if (pokracovat) {
    if (s.kolejVBodePosledni < 0) return nullptr;
    pred = s.kolejVBodePosledni;
  }
  IndexujKoleje(s);
  const int i = s.kolejePodleBodu.Najdi(s.Koleje, x, y, pred);
  s.kolejVBodePosledni = i;
  return i < 0 ? nullptr : &s.Koleje[static_cast<std::size_t>(i)];
}

bool SpojkaObsahuje(const RKolej& c, int x, int y) {
  if (c.y1 <= y && y <= c.y2 && c.x1 != c.x2 && (y - c.y1) / gy == (x - c.x1) / gx) return true;
  if (c.y2 <= y && y <= c.y1 && c.x1 != c.x2 && (c.y1 - y) / gy == (x - c.x1) / gx) return true;
  if (x == c.x1 && x == c.x2 && std::min(c.y1, c.y2) <= y && y <= std::max(c.y1, c.y2)) return true;
  if (y == c.y1 && y == c.y2 && c.x1 <= x && x <= c.x2) return true;
  return false;
}

RKolej* SpojkaVBode(Stav& s, int x, int y, bool pokracovat) {
  int pred = static_cast<int>(s.Spojky.size());
  if (pokracovat) {
    if (s.spojkaVBodePosledni < 0) return nullptr;
    pred = s.spojkaVBodePosledni;
  }
  IndexujSpojky(s);
  const int i = s.spojkyPodleBodu.Najdi(s.Spojky, x, y, pred);
  s.spojkaVBodePosledni = i;
  return i < 0 ? nullptr : &s.Spojky[static_cast<std::size_t>(i)];
}

const std::vector<int>& SpojkySKoncem(Stav& s, int x, int y) {
  IndexujSpojky(s);
  return s.spojkyPodleBodu.SKoncem(x, y);
}

bool NektereKrizeni(Stav& s, const RKolej& e, const std::function<bool(const RKolej&)>& f) {
  IndexujSpojky(s);
  return s.spojkyPodleBodu.KrizeniKandidati(
      e, [&](int i) { return f(s.Spojky[static_cast<std::size_t>(i)]); });
}

}  // namespace stanovar
