// Text and number conversions.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/runtime/exceptions.h"
#include "framework/runtime/text.h"

using namespace zefa;

TEST(Val, ReadsTheLongestLeadingNumber) {
  EXPECT_EQ(Val("100"), 100.0);
  EXPECT_EQ(Val(".60"), 0.6);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("  42abc"), 42.0);
  EXPECT_EQ(Val("-3.25"), -3.25);
  EXPECT_EQ(Val("+7"), 7.0);
  EXPECT_EQ(Val("1e2"), 100.0);
  EXPECT_EQ(Val("1e"), 1.0);      // an exponent without digits is not part of the number
  EXPECT_EQ(Val("1.2.3"), 1.2);   // one decimal point only
  EXPECT_EQ(Val("12\r"), 12.0);
}

TEST(Val, NoNumberGivesZeroAndNeverNaN) {
  for (const char* t : {"", " ", ".", "-", "+.", "abc", "nan", "inf", "0x10", "\r", "e5"}) {
    double v = Val(t);
    EXPECT_FALSE(std::isnan(v)) << t;
    EXPECT_EQ(v, 0.0) << t;
  }
  EXPECT_TRUE(std::isinf(Val("1e999")));
  EXPECT_EQ(Val("1e-999"), 0.0);
}

TEST(Val, IsCorrectlyRounded) {
  // Each correlation text must become the double nearest to its decimal value.
  for (int i = 1; i <= 999; ++i) {
    char buf[8];
    std::snprintf(buf, sizeof buf, ".%03d", i);
    EXPECT_EQ(Val(buf), std::strtod(buf, nullptr)) << buf;
  }
  EXPECT_EQ(Val("0.1"), 0.1);
  EXPECT_EQ(Val("2.2250738585072011e-308"), std::strtod("2.2250738585072011e-308", nullptr));
}

TEST(Round, HalvesGoAwayFromZero) {
  EXPECT_EQ(Round(100.5), 101.0);
  EXPECT_EQ(Round(77.5), 78.0);
  EXPECT_EQ(Round(-2.5), -3.0);
  EXPECT_EQ(Round(0.49999999999999994), 0.0);
  EXPECT_EQ(Round(122.49999999999999), 122.0);
}

TEST(Str, WholeNumbersArePlainDigits) {
  EXPECT_EQ(Str(82), "82");
  EXPECT_EQ(Str(100), "100");
  EXPECT_EQ(Str(-5), "-5");
  EXPECT_EQ(Str(-0.0), "0");
  EXPECT_EQ(Str(1e20), "1e+20");
  EXPECT_EQ(Str(0.25), "0.25");
  EXPECT_THROW(Str(1, "#.00"), RuntimeError);
}

TEST(Len, CountsCharactersNotBytes) {
  EXPECT_EQ(Len(""), 0);
  EXPECT_EQ(Len("  88 - 112"), 10);
  EXPECT_EQ(Len("\xC2\xA9 2026"), 6);
  EXPECT_EQ(RuntimeAddString(" ", "82"), " 82");
}
