#include <gtest/gtest.h>

#include "config/get_field.h"

namespace kz::config {
namespace {

TEST(GetField, QuotedSeparatorIsText) {
  const std::string line = "a,`b,c`,d";
  EXPECT_EQ(GetField(line, ',', 1, 100), "a");
  EXPECT_EQ(GetField(line, ',', 2, 100), "b,c");
  EXPECT_EQ(GetField(line, ',', 3, 100), "d");
  EXPECT_EQ(GetField(line, ',', 4, 100), "");
}

TEST(GetField, FieldNumbersBelowOneGiveEmpty) {
  EXPECT_EQ(GetField("a,b", ',', 0, 100), "");
  EXPECT_EQ(GetField("a,b", ',', -3, 100), "");
}

TEST(GetField, LengthLimitKeepsTheFirstCharacters) {
  EXPECT_EQ(GetField("abcdef,g", ',', 1, 3), "abc");
  EXPECT_EQ(GetField("abcdef", ',', 1, 0), "");
  EXPECT_EQ(GetField("abcdef", ',', 1, -1), "");
}

TEST(GetField, LeadingBlanksAreNotCountedAgainstTheLimit) {
  EXPECT_EQ(GetField("x,  \t a  ,y", ',', 2, 100), "a");
  EXPECT_EQ(GetField("\x01\x7f abc", ',', 1, 2), "ab");
  // Trailing spaces count against the limit and are trimmed afterwards.
  EXPECT_EQ(GetField("ab  cd", ',', 1, 4), "ab");
}

TEST(GetField, InnerBlanksAndTrailingTabsStay) {
  EXPECT_EQ(GetField("a b\t,c", ',', 1, 100), "a b\t");
}

TEST(GetField, EmptyFieldsBetweenSeparators) {
  EXPECT_EQ(GetField("a,,c", ',', 2, 100), "");
  EXPECT_EQ(GetField("a,,c", ',', 3, 100), "c");
  EXPECT_EQ(GetField("", ',', 1, 100), "");
}

TEST(GetField, ZeroSeparatorSplitsAtEachBlank) {
  EXPECT_EQ(GetField("a b\tc\r\nd", '\0', 3, 100), "c");
  EXPECT_EQ(GetField("a b\tc\r\nd", '\0', 5, 100), "d");
  EXPECT_EQ(GetField("a  b", '\0', 2, 100), "");
  EXPECT_EQ(GetField("`a b` c", '\0', 1, 100), "a b");
}

TEST(GetField, QuotingCarriesAcrossFields) {
  // An unclosed backquote in field 1 swallows every later separator.
  EXPECT_EQ(GetField("`a,b,c", ',', 1, 100), "a,b,c");
  EXPECT_EQ(GetField("`a,b,c", ',', 2, 100), "");
  // A backquote inside a description ends the quoting early.
  EXPECT_EQ(GetField("`no`rth,x`,y", ',', 1, 100), "north");
  EXPECT_EQ(GetField("`no`rth,x`,y", ',', 2, 100), "x,y");
}

TEST(GetField, HighBytesArePrintable) {
  EXPECT_EQ(GetField("\xe9t\xe9,\xa0x", ',', 1, 100), "\xe9t\xe9");
  EXPECT_EQ(GetField("\xe9t\xe9,\xa0x", ',', 2, 100), "\xa0x");
}

}  // namespace
}  // namespace kz::config
