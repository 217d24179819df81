#include "smena/zaznamy.h"

#include "model/seznamy.h"
#include "model/stav.h"
#include "traffic/cas.h"

namespace stanovar::ulozeni {

bool Kontext::prvek(int id) const {
  return id == 0 || NajdiPrvek(s, id) || NajdiNavestidlo(s, id) || NajdiSousedaId(s, id);
}

namespace {

// The speed factor's range, as the keys set it.
constexpr long long MaxRychlost = MaxRychlostSim;
// A count of reports, actions or positions far above any shift.
constexpr long long MaxPocet = 1 << 30;

const Sloupec<RKrok> SloupceKroku[] = {
    SlCele<&RKrok::x>("x"),          SlCele<&RKrok::y>("y"),
    SlPrvek<&RKrok::prvek>("prvek"), SlCele<&RKrok::delka>("delka"),
    SlCele<&RKrok::minRychlost>("minRychlost"), SlCele<&RKrok::cena>("cena"),
    SlRozsah<&RKrok::smer, 0, 4>("smer"),
};

const Sloupec<RVlak> SloupceVlaku[] = {
    SlCele<&RVlak::cislo>("cislo"),
    SlCele<&RVlak::delka>("delka"),
    SlCele<&RVlak::hmotnost>("hmotnost"),
    SlCele<&RVlak::maxRychlost>("maxRychlost"),
    SlCele<&RVlak::rychlost1>("rychlost1"),
    SlCele<&RVlak::rychlost2>("rychlost2"),
    SlCele<&RVlak::vykon>("vykon"),
    SlCele<&RVlak::odjezd>("odjezd"),
    SlCele<&RVlak::delkaUseku>("delkaUseku"),
    SlRealne<&RVlak::vzdalenost>("vzdalenost"),
    SlRealne<&RVlak::rychlost>("rychlost"),
    SlRealne<&RVlak::CilRychl>("CilRychl"),
    SlRealne<&RVlak::lim1>("lim1"),
    SlRealne<&RVlak::lim2>("lim2"),
    SlRealne<&RVlak::odporA>("odporA"),
    SlRealne<&RVlak::odporB>("odporB"),
    SlRealne<&RVlak::odporC>("odporC"),
    SlRealne<&RVlak::sklonPrvku>("sklonPrvku"),
    SlRealne<&RVlak::soucinitelHmot>("soucinitelHmot"),
    SlRealne<&RVlak::BrzdZrych>("BrzdZrych"),
    SlRealne<&RVlak::cas>("cas"),
    SlPrvek<&RVlak::prvek>("prvek"),
    SlCele<&RVlak::smer>("smer"),
    SlPriznak<&RVlak::maOdjezd>("maOdjezd"),
    SlPriznak<&RVlak::brzdi>("brzdi"),
    SlBajty<&RVlak::cil>("cil"),
    SlBajty<&RVlak::loko>("loko"),
    SlCesta<&RVlak::cesta>("cesta"),
};

const Sloupec<RNabidka> SloupceNabidek[] = {
    SlCele<&RNabidka::cislo>("cislo"),
    SlCele<&RNabidka::x>("x"),
    SlCele<&RNabidka::y>("y"),
    {"soused", [](const RNabidka& n) -> json { return n.soused; },
     [](RNabidka& n, const json& j, const Kontext& k) {
       n.soused = Int(j, "");
       if (!NajdiSousedaId(k.s, n.soused)) vadne("not a line end");
     }},
    {"spoj", [](const RNabidka& n) -> json { return n.spoj; },
     [](RNabidka& n, const json& j, const Kontext& k) {
       n.spoj = static_cast<int>(Cele(j, "", -1, static_cast<long long>(k.s.Grafikon.size()) - 1));
     }},
    SlBajty<&RNabidka::odkud>("odkud"),
    SlBajty<&RNabidka::kam>("kam"),
    SlPriznak<&RNabidka::faze>("faze"),
    SlPriznak<&RNabidka::prijata>("prijata"),
};

const Sloupec<RCesta> SloupceCest[] = {
    SlPrvek<&RCesta::start>("start"),
    SlCele<&RCesta::vlak>("vlak"),
    SlCele<&RCesta::minRychlost>("minRychlost"),
    SlCesta<&RCesta::cesta>("cesta"),
};

const Sloupec<RCekajiciCesta> SloupceCekajicich[] = {
    SlPrvek<&RCekajiciCesta::start>("start"),
    SlPrvek<&RCekajiciCesta::cil>("cil"),
    SlCele<&RCekajiciCesta::ceka>("ceka"),
    SlCele<&RCekajiciCesta::drzena>("drzena"),
    SlCesta<&RCekajiciCesta::cesta>("cesta"),
};

const Sloupec<RUdalost> SloupceUdalosti[] = {
    SlRozsah<&RUdalost::druh, 1, 10>("druh"),
    SlCele<&RUdalost::vlak>("vlak"),
    SlPrvek<&RUdalost::prvek>("prvek"),
    SlRealne<&RUdalost::hodnota1>("hodnota1"),
    SlRealne<&RUdalost::hodnota2>("hodnota2"),
    SlRealne<&RUdalost::cas>("cas"),
};

const Sloupec<RKolej> SloupceStavuKoleje[] = {
    SlRozsah<&RKolej::zaver, 0, 3>("zaver"),
    SlCele<&RKolej::vlak>("vlak"),
    SlCele<&RKolej::druhKonce>("druhKonce"),
};

const Sloupec<Stav> SloupceHodin[] = {
    SlKonecne<&Stav::SimZaklad>("SimZaklad"),
    SlKonecne<&Stav::RealZnacka>("RealZnacka"),
    SlKonecne<&Stav::PosledniCteni>("PosledniCteni"),
    SlRozsah<&Stav::RychlostSim, 0, MaxRychlost>("RychlostSim"),
    SlRozsah<&Stav::PosledniRychlost, 0, MaxRychlost>("PosledniRychlost"),
    SlRozsah<&Stav::CetnostVlaku, 1, 8>("CetnostVlaku"),
    SlCele<&Stav::nahoda>("nahoda"),
};

const Sloupec<Stav> SloupceVyberu[] = {
    SlPriznak<&Stav::VyberCesty>("VyberCesty"),
    SlPrvek<&Stav::StartNavestidlo>("StartNavestidlo"),
    SlCele<&Stav::PosledniX>("PosledniX"),
    SlCele<&Stav::PosledniY>("PosledniY"),
    SlCele<&Stav::PosledniSmer>("PosledniSmer"),
    SlPrvek<&Stav::CilovaKolej>("CilovaKolej"),
    SlCele<&Stav::NabizenyVlak>("NabizenyVlak"),
    SlCele<&Stav::ZobrazenyVlak>("ZobrazenyVlak"),
    SlRozsah<&Stav::hlaseniVypoctu, 0, MaxPocet>("hlaseniVypoctu"),
};

// What the window shows that the run decides: the panels' values. The captions come from the
// language file and are not saved.
const Sloupec<OknoView> SloupceTextuOkna[] = {
    SlBajty<&OknoView::LabelVlak>("LabelVlak"),
    SlBajty<&OknoView::LabelCil>("LabelCil"),
    SlBajty<&OknoView::LabelMaxRychl>("LabelMaxRychl"),
    SlBajty<&OknoView::LabelDelka>("LabelDelka"),
    SlBajty<&OknoView::LabelHmotnost>("LabelHmotnost"),
    SlBajty<&OknoView::LabelLoko>("LabelLoko"),
    SlBajty<&OknoView::LabelOdjezd>("LabelOdjezd"),
    SlBajty<&OknoView::LabelRychl>("LabelRychl"),
    SlBajty<&OknoView::LabelVzdal>("LabelVzdal"),
    SlBajty<&OknoView::LabelKolej>("LabelKolej"),
    SlBajty<&OknoView::LabelDelkaKol>("LabelDelkaKol"),
    SlBajty<&OknoView::LabelRychlKol>("LabelRychlKol"),
    SlBajty<&OknoView::LabelSklon>("LabelSklon"),
    SlBajty<&OknoView::LabelStanice>("LabelStanice"),
    SlBajty<&OknoView::LabelSoused>("LabelSoused"),
    SlBajty<&OknoView::LabelSouhlas>("LabelSouhlas"),
};

const Sloupec<PanelView> SloupcePanelu[] = {
    SlPriznak<&PanelView::viditelny>("viditelny"),
    SlRozsah<&PanelView::left, -100000, 100000>("left"),
    SlRozsah<&PanelView::top, -100000, 100000>("top"),
};

PanelView OknoView::*const PanelyOkna[] = {&OknoView::PanelVlak, &OknoView::PanelKolej,
                                           &OknoView::PanelSouhlas};

const Sloupec<OknoView> SloupceOkna[] = {
    {"texty", [](const OknoView& o) { return Radek(TabulkaTextuOkna, o); },
     [](OknoView& o, const json& j, const Kontext& k) { Radek(TabulkaTextuOkna, o, j, k); }},
    {"panely",
     [](const OknoView& o) {
       json a = json::array();
       for (auto m : PanelyOkna) a.push_back(Radek(TabulkaPanelu, o.*m));
       return a;
     },
     [](OknoView& o, const json& j, const Kontext& k) {
       Prvky(j, std::size(PanelyOkna), "");
       for (std::size_t i = 0; i < std::size(PanelyOkna); ++i)
         Radek(TabulkaPanelu, o.*PanelyOkna[i], j[i], k);
     }},
    SlRozsah<&OknoView::ImageSmer, 0, 2>("ImageSmer"),
    SlPriznak<&OknoView::Blikac>("Blikac"),
    SlPriznak<&OknoView::Rychlomer>("Rychlomer"),
};

const Sloupec<SkoreVlaku> SloupceRunu[] = {
    SlCele<&SkoreVlaku::cislo>("cislo"),
    SlBajty<&SkoreVlaku::odkud>("odkud"),
    SlBajty<&SkoreVlaku::kam>("kam"),
    SlKonecne<&SkoreVlaku::nabidnut>("nabidnut"),
    SlKonecne<&SkoreVlaku::vjel>("vjel"),
    SlKonecne<&SkoreVlaku::odjel>("odjel"),
    SlKonecne<&SkoreVlaku::naOdpoved>("naOdpoved"),
    SlKonecne<&SkoreVlaku::naTrat>("naTrat"),
    SlKonecne<&SkoreVlaku::naCestu>("naCestu"),
    SlKonecne<&SkoreVlaku::cekaOd>("cekaOd"),
    SlRozsah<&SkoreVlaku::ceka, NeCeka, CekaNaCestu>("ceka"),
    SlRozsah<&SkoreVlaku::faze, FazeNabidnut, FazeKonec>("faze"),
    SlPriznak<&SkoreVlaku::odmitnut>("odmitnut"),
    SlPriznak<&SkoreVlaku::spatnymSmerem>("spatnymSmerem"),
};

const Sloupec<BodSmeny> SloupceBoduSmeny[] = {
    SlKonecne<&BodSmeny::cas>("cas"),
    SlRozsah<&BodSmeny::veStanici, 0, MaxZaznamu>("veStanici"),
    SlRozsah<&BodSmeny::cekaji, 0, MaxZaznamu>("cekaji"),
};

// An index into the runs read before it (the runs come first in the table), or -1 with
// `zadny`.
int Run(const Skore& k, const json& j, bool zadny) {
  return static_cast<int>(Cele(j, "", zadny ? -1 : 0, static_cast<long long>(k.vlaky.size()) - 1));
}

const Sloupec<Skore> SloupceSkore[] = {
    SlKonecne<&Skore::zacatek>("zacatek"),
    {"vlaky", [](const Skore& k) { return Seznam(TabulkaRunu, k.vlaky, true); },
     [](Skore& k, const json& j, const Kontext& c) { Seznam(TabulkaRunu, k.vlaky, j, c, true); }},
    {"aktivni", [](const Skore& k) -> json { return k.aktivni; },
     [](Skore& k, const json& j, const Kontext&) {
       k.aktivni.clear();
       for (const json& a : Seznam(j, "", true)) k.aktivni.push_back(Run(k, a, false));
     }},
    {"predavany", [](const Skore& k) -> json { return k.predavany; },
     [](Skore& k, const json& j, const Kontext&) { k.predavany = Run(k, j, true); }},
    SlRozsah<&Skore::veStanici, 0, MaxZaznamu>("veStanici"),
    SlRozsah<&Skore::cekaji, 0, MaxZaznamu>("cekaji"),
    {"prubeh", [](const Skore& k) { return Seznam(TabulkaBoduSmeny, k.prubeh, true); },
     [](Skore& k, const json& j, const Kontext& c) {
       Seznam(TabulkaBoduSmeny, k.prubeh, j, c, true);
     }},
};

// A text of a picture, no longer than the canvas ever paints.
template <std::string OperaceKresby::*M, std::size_t Max>
constexpr Sloupec<OperaceKresby> TextKresby(const char* jmeno) {
  return {jmeno, [](const OperaceKresby& o) -> json { return Text(o.*M); },
          [](OperaceKresby& o, const json& j, const Kontext&) {
            o.*M = Text(j, "");
            if ((o.*M).size() > Max) vadne("too long");
          }};
}

constexpr long long MaxSouradnice = 1000000;

const Sloupec<OperaceKresby> SloupceKresby[] = {
    {"druh", [](const OperaceKresby& o) -> json { return std::string(1, o.druh); },
     [](OperaceKresby& o, const json& j, const Kontext&) {
       const std::string d = Text(j, "");
       if (d != "c" && d != "o" && d != "t") vadne("");
       o.druh = d[0];
     }},
    SlRozsah<&OperaceKresby::a, -MaxSouradnice, MaxSouradnice>("a"),
    SlRozsah<&OperaceKresby::b, -MaxSouradnice, MaxSouradnice>("b"),
    SlRozsah<&OperaceKresby::c, -MaxSouradnice, MaxSouradnice>("c"),
    SlRozsah<&OperaceKresby::d, -MaxSouradnice, MaxSouradnice>("d"),
    SlRozsah<&OperaceKresby::sirka, 0, 1000>("sirka"),
    SlCele<&OperaceKresby::pero>("pero"),
    SlCele<&OperaceKresby::vypln>("vypln"),
    SlPriznak<&OperaceKresby::nepruhledne>("nepruhledne"),
    SlPriznak<&OperaceKresby::tucne>("tucne"),
    TextKresby<&OperaceKresby::jmeno, 256>("jmeno"),
    TextKresby<&OperaceKresby::text, 4096>("text"),
};

const Sloupec<RSpoj> SloupceSpoju[] = {
    SlCele<&RSpoj::cislo>("cislo"),
    SlCele<&RSpoj::delka>("delka"),
    SlCele<&RSpoj::hmotnost>("hmotnost"),
    SlCele<&RSpoj::maxRychlost>("maxRychlost"),
    SlCele<&RSpoj::hodnotaB>("hodnotaB"),
    SlCele<&RSpoj::hodnotaC>("hodnotaC"),
    SlCele<&RSpoj::hodnotaA>("hodnotaA"),
    SlBajty<&RSpoj::odkud>("odkud"),
    SlBajty<&RSpoj::kam>("kam"),
    SlBajty<&RSpoj::loko>("loko"),
};

}  // namespace

const Tabulka<RSpoj> TabulkaSpoju{"timetable entry", SloupceSpoju};
const Tabulka<RKrok> TabulkaKroku{"path", SloupceKroku};
const Tabulka<RVlak> TabulkaVlaku{"train", SloupceVlaku};
const Tabulka<RNabidka> TabulkaNabidek{"offer", SloupceNabidek};
const Tabulka<RCesta> TabulkaCest{"route", SloupceCest};
const Tabulka<RCekajiciCesta> TabulkaCekajicich{"stored route", SloupceCekajicich};
const Tabulka<RUdalost> TabulkaUdalosti{"event", SloupceUdalosti};
const Tabulka<RKolej> TabulkaStavuKoleje{"element", SloupceStavuKoleje};
const Tabulka<Stav> TabulkaHodin{"clock", SloupceHodin};
const Tabulka<Stav> TabulkaVyberu{"selection", SloupceVyberu};
const Tabulka<OknoView> TabulkaTextuOkna{"window text", SloupceTextuOkna};
const Tabulka<PanelView> TabulkaPanelu{"panel", SloupcePanelu};
const Tabulka<OknoView> TabulkaOkna{"window", SloupceOkna};
const Tabulka<SkoreVlaku> TabulkaRunu{"score run", SloupceRunu};
const Tabulka<BodSmeny> TabulkaBoduSmeny{"score course", SloupceBoduSmeny};
const Tabulka<Skore> TabulkaSkore{"score", SloupceSkore};
const Tabulka<OperaceKresby> TabulkaKresby{"picture", SloupceKresby};

json Cesta(const Kroky& k) { return Seznam(TabulkaKroku, k, true); }

Kroky Cesta(const json& j, const Kontext& k) {
  Kroky c;
  Seznam(TabulkaKroku, c, j, k, true);
  return c;
}

}  // namespace stanovar::ulozeni
