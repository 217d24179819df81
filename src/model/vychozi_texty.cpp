#include "model/vychozi_texty.h"

#include <array>

namespace stanovar {

const std::string& VychoziText(int n) {
  // windows-1250 bytes, as the Czech language file that ships with the program has them.
  static const std::array<std::string, 38> texty = {
    "",
    "&Soubor",  // 1
    "&Otev\xf8\xedt n\xe1" "dra\x9e\xed",  // 2
    "&Nastaven\xed",  // 3
    "&Konec",  // 4
    "&N\xe1pov\xec" "da",  // 5
    "&Stru\xe8n\xec",  // 6
    "&O programu",  // 7
    "VLAK         c\xedl          sm\xecr     max. rychl.      d\xe9lka     hmotnost     loko    odjezd      rychlost     vzd\xe1l.",  // 8
    "\xe8\xedslo koleje   d\xe9lka     max.rychl.   sklon    stanice     soused",  // 9
    "ANO",  // 10
    "NE",  // 11
    "Otev\xf8\xedt n\xe1" "dra\x9e\xed",  // 12
    "Sch\xe9ma n\xe1" "dra\x9e\xed (*.yrd)",  // 13
    "Seznam vlak\xf9 a j\xedzdn\xed \xf8\xe1" "d (*.gvd)",  // 14
    "Seznam lokomotiv (*.lok)",  // 15
    "Naj\xedt...",  // 16
    "Storno",  // 17
    "Nastaven\xed prost\xf8" "ed\xed",  // 18
    "Barva pozad\xed",  // 19
    "Barva pop\xf8" "ed\xed",  // 20
    "Tlou\x9a\x9dka \xe8" "ar",  // 21
    "Jazyk / Language (*.lng)",  // 22
    "Nov\xe9 nastaven\xed se projev\xed a\x9e po dal\x9a\xedm ",  // 23
    "na\xe8ten\xed n\xe1" "dra\x9e\xed.",  // 24
    "zm\xecnit...",  // 25
    "\xc8" "etnost vlak\xf9: ",  // 26
    "Rychlost simulace: ",  // 27
    "P\xf8ijmout vlak ",  // 28
    " ze sm\xecru ",  // 29
    " do sm\xecru ",  // 30
    "Popis:             simul\xe1tor pracovi\x9at\xec v\xfdprav\xe8\xedho",  // 31
    "napoveda.html",  // 32
    "Chyba v\xfdpo\xe8tu v \xe8\xe1sti ",  // 33
    ". Pros\xedm, po\x9alete tyto hodnoty:",  // 34
    "Vlak u\x9e neexistuje.",  // 35
    "Soubor ",  // 36
    " nelze otev\xf8\xedt.",  // 37
  };
  return n >= 1 && n <= 37 ? texty[static_cast<std::size_t>(n)] : texty[0];
}

}  // namespace stanovar
