#include "shell/napovedy.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QPixmap>

#include "jadro.h"
#include "shell/kodovani.h"
#include "shell/vzhled.h"

namespace stanovar::shell {

QString Vypln(QString t, int vlak, const QString& jmeno, const QString& treti) {
  // Replaced one by one: QString::arg would fill the lowest number present, whichever it is.
  return t.replace(QStringLiteral("%1"), QString::number(vlak))
      .replace(QStringLiteral("%2"), jmeno)
      .replace(QStringLiteral("%3"), treti);
}

QString TextDuvodu(const DalsiTexty& texty, const Vysvetleni& v) {
  if (v.duvod == Duvod::Zadny) return {};
  // The texts stand in the order of the reasons.
  static_assert(static_cast<int>(DalsiText::DuvodNejvetsiCetnost) - static_cast<int>(Duvod::NejvetsiCetnost) ==
                static_cast<int>(DalsiText::DuvodZacniNavestidlem) - static_cast<int>(Duvod::ZacniNavestidlem));
  const auto t = static_cast<DalsiText>(static_cast<int>(DalsiText::DuvodZacniNavestidlem) +
                                        static_cast<int>(v.duvod) -
                                        static_cast<int>(Duvod::ZacniNavestidlem));
  return Vypln(texty.text(t), v.vlak, ZBajtu(v.kolej));
}

QString TextPopisu(const DalsiTexty& texty, const Popis& p) {
  const QString jmeno = ZBajtu(p.jmeno);
  QString prvek;
  switch (p.druh) {
    case DruhPrvku::Nic: return {};
    case DruhPrvku::Kolej: prvek = texty.text(DalsiText::PopisKolej); break;
    case DruhPrvku::Spojka: prvek = texty.text(DalsiText::PopisSpojka); break;
    case DruhPrvku::Navestidlo: prvek = texty.text(DalsiText::PopisNavestidlo); break;
    case DruhPrvku::Trat: prvek = texty.text(DalsiText::PopisTrat); break;
  }
  DalsiText stav = DalsiText::PopisVolna;
  QString treti = ZBajtu(p.cil);
  switch (p.stav) {
    case StavPrvku::Volny: break;
    case StavPrvku::Obsazeny: stav = DalsiText::PopisObsazena; break;
    case StavPrvku::VCeste: stav = p.vlak ? DalsiText::PopisVCesteVlaku : DalsiText::PopisVCeste; break;
    case StavPrvku::Zvolene: stav = DalsiText::PopisZvolene; break;
    case StavPrvku::CestaZNej: stav = DalsiText::PopisCestaZNej; break;
    case StavPrvku::CekaNaCestu: stav = DalsiText::PopisCekaNaCestu; break;
    case StavPrvku::JenPrijezdy: stav = DalsiText::PopisJenPrijezdy; break;
    case StavPrvku::JenOdjezdy: stav = DalsiText::PopisJenOdjezdy; break;
    case StavPrvku::ObaSmery: stav = DalsiText::PopisObaSmery; break;
    case StavPrvku::Nabidka:
      stav = DalsiText::PopisNabidka;
      treti = p.od >= 0 ? QString::fromStdString(TextCasuDne(p.od)) : QStringLiteral("?");
      break;
    case StavPrvku::Prijata: stav = DalsiText::PopisPrijata; break;
  }
  return Vypln(prvek, p.vlak, jmeno).trimmed() + QLatin1Char('\n') +
         Vypln(texty.text(stav), p.vlak, jmeno, treti).trimmed();
}

QString Titulek(const QString& stanice, const QString& smena) {
  QString t = QStringLiteral("   Stanovar");
  for (const QString& c : {stanice, smena})
    if (!c.isEmpty()) t += QStringLiteral(" \u2013 ") + c;
  return t;
}

Napovedy::Napovedy(const DalsiTexty& texty, QWidget* okno) : QObject(okno), texty_(texty) {
  duvod_ = new QLabel(okno);
  duvod_->setObjectName(QStringLiteral("Duvod"));
  duvod_->setTextFormat(Qt::PlainText);
  duvod_->setContentsMargins(16, 0, 0, 0);
  zhasni_.setSingleShot(true);
  zhasni_.setInterval(8000);
  connect(&zhasni_, &QTimer::timeout, duvod_, &QLabel::clear);
}

void Napovedy::rekni(const Vysvetleni& v) {
  const QString t = TextDuvodu(texty_, v);
  // A later input that worked clears what an earlier one left.
  duvod_->setText(t);
  if (t.isEmpty())
    zhasni_.stop();
  else
    zhasni_.start();
}

namespace {
// A sample of the station's drawing: a track with `barva`, or a symbol, on the background.
QPixmap Vzorek(const Stav& vzor, Paleta p, const std::function<void(Stav&)>& kresli) {
  QtPlatno platno(60, 24, vzor.prostredi ? vzor.prostredi->dpi() : 96);
  Stav s;
  s.platno = &platno;
  s.prostredi = vzor.prostredi;
  s.nastaveni = vzor.nastaveni;
  platno.nastavPaletu(p, s.nastaveni.popredi, s.nastaveni.pozadi);
  platno.barvaPera(s.nastaveni.pozadi);
  platno.barvaVyplne(s.nastaveni.pozadi);
  platno.obdelnik(0, 0, 60, 24);
  kresli(s);
  return QPixmap::fromImage(platno.obraz());
}
}  // namespace

Legenda::Legenda(const DalsiTexty& texty, const Stav& stav, Paleta p, QWidget* rodic)
    : QDialog(rodic) {
  QString titul = texty.text(DalsiText::Legenda);
  setWindowTitle(titul.remove(QLatin1Char('&')));
  auto* mrizka = new QGridLayout(this);
  auto radek = [&](const QPixmap& obraz, DalsiText t) {
    const int r = mrizka->rowCount();
    auto* o = new QLabel(this);
    o->setPixmap(obraz);
    auto* l = new QLabel(texty.text(t), this);
    l->setWordWrap(true);
    mrizka->addWidget(o, r, 0);
    mrizka->addWidget(l, r, 1);
  };
  auto kolej = [&](Barva c) {
    barvy_.push_back(NaQColor(BarvaVPalete(p, c)));
    return Vzorek(stav, p, [c](Stav& s) {
      RKolej k;
      k.x1 = 6, k.x2 = 54, k.y1 = k.y2 = 12;
      KresliKolej(s, k, {}, c);
    });
  };
  radek(kolej(stav.nastaveni.popredi), DalsiText::LegendaVolny);
  radek(kolej(BarvaObsazeno), DalsiText::LegendaObsazeno);
  radek(kolej(BarvaVyber), DalsiText::LegendaVyber);
  radek(kolej(BarvaCesta), DalsiText::LegendaCesta);
  barvy_.push_back(NaQColor(BarvaVPalete(p, BarvaNastupiste)));
  // The signal and the platform take the pen as it stands, as on the station.
  radek(Vzorek(stav, p,
               [](Stav& s) {
                 s.platno->barvaPera(BarvaNastupiste);
                 KresliNastupiste(s, 6, 54, 6);
               }),
        DalsiText::LegendaNastupiste);
  radek(Vzorek(stav, p, [](Stav& s) { BlikniNabidku(s, 30, 12, false); }), DalsiText::LegendaNabidka);
  radek(Vzorek(stav, p,
               [](Stav& s) {
                 RKolej k;
                 k.x1 = 6, k.x2 = 54, k.y1 = k.y2 = 12;
                 KresliKolej(s, k, {}, s.nastaveni.popredi);
                 s.platno->barvaPera(s.nastaveni.popredi);
                 KresliNavestidlo(s, 30, 12, 2);
               }),
        DalsiText::LegendaNavestidlo);
  radek(Vzorek(stav, p, [](Stav& s) { KresliSouseda(s, 30, 12, 2, 3); }), DalsiText::LegendaTrat);
  auto* tlacitka = new QDialogButtonBox(QDialogButtonBox::Close, this);
  tlacitka->button(QDialogButtonBox::Close)->setText(texty.text(DalsiText::Zavrit));
  connect(tlacitka, &QDialogButtonBox::rejected, this, &QDialog::reject);
  mrizka->addWidget(tlacitka, mrizka->rowCount(), 0, 1, 2);
  mrizka->setColumnStretch(1, 1);
  setMinimumWidth(420);
}

}  // namespace stanovar::shell
