#include <gtest/gtest.h>

#include "config/number_text.h"

namespace kz::config {
namespace {

TEST(ParseLeadingInt, ReadsTheLeadingDecimalNumberLikeAtoi) {
  EXPECT_EQ(ParseLeadingInt("12abc"), 12);
  EXPECT_EQ(ParseLeadingInt(" \t\n-7 8"), -7);
  EXPECT_EQ(ParseLeadingInt("+42"), 42);
  EXPECT_EQ(ParseLeadingInt("abc"), 0);
  EXPECT_EQ(ParseLeadingInt(""), 0);
  EXPECT_EQ(ParseLeadingInt("-"), 0);
  EXPECT_EQ(ParseLeadingInt("- 5"), 0);
  EXPECT_EQ(ParseLeadingInt("0x10"), 0);
}

TEST(ParseLeadingInt, ValuesBeyondThirtyTwoBitsStopAtTheLimit) {
  EXPECT_EQ(ParseLeadingInt("2147483647"), 2147483647);
  EXPECT_EQ(ParseLeadingInt("2147483648"), 2147483647);
  EXPECT_EQ(ParseLeadingInt("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseLeadingInt("-99999999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(ParseLeadingInt(std::string(5000, '9')), 2147483647);
}

TEST(AsciiCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(AsciiLower("C:\\Data\\A.CSV"), "c:\\data\\a.csv");
  EXPECT_EQ(AsciiUpper("n\xe9z"), "N\xe9Z");
  EXPECT_EQ(AsciiLower("\xc9"), "\xc9");
}

}  // namespace
}  // namespace kz::config
