// The station editor window: a station folder's schema as a document, drawn by the core at
// any zoom and edited with the mouse and the keys. Every edit is one of the editor layer's
// steps, undone and redone through its history (wrapped in a QUndoStack for the menu and the
// shortcuts); after each one the station is checked again and its problems shown at their
// elements and in a list. Saving writes only what changed, byte for byte elsewhere.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "model/stav.h"
#include "shell/qt_platno.h"
#include "shell/qt_prostredi.h"
#include "shell/texty.h"

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QScrollArea;
class QUndoStack;

namespace stanovar::shell {

class PanelZkousky;
class PlochaEditoru;
class TabulkaSeznamu;
class VlastnostiPrvku;

class EditorStanice : public QMainWindow {
  Q_OBJECT
 public:
  // The editor's own texts, and the classic ones it shares with the main window (the File
  // menu, Cancel) from a state that has read the language file.
  EditorStanice(const DalsiTexty& texty, const Stav& jazyk, QWidget* rodic = nullptr);
  ~EditorStanice() override;

  // Opens the station of a folder, or a new one in a folder without it. False, with what
  // went wrong, when its schema cannot be read.
  bool otevri(const QString& slozka, std::string& chyba);

  StaniceEditoru& stanice() { return st_; }
  const VysledekKontroly& kontrola() const { return kontrola_; }
  const std::set<std::size_t>& vyber() const { return vyber_; }
  PlochaEditoru* plocha() { return plocha_; }
  QScrollArea* posuv() { return posuv_; }
  VlastnostiPrvku* vlastnosti() { return vlastnosti_; }
  QListWidget* problemy() { return problemy_; }
  QComboBox* trasy() { return trasy_; }
  QUndoStack* zasobnik() { return zasobnik_; }
  TabulkaSeznamu* tabulka(editor::DruhSeznamu d) { return d == editor::DruhSeznamu::Grafikon ? grafikon_ : lokomotivy_; }
  PanelZkousky* zkouska() { return zkouska_; }
  int zvetseni() const { return zvetseni_; }
  void nastavZvetseni(int procent);

  // One edit, made undoable; the selection it leaves.
  void proved(editor::Krok k, std::set<std::size_t> vyberPo);
  // After the document changed (an edit, undo or redo): the selection, the picture, the
  // check and the panels.
  void poZmene(const std::set<std::size_t>& vyber);
  void vyber(const std::set<std::size_t>& radky, bool pridat = false);
  bool uloz();

  // The edits of the menu and the keys, on the selection.
  void smaz();
  void kopiruj();
  void vloz();
  void zrcadli();
  void posunVyber(int dx, int dy);
  // Station -> Try it (F9): the documents as they stand run on a worker; Play it (Ctrl+F9).
  void vyzkousej();
  void zahraj();
  // The program that plays the station: this one, unless a test names it.
  void nastavProgram(const QString& program) { program_ = program; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void vytvorMenu();
  // The tables of the timetable and the locomotives, the try-it panel and the Station menu.
  void vytvorSeznamy();
  // The tables and the try-it panel after a change of the documents.
  void obnovSeznamy();
  // A message of the check about a timetable entry or a locomotive: its row shown.
  void ukazZaznam(int soubor, int zaznam);
  void nastroj(std::optional<editor::Nastroj> n);
  void zvetsi(int kroku);  // steps up (positive) or down the zoom levels
  void nakresleno(editor::Nastroj n, QPoint od, QPoint po);
  void prekresli();
  void zkontroluj();
  void ukazTrasy();
  void titulek();
  QString text(DalsiText t) const { return texty_.text(t); }

  DalsiTexty texty_;
  QString menuSoubor_, storno_;
  QtProstredi prostredi_;
  Stav stav_;  // only draws: the display settings and the station lists of the picture
  std::unique_ptr<QtPlatno> platno_;
  StaniceEditoru st_;
  VysledekKontroly kontrola_;
  std::set<std::size_t> vyber_;
  std::optional<QPoint> trasyZ_;  // the entry signal whose routes are shown, by its point
  int zvetseni_ = 100;
  double pomer_ = 1;  // device pixels per logical pixel

  QUndoStack* zasobnik_ = nullptr;
  QScrollArea* posuv_ = nullptr;
  PlochaEditoru* plocha_ = nullptr;
  VlastnostiPrvku* vlastnosti_ = nullptr;
  QListWidget* problemy_ = nullptr;
  QComboBox* trasy_ = nullptr;
  QLabel* kurzor_ = nullptr;
  QLabel* souhrn_ = nullptr;
  std::vector<QAction*> nastroje_;  // the select tool first, then those of editor::Nastroj
  TabulkaSeznamu* grafikon_ = nullptr;
  TabulkaSeznamu* lokomotivy_ = nullptr;
  class QTabWidget* seznamy_ = nullptr;
  PanelZkousky* zkouska_ = nullptr;
  int verze_ = 0;
  QString program_;  // counts the changes of the documents, so that a run tried knows its own
};

// `stanovar --edit FOLDER`: the editor alone, in the language of the start-up folder's
// settings (else the station's). Returns the program's exit code.
int SpustEditor(const QString& slozka);
// File -> Edit station: asks for a folder and opens an editor window on it.
void OtevriEditor(QWidget* rodic, const DalsiTexty& texty, const Stav& jazyk, const QString& vychozi);

}  // namespace stanovar::shell
