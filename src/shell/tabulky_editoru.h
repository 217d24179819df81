// The editor's tables of the timetable and of the locomotive list: every record a row, every
// field a column in the file's units, edited in place. A cell the reader would cut or refuse
// is flagged as it is typed (and stays flagged in the table), never cut silently. Every change
// goes to the window as one of the editor layer's steps, undone and redone with the layout's.
#pragma once

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QWidget>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "shell/texty.h"

class QLabel;
class QTableView;

namespace stanovar::shell {

class ModelSeznamu : public QAbstractTableModel {
  Q_OBJECT
 public:
  ModelSeznamu(const DalsiTexty& texty, editor::DruhSeznamu druh, QObject* rodic);
  // The station whose list is shown (not owned); the model is told when it changed.
  void nastav(StaniceEditoru* st);
  void obnov();
  // The rows named by findings of the check, with their messages.
  void nastavNalezy(std::map<int, QString> nalezy);
  const editor::Seznam* seznam() const;
  editor::DruhSeznamu druh() const { return druh_; }
  // The record slot of a column: the fields 1 to 10, then the note (0).
  static std::size_t Slot(int sloupec) { return sloupec < 10 ? static_cast<std::size_t>(sloupec + 1) : 0; }

  int rowCount(const QModelIndex& = {}) const override;
  int columnCount(const QModelIndex& = {}) const override { return 11; }
  QVariant data(const QModelIndex& i, int role) const override;
  QVariant headerData(int sekce, Qt::Orientation o, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& i) const override;
  bool setData(const QModelIndex& i, const QVariant& v, int role) override;

 signals:
  // A cell's new text made a step.
  void zmena(editor::Krok k, int radek);

 private:
  editor::DruhSeznamu druh_;
  StaniceEditoru* st_ = nullptr;
  QStringList sloupce_;
  std::map<int, QString> nalezy_;
  int radku_ = 0;  // rows the view was last told of
};

// Edits a cell: a line for numbers and texts, a list to choose from for the names of the
// neighbours and of the locomotives (free text still allowed), flagged as the author types.
class EditorBunky : public QStyledItemDelegate {
  Q_OBJECT
 public:
  EditorBunky(editor::DruhSeznamu druh, std::function<QStringList(std::size_t)> volby, QObject* rodic)
      : QStyledItemDelegate(rodic), druh_(druh), volby_(std::move(volby)) {}
  QWidget* createEditor(QWidget* rodic, const QStyleOptionViewItem& o, const QModelIndex& i) const override;
  void setEditorData(QWidget* e, const QModelIndex& i) const override;
  void setModelData(QWidget* e, QAbstractItemModel* m, const QModelIndex& i) const override;

 signals:
  // What the reader would make of the text being typed: empty when it reads it whole.
  void posudek(const QString& zprava) const;

 private:
  editor::DruhSeznamu druh_;
  std::function<QStringList(std::size_t)> volby_;
};

class TabulkaSeznamu : public QWidget {
  Q_OBJECT
 public:
  TabulkaSeznamu(const DalsiTexty& texty, editor::DruhSeznamu druh, QWidget* rodic);
  void nastav(StaniceEditoru* st);
  // After any change of the documents: the rows again, the chosen cell kept.
  void obnov();
  void nastavNalezy(std::map<int, QString> nalezy) { model_->nastavNalezy(std::move(nalezy)); }
  // Shows and chooses row `radek`.
  void ukaz(int radek);
  QTableView* pohled() { return pohled_; }
  ModelSeznamu* model() { return model_; }
  std::set<std::size_t> vybraneRadky() const;

  void pridej();
  void zdvoj();
  void smaz();
  void serad();

 signals:
  void zmena(editor::Krok k, int radek);

 private:
  const DalsiTexty& texty_;
  StaniceEditoru* st_ = nullptr;
  ModelSeznamu* model_ = nullptr;
  QTableView* pohled_ = nullptr;
  QLabel* posudek_ = nullptr;
};

}  // namespace stanovar::shell
