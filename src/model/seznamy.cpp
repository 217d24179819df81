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
  const int i = static_cast<int>(s.Koleje.size()) - 1;
  s.kolejeVRadku[k.y1].push_back(i);
  // Schemas list a row's tracks from left to right, so the new track normally goes last;
  // otherwise it is slotted in by its first end and the running maxima after it redone.
  auto& r = s.kolejeRadkuPodleX[k.y1];
  auto pozice = std::upper_bound(r.poradi.begin(), r.poradi.end(), k.x1,
                                 [&](int x, int j) { return x < s.Koleje[static_cast<std::size_t>(j)].x1; });
  std::size_t od = static_cast<std::size_t>(pozice - r.poradi.begin());
  r.poradi.insert(pozice, i);
  r.maxX2.resize(r.poradi.size());
  for (std::size_t j = od; j < r.poradi.size(); ++j) {
    int x2 = s.Koleje[static_cast<std::size_t>(r.poradi[j])].x2;
    r.maxX2[j] = j == 0 ? x2 : std::max(r.maxX2[j - 1], x2);
  }
  return s.Koleje.back();
}

RKolej& PridejSpojku(Stav& s, const RKolej& k) {
  s.Spojky.push_back(k);
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
  s.kolejeVRadku.clear();
  s.kolejeRadkuPodleX.clear();
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

RNavestidlo* NavestidloVBode(Stav& s, int x, int y) {
  auto it = s.navestidloNaBode.find(KlicBodu(x, y));
  if (it == s.navestidloNaBode.end()) return nullptr;
  if (static_cast<std::size_t>(it->second) >= s.Navestidla.size()) return nullptr;
  auto& n = s.Navestidla[static_cast<std::size_t>(it->second)];
  return (n.x == x && n.y == y) ? &n : nullptr;
}

RKolej* KolejVBode(Stav& s, int x, int y, bool pokracovat) {
  int pred = static_cast<int>(s.Koleje.size());  // scan indexes below this one
  if (pokracovat) {
    if (s.kolejVBodePosledni < 0) return nullptr;
    pred = s.kolejVBodePosledni;
  }
  s.kolejVBodePosledni = -1;
  auto radek = s.kolejeRadkuPodleX.find(y);
  if (radek == s.kolejeRadkuPodleX.end()) return nullptr;
  const auto& r = radek->second;
  // The answer is the newest track below `pred` that holds the point, exactly as a scan
  // from the newest towards the oldest would find it; only the tracks beginning at or
  // left of x are candidates, and once no earlier one reaches x the search can stop.
  auto konec = std::upper_bound(r.poradi.begin(), r.poradi.end(), x,
                                [&](int xx, int j) { return xx < s.Koleje[static_cast<std::size_t>(j)].x1; });
  int nejnovejsi = -1;
  for (auto j = static_cast<std::size_t>(konec - r.poradi.begin()); j-- > 0;) {
    if (r.maxX2[j] < x) break;
    const int i = r.poradi[j];
    const RKolej& k = s.Koleje[static_cast<std::size_t>(i)];
    if (i < pred && i > nejnovejsi && k.y1 == y && k.x1 <= x && x <= k.x2) nejnovejsi = i;
  }
  if (nejnovejsi < 0) return nullptr;
  s.kolejVBodePosledni = nejnovejsi;
  return &s.Koleje[static_cast<std::size_t>(nejnovejsi)];
}

bool SpojkaObsahuje(const RKolej& c, int x, int y) {
  if (c.y1 <= y && y <= c.y2 && c.x1 != c.x2 && (y - c.y1) / gy == (x - c.x1) / gx) return true;
  if (c.y2 <= y && y <= c.y1 && c.x1 != c.x2 && (c.y1 - y) / gy == (x - c.x1) / gx) return true;
  if (x == c.x1 && x == c.x2 && std::min(c.y1, c.y2) <= y && y <= std::max(c.y1, c.y2)) return true;
  if (y == c.y1 && y == c.y2 && c.x1 <= x && x <= c.x2) return true;
  return false;
}

RKolej* SpojkaVBode(Stav& s, int x, int y, bool pokracovat) {
  int i = static_cast<int>(s.Spojky.size());
  if (pokracovat) {
    if (s.spojkaVBodePosledni < 0) return nullptr;
    i = s.spojkaVBodePosledni;
  }
  s.spojkaVBodePosledni = -1;
  while (--i >= 0) {
    if (SpojkaObsahuje(s.Spojky[static_cast<std::size_t>(i)], x, y)) {
      s.spojkaVBodePosledni = i;
      return &s.Spojky[static_cast<std::size_t>(i)];
    }
  }
  return nullptr;
}

}  // namespace stanovar
