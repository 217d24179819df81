#include "shell/dialogy.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>

#include "jadro.h"
#include "shell/kodovani.h"
#include "shell/qt_platno.h"

namespace stanovar::shell {

namespace {
QFont DialogovePismo() {
  QFont f(QStringLiteral("arial"));
  f.setPixelSize(13);
  return f;
}

QLabel* Stitek(QWidget* r, int x, int y) {
  auto* l = new QLabel(r);
  l->move(x, y);
  l->setMinimumWidth(300);
  return l;
}

QLineEdit* Pole(QWidget* r, int x, int y, int w, int h) {
  auto* e = new QLineEdit(r);
  e->setGeometry(x, y, w, h);
  return e;
}

QPushButton* Tlacitko(QWidget* r, int x, int y, int w, int h, const QString& t = {}) {
  auto* b = new QPushButton(t, r);
  b->setGeometry(x, y, w, h);
  return b;
}

// Paths are the file system's own bytes; they are not windows-1250 text.
QString Cesta(const std::string& c) { return QFile::decodeName(QByteArray::fromStdString(c)); }
std::string Cesta(const QString& c) { return QFile::encodeName(c).toStdString(); }

void Vzorek(QFrame* f, Barva c) {
  QPalette p = f->palette();
  p.setColor(QPalette::Window, NaQColor(c));
  f->setAutoFillBackground(true);
  f->setPalette(p);
  f->update();
}
}  // namespace

TFormSoubory::TFormSoubory(Stav& s, QWidget* rodic) : QDialog(rodic), s_(s) {
  setFixedSize(531, 326);
  setFont(DialogovePismo());
  setWindowTitle(QStringLiteral("Otev\u0159\u00edt n\u00e1dra\u017e\u00ed"));
  Label1 = Stitek(this, 32, 16);
  SchemaEdit = Pole(this, 32, 48, 329, 24);
  SchemaBut = Tlacitko(this, 392, 48, 89, 25);
  Label2 = Stitek(this, 32, 80);
  GvdEdit = Pole(this, 32, 112, 329, 24);
  GvdBut = Tlacitko(this, 392, 112, 89, 25);
  Label3 = Stitek(this, 32, 144);
  LokEdit = Pole(this, 32, 176, 329, 24);
  LokBut = Tlacitko(this, 392, 176, 89, 25);
  OKbtn = Tlacitko(this, 104, 240, 105, 33, QStringLiteral("OK"));
  OKbtn->setDefault(true);
  StornoBtn = Tlacitko(this, 320, 240, 105, 33);
  connect(SchemaBut, &QPushButton::clicked, this,
          [this] { najdi(SchemaEdit, QString::fromUtf8("\u00c1llom\u00e1sok (*.yrd)")); });
  connect(GvdBut, &QPushButton::clicked, this,
          [this] { najdi(GvdEdit, QStringLiteral("Vonatok (*.gvd)")); });
  connect(LokBut, &QPushButton::clicked, this,
          [this] { najdi(LokEdit, QStringLiteral("Mozdonyok (*.lok)")); });
  connect(OKbtn, &QPushButton::clicked, this, &TFormSoubory::OKbtnClick);
  connect(StornoBtn, &QPushButton::clicked, this, &TFormSoubory::StornoBtnClick);
}

void TFormSoubory::showEvent(QShowEvent* e) {
  setWindowTitle(ZBajtu(s_.Text(12)));
  Label1->setText(ZBajtu(s_.Text(13)));
  Label2->setText(ZBajtu(s_.Text(14)));
  Label3->setText(ZBajtu(s_.Text(15)));
  for (QPushButton* b : {SchemaBut, GvdBut, LokBut}) b->setText(ZBajtu(s_.Text(16)));
  StornoBtn->setText(ZBajtu(s_.Text(17)));
  SchemaEdit->setText(Cesta(s_.nastaveni.cestaSchema));
  GvdEdit->setText(Cesta(s_.nastaveni.cestaGvd));
  LokEdit->setText(Cesta(s_.nastaveni.cestaLoko));
  QDialog::showEvent(e);
}

void TFormSoubory::najdi(QLineEdit* edit, const QString& filtr) {
  QString f = QFileDialog::getOpenFileName(this, QString(), edit->text(), filtr);
  if (!f.isEmpty()) edit->setText(f);
}

void TFormSoubory::OKbtnClick() {
  s_.nastaveni.cestaGvd = Cesta(GvdEdit->text());
  s_.nastaveni.cestaSchema = Cesta(SchemaEdit->text());
  s_.nastaveni.cestaLoko = Cesta(LokEdit->text());
  // Pressing OK always discards the running station and loads the three files afresh.
  OtevriStanici(s_);
  accept();
}

void TFormSoubory::StornoBtnClick() { reject(); }

TFormNastav::TFormNastav(Stav& s, QWidget* rodic) : QDialog(rodic), s_(s) {
  setFixedSize(494, 344);
  setFont(DialogovePismo());
  Label1 = Stitek(this, 48, 16);
  PanelPozadi = new QFrame(this);
  PanelPozadi->setGeometry(184, 8, 33, 33);
  PanelPozadi->setFrameStyle(QFrame::Box | QFrame::Plain);
  PozadiBtn = Tlacitko(this, 248, 16, 89, 25);
  Label2 = Stitek(this, 48, 56);
  PanelPopredi = new QFrame(this);
  PanelPopredi->setGeometry(184, 56, 33, 33);
  PanelPopredi->setFrameStyle(QFrame::Box | QFrame::Plain);
  PoprediBtn = Tlacitko(this, 248, 56, 89, 25);
  Label3 = Stitek(this, 48, 96);
  Label3->setMinimumWidth(100);
  tloust1 = new QRadioButton(QStringLiteral("1"), this);
  tloust1->move(160, 96);
  tloust2 = new QRadioButton(QStringLiteral("2"), this);
  tloust2->move(208, 96);
  Label6 = Stitek(this, 48, 136);
  JazykEdit = Pole(this, 48, 160, 305, 24);
  JazykBtn = Tlacitko(this, 376, 160, 81, 25);
  Label4 = Stitek(this, 48, 200);
  Label5 = Stitek(this, 48, 216);
  OKBut = Tlacitko(this, 48, 248, 105, 33, QStringLiteral("OK"));
  OKBut->setDefault(true);
  StornoBut = Tlacitko(this, 200, 248, 105, 33);

  // Captions and values are set once: later openings show what the controls were left with.
  setWindowTitle(ZBajtu(s.Text(18)));
  Label1->setText(ZBajtu(s.Text(19)));
  Label2->setText(ZBajtu(s.Text(20)));
  Label3->setText(ZBajtu(s.Text(21)));
  Label6->setText(ZBajtu(s.Text(22)));
  Label4->setText(ZBajtu(s.Text(23)));
  Label5->setText(ZBajtu(s.Text(24)));
  PozadiBtn->setText(ZBajtu(s.Text(25)));
  PoprediBtn->setText(ZBajtu(s.Text(25)));
  JazykBtn->setText(ZBajtu(s.Text(16)));
  StornoBut->setText(ZBajtu(s.Text(17)));
  JazykEdit->setText(Cesta(s.nastaveni.cestaJazyk));
  tloust1->setChecked(s.nastaveni.sirkaCaryNova == 1);
  tloust2->setChecked(s.nastaveni.sirkaCaryNova == 2);
  obnovVzorky();

  vyberBarvu = [this](Barva vychozi, Barva* vybrana) {
    QColor c = QColorDialog::getColor(NaQColor(vychozi), this);
    if (!c.isValid()) return false;
    *vybrana = RGB(c.red(), c.green(), c.blue());
    return true;
  };

  connect(PozadiBtn, &QPushButton::clicked, this, &TFormNastav::PozadiBtnClick);
  connect(PoprediBtn, &QPushButton::clicked, this, &TFormNastav::PoprediBtnClick);
  connect(tloust1, &QRadioButton::clicked, this, [this] { s_.nastaveni.sirkaCaryNova = 1; });
  connect(tloust2, &QRadioButton::clicked, this, [this] { s_.nastaveni.sirkaCaryNova = 2; });
  connect(JazykBtn, &QPushButton::clicked, this, [this] {
    QString f = QFileDialog::getOpenFileName(this, QString(), JazykEdit->text(),
                                             QStringLiteral("Nyelv (*.lng)"));
    if (!f.isEmpty()) JazykEdit->setText(f);
  });
  connect(OKBut, &QPushButton::clicked, this, &TFormNastav::OKButClick);
  connect(StornoBut, &QPushButton::clicked, this, &TFormNastav::StornoButClick);
}

void TFormNastav::obnovVzorky() {
  Vzorek(PanelPozadi, s_.nastaveni.pozadiNove);
  Vzorek(PanelPopredi, s_.nastaveni.poprediNove);
}

void TFormNastav::PozadiBtnClick() {
  Barva c;
  if (vyberBarvu(s_.nastaveni.pozadiNove, &c)) s_.nastaveni.pozadiNove = c;
  obnovVzorky();
}

void TFormNastav::PoprediBtnClick() {
  Barva c;
  if (vyberBarvu(s_.nastaveni.poprediNove, &c)) s_.nastaveni.poprediNove = c;
  obnovVzorky();
}

void TFormNastav::OKButClick() {
  s_.nastaveni.cestaJazyk = Cesta(JazykEdit->text());
  accept();
}

void TFormNastav::StornoButClick() { reject(); }

}  // namespace stanovar::shell
