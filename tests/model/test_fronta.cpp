#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "model/fronta.h"

using namespace stanovar;

namespace {

RUdalost Udalost(double cas, int vlak, std::uint16_t druh = 1) {
  RUdalost u;
  u.cas = cas;
  u.vlak = vlak;
  u.druh = druh;
  return u;
}

std::vector<int> Vlaky(const FrontaUdalosti& f) {
  std::vector<int> v;
  for (const auto& [h, u] : f.seznam()) v.push_back(u.vlak);
  return v;
}

// Empties the queue from its earliest event on, as the main loop does.
std::vector<int> VyberVse(FrontaUdalosti& f) {
  std::vector<int> v;
  RUdalost u;
  while (f.vyjmi(f.nejdrivejsiHandle(), &u)) v.push_back(u.vlak);
  return v;
}

}  // namespace

TEST(FrontaUdalosti, TimeOrderWithFirstInFirstOutAmongEqualTimes) {
  FrontaUdalosti f;
  EXPECT_TRUE(f.prazdna());
  EXPECT_EQ(f.nejdrivejsi(), nullptr);
  EXPECT_EQ(f.nejdrivejsiHandle(), 0u);

  f.vloz(Udalost(0.5, 1));
  f.vloz(Udalost(0.7, 2));
  f.vloz(Udalost(0.5, 3));
  f.vloz(Udalost(0.6, 4));
  f.vloz(Udalost(0.5, 5));
  EXPECT_EQ(Vlaky(f), (std::vector<int>{1, 3, 5, 4, 2}));

  // Earlier than everything queued: becomes the earliest at once.
  f.vloz(Udalost(0.1, 6));
  ASSERT_NE(f.nejdrivejsi(), nullptr);
  EXPECT_EQ(f.nejdrivejsi()->vlak, 6);
  EXPECT_EQ(f.velikost(), 6u);
  EXPECT_EQ(VyberVse(f), (std::vector<int>{6, 1, 3, 5, 4, 2}));
  EXPECT_TRUE(f.prazdna());
}

TEST(FrontaUdalosti, RemovalByHandleFromAnywhereKeepsTheOrder) {
  FrontaUdalosti f;
  std::vector<FrontaUdalosti::Handle> h;
  for (int i = 0; i < 12; ++i) h.push_back(f.vloz(Udalost(0.25 + (i % 4) * 0.01, i)));
  // Order: times 0.25 (0, 4, 8), 0.26 (1, 5, 9), 0.27 (2, 6, 10), 0.28 (3, 7, 11).
  RUdalost ven;
  ASSERT_TRUE(f.vyjmi(h[5], &ven));
  EXPECT_EQ(ven.vlak, 5);
  EXPECT_DOUBLE_EQ(ven.cas, 0.26);
  ASSERT_TRUE(f.vyjmi(h[0]));
  ASSERT_TRUE(f.vyjmi(h[11]));
  EXPECT_FALSE(f.obsahuje(h[5]));
  EXPECT_TRUE(f.obsahuje(h[6]));
  EXPECT_EQ(f.najdi(h[6])->vlak, 6);
  // A handle is good for one removal only.
  EXPECT_FALSE(f.vyjmi(h[5], &ven));
  EXPECT_EQ(ven.vlak, 5);  // left untouched by the failed removal
  EXPECT_FALSE(f.vyjmi(0));
  EXPECT_EQ(Vlaky(f), (std::vector<int>{4, 8, 1, 9, 2, 6, 10, 3, 7}));
  EXPECT_EQ(VyberVse(f), (std::vector<int>{4, 8, 1, 9, 2, 6, 10, 3, 7}));
}

TEST(FrontaUdalosti, HandlesOfGoneEventsNeverMatchNewOnes) {
  FrontaUdalosti f;
  auto a = f.vloz(Udalost(1.0, 1));
  auto b = f.vloz(Udalost(2.0, 2));
  ASSERT_TRUE(f.vyjmi(a));
  auto c = f.vloz(Udalost(3.0, 3));  // reuses the storage of the first event
  EXPECT_NE(a, c);
  EXPECT_FALSE(f.vyjmi(a));
  EXPECT_TRUE(f.obsahuje(c));

  f.vyprazdni();
  EXPECT_TRUE(f.prazdna());
  EXPECT_FALSE(f.obsahuje(b));
  EXPECT_FALSE(f.obsahuje(c));
  auto d = f.vloz(Udalost(4.0, 4));
  auto e = f.vloz(Udalost(5.0, 5));
  for (auto stary : {a, b, c}) {
    EXPECT_NE(stary, d);
    EXPECT_NE(stary, e);
    EXPECT_FALSE(f.vyjmi(stary));
  }
  EXPECT_EQ(Vlaky(f), (std::vector<int>{4, 5}));
}

TEST(FrontaUdalosti, TimeThatIsNotANumberIsDueFirstAndKeepsTheRestOrdered) {
  FrontaUdalosti f;
  f.vloz(Udalost(0.3, 1));
  f.vloz(Udalost(std::numeric_limits<double>::quiet_NaN(), 2));
  f.vloz(Udalost(0.2, 3));
  f.vloz(Udalost(0.4, 4));
  f.vloz(Udalost(0.1, 5));
  EXPECT_EQ(VyberVse(f), (std::vector<int>{2, 5, 3, 1, 4}));
}

// Random schedules, removals by handle and removals of the earliest, checked step by step
// against a plain sorted list.
TEST(FrontaUdalosti, AgreesWithASortedListUnderRandomUse) {
  struct Vzor {
    double cas;
    int poradi;
    FrontaUdalosti::Handle h;
  };
  std::mt19937 rng(20240611);
  FrontaUdalosti f;
  std::vector<Vzor> vzor;  // kept in execution order
  int poradi = 0;
  for (int krok = 0; krok < 20000; ++krok) {
    // The queue grows to a few hundred events and then hovers there, so that removals hit
    // deep subtrees whose refill must move up as well as down.
    int akce = static_cast<int>(rng() % 10);
    bool vlozit = vzor.size() < 300 ? akce < 7 : akce < 4;
    if (vlozit || vzor.empty()) {
      // Few distinct times, so that ties are common.
      double cas = static_cast<double>(rng() % 200) / 256.0;
      auto h = f.vloz(Udalost(cas, poradi));
      Vzor v{cas, poradi++, h};
      auto kam = std::upper_bound(vzor.begin(), vzor.end(), v, [](const Vzor& a, const Vzor& b) {
        return a.cas < b.cas || (a.cas == b.cas && a.poradi < b.poradi);
      });
      vzor.insert(kam, v);
    } else if (akce % 2 == 0) {
      RUdalost u;
      ASSERT_TRUE(f.vyjmi(f.nejdrivejsiHandle(), &u));
      EXPECT_EQ(u.vlak, vzor.front().poradi);
      vzor.erase(vzor.begin());
    } else {
      std::size_t i = rng() % vzor.size();
      RUdalost u;
      ASSERT_TRUE(f.vyjmi(vzor[i].h, &u));
      EXPECT_EQ(u.vlak, vzor[i].poradi);
      vzor.erase(vzor.begin() + static_cast<std::ptrdiff_t>(i));
    }
    ASSERT_EQ(f.velikost(), vzor.size());
    if (!vzor.empty()) {
      ASSERT_EQ(f.nejdrivejsi()->vlak, vzor.front().poradi) << "step " << krok;
    }
  }
  auto seznam = f.seznam();
  ASSERT_EQ(seznam.size(), vzor.size());
  for (std::size_t i = 0; i < vzor.size(); ++i) {
    EXPECT_EQ(seznam[i].first, vzor[i].h);
    EXPECT_EQ(seznam[i].second.vlak, vzor[i].poradi);
  }
}
