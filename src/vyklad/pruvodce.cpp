#include "jadro.h"
#include "model/seznamy.h"
#include "vyklad/vyklad.h"

namespace stanovar {

namespace {
// The signal at the end of the line track the train stands or runs on, ahead of it.
int NavestidloPredVlakem(Stav& s, const RVlak& v) {
  for (const RKolej& k : s.Koleje)
    if (k.vlak == v.cislo && k.druhKonce != 0)
      if (const RNavestidlo* n = NavestidloNaKonci(s, k, v.smer)) return n->id;
  return 0;
}
}  // namespace

bool Pruvodce::Obnov(Stav& s, bool tabule) {
  const KrokPruvodce byl = krok_;
  RVlak* v = vlak_ ? NajdiVlak(s, vlak_) : nullptr;
  // Each step may be done before it is asked for: one look moves on as far as it can.
  for (bool dal = true; dal;) {
    dal = false;
    auto dalsi = [&](KrokPruvodce k) {
      krok_ = k;
      dal = true;
    };
    switch (krok_) {
      case KrokPruvodce::Nabidka:
        if (s.okno.PanelSouhlas.viditelny && s.NabizenyVlak) {
          vlak_ = s.NabizenyVlak;
          dalsi(KrokPruvodce::Prijmout);
        }
        break;
      case KrokPruvodce::Prijmout: {
        const RNabidka* n = NajdiNabidkuVlaku(s, vlak_);
        v = NajdiVlak(s, vlak_);
        if (v || (n && n->prijata))
          dalsi(KrokPruvodce::Vjezd);
        else if (!n)  // refused: another offer, then
          dalsi(KrokPruvodce::Nabidka);
        break;
      }
      case KrokPruvodce::Vjezd:
        v = NajdiVlak(s, vlak_);
        if (!v) {
          // Still outside, its line track taken; or gone already.
          if (!NajdiNabidkuVlaku(s, vlak_)) dalsi(KrokPruvodce::Odjezd);
          break;
        }
        if (int n = NavestidloPredVlakem(s, *v)) navestidlo_ = n;
        if (const RNavestidlo* n = NajdiNavestidlo(s, navestidlo_)) {
          if (n->stav == 2 || n->stav == 4) dalsi(KrokPruvodce::Panel);
          else if (s.VyberCesty && s.StartNavestidlo == n->id) dalsi(KrokPruvodce::Kolej);
        } else if (navestidlo_ == 0 && NavestidloPredVlakem(s, *v) == 0 && !v->cesta.empty()) {
          // Off its line track already: the route was set.
          dalsi(KrokPruvodce::Panel);
        }
        break;
      case KrokPruvodce::Kolej: {
        const RNavestidlo* n = NajdiNavestidlo(s, navestidlo_);
        if (n && (n->stav == 2 || n->stav == 4))
          dalsi(KrokPruvodce::Panel);
        else if (!s.VyberCesty)
          dalsi(KrokPruvodce::Vjezd);
        break;
      }
      case KrokPruvodce::Panel:
        if (s.okno.PanelVlak.viditelny && s.ZobrazenyVlak == vlak_) {
          rychlost_ = s.RychlostSim;
          dalsi(KrokPruvodce::Rychlost);
        }
        break;
      case KrokPruvodce::Rychlost:
        if (s.RychlostSim != rychlost_) dalsi(KrokPruvodce::Tabule);
        break;
      case KrokPruvodce::Tabule:
        if (tabule) dalsi(KrokPruvodce::Odjezd);
        break;
      case KrokPruvodce::Odjezd:
        if (!NajdiVlak(s, vlak_) && !NajdiNabidkuVlaku(s, vlak_)) dalsi(KrokPruvodce::Hotovo);
        break;
      case KrokPruvodce::Hotovo: break;
    }
  }
  return krok_ != byl;
}

}  // namespace stanovar
