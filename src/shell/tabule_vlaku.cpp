#include "shell/tabule_vlaku.h"

#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QRegularExpression>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "shell/kodovani.h"

namespace stanovar::shell {

QString TextCekani(double sekundy) {
  if (!(sekundy >= 1)) return {};
  const long long s = static_cast<long long>(std::floor(sekundy));
  if (s < 3600) return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
  return QStringLiteral("%1:%2:%3")
      .arg(s / 3600)
      .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QStringList Sloupce(const QString& t, int n) {
  static const QRegularExpression mezery(QStringLiteral("\\s{2,}"));
  QStringList r = t.trimmed().split(mezery);
  while (r.size() < n) r.append(QString());
  return r;
}

namespace {
// What one row shows, to tell whether it changed on screen.
bool StejnyNaObrazovce(const RadekTabule& a, const RadekTabule& b) {
  return a.stav == b.stav && a.udaj == b.udaj && a.dlouho == b.dlouho && a.odkud == b.odkud &&
         a.kam == b.kam && std::floor(a.ceka) == std::floor(b.ceka) &&
         std::floor(a.celkem) == std::floor(b.celkem);
}
}  // namespace

ModelTabule::ModelTabule(const DalsiTexty& texty, QObject* rodic)
    : QAbstractTableModel(rodic), texty_(texty) {}

int ModelTabule::rowCount(const QModelIndex& rodic) const {
  return rodic.isValid() ? 0 : static_cast<int>(radky_.size());
}

int ModelTabule::columnCount(const QModelIndex& rodic) const {
  return rodic.isValid() ? 0 : PocetSloupcu;
}

QString ModelTabule::stav(const RadekTabule& r) const {
  auto s = [&](DalsiText t) { return texty_.text(t).trimmed(); };
  switch (r.stav) {
    case StavRadku::Jede: return s(DalsiText::StavJede);
    case StavRadku::Brzdi: return s(DalsiText::StavBrzdi);
    case StavRadku::StojiUNavestidla:
      return s(DalsiText::StavUNavestidla) + QLatin1Char(' ') + ZBajtu(r.udaj);
    case StavRadku::Stoji: return s(DalsiText::StavStoji);
    case StavRadku::Nabidnut: return s(DalsiText::StavNabidnut);
    case StavRadku::Prijat: return s(DalsiText::StavPrijat);
    case StavRadku::Obracen: return s(DalsiText::StavObracen) + QLatin1Char(' ') + ZBajtu(r.udaj);
    case StavRadku::NaTrati: return s(DalsiText::StavNaTrati) + QLatin1Char(' ') + ZBajtu(r.udaj);
  }
  return {};
}

QVariant ModelTabule::data(const QModelIndex& i, int role) const {
  if (!i.isValid() || i.row() >= static_cast<int>(radky_.size())) return {};
  const RadekTabule& r = radky_[static_cast<std::size_t>(i.row())];
  switch (role) {
    case Qt::DisplayRole:
      switch (i.column()) {
        case SlVlak: return r.cislo;
        case SlOdkud: return ZBajtu(r.odkud);
        case SlKam: return ZBajtu(r.kam);
        case SlStav: return stav(r);
        case SlCeka: return TextCekani(r.ceka);
        case SlCelkem: return TextCekani(r.celkem);
        default: return {};
      }
    case Qt::ToolTipRole:
      return i.column() == SlStav ? QVariant(stav(r)) : QVariant();
    case Qt::TextAlignmentRole:
      return i.column() == SlVlak || i.column() >= SlCeka
                 ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                 : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      // A train waiting long: the row stands out, in a colour that reads in any palette.
      return r.dlouho ? QVariant(QColor(255, 196, 120)) : QVariant();
    case Qt::ForegroundRole:
      return r.dlouho ? QVariant(QColor(0, 0, 0)) : QVariant();
    default: return {};
  }
}

QVariant ModelTabule::headerData(int sekce, Qt::Orientation o, int role) const {
  if (o != Qt::Horizontal || role != Qt::DisplayRole) return {};
  const QStringList n = Sloupce(texty_.text(DalsiText::SloupceTabule), PocetSloupcu);
  return sekce >= 0 && sekce < PocetSloupcu ? n[sekce] : QString();
}

bool ModelTabule::obnov(Stav& s) {
  SestavTabuli(s, nove_);
  if (doplnek) doplnek(nove_);
  bool stejne = nove_.size() == radky_.size();
  for (std::size_t i = 0; stejne && i < nove_.size(); ++i) stejne = nove_[i].cislo == radky_[i].cislo;
  if (!stejne) {
    beginResetModel();
    radky_.swap(nove_);
    endResetModel();
    return true;
  }
  for (std::size_t i = 0; i < nove_.size(); ++i) {
    const bool stejny = StejnyNaObrazovce(nove_[i], radky_[i]);
    // Mostly only the waiting times move on: then only their cells are painted again.
    const bool jenCasy = !stejny && nove_[i].stav == radky_[i].stav &&
                         nove_[i].udaj == radky_[i].udaj && nove_[i].dlouho == radky_[i].dlouho;
    radky_[i] = nove_[i];
    if (stejny) continue;
    const int r = static_cast<int>(i);
    emit dataChanged(index(r, jenCasy ? SlCeka : 0), index(r, PocetSloupcu - 1));
  }
  return false;
}

void ModelTabule::noveTexty() {
  emit headerDataChanged(Qt::Horizontal, 0, PocetSloupcu - 1);
  if (!radky_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, PocetSloupcu - 1));
}

int ModelTabule::cisloRadku(int radek) const {
  return radek >= 0 && radek < static_cast<int>(radky_.size())
             ? radky_[static_cast<std::size_t>(radek)].cislo
             : 0;
}

int ModelTabule::radekVlaku(int cislo) const {
  for (std::size_t i = 0; i < radky_.size(); ++i)
    if (radky_[i].cislo == cislo) return static_cast<int>(i);
  return -1;
}

TabuleVlaku::TabuleVlaku(const DalsiTexty& texty, QWidget* rodic)
    : QDockWidget(rodic), texty_(texty) {
  setObjectName(QStringLiteral("TabuleVlaku"));
  model_ = new ModelTabule(texty, this);
  pohled_ = new QTableView(this);
  pohled_->setModel(model_);
  pohled_->setSelectionBehavior(QAbstractItemView::SelectRows);
  pohled_->setSelectionMode(QAbstractItemView::SingleSelection);
  pohled_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  pohled_->verticalHeader()->hide();
  pohled_->horizontalHeader()->setHighlightSections(false);
  pohled_->verticalHeader()->setDefaultSectionSize(pohled_->fontMetrics().height() + 4);
  // Fixed widths, wide enough for any value of the column: measuring the contents again at
  // every change of a waiting time would cost each tick far more than the board itself.
  const QFontMetrics fm = pohled_->fontMetrics();
  const int okraj = fm.horizontalAdvance(QLatin1Char('8'));
  const int sirky[] = {fm.horizontalAdvance(QStringLiteral("888888")),
                       fm.horizontalAdvance(QStringLiteral("WWWWWWWW")),
                       fm.horizontalAdvance(QStringLiteral("WWWWWWWW")), 0,
                       fm.horizontalAdvance(QStringLiteral("8:88:88")),
                       fm.horizontalAdvance(QStringLiteral("8:88:88"))};
  pohled_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int i = 0; i < PocetSloupcu; ++i)
    if (sirky[i]) pohled_->setColumnWidth(i, sirky[i] * 9 / 10 + 2 * okraj);
  pohled_->horizontalHeader()->setSectionResizeMode(SlStav, QHeaderView::Stretch);
  pohled_->setWordWrap(false);
  // The keys belong to the dispatcher's commands, as everywhere in the window.
  pohled_->setFocusPolicy(Qt::NoFocus);
  setWidget(pohled_);
  connect(pohled_, &QTableView::clicked, this, &TabuleVlaku::zvolen);
  connect(pohled_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& i) {
            if (!obnovuje_ && i.isValid()) zvolen(i);
          });
  noveTexty();
}

void TabuleVlaku::zvolen(const QModelIndex& i) {
  const int cislo = model_->cisloRadku(i.row());
  if (!cislo) return;
  vybrany_ = cislo;
  emit vybran(cislo);
}

void TabuleVlaku::obnov(Stav& s) {
  obnovuje_ = true;
  if (model_->obnov(s) && vybrany_) {
    const int r = model_->radekVlaku(vybrany_);
    if (r >= 0)
      pohled_->selectionModel()->setCurrentIndex(
          model_->index(r, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else
      vybrany_ = 0;
  }
  obnovuje_ = false;
}

void TabuleVlaku::noveTexty() {
  QString t = texty_.text(DalsiText::TabuleVlaku);
  t.remove(QLatin1Char('&'));
  setWindowTitle(t);
  model_->noveTexty();
  // Room for every column and the longest state whole, without scrolling sideways; and for a
  // few rows when the board stands below the picture.
  const QFontMetrics fm = pohled_->fontMetrics();
  int stav = 0;
  for (DalsiText d : {DalsiText::StavJede, DalsiText::StavBrzdi, DalsiText::StavUNavestidla,
                      DalsiText::StavStoji, DalsiText::StavNabidnut, DalsiText::StavPrijat,
                      DalsiText::StavObracen, DalsiText::StavNaTrati})
    stav = std::max(stav, fm.horizontalAdvance(texty_.text(d).trimmed() + QStringLiteral(" 88:88")));
  int sirka = stav + 2 * fm.horizontalAdvance(QLatin1Char('8'));
  for (int i = 0; i < PocetSloupcu; ++i)
    if (i != SlStav) sirka += pohled_->columnWidth(i);
  pohled_->setMinimumWidth(sirka + pohled_->verticalScrollBar()->sizeHint().width() +
                           2 * pohled_->frameWidth());
  pohled_->setMinimumHeight(pohled_->horizontalHeader()->sizeHint().height() +
                            4 * pohled_->verticalHeader()->defaultSectionSize() +
                            2 * pohled_->frameWidth());
}

}  // namespace stanovar::shell
