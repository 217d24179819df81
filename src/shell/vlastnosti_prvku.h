// The editor's property panel: the fields of the one selected element, in the units the
// schema file uses, each change sent to the window as a new field value (an edit it can undo).
#pragma once

#include <QWidget>
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "shell/texty.h"

class QFormLayout;
class QLabel;

namespace stanovar::shell {

class VlastnostiPrvku : public QWidget {
  Q_OBJECT
 public:
  VlastnostiPrvku(const DalsiTexty& texty, QWidget* rodic);

  // Shows the selected element's fields, or how many are selected. The fields are built
  // again only when another line or kind is shown, so typing keeps its place.
  void ukaz(const editor::Dokument& d, const std::set<std::size_t>& vyber);

  // The field widget of a field number, for tests; null when not shown.
  QWidget* pole(std::size_t cislo) const;

 signals:
  // Field `pole` of line `radek` should hold `hodnota` (windows-1250 bytes, as the file).
  void zmena(std::size_t radek, std::size_t pole, const std::string& hodnota);

 private:
  struct Pole {
    std::size_t cislo;
    QWidget* w;
  };
  void postav(const editor::RadekSchematu& r);
  void obnov(const editor::RadekSchematu& r);

  const DalsiTexty& texty_;
  QFormLayout* formular_ = nullptr;
  QLabel* nadpis_ = nullptr;
  QLabel* poloha_ = nullptr;
  std::vector<Pole> pole_;
  std::size_t radek_ = static_cast<std::size_t>(-1);
  char druh_ = 0;
};

}  // namespace stanovar::shell
