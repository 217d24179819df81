// What a front end may ask of the station editor's layer, beside the core: for now the
// station check, which loads a station as the program does and tells its author what is
// wrong with it, with the file, the line and the element, and what the station offers
// (elements, lines, the routes from every entry signal to every platform track).
// stanovar-check prints it.
#pragma once

#include <string>
#include <vector>

namespace stanovar {

struct Nalez {
  bool chyba = false;  // an error; else a warning
  std::string soubor;  // file name, without the folder
  int radek = 0;       // line from 1; 0 when the problem belongs to no one line
  std::string prvek;   // the element, as an author finds it in the file
  std::string zprava;

  // "file:line: error: element: message", texts in UTF-8.
  std::string Text() const;
};

struct VysledekKontroly {
  std::vector<Nalez> nalezy;  // in the order of the files and lines
  std::string souhrn;         // UTF-8, several lines

  int Chyb() const;
  int Varovani() const;
};

// Checks the station named by `slozkaNeboIni`: a folder holding stanovar.ini, or the
// stanovar.ini itself. The program reads only stanovar.ini from its start-up folder, so a
// settings file of another name is reported rather than read.
VysledekKontroly ZkontrolujStanici(const std::string& slozkaNeboIni);

}  // namespace stanovar
