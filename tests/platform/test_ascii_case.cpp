#include <gtest/gtest.h>

#include "platform/ascii_case.h"

namespace kz::platform {
namespace {

TEST(AsciiCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(AsciiLower("C:\\Data\\A.CSV"), "c:\\data\\a.csv");
  EXPECT_EQ(AsciiUpper("n\xe9z"), "N\xe9Z");
  EXPECT_EQ(AsciiLower("\xc9"), "\xc9");
}

TEST(AsciiCase, EqualsNoCaseFoldsOnlyAsciiLetters) {
  EXPECT_TRUE(EqualsNoCase("Trend.DBF", "trend.dbf"));
  EXPECT_FALSE(EqualsNoCase("trend.dbf", "trend.db"));
  EXPECT_FALSE(EqualsNoCase("\xc9", "\xe9"));
  EXPECT_FALSE(EqualsNoCase("[", "{"));
}

}  // namespace
}  // namespace kz::platform
