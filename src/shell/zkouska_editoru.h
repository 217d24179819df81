// The editor's try-it panel: the station as the documents stand run headless on a worker
// thread (the editor stays free meanwhile), with a progress bar and then the figures, each
// element among them a click away on the picture; a new run replaces one still going. And
// the station played: its documents copied into a folder of their own and opened there in the
// program, the editor brought back when that window closes.
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "editor/editor.h"
#include "shell/texty.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QSpinBox;
class QThread;

namespace stanovar::shell {

class PanelZkousky : public QWidget {
  Q_OBJECT
 public:
  PanelZkousky(const DalsiTexty& texty, QWidget* rodic);
  ~PanelZkousky() override;

  // Tries the station as `st` holds it now; `verze` names that state of the documents, so
  // that figures of another are marked stale.
  void spust(const StaniceEditoru& st, int verze);
  // The documents are now in state `verze`: the figures shown belong to it or not.
  void verze(int verze);
  bool bezi() const { return bezici_ != nullptr; }
  const editor::VysledekZkousky* vysledek() const { return vysledek_ ? &*vysledek_ : nullptr; }
  QListWidget* cisla() { return cisla_; }
  QProgressBar* prubeh() { return prubeh_; }
  // Waits for the run going on to finish, for tests.
  void pockej();

 signals:
  // A figure about an element was chosen: its schema line, from 0.
  void vybranRadek(std::size_t radek);
  // The occupation to draw over the picture, by schema line; empty to draw none.
  void teplo(std::vector<std::pair<std::size_t, double>> podily);
  void hotovo();

 private:
  struct Beh;
  void dokonceno(std::shared_ptr<Beh> b);
  void ukaz();

  const DalsiTexty& texty_;
  QSpinBox* hodin_ = nullptr;
  QProgressBar* prubeh_ = nullptr;
  QLabel* stav_ = nullptr;
  QListWidget* cisla_ = nullptr;
  std::shared_ptr<Beh> bezici_;
  std::vector<QThread*> vlakna_;
  std::optional<editor::VysledekZkousky> vysledek_;
  int verzeVysledku_ = -1, verze_ = 0;
};

// Opens the station as `st` holds it in `program` (the program itself), from a copy of its
// files; `okno` is raised again when the program's window closes. False, with what went wrong,
// when the copy could not be written or the program not started.
bool ZahrajStanici(const StaniceEditoru& st, const QString& program, QWidget* okno, std::string& chyba);

}  // namespace stanovar::shell
