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

}  // namespace
}  // namespace kz::config
