#include "shell/tabulky_editoru.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "model/text.h"
#include "shell/kodovani.h"

namespace stanovar::shell {

namespace {

const QColor BarvaVady(255, 205, 205);
const QColor BarvaNalezu(255, 235, 190);

// The columns whose text is a number: they sort by value.
bool Cislo(editor::DruhSeznamu d, std::size_t slot) {
  if (slot == 0) return false;
  return d == editor::DruhSeznamu::Grafikon ? !(slot == 2 || slot == 3 || slot == 7) : slot != 1;
}

// Shows on the editor being typed in what the reader would make of its text.
void Posud(QWidget* e, editor::DruhSeznamu d, std::size_t slot, const QString& t, const EditorBunky* b) {
  const std::string bajty = NaBajty(t);
  editor::Posudek p = slot ? editor::PosudPole(d, slot, bajty) : editor::Posudek{};
  // The characters that structure the file cannot stand in a field: they are left out.
  const bool grafikon = d == editor::DruhSeznamu::Grafikon;
  if (bajty.find_first_of(grafikon ? "*#%\r\n" : "*#\r\n") != std::string::npos) {
    p.vada = true;
    p.zprava = (p.zprava.empty() ? std::string() : p.zprava + "; ") +
               (grafikon ? "\"*\", \"#\" and \"%\"" : "\"*\" and \"#\"") +
               " cannot stand in a field: they are left out";
  }
  e->setStyleSheet(p.vada ? QStringLiteral("background: rgb(255, 205, 205);") : QString());
  e->setToolTip(QString::fromStdString(p.zprava));
  emit b->posudek(QString::fromStdString(p.zprava));
}

}  // namespace

ModelSeznamu::ModelSeznamu(const DalsiTexty& texty, editor::DruhSeznamu druh, QObject* rodic)
    : QAbstractTableModel(rodic), druh_(druh) {
  sloupce_ = texty.text(druh == editor::DruhSeznamu::Grafikon ? DalsiText::SloupceGrafikonu : DalsiText::SloupceLokomotiv)
                 .split(QRegularExpression(QStringLiteral("\\s{2,}")));
  while (sloupce_.size() < 11) sloupce_ << QString();
}

void ModelSeznamu::nastav(StaniceEditoru* st) {
  beginResetModel();
  st_ = st;
  radku_ = rowCount();
  nalezy_.clear();
  endResetModel();
}

void ModelSeznamu::obnov() {
  // The same rows (an edit of the layout or of a cell): the view keeps its place and its
  // selection; rows added or removed: the view is told anew.
  if (rowCount() == radku_) {
    if (radku_ > 0) emit dataChanged(index(0, 0), index(radku_ - 1, columnCount() - 1));
    return;
  }
  beginResetModel();
  radku_ = rowCount();
  endResetModel();
}

void ModelSeznamu::nastavNalezy(std::map<int, QString> nalezy) {
  nalezy_ = std::move(nalezy);
  if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

const editor::Seznam* ModelSeznamu::seznam() const { return st_ ? &st_->seznam(druh_) : nullptr; }

int ModelSeznamu::rowCount(const QModelIndex& rodic) const {
  return rodic.isValid() || !seznam() ? 0 : static_cast<int>(seznam()->zaznamy.size());
}

QVariant ModelSeznamu::data(const QModelIndex& i, int role) const {
  const editor::Seznam* s = seznam();
  if (!s || !i.isValid() || static_cast<std::size_t>(i.row()) >= s->zaznamy.size()) return {};
  const editor::Zaznam& z = s->zaznamy[static_cast<std::size_t>(i.row())];
  const std::size_t slot = Slot(i.column());
  const std::string& text = slot ? z.pole[slot] : z.poznamka;
  const editor::Posudek p = slot ? editor::PosudPole(druh_, slot, text) : editor::Posudek{};
  const auto nalez = nalezy_.find(i.row());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return ZBajtu(text);
    case Qt::BackgroundRole:
      if (p.vada) return BarvaVady;
      if (nalez != nalezy_.end()) return BarvaNalezu;
      return {};
    case Qt::ToolTipRole: {
      QString t = QString::fromStdString(p.zprava);
      if (nalez != nalezy_.end()) t += (t.isEmpty() ? QString() : QStringLiteral("\n")) + nalez->second;
      return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case Qt::TextAlignmentRole:
      return Cislo(druh_, slot) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default: return {};
  }
}

QVariant ModelSeznamu::headerData(int sekce, Qt::Orientation o, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (o == Qt::Vertical) return sekce + 1;
  return sekce >= 0 && sekce < sloupce_.size() ? sloupce_[sekce] : QVariant();
}

Qt::ItemFlags ModelSeznamu::flags(const QModelIndex& i) const {
  return QAbstractTableModel::flags(i) | Qt::ItemIsEditable;
}

bool ModelSeznamu::setData(const QModelIndex& i, const QVariant& v, int role) {
  const editor::Seznam* s = seznam();
  if (!s || role != Qt::EditRole || !i.isValid()) return false;
  editor::Krok k = editor::ZmenPoleZaznamu(*s, static_cast<std::size_t>(i.row()), Slot(i.column()), NaBajty(v.toString()));
  if (k.prazdny()) return false;
  emit zmena(std::move(k), i.row());
  return true;
}

QWidget* EditorBunky::createEditor(QWidget* rodic, const QStyleOptionViewItem&, const QModelIndex& i) const {
  const std::size_t slot = ModelSeznamu::Slot(i.column());
  const QStringList volby = volby_(slot);
  QLineEdit* radek = nullptr;
  QWidget* e = nullptr;
  if (!volby.isEmpty()) {
    auto* c = new QComboBox(rodic);
    c->setEditable(true);
    c->addItems(volby);
    c->setInsertPolicy(QComboBox::NoInsert);
    radek = c->lineEdit();
    e = c;
  } else {
    radek = new QLineEdit(rodic);
    e = radek;
  }
  connect(radek, &QLineEdit::textEdited, e, [this, e, slot](const QString& t) { Posud(e, druh_, slot, t, this); });
  return e;
}

void EditorBunky::setEditorData(QWidget* e, const QModelIndex& i) const {
  const QString t = i.data(Qt::EditRole).toString();
  if (auto* c = qobject_cast<QComboBox*>(e)) c->setEditText(t);
  else if (auto* l = qobject_cast<QLineEdit*>(e)) l->setText(t);
  Posud(e, druh_, ModelSeznamu::Slot(i.column()), t, this);
}

void EditorBunky::setModelData(QWidget* e, QAbstractItemModel* m, const QModelIndex& i) const {
  // What the author typed is kept as typed: the table flags it, the reader would cut it.
  if (auto* c = qobject_cast<QComboBox*>(e)) m->setData(i, c->currentText(), Qt::EditRole);
  else if (auto* l = qobject_cast<QLineEdit*>(e)) m->setData(i, l->text(), Qt::EditRole);
  emit posudek(QString());
}

TabulkaSeznamu::TabulkaSeznamu(const DalsiTexty& texty, editor::DruhSeznamu druh, QWidget* rodic)
    : QWidget(rodic), texty_(texty) {
  model_ = new ModelSeznamu(texty, druh, this);
  pohled_ = new QTableView(this);
  pohled_->setModel(model_);
  pohled_->setSelectionBehavior(QAbstractItemView::SelectRows);
  pohled_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
  pohled_->verticalHeader()->setDefaultSectionSize(pohled_->fontMetrics().height() + 6);
  auto volby = [this, druh](std::size_t slot) {
    QStringList v;
    if (!st_ || druh != editor::DruhSeznamu::Grafikon) return v;
    if (slot == 2 || slot == 3) {
      // The neighbours the layout's line ends name, each once.
      for (const editor::RadekSchematu& r : st_->dokument.radky)
        if (r.druh == '6') {
          const QString n = ZBajtu(Jmeno8(r.pole[4]));
          if (!n.isEmpty() && !v.contains(n)) v << n;
        }
    } else if (slot == 7) {
      for (const editor::Zaznam& z : st_->lokomotivy.zaznamy) {
        const QString n = ZBajtu(z.pole[1]);
        if (!n.isEmpty() && !v.contains(n)) v << n;
      }
    }
    return v;
  };
  auto* bunky = new EditorBunky(druh, volby, this);
  pohled_->setItemDelegate(bunky);
  connect(model_, &ModelSeznamu::zmena, this, &TabulkaSeznamu::zmena);

  posudek_ = new QLabel(this);
  posudek_->setStyleSheet(QStringLiteral("color: rgb(190, 0, 40);"));
  connect(bunky, &EditorBunky::posudek, posudek_, &QLabel::setText);
  auto* tlacitka = new QHBoxLayout;
  const struct {
    DalsiText t;
    void (TabulkaSeznamu::*f)();
  } akce[] = {{DalsiText::PridatZaznam, &TabulkaSeznamu::pridej},
              {DalsiText::ZdvojitZaznam, &TabulkaSeznamu::zdvoj},
              {DalsiText::SmazatZaznam, &TabulkaSeznamu::smaz},
              {DalsiText::SeraditZaznamy, &TabulkaSeznamu::serad}};
  for (const auto& a : akce) {
    auto* b = new QPushButton(texty_.text(a.t), this);
    b->setObjectName(texty_.text(a.t));
    b->setAutoDefault(false);
    const auto f = a.f;
    connect(b, &QPushButton::clicked, this, [this, f] { (this->*f)(); });
    tlacitka->addWidget(b);
  }
  tlacitka->addWidget(posudek_, 1);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(2, 2, 2, 2);
  l->addLayout(tlacitka);
  l->addWidget(pohled_);
}

void TabulkaSeznamu::nastav(StaniceEditoru* st) {
  st_ = st;
  model_->nastav(st);
  pohled_->resizeColumnsToContents();
}

void TabulkaSeznamu::obnov() {
  const QModelIndex i = pohled_->currentIndex();
  const std::set<std::size_t> vybrane = vybraneRadky();
  model_->obnov();
  for (std::size_t r : vybrane)
    if (static_cast<int>(r) < model_->rowCount())
      pohled_->selectionModel()->select(model_->index(static_cast<int>(r), 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  if (i.isValid() && i.row() < model_->rowCount())
    pohled_->selectionModel()->setCurrentIndex(model_->index(i.row(), i.column()), QItemSelectionModel::NoUpdate);
}

void TabulkaSeznamu::ukaz(int radek) {
  if (radek < 0 || radek >= model_->rowCount()) return;
  pohled_->selectRow(radek);
  pohled_->scrollTo(model_->index(radek, 0));
}

std::set<std::size_t> TabulkaSeznamu::vybraneRadky() const {
  std::set<std::size_t> r;
  for (const QModelIndex& i : pohled_->selectionModel()->selectedIndexes()) r.insert(static_cast<std::size_t>(i.row()));
  return r;
}

void TabulkaSeznamu::pridej() {
  const editor::Seznam* s = model_->seznam();
  if (!s) return;
  // A new train is a copy of the chosen one with a number of its own; a new locomotive
  // starts with a name only, the reader's defaults for the rest.
  const std::set<std::size_t> r = vybraneRadky();
  if (s->druh == editor::DruhSeznamu::Grafikon && !r.empty()) {
    zdvoj();
    return;
  }
  const std::size_t kde = r.empty() ? s->zaznamy.size() : *r.rbegin() + 1;
  editor::Zaznam z = editor::NovyZaznam(s->druh == editor::DruhSeznamu::Grafikon ? std::vector<std::string>{"1"}
                                                                                 : std::vector<std::string>{"NOVA", "100"});
  emit zmena(editor::PridejZaznamy(*s, kde, {z}, "Add"), static_cast<int>(kde));
}

void TabulkaSeznamu::zdvoj() {
  const editor::Seznam* s = model_->seznam();
  const std::set<std::size_t> r = vybraneRadky();
  if (!s || r.empty()) return;
  std::set<std::size_t> nove;
  editor::Krok k = editor::ZdvojZaznamy(*s, r, &nove);
  emit zmena(std::move(k), nove.empty() ? -1 : static_cast<int>(*nove.begin()));
}

void TabulkaSeznamu::smaz() {
  const editor::Seznam* s = model_->seznam();
  const std::set<std::size_t> r = vybraneRadky();
  if (!s || r.empty()) return;
  emit zmena(editor::SmazZaznamy(*s, r), -1);
}

void TabulkaSeznamu::serad() {
  const editor::Seznam* s = model_->seznam();
  if (!s) return;
  const int sloupec = std::max(0, pohled_->currentIndex().column());
  const std::size_t slot = ModelSeznamu::Slot(sloupec);
  const bool cislo = Cislo(s->druh, slot);
  std::vector<std::size_t> poradi(s->zaznamy.size());
  for (std::size_t i = 0; i < poradi.size(); ++i) poradi[i] = i;
  auto text = [&](std::size_t i) { return slot ? s->zaznamy[i].pole[slot] : s->zaznamy[i].poznamka; };
  std::stable_sort(poradi.begin(), poradi.end(), [&](std::size_t a, std::size_t b) {
    if (cislo) return PrevedReal(text(a), 0) < PrevedReal(text(b), 0);
    return text(a) < text(b);
  });
  emit zmena(editor::SeradZaznamy(*s, poradi), -1);
}

}  // namespace stanovar::shell
