#include <gtest/gtest.h>

#include "config/ini_values.h"

namespace {

using config::ParseFlag;
using config::ParseInt;
using config::ParseList4;
using config::ParsePair;

TEST(IniValues, IntegersStopAtTheFirstNonDigit) {
  EXPECT_EQ(ParseInt("  42abc"), 42);
  EXPECT_EQ(ParseInt("-17"), -17);
  EXPECT_EQ(ParseInt("+8"), 8);
  EXPECT_EQ(ParseInt("x12"), 0);
  EXPECT_EQ(ParseInt(""), 0);
  EXPECT_EQ(ParseInt("- 5"), 0);
  EXPECT_EQ(ParseInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(ParseInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(IniValues, PairsSplitAtTheFirstBlankOrComma) {
  EXPECT_EQ(ParsePair("1000, 700"), (std::array<int, 2>{1000, 700}));
  EXPECT_EQ(ParsePair("  ,,3000 2000"), (std::array<int, 2>{3000, 2000}));
  EXPECT_EQ(ParsePair("1280"), (std::array<int, 2>{1280, 0}));
  // Each part is cut to seven characters before conversion.
  EXPECT_EQ(ParsePair("123456789,12345678"), (std::array<int, 2>{1234567, 1234567}));
}

TEST(IniValues, ListsOfFourTakeTheRestAsTheLast) {
  EXPECT_EQ(ParseList4("-50, -50, 9000, 9000"), (std::array<int, 4>{-50, -50, 9000, 9000}));
  EXPECT_EQ(ParseList4("100, 200"), (std::array<int, 4>{100, 200, 0, 0}));
  EXPECT_EQ(ParseList4("1 2 3 4 5"), (std::array<int, 4>{1, 2, 3, 4}));
}

TEST(IniValues, FlagsFlipOnlyOnTheirWord) {
  EXPECT_TRUE(ParseFlag("TRUE", "true", false));
  EXPECT_FALSE(ParseFlag("yes", "true", false));
  EXPECT_FALSE(ParseFlag("False", "false", true));
  EXPECT_TRUE(ParseFlag("true", "false", true));
  EXPECT_FALSE(ParseFlag("", "true", false));
}

}  // namespace
