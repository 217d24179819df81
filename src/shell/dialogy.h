// The open-station and settings dialogs. Each is created when first opened and only shown
// and hidden afterwards; they edit the paths and pending display settings of the state.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QFrame>
#include <functional>

#include "model/stav.h"

namespace stanovar::shell {

class TFormSoubory : public QDialog {
  Q_OBJECT
 public:
  TFormSoubory(Stav& s, QWidget* rodic);

  QLineEdit* SchemaEdit;
  QLineEdit* GvdEdit;
  QLineEdit* LokEdit;
  QPushButton* SchemaBut;
  QPushButton* GvdBut;
  QPushButton* LokBut;
  QPushButton* OKbtn;
  QPushButton* StornoBtn;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;

 public slots:
  void OKbtnClick();
  void StornoBtnClick();

 protected:
  void showEvent(QShowEvent* e) override;  // FormActivate

 private:
  void najdi(QLineEdit* edit, const QString& filtr);
  Stav& s_;
};

class TFormNastav : public QDialog {
  Q_OBJECT
 public:
  TFormNastav(Stav& s, QWidget* rodic);

  QFrame* PanelPozadi;
  QFrame* PanelPopredi;
  QPushButton* PozadiBtn;
  QPushButton* PoprediBtn;
  QRadioButton* tloust1;
  QRadioButton* tloust2;
  QLineEdit* JazykEdit;
  QPushButton* JazykBtn;
  QPushButton* OKBut;
  QPushButton* StornoBut;
  QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;

  // The colour chooser; tests replace it. Returns false when the user cancels.
  std::function<bool(Barva vychozi, Barva* vybrana)> vyberBarvu;

 public slots:
  void PozadiBtnClick();
  void PoprediBtnClick();
  void OKButClick();
  void StornoButClick();

 private:
  void obnovVzorky();
  Stav& s_;
};

}  // namespace stanovar::shell
