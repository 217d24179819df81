// The editor window's tables of the timetable and the locomotives, its try-it panel and its
// Station menu: a station's trains edited beside its layout, and the station tried or played
// as it stands.
#include <QCoreApplication>
#include <QDockWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableView>
#include <QUndoStack>

#include "model/text.h"
#include "shell/editor_okno.h"
#include "shell/plocha_editoru.h"
#include "shell/tabulky_editoru.h"
#include "shell/zkouska_editoru.h"

namespace stanovar::shell {

void EditorStanice::vytvorSeznamy() {
  auto* dok = new QDockWidget(text(DalsiText::Grafikon), this);
  dok->setObjectName(QStringLiteral("Seznamy"));
  seznamy_ = new QTabWidget(dok);
  grafikon_ = new TabulkaSeznamu(texty_, editor::DruhSeznamu::Grafikon, seznamy_);
  lokomotivy_ = new TabulkaSeznamu(texty_, editor::DruhSeznamu::Lokomotivy, seznamy_);
  seznamy_->addTab(grafikon_, text(DalsiText::Grafikon));
  seznamy_->addTab(lokomotivy_, text(DalsiText::Lokomotivy));
  dok->setWidget(seznamy_);
  dok->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::BottomDockWidgetArea, dok);
  if (auto* problemy = findChild<QDockWidget*>(QStringLiteral("Problemy"))) {
    splitDockWidget(problemy, dok, Qt::Horizontal);
    // The tables get the wider part: a train's row has eleven columns.
    resizeDocks({problemy, dok}, {2, 3}, Qt::Horizontal);
  }
  connect(seznamy_, &QTabWidget::currentChanged, dok,
          [this, dok](int i) { dok->setWindowTitle(seznamy_->tabText(i)); });
  for (TabulkaSeznamu* t : {grafikon_, lokomotivy_}) {
    // A record's edit keeps the picture's selection; the table shows the row it made.
    connect(t, &TabulkaSeznamu::zmena, this, [this, t](editor::Krok k, int radek) {
      proved(std::move(k), vyber_);
      if (radek >= 0) t->ukaz(radek);
    });
  }

  auto* dokZkousky = new QDockWidget(text(DalsiText::Zkouska), this);
  dokZkousky->setObjectName(QStringLiteral("Zkouska"));
  zkouska_ = new PanelZkousky(texty_, dokZkousky);
  dokZkousky->setWidget(zkouska_);
  dokZkousky->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  addDockWidget(Qt::RightDockWidgetArea, dokZkousky);
  connect(zkouska_, &PanelZkousky::teplo, plocha_, &PlochaEditoru::nastavTeplo);
  connect(zkouska_, &PanelZkousky::vybranRadek, this, [this](std::size_t radek) {
    if (radek >= st_.dokument.radky.size()) return;
    vyber({radek});
    editor::Bod b;
    if (editor::StredRadku(st_.dokument.radky[radek], b)) {
      const QPointF p = plocha_->naPlochu(b.x, b.y);
      posuv_->ensureVisible(static_cast<int>(p.x()), static_cast<int>(p.y()), 80, 80);
    }
  });

  QMenu* stanice = menuBar()->addMenu(text(DalsiText::MenuStanice));
  stanice->addAction(text(DalsiText::Vyzkouset), QKeySequence(Qt::Key_F9), this, [this] { vyzkousej(); });
  stanice->addAction(text(DalsiText::Zahrat), QKeySequence(Qt::CTRL | Qt::Key_F9), this, [this] { zahraj(); });
}

void EditorStanice::obnovSeznamy() {
  if (!grafikon_) return;
  if (grafikon_->model()->seznam() != &st_.grafikon) {
    grafikon_->nastav(&st_);
    lokomotivy_->nastav(&st_);
  } else {
    grafikon_->obnov();
    lokomotivy_->obnov();
  }
  std::map<int, QString> vGrafikonu, vLokomotivach;
  const std::string gvd = JmenoSouboru(st_.cestaGrafikonu), lok = JmenoSouboru(st_.cestaLokomotiv);
  for (const Nalez& n : kontrola_.nalezy) {
    if (n.zaznam < 0) continue;
    auto& kam = n.soubor == gvd ? vGrafikonu : vLokomotivach;
    if (n.soubor != gvd && n.soubor != lok) continue;
    QString& t = kam[n.zaznam];
    t += (t.isEmpty() ? QString() : QStringLiteral("\n")) + QString::fromStdString(n.zprava);
  }
  grafikon_->nastavNalezy(std::move(vGrafikonu));
  lokomotivy_->nastavNalezy(std::move(vLokomotivach));
  zkouska_->verze(++verze_);
}

void EditorStanice::ukazZaznam(int soubor, int zaznam) {
  TabulkaSeznamu* t = soubor == 1 ? grafikon_ : lokomotivy_;
  seznamy_->setCurrentWidget(t);
  t->ukaz(zaznam);
}

void EditorStanice::vyzkousej() { zkouska_->spust(st_, verze_); }

void EditorStanice::zahraj() {
  std::string chyba;
  if (!ZahrajStanici(st_, program_.isEmpty() ? QCoreApplication::applicationFilePath() : program_, this, chyba))
    QMessageBox::warning(this, text(DalsiText::EditorStanice), text(DalsiText::ChybaHrani) + QString::fromStdString(chyba));
}

}  // namespace stanovar::shell
