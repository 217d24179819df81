#include "shell/vykaz.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QStackedBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "shell/kodovani.h"
#include "shell/tabule_vlaku.h"
#include "jadro.h"
#include "smena/smena.h"

namespace stanovar::shell {

namespace {

QString BezZnacek(QString t) {
  t.remove(QLatin1Char('&'));
  if (t.endsWith(QStringLiteral("..."))) t.chop(3);
  return t.trimmed();
}

// A simulated time on the chart's time axis: the time of day, on a day of no meaning.
qreal NaOse(double t) {
  static const QDateTime nula(QDate(2000, 1, 3), QTime(0, 0), Qt::UTC);
  return static_cast<qreal>(nula.toMSecsSinceEpoch()) + t * 86400000.0;
}

QString Cas(double t) { return t < 0 ? QString() : QString::fromStdString(TextCasuDne(t)); }

}  // namespace

VykazSmeny::VykazSmeny(Stav& s, const DalsiTexty& texty, QWidget* rodic)
    : QDialog(rodic), s_(s), texty_(texty), ted_(SimCas(s)) {
  setObjectName(QStringLiteral("VykazSmeny"));
  setWindowTitle(BezZnacek(texty.text(DalsiText::VykazSmeny)));
  auto* hlavni = new QVBoxLayout(this);

  // The totals, two columns of label and value.
  const VysledekSkore v = SpocitejSkore(s, ted_);
  const QStringList popisy = Sloupce(texty.text(DalsiText::SouhrnVykazu), 8);
  const QString hodnoty[] = {QString::number(v.body),        QString::number(v.odbaveno),
                             QString::number(v.spatnymSmerem), QString::number(v.odmitnuto),
                             TextCekani(v.naCestu),          TextCekani(v.naOdpoved),
                             TextCekani(v.naTrat),           TextCekani(v.zpozdeni)};
  auto* souhrn = new QGridLayout;
  for (int i = 0; i < 8; ++i) {
    auto* popis = new QLabel(popisy[i], this);
    auto* hodnota = new QLabel(hodnoty[i].isEmpty() ? QStringLiteral("0:00") : hodnoty[i], this);
    hodnota->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (i == 0) {
      QFont f = hodnota->font();
      f.setBold(true);
      f.setPointSizeF(f.pointSizeF() * 1.3);
      hodnota->setFont(f);
      popis->setFont(f);
    }
    souhrn->addWidget(popis, i % 4, i / 4 * 3);
    souhrn->addWidget(hodnota, i % 4, i / 4 * 3 + 1);
    hodnoty_.push_back(hodnota);
  }
  souhrn->setColumnMinimumWidth(2, 40);
  souhrn->setColumnStretch(5, 1);
  hlavni->addLayout(souhrn);

  const Skore& k = s.skore;
  // Trains in the station and trains waiting, as steps: a count holds until the next point.
  {
    const QStringList rady = Sloupce(texty.text(DalsiText::RadyPrubehu), 2);
    auto* veStanici = new QLineSeries;
    auto* cekaji = new QLineSeries;
    veStanici->setName(rady[0]);
    cekaji->setName(rady[1]);
    int nejvic = 1;
    for (std::size_t i = 0; i < k.prubeh.size(); ++i) {
      const BodSmeny& b = k.prubeh[i];
      if (i > 0) {
        veStanici->append(NaOse(b.cas), k.prubeh[i - 1].veStanici);
        cekaji->append(NaOse(b.cas), k.prubeh[i - 1].cekaji);
      }
      veStanici->append(NaOse(b.cas), b.veStanici);
      cekaji->append(NaOse(b.cas), b.cekaji);
      nejvic = std::max({nejvic, b.veStanici, b.cekaji});
    }
    if (!k.prubeh.empty()) {
      veStanici->append(NaOse(ted_), k.prubeh.back().veStanici);
      cekaji->append(NaOse(ted_), k.prubeh.back().cekaji);
    }
    // The trains waiting in vermilion and dashed, those in the station in dark blue.
    veStanici->setPen(QPen(QColor(0, 70, 140), 2));
    cekaji->setPen(QPen(QColor(213, 94, 0), 2, Qt::DashLine));
    auto* graf = new QChart;
    graf->setTitle(texty.text(DalsiText::GrafPrubeh));
    graf->addSeries(veStanici);
    graf->addSeries(cekaji);
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("H:mm"));
    x->setTickCount(7);
    if (!k.prubeh.empty()) x->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(NaOse(k.zacatek)), Qt::UTC),
                                       QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(NaOse(std::max(ted_, k.zacatek + 1.0 / 1440))), Qt::UTC));
    auto* y = new QValueAxis;
    y->setRange(0, nejvic + 1);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickInterval(std::max(1, (nejvic + 1) / 6));
    graf->addAxis(x, Qt::AlignBottom);
    graf->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* r : {veStanici, cekaji}) {
      r->attachAxis(x);
      r->attachAxis(y);
    }
    graf->legend()->setAlignment(Qt::AlignBottom);
    prubeh_ = new QChartView(graf, this);
    prubeh_->setRenderHint(QPainter::Antialiasing);
    prubeh_->setMinimumSize(460, 300);
  }

  // Each train's waiting, its three parts stacked; the longest waits when there are many.
  {
    std::vector<std::pair<double, std::size_t>> poradi;
    for (std::size_t i = 0; i < k.vlaky.size(); ++i) {
      double a, b, c;
      CekaniRunu(k.vlaky[i], ted_, a, b, c);
      if (a + b + c > 0) poradi.push_back({a + b + c, i});
    }
    std::stable_sort(poradi.begin(), poradi.end(),
                     [](const auto& x, const auto& y) { return x.first > y.first; });
    if (poradi.size() > NejvicVlakuVGrafu) poradi.resize(NejvicVlakuVGrafu);
    const QStringList casti = Sloupce(texty.text(DalsiText::CastiCekani), 3);
    QBarSet* sady[3];
    for (int i = 0; i < 3; ++i) sady[i] = new QBarSet(casti[i]);
    // Apart in hue and in lightness alike, so that they read in greyscale too.
    const QColor barvy[] = {QColor(213, 94, 0), QColor(0, 70, 140), QColor(240, 210, 40)};
    for (int i = 0; i < 3; ++i) {
      sady[i]->setColor(barvy[i]);
      sady[i]->setBorderColor(Qt::black);
    }
    QStringList vlaky;
    double nejvic = 1;
    for (const auto& [celkem, i] : poradi) {
      double a, b, c;
      CekaniRunu(k.vlaky[i], ted_, a, b, c);
      *sady[0] << c / 60;
      *sady[1] << a / 60;
      *sady[2] << b / 60;
      // A number may come twice in a shift; a category must be unique.
      QString n = QString::number(k.vlaky[i].cislo);
      while (vlaky.contains(n)) n += QLatin1Char(' ');
      vlaky << n;
      nejvic = std::max(nejvic, celkem / 60);
    }
    auto* rada = new QStackedBarSeries;
    for (QBarSet* sada : sady) rada->append(sada);
    auto* graf = new QChart;
    graf->setTitle(texty.text(DalsiText::GrafCekani));
    graf->addSeries(rada);
    auto* x = new QBarCategoryAxis;
    x->append(vlaky);
    // Upright, each number has the bar's length to show whole in; across, only its width.
    if (vlaky.size() > 5) x->setLabelsAngle(-90);
    x->setTruncateLabels(false);
    auto* y = new QValueAxis;
    y->setRange(0, std::ceil(nejvic * 1.05));
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%.0f"));
    graf->addAxis(x, Qt::AlignBottom);
    graf->addAxis(y, Qt::AlignLeft);
    rada->attachAxis(x);
    rada->attachAxis(y);
    graf->legend()->setAlignment(Qt::AlignBottom);
    cekani_ = new QChartView(graf, this);
    cekani_->setRenderHint(QPainter::Antialiasing);
    cekani_->setMinimumSize(460, 300);
  }
  auto* grafy = new QHBoxLayout;
  grafy->addWidget(prubeh_);
  grafy->addWidget(cekani_);
  hlavni->addLayout(grafy, 3);

  // Every run of the shift.
  const QStringList sloupce = Sloupce(texty.text(DalsiText::SloupceVykazu), 10);
  tabulka_ = new QTableWidget(static_cast<int>(k.vlaky.size()), 10, this);
  tabulka_->setHorizontalHeaderLabels(sloupce.mid(0, 10));
  tabulka_->verticalHeader()->hide();
  tabulka_->verticalHeader()->setDefaultSectionSize(tabulka_->fontMetrics().height() + 6);
  tabulka_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabulka_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  for (int r = 0; r < static_cast<int>(k.vlaky.size()); ++r) {
    const SkoreVlaku& vl = k.vlaky[static_cast<std::size_t>(r)];
    double a, b, c;
    CekaniRunu(vl, ted_, a, b, c);
    const QString bunky[] = {QString::number(vl.cislo), ZBajtu(vl.odkud), ZBajtu(vl.kam),
                             Cas(vl.nabidnut), Cas(vl.vjel), Cas(vl.odjel), TextCekani(a),
                             TextCekani(b), TextCekani(c),
                             vl.odmitnut ? QStringLiteral("\u2716") : QString()};
    for (int i = 0; i < 10; ++i) {
      auto* p = new QTableWidgetItem(bunky[i]);
      if (i == 0 || i >= 3) p->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      tabulka_->setItem(r, i, p);
    }
  }
  hlavni->addWidget(tabulka_, 2);

  auto* tlacitka = new QDialogButtonBox(this);
  QPushButton* csv = tlacitka->addButton(texty.text(DalsiText::UlozitCsv), QDialogButtonBox::ActionRole);
  csv->setObjectName(QStringLiteral("UlozitCsv"));
  QPushButton* zavrit = tlacitka->addButton(texty.text(DalsiText::Zavrit), QDialogButtonBox::RejectRole);
  connect(csv, &QPushButton::clicked, this, &VykazSmeny::ulozit);
  connect(zavrit, &QPushButton::clicked, this, &QDialog::reject);
  hlavni->addWidget(tlacitka);
  resize(1000, 760);
}

bool VykazSmeny::ulozCsv(const QString& soubor) {
  const std::string csv = CsvSmeny(s_, ted_);
  QFile f(soubor);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      f.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
      !f.flush()) {
    QMessageBox::warning(this, windowTitle(),
                         texty_.text(DalsiText::NelzeUlozit).trimmed() + QLatin1Char(' ') + soubor);
    return false;
  }
  return true;
}

void VykazSmeny::ulozit() {
  const QString soubor = QFileDialog::getSaveFileName(
      this, BezZnacek(texty_.text(DalsiText::UlozitCsv)), QStringLiteral("smena.csv"),
      QStringLiteral("CSV (*.csv)"));
  if (!soubor.isEmpty()) ulozCsv(soubor);
}

}  // namespace stanovar::shell
