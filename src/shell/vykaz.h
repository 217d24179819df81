// The shift report: the score with its parts, the trains in the station and those waiting
// over the shift, each train's waiting, and the table of every train, which can be saved as
// CSV. It shows the core's figures as they stand when it is opened.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QTableWidget>
#include <QtCharts/QChartView>
#include <vector>

#include "model/stav.h"
#include "shell/texty.h"

namespace stanovar::shell {

class VykazSmeny : public QDialog {
  Q_OBJECT
 public:
  VykazSmeny(Stav& s, const DalsiTexty& texty, QWidget* rodic);

  QChartView* grafPrubehu() { return prubeh_; }
  QChartView* grafCekani() { return cekani_; }
  QTableWidget* tabulka() { return tabulka_; }
  const std::vector<QLabel*>& hodnoty() const { return hodnoty_; }
  // Writes the table of trains; false (and the user told) when the file cannot be written.
  bool ulozCsv(const QString& soubor);

  // The trains with the longest waits that the chart of waiting shows at most.
  static constexpr int NejvicVlakuVGrafu = 30;

 private:
  void ulozit();
  Stav& s_;
  const DalsiTexty& texty_;
  double ted_;
  QChartView* prubeh_ = nullptr;
  QChartView* cekani_ = nullptr;
  QTableWidget* tabulka_ = nullptr;
  std::vector<QLabel*> hodnoty_;
};

}  // namespace stanovar::shell
