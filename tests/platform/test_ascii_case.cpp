#include <gtest/gtest.h>

#include "platform/ascii_case.h"

namespace kz::platform {
namespace {

// Only ASCII letters fold: bytes from 0x80 up and punctuation 0x20 apart ('[' and '{') stay
// distinct, in comparisons and in the keys of a map alike, whatever its hash buckets.
TEST(AsciiCase, OnlyAsciiLettersFold) {
  EXPECT_EQ(AsciiLower("C:\\Data\\A.CSV\xc9"), "c:\\data\\a.csv\xc9");
  EXPECT_EQ(AsciiUpper("n\xe9z"), "N\xe9Z");
  NoCaseMap<int> map;
  for (const char* name : {"New File Mode", "\xc9t\xe9", "[a]"}) map.try_emplace(name, 1);
  const struct {
    std::string_view a, b;
    bool equal;
  } cases[] = {{"New File Mode", "NEW FILE MODE", true},
               {"New File Mode", "new file mode ", false},
               {"\xc9t\xe9", "\xc9T\xe9", true},
               {"\xc9t\xe9", "\xe9t\xe9", false},
               {"[a]", "[A]", true},
               {"[a]", "{A}", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.b;
    EXPECT_EQ(map.contains(c.b), c.equal) << c.b;
  }
}

}  // namespace
}  // namespace kz::platform
