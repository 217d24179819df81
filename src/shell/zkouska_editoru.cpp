#include "shell/zkouska_editoru.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>

#include "shell/kodovani.h"
#include "shell/napovedy.h"

namespace stanovar::shell {

// One run: its own copy of the files and its own stop; the worker and the panel share it.
struct PanelZkousky::Beh {
  QTemporaryDir kopie;
  std::atomic<bool> zrusit{false};
  editor::VolbyZkousky volby;
  editor::VysledekZkousky vysledek;
  std::string chyba;
  int verze = 0;
};

PanelZkousky::PanelZkousky(const DalsiTexty& texty, QWidget* rodic) : QWidget(rodic), texty_(texty) {
  hodin_ = new QSpinBox(this);
  hodin_->setRange(1, 48);
  hodin_->setValue(4);
  prubeh_ = new QProgressBar(this);
  prubeh_->setRange(0, 1000);
  prubeh_->setTextVisible(false);
  stav_ = new QLabel(this);
  stav_->setWordWrap(true);
  cisla_ = new QListWidget(this);
  cisla_->setWordWrap(true);
  auto* radek = new QHBoxLayout;
  radek->addWidget(new QLabel(texty_.text(DalsiText::HodinZkousky), this));
  radek->addWidget(hodin_);
  radek->addWidget(prubeh_, 1);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(2, 2, 2, 2);
  l->addLayout(radek);
  l->addWidget(stav_);
  l->addWidget(cisla_, 1);
  connect(cisla_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
    const QVariant r = i->data(Qt::UserRole);
    if (r.isValid() && r.toInt() >= 0) emit vybranRadek(static_cast<std::size_t>(r.toInt()));
  });
}

PanelZkousky::~PanelZkousky() {
  if (bezici_) bezici_->zrusit = true;
  for (QThread* v : vlakna_) {
    v->wait();
    delete v;
  }
}

void PanelZkousky::spust(const StaniceEditoru& st, int verze) {
  // The run going on is of a station that is no more: it stops, and its figures are dropped.
  if (bezici_) bezici_->zrusit = true;
  auto b = std::make_shared<Beh>();
  b->volby.hodin = hodin_->value();
  b->verze = verze;
  if (!b->kopie.isValid() || !ZapisKopii(st, QFile::encodeName(b->kopie.path()).toStdString(), b->chyba)) {
    if (b->chyba.empty()) b->chyba = "no temporary folder";
    stav_->setText(texty_.text(DalsiText::ChybaZkousky) + QString::fromStdString(b->chyba));
    return;
  }
  bezici_ = b;
  prubeh_->setValue(0);
  stav_->setText(texty_.text(DalsiText::ZkouskaBezi).arg(hodin_->value()));
  QPointer<PanelZkousky> ja(this);
  QThread* v = QThread::create([b, ja] {
    const std::string slozka = QFile::encodeName(b->kopie.path()).toStdString();
    b->vysledek = editor::ZkusStanici(slozka, b->volby, [&](double p) {
      // Heard on the worker: the bar moves on the panel's thread.
      QMetaObject::invokeMethod(ja, [ja, b, p] {
        if (ja && ja->bezici_ == b) ja->prubeh_->setValue(static_cast<int>(p * 1000));
      }, Qt::QueuedConnection);
    }, &b->zrusit);
  });
  vlakna_.push_back(v);
  connect(v, &QThread::finished, this, [this, v, b] {
    std::erase(vlakna_, v);
    v->deleteLater();
    dokonceno(b);
  });
  v->start(QThread::LowPriority);
}

void PanelZkousky::dokonceno(std::shared_ptr<Beh> b) {
  if (b != bezici_) return;  // replaced by a newer run
  bezici_.reset();
  if (b->zrusit) return;
  prubeh_->setValue(1000);
  vysledek_ = b->vysledek;
  verzeVysledku_ = b->verze;
  ukaz();
  emit hotovo();
}

void PanelZkousky::verze(int verze) {
  verze_ = verze;
  if (vysledek_) ukaz();
}

void PanelZkousky::pockej() {
  while (bezici_) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
}

void PanelZkousky::ukaz() {
  cisla_->clear();
  const editor::VysledekZkousky& v = *vysledek_;
  const bool aktualni = verzeVysledku_ == verze_;
  if (!v.chyba.empty()) {
    stav_->setText(texty_.text(DalsiText::ChybaZkousky) + QString::fromStdString(v.chyba));
    emit teplo({});
    return;
  }
  stav_->setText(aktualni ? texty_.text(DalsiText::VysledekHodin).arg(v.hodin, 0, 'f', 1).arg(v.stenaSekund, 0, 'f', 2)
                          : texty_.text(DalsiText::ZkouskaZastarala));
  auto pridej = [&](const QString& t, int radek = -1, bool vada = false) {
    auto* i = new QListWidgetItem(t, cisla_);
    if (radek >= 0) i->setData(Qt::UserRole, radek);
    if (vada) i->setForeground(QColor(200, 0, 60));
    if (!aktualni) i->setForeground(Qt::gray);
  };
  pridej(texty_.text(DalsiText::VysledekProjelo).arg(v.projelo).arg(v.spatnymSmerem));
  pridej(texty_.text(DalsiText::VysledekOdmitnuto).arg(v.odmitnuto));
  pridej(texty_.text(DalsiText::VysledekCeka).arg(v.veStanici).arg(v.cekaNaOdpoved));
  pridej(texty_.text(DalsiText::VysledekBody).arg(v.body));
  if (!v.poruseni.empty())
    pridej(texty_.text(DalsiText::VysledekPoruseni).arg(QString::fromStdString(v.poruseni)).arg(v.casPoruseni, 0, 'f', 1), -1, true);
  if (v.poruchVypoctu) pridej(texty_.text(DalsiText::VysledekPoruchy).arg(v.poruchVypoctu), -1, true);
  if (v.poruseni.empty() && !v.poruchVypoctu) pridej(texty_.text(DalsiText::VysledekBezPoruch));
  pridej(texty_.text(DalsiText::NejvytizenejsiPrvky));
  // The picture's lines may have moved since: a stale run points at nothing.
  for (std::size_t i = 0; i < v.prvky.size() && i < 8; ++i) {
    const editor::VytizeniPrvku& p = v.prvky[i];
    // Named as the picture's tooltips name them, in the window's language.
    const QString nazev = p.kolej && !p.cislo.empty() ? Vypln(texty_.text(DalsiText::PopisKolej), 0, ZBajtu(p.cislo))
                          : p.kolej                   ? QString::fromStdString(p.nazev)
                                                      : texty_.text(DalsiText::PopisSpojka);
    pridej(QStringLiteral("  ") + texty_.text(DalsiText::VysledekPrvek)
                                      .arg(nazev)
                                      .arg(p.podil * 100, 0, 'f', 0)
                                      .arg(p.vjezdu),
           aktualni && p.radek > 0 ? p.radek - 1 : -1);
  }
  std::vector<std::pair<std::size_t, double>> podily;
  if (aktualni)
    for (const editor::VytizeniPrvku& p : v.prvky)
      if (p.radek > 0) podily.emplace_back(static_cast<std::size_t>(p.radek - 1), p.podil);
  emit teplo(std::move(podily));
}

bool ZahrajStanici(const StaniceEditoru& st, const QString& program, QWidget* okno, std::string& chyba) {
  auto kopie = std::make_shared<QTemporaryDir>();
  if (!kopie->isValid()) {
    chyba = "no temporary folder";
    return false;
  }
  if (!ZapisKopii(st, QFile::encodeName(kopie->path()).toStdString(), chyba)) return false;
  // In the copy's folder: the program reads stanovar.ini from where it starts.
  auto* p = new QProcess(okno);
  p->setWorkingDirectory(kopie->path());
  p->setProgram(program);
  QPointer<QWidget> zpet(okno);
  QObject::connect(p, &QProcess::finished, p, [p, kopie, zpet] {
    p->deleteLater();
    if (zpet) {
      zpet->showNormal();
      zpet->raise();
      zpet->activateWindow();
    }
  });
  p->start();
  if (!p->waitForStarted(5000)) {
    chyba = p->errorString().toStdString();
    p->deleteLater();
    return false;
  }
  return true;
}

}  // namespace stanovar::shell
