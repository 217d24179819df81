#include "display/kresleni.h"

namespace stanovar {

namespace {
const char* const Pismo = "arial";

Platno& P(Stav& s) { return *s.platno; }
int W(const Stav& s) { return s.nastaveni.sirkaCary; }

void Cara(Platno& p, int x1, int y1, int x2, int y2) {
  p.presun(x1, y1);
  p.cara(x2, y2);
}
}  // namespace

void KresliUsek(Stav& s, int x1, int y1, int x2, int y2) {
  Platno& p = P(s);
  int w = W(s);
  p.sirkaPera(w);
  if (x1 != x2 && y1 != y2) {
    x1 += 1;
    x2 -= 1;
    if (y2 > y1) {
      y1 += w;
      y2 -= w;
    } else {
      y1 -= w;
      y2 += w;
    }
  } else if (x1 == x2) {
    y1 += 1;
    y2 -= 1;
  } else {
    x1 += w;
    x2 -= w;
  }
  Cara(p, x1, y1, x2, y2);
  p.sirkaPera(1);
}

void KresliZavorky(Stav& s, int x1, int y1, int x2, int y2) {
  Platno& p = P(s);
  int w = W(s);
  if (x1 == x2) {
    p.sirkaPera(w);
    Cara(p, x1, y1 + 1, x1, y1 - 1 + gy / 2);
    Cara(p, x1, y2 - 1, x1, y2 + 1 - gy / 2);
    p.sirkaPera(1);
    p.presun(x1 - gx, y1);
    p.cara(x1 - gx, y1 + gy / 2);
    p.cara(x1 + gx, y1 + gy / 2);
    p.cara(x1 + gx, y1 - 1);
    p.presun(x1 - gx, y2);
    p.cara(x1 - gx, y2 - gy / 2);
    p.cara(x1 + gx, y2 - gy / 2);
    p.cara(x1 + gx, y2 + 1);
  } else {
    p.sirkaPera(w);
    Cara(p, x1 + 2, y1, x1 - 2 + gx / 2, y1);
    Cara(p, x2 - 2, y1, x2 + 2 - gx / 2, y1);
    p.sirkaPera(1);
    p.presun(x1, y1 - gy);
    p.cara(x1 + gx / 2, y1 - gy);
    p.cara(x1 + gx / 2, y1 + gy);
    p.cara(x1 - 1, y1 + gy);
    p.presun(x2, y1 - gy);
    p.cara(x2 - gx / 2, y1 - gy);
    p.cara(x2 - gx / 2, y1 + gy);
    p.cara(x2 + 1, y1 + gy);
  }
  p.sirkaPera(1);
}

void KresliNavestidlo(Stav& s, int x, int y, int strana) {
  Platno& p = P(s);
  p.sirkaPera(1);
  for (int i = 0; i <= gx; ++i) {
    switch (strana) {
      case 1:
        Cara(p, x - gx / 2 + i, y - i, x - gx / 2 + i, y + i);
        break;
      case 2:
        Cara(p, x + gx / 2 - i, y - i, x + gx / 2 - i, y + i);
        break;
      case 3:
        Cara(p, x - gx + i, y - i, x - gx + i, y + i);
        Cara(p, x + gx - i, y - i, x + gx - i, y + i);
        break;
      default:
        return;
    }
  }
}

void KresliSouseda(Stav& s, int x, int y, int konec, int druh) {
  Platno& p = P(s);
  p.sirkaPera(1);
  p.barvaPera(s.nastaveni.popredi);
  if ((konec == 1 && druh == 2) || (konec == 2 && druh == 1)) {
    p.presun(x + gx / 2, y + gy / 2);
    p.cara(x - gx / 2, y);
    p.cara(x + gx / 2 + 1, y - gy / 2 - 1);
  } else if ((konec == 1 && druh == 1) || (konec == 2 && druh == 2)) {
    p.presun(x - gx / 2, y + gy / 2);
    p.cara(x + gx / 2, y);
    p.cara(x - gx / 2 - 1, y - gy / 2 - 1);
  } else if (druh == 3) {
    Cara(p, x - gx / 2, y + gy / 2, x + gx / 2, y - gy / 2);
    Cara(p, x + gx / 2, y + gy / 2, x - gx / 2, y - gy / 2);
  }
}

void KresliKolej(Stav& s, const RKolej& k, const std::string& text, Barva c) {
  Platno& p = P(s);
  const int T = s.nastaveni.velikostTextu;
  int x1 = k.x1, x2 = k.x2, y = k.y1;
  p.barvaPera(s.nastaveni.pozadi);
  p.barvaVyplne(s.nastaveni.pozadi);
  p.obdelnik(x1 + gx, y - gy / 2 + 1, x2 - gx, y + gy / 2 - 1);
  p.sirkaPera(W(s));
  p.barvaPera(c);
  p.pismo(Pismo, T, c, false);
  int w = text.empty() ? 0 : p.sirkaTextu(text);
  int stred = (x1 + x2) / 2;
  if (x2 - x1 - 2 * gx > w && !text.empty()) {
    p.text(stred - w / 2, y - 7, text, false);
    Cara(p, x1 + 2, y, stred - 2 - w / 2, y);
    Cara(p, x2 - 2, y, stred + 3 + w / 2, y);
  } else {
    Cara(p, x1 + 2, y, x2 - 2, y);
  }
  p.barvaPera(s.nastaveni.popredi);
  p.sirkaPera(1);
}

void KresliText(Stav& s, int x, int y, int velikost, const std::string& text) {
  Platno& p = P(s);
  p.pismo(Pismo, velikost, s.nastaveni.popredi, false);
  p.text(x, y - 3 - velikost / 2, text, true);
}

void KresliNastupiste(Stav& s, int x1, int x2, int y) {
  Platno& p = P(s);
  p.sirkaPera(W(s));
  Cara(p, x1, y + gy / 2, x2, y + gy / 2);
  p.sirkaPera(1);
}

void BlikniNabidku(Stav& s, int x, int y, bool faze) {
  Platno& p = P(s);
  Barva pismo;
  if (faze) {
    p.barvaPera(s.nastaveni.pozadi);
    p.barvaVyplne(s.nastaveni.pozadi);
    pismo = BarvaObsazeno;
  } else {
    p.barvaPera(BarvaObsazeno);
    p.barvaVyplne(BarvaObsazeno);
    pismo = RGB(0, 0, 0);
  }
  p.obdelnik(x - gx / 2 - 1, y - gy / 2, x + gx / 2 + 2, y + gy / 2 + 1);
  p.pismo(Pismo, s.nastaveni.velikostTextu, pismo, true);
  p.text(x - gx / 2, y - 7, "?", false);
  p.barvaPera(s.nastaveni.popredi);
  p.pismo(Pismo, s.nastaveni.velikostTextu, pismo, false);
}

void NastavBarvy(Stav& s) {
  Platno& p = P(s);
  p.barvaPera(s.nastaveni.pozadi);
  p.barvaVyplne(s.nastaveni.pozadi);
  p.obdelnik(0, 0, p.sirka(), p.vyska());
  p.barvaPera(s.nastaveni.popredi);
  s.okno.pozadi = s.nastaveni.pozadi;
  s.okno.popredi = s.nastaveni.popredi;
}

void KresliPrvek(Stav& s, const RKolej& k, Barva c, const std::string& t) {
  P(s).barvaPera(c);
  if (k.viditelna) {
    if (k.zavorky)
      KresliZavorky(s, k.x1, k.y1, k.x2, k.y2);
    else
      KresliUsek(s, k.x1, k.y1, k.x2, k.y2);
  }
  if (JeKolej(k.id)) KresliKolej(s, k, t, c);
  P(s).barvaPera(s.nastaveni.popredi);
}

void KresliNavestidloBarvou(Stav& s, const RNavestidlo& n, Barva c) {
  P(s).barvaPera(c);
  KresliNavestidlo(s, n.x, n.y, n.strana);
  P(s).barvaPera(s.nastaveni.popredi);
}

}  // namespace stanovar
