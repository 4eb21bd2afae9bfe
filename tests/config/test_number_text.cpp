#include <gtest/gtest.h>

#include "config/number_text.h"

namespace kz::config {
namespace {

// The leading decimal number, as atoi reads it, held within 32 bits.
TEST(ParseLeadingInt, ReadsTheLeadingDecimalNumberWithinThirtyTwoBits) {
  const std::pair<std::string, int> cases[] = {
      {"12abc", 12},        {" \t\n-7 8", -7},           {"+42", 42},
      {"abc", 0},           {"", 0},                     {"-", 0},
      {"- 5", 0},           {"0x10", 0},                 {"2147483647", 2147483647},
      {"2147483648", 2147483647}, {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999999", -2147483647 - 1}, {std::string(5000, '9'), 2147483647},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(ParseLeadingInt(text), want) << text;
}

}  // namespace
}  // namespace kz::config
