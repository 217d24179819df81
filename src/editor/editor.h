// What a front end may ask of the station editor's layer, beside the core:
// - the schema as a document of lines (editor/dokument.h), the timetable and the locomotive
//   list as documents of records (editor/seznam.h), each read from and written to a file's
//   bytes so that whatever the editor did not change stays byte for byte;
// - edits of all three with their inverses and the one history that undoes and redoes them
//   (editor/upravy.h);
// - what the window's tools ask of a document: the grid, the element at a point or in a
//   rectangle, the line a drawing gesture makes, a paste (editor/nastroje.h);
// - a station folder opened for editing and saved;
// - the station check, which loads a station as the program does and tells its author what is
//   wrong with it, with the file, the line and the element, and what the station offers
//   (elements, lines, the routes from every entry signal to every platform track).
//   stanovar-check prints it; the editor shows it on the picture as the author draws;
// - a station tried at once: run headless with the automatic dispatcher for some simulated
//   hours, on whatever thread the caller likes (editor/zkouska.h).
#pragma once

#include <string>
#include <vector>

#include "editor/dokument.h"
#include "editor/nastroje.h"
#include "editor/seznam.h"
#include "editor/upravy.h"
#include "editor/zkouska.h"

namespace stanovar {

struct Nalez {
  bool chyba = false;  // an error; else a warning
  std::string soubor;  // file name, without the folder
  int radek = 0;       // line from 1; 0 when the problem belongs to no one line
  std::string prvek;   // the element, as an author finds it in the file
  std::string zprava;
  int zaznam = -1;     // the timetable entry or locomotive it is about, from 0; -1 none

  // "file:line: error: element: message", texts in UTF-8.
  std::string Text() const;
};

// A route the program's own search finds on the empty station from an entry signal to a
// platform track; lines of the schema, from 1.
struct TrasaKontroly {
  int radekNavestidla = 0;
  std::string soused;  // the line its trains come in by (windows-1250)
  int radekCile = 0;
  std::vector<int> radkyKoleji;  // the tracks it runs over, in travel order
  std::vector<int> radkyPrvku;   // the tracks and connectors it runs over, in travel order
  int delka = 0;                 // metres
  int minRychlost = 0;           // km/h
};

struct VysledekKontroly {
  std::vector<Nalez> nalezy;  // in the order of the files and lines
  std::string souhrn;         // UTF-8, several lines
  std::vector<TrasaKontroly> trasy;  // every route from each entry signal to each platform track

  int Chyb() const;
  int Varovani() const;
};

// Bytes that stand for the station's files (the editor's unsaved documents); none: the file's.
struct NeulozeneSoubory {
  const std::string* schema = nullptr;
  const std::string* grafikon = nullptr;
  const std::string* lokomotivy = nullptr;
};

// Checks the station named by `slozkaNeboIni`: a folder holding stanovar.ini, or the
// stanovar.ini itself. The program reads only stanovar.ini from its start-up folder, so a
// settings file of another name is reported rather than read.
VysledekKontroly ZkontrolujStanici(const std::string& slozkaNeboIni, const NeulozeneSoubory& neulozene = {});

// ---- a station opened for editing ----

struct StaniceEditoru {
  std::string slozka;       // the station folder
  // The station's files, as stanovar.ini names them (absolute); a new station's are named
  // after the folder.
  std::string cestaSchematu, cestaGrafikonu, cestaLokomotiv;
  bool novaStanice = false;  // the folder had no station: saving makes one
  editor::Dokument dokument;
  editor::Seznam grafikon{editor::DruhSeznamu::Grafikon, {}, {}};
  editor::Seznam lokomotivy{editor::DruhSeznamu::Lokomotivy, {}, {}};
  editor::Historie historie;
  // The timetable's and the locomotive list's bytes as last read or saved: a list is written
  // only when it has changed.
  std::string ulozenyGrafikon, ulozeneLokomotivy;

  editor::Soubory soubory() { return editor::Soubory(dokument, grafikon, lokomotivy); }
  editor::Seznam& seznam(editor::DruhSeznamu d) {
    return d == editor::DruhSeznamu::Grafikon ? grafikon : lokomotivy;
  }
};
// Opens the station of a folder (its stanovar.ini) for editing; a folder without one is a new
// station whose files are named after the folder. False, with what went wrong, when one of
// the folder's station files is there but cannot be read.
bool OtevriProEditor(const std::string& slozka, StaniceEditoru& st, std::string& chyba);
// Writes the schema, and the timetable and the locomotive list where they changed, each
// atomically; a new station also gets its stanovar.ini, and a timetable and locomotive list
// when it has none, so that it opens in the program. False, with what went wrong, when a file
// could not be written.
bool UlozZEditoru(StaniceEditoru& st, std::string& chyba);
// The check of the station as the documents stand now, saved or not.
VysledekKontroly ZkontrolujEditor(const StaniceEditoru& st);
// The station's files as the documents stand now, written into `slozka` (made if missing)
// with a stanovar.ini naming them and the station's own language and display settings: the
// copy the program plays. False, with what went wrong, when a file could not be written.
bool ZapisKopii(const StaniceEditoru& st, const std::string& slozka, std::string& chyba);

}  // namespace stanovar
