// The editor window's menus, tool bar and keys, and the two ways into the editor: the
// command line and the main window's File menu.
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QToolBar>
#include <QUndoStack>
#include <cstdio>

#include "jadro.h"
#include "shell/editor_okno.h"
#include "shell/plocha_editoru.h"

namespace stanovar::shell {

void EditorStanice::vytvorMenu() {
  QMenu* soubor = menuBar()->addMenu(menuSoubor_);
  soubor->addAction(text(DalsiText::Ulozit), QKeySequence::Save, this, [this] { uloz(); });
  soubor->addSeparator();
  soubor->addAction(text(DalsiText::Zavrit), this, [this] { close(); })
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::CTRL | Qt::Key_F4)});

  QMenu* upravy = menuBar()->addMenu(text(DalsiText::MenuUpravy));
  QAction* zpet = upravy->addAction(text(DalsiText::Zpet), zasobnik_, &QUndoStack::undo);
  zpet->setShortcut(QKeySequence::Undo);
  QAction* znovu = upravy->addAction(text(DalsiText::Znovu), zasobnik_, &QUndoStack::redo);
  znovu->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  zpet->setEnabled(false);
  znovu->setEnabled(false);
  connect(zasobnik_, &QUndoStack::canUndoChanged, zpet, &QAction::setEnabled);
  connect(zasobnik_, &QUndoStack::canRedoChanged, znovu, &QAction::setEnabled);
  upravy->addSeparator();
  upravy->addAction(text(DalsiText::Kopirovat), QKeySequence::Copy, this, [this] { kopiruj(); });
  upravy->addAction(text(DalsiText::Vlozit), QKeySequence::Paste, this, [this] { vloz(); });
  upravy->addAction(text(DalsiText::Smazat), QKeySequence::Delete, this, [this] { smaz(); });
  upravy->addAction(text(DalsiText::Zrcadlit), QKeySequence(Qt::CTRL | Qt::Key_M), this, [this] { zrcadli(); });
  upravy->addAction(text(DalsiText::VybratVse), QKeySequence::SelectAll, this, [this] {
    std::set<std::size_t> vse;
    for (std::size_t i = 0; i < st_.dokument.radky.size(); ++i) vse.insert(i);
    vyber(vse);
  });
  // The arrows move the selection a grid step while the picture has the keyboard.
  const struct {
    int klavesa, dx, dy;
  } sipky[] = {{Qt::Key_Left, -gx, 0}, {Qt::Key_Right, gx, 0}, {Qt::Key_Up, 0, -gy}, {Qt::Key_Down, 0, gy}};
  for (const auto& s : sipky) {
    auto* a = new QAction(posuv_);
    a->setShortcut(QKeySequence(s.klavesa));
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    const int dx = s.dx, dy = s.dy;
    connect(a, &QAction::triggered, this, [this, dx, dy] { posunVyber(dx, dy); });
    posuv_->addAction(a);
  }

  QMenu* nastroje = menuBar()->addMenu(text(DalsiText::Nastroje));
  QToolBar* lista = addToolBar(text(DalsiText::Nastroje));
  lista->setObjectName(QStringLiteral("Nastroje"));
  auto* skupina = new QActionGroup(this);
  const struct {
    DalsiText t;
    std::optional<editor::Nastroj> n;
    QKeySequence k;
  } popis[] = {
      {DalsiText::NastrojVyber, std::nullopt, QKeySequence(Qt::Key_Escape)},
      {DalsiText::NastrojKolej, editor::Nastroj::Kolej, QKeySequence(Qt::Key_T)},
      {DalsiText::NastrojSpojka, editor::Nastroj::Spojka, QKeySequence(Qt::Key_C)},
      {DalsiText::NastrojNavestidlo, editor::Nastroj::Navestidlo, QKeySequence(Qt::Key_S)},
      {DalsiText::NastrojNastupiste, editor::Nastroj::Nastupiste, QKeySequence(Qt::Key_P)},
      {DalsiText::NastrojPopisek, editor::Nastroj::Popisek, QKeySequence(Qt::Key_L)},
      {DalsiText::NastrojKonecTrati, editor::Nastroj::KonecTrati, QKeySequence(Qt::Key_E)},
  };
  for (const auto& p : popis) {
    QAction* a = nastroje->addAction(text(p.t));
    a->setShortcut(p.k);
    a->setCheckable(true);
    a->setToolTip(QStringLiteral("%1 (%2)").arg(text(p.t).remove(QLatin1Char('&')), p.k.toString(QKeySequence::NativeText)));
    skupina->addAction(a);
    lista->addAction(a);
    const auto n = p.n;
    connect(a, &QAction::triggered, this, [this, n] { nastroj(n); });
    nastroje_.push_back(a);
  }
  nastroje_.front()->setChecked(true);
  lista->addSeparator();
  lista->addWidget(new QLabel(text(DalsiText::CestyZ) + QLatin1Char(' '), lista));
  trasy_ = new QComboBox(lista);
  trasy_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  lista->addWidget(trasy_);
  connect(trasy_, &QComboBox::activated, this, [this](int i) {
    const QVariant v = trasy_->itemData(i);
    trasyZ_ = v.isValid() ? std::optional<QPoint>(v.toPoint()) : std::nullopt;
    ukazTrasy();
  });

  QMenu* zobrazeni = menuBar()->addMenu(text(DalsiText::MenuZobrazeni));
  zobrazeni->addAction(text(DalsiText::Zvetsit), this, [this] { zvetsi(1); })
      ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  zobrazeni->addAction(text(DalsiText::Zmensit), QKeySequence(Qt::CTRL | Qt::Key_Minus), this, [this] { zvetsi(-1); });
  zobrazeni->addAction(text(DalsiText::SkutecnaVelikost), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                       [this] { nastavZvetseni(100); });
}


int SpustEditor(const QString& slozka) {
  if (slozka.isEmpty()) {
    std::fprintf(stderr, "usage: stanovar --edit FOLDER\n");
    return 2;
  }
  // The language of the start-up folder's settings, else of the station's own.
  QtProstredi prostredi;
  Stav jazyk;
  jazyk.prostredi = &prostredi;
  for (const QString& d : {QDir::currentPath(), slozka}) {
    jazyk.nastaveni = Nastaveni{};
    jazyk.nastaveni.startovniAdresar = QFile::encodeName(QDir(d).absolutePath()).toStdString();
    if (NactiNastaveni(jazyk) && !jazyk.nastaveni.cestaJazyk.empty()) break;
  }
  if (!jazyk.nastaveni.cestaJazyk.empty()) OtevriLng(jazyk);
  DalsiTexty texty;
  texty.nacti(jazyk);
  auto* okno = new EditorStanice(texty, jazyk);
  okno->setAttribute(Qt::WA_DeleteOnClose);
  std::string chyba;
  if (!okno->otevri(slozka, chyba)) {
    QMessageBox::critical(nullptr, texty.text(DalsiText::EditorStanice),
                          texty.text(DalsiText::ChybaOtevreniEditoru) + QString::fromStdString(chyba));
    delete okno;
    return 1;
  }
  okno->show();
  okno->activateWindow();
  return QApplication::exec();
}

void OtevriEditor(QWidget* rodic, const DalsiTexty& texty, const Stav& jazyk, const QString& vychozi) {
  const QString slozka = QFileDialog::getExistingDirectory(rodic, texty.text(DalsiText::SlozkaKUprave), vychozi);
  if (slozka.isEmpty()) return;
  // A window of its own, not the main window's child: closing either leaves the other.
  auto* okno = new EditorStanice(texty, jazyk);
  okno->setAttribute(Qt::WA_DeleteOnClose);
  std::string chyba;
  if (!okno->otevri(slozka, chyba)) {
    QMessageBox::warning(rodic, texty.text(DalsiText::EditorStanice),
                         texty.text(DalsiText::ChybaOtevreniEditoru) + QString::fromStdString(chyba));
    delete okno;
    return;
  }
  okno->show();
}


}  // namespace stanovar::shell
