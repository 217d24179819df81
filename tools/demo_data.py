#!/usr/bin/env python3
"""Writes the demo station's data files into data/ (or the folder given as the argument).

The station, timetable, locomotive, language and settings files are windows-1250 text with
CR LF line ends, and several of them carry marker bytes (0x85 between schema fields, 0x86,
0x88 and 0xB8 at the start of settings lines). Writing them from this script keeps those
bytes exact; edit the tables below and run

    python3 tools/demo_data.py

to regenerate demo.yrd, demo.gvd, demo.lok, cestina.lng, english.lng and stanovar.ini.
The help documents (napoveda.html, help.html) are plain UTF-8 and are edited by hand.

The layout is checked here only for its grid rules. Whether every route the dispatcher
needs can be found is a property of the route search: the station has been laid out so that
every entry signal reaches every platform track and every platform track reaches every line
it may leave by, with one signal at each track end and switches made of connectors only.
"""

import os
import re
import sys

# ---------------------------------------------------------------------------------------
# The station Lesná
#
# Coordinates in pixels on the 6 x 12 grid; lengths in metres, speeds in km/h,
# gradients in tenths of a per mille for travel from the first to the second end.

STANICE = "Lesná"          # station name (label and platform name)
NASTUPISTE = "LESNÁ"

# tracks: (x1, y1, x2, y2, gradient, length, number, speed)
KOLEJE = [
    (18, 216, 150, 216, 35, 2400, "L1", 120),    # 1 line to Lipovec, departures
    (18, 240, 150, 240, 35, 2400, "L2", 120),    # 2 line from Lipovec, arrivals
    (264, 192, 510, 192, 10, 560, "4", 80),      # 3 station track 4
    (258, 216, 522, 216, 0, 680, "2", 80),       # 4 station track 2
    (258, 240, 534, 240, 0, 740, "1", 100),      # 5 station track 1 (main)
    (258, 264, 522, 264, 0, 650, "3", 80),       # 6 station track 3
    (264, 288, 510, 288, -10, 540, "5", 80),     # 7 station track 5
    (642, 240, 774, 240, -20, 2800, "K1", 120),  # 8 line to Kamenec, both ways
    (642, 336, 774, 336, 80, 1800, "D1", 100),   # 9 line to Dubno, both ways
]

# connectors: (x1, y1, x2, y2, length, speed, brackets)
SPOJKY = [
    # west throat
    (150, 216, 162, 216, 30, 100, 0),
    (162, 216, 210, 216, 60, 100, 0),
    (210, 216, 258, 216, 50, 80, 0),
    (162, 216, 174, 240, 40, 40, 1),   # crossover from track 1 to the departure line
    (150, 240, 174, 240, 40, 100, 0),
    (174, 240, 198, 240, 40, 100, 0),
    (198, 240, 210, 216, 40, 40, 1),   # crossover from the arrival line to tracks 2 and 4
    (198, 240, 222, 240, 40, 100, 0),
    (222, 240, 258, 240, 50, 100, 0),
    (210, 216, 222, 192, 40, 40, 0),
    (222, 192, 264, 192, 50, 80, 0),
    (222, 240, 234, 264, 40, 40, 0),
    (234, 264, 258, 264, 40, 80, 0),
    (234, 264, 246, 288, 40, 40, 0),
    (246, 288, 264, 288, 30, 80, 0),
    # east throat: tracks 4, 2 and 1 lead to Kamenec, tracks 3 and 5 to Dubno, and a
    # crossover each way joins the two groups, so that a move on one side may run
    # while the other side is busy
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
    (570, 264, 582, 240, 40, 40, 0),   # crossover from tracks 3 and 5 to Kamenec
    (510, 288, 534, 288, 40, 80, 0),
    (534, 288, 546, 264, 40, 40, 0),
    (594, 240, 606, 264, 40, 40, 0),   # crossover from tracks 4, 2 and 1 to Dubno
    (570, 264, 606, 264, 50, 80, 0),
    (606, 264, 642, 336, 60, 60, 0),   # branch curve towards Dubno
]

# signals: (x, y)
NAVESTIDLA = [
    (150, 240),                                            # entry from Lipovec
    (264, 192), (258, 216), (258, 240), (258, 264), (264, 288),  # west ends
    (510, 192), (522, 216), (534, 240), (522, 264), (510, 288),  # east ends
    (642, 240),                                            # entry from Kamenec
    (642, 336),                                            # entry from Dubno
]

# platforms: (x1, x2, y row above)
NASTUPISTE_RADKY = [
    (300, 474, 192), (300, 474, 204),    # island between 4 and 2
    (300, 486, 240), (300, 486, 252),    # island between 1 and 3
    (300, 474, 288),                     # side platform at 5
]

# labels: (x, y, size, text)
POPISKY = [
    (354, 150, 16, STANICE),
    (24, 198, 9, "Lipovec"),
    (702, 222, 9, "Kamenec"),
    (702, 318, 9, "Dubno"),
]

# line ends: (x, y, name, kind)
SOUSEDE = [
    (18, 216, "LIPOVEC", 2),
    (18, 240, "LIPOVEC", 1),
    (774, 240, "KAMENEC", 3),
    (774, 336, "DUBNO", 3),
]

# locomotives: (description, name, max km/h, kW, t, v1, v2, A, B, C, mass factor)
LOKOMOTIVY = [
    ("elektrická rychlíková", "E16", 160, 4000, 87, 60, 100, "0.00004", "0.00006", "0.035", "1.15"),
    ("elektrická univerzální", "E12", 120, 3060, 88, 50, 80, "0.00005", "0.00007", "0.04", "1.15"),
    ("elektrická nákladní", "E10", 100, 3480, 120, 45, 70, "0.00006", "0.00008", "0.045", "1.18"),
    ("motorová traťová", "D10", 100, 1470, 74, 35, 60, "0.00005", "0.00007", "0.04", "1.12"),
    ("motorová lokálková", "D8", 80, 880, 64, 30, 50, "0.00006", "0.00008", "0.045", "1.1"),
    ("elektrická jednotka", "M12", 120, 1700, 130, 50, 90, "0.00004", "0.00006", "0.035", "1.08"),
    ("motorový vůz", "M8", 80, 310, 46, 25, 50, "0.00004", "0.00006", "0.03", "1.06"),
]

# trains: (category, number, from, to, length m, weight t without locomotive, max km/h, locomotive)
VLAKY = [
    ("R", 851, "LIPOVEC", "KAMENEC", 240, 420, 140, "E16"),
    ("R", 852, "KAMENEC", "LIPOVEC", 240, 420, 140, "E16"),
    ("R", 853, "LIPOVEC", "KAMENEC", 265, 470, 140, "E16"),
    ("R", 854, "KAMENEC", "LIPOVEC", 265, 470, 140, "E16"),
    ("R", 855, "LIPOVEC", "KAMENEC", 190, 330, 120, "E12"),
    ("R", 856, "KAMENEC", "LIPOVEC", 190, 330, 120, "E12"),
    ("Sp", 1941, "LIPOVEC", "DUBNO", 80, 120, 100, "D10"),
    ("Sp", 1942, "DUBNO", "LIPOVEC", 80, 120, 100, "D10"),
    ("Os", 4601, "LIPOVEC", "KAMENEC", 80, 60, 120, "M12"),
    ("Os", 4602, "KAMENEC", "LIPOVEC", 80, 60, 120, "M12"),
    ("Os", 4603, "LIPOVEC", "KAMENEC", 105, 140, 100, "E12"),
    ("Os", 4604, "KAMENEC", "LIPOVEC", 105, 140, 100, "E12"),
    ("Os", 4605, "LIPOVEC", "KAMENEC", 80, 60, 120, "M12"),
    ("Os", 4606, "KAMENEC", "LIPOVEC", 80, 60, 120, "M12"),
    ("Os", 24211, "LIPOVEC", "DUBNO", 30, 22, 80, "M8"),
    ("Os", 24212, "DUBNO", "LIPOVEC", 30, 22, 80, "M8"),
    ("Os", 24213, "LIPOVEC", "DUBNO", 45, 60, 80, "D8"),
    ("Os", 24214, "DUBNO", "LIPOVEC", 45, 60, 80, "D8"),
    ("Pn", 54311, "LIPOVEC", "KAMENEC", 480, 1450, 90, "E10"),
    ("Pn", 54312, "KAMENEC", "LIPOVEC", 460, 1380, 90, "E10"),
    ("Nex", 61741, "LIPOVEC", "KAMENEC", 420, 1200, 100, "E10"),
    ("Nex", 61742, "KAMENEC", "LIPOVEC", 420, 1100, 100, "E10"),
    ("Mn", 66451, "LIPOVEC", "DUBNO", 220, 520, 60, "D10"),
    ("Mn", 66452, "DUBNO", "LIPOVEC", 180, 410, 60, "D10"),
]


# ---------------------------------------------------------------------------------------
# Language texts 1 to 37

# Arial advance widths in 1/1000 em for the characters of the panel headings.
W = {' ': 278, '.': 278, 'a': 556, 'b': 556, 'c': 500, 'd': 556, 'e': 556, 'f': 278, 'g': 556,
     'h': 556, 'i': 222, 'j': 222, 'k': 500, 'l': 222, 'm': 833, 'n': 556, 'o': 556, 'p': 556,
     'r': 333, 's': 500, 't': 278, 'u': 556, 'v': 500, 'w': 722, 'x': 500, 'y': 500, 'z': 500,
     'í': 222, 'é': 556, 'č': 500, 'ě': 556, 'á': 556, 'ý': 500,
     'A': 667, 'I': 278, 'K': 667, 'L': 556, 'N': 722, 'R': 722, 'T': 611, 'V': 667}


def sirka(t):
    return sum(W[c] for c in t)


def zarovnej(vzor, slova):
    """Lay the words out so that each starts as near as possible to where the
    corresponding heading of the designed (Czech) header starts."""
    starty = []
    for m in re.finditer(r"\S+(?: \S+)*", vzor):
        starty.append(sirka(vzor[:m.start()]))
    assert len(starty) == len(slova), (starty, slova)
    out = ""
    for s, w in zip(starty, slova):
        if out:
            out += "  "         # two blanks at least: the program splits the columns there
        while sirka(out + " ") - s <= s - sirka(out) and sirka(out) < s:
            out += " "
        out += w
    return out


# Column headings of the train and track panels as the panels were designed. The program
# splits a heading into its columns where two or more blanks stand and puts each value under
# its column as its own font draws it, so the English headings are laid out near the Czech
# ones, always two blanks apart.
HLAVICKA_VLAK = "VLAK         cíl          směr     max. rychl.      délka     hmotnost     loko    odjezd      rychlost     vzdál."
HLAVICKA_KOLEJ = "číslo koleje   délka     max.rychl.   sklon    stanice     soused"

CS = {
    1: "&Soubor", 2: "&Otevřít nádraží", 3: "&Nastavení", 4: "&Konec", 5: "&Nápověda",
    6: "&Stručně", 7: "&O programu",
    8: HLAVICKA_VLAK, 9: HLAVICKA_KOLEJ,
    10: "ANO", 11: "NE",
    12: "Otevřít nádraží", 13: "Schéma nádraží (*.yrd)", 14: "Seznam vlaků a jízdní řád (*.gvd)",
    15: "Seznam lokomotiv (*.lok)", 16: "Najít...", 17: "Storno",
    18: "Nastavení prostředí", 19: "Barva pozadí", 20: "Barva popředí", 21: "Tloušťka čar",
    22: "Jazyk / Language (*.lng)", 23: "Nové nastavení se projeví až po dalším ",
    24: "načtení nádraží.", 25: "změnit...",
    26: "Četnost vlaků: ", 27: "Rychlost simulace: ",
    28: "Přijmout vlak ", 29: " ze směru ", 30: " do směru ",
    31: "Popis:             simulátor pracoviště výpravčího",
    32: "napoveda.html",
    33: "Chyba výpočtu v části ", 34: ". Prosím, pošlete tyto hodnoty:",
    35: "Vlak už neexistuje.",
    36: "Soubor ", 37: " nelze otevřít.",
}

EN = {
    1: "&File", 2: "&Open station", 3: "&Settings", 4: "E&xit", 5: "&Help",
    6: "&Brief help", 7: "&About",
    8: zarovnej(HLAVICKA_VLAK, ["TRAIN", "dest.", "dir.", "max. speed", "length", "weight",
                                "loco", "departure", "speed", "dist."]),
    9: zarovnej(HLAVICKA_KOLEJ, ["track no.", "length", "max.speed", "gradient", "station",
                                 "neighbour"]),
    10: "YES", 11: "NO",
    12: "Open station", 13: "Station schema (*.yrd)", 14: "Train list and timetable (*.gvd)",
    15: "Locomotive list (*.lok)", 16: "Browse...", 17: "Cancel",
    18: "Settings", 19: "Background colour", 20: "Foreground colour", 21: "Line width",
    22: "Jazyk / Language (*.lng)", 23: "New settings take effect after the next ",
    24: "station is opened.", 25: "change...",
    26: "Train frequency: ", 27: "Simulation speed: ",
    28: "Accept train ", 29: " from ", 30: " to ",
    31: "About:             station dispatcher simulator",
    32: "help.html",
    33: "Calculation error in ", 34: ". Please report these values:",
    35: "The train no longer exists.",
    36: "File ", 37: " cannot be opened.",
}

assert sorted(CS) == list(range(1, 38)) and sorted(EN) == list(range(1, 38))

# Texts of the window's own features, from 38 on (the View menu). A program that knows only
# texts 1 to 37 skips these lines; the program has the same texts built in for files
# without them.
CS.update({38: "&Zobrazení", 39: "&Zvětšit", 40: "Z&menšit", 41: "&Skutečná velikost",
           42: "&Barvy pro poruchy barvocitu"})
EN.update({38: "&View", 39: "Zoom &in", 40: "Zoom &out", 41: "&Actual size",
           42: "Colour-&blind palette"})
# Saving and resuming a shift, taking over a running station (43 to 59); the messages are
# followed by a file name.
CS.update({43: "&Uložit směnu…", 44: "Otevřít s&měnu…", 45: "&Pokračovat v poslední směně",
           46: "Převzít stanici v p&rovozu…", 47: "Uložené směny (*.smena)",
           48: "Schémata stanic (*.yrd)", 49: "Směnu nelze přečíst: ",
           50: "Soubor je poškozený nebo to není uložená směna: ",
           51: "Směnu uložila jiná verze programu: ",
           52: "Soubor stanice uložené směny nelze přečíst: ",
           53: "Soubor stanice se od uložení směny změnil: ", 54: "Směnu nelze uložit: ",
           55: "Zatím není uložena žádná směna.", 56: "Stanici nelze převzít: "})
EN.update({43: "Sa&ve shift…", 44: "Open s&hift…", 45: "&Resume last shift",
           46: "&Take over a running station…", 47: "Saved shifts (*.smena)",
           48: "Station schemas (*.yrd)", 49: "The shift cannot be read: ",
           50: "The file is damaged or is not a saved shift: ",
           51: "The shift was saved by another version of the program: ",
           52: "A station file of the shift cannot be read: ",
           53: "A station file has changed since the shift was saved: ",
           54: "The shift cannot be saved: ", 55: "No shift has been saved yet.",
           56: "The station cannot be taken over: "})
# The board of trains, the score in the status bar and the shift report.
CS.update({60: '&Tabule vlaků',
           61: '&Výkaz směny...',
           62: 'Vlak  Odkud  Kam  Stav  Čeká  Celkem',
           63: 'jede',
           64: 'brzdí',
           65: 'u návěstidla koleje',
           66: 'stojí, nemá cestu',
           67: 'nabízen, bez odpovědi',
           68: 'přijat, trať obsazena',
           69: 'obrácen, odjede v',
           70: 'Body: %1    Čeká vlaků: %2',
           71: 'Body  Vlaků odbaveno  Odjelo jinou tratí  Odmítnuto  Čekání u návěstidel  Čekání '
               'na odpověď  Čekání na trať  Čekání celkem',
           72: 'Vlaky během směny',
           73: 'Ve stanici  Čekají',
           74: 'Čekání jednotlivých vlaků (min)',
           75: 'U návěstidla  Bez odpovědi  Na trať',
           76: 'Vlak  Odkud  Kam  Nabídnut  Vjel  Odjel  Bez odpovědi  Na trať  U návěstidla  '
               'Odmítnut',
           77: '&Uložit jako CSV...',
           78: 'Soubor nelze zapsat:',
           79: '&Zavřít'})
EN.update({60: '&Train board',
           61: 'Shift &report...',
           62: 'Train  From  To  State  Waiting  In all',
           63: 'running',
           64: 'braking',
           65: 'at the signal of track',
           66: 'standing, no route',
           67: 'offered, unanswered',
           68: 'accepted, line taken',
           69: 'turned, leaving at',
           70: 'Score: %1    Trains waiting: %2',
           71: 'Points  Trains handled  Left by another line  Refused  Waiting at signals  '
               'Waiting for an answer  Waiting for the line  Waiting in all',
           72: 'Trains over the shift',
           73: 'In the station  Waiting',
           74: "Each train's waiting (min)",
           75: 'At a signal  Unanswered  For the line',
           76: 'Train  From  To  Offered  Entered  Left  Unanswered  For the line  At a signal  '
               'Refused',
           77: '&Save as CSV...',
           78: 'Cannot write the file:',
           79: '&Close'})

# The station editor (120 on).
CS.update({
           120: '&Upravit stanici…',
           121: 'Složka stanice k úpravám',
           122: 'Editor stanice',
           123: 'Ú&pravy',
           124: '&Uložit',
           125: '&Zpět',
           126: 'Z&novu',
           127: '&Kopírovat',
           128: '&Vložit',
           129: '&Smazat',
           130: 'Z&rcadlit',
           131: 'Vybrat &vše',
           132: '&Nástroje',
           133: '&Výběr',
           134: '&Kolej',
           135: '&Spojka',
           136: 'Návěst&idlo',
           137: '&Nástupiště',
           138: '&Popisek',
           139: 'Konec &trati',
           140: 'Vlastnosti',
           141: 'Problémy',
           142: 'Cesty z:',
           143: '(žádné)',
           144: 'Číslo koleje',
           145: 'Délka (m)',
           146: 'Nejvyšší rychlost (km/h)',
           147: 'Sklon (desetiny ‰)',
           148: 'Doplňková hodnota',
           149: 'Kreslit se závorkami',
           150: 'Viditelná',
           151: 'Text',
           152: 'Velikost písma (body)',
           153: 'Stanice',
           154: 'Sousední stanice',
           155: 'Směr',
           156: 'příjezdy  odjezdy  oba směry',
           157: 'Poloha',
           158: 'Vybráno prvků: %1',
           159: 'Nic není vybráno.',
           160: 'Stanice má neuložené změny. Uložit je?',
           161: 'Stanici nelze otevřít: ',
           162: 'Stanici nelze uložit: ',
           163: 'Chyb: %1    Varování: %2',
           164: '&Zahodit'})
EN.update({
           120: '&Edit station…',
           121: 'Station folder to edit',
           122: 'Station editor',
           123: '&Edit',
           124: '&Save',
           125: '&Undo',
           126: '&Redo',
           127: '&Copy',
           128: '&Paste',
           129: '&Delete',
           130: '&Mirror',
           131: 'Select &all',
           132: '&Tools',
           133: '&Select',
           134: '&Track',
           135: '&Connector',
           136: 'S&ignal',
           137: '&Platform',
           138: '&Label',
           139: 'Line &end',
           140: 'Properties',
           141: 'Problems',
           142: 'Routes from:',
           143: '(none)',
           144: 'Track number',
           145: 'Length (m)',
           146: 'Speed limit (km/h)',
           147: 'Gradient (tenths of ‰)',
           148: 'Extra value',
           149: 'Drawn with brackets',
           150: 'Visible',
           151: 'Text',
           152: 'Font size (points)',
           153: 'Station',
           154: 'Neighbour station',
           155: 'Direction',
           156: 'arrivals  departures  both ways',
           157: 'Position',
           158: 'Elements selected: %1',
           159: 'Nothing is selected.',
           160: 'The station has unsaved changes. Save them?',
           161: 'The station cannot be opened: ',
           162: 'The station cannot be saved: ',
           163: 'Errors: %1    Warnings: %2',
           164: '&Discard'})


# Why an input did nothing (80 to 103, %1 a train, %2 a track), the tooltips of the picture
# (104 to 119, %3 a time or a destination), the legend (400 to 408), the guided first train
# (410 to 420) and the question before Esc closes a running shift (421).
CS.update({
    80: 'Cestu začněte kliknutím na návěstidlo.',
    81: 'Z návěstidla u koleje %2 už cesta vede; pravé tlačítko ji zruší.',
    82: 'Cesta od návěstidla u koleje %2 čeká, až se uvolní; pravé tlačítko ji zruší.',
    83: 'Od návěstidla u koleje %2 žádná cesta nevede.',
    84: 'Cestu nelze zrušit: vlak %1 k ní jede.',
    85: 'Od zvoleného návěstidla nevede cesta na kolej %2.',
    86: 'Na kolej %2 cesta nevede: její trať teď vlaky jen přijímá.',
    87: 'Cesta čeká: kolej %2 obsadil vlak %1. Postaví se, až se uvolní.',
    88: 'Cesta čeká: kolej %2 je v jiné cestě. Postaví se, až se uvolní.',
    89: 'Cesta čeká: výhybka na ní je obsazená nebo v jiné cestě.',
    90: 'Touto spojkou nevede cesta od zvoleného návěstidla.',
    91: 'Klikněte na cílovou kolej nebo na spojku, kudy má cesta vést; pravé tlačítko výběr zruší.',
    92: 'Tady žádný vlak není: najeďte myší na vlak.',
    93: 'Tady žádná kolej není: najeďte myší na kolej.',
    94: 'Vlak %1 jede: obrátit lze jen stojící vlak.',
    95: 'Vlak %1 už má čas odjezdu.',
    96: 'Nejdřív dokončete nebo zrušte výběr cesty.',
    97: 'Vlak %1 nelze obrátit: za ním není volná cesta.',
    98: 'Žádná nabídka není otevřená: najeďte na blikající konec trati a stiskněte F2.',
    99: 'Vlak %1 přijat: vjede, až se uvolní jeho traťová kolej.',
    100: 'Simulace už běží nejrychleji.',
    101: 'Simulace stojí: F3 nebo šipka nahoru ji rozběhne.',
    102: 'Vlaky už jezdí nejřidčeji.',
    103: 'Vlaky už jezdí nejčastěji.',
    104: 'Kolej %2',
    105: 'Spojka',
    106: 'Návěstidlo u koleje %2',
    107: 'Trať do stanice %2',
    108: 'volná',
    109: 'obsazená vlakem %1 do %3',
    110: 'v cestě',
    111: 'v cestě vlaku %1',
    112: 'zvolené jako začátek cesty',
    113: 'vede z něj cesta; pravé tlačítko ji zruší',
    114: 'cesta z něj čeká, až se uvolní',
    115: 'vlaky jen přijíždějí',
    116: 'vlaky jen odjíždějí',
    117: 'vlaky jezdí oběma směry',
    118: 'nabízí vlak %1 od %3: F2 zde, pak A (přijmout) nebo N',
    119: 'vlak %1 přijat, čeká na traťovou kolej',
    400: '&Legenda',
    401: 'volná kolej, spojka, návěstidlo',
    402: 'obsazeno vlakem (s číslem vlaku), cesta čekající u návěstidla, nabídka',
    403: 'návěstidlo zvolené jako začátek cesty',
    404: 'postavená cesta',
    405: 'nástupiště',
    406: '? bliká na konci trati: soused nabízí vlak (F2, pak A nebo N)',
    407: 'návěstidlo: šipka ukazuje, kam dovoluje jet',
    408: 'konec trati do sousední stanice',
    410: '&První vlak',
    411: 'Soused nabízí vlak: na konci trati bliká ?. Najeďte na něj myší a stiskněte F2.',
    412: 'Stiskněte A (nebo klikněte na ANO): vlak přijmete.',
    413: 'Vlak stojí před stanicí. Klikněte na vjezdové návěstidlo před ním (zežloutne).',
    414: 'Klikněte na kolej u nástupiště: cesta se postaví (zezelená).',
    415: 'Najeďte myší na vlak a stiskněte F1: ukáže se jeho panel.',
    416: 'F3 simulaci zastaví a znovu rozběhne, šipky nahoru a dolů mění rychlost. Zkuste F3.',
    417: 'Zobrazení, Tabule vlaků ukáže každý vlak a jak dlouho čeká. Otevřete ji.',
    418: 'Výborně! Vlak zastaví u nástupiště. Postavte mu cestu ven stejně: návěstidlo, pak kolej trati.',
    419: 'Vlak odjel. Směna je vaše: hodně štěstí!',
    420: 'Přeskočit',
    421: 'Ukončit směnu a zavřít program? Směna se uloží pro Pokračovat v poslední směně.',
})
EN.update({
    80: 'Start a route by clicking a signal.',
    81: 'A route is already set from the signal at track %2; a right click cancels it.',
    82: 'The route from the signal at track %2 waits until its way is free; a right click cancels it.',
    83: 'No route is set from the signal at track %2.',
    84: 'The route cannot be cancelled: train %1 is running up to it.',
    85: 'No route leads from the chosen signal to track %2.',
    86: 'No route to track %2: its line only brings trains in now.',
    87: 'The route waits: train %1 occupies track %2. It is set when the track is free.',
    88: 'The route waits: track %2 is locked for another route. It is set when free.',
    89: 'The route waits: a switch on its way is occupied or locked for another route.',
    90: 'No way leads through this connector from the chosen signal.',
    91: 'Click the destination track, or a connector to pass through; a right click abandons the choice.',
    92: 'No train here: point at a train.',
    93: 'No track here: point at a track.',
    94: 'Train %1 is running: only a standing train can turn.',
    95: 'Train %1 already has its departure time.',
    96: 'Finish or abandon the route choice first.',
    97: 'Train %1 cannot turn: no free way leads out behind it.',
    98: 'No offer is open: point at a blinking line end and press F2.',
    99: 'Train %1 accepted: it enters once its line track is free.',
    100: 'The simulation already runs at its highest speed.',
    101: 'The simulation is paused: F3 or the Up arrow runs it.',
    102: 'Trains already come as rarely as they can.',
    103: 'Trains already come as often as they can.',
    104: 'Track %2',
    105: 'Connector',
    106: 'Signal at track %2',
    107: 'Line to %2',
    108: 'free',
    109: 'occupied by train %1 to %3',
    110: 'locked in a route',
    111: 'locked in the route of train %1',
    112: "chosen as a route's start",
    113: 'a route is set from it; a right click cancels it',
    114: 'its route waits until its way is free',
    115: 'trains only arrive',
    116: 'trains only leave',
    117: 'trains run both ways',
    118: 'offers train %1 since %3: F2 here, then A (accept) or N',
    119: 'train %1 accepted, waiting for the line track',
    400: '&Legend',
    401: 'free track, connector, signal',
    402: 'occupied by a train (with its number), a route waiting at its signal, an offer',
    403: "signal chosen as a route's start",
    404: 'route set',
    405: 'platform',
    406: '? blinking at a line end: a neighbour offers a train (F2, then A or N)',
    407: 'signal: its arrow points the way it lets trains go',
    408: 'end of a line to a neighbouring station',
    410: 'First &train',
    411: 'A neighbour offers a train: a ? blinks at a line end. Point at it and press F2.',
    412: 'Press A (or click YES) to accept the train.',
    413: 'The train is outside the station. Click the entry signal in front of it (it turns yellow).',
    414: 'Click a track at a platform: the route is set (it turns green).',
    415: 'Point at the train and press F1: its panel shows.',
    416: 'F3 pauses and resumes, the Up and Down arrows change the speed. Try F3.',
    417: 'View, Train board lists every train and how long it waits. Open it.',
    418: "Well done! The train stops at the platform. Set its way out the same way: its signal, then the line's track.",
    419: 'The train has left. The shift is yours: good luck!',
    420: 'Skip',
    421: 'End the shift and close the program? The shift is kept for Resume last shift.',
})


# ---------------------------------------------------------------------------------------
# Writers

SEP = b"\x85"   # field separator of the schema file
CRLF = b"\r\n"


def bajty(v):
    return v if isinstance(v, bytes) else str(v).encode("cp1250")


def radek(druh, *pole):
    return bajty(druh) + b"".join(SEP + bajty(p) for p in pole) + CRLF


def na_mrizce(x, y):
    return x % 6 == 0 and y % 12 == 0


def konec_koleje(x, y):
    """1 when a track begins at (x, y), 2 when one ends there, 0 when no track end is there.
    The program works this out itself; the file carries it only for the reader's benefit."""
    for (x1, y1, x2, _y2, *_zbytek) in KOLEJE:
        if y1 == y and x in (x1, x2):
            return 1 if x == x1 else 2
    return 0


def schema():
    out = []
    # Tracks come first: signals, platforms and line ends find their tracks among the
    # tracks read before them.
    for (x1, y1, x2, y2, sklon, delka, cislo, rychlost) in KOLEJE:
        assert na_mrizce(x1, y1) and na_mrizce(x2, y2) and y1 == y2 and x1 < x2
        out.append(radek(1, x1, y1, x2, y2, sklon, delka, cislo, rychlost, 0))
    for i, (x1, y1, x2, y2, delka, rychlost, zavorky) in enumerate(SPOJKY):
        assert na_mrizce(x1, y1) and na_mrizce(x2, y2) and x1 < x2
        assert y1 == y2 or (x2 - x1) * 2 == abs(y2 - y1), "a diagonal climbs 12 per 6"
        out.append(radek(2, x1, y1, x2, y2, 18001 + i, delka, rychlost, zavorky, 1))
    for (x, y) in NAVESTIDLA:
        assert konec_koleje(x, y), "a signal must stand at a track end"
        out.append(radek(3, x, y))
    for (x1, x2, y) in NASTUPISTE_RADKY:
        out.append(radek(5, x1, x2, y, 0, NASTUPISTE))
    for (x, y, velikost, text) in POPISKY:
        assert len(text) <= 30
        out.append(radek(4, x, 0, y, 0, text, velikost))
    for i, (x, y, jmeno, druh) in enumerate(SOUSEDE):
        assert konec_koleje(x, y) and len(jmeno) <= 8
        out.append(radek(6, x, y, 6001 + i, jmeno, konec_koleje(x, y), druh))
    return b"".join(out)


def zapis_grafikonu(vlaky, prijezdy, odjezdy, lokomotivy):
    """The timetable of trains (category, number, from, to, length, mass, speed, locomotive),
    each checked against the lines that take arrivals and departures and the locomotives."""
    out = []
    for (druh, cislo, odkud, kam, delka, hmotnost, rychlost, loko) in vlaky:
        assert odkud in prijezdy and kam in odjezdy and loko in lokomotivy and odkud != kam
        assert len(loko) <= 4
        # The text before the first "#" is not read: it names the train category.
        out.append(bajty("*%s#%d#%s#%s#%d#%d#%d#%s" %
                         (druh, cislo, odkud, kam, delka, hmotnost, rychlost, loko)) + CRLF)
    return b"".join(out)


def grafikon():
    prijezdy = {j for (_x, _y, j, d) in SOUSEDE if d in (1, 3)}
    odjezdy = {j for (_x, _y, j, d) in SOUSEDE if d in (2, 3)}
    return zapis_grafikonu(VLAKY, prijezdy, odjezdy, {l[1] for l in LOKOMOTIVY})


def zapis_lokomotiv(lokomotivy):
    out = []
    for (popis, jmeno, vmax, vykon, hmotnost, v1, v2, a, b, c, rho) in lokomotivy:
        assert 1.05 <= float(rho) <= 1.2
        out.append(bajty("*%s#%s#%d#%d#%d#%d#%d#%s#%s#%s#%s" %
                         (popis, jmeno, vmax, vykon, hmotnost, v1, v2, a, b, c, rho)) + CRLF)
    return b"".join(out)


def lokomotivy():
    return zapis_lokomotiv(LOKOMOTIVY)


def jazyk(texty):
    return b"".join(b"%03d" % n + texty[n].encode("cp1250") + CRLF for n in sorted(texty))


def zapis_nastaveni(jmeno):
    """stanovar.ini naming jmeno.yrd, .gvd and .lok and the Czech language file. Relative
    entries: the files lie beside stanovar.ini in the start-up directory."""
    radky = [b"\x86" + bajty(jmeno + ".yrd"), b"\x88" + bajty(jmeno + ".gvd"),
             b"\xb86" + bajty(jmeno + ".lok"), b"\xb88cestina.lng",
             b"\xb81$00888888", b"\xb82clBlack", b"\xb84"]
    return b"".join(r + CRLF for r in radky)


def nastaveni():
    return zapis_nastaveni("demo")


def main():
    cil = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "data")
    soubory = {
        "demo.yrd": schema(),
        "demo.gvd": grafikon(),
        "demo.lok": lokomotivy(),
        "cestina.lng": jazyk(CS),
        "english.lng": jazyk(EN),
        "stanovar.ini": nastaveni(),
    }
    for jmeno, obsah in soubory.items():
        with open(os.path.join(cil, jmeno), "wb") as f:
            f.write(obsah)


if __name__ == "__main__":
    main()
