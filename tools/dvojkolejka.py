#!/usr/bin/env python3
"""Writes the test station Mlýnec into tests/data/dvojkolejka/ (or the folder given).

A small station on a double-track line to Horka whose two tracks are both used both ways,
so that the two line ends share one neighbour name and either may offer a train or take a
departure; in the east a single-track line to Brodek and a branch to Luka, both used both
ways. Four platform tracks. Some train numbers appear in two timetable entries (the same
number in both directions, or on two lines), as real timetables have them. Run

    python3 tools/dvojkolejka.py

to regenerate mlynec.yrd, mlynec.gvd, mlynec.lok, cestina.lng and stanovar.ini.

The west throat has one crossover each way between the two line tracks, one after the
other so that they do not cross, and both line tracks reach every platform track; a move on
one line track runs beside a move on the other. The east throat is laid out like the demo
station's.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from demo_data import (CS, jazyk, na_mrizce, radek, zapis_grafikonu,  # noqa: E402
                       zapis_lokomotiv, zapis_nastaveni)

STANICE = "Mlýnec"
NASTUPISTE = "MLÝNEC"

# tracks: (x1, y, x2, gradient, length, number, speed)
KOLEJE = [
    (18, 216, 150, 30, 2600, "H1", 120),    # first track of the line to Horka, both ways
    (18, 240, 150, 30, 2600, "H2", 120),    # second track of the line to Horka, both ways
    (264, 192, 510, 0, 560, "4", 80),
    (258, 216, 522, 0, 680, "2", 80),
    (258, 240, 534, 0, 740, "1", 100),
    (258, 264, 522, 0, 650, "3", 80),
    (642, 240, 774, -20, 2800, "B", 120),   # line to Brodek, both ways
    (642, 336, 774, 60, 1800, "L", 100),    # branch to Luka, both ways
]

# connectors: (x1, y1, x2, y2, length, speed, brackets)
SPOJKY = [
    # west throat: a crossover from H1 down to row 240, then one from row 240 up to row 216
    (150, 216, 162, 216, 30, 100, 0),
    (162, 216, 174, 240, 40, 60, 1),
    (162, 216, 198, 216, 60, 100, 0),
    (150, 240, 174, 240, 40, 100, 0),
    (174, 240, 186, 240, 30, 100, 0),
    (186, 240, 198, 216, 40, 60, 1),
    (186, 240, 222, 240, 50, 100, 0),
    (198, 216, 210, 216, 30, 100, 0),
    (210, 216, 258, 216, 50, 80, 0),
    (210, 216, 222, 192, 40, 40, 0),
    (222, 192, 264, 192, 50, 80, 0),
    (222, 240, 258, 240, 50, 100, 0),
    (222, 240, 234, 264, 40, 40, 0),
    (234, 264, 258, 264, 40, 80, 0),
    # east throat: tracks 4, 2 and 1 lead to Brodek, track 3 to Luka, crossovers both ways
    (510, 192, 534, 192, 40, 80, 0),
    (534, 192, 546, 216, 40, 40, 0),
    (522, 216, 546, 216, 40, 80, 0),
    (546, 216, 558, 216, 30, 80, 0),
    (558, 216, 570, 240, 40, 40, 0),
    (534, 240, 570, 240, 50, 100, 0),
    (570, 240, 582, 240, 30, 100, 0),
    (582, 240, 594, 240, 30, 100, 0),
    (594, 240, 642, 240, 60, 100, 0),
    (522, 264, 546, 264, 40, 80, 0),
    (546, 264, 570, 264, 40, 80, 0),
    (570, 264, 582, 240, 40, 40, 0),
    (594, 240, 606, 264, 40, 40, 0),
    (570, 264, 606, 264, 50, 80, 0),
    (606, 264, 642, 336, 60, 60, 0),
]

NAVESTIDLA = [
    (150, 216), (150, 240),                       # entries from Horka
    (264, 192), (258, 216), (258, 240), (258, 264),  # west ends
    (510, 192), (522, 216), (534, 240), (522, 264),  # east ends
    (642, 240), (642, 336),                       # entries from Brodek and Luka
]

NASTUPISTE_RADKY = [
    (300, 474, 192), (300, 474, 204),   # island between 4 and 2
    (300, 486, 240), (300, 486, 252),   # island between 1 and 3
]

POPISKY = [
    (354, 150, 16, STANICE),
    (24, 198, 9, "Horka"),
    (702, 222, 9, "Brodek"),
    (702, 318, 9, "Luka"),
]

# line ends: (x, y, name, kind)
SOUSEDE = [
    (18, 216, "HORKA", 3),
    (18, 240, "HORKA", 3),
    (774, 240, "BRODEK", 3),
    (774, 336, "LUKA", 3),
]

LOKOMOTIVY = [
    ("elektrická rychlíková", "E16", 160, 4000, 87, 60, 100, "0.00004", "0.00006", "0.035", "1.15"),
    ("elektrická nákladní", "E10", 100, 3480, 120, 45, 70, "0.00006", "0.00008", "0.045", "1.18"),
    ("motorová traťová", "D10", 100, 1470, 74, 35, 60, "0.00005", "0.00007", "0.04", "1.12"),
    ("elektrická jednotka", "M12", 120, 1700, 130, 50, 90, "0.00004", "0.00006", "0.035", "1.08"),
    ("motorový vůz", "M8", 80, 310, 46, 25, 50, "0.00004", "0.00006", "0.03", "1.06"),
]

H, B, L = "HORKA", "BRODEK", "LUKA"
VLAKY = []
for i in range(4):
    VLAKY.append(("R", 801 + 2 * i, H, B, 240, 420, 140, "E16"))
    VLAKY.append(("R", 802 + 2 * i, B, H, 240, 420, 140, "E16"))
for i in range(4):
    VLAKY.append(("Os", 5101 + 2 * i, H, B, 80, 60, 120, "M12"))
    VLAKY.append(("Os", 5102 + 2 * i, B, H, 80, 60, 120, "M12"))
for i in range(3):
    VLAKY.append(("Os", 7201 + 2 * i, H, L, 40, 40, 80, "M8"))
    VLAKY.append(("Os", 7202 + 2 * i, L, H, 40, 40, 80, "M8"))
VLAKY += [
    ("Pn", 60101, H, B, 480, 1400, 90, "E10"),
    ("Pn", 60102, B, H, 460, 1350, 90, "E10"),
    ("Mn", 68201, H, L, 200, 480, 60, "D10"),
    ("Mn", 68202, L, H, 180, 400, 60, "D10"),
    # one number in both directions, and one on two lines
    ("Os", 5150, H, B, 80, 60, 120, "M12"),
    ("Os", 5150, B, H, 80, 60, 120, "M12"),
    ("Mn", 68250, L, H, 200, 450, 60, "D10"),
    ("Mn", 68250, H, L, 200, 450, 60, "D10"),
    ("Sp", 7290, H, L, 80, 120, 100, "D10"),
    ("Sp", 7290, H, B, 80, 120, 100, "D10"),
]


def schema():
    out = []
    konce = set()
    for (x1, y, x2, sklon, delka, cislo, rychlost) in KOLEJE:
        assert na_mrizce(x1, y) and na_mrizce(x2, y) and x1 < x2
        konce |= {(x1, y), (x2, y)}
        out.append(radek(1, x1, y, x2, y, sklon, delka, cislo, rychlost, 0))
    body = {}
    for i, (x1, y1, x2, y2, delka, rychlost, zavorky) in enumerate(SPOJKY):
        assert na_mrizce(x1, y1) and na_mrizce(x2, y2) and x1 < x2
        assert y1 == y2 or (x2 - x1) * 2 == abs(y2 - y1), "a diagonal climbs 12 per 6"
        for b in ((x1, y1), (x2, y2)):
            body[b] = body.get(b, 0) + 1
        out.append(radek(2, x1, y1, x2, y2, 18001 + i, delka, rychlost, zavorky, 1))
    assert max(body.values()) <= 4
    for (x, y) in NAVESTIDLA:
        assert (x, y) in konce, "a signal must stand at a track end"
        out.append(radek(3, x, y))
    for (x1, x2, y) in NASTUPISTE_RADKY:
        out.append(radek(5, x1, x2, y, 0, NASTUPISTE))
    for (x, y, velikost, text) in POPISKY:
        out.append(radek(4, x, 0, y, 0, text, velikost))
    for i, (x, y, jmeno, druh) in enumerate(SOUSEDE):
        assert (x, y) in konce and len(jmeno) <= 8
        prvni = any(k[0] == x and k[1] == y for k in KOLEJE)
        out.append(radek(6, x, y, 6001 + i, jmeno, 1 if prvni else 2, druh))
    return b"".join(out)


def grafikon():
    prijezdy = {j for (_x, _y, j, d) in SOUSEDE if d in (1, 3)}
    odjezdy = {j for (_x, _y, j, d) in SOUSEDE if d in (2, 3)}
    lokomotivy = {l[1] for l in LOKOMOTIVY}
    return zapis_grafikonu(VLAKY, prijezdy, odjezdy, lokomotivy)


def lokomotivy():
    return zapis_lokomotiv(LOKOMOTIVY)


def nastaveni():
    return zapis_nastaveni("mlynec")


def main():
    cil = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data", "dvojkolejka")
    os.makedirs(cil, exist_ok=True)
    soubory = {
        "mlynec.yrd": schema(),
        "mlynec.gvd": grafikon(),
        "mlynec.lok": lokomotivy(),
        "cestina.lng": jazyk(CS),
        "stanovar.ini": nastaveni(),
    }
    for jmeno, obsah in soubory.items():
        with open(os.path.join(cil, jmeno), "wb") as f:
            f.write(obsah)


if __name__ == "__main__":
    main()
