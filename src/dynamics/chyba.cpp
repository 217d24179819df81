#include "dynamics/chyba.h"

#include "model/text.h"
#include "traffic/cas.h"

namespace stanovar {

namespace {

const char CR = '\r';

std::string Hlavicka(const Stav& s, const std::string& jmeno) {
  return s.Text(33) + jmeno + s.Text(34) + CR;
}

// The train's state, seven lines without a line end after the last.
std::string StavVlaku(const RVlak& T) {
  std::string t;
  t += "vlak^.rychlost " + RealNaText(T.rychlost) + CR;
  t += "vlak^.CilRychl " + RealNaText(T.CilRychl) + CR;
  t += std::string("vlak^.brzdi ") + (T.brzdi ? "1" : "0") + CR;
  t += "vlak^.vzdalenost " + RealNaText(T.vzdalenost) + CR;
  t += "vlak^.BrzdZrych " + RealNaText(T.BrzdZrych) + CR;
  t += "vlak^.lim1 " + RealNaText(T.lim1) + CR;
  t += "vlak^.lim2 " + RealNaText(T.lim2);
  return t;
}

// Whether this report is to be shown: not when the operation running has shown one.
bool Ukazat(Stav& s) {
  ++s.hlaseniVypoctu;
  if (s.hloubkaOperace > 0 && s.hlasenoVOperaci) return false;
  s.hlasenoVOperaci = s.hloubkaOperace > 0;
  return true;
}

}  // namespace

void ChybaVypoctu(Stav& s, const RVlak* T, const RVypocet& P, const std::string& jmeno) {
  NastavRychlost(s, 0);
  if (!Ukazat(s)) return;
  std::string t = Hlavicka(s, jmeno);
  t += std::string("verze 1.33") + CR;
  if (T) t += "vlak " + std::to_string(T->cislo) + CR;
  // The plan's own lim1 and lim2 are left out: the train's copies follow.
  t += "draha1 " + RealNaText(P.draha1) + CR;
  t += "draha2 " + RealNaText(P.draha2) + CR;
  t += "cas1 " + RealNaText(P.cas1) + CR;
  t += "cas2 " + RealNaText(P.cas2) + CR;
  t += "DrahaMax " + RealNaText(P.DrahaMax) + CR;
  t += "CasMax " + RealNaText(P.CasMax) + CR;
  t += "RychlostMax " + RealNaText(P.RychlostMax) + CR;
  t += "BrzdaDraha " + RealNaText(P.BrzdaDraha) + CR;
  t += "BrzdaCas " + RealNaText(P.BrzdaCas) + CR;
  t += "CilRychl " + RealNaText(P.CilRychl) + CR;
  t += T ? StavVlaku(*T) : s.Text(35);
  Zprava(s, t);
}

void ChybaStavu(Stav& s, const RVlak* T, const std::string& jmeno) {
  NastavRychlost(s, 0);
  s.okno.Rychlomer = false;
  if (!Ukazat(s)) return;
  std::string t = Hlavicka(s, jmeno);
  if (T)
    t += "vlak " + std::to_string(T->cislo) + CR + StavVlaku(*T);
  else
    t += s.Text(35);
  Zprava(s, t);
}

}  // namespace stanovar
