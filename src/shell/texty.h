// Texts of the window's features that the classic language file does not have. They take the
// numbers from 38 on in the same file; a file without them gets the built-in Czech texts when
// it is the Czech file (or there is none), else English. Each feature keeps a block of numbers
// of its own, so blocks may leave gaps between them.
#pragma once

#include <QString>
#include <array>
#include <string>
#include <string_view>

namespace stanovar {
struct Stav;
}

namespace stanovar::shell {

enum class DalsiText {
  MenuZobrazeni = 38,  // the View menu
  Zvetsit,             // zoom in
  Zmensit,             // zoom out
  SkutecnaVelikost,    // back to 100 %
  Barvoslepa,          // the colour-blind palette

  // Saving and resuming a shift, taking over a running station.
  UlozitSmenu = 43,          // File menu: save the shift (Ctrl+S)
  OtevritSmenu = 44,         // File menu: open a saved shift
  PokracovatPosledni = 45,   // File menu: open the shift saved on closing
  PrevzitProvoz = 46,        // File menu: open a station with an hour of traffic behind it
  FiltrSmen = 47,            // file dialog filter of saved shifts
  FiltrStanic = 48,          // file dialog filter of station schemas
  ChybaCteniSmeny = 49,      // the messages, each followed by a file name
  ChybaPoskozenaSmena = 50,
  ChybaVerzeSmeny = 51,
  ChybaSouboruStanice = 52,
  ChybaZmenenaStanice = 53,
  ChybaZapisuSmeny = 54,
  ZadnaUlozenaSmena = 55,
  ChybaPrevzeti = 56,
  // The board of trains, the score and the shift report.
  TabuleVlaku = 60,  // the board of trains (menu command and panel title)
  VykazSmeny = 61,  // the shift report (menu command and dialog title)
  SloupceTabule = 62,  // the board's columns, split at runs of blanks
  StavJede = 63,
  StavBrzdi = 64,
  StavUNavestidla = 65,  // followed by the track or signal
  StavStoji = 66,
  StavNabidnut = 67,
  StavPrijat = 68,
  StavObracen = 69,  // followed by the departure time
  StavovyRadek = 70,  // the status bar: %1 the points, %2 the trains waiting
  SouhrnVykazu = 71,  // the report's totals, split at runs of blanks
  GrafPrubeh = 72,
  RadyPrubehu = 73,  // split at runs of blanks
  GrafCekani = 74,
  CastiCekani = 75,  // split at runs of blanks
  SloupceVykazu = 76,  // the report's table of trains, split at runs of blanks
  UlozitCsv = 77,
  NelzeUlozit = 78,  // followed by the file name
  Zavrit = 79,
  // Why an input did nothing, in the order of Duvod from DuvodZacniNavestidlem on (%1 a
  // train, %2 a track); the tooltips of the picture (%1 a train, %2 a name, %3 a time or a
  // destination); the legend; the guided first train; closing.
  DuvodZacniNavestidlem = 80,
  DuvodNavestidloMaCestu = 81,
  DuvodNavestidloCeka = 82,
  DuvodNicKeZruseni = 83,
  DuvodVlakSeBlizi = 84,
  DuvodZadnaCesta = 85,
  DuvodTratJenPrijezdy = 86,
  DuvodUlozenaObsazeno = 87,
  DuvodUlozenaZaver = 88,
  DuvodUlozenaVyhybka = 89,
  DuvodZadnyPrujezd = 90,
  DuvodVyberPokracuje = 91,
  DuvodZadnyVlak = 92,
  DuvodZadnaKolej = 93,
  DuvodVlakJede = 94,
  DuvodVlakMaOdjezd = 95,
  DuvodBehemVyberu = 96,
  DuvodNelzeObratit = 97,
  DuvodZadnaNabidka = 98,
  DuvodTratObsazena = 99,
  DuvodNejvyssiRychlost = 100,
  DuvodJizPozastaveno = 101,
  DuvodNejmensiCetnost = 102,
  DuvodNejvetsiCetnost = 103,
  PopisKolej = 104,
  PopisSpojka = 105,
  PopisNavestidlo = 106,
  PopisTrat = 107,
  PopisVolna = 108,
  PopisObsazena = 109,
  PopisVCeste = 110,
  PopisVCesteVlaku = 111,
  PopisZvolene = 112,
  PopisCestaZNej = 113,
  PopisCekaNaCestu = 114,
  PopisJenPrijezdy = 115,
  PopisJenOdjezdy = 116,
  PopisObaSmery = 117,
  PopisNabidka = 118,
  PopisPrijata = 119,
  Legenda = 400,
  LegendaVolny = 401,
  LegendaObsazeno = 402,
  LegendaVyber = 403,
  LegendaCesta = 404,
  LegendaNastupiste = 405,
  LegendaNabidka = 406,
  LegendaNavestidlo = 407,
  LegendaTrat = 408,
  PrvniVlak = 410,
  KrokNabidka = 411,
  KrokPrijmout = 412,
  KrokVjezd = 413,
  KrokKolej = 414,
  KrokPanel = 415,
  KrokRychlost = 416,
  KrokTabule = 417,
  KrokOdjezd = 418,
  KrokHotovo = 419,
  Preskocit = 420,
  OpravduKonec = 421,

  // The station editor.
  UpravitStanici = 120,  // File menu of the main window: edit a station folder
  SlozkaKUprave = 121,   // title of the folder dialog
  EditorStanice = 122,   // the editor window's title, followed by the schema file
  MenuUpravy = 123,      // the Edit menu
  Ulozit = 124,
  Zpet = 125,
  Znovu = 126,
  Kopirovat = 127,
  Vlozit = 128,
  Smazat = 129,
  Zrcadlit = 130,
  VybratVse = 131,
  Nastroje = 132,  // the Tools menu and tool bar
  NastrojVyber = 133,
  NastrojKolej = 134,
  NastrojSpojka = 135,
  NastrojNavestidlo = 136,
  NastrojNastupiste = 137,
  NastrojPopisek = 138,
  NastrojKonecTrati = 139,
  Vlastnosti = 140,  // the property panel's title
  Problemy = 141,    // the list of problems' title
  CestyZ = 142,      // the route overlay: choose an entry signal
  ZadneCesty = 143,  // no route overlay
  PoleCislo = 144,   // the property panel's fields, in the files' units
  PoleDelka = 145,
  PoleRychlost = 146,
  PoleSklon = 147,
  PoleDoplnek = 148,
  PoleZavorky = 149,
  PoleViditelna = 150,
  PoleText = 151,
  PoleVelikost = 152,
  PoleStanice = 153,
  PoleSoused = 154,
  PoleSmer = 155,
  SmeryTrati = 156,  // arrivals, departures, both; split at runs of blanks
  PolePoloha = 157,
  VybranoPrvku = 158,  // %1 the number of elements selected
  NicNevybrano = 159,
  NeulozeneZmeny = 160,
  ChybaOtevreniEditoru = 161,  // followed by what went wrong
  ChybaUlozeniEditoru = 162,   // followed by what went wrong
  StavKontroly = 163,          // %1 errors, %2 warnings
  Zahodit = 164,
  // The station editor's tables, and a station tried and played.
  Grafikon = 165,          // the timetable table's title
  Lokomotivy = 166,        // the locomotive table's title
  SloupceGrafikonu = 167,  // the columns, split at runs of blanks
  SloupceLokomotiv = 168,
  PridatZaznam = 169,
  ZdvojitZaznam = 170,
  SmazatZaznam = 171,
  SeraditZaznamy = 172,    // by the chosen column
  MenuStanice = 173,       // the Station menu
  Vyzkouset = 174,         // F9
  Zahrat = 175,            // Ctrl+F9
  Zkouska = 176,           // the try-it panel's title
  ZkouskaBezi = 177,       // %1 simulated hours
  ZkouskaZastarala = 178,  // shown above the figures of a station since edited
  HodinZkousky = 179,
  VysledekProjelo = 180,   // %1 trains that left, %2 of them by another line
  VysledekOdmitnuto = 181,
  VysledekCeka = 182,      // %1 trains in the station, %2 offers unanswered
  VysledekBody = 183,
  VysledekPoruseni = 184,  // %1 the invariant, %2 seconds into the run
  VysledekPoruchy = 185,   // %1 running calculations that failed
  VysledekPrvek = 186,     // %1 the element, %2 per cent of the time occupied, %3 entries
  ChybaZkousky = 187,      // followed by what went wrong
  NejvytizenejsiPrvky = 188,
  ChybaHrani = 189,        // followed by what went wrong
  VysledekBezPoruch = 190,
  VysledekHodin = 191,     // %1 simulated hours run, %2 seconds it took

  // A network of stations played in the window; the inputs kept beside the autosave.
  OtevritSit = 231,      // File menu: open a network of stations
  FiltrSiti = 232,       // file dialog filter of network files
  KteraStanice = 233,    // which of the network's stations to play
  MenuSite = 234,        // the Network menu: its stations, the one played checked
  OpustitSit = 235,
  ChybaSite = 236,       // followed by what went wrong
  OpravduOpustit = 237,  // opening another station or shift leaves the network
  SitNelzeUlozit = 238,
  NaTrati = 239,         // the label of trains coming along the linked lines
  PrijezdZTrati = 240,   // %1 the train, %2 the station it comes from, %3 the time to arrival
  StavNaTrati = 241,     // the board: on the line, followed by the time to arrival

  // A network played together over the network.
  HostitSit = 242,        // File menu
  PripojitKSiti = 243,    // File menu
  AdresaHostitele = 244,  // asks HOST:PORT
  TokenSite = 245,        // asks the token, empty for none
  VolnaStanice = 246,     // which free station to play
  NelzePripojit = 247,    // followed by why
  HostitelSkoncil = 248,  // %1 why
  SpojeniZtraceno = 249,
  RychlostUrcujeHostitel = 250,
  AdresaSluzby = 251,     // asks [ADDRESS:]PORT to serve on
  NelzeHostit = 252,      // followed by why
  HrajiLide = 253,        // status bar: %1 the stations people play
  JenBezOkna = 254,       // a lockstep host is for headless players
  OdpojenoOdHostitele = 255,  // the window's title after the network
};

// A menu command's text as a dialog's title: no access key, no trailing ellipsis.
inline QString BezAkceleratoru(QString t) {
  t.remove(QLatin1Char('&'));
  if (t.endsWith(QChar(0x2026))) t.chop(1);
  return t.trimmed();
}

class DalsiTexty {
 public:
  // Reads texts 38 on from the language file the start-up read (the core keeps only 1 to
  // 37, as the classic file defines them).
  void nacti(const Stav& s);
  // Reads them from the bytes of a language file; `cesky` picks the built-in texts.
  void nacti(std::string_view obsah, bool cesky);
  QString text(DalsiText t) const;
  // The same as windows-1250 bytes, for the core's message boxes.
  std::string bajty(DalsiText t) const;
  // Whether the built-in texts are the Czech ones: the language of the whole window.
  bool cesky() const { return cesky_; }

 private:
  static constexpr int Prvni = 38;
  static constexpr int Pocet = 999 - Prvni + 1;  // the file's numbers have three digits at most
  std::array<std::string, Pocet> texty_;
  bool cesky_ = true;
};

}  // namespace stanovar::shell
