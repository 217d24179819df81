#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/svet.h"
#include "jadro.h"
#include "traffic/cas.h"
#include "traffic/smycka.h"

using namespace stanovar;

namespace {
constexpr double Sekunda = 1.0 / 86400.0;

std::vector<int> VlakyVefronte(const Stav& s) {
  std::vector<int> v;
  for (const auto& [h, u] : s.fronta.seznam()) v.push_back(u.vlak);
  return v;
}

// An outside world that lets a test act from inside a message box or a clock reading,
// as the shell's timers and a running handler do.
class ZasahujiciProstredi : public test::SkriptovaneProstredi {
 public:
  double casDne() override {
    if (priCteni) priCteni();
    return cas;
  }
  void zprava(const std::string& text) override {
    test::SkriptovaneProstredi::zprava(text);
    if (priZprave) priZprave();
  }
  std::function<void()> priCteni;
  std::function<void()> priZprave;
};
}  // namespace

TEST(CasovacUdalosti, ShowsTheTimeOfDayAndStopsWhilePaused) {
  test::Svet w;
  struct Pripad {
    double cas;
    const char* text;
  };
  for (const Pripad& p : {Pripad{1.25, "6:00:00"},
                          Pripad{(7 * 3600 + 5 * 60 + 9.4) * Sekunda, "7:05:09"},
                          Pripad{(23 * 3600 + 59 * 60) * Sekunda, "23:59:00"},
                          Pripad{3.0 + (86400 - 0.001) * Sekunda, "23:59:59"},
                          Pripad{2.0 + 9 * Sekunda, "0:00:09"},
                          Pripad{0.0, "0:00:00"}}) {
    w.stav.SimZaklad = p.cas;
    w.stav.RealZnacka = w.stav.PosledniCteni = w.prostredi.cas;
    CasovacUdalostiTimer(w.stav);
    EXPECT_EQ(w.stav.okno.hodiny, p.text) << p.cas;
  }

  w.stav.SimZaklad = 0.5;
  NastavRychlost(w.stav, 0);
  CasovacUdalostiTimer(w.stav);
  std::string stoji = w.stav.okno.hodiny;
  w.prostredi.posun(30);
  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(w.stav.okno.hodiny, stoji);
  NastavRychlost(w.stav, 1);
  w.prostredi.posun(30);
  CasovacUdalostiTimer(w.stav);
  EXPECT_NE(w.stav.okno.hodiny, stoji);
}

TEST(CasovacUdalosti, ExecutesExactlyTheDueEvents) {
  test::Svet w;
  double ted = SimCas(w.stav);
  NaplanujUdalost(w.stav, 1, 1, 0, 0, 0, ted + 5 * Sekunda);
  NaplanujUdalost(w.stav, 1, 2, 0, 0, 0, ted - 60 * Sekunda);  // already past
  NaplanujUdalost(w.stav, 1, 3, 0, 0, 0, ted + 20 * Sekunda);
  NaplanujUdalost(w.stav, 1, 4, 0, 0, 0, ted);
  NaplanujUdalost(w.stav, 0, 5, 0, 0, 0, ted);    // unknown kinds are dropped too
  NaplanujUdalost(w.stav, 42, 6, 0, 0, 0, ted);

  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(VlakyVefronte(w.stav), (std::vector<int>{1, 3}));

  w.prostredi.posun(5);
  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(VlakyVefronte(w.stav), (std::vector<int>{3}));

  // At factor 6 the remaining 15 s of simulated time pass in 2.5 s of wall time.
  NastavRychlost(w.stav, 6);
  w.prostredi.posun(2.4);
  CasovacUdalostiTimer(w.stav);
  EXPECT_EQ(VlakyVefronte(w.stav), (std::vector<int>{3}));
  w.prostredi.posun(0.2);
  CasovacUdalostiTimer(w.stav);
  EXPECT_TRUE(w.stav.fronta.prazdna());
}

TEST(CasovacUdalosti, EventsThatFallDueDuringTheTickRunInTheSameTick) {
  ZasahujiciProstredi prostredi;
  test::Svet w;
  w.stav.prostredi = &prostredi;
  w.stav.SimZaklad = w.stav.RealZnacka = w.stav.PosledniCteni = prostredi.cas;
  double ted = SimCas(w.stav);
  NaplanujUdalost(w.stav, 1, 1, 0, 0, 0, ted);
  NaplanujUdalost(w.stav, 1, 2, 0, 0, 0, ted + 60 * Sekunda);
  // While the tick runs, something schedules one more event for the present moment.
  int cteni = 0;
  prostredi.priCteni = [&] {
    if (++cteni == 3) NaplanujUdalost(w.stav, 1, 3, 0, 0, 0, ted);
  };
  CasovacUdalostiTimer(w.stav);
  EXPECT_GE(cteni, 3);
  EXPECT_EQ(VlakyVefronte(w.stav), (std::vector<int>{2}));
}

TEST(Button2Click, StepsOneDueEventAndShowsIt) {
  test::Svet w;
  double ted = SimCas(w.stav);
  Button2Click(w.stav);  // empty queue: nothing
  EXPECT_TRUE(w.prostredi.zpravy.empty());

  NaplanujUdalost(w.stav, 6, 1234, 12003, 0, 0, ted);
  NaplanujUdalost(w.stav, 2, 77, 5, 0, 0, ted);
  NaplanujUdalost(w.stav, 8, 0, 0, 0, 0, ted + 60 * Sekunda);
  NaplanujUdalost(w.stav, 1, -3, 18001, 0, 0, ted - 1 * Sekunda);

  Button2Click(w.stav);
  Button2Click(w.stav);
  Button2Click(w.stav);
  Button2Click(w.stav);  // the last one is not due yet
  EXPECT_EQ(w.prostredi.zpravy,
            (std::vector<std::string>{"1  -3  18001", "6  1234  12003", "2  77  5"}));
  EXPECT_EQ(w.stav.fronta.velikost(), 1u);
  EXPECT_FALSE(w.stav.zpravaOtevrena);
}

TEST(CasovacUdalosti, DoesNotRunWhileAMessageBoxFromTheCoreIsOpen) {
  ZasahujiciProstredi prostredi;
  test::Svet w;
  w.stav.prostredi = &prostredi;
  w.stav.SimZaklad = w.stav.RealZnacka = w.stav.PosledniCteni = prostredi.cas;
  double ted = SimCas(w.stav);
  NaplanujUdalost(w.stav, 6, 1, 12001, 0, 0, ted);
  NaplanujUdalost(w.stav, 6, 2, 12002, 0, 0, ted);
  w.stav.okno.hodiny = "pred";

  // The timer keeps firing while the box is open; the wall clock moves on meanwhile.
  std::vector<int> frontaBehemZpravy;
  prostredi.priZprave = [&] {
    prostredi.posun(1);
    CasovacUdalostiTimer(w.stav);
    frontaBehemZpravy = VlakyVefronte(w.stav);
  };
  Button2Click(w.stav);
  EXPECT_EQ(frontaBehemZpravy, (std::vector<int>{2}));
  EXPECT_EQ(w.stav.okno.hodiny, "pred");

  // Closed: the next tick catches up.
  prostredi.priZprave = nullptr;
  CasovacUdalostiTimer(w.stav);
  EXPECT_TRUE(w.stav.fronta.prazdna());
  EXPECT_NE(w.stav.okno.hodiny, "pred");
}

TEST(Modalni, DialogPausesAndResumesAtTheFactorBeforeIt) {
  test::Svet w;
  NastavRychlost(w.stav, 3);
  ZacniModalni(w.stav);
  EXPECT_EQ(w.stav.RychlostSim, 0);
  double t = SimCas(w.stav);
  w.prostredi.posun(60);
  EXPECT_DOUBLE_EQ(SimCas(w.stav), t);
  KonecModalni(w.stav);
  EXPECT_EQ(w.stav.RychlostSim, 3);

  // Opened while paused: closing resumes at the factor that ran before the pause.
  NastavRychlost(w.stav, 5);
  NastavRychlost(w.stav, 0);
  ZacniModalni(w.stav);
  KonecModalni(w.stav);
  EXPECT_EQ(w.stav.RychlostSim, 5);
}
