#include "shell/texty.h"

#include "jadro.h"
#include "model/stav.h"
#include "model/text.h"
#include "model/vychozi_texty.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

namespace {
struct Vychozi {
  DalsiText cislo;
  const char* cesky;  // UTF-8 here: these never pass through a windows-1250 file
  const char* anglicky;
};
constexpr Vychozi Tabulka[] = {
    {DalsiText::MenuZobrazeni, "&Zobrazen\u00ed", "&View"},
    {DalsiText::Zvetsit, "&Zv\u011bt\u0161it", "Zoom &in"},
    {DalsiText::Zmensit, "Z&men\u0161it", "Zoom &out"},
    {DalsiText::SkutecnaVelikost, "&Skute\u010dn\u00e1 velikost", "&Actual size"},
    {DalsiText::Barvoslepa, "&Barvy pro poruchy barvocitu", "Colour-&blind palette"},
    {DalsiText::UlozitSmenu, "&Ulo\u017eit sm\u011bnu\u2026", "Sa&ve shift\u2026"},
    {DalsiText::OtevritSmenu, "Otev\u0159\u00edt s&m\u011bnu\u2026", "Open s&hift\u2026"},
    {DalsiText::PokracovatPosledni, "&Pokra\u010dovat v posledn\u00ed sm\u011bn\u011b",
     "&Resume last shift"},
    {DalsiText::PrevzitProvoz, "P\u0159evz\u00edt stanici v p&rovozu\u2026",
     "&Take over a running station\u2026"},
    {DalsiText::FiltrSmen, "Ulo\u017een\u00e9 sm\u011bny (*.smena)", "Saved shifts (*.smena)"},
    {DalsiText::FiltrStanic, "Sch\u00e9mata stanic (*.yrd)", "Station schemas (*.yrd)"},
    {DalsiText::ChybaCteniSmeny, "Sm\u011bnu nelze p\u0159e\u010d\u00edst: ",
     "The shift cannot be read: "},
    {DalsiText::ChybaPoskozenaSmena,
     "Soubor je po\u0161kozen\u00fd nebo to nen\u00ed ulo\u017een\u00e1 sm\u011bna: ",
     "The file is damaged or is not a saved shift: "},
    {DalsiText::ChybaVerzeSmeny, "Sm\u011bnu ulo\u017eila jin\u00e1 verze programu: ",
     "The shift was saved by another version of the program: "},
    {DalsiText::ChybaSouboruStanice,
     "Soubor stanice ulo\u017een\u00e9 sm\u011bny nelze p\u0159e\u010d\u00edst: ",
     "A station file of the shift cannot be read: "},
    {DalsiText::ChybaZmenenaStanice,
     "Soubor stanice se od ulo\u017een\u00ed sm\u011bny zm\u011bnil: ",
     "A station file has changed since the shift was saved: "},
    {DalsiText::ChybaZapisuSmeny, "Sm\u011bnu nelze ulo\u017eit: ", "The shift cannot be saved: "},
    {DalsiText::ZadnaUlozenaSmena, "Zat\u00edm nen\u00ed ulo\u017eena \u017e\u00e1dn\u00e1 sm\u011bna.",
     "No shift has been saved yet."},
    {DalsiText::ChybaPrevzeti, "Stanici nelze p\u0159evz\u00edt: ", "The station cannot be taken over: "},
    {DalsiText::TabuleVlaku, "&Tabule vlak\u016f", "&Train board"},
    {DalsiText::VykazSmeny, "&V\u00fdkaz sm\u011bny...", "Shift &report..."},
    {DalsiText::SloupceTabule, "Vlak  Odkud  Kam  Stav  \u010cek\u00e1  Celkem", "Train  From  To  State  Waiting  In all"},
    {DalsiText::StavJede, "jede", "running"},
    {DalsiText::StavBrzdi, "brzd\u00ed", "braking"},
    {DalsiText::StavUNavestidla, "u n\u00e1v\u011bstidla koleje", "at the signal of track"},
    {DalsiText::StavStoji, "stoj\u00ed, nem\u00e1 cestu", "standing, no route"},
    {DalsiText::StavNabidnut, "nab\u00edzen, bez odpov\u011bdi", "offered, unanswered"},
    {DalsiText::StavPrijat, "p\u0159ijat, tra\u0165 obsazena", "accepted, line taken"},
    {DalsiText::StavObracen, "obr\u00e1cen, odjede v", "turned, leaving at"},
    {DalsiText::StavovyRadek, "Body: %1    \u010cek\u00e1 vlak\u016f: %2", "Score: %1    Trains waiting: %2"},
    {DalsiText::SouhrnVykazu, "Body  Vlak\u016f odbaveno  Odjelo jinou trat\u00ed  Odm\u00edtnuto  \u010cek\u00e1n\u00ed u n\u00e1v\u011bstidel  \u010cek\u00e1n\u00ed na odpov\u011b\u010f  \u010cek\u00e1n\u00ed na tra\u0165  \u010cek\u00e1n\u00ed celkem", "Points  Trains handled  Left by another line  Refused  Waiting at signals  Waiting for an answer  Waiting for the line  Waiting in all"},
    {DalsiText::GrafPrubeh, "Vlaky b\u011bhem sm\u011bny", "Trains over the shift"},
    {DalsiText::RadyPrubehu, "Ve stanici  \u010cekaj\u00ed", "In the station  Waiting"},
    {DalsiText::GrafCekani, "\u010cek\u00e1n\u00ed jednotliv\u00fdch vlak\u016f (min)", "Each train's waiting (min)"},
    {DalsiText::CastiCekani, "U n\u00e1v\u011bstidla  Bez odpov\u011bdi  Na tra\u0165", "At a signal  Unanswered  For the line"},
    {DalsiText::SloupceVykazu, "Vlak  Odkud  Kam  Nab\u00eddnut  Vjel  Odjel  Bez odpov\u011bdi  Na tra\u0165  U n\u00e1v\u011bstidla  Odm\u00edtnut", "Train  From  To  Offered  Entered  Left  Unanswered  For the line  At a signal  Refused"},
    {DalsiText::UlozitCsv, "&Ulo\u017eit jako CSV...", "&Save as CSV..."},
    {DalsiText::NelzeUlozit, "Soubor nelze zapsat:", "Cannot write the file:"},
    {DalsiText::Zavrit, "&Zav\u0159\u00edt", "&Close"},
    {DalsiText::DuvodZacniNavestidlem, "Cestu za\u010dn\u011bte kliknut\u00edm na n\u00e1v\u011bstidlo.", "Start a route by clicking a signal."},
    {DalsiText::DuvodNavestidloMaCestu, "Z n\u00e1v\u011bstidla u koleje %2 u\u017e cesta vede; prav\u00e9 tla\u010d\u00edtko ji zru\u0161\u00ed.", "A route is already set from the signal at track %2; a right click cancels it."},
    {DalsiText::DuvodNavestidloCeka, "Cesta od n\u00e1v\u011bstidla u koleje %2 \u010dek\u00e1, a\u017e se uvoln\u00ed; prav\u00e9 tla\u010d\u00edtko ji zru\u0161\u00ed.", "The route from the signal at track %2 waits until its way is free; a right click cancels it."},
    {DalsiText::DuvodNicKeZruseni, "Od n\u00e1v\u011bstidla u koleje %2 \u017e\u00e1dn\u00e1 cesta nevede.", "No route is set from the signal at track %2."},
    {DalsiText::DuvodVlakSeBlizi, "Cestu nelze zru\u0161it: vlak %1 k n\u00ed jede.", "The route cannot be cancelled: train %1 is running up to it."},
    {DalsiText::DuvodZadnaCesta, "Od zvolen\u00e9ho n\u00e1v\u011bstidla nevede cesta na kolej %2.", "No route leads from the chosen signal to track %2."},
    {DalsiText::DuvodTratJenPrijezdy, "Na kolej %2 cesta nevede: jej\u00ed tra\u0165 te\u010f vlaky jen p\u0159ij\u00edm\u00e1.", "No route to track %2: its line only brings trains in now."},
    {DalsiText::DuvodUlozenaObsazeno, "Cesta \u010dek\u00e1: kolej %2 obsadil vlak %1. Postav\u00ed se, a\u017e se uvoln\u00ed.", "The route waits: train %1 occupies track %2. It is set when the track is free."},
    {DalsiText::DuvodUlozenaZaver, "Cesta \u010dek\u00e1: kolej %2 je v jin\u00e9 cest\u011b. Postav\u00ed se, a\u017e se uvoln\u00ed.", "The route waits: track %2 is locked for another route. It is set when free."},
    {DalsiText::DuvodUlozenaVyhybka, "Cesta \u010dek\u00e1: v\u00fdhybka na n\u00ed je obsazen\u00e1 nebo v jin\u00e9 cest\u011b.", "The route waits: a switch on its way is occupied or locked for another route."},
    {DalsiText::DuvodZadnyPrujezd, "Touto spojkou nevede cesta od zvolen\u00e9ho n\u00e1v\u011bstidla.", "No way leads through this connector from the chosen signal."},
    {DalsiText::DuvodVyberPokracuje, "Klikn\u011bte na c\u00edlovou kolej nebo na spojku, kudy m\u00e1 cesta v\u00e9st; prav\u00e9 tla\u010d\u00edtko v\u00fdb\u011br zru\u0161\u00ed.", "Click the destination track, or a connector to pass through; a right click abandons the choice."},
    {DalsiText::DuvodZadnyVlak, "Tady \u017e\u00e1dn\u00fd vlak nen\u00ed: naje\u010fte my\u0161\u00ed na vlak.", "No train here: point at a train."},
    {DalsiText::DuvodZadnaKolej, "Tady \u017e\u00e1dn\u00e1 kolej nen\u00ed: naje\u010fte my\u0161\u00ed na kolej.", "No track here: point at a track."},
    {DalsiText::DuvodVlakJede, "Vlak %1 jede: obr\u00e1tit lze jen stoj\u00edc\u00ed vlak.", "Train %1 is running: only a standing train can turn."},
    {DalsiText::DuvodVlakMaOdjezd, "Vlak %1 u\u017e m\u00e1 \u010das odjezdu.", "Train %1 already has its departure time."},
    {DalsiText::DuvodBehemVyberu, "Nejd\u0159\u00edv dokon\u010dete nebo zru\u0161te v\u00fdb\u011br cesty.", "Finish or abandon the route choice first."},
    {DalsiText::DuvodNelzeObratit, "Vlak %1 nelze obr\u00e1tit: za n\u00edm nen\u00ed voln\u00e1 cesta.", "Train %1 cannot turn: no free way leads out behind it."},
    {DalsiText::DuvodZadnaNabidka, "\u017d\u00e1dn\u00e1 nab\u00eddka nen\u00ed otev\u0159en\u00e1: naje\u010fte na blikaj\u00edc\u00ed konec trati a stiskn\u011bte F2.", "No offer is open: point at a blinking line end and press F2."},
    {DalsiText::DuvodTratObsazena, "Vlak %1 p\u0159ijat: vjede, a\u017e se uvoln\u00ed jeho tra\u0165ov\u00e1 kolej.", "Train %1 accepted: it enters once its line track is free."},
    {DalsiText::DuvodNejvyssiRychlost, "Simulace u\u017e b\u011b\u017e\u00ed nejrychleji.", "The simulation already runs at its highest speed."},
    {DalsiText::DuvodJizPozastaveno, "Simulace stoj\u00ed: F3 nebo \u0161ipka nahoru ji rozb\u011bhne.", "The simulation is paused: F3 or the Up arrow runs it."},
    {DalsiText::DuvodNejmensiCetnost, "Vlaky u\u017e jezd\u00ed nej\u0159id\u010deji.", "Trains already come as rarely as they can."},
    {DalsiText::DuvodNejvetsiCetnost, "Vlaky u\u017e jezd\u00ed nej\u010dast\u011bji.", "Trains already come as often as they can."},
    {DalsiText::PopisKolej, "Kolej %2", "Track %2"},
    {DalsiText::PopisSpojka, "Spojka", "Connector"},
    {DalsiText::PopisNavestidlo, "N\u00e1v\u011bstidlo u koleje %2", "Signal at track %2"},
    {DalsiText::PopisTrat, "Tra\u0165 do stanice %2", "Line to %2"},
    {DalsiText::PopisVolna, "voln\u00e1", "free"},
    {DalsiText::PopisObsazena, "obsazen\u00e1 vlakem %1 do %3", "occupied by train %1 to %3"},
    {DalsiText::PopisVCeste, "v cest\u011b", "locked in a route"},
    {DalsiText::PopisVCesteVlaku, "v cest\u011b vlaku %1", "locked in the route of train %1"},
    {DalsiText::PopisZvolene, "zvolen\u00e9 jako za\u010d\u00e1tek cesty", "chosen as a route's start"},
    {DalsiText::PopisCestaZNej, "vede z n\u011bj cesta; prav\u00e9 tla\u010d\u00edtko ji zru\u0161\u00ed", "a route is set from it; a right click cancels it"},
    {DalsiText::PopisCekaNaCestu, "cesta z n\u011bj \u010dek\u00e1, a\u017e se uvoln\u00ed", "its route waits until its way is free"},
    {DalsiText::PopisJenPrijezdy, "vlaky jen p\u0159ij\u00ed\u017ed\u011bj\u00ed", "trains only arrive"},
    {DalsiText::PopisJenOdjezdy, "vlaky jen odj\u00ed\u017ed\u011bj\u00ed", "trains only leave"},
    {DalsiText::PopisObaSmery, "vlaky jezd\u00ed ob\u011bma sm\u011bry", "trains run both ways"},
    {DalsiText::PopisNabidka, "nab\u00edz\u00ed vlak %1 od %3: F2 zde, pak A (p\u0159ijmout) nebo N", "offers train %1 since %3: F2 here, then A (accept) or N"},
    {DalsiText::PopisPrijata, "vlak %1 p\u0159ijat, \u010dek\u00e1 na tra\u0165ovou kolej", "train %1 accepted, waiting for the line track"},
    {DalsiText::Legenda, "&Legenda", "&Legend"},
    {DalsiText::LegendaVolny, "voln\u00e1 kolej, spojka, n\u00e1v\u011bstidlo", "free track, connector, signal"},
    {DalsiText::LegendaObsazeno, "obsazeno vlakem (s \u010d\u00edslem vlaku), cesta \u010dekaj\u00edc\u00ed u n\u00e1v\u011bstidla, nab\u00eddka", "occupied by a train (with its number), a route waiting at its signal, an offer"},
    {DalsiText::LegendaVyber, "n\u00e1v\u011bstidlo zvolen\u00e9 jako za\u010d\u00e1tek cesty", "signal chosen as a route's start"},
    {DalsiText::LegendaCesta, "postaven\u00e1 cesta", "route set"},
    {DalsiText::LegendaNastupiste, "n\u00e1stupi\u0161t\u011b", "platform"},
    {DalsiText::LegendaNabidka, "? blik\u00e1 na konci trati: soused nab\u00edz\u00ed vlak (F2, pak A nebo N)", "? blinking at a line end: a neighbour offers a train (F2, then A or N)"},
    {DalsiText::LegendaNavestidlo, "n\u00e1v\u011bstidlo: \u0161ipka ukazuje, kam dovoluje jet", "signal: its arrow points the way it lets trains go"},
    {DalsiText::LegendaTrat, "konec trati do sousedn\u00ed stanice", "end of a line to a neighbouring station"},
    {DalsiText::PrvniVlak, "&Prvn\u00ed vlak", "First &train"},
    {DalsiText::KrokNabidka, "Soused nab\u00edz\u00ed vlak: na konci trati blik\u00e1 ?. Naje\u010fte na n\u011bj my\u0161\u00ed a stiskn\u011bte F2.", "A neighbour offers a train: a ? blinks at a line end. Point at it and press F2."},
    {DalsiText::KrokPrijmout, "Stiskn\u011bte A (nebo klikn\u011bte na ANO): vlak p\u0159ijmete.", "Press A (or click YES) to accept the train."},
    {DalsiText::KrokVjezd, "Vlak stoj\u00ed p\u0159ed stanic\u00ed. Klikn\u011bte na vjezdov\u00e9 n\u00e1v\u011bstidlo p\u0159ed n\u00edm (ze\u017eloutne).", "The train is outside the station. Click the entry signal in front of it (it turns yellow)."},
    {DalsiText::KrokKolej, "Klikn\u011bte na kolej u n\u00e1stupi\u0161t\u011b: cesta se postav\u00ed (zezelen\u00e1).", "Click a track at a platform: the route is set (it turns green)."},
    {DalsiText::KrokPanel, "Naje\u010fte my\u0161\u00ed na vlak a stiskn\u011bte F1: uk\u00e1\u017ee se jeho panel.", "Point at the train and press F1: its panel shows."},
    {DalsiText::KrokRychlost, "F3 simulaci zastav\u00ed a znovu rozb\u011bhne, \u0161ipky nahoru a dol\u016f m\u011bn\u00ed rychlost. Zkuste F3.", "F3 pauses and resumes, the Up and Down arrows change the speed. Try F3."},
    {DalsiText::KrokTabule, "Zobrazen\u00ed, Tabule vlak\u016f uk\u00e1\u017ee ka\u017ed\u00fd vlak a jak dlouho \u010dek\u00e1. Otev\u0159ete ji.", "View, Train board lists every train and how long it waits. Open it."},
    {DalsiText::KrokOdjezd, "V\u00fdborn\u011b! Vlak zastav\u00ed u n\u00e1stupi\u0161t\u011b. Postavte mu cestu ven stejn\u011b: n\u00e1v\u011bstidlo, pak kolej trati.", "Well done! The train stops at the platform. Set its way out the same way: its signal, then the line's track."},
    {DalsiText::KrokHotovo, "Vlak odjel. Sm\u011bna je va\u0161e: hodn\u011b \u0161t\u011bst\u00ed!", "The train has left. The shift is yours: good luck!"},
    {DalsiText::Preskocit, "P\u0159esko\u010dit", "Skip"},
    {DalsiText::OtevritSit, "Otev\u0159\u00edt s\u00ed\u0165 &stanic\u2026", "Open a &network of stations\u2026"},
    {DalsiText::FiltrSiti, "S\u00edt\u011b stanic (*.json)", "Networks of stations (*.json)"},
    {DalsiText::KteraStanice, "Kterou stanici budete \u0159\u00eddit? Ostatn\u00ed \u0159\u00edd\u00ed automatick\u00fd dispe\u010der.",
     "Which station will you dispatch? The automatic dispatcher runs the others."},
    {DalsiText::MenuSite, "S&tanice s\u00edt\u011b", "S&tations"},
    {DalsiText::OpustitSit, "&Opustit s\u00ed\u0165", "&Leave the network"},
    {DalsiText::ChybaSite, "S\u00ed\u0165 stanic nelze otev\u0159\u00edt: ", "The network cannot be opened: "},
    {DalsiText::OpravduOpustit,
     "T\u00edm opust\u00edte s\u00ed\u0165 stanic: jej\u00ed ostatn\u00ed stanice a vlaky na trat\u00edch mezi nimi se zahod\u00ed. Pokra\u010dovat?",
     "This leaves the network of stations: its other stations and the trains on the lines between them are discarded. Go on?"},
    {DalsiText::SitNelzeUlozit,
     "S\u00ed\u0165 stanic se v okn\u011b neukl\u00e1d\u00e1 (celou s\u00ed\u0165 ukl\u00e1d\u00e1 stanovar-sim --network \u2026 --save). Nic nebylo ulo\u017eeno; s\u00ed\u0165 b\u011b\u017e\u00ed d\u00e1l.",
     "A network of stations is not saved in the window (stanovar-sim --network \u2026 --save keeps a whole network). Nothing was saved; the network goes on."},
    {DalsiText::NaTrati, "Na trati:", "On the line:"},
    {DalsiText::PrijezdZTrati, "%1 z %2 za %3", "%1 from %2 in %3"},
    {DalsiText::StavNaTrati, "na trati, p\u0159ijede za", "on the line, arrives in"},
    {DalsiText::OpravduKonec, "Ukon\u010dit sm\u011bnu a zav\u0159\u00edt program? Sm\u011bna se ulo\u017e\u00ed pro Pokra\u010dovat v posledn\u00ed sm\u011bn\u011b.", "End the shift and close the program? The shift is kept for Resume last shift."},
    {DalsiText::UpravitStanici, "&Upravit stanici\u2026", "&Edit station\u2026"},
    {DalsiText::SlozkaKUprave, "Slo\u017eka stanice k \u00faprav\u00e1m", "Station folder to edit"},
    {DalsiText::EditorStanice, "Editor stanice", "Station editor"},
    {DalsiText::MenuUpravy, "\u00da&pravy", "&Edit"},
    {DalsiText::Ulozit, "&Ulo\u017eit", "&Save"},
    {DalsiText::Zpet, "&Zp\u011bt", "&Undo"},
    {DalsiText::Znovu, "Z&novu", "&Redo"},
    {DalsiText::Kopirovat, "&Kop\u00edrovat", "&Copy"},
    {DalsiText::Vlozit, "&Vlo\u017eit", "&Paste"},
    {DalsiText::Smazat, "&Smazat", "&Delete"},
    {DalsiText::Zrcadlit, "Z&rcadlit", "&Mirror"},
    {DalsiText::VybratVse, "Vybrat &v\u0161e", "Select &all"},
    {DalsiText::Nastroje, "&N\u00e1stroje", "&Tools"},
    {DalsiText::NastrojVyber, "&V\u00fdb\u011br", "&Select"},
    {DalsiText::NastrojKolej, "&Kolej", "&Track"},
    {DalsiText::NastrojSpojka, "&Spojka", "&Connector"},
    {DalsiText::NastrojNavestidlo, "N\u00e1v\u011bst&idlo", "S&ignal"},
    {DalsiText::NastrojNastupiste, "&N\u00e1stupi\u0161t\u011b", "&Platform"},
    {DalsiText::NastrojPopisek, "&Popisek", "&Label"},
    {DalsiText::NastrojKonecTrati, "Konec &trati", "Line &end"},
    {DalsiText::Vlastnosti, "Vlastnosti", "Properties"},
    {DalsiText::Problemy, "Probl\u00e9my", "Problems"},
    {DalsiText::CestyZ, "Cesty z:", "Routes from:"},
    {DalsiText::ZadneCesty, "(\u017e\u00e1dn\u00e9)", "(none)"},
    {DalsiText::PoleCislo, "\u010c\u00edslo koleje", "Track number"},
    {DalsiText::PoleDelka, "D\u00e9lka (m)", "Length (m)"},
    {DalsiText::PoleRychlost, "Nejvy\u0161\u0161\u00ed rychlost (km/h)", "Speed limit (km/h)"},
    {DalsiText::PoleSklon, "Sklon (desetiny \u2030)", "Gradient (tenths of \u2030)"},
    {DalsiText::PoleDoplnek, "Dopl\u0148kov\u00e1 hodnota", "Extra value"},
    {DalsiText::PoleZavorky, "Kreslit se z\u00e1vorkami", "Drawn with brackets"},
    {DalsiText::PoleViditelna, "Viditeln\u00e1", "Visible"},
    {DalsiText::PoleText, "Text", "Text"},
    {DalsiText::PoleVelikost, "Velikost p\u00edsma (body)", "Font size (points)"},
    {DalsiText::PoleStanice, "Stanice", "Station"},
    {DalsiText::PoleSoused, "Sousedn\u00ed stanice", "Neighbour station"},
    {DalsiText::PoleSmer, "Sm\u011br", "Direction"},
    {DalsiText::SmeryTrati, "p\u0159\u00edjezdy  odjezdy  oba sm\u011bry", "arrivals  departures  both ways"},
    {DalsiText::PolePoloha, "Poloha", "Position"},
    {DalsiText::VybranoPrvku, "Vybr\u00e1no prvk\u016f: %1", "Elements selected: %1"},
    {DalsiText::NicNevybrano, "Nic nen\u00ed vybr\u00e1no.", "Nothing is selected."},
    {DalsiText::NeulozeneZmeny, "Stanice m\u00e1 neulo\u017een\u00e9 zm\u011bny. Ulo\u017eit je?",
     "The station has unsaved changes. Save them?"},
    {DalsiText::ChybaOtevreniEditoru, "Stanici nelze otev\u0159\u00edt: ", "The station cannot be opened: "},
    {DalsiText::ChybaUlozeniEditoru, "Stanici nelze ulo\u017eit: ", "The station cannot be saved: "},
    {DalsiText::StavKontroly, "Chyb: %1    Varov\u00e1n\u00ed: %2", "Errors: %1    Warnings: %2"},
    {DalsiText::Zahodit, "&Zahodit", "&Discard"},
    {DalsiText::Grafikon, "J\u00edzdn\u00ed \u0159\u00e1d", "Timetable"},
    {DalsiText::Lokomotivy, "Lokomotivy", "Locomotives"},
    {DalsiText::SloupceGrafikonu,
     "\u010c\u00edslo  Odkud  Kam  D\u00e9lka (m)  Hmotnost (t)  Rychlost (km/h)  Lokomotiva  A  B  C  Druh",
     "Number  From  To  Length (m)  Weight (t)  Speed (km/h)  Locomotive  A  B  C  Category"},
    {DalsiText::SloupceLokomotiv,
     "Jm\u00e9no  Rychlost (km/h)  V\u00fdkon (kW)  Hmotnost (t)  Rychlost 1 (km/h)  Rychlost 2 (km/h)  Odpor A (1/m)  "
     "Odpor B (1/s)  Odpor C (m/s\u00b2)  Sou\u010dinitel hmot  Popis",
     "Name  Speed (km/h)  Power (kW)  Weight (t)  Speed 1 (km/h)  Speed 2 (km/h)  Resistance A (1/m)  "
     "Resistance B (1/s)  Resistance C (m/s\u00b2)  Mass factor  Description"},
    {DalsiText::PridatZaznam, "P\u0159idat", "Add"},
    {DalsiText::ZdvojitZaznam, "Zdvojit", "Duplicate"},
    {DalsiText::SmazatZaznam, "Smazat", "Delete"},
    {DalsiText::SeraditZaznamy, "Se\u0159adit", "Sort"},
    {DalsiText::MenuStanice, "&Stanice", "&Station"},
    {DalsiText::Vyzkouset, "&Vyzkou\u0161et", "&Try it"},
    {DalsiText::Zahrat, "&Zahr\u00e1t si", "&Play it"},
    {DalsiText::Zkouska, "Zkou\u0161ka", "Try it"},
    {DalsiText::ZkouskaBezi, "Zkou\u0161\u00edm %1 h provozu\u2026", "Trying %1 h of traffic\u2026"},
    {DalsiText::ZkouskaZastarala, "Stanice se od zkou\u0161ky zm\u011bnila (F9 ji zkus\u00ed znovu).",
     "The station has changed since it was tried (F9 tries it again)."},
    {DalsiText::HodinZkousky, "Hodin:", "Hours:"},
    {DalsiText::VysledekProjelo, "Vlak\u016f projelo: %1 (jinou trat\u00ed %2)", "Trains through: %1 (by another line %2)"},
    {DalsiText::VysledekOdmitnuto, "Odm\u00edtnuto: %1", "Refused: %1"},
    {DalsiText::VysledekCeka, "\u010cek\u00e1: %1 ve stanici, %2 nab\u00eddek bez odpov\u011bdi",
     "Waiting: %1 in the station, %2 offers unanswered"},
    {DalsiText::VysledekBody, "Body: %1", "Score: %1"},
    {DalsiText::VysledekPoruseni, "Poru\u0161en\u00ed: %1 (v %2 s)", "Violation: %1 (at %2 s)"},
    {DalsiText::VysledekPoruchy, "Selh\u00e1n\u00ed v\u00fdpo\u010dtu j\u00eddy: %1", "Running calculation faults: %1"},
    {DalsiText::VysledekPrvek, "%1: obsazeno %2 % \u010dasu, vjezd\u016f %3", "%1: occupied %2 % of the time, %3 entries"},
    {DalsiText::ChybaZkousky, "Stanici nelze vyzkou\u0161et: ", "The station cannot be tried: "},
    {DalsiText::NejvytizenejsiPrvky, "Nejvyt\u00ed\u017een\u011bj\u0161\u00ed prvky:", "Busiest elements:"},
    {DalsiText::ChybaHrani, "Stanici nelze spustit: ", "The station cannot be played: "},
    {DalsiText::VysledekBezPoruch, "\u017d\u00e1dn\u00e9 poru\u0161en\u00ed ani selh\u00e1n\u00ed v\u00fdpo\u010dtu.",
     "No violation and no calculation fault."},
    {DalsiText::VysledekHodin, "%1 h provozu za %2 s", "%1 h of traffic in %2 s"},
};
}  // namespace

void DalsiTexty::nacti(const Stav& s) {
  std::string obsah;
  if (!s.nastaveni.cestaJazyk.empty()) CtiSoubor(s.nastaveni.cestaJazyk, obsah);
  // The Czech file's menu is the built-in one; any other language is more likely read by
  // someone who reads English than Czech.
  nacti(obsah, s.nastaveni.cestaJazyk.empty() || s.Text(2) == VychoziText(2));
}

void DalsiTexty::nacti(std::string_view obsah, bool cesky) {
  cesky_ = cesky;
  texty_ = {};
  for (std::string_view radek : Radky(obsah)) {
    const int n = PrevedCislo(radek.substr(0, 3)) - Prvni;
    if (n < 0 || n >= Pocet || radek.size() <= 3) continue;
    texty_[static_cast<std::size_t>(n)] = std::string(radek.substr(3, 200));
  }
}

QString DalsiTexty::text(DalsiText t) const {
  const auto n = static_cast<std::size_t>(static_cast<int>(t) - Prvni);
  if (n >= texty_.size()) return {};
  if (!texty_[n].empty()) return ZBajtu(texty_[n]);
  for (const Vychozi& v : Tabulka)
    if (v.cislo == t) return QString::fromUtf8(cesky_ ? v.cesky : v.anglicky);
  return {};
}

std::string DalsiTexty::bajty(DalsiText t) const { return NaBajty(text(t)); }

}  // namespace stanovar::shell
