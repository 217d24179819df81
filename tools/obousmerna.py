#!/usr/bin/env python3
"""Writes test stations whose line ends are all used both ways, so that every train is offered
and every departure shares its line track with the arrivals from the same neighbour:

    tests/data/obousmerna/    the demo station's layout (Lesná) with both Lipovec line
                              tracks used both ways and an entry signal on each
    tests/data/jednokolejna/  a smaller station (Ostrov) on three single-track lines used
                              both ways, three platform tracks, one of them too short for
                              the longest trains

Run

    python3 tools/obousmerna.py

to regenerate both folders (schema, timetable, locomotives, Czech language file and
stanovar.ini each).
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import demo_data  # noqa: E402
from demo_data import (CS, jazyk, na_mrizce, radek, zapis_grafikonu,  # noqa: E402
                       zapis_lokomotiv, zapis_nastaveni)


def schema(koleje, spojky, navestidla, nastupiste, popisky, sousede, nazev_nastupiste):
    """Tracks are (x1, y, x2, gradient, length, number, speed)."""
    out = []
    konce = {}
    for (x1, y, x2, sklon, delka, cislo, rychlost) in koleje:
        assert na_mrizce(x1, y) and na_mrizce(x2, y) and x1 < x2
        konce[(x1, y)] = 1
        konce[(x2, y)] = 2
        out.append(radek(1, x1, y, x2, y, sklon, delka, cislo, rychlost, 0))
    body = {}
    for i, (x1, y1, x2, y2, delka, rychlost, zavorky) in enumerate(spojky):
        assert na_mrizce(x1, y1) and na_mrizce(x2, y2) and x1 < x2
        assert y1 == y2 or (x2 - x1) * 2 == abs(y2 - y1), "a diagonal climbs 12 per 6"
        for b in ((x1, y1), (x2, y2)):
            body[b] = body.get(b, 0) + 1
        out.append(radek(2, x1, y1, x2, y2, 18001 + i, delka, rychlost, zavorky, 1))
    assert max(body.values()) <= 4
    for (x, y) in navestidla:
        assert (x, y) in konce, "a signal must stand at a track end"
        out.append(radek(3, x, y))
    for (x1, x2, y) in nastupiste:
        out.append(radek(5, x1, x2, y, 0, nazev_nastupiste))
    for (x, y, velikost, text) in popisky:
        out.append(radek(4, x, 0, y, 0, text, velikost))
    for i, (x, y, jmeno, druh) in enumerate(sousede):
        assert (x, y) in konce and len(jmeno) <= 8
        out.append(radek(6, x, y, 6001 + i, jmeno, konce[(x, y)], druh))
    return b"".join(out)


def grafikon(vlaky, sousede, lokomotivy):
    prijezdy = {j for (_x, _y, j, d) in sousede if d in (1, 3)}
    odjezdy = {j for (_x, _y, j, d) in sousede if d in (2, 3)}
    return zapis_grafikonu(vlaky, prijezdy, odjezdy, {l[1] for l in lokomotivy})


def obousmerna():
    """Lesná as in the demo, every line end used both ways."""
    koleje = [(x1, y1, x2, sklon, delka, cislo, rychlost)
              for (x1, y1, x2, _y2, sklon, delka, cislo, rychlost) in demo_data.KOLEJE]
    # The Lipovec departure track gets an entry signal of its own.
    navestidla = [(150, 216)] + demo_data.NAVESTIDLA
    sousede = [(x, y, j, 3) for (x, y, j, _d) in demo_data.SOUSEDE]
    return {
        "obousmerna.yrd": schema(koleje, demo_data.SPOJKY, navestidla,
                                 demo_data.NASTUPISTE_RADKY, demo_data.POPISKY, sousede,
                                 demo_data.NASTUPISTE),
        "obousmerna.gvd": grafikon(demo_data.VLAKY, sousede, demo_data.LOKOMOTIVY),
        "obousmerna.lok": zapis_lokomotiv(demo_data.LOKOMOTIVY),
        "cestina.lng": jazyk(CS),
        "stanovar.ini": zapis_nastaveni("obousmerna"),
    }


# Ostrov: a single-track line from Brezi in the west, and lines to Hradek and Zlatnik in the
# east; three platform tracks, track 3 only 200 m long.
OSTROV_KOLEJE = [
    (18, 240, 150, 25, 2200, "B", 100),     # line to Brezi
    (264, 216, 516, 0, 620, "2", 80),
    (258, 240, 534, 0, 720, "1", 100),
    (270, 264, 498, 0, 200, "3", 60),
    (642, 240, 774, -15, 2500, "H", 120),   # line to Hradek
    (642, 312, 774, 40, 1900, "Z", 80),     # line to Zlatnik
]

OSTROV_SPOJKY = [
    # west: the line fans out to the three tracks
    (150, 240, 198, 240, 60, 100, 0),
    (198, 240, 210, 216, 40, 40, 0),
    (210, 216, 264, 216, 60, 80, 0),
    (198, 240, 222, 240, 30, 100, 0),
    (222, 240, 258, 240, 50, 100, 0),
    (222, 240, 234, 264, 40, 40, 0),
    (234, 264, 270, 264, 40, 60, 0),
    # east: tracks 2 and 1 lead to Hradek, 1 and 3 to Zlatnik
    (516, 216, 534, 216, 30, 80, 0),
    (534, 216, 546, 240, 40, 40, 0),
    (534, 240, 546, 240, 20, 100, 0),
    (546, 240, 570, 240, 40, 100, 0),
    (570, 240, 642, 240, 80, 100, 0),
    (570, 240, 582, 264, 40, 40, 0),
    (498, 264, 582, 264, 80, 60, 0),
    (582, 264, 606, 264, 40, 60, 0),
    (606, 264, 630, 312, 60, 40, 0),
    (630, 312, 642, 312, 20, 60, 0),
]

OSTROV_NAVESTIDLA = [
    (150, 240),
    (264, 216), (258, 240), (270, 264),
    (516, 216), (534, 240), (498, 264),
    (642, 240), (642, 312),
]

# platforms: an island between tracks 2 and 1, a side platform at track 3
OSTROV_NASTUPISTE = [(300, 480, 216), (300, 480, 228), (300, 480, 264)]
OSTROV_POPISKY = [(354, 160, 16, "Ostrov"), (24, 222, 9, "Březí"), (702, 222, 9, "Hrádek"),
                  (702, 294, 9, "Zlatník")]
OSTROV_SOUSEDE = [(18, 240, "BREZI", 3), (774, 240, "HRADEK", 3), (774, 312, "ZLATNIK", 3)]

OSTROV_VLAKY = []
for i in range(3):
    OSTROV_VLAKY += [
        ("R", 701 + 2 * i, "BREZI", "HRADEK", 230, 400, 120, "E16"),
        ("R", 702 + 2 * i, "HRADEK", "BREZI", 230, 400, 120, "E16"),
        ("Os", 3301 + 2 * i, "BREZI", "HRADEK", 80, 60, 120, "M12"),
        ("Os", 3302 + 2 * i, "HRADEK", "BREZI", 80, 60, 120, "M12"),
        ("Os", 3401 + 2 * i, "BREZI", "ZLATNIK", 30, 22, 80, "M8"),
        ("Os", 3402 + 2 * i, "ZLATNIK", "BREZI", 30, 22, 80, "M8"),
    ]
OSTROV_VLAKY += [
    ("Os", 3451, "HRADEK", "ZLATNIK", 45, 60, 80, "D8"),
    ("Os", 3452, "ZLATNIK", "HRADEK", 45, 60, 80, "D8"),
    ("Pn", 52101, "BREZI", "HRADEK", 500, 1500, 90, "E10"),
    ("Pn", 52102, "HRADEK", "BREZI", 480, 1400, 90, "E10"),
    ("Mn", 53301, "BREZI", "ZLATNIK", 240, 560, 60, "D10"),
    ("Mn", 53302, "ZLATNIK", "BREZI", 200, 450, 60, "D10"),
]


def jednokolejna():
    return {
        "ostrov.yrd": schema(OSTROV_KOLEJE, OSTROV_SPOJKY, OSTROV_NAVESTIDLA, OSTROV_NASTUPISTE,
                             OSTROV_POPISKY, OSTROV_SOUSEDE, "OSTROV"),
        "ostrov.gvd": grafikon(OSTROV_VLAKY, OSTROV_SOUSEDE, demo_data.LOKOMOTIVY),
        "ostrov.lok": zapis_lokomotiv(demo_data.LOKOMOTIVY),
        "cestina.lng": jazyk(CS),
        "stanovar.ini": zapis_nastaveni("ostrov"),
    }


def main():
    koren = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "tests", "data")
    for slozka, soubory in (("obousmerna", obousmerna()), ("jednokolejna", jednokolejna())):
        cil = os.path.join(koren, slozka)
        os.makedirs(cil, exist_ok=True)
        for jmeno, obsah in soubory.items():
            with open(os.path.join(cil, jmeno), "wb") as f:
                f.write(obsah)


if __name__ == "__main__":
    main()
