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
