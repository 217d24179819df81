// The save's records as tables: one description per record, each field with its name, the
// member it is kept in and its kind, drives both the writing and the reading, so that the two
// can never disagree. A record is written as an object of named members, or as a row (an
// array in the table's order) where a list holds many small records.
#pragma once

#include <cstddef>
#include <limits>
#include <span>
#include <string>

#include "model/stav.h"
#include "smena/hodnoty.h"

namespace stanovar::ulozeni {

// What the reader checks references against: the station the save is read onto.
struct Kontext {
  Stav& s;
  // Whether id names an element, a signal or a line end of the station (0 names none).
  bool prvek(int id) const;
};

template <class R>
struct Sloupec {
  const char* jmeno;
  json (*zapis)(const R& r);
  // Throws Vadne when the value cannot be taken.
  void (*cti)(R& r, const json& j, const Kontext& k);
  // A member later versions of the program added: a save written before has none, and the
  // record keeps its default then.
  bool pozdejsi = false;
};

// A column a save may lack (see Sloupec::pozdejsi).
template <class R>
constexpr Sloupec<R> Pozdejsi(Sloupec<R> c) {
  c.pozdejsi = true;
  return c;
}

template <class R>
struct Tabulka {
  const char* jmeno;  // what the record is, for the reader's answer
  std::span<const Sloupec<R>> sloupce;
};

template <auto M>
struct Clen;
template <class R, class T, T R::*M>
struct Clen<M> {
  using Zaznam = R;
  using Typ = T;
};
template <auto M>
using ZaznamClenu = typename Clen<M>::Zaznam;
template <auto M>
using TypClenu = typename Clen<M>::Typ;

// ---- the kinds of field (Sl as in sloupec) ----

// An integer of the member's own range.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlCele(const char* jmeno) {
  using R = ZaznamClenu<M>;
  using T = TypClenu<M>;
  return {jmeno, [](const R& r) -> json { return r.*M; },
          [](R& r, const json& j, const Kontext&) {
            r.*M = static_cast<T>(ulozeni::Cele(j, "", std::numeric_limits<T>::min(),
                                                std::numeric_limits<T>::max()));
          }};
}
// An integer in [Lo, Hi], or a value of an enumeration kept as one.
template <auto M, long long Lo, long long Hi>
constexpr Sloupec<ZaznamClenu<M>> SlRozsah(const char* jmeno) {
  using R = ZaznamClenu<M>;
  using T = TypClenu<M>;
  return {jmeno, [](const R& r) -> json { return r.*M; },
          [](R& r, const json& j, const Kontext&) {
            r.*M = static_cast<T>(ulozeni::Cele(j, "", Lo, Hi));
          }};
}
// A real, infinities and NaN included.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlRealne(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return ulozeni::Realne(r.*M); },
          [](R& r, const json& j, const Kontext&) { r.*M = ulozeni::Realne(j, ""); }};
}
// A finite real.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlKonecne(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return ulozeni::Realne(r.*M); },
          [](R& r, const json& j, const Kontext&) { r.*M = ulozeni::Konecne(j, ""); }};
}
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlPriznak(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return static_cast<bool>(r.*M); },
          [](R& r, const json& j, const Kontext&) { r.*M = ulozeni::Pravda(j, ""); }};
}
// Bytes of the data files' code page.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlBajty(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return ulozeni::Text(r.*M); },
          [](R& r, const json& j, const Kontext&) { r.*M = ulozeni::Text(j, ""); }};
}
// An element, signal or line end of the station, or 0.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlPrvek(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return r.*M; },
          [](R& r, const json& j, const Kontext& k) {
            const int id = ulozeni::Int(j, "");
            if (!k.prvek(id)) vadne("");
            r.*M = id;
          }};
}

// ---- records by their table ----

// Reads one field, naming the record and the field when it cannot be taken.
template <class R>
void CtiSloupec(const Tabulka<R>& t, const Sloupec<R>& c, R& r, const json& j, const Kontext& k) {
  try {
    c.cti(r, j, k);
  } catch (const Vadne& v) {
    throw Vadne{std::string(t.jmeno) + " " + c.jmeno + (v.co.empty() ? "" : ": " + v.co)};
  }
}

template <class R>
json Objekt(const Tabulka<R>& t, const R& r) {
  json j = json::object();
  for (const Sloupec<R>& c : t.sloupce) j[c.jmeno] = c.zapis(r);
  return j;
}
template <class R>
void Objekt(const Tabulka<R>& t, R& r, const json& j, const Kontext& k) {
  if (!j.is_object()) vadne(t.jmeno);
  for (const Sloupec<R>& c : t.sloupce) {
    if (c.pozdejsi && !j.contains(c.jmeno)) continue;
    CtiSloupec(t, c, r, Pole(j, c.jmeno), k);
  }
}

template <class R>
json Radek(const Tabulka<R>& t, const R& r) {
  json j = json::array();
  for (const Sloupec<R>& c : t.sloupce) j.push_back(c.zapis(r));
  return j;
}
template <class R>
void Radek(const Tabulka<R>& t, R& r, const json& j, const Kontext& k) {
  Prvky(j, t.sloupce.size(), t.jmeno);
  for (std::size_t i = 0; i < t.sloupce.size(); ++i) CtiSloupec(t, t.sloupce[i], r, j[i], k);
}

// A list of records, each as a row or as an object, in the list's order.
template <class Kontejner, class R = typename Kontejner::value_type>
json Seznam(const Tabulka<R>& t, const Kontejner& c, bool radky) {
  json a = json::array();
  for (const R& r : c) a.push_back(radky ? Radek(t, r) : Objekt(t, r));
  return a;
}
template <class Kontejner, class R = typename Kontejner::value_type>
void Seznam(const Tabulka<R>& t, Kontejner& c, const json& j, const Kontext& k, bool radky) {
  Seznam(j, t.jmeno, true);
  c.clear();
  for (const json& x : j) {
    R r{};
    radky ? Radek(t, r, x, k) : Objekt(t, r, x, k);
    c.push_back(std::move(r));
  }
}

// A path as rows of its steps.
json Cesta(const Kroky& k);
Kroky Cesta(const json& j, const Kontext& k);
// A path field.
template <auto M>
constexpr Sloupec<ZaznamClenu<M>> SlCesta(const char* jmeno) {
  using R = ZaznamClenu<M>;
  return {jmeno, [](const R& r) -> json { return ulozeni::Cesta(r.*M); },
          [](R& r, const json& j, const Kontext& k) { r.*M = ulozeni::Cesta(j, k); }};
}

}  // namespace stanovar::ulozeni
