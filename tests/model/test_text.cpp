#include <gtest/gtest.h>

#include <random>

#include "model/kodovani.h"
#include "model/text.h"

using namespace stanovar;

TEST(PrevedCislo, EdgesOfTheRangeAndTheSignRule) {
  struct Pripad {
    const char* t;
    std::int32_t hodnota;
    bool cele;
  };
  const Pripad pripady[] = {
      {"2147483647", 2147483647, true},
      {"-2147483648", -2147483647 - 1, true},
      {"2147483648", 214748364, false},    // one too many: the last digit ends the number
      {"-2147483649", 214748364, false},   // not valid, so without its sign
      {"-2147483648x", 214748364, false},  // the extra negative value does not fit unsigned
      {"-$80000000", -2147483647 - 1, true},
      {"-$FFFFFFFF", 1, true},
      {"$FFFFFFFF", -1, true},
      {"-5 ", 5, false},
      {"  -5", -5, true},
      {"", 0, false},
  };
  for (const auto& p : pripady) {
    bool cele = !p.cele;
    EXPECT_EQ(PrevedCislo(p.t, &cele), p.hodnota) << p.t;
    EXPECT_EQ(cele, p.cele) << p.t;
  }
}

TEST(Kodovani, CodePageAndUtf8MeetWithoutLoss) {
  // "nádraží" in windows-1250 and in UTF-8.
  const std::string cp = "n\xe1" "dra\x9e\xed", utf = "n\xc3\xa1" "dra\xc5\xbe\xc3\xad";
  EXPECT_EQ(Cp1250NaUtf8(cp), utf);
  EXPECT_EQ(Utf8NaCp1250(utf), cp);
  // Every defined byte goes to UTF-8 and back unchanged; undefined ones and characters the
  // code page lacks (and broken UTF-8) become replacement marks, never crashes.
  for (int b = 1; b < 256; ++b) {
    const std::string t(1, static_cast<char>(b));
    const std::string zpet = Utf8NaCp1250(Cp1250NaUtf8(t));
    const bool nedefinovany = b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
    EXPECT_EQ(zpet, nedefinovany ? "?" : t) << b;
  }
  EXPECT_EQ(Utf8NaCp1250("\xd0\x96" "a\xe2\x82" "b\xff"), "?a??b?");
  std::mt19937 g(7);
  for (int i = 0; i < 2000; ++i) {
    std::string sum;
    for (int k = 0; k < 12; ++k) sum += static_cast<char>(g() & 0xFF);
    EXPECT_LE(Utf8NaCp1250(sum).size(), sum.size());
  }
}
