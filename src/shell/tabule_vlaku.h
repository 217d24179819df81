// The board of trains as a dockable panel: a table over the core's rows, worded in the
// user's language. Choosing a row asks the core to show that train (or to open the accept
// panel for an offer); the window marks the train on the picture.
#pragma once

#include <QAbstractTableModel>
#include <QDockWidget>
#include <QTableView>
#include <functional>
#include <vector>

#include "model/stav.h"
#include "shell/texty.h"
#include "smena/smena.h"

namespace stanovar::shell {

// Columns of the board.
enum SloupecTabule { SlVlak, SlOdkud, SlKam, SlStav, SlCeka, SlCelkem, PocetSloupcu };

// A wait as the board shows it: M:SS, or H:MM:SS from an hour on; nothing for none.
QString TextCekani(double sekundy);
// A text split into columns at runs of two or more blanks, padded to `n` parts.
QStringList Sloupce(const QString& t, int n);

class ModelTabule : public QAbstractTableModel {
  Q_OBJECT
 public:
  ModelTabule(const DalsiTexty& texty, QObject* rodic);
  int rowCount(const QModelIndex& rodic = {}) const override;
  int columnCount(const QModelIndex& rodic = {}) const override;
  QVariant data(const QModelIndex& i, int role) const override;
  QVariant headerData(int sekce, Qt::Orientation o, int role) const override;

  // The board at the present time. When the same trains stand in the same order only the
  // rows whose text changed are announced; otherwise the model is reset. True for a reset.
  bool obnov(Stav& s);
  // The texts may have changed (another language file).
  void noveTexty();
  int cisloRadku(int radek) const;
  int radekVlaku(int cislo) const;  // -1 when it is not on the board
  const std::vector<RadekTabule>& radky() const { return radky_; }
  // Rows of trains not in the station, after the core's (those coming along a linked line).
  std::function<void(std::vector<RadekTabule>&)> doplnek;

 private:
  QString stav(const RadekTabule& r) const;
  const DalsiTexty& texty_;
  std::vector<RadekTabule> radky_, nove_;
};

class TabuleVlaku : public QDockWidget {
  Q_OBJECT
 public:
  TabuleVlaku(const DalsiTexty& texty, QWidget* rodic);
  ModelTabule* model() { return model_; }
  QTableView* pohled() { return pohled_; }
  // The board again; the train chosen stays chosen while it is on the board.
  void obnov(Stav& s);
  void noveTexty();
  int vybrany() const { return vybrany_; }

 signals:
  void vybran(int cislo);

 private:
  void zvolen(const QModelIndex& i);
  const DalsiTexty& texty_;
  ModelTabule* model_;
  QTableView* pohled_;
  int vybrany_ = 0;
  bool obnovuje_ = false;
};

}  // namespace stanovar::shell
