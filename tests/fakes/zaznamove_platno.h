// A canvas that records every drawing call with its arguments, for geometry tests.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "model/platno.h"

namespace stanovar::test {

class ZaznamovePlatno : public Platno {
 public:
  struct Volani {
    std::string op;  // "pero", "sirka", "vypln", "pismo", "presun", "cara", "obdelnik", "text"
    std::vector<int> a;
    std::string t;
  };

  ZaznamovePlatno(int w = 800, int h = 540) : w_(w), h_(h) {}

  int sirka() const override { return w_; }
  int vyska() const override { return h_; }
  void barvaPera(Barva c) override { pero = c; zapis("pero", {static_cast<int>(c)}); }
  void sirkaPera(int w) override { sirkaP = w; zapis("sirka", {w}); }
  void barvaVyplne(Barva c) override { vypln = c; zapis("vypln", {static_cast<int>(c)}); }
  void pismo(const std::string& jmeno, int body, Barva c, bool tucne) override {
    velikostPisma = body;
    barvaPisma = c;
    zapis("pismo", {body, static_cast<int>(c), tucne ? 1 : 0}, jmeno);
  }
  void presun(int x, int y) override { px = x; py = y; zapis("presun", {x, y}); }
  // Lines are logged with their start, end, pen colour and width.
  void cara(int x, int y) override {
    zapis("cara", {px, py, x, y, static_cast<int>(pero), sirkaP});
    px = x;
    py = y;
  }
  void obdelnik(int l, int t, int r, int b) override {
    zapis("obdelnik", {l, t, r, b, static_cast<int>(pero), static_cast<int>(vypln)});
  }
  void text(int x, int y, const std::string& t, bool nepruhledne) override {
    zapis("text", {x, y, static_cast<int>(barvaPisma), nepruhledne ? 1 : 0, velikostPisma}, t);
  }
  // Fixed metrics: every character is `sirkaZnaku` pixels wide.
  int sirkaTextu(const std::string& t) override { return static_cast<int>(t.size()) * sirkaZnaku; }

  std::vector<Volani> jen(const std::string& op) const {
    std::vector<Volani> r;
    for (const auto& v : log)
      if (v.op == op) r.push_back(v);
    return r;
  }
  void smaz() { log.clear(); }

  std::vector<Volani> log;
  Barva pero = 0, vypln = 0, barvaPisma = 0;
  int sirkaP = 1, velikostPisma = 0, px = 0, py = 0;
  int sirkaZnaku = 5;

 private:
  void zapis(const char* op, std::vector<int> a, std::string t = {}) {
    log.push_back({op, std::move(a), std::move(t)});
  }
  int w_, h_;
};

}  // namespace stanovar::test
