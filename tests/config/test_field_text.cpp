// The server's field and number text: how a line splits into fields and a number is read.
#include <gtest/gtest.h>

#include "config/get_field.h"
#include "config/number_text.h"

namespace kz::config {
namespace {

TEST(GetField, FieldsAreSplitQuotedTrimmedAndCut) {
  const struct {
    const char* line;
    char separator;
    int field;
    int limit;
    const char* want;
  } cases[] = {
      {"a,`b,c`,d", ',', 1, 100, "a"},
      {"a,`b,c`,d", ',', 2, 100, "b,c"},  // a quoted separator is text
      {"a,`b,c`,d", ',', 4, 100, ""},
      {"a,b", ',', 0, 100, ""},  // field numbers below one
      {"a,,c", ',', 2, 100, ""},
      {"", ',', 1, 100, ""},
      {"abcdef,g", ',', 1, 3, "abc"},  // the limit keeps the first characters
      {"abcdef", ',', 1, 0, ""},
      {"abcdef", ',', 1, -1, ""},
      // Leading blanks do not count against the limit; trailing ones do, then are trimmed.
      {"x,  \t a  ,y", ',', 2, 100, "a"},
      {"\x01\x7f abc", ',', 1, 2, "ab"},
      {"ab  cd", ',', 1, 4, "ab"},
      {"a b\t,c", ',', 1, 100, "a b\t"},  // inner blanks and trailing tabs stay
      // A zero separator splits at each blank.
      {"a b\tc\r\nd", '\0', 3, 100, "c"},
      {"a b\tc\r\nd", '\0', 5, 100, "d"},
      {"a  b", '\0', 2, 100, ""},
      {"`a b` c", '\0', 1, 100, "a b"},
      // Quoting carries across fields: an unclosed backquote swallows every later separator,
      // and a backquote inside a description ends the quoting early.
      {"`a,b,c", ',', 1, 100, "a,b,c"},
      {"`a,b,c", ',', 2, 100, ""},
      {"`no`rth,x`,y", ',', 1, 100, "north"},
      {"`no`rth,x`,y", ',', 2, 100, "x,y"},
      {"\xe9t\xe9,\xa0x", ',', 1, 100, "\xe9t\xe9"},  // high bytes are printable
      {"\xe9t\xe9,\xa0x", ',', 2, 100, "\xa0x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.line << " #" << c.field << " limit " << c.limit);
    EXPECT_EQ(GetField(c.line, c.separator, c.field, c.limit), c.want);
  }
}

// The leading decimal number, as atoi reads it, held within 32 bits.
TEST(ParseLeadingInt, ReadsTheLeadingDecimalNumberWithinThirtyTwoBits) {
  const std::pair<std::string, int> cases[] = {
      {"12abc", 12},
      {" \t\n-7 8", -7},
      {"+42", 42},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"- 5", 0},
      {"0x10", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999999", -2147483647 - 1},
      {std::string(5000, '9'), 2147483647},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(ParseLeadingInt(text), want) << text;
}

}  // namespace
}  // namespace kz::config
