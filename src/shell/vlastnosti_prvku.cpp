#include "shell/vlastnosti_prvku.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalBlocker>

#include "model/text.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

namespace {

enum class Typ { Text, Cislo, Jmeno, Priznak, Smer };
struct Popis {
  char druh;
  std::size_t pole;
  DalsiText nazev;
  Typ typ;
};
// The fields an author edits, by line kind; the coordinates are the mouse's and the arrows'.
constexpr Popis Popisy[] = {
    {'1', 7, DalsiText::PoleCislo, Typ::Text},     {'1', 6, DalsiText::PoleDelka, Typ::Cislo},
    {'1', 8, DalsiText::PoleRychlost, Typ::Cislo}, {'1', 5, DalsiText::PoleSklon, Typ::Cislo},
    {'1', 9, DalsiText::PoleDoplnek, Typ::Cislo},  {'2', 6, DalsiText::PoleDelka, Typ::Cislo},
    {'2', 7, DalsiText::PoleRychlost, Typ::Cislo}, {'2', 8, DalsiText::PoleZavorky, Typ::Priznak},
    {'2', 9, DalsiText::PoleViditelna, Typ::Priznak}, {'4', 5, DalsiText::PoleText, Typ::Text},
    {'4', 6, DalsiText::PoleVelikost, Typ::Cislo}, {'5', 5, DalsiText::PoleStanice, Typ::Jmeno},
    {'6', 4, DalsiText::PoleSoused, Typ::Jmeno},   {'6', 6, DalsiText::PoleSmer, Typ::Smer},
};

DalsiText NazevDruhu(char druh) {
  switch (druh) {
    case '1': return DalsiText::NastrojKolej;
    case '2': return DalsiText::NastrojSpojka;
    case '3': return DalsiText::NastrojNavestidlo;
    case '4': return DalsiText::NastrojPopisek;
    case '5': return DalsiText::NastrojNastupiste;
    default: return DalsiText::NastrojKonecTrati;
  }
}

QString BezKlavesy(QString t) { return t.remove(QLatin1Char('&')); }

}  // namespace

VlastnostiPrvku::VlastnostiPrvku(const DalsiTexty& texty, QWidget* rodic)
    : QWidget(rodic), texty_(texty) {
  formular_ = new QFormLayout(this);
  nadpis_ = new QLabel(this);
  QFont f = nadpis_->font();
  f.setBold(true);
  nadpis_->setFont(f);
  formular_->addRow(nadpis_);
  poloha_ = new QLabel(this);
  poloha_->setWordWrap(true);
  formular_->addRow(texty_.text(DalsiText::PolePoloha), poloha_);
  formular_->setRowVisible(poloha_, false);
}

QWidget* VlastnostiPrvku::pole(std::size_t cislo) const {
  for (const auto& p : pole_)
    if (p.cislo == cislo) return p.w;
  return nullptr;
}

void VlastnostiPrvku::ukaz(const editor::Dokument& d, const std::set<std::size_t>& vyber) {
  const bool jeden = vyber.size() == 1 && *vyber.begin() < d.radky.size();
  if (!jeden) {
    radek_ = static_cast<std::size_t>(-1);
    druh_ = 0;
    for (const auto& p : pole_) formular_->removeRow(p.w);
    pole_.clear();
    formular_->setRowVisible(poloha_, false);
    nadpis_->setText(vyber.empty() ? texty_.text(DalsiText::NicNevybrano)
                                   : texty_.text(DalsiText::VybranoPrvku).arg(vyber.size()));
    return;
  }
  const std::size_t i = *vyber.begin();
  const editor::RadekSchematu& r = d.radky[i];
  if (i != radek_ || r.druh != druh_) {
    radek_ = i;
    druh_ = r.druh;
    postav(r);
  }
  obnov(r);
}

void VlastnostiPrvku::postav(const editor::RadekSchematu& r) {
  for (const auto& p : pole_) formular_->removeRow(p.w);
  pole_.clear();
  nadpis_->setText(BezKlavesy(texty_.text(NazevDruhu(r.druh))));
  formular_->setRowVisible(poloha_, true);
  for (const Popis& p : Popisy) {
    if (p.druh != r.druh) continue;
    QWidget* w = nullptr;
    const std::size_t cislo = p.pole;
    auto posli = [this, cislo](const std::string& h) { emit zmena(radek_, cislo, h); };
    switch (p.typ) {
      case Typ::Priznak: {
        auto* c = new QCheckBox(this);
        connect(c, &QCheckBox::clicked, this, [posli](bool zap) { posli(zap ? "1" : "0"); });
        w = c;
        break;
      }
      case Typ::Smer: {
        auto* c = new QComboBox(this);
        for (const QString& s : texty_.text(DalsiText::SmeryTrati).split(QRegularExpression(QStringLiteral("\\s{2,}"))))
          c->addItem(s);
        connect(c, &QComboBox::activated, this, [posli](int i) { posli(std::to_string(i + 1)); });
        w = c;
        break;
      }
      default: {
        auto* e = new QLineEdit(this);
        if (p.typ == Typ::Cislo) e->setValidator(new QIntValidator(e));
        if (p.typ == Typ::Jmeno) e->setMaxLength(8);
        if (p.typ == Typ::Text && r.druh == '4') e->setMaxLength(30);
        const Typ typ = p.typ;
        connect(e, &QLineEdit::editingFinished, this, [e, typ, posli] {
          // Names as the reader keeps them: upper case, eight characters at most.
          const std::string t = NaBajty(e->text());
          posli(typ == Typ::Jmeno ? Jmeno8(t) : t);
        });
        w = e;
        break;
      }
    }
    w->setObjectName(QStringLiteral("pole%1").arg(cislo));
    formular_->addRow(texty_.text(p.nazev), w);
    pole_.push_back({cislo, w});
  }
}

void VlastnostiPrvku::obnov(const editor::RadekSchematu& r) {
  const editor::Poloha m = editor::PolohaRadku(r);
  poloha_->setText(!m.plati ? QString()
                   : (m.x1 == m.x2 && m.y1 == m.y2)
                       ? QStringLiteral("%1, %2").arg(m.x1).arg(m.y1)
                       : QStringLiteral("%1, %2 \u2013 %3, %4").arg(m.x1).arg(m.y1).arg(m.x2).arg(m.y2));
  for (const auto& p : pole_) {
    const QSignalBlocker ticho(p.w);
    if (auto* c = qobject_cast<QCheckBox*>(p.w)) c->setChecked(r.pole[p.cislo] == "1");
    else if (auto* c = qobject_cast<QComboBox*>(p.w)) {
      const int v = r.cislo(p.cislo);
      c->setCurrentIndex(v >= 1 && v <= 3 ? v - 1 : -1);
    } else if (auto* e = qobject_cast<QLineEdit*>(p.w)) {
      const QString t = ZBajtu(r.pole[p.cislo]);
      if (e->text() != t) e->setText(t);
    }
  }
}

}  // namespace stanovar::shell
