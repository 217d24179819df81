#include "shell/editor_okno.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

#include "jadro.h"
#include "model/text.h"
#include "shell/kodovani.h"
#include "shell/plocha_editoru.h"
#include "shell/pohled_stanice.h"
#include "shell/vlastnosti_prvku.h"
#include "shell/vzhled.h"

namespace stanovar::shell {

namespace {

const QString KlicZvetseniEditoru = QStringLiteral("editor/zvetseni");
// Schema lines on the clipboard, as the file holds them.
const QString MimeSchematu = QStringLiteral("application/x-stanovar-schema");

// The picture holds the station with room to draw beyond it, at least the main window's.
constexpr int MinSirka = 792, MinVyska = 480;
constexpr int MaxSirka = 2400, MaxVyska = 1440;
// The zoomed image stays within this many pixels, whatever the station's size.
constexpr double MaxPixelu = 16e6;

QSize VelikostObrazu(const editor::Dokument& d) {
  int w = MinSirka, h = MinVyska;
  for (const editor::RadekSchematu& r : d.radky) {
    const editor::Poloha p = editor::PolohaRadku(r);
    if (!p.plati) continue;
    w = std::max({w, std::min(p.x1, MaxSirka) + 10 * gx, std::min(p.x2, MaxSirka) + 10 * gx});
    h = std::max({h, std::min(p.y1, MaxVyska) + 4 * gy, std::min(p.y2, MaxVyska) + 4 * gy});
  }
  return {std::min((w + 59) / 60 * 60, MaxSirka), std::min((h + 47) / 48 * 48, MaxVyska)};
}

// One edit on the undo stack: the first redo makes it through the layer's history, the
// later ones redo it there, and undo takes it back there; the selection goes with it.
class PrikazUpravy : public QUndoCommand {
 public:
  PrikazUpravy(EditorStanice& okno, editor::Krok k, std::set<std::size_t> pred, std::set<std::size_t> po)
      : QUndoCommand(QString::fromStdString(k.popis)), okno_(okno), krok_(std::move(k)),
        pred_(std::move(pred)), po_(std::move(po)) {}
  void redo() override {
    StaniceEditoru& st = okno_.stanice();
    if (krok_) {
      st.historie.proved(st.soubory(), std::move(*krok_));
      krok_.reset();
    } else {
      st.historie.znovu(st.soubory());
    }
    okno_.poZmene(po_);
  }
  void undo() override {
    StaniceEditoru& st = okno_.stanice();
    st.historie.zpet(st.soubory());
    okno_.poZmene(pred_);
  }

 private:
  EditorStanice& okno_;
  std::optional<editor::Krok> krok_;
  std::set<std::size_t> pred_, po_;
};

}  // namespace

EditorStanice::EditorStanice(const DalsiTexty& texty, const Stav& jazyk, QWidget* rodic)
    : QMainWindow(rodic), texty_(texty), menuSoubor_(ZBajtu(jazyk.Text(1))),
      storno_(ZBajtu(jazyk.Text(17))), prostredi_(this) {
  stav_.prostredi = &prostredi_;
  if (QScreen* o = QGuiApplication::primaryScreen()) pomer_ = std::max(1.0, o->devicePixelRatio());
  zasobnik_ = new QUndoStack(this);
  connect(zasobnik_, &QUndoStack::cleanChanged, this, [this] { titulek(); });

  posuv_ = new QScrollArea(this);
  posuv_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  posuv_->viewport()->installEventFilter(this);
  plocha_ = new PlochaEditoru(posuv_);
  posuv_->setWidget(plocha_);
  setCentralWidget(posuv_);
  connect(plocha_, &PlochaEditoru::nakresleno, this, &EditorStanice::nakresleno);
  connect(plocha_, &PlochaEditoru::vybrano, this,
          [this](const std::set<std::size_t>& r, bool pridat) { vyber(r, pridat); });
  connect(plocha_, &PlochaEditoru::posunuto, this, &EditorStanice::posunVyber);

  auto* dokVlastnosti = new QDockWidget(text(DalsiText::Vlastnosti), this);
  dokVlastnosti->setObjectName(QStringLiteral("Vlastnosti"));
  vlastnosti_ = new VlastnostiPrvku(texty_, dokVlastnosti);
  dokVlastnosti->setWidget(vlastnosti_);
  addDockWidget(Qt::RightDockWidgetArea, dokVlastnosti);
  connect(vlastnosti_, &VlastnostiPrvku::zmena, this,
          [this](std::size_t radek, std::size_t pole, const std::string& h) {
            proved(editor::ZmenPole(st_.dokument, radek, pole, h), {radek});
          });

  auto* dokProblemy = new QDockWidget(text(DalsiText::Problemy), this);
  dokProblemy->setObjectName(QStringLiteral("Problemy"));
  problemy_ = new QListWidget(dokProblemy);
  dokProblemy->setWidget(problemy_);
  addDockWidget(Qt::BottomDockWidgetArea, dokProblemy);
  // Both panels stay: the menus have no command to bring a closed one back.
  for (QDockWidget* d : {dokVlastnosti, dokProblemy})
    d->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  // A message chosen selects its element and brings it into view.
  connect(problemy_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) {
    if (i->data(Qt::UserRole + 1).isValid()) {
      ukazZaznam(i->data(Qt::UserRole + 1).toInt(), i->data(Qt::UserRole + 2).toInt());
      return;
    }
    const int radek = i->data(Qt::UserRole).toInt();
    if (radek < 0 || static_cast<std::size_t>(radek) >= st_.dokument.radky.size()) return;
    vyber({static_cast<std::size_t>(radek)});
    editor::Bod b;
    if (editor::StredRadku(st_.dokument.radky[static_cast<std::size_t>(radek)], b)) {
      const QPointF p = plocha_->naPlochu(b.x, b.y);
      posuv_->ensureVisible(static_cast<int>(p.x()), static_cast<int>(p.y()), 80, 80);
    }
  });

  // The picture keeps its room whatever the panel shows; the list takes a few lines.
  vlastnosti_->setMinimumWidth(280);
  resizeDocks({dokProblemy}, {200}, Qt::Vertical);
  kurzor_ = new QLabel(this);
  souhrn_ = new QLabel(this);
  statusBar()->addWidget(kurzor_);
  statusBar()->addPermanentWidget(souhrn_);
  connect(plocha_, &PlochaEditoru::kurzor, this,
          [this](QPoint b) { kurzor_->setText(QStringLiteral("%1, %2").arg(b.x()).arg(b.y())); });
  vytvorMenu();
  vytvorSeznamy();
}

EditorStanice::~EditorStanice() {
  // The stack outlives the window's members: it must not call back while it goes.
  disconnect(zasobnik_, nullptr, this, nullptr);
}

bool EditorStanice::otevri(const QString& slozka, std::string& chyba) {
  if (!OtevriProEditor(QFile::encodeName(slozka).toStdString(), st_, chyba)) return false;
  // The station's own colours and line width, as the program shows it.
  stav_.nastaveni.startovniAdresar = st_.slozka;
  NactiNastaveni(stav_);
  if (prostredi_.dpi() == 96) stav_.nastaveni.velikostTextu = 9;
  zasobnik_->clear();
  vyber_.clear();
  const QSize v = VelikostObrazu(st_.dokument);
  const QSettings predvolby = Predvolby();
  if (predvolby.contains(KlicZvetseniEditoru)) {
    zvetseni_ = predvolby.value(KlicZvetseniEditoru).toInt();
  } else {
    // Until the author chooses, the largest zoom at which the picture fits the screen beside
    // the panels.
    const QSize d = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableSize()
                                                     : QSize(1024, 768);
    zvetseni_ = 100;
    // Levels below 100 % are for choosing by hand: a picture to be drawn on starts whole-sized.
    for (int z : PohledStanice::Zvetseni)
      if (z > 100 && v.width() * z / 100 + 360 <= d.width() && v.height() * z / 100 + 300 <= d.height()) zvetseni_ = z;
  }
  poZmene({});
  titulek();
  if (QScreen* o = QGuiApplication::primaryScreen())
    resize(QSize(plocha_->width() + 360, plocha_->height() + 380).boundedTo(o->availableSize() - QSize(16, 40)));
  return true;
}

void EditorStanice::titulek() {
  setWindowTitle(text(DalsiText::EditorStanice) + QStringLiteral(" \u2013 ") +
                 QFile::decodeName(st_.cestaSchematu.c_str()) + QStringLiteral("[*]"));
  setWindowModified(st_.historie.zmeneno());
}

void EditorStanice::nastavZvetseni(int procent) {
  // The level nearest to the one asked for that keeps the image within bounds.
  const QSize v = VelikostObrazu(st_.dokument);
  int z = PohledStanice::Zvetseni[0];
  for (int u : PohledStanice::Zvetseni)
    if (std::abs(u - procent) < std::abs(z - procent) &&
        v.width() * u / 100.0 * v.height() * u / 100.0 * pomer_ * pomer_ <= MaxPixelu)
      z = u;
  zvetseni_ = z;
  Predvolby().setValue(KlicZvetseniEditoru, z);
  prekresli();
}

void EditorStanice::zvetsi(int kroku) {
  const auto& z = PohledStanice::Zvetseni;
  const auto it = std::lower_bound(std::begin(z), std::end(z), zvetseni_);
  const auto i = std::clamp<std::ptrdiff_t>((it - std::begin(z)) + kroku, 0, std::ssize(z) - 1);
  nastavZvetseni(z[i]);
}

void EditorStanice::prekresli() {
  const QSize v = VelikostObrazu(st_.dokument);
  int z = zvetseni_;
  while (z > 100 && v.width() * z / 100.0 * v.height() * z / 100.0 * pomer_ * pomer_ > MaxPixelu) z -= 50;
  const int meritko = static_cast<int>(std::lround(z * pomer_));
  if (!platno_ || platno_->sirka() != v.width() || platno_->vyska() != v.height()) {
    platno_ = std::make_unique<QtPlatno>(v.width(), v.height(), prostredi_.dpi(), meritko);
    stav_.platno = platno_.get();
  } else if (platno_->meritko() != meritko) {
    platno_->nastavMeritko(meritko);
  }
  NakresliSchema(stav_, editor::ZapisDokument(st_.dokument));
  Barvy(posuv_->viewport(), stav_.nastaveni.pozadi, stav_.nastaveni.popredi);
  plocha_->nastav(platno_.get(), &st_.dokument, pomer_);
}

void EditorStanice::zkontroluj() {
  kontrola_ = ZkontrolujEditor(st_);
  const std::string schema = JmenoSouboru(st_.cestaSchematu);
  std::vector<PlochaEditoru::Znacka> znacky;
  problemy_->clear();
  for (const Nalez& n : kontrola_.nalezy) {
    const bool naSchematu = n.soubor == schema && n.radek >= 1 &&
                            static_cast<std::size_t>(n.radek) <= st_.dokument.radky.size();
    const int radek = naSchematu ? n.radek - 1 : -1;
    auto* i = new QListWidgetItem(QString::fromStdString(n.Text()), problemy_);
    i->setData(Qt::UserRole, radek);
    // A message about a timetable entry or a locomotive shows its row.
    const int soubor = n.soubor == JmenoSouboru(st_.cestaGrafikonu) ? 1 : n.soubor == JmenoSouboru(st_.cestaLokomotiv) ? 2 : 0;
    if (soubor && n.zaznam >= 0) {
      i->setData(Qt::UserRole + 1, soubor);
      i->setData(Qt::UserRole + 2, n.zaznam);
    }
    i->setForeground(n.chyba ? QColor(200, 0, 60) : QColor(170, 100, 0));
    if (naSchematu)
      znacky.push_back({static_cast<std::size_t>(radek), n.chyba, QString::fromStdString(n.prvek + ": " + n.zprava)});
  }
  plocha_->nastavZnacky(std::move(znacky));
  souhrn_->setText(text(DalsiText::StavKontroly).arg(kontrola_.Chyb()).arg(kontrola_.Varovani()));

  // The entry signals that have routes, by their points, so that the one chosen stays
  // chosen while lines come and go before it.
  const QSignalBlocker ticho(trasy_);
  trasy_->clear();
  trasy_->addItem(text(DalsiText::ZadneCesty));
  std::set<int> videno;
  for (const TrasaKontroly& t : kontrola_.trasy) {
    const std::size_t i = static_cast<std::size_t>(t.radekNavestidla - 1);
    if (t.radekNavestidla < 1 || i >= st_.dokument.radky.size() || !videno.insert(t.radekNavestidla).second) continue;
    const editor::Poloha p = editor::PolohaRadku(st_.dokument.radky[i]);
    trasy_->addItem(QStringLiteral("%1 (%2, %3)").arg(ZBajtu(t.soused)).arg(p.x1).arg(p.y1), QPoint(p.x1, p.y1));
  }
  const int zvolena = trasyZ_ ? trasy_->findData(*trasyZ_) : 0;
  trasy_->setCurrentIndex(std::max(0, zvolena));
  if (zvolena < 0) trasyZ_.reset();
  ukazTrasy();
}

void EditorStanice::ukazTrasy() {
  std::vector<std::size_t> prvky, cile;
  std::optional<std::size_t> navestidlo;
  for (const TrasaKontroly& t : kontrola_.trasy) {
    if (!trasyZ_ || t.radekNavestidla < 1) continue;
    const editor::Poloha p = editor::PolohaRadku(st_.dokument.radky[static_cast<std::size_t>(t.radekNavestidla - 1)]);
    if (QPoint(p.x1, p.y1) != *trasyZ_) continue;
    navestidlo = static_cast<std::size_t>(t.radekNavestidla - 1);
    for (int r : t.radkyPrvku) prvky.push_back(static_cast<std::size_t>(r - 1));
    cile.push_back(static_cast<std::size_t>(t.radekCile - 1));
  }
  plocha_->nastavTrasy(std::move(prvky), std::move(cile), navestidlo);
}

void EditorStanice::poZmene(const std::set<std::size_t>& vyber) {
  vyber_.clear();
  for (std::size_t i : vyber)
    if (i < st_.dokument.radky.size()) vyber_.insert(i);
  prekresli();
  zkontroluj();
  plocha_->nastavVyber(vyber_);
  vlastnosti_->ukaz(st_.dokument, vyber_);
  obnovSeznamy();
  titulek();
}

void EditorStanice::vyber(const std::set<std::size_t>& radky, bool pridat) {
  if (!pridat) {
    vyber_ = radky;
  } else if (radky.size() == 1 && vyber_.count(*radky.begin())) {
    vyber_.erase(*radky.begin());  // a click with Shift or Ctrl on a selected element
  } else {
    vyber_.insert(radky.begin(), radky.end());
  }
  plocha_->nastavVyber(vyber_);
  vlastnosti_->ukaz(st_.dokument, vyber_);
}

void EditorStanice::proved(editor::Krok k, std::set<std::size_t> vyberPo) {
  if (k.prazdny()) return;
  zasobnik_->push(new PrikazUpravy(*this, std::move(k), vyber_, std::move(vyberPo)));
}

void EditorStanice::nastroj(std::optional<editor::Nastroj> n) {
  plocha_->nastavNastroj(n);
  const std::size_t i = n ? static_cast<std::size_t>(*n) + 1 : 0;
  if (i < nastroje_.size()) nastroje_[i]->setChecked(true);
}

void EditorStanice::nakresleno(editor::Nastroj n, QPoint od, QPoint po) {
  // A new platform is named as the station's others, else after the folder; a new label
  // shows the folder's name until the author types its text.
  std::string jmeno = NaBajty(QFileInfo(QFile::decodeName(st_.slozka.c_str())).fileName());
  if (n == editor::Nastroj::Nastupiste)
    for (const editor::RadekSchematu& r : st_.dokument.radky)
      if (r.druh == '5' && !r.pole[5].empty()) {
        jmeno = r.pole[5];
        break;
      }
  const auto r = editor::NovyPrvek(st_.dokument, n, od.x(), od.y(), po.x(), po.y(), jmeno);
  if (!r) return;
  std::set<std::size_t> novy;
  editor::Krok k = editor::Umisti(st_.dokument, {*r}, "Draw", &novy);
  proved(std::move(k), novy);
  if (n == editor::Nastroj::Popisek)
    if (auto* e = qobject_cast<QLineEdit*>(vlastnosti_->pole(5))) {
      e->show();  // a row just added would show only once the events run
      e->setFocus();
      e->selectAll();
    }
}

void EditorStanice::smaz() { proved(editor::Smaz(st_.dokument, vyber_), {}); }
void EditorStanice::zrcadli() { proved(editor::Zrcadli(st_.dokument, vyber_), vyber_); }
void EditorStanice::posunVyber(int dx, int dy) { proved(editor::Posun(st_.dokument, vyber_, dx, dy), vyber_); }

void EditorStanice::kopiruj() {
  if (vyber_.empty()) return;
  editor::Dokument kopie;
  for (std::size_t i : vyber_) kopie.radky.push_back(st_.dokument.radky[i]);
  const std::string t = editor::ZapisDokument(kopie);
  auto* m = new QMimeData;
  m->setData(MimeSchematu, QByteArray(t.data(), static_cast<qsizetype>(t.size())));
  m->setText(ZBajtu(t));
  QApplication::clipboard()->setMimeData(m);
}

void EditorStanice::vloz() {
  const QMimeData* m = QApplication::clipboard()->mimeData();
  if (!m || !m->hasFormat(MimeSchematu)) return;
  const QByteArray b = m->data(MimeSchematu);
  editor::Dokument kopie = editor::CtiDokument(std::string_view(b.constData(), static_cast<std::size_t>(b.size())));
  int l = INT_MAX, t = INT_MAX;
  for (const editor::RadekSchematu& r : kopie.radky) {
    const editor::Poloha p = editor::PolohaRadku(r);
    if (!p.plati) continue;
    l = std::min({l, p.x1, p.x2});
    t = std::min({t, p.y1, p.y2});
  }
  if (l == INT_MAX) return;
  // At the mouse when it is over the picture, else two rows below the originals.
  const QPoint kurzor = plocha_->mapFromGlobal(QCursor::pos());
  int dx = 0, dy = 2 * gy;
  if (plocha_->rect().contains(kurzor) && posuv_->viewport()->rect().contains(posuv_->viewport()->mapFromGlobal(QCursor::pos()))) {
    const editor::Bod b = editor::NaMrizku(plocha_->naStanici(kurzor).x(), plocha_->naStanici(kurzor).y());
    dx = b.x - l;
    dy = b.y - t;
  }
  std::set<std::size_t> nove;
  editor::Krok k = editor::Vloz(st_.dokument, std::move(kopie.radky), dx, dy, &nove);
  proved(std::move(k), nove);
}

bool EditorStanice::uloz() {
  std::string chyba;
  if (!UlozZEditoru(st_, chyba)) {
    QMessageBox::warning(this, text(DalsiText::EditorStanice),
                         text(DalsiText::ChybaUlozeniEditoru) + QString::fromStdString(chyba));
    return false;
  }
  zasobnik_->setClean();
  titulek();
  zkontroluj();  // a new station now has its settings, timetable and locomotives
  return true;
}

void EditorStanice::closeEvent(QCloseEvent* e) {
  if (st_.historie.zmeneno()) {
    QMessageBox m(QMessageBox::Question, text(DalsiText::EditorStanice), text(DalsiText::NeulozeneZmeny),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    m.button(QMessageBox::Save)->setText(text(DalsiText::Ulozit));
    m.button(QMessageBox::Discard)->setText(text(DalsiText::Zahodit));
    m.button(QMessageBox::Cancel)->setText(storno_);
    m.setDefaultButton(QMessageBox::Save);
    const int v = m.exec();
    if (v == QMessageBox::Cancel || (v == QMessageBox::Save && !uloz())) {
      e->ignore();
      return;
    }
  }
  e->accept();
}

bool EditorStanice::eventFilter(QObject* o, QEvent* e) {
  // Ctrl and the wheel zoom; the wheel alone scrolls.
  if (o == posuv_->viewport() && e->type() == QEvent::Wheel) {
    auto* k = static_cast<QWheelEvent*>(e);
    if (k->modifiers() & Qt::ControlModifier) {
      if (k->angleDelta().y() != 0) zvetsi(k->angleDelta().y() > 0 ? 1 : -1);
      return true;
    }
  }
  return QMainWindow::eventFilter(o, e);
}

}  // namespace stanovar::shell
