#include <gtest/gtest.h>

#include "config/ini_values.h"

namespace {

using config::ParseInt;

TEST(IniValues, IntegersStopAtTheFirstNonDigitAndSaturate) {
  EXPECT_EQ(ParseInt("  42abc"), 42);
  EXPECT_EQ(ParseInt("-17"), -17);
  EXPECT_EQ(ParseInt("+8"), 8);
  EXPECT_EQ(ParseInt("x12"), 0);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("- 5"), 0);
  EXPECT_EQ(ParseInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseInt("-99999999999999999999"), -2147483647 - 1);
}

// Parts split at the first blank or comma after leading ones; the last part is the whole rest.
TEST(IniValues, PairsAndListsOfFour) {
  EXPECT_EQ(config::ParsePair("  ,,3000 2000"), (std::array<int, 2>{3000, 2000}));
  EXPECT_EQ(config::ParsePair("1280"), (std::array<int, 2>{1280, 0}));
  // Each part is cut to seven characters before conversion.
  EXPECT_EQ(config::ParsePair("123456789,12345678"), (std::array<int, 2>{1234567, 1234567}));
  EXPECT_EQ(config::ParseList4("1 2 3 4 5"), (std::array<int, 4>{1, 2, 3, 4}));
}

}  // namespace
