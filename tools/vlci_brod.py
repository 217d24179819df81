#!/usr/bin/env python3
"""Writes the second demo station, Vlčí Brod, into data/vlci_brod/ (or the folder given).

A junction on a double-track main line (Hradisko in the west, Rybníky in the east), with a
single-track line at each side (Borová, Kozlov) and a branch to Polanka joining in the east:
twelve platform tracks, two freight tracks and a dead-end loading siding. Run

    python3 tools/vlci_brod.py

to regenerate vlci_brod.yrd, vlci_brod.gvd, vlci_brod.lok and stanovar.ini; the language
files and help documents are links to those in data/, so that the folder is a complete
station without a second copy to keep in step.

The throats are laid out on the west side only and mirrored to the east about the middle of
the 792-pixel picture (x -> 792 - x): each main line feeds a ladder of switches (one grid
column per track row), the two main tracks are joined by a crossover each way, and the
single-track lines feed the lower group, so that moves on the upper and the lower group, and
arrivals and departures on the two main tracks, can run side by side.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from demo_data import (na_mrizce, radek, zapis_grafikonu, zapis_lokomotiv,  # noqa: E402
                       zapis_nastaveni)

SIRKA = 792     # width of the station picture
STANICE = "Vlčí Brod"
NASTUPISTE = "VLČÍ BROD"


def zrcadlo(x):
    return SIRKA - x


# ---------------------------------------------------------------------------------------
# Tracks: (x1, y, x2, gradient, length, number, speed). Station tracks are symmetric about
# the middle of the picture; line tracks are listed with their side.

STANICNI = [
    # row, west end, number, length m, speed km/h, gradient (tenths of a per mille)
    (108, 288, "8", 610, 60, 10),
    (132, 282, "6", 650, 60, 10),
    (156, 276, "4", 700, 80, 0),
    (180, 270, "2", 760, 120, 0),
    (204, 270, "1", 760, 120, 0),
    (228, 276, "3", 700, 80, 0),
    (252, 282, "5", 660, 60, -10),
    (276, 288, "7", 620, 60, -10),
    (300, 306, "9", 640, 80, -15),
    (324, 306, "11", 630, 60, -15),
    (348, 312, "13", 600, 60, -20),
    (372, 318, "15", 580, 60, -20),
    (396, 324, "101", 820, 40, -20),
    (420, 330, "103", 780, 40, -20),
]
KUSA = (444, 342, 438, "105", 350, 30, -20)   # dead-end loading siding: row, x1, x2, ...

# Line tracks: (x1, y, x2, gradient, length, number, speed, neighbour, kind, end x)
TRATE = [
    (6, 180, 114, 45, 3200, "H2", 120, "HRADISKO", 2, 6),     # departures to Hradisko
    (6, 204, 114, 45, 3200, "H1", 120, "HRADISKO", 1, 6),     # arrivals from Hradisko
    (6, 300, 114, 85, 2600, "B", 80, "BOROVÁ", 3, 6),         # single track, both ways
    (678, 180, 786, -60, 2900, "R2", 120, "RYBNÍKY", 1, 786),  # arrivals from Rybníky
    (678, 204, 786, -60, 2900, "R1", 120, "RYBNÍKY", 2, 786),  # departures to Rybníky
    (678, 300, 786, 100, 2300, "K", 80, "KOZLOV", 3, 786),    # single track, both ways
    (678, 444, 786, 180, 4100, "P", 60, "POLANKA", 3, 786),   # branch, both ways
]

# ---------------------------------------------------------------------------------------
# Connectors of the west throat: (x1, y1, x2, y2, length m, speed km/h, brackets). Each is
# mirrored into the east throat, except those marked for the west only.

ZAPADNI = [
    # main track rows: 180 towards Hradisko, 204 from Hradisko
    (114, 180, 150, 180, 120, 120, 0),
    (150, 180, 186, 180, 90, 120, 0),
    (186, 180, 270, 180, 110, 120, 0),
    (114, 204, 138, 204, 80, 120, 0),
    (138, 204, 162, 204, 60, 120, 0),
    (162, 204, 198, 204, 90, 120, 0),
    (198, 204, 270, 204, 100, 120, 0),
    # crossovers between the main tracks, one each way; they share the point (150, 180)
    (138, 204, 150, 180, 60, 60, 1),
    (150, 180, 162, 204, 60, 60, 1),
    # ladder up from row 180 to tracks 4, 6, 8
    (186, 180, 198, 156, 45, 40, 0),
    (198, 156, 276, 156, 90, 60, 0),
    (198, 156, 210, 132, 45, 40, 0),
    (210, 132, 282, 132, 80, 60, 0),
    (210, 132, 222, 108, 45, 40, 0),
    (222, 108, 288, 108, 70, 60, 0),
    # ladder down from row 204 to tracks 3, 5, 7 and on to the lower group's lead
    (198, 204, 210, 228, 45, 40, 0),
    (210, 228, 276, 228, 80, 60, 0),
    (210, 228, 222, 252, 45, 40, 0),
    (222, 252, 282, 252, 70, 60, 0),
    (222, 252, 234, 276, 45, 40, 0),
    (234, 276, 288, 276, 60, 60, 0),
    (234, 276, 246, 300, 45, 40, 0),
    # the single-track line's lead along row 300 to track 9
    (114, 300, 246, 300, 150, 80, 0),
    (246, 300, 258, 300, 30, 80, 0),
    (258, 300, 306, 300, 60, 80, 0),
    # ladder down from row 300 to tracks 11, 13, 15 and the freight tracks
    (258, 300, 270, 324, 45, 40, 0),
    (270, 324, 306, 324, 50, 60, 0),
    (270, 324, 282, 348, 45, 40, 0),
    (282, 348, 312, 348, 45, 60, 0),
    (282, 348, 294, 372, 45, 40, 0),
    (294, 372, 318, 372, 40, 60, 0),
    (294, 372, 306, 396, 45, 40, 0),
    (306, 396, 324, 396, 35, 40, 0),
    (306, 396, 318, 420, 45, 40, 0),
    (318, 420, 330, 420, 30, 40, 0),
]
# West only: the loading siding hangs off the bottom of the ladder.
JEN_ZAPAD = [
    (318, 420, 330, 444, 45, 30, 0),
    (330, 444, 342, 444, 25, 30, 0),
]
# East only: the line to Kozlov continues row 300, and the branch joins it in one long curve.
JEN_VYCHOD = [
    (546, 300, 570, 300, 50, 80, 0),
    (570, 300, 678, 300, 160, 80, 0),
    (570, 300, 642, 444, 260, 50, 0),
    (642, 444, 678, 444, 80, 60, 0),
]


def zrcadli_spojku(s):
    (x1, y1, x2, y2, delka, rychlost, zavorky) = s
    # The first end stays the left one.
    return (zrcadlo(x2), y2, zrcadlo(x1), y1, delka, rychlost, zavorky)


def spojky():
    vychodni = [zrcadli_spojku(s) for s in ZAPADNI]
    # Row 300 east of the ladder is built by JEN_VYCHOD instead of the mirrored line lead.
    vychodni = [s for s in vychodni if not (s[1] == s[3] == 300 and s[2] == 678)]
    return ZAPADNI + JEN_ZAPAD + vychodni + JEN_VYCHOD


def koleje():
    out = []
    for (y, x1, cislo, delka, rychlost, sklon) in STANICNI:
        out.append((x1, y, zrcadlo(x1), sklon, delka, cislo, rychlost))
    (y, x1, x2, cislo, delka, rychlost, sklon) = KUSA
    out.append((x1, y, x2, sklon, delka, cislo, rychlost))
    for (x1, y, x2, sklon, delka, cislo, rychlost, *_z) in TRATE:
        out.append((x1, y, x2, sklon, delka, cislo, rychlost))
    return out


def navestidla():
    out = []
    for (y, x1, *_z) in STANICNI:
        out += [(x1, y), (zrcadlo(x1), y)]
    (y, x1, x2, *_z) = KUSA
    out += [(x1, y), (x2, y)]
    # entry signals at the inner ends of the tracks trains arrive on
    for (x1, y, x2, _s, _d, _c, _r, _j, druh, konec) in TRATE:
        if druh in (1, 3):
            out.append((x2 if konec == x1 else x1, y))
    return out


# Island platforms between track pairs: the platform line of row y names the tracks on rows
# y and y + 12, so each island is drawn by two lines 12 pixels apart.
NASTUPISTE_RADKY = [(330, 462, y) for y in (108, 120, 156, 168, 204, 216, 252, 264, 300, 312,
                                             348, 360)]

POPISKY = [
    (354, 48, 16, STANICE),
    (12, 168, 9, "Hradisko"),
    (12, 288, 9, "Borová"),
    (708, 168, 9, "Rybníky"),
    (708, 288, 9, "Kozlov"),
    (708, 432, 9, "Polanka"),
    (354, 468, 8, "nákladiště"),
]

# locomotives: (description, name, max km/h, kW, t, v1, v2, A, B, C, mass factor)
LOKOMOTIVY = [
    ("elektrická rychlíková", "E16", 160, 4000, 87, 60, 100, "0.00004", "0.00006", "0.035", "1.15"),
    ("elektrická univerzální", "E12", 120, 3060, 88, 50, 80, "0.00005", "0.00007", "0.04", "1.15"),
    ("elektrická nákladní", "E10", 100, 3480, 120, 45, 70, "0.00006", "0.00008", "0.045", "1.18"),
    ("motorová traťová", "D10", 100, 1470, 74, 35, 60, "0.00005", "0.00007", "0.04", "1.12"),
    ("motorová těžká", "D20", 100, 1990, 116, 30, 55, "0.00006", "0.00008", "0.045", "1.15"),
    ("elektrická jednotka", "M12", 120, 1700, 130, 50, 90, "0.00004", "0.00006", "0.035", "1.08"),
    ("motorový vůz", "M8", 80, 310, 46, 25, 50, "0.00004", "0.00006", "0.03", "1.06"),
]

H, R, B, K, P = "HRADISKO", "RYBNÍKY", "BOROVÁ", "KOZLOV", "POLANKA"

# Three number classes: fast trains (three digits), passenger trains (four), freight (five).
# Odd numbers run east, even numbers west.
VLAKY = []
for i in range(6):
    VLAKY.append(("R", 701 + 2 * i, H, R, 260, 480, 140, "E16"))
    VLAKY.append(("R", 702 + 2 * i, R, H, 260, 480, 140, "E16"))
for i in range(5):
    VLAKY.append(("Os", 3401 + 2 * i, H, R, 110, 150, 120, "M12" if i % 2 else "E12"))
    VLAKY.append(("Os", 3402 + 2 * i, R, H, 110, 150, 120, "M12" if i % 2 else "E12"))
for i in range(4):
    VLAKY.append(("Os", 5201 + 2 * i, B, K, 50, 60, 80, "D10" if i % 2 else "M8"))
    VLAKY.append(("Os", 5202 + 2 * i, K, B, 50, 60, 80, "D10" if i % 2 else "M8"))
for i in range(3):
    VLAKY.append(("Os", 5601 + 2 * i, H, P, 30, 22, 80, "M8"))
    VLAKY.append(("Os", 5602 + 2 * i, P, H, 30, 22, 80, "M8"))
for i in range(3):
    VLAKY.append(("Pn", 47101 + 2 * i, H, R, 540, 1500, 90, "E10"))
    VLAKY.append(("Pn", 47102 + 2 * i, R, H, 520, 1420, 90, "E10"))
for i in range(2):
    VLAKY.append(("Mn", 66201 + 2 * i, B, K, 260, 620, 60, "D20"))
    VLAKY.append(("Mn", 66202 + 2 * i, K, B, 240, 560, 60, "D20"))
VLAKY.append(("Mn", 67301, H, K, 300, 700, 60, "D20"))
VLAKY.append(("Mn", 67302, K, H, 300, 700, 60, "D20"))
VLAKY.append(("Mn", 68311, B, R, 280, 650, 60, "D20"))
VLAKY.append(("Mn", 68312, R, B, 280, 650, 60, "D20"))


# ---------------------------------------------------------------------------------------
# Writers

def schema():
    out = []
    kol = koleje()
    for (x1, y, x2, sklon, delka, cislo, rychlost) in kol:
        assert na_mrizce(x1, y) and na_mrizce(x2, y) and x1 < x2
        out.append(radek(1, x1, y, x2, y, sklon, delka, cislo, rychlost, 0))
    sp = spojky()
    body = {}
    for i, (x1, y1, x2, y2, delka, rychlost, zavorky) in enumerate(sp):
        assert na_mrizce(x1, y1) and na_mrizce(x2, y2) and x1 < x2, (x1, y1, x2, y2)
        assert y1 == y2 or (x2 - x1) * 2 == abs(y2 - y1), "a diagonal climbs 12 per 6"
        for b in ((x1, y1), (x2, y2)):
            body[b] = body.get(b, 0) + 1
        out.append(radek(2, x1, y1, x2, y2, 18001 + i, delka, rychlost, zavorky, 1))
    # The route search looks at no more than four connectors at a point.
    assert max(body.values()) <= 4
    konce = {(x1, y) for (x1, y, *_z) in kol} | {(x2, y) for (_a, y, x2, *_z) in kol}
    for (x, y) in navestidla():
        assert (x, y) in konce, "a signal must stand at a track end"
        out.append(radek(3, x, y))
    for (x1, x2, y) in NASTUPISTE_RADKY:
        out.append(radek(5, x1, x2, y, 0, NASTUPISTE))
    for (x, y, velikost, text) in POPISKY:
        out.append(radek(4, x, 0, y, 0, text, velikost))
    for i, (x1, y, x2, _s, _d, _c, _r, jmeno, druh, konec) in enumerate(TRATE):
        out.append(radek(6, konec, y, 6001 + i, jmeno, 1 if konec == x1 else 2, druh))
    return b"".join(out)


def grafikon():
    lokomotivy = {l[1] for l in LOKOMOTIVY}
    prijezdy = {t[7] for t in TRATE if t[8] in (1, 3)}
    odjezdy = {t[7] for t in TRATE if t[8] in (2, 3)}
    cisla = [v[1] for v in VLAKY]
    assert len(set(cisla)) == len(cisla) >= 40
    return zapis_grafikonu(VLAKY, prijezdy, odjezdy, lokomotivy)


def lokomotivy():
    return zapis_lokomotiv(LOKOMOTIVY)


def nastaveni():
    return zapis_nastaveni("vlci_brod")


def main():
    data = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
    cil = sys.argv[1] if len(sys.argv) > 1 else os.path.join(data, "vlci_brod")
    os.makedirs(cil, exist_ok=True)
    soubory = {
        "vlci_brod.yrd": schema(),
        "vlci_brod.gvd": grafikon(),
        "vlci_brod.lok": lokomotivy(),
        "stanovar.ini": nastaveni(),
    }
    for jmeno, obsah in soubory.items():
        with open(os.path.join(cil, jmeno), "wb") as f:
            f.write(obsah)
    for jmeno in ("cestina.lng", "english.lng", "napoveda.html", "help.html"):
        odkaz = os.path.join(cil, jmeno)
        if os.path.lexists(odkaz):
            os.remove(odkaz)
        os.symlink(os.path.join("..", jmeno), odkaz)


if __name__ == "__main__":
    main()
