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

// Names that fold to the same text must meet in one entry, whatever the hash buckets; bytes
// from 0x80 up and other punctuation stay distinct.
TEST(AsciiCase, NoCaseMapMeetsNamesThatDifferOnlyInAsciiCase) {
  NoCaseMap<int> map;
  for (const char* name : {"New File Mode", "ID", "\xc9t\xe9", "[a]"}) map.try_emplace(name, 1);
  const struct {
    std::string_view name;
    bool found;
  } cases[] = {
      {"new file mode", true},
      {"NEW FILE MODE", true},
      {"new file mode ", false},
      {"id", true},
      {"\xc9T\xe9", true},
      {"\xe9t\xe9", false},
      {"{A}", false},
      {"[A]", true},
  };
  for (const auto& c : cases) EXPECT_EQ(map.contains(c.name), c.found) << c.name;
  EXPECT_FALSE(map.try_emplace("new FILE mode", 2).second);
}

}  // namespace
}  // namespace kz::platform
