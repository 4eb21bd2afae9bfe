// Letter case: only ASCII letters fold, and files named by Windows-made data are found whatever
// their case.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/file_lookup.h"
#include "platform/no_case_index.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using ResolveCaseTest = test::TempEnvTest;

// Of several matches the first in sorted order; a new file goes into the folders that exist in
// another case; with a folder missing, the path stays as asked.
TEST_F(ResolveCaseTest, EveryComponentIsMatchedWithoutCase) {
  for (const char* file : {"Citect/User/TREND.DBF", "d/master.dbf", "d/MASTER.DBF", "d/Master.dbf"})
    test::WriteFile(env_.Path(file), "x");
  const struct {
    const char* asked;
    const char* found;
  } cases[] = {
      {"citect/USER/trend.dbf", "Citect/User/TREND.DBF"},
      {"CITECT/user/", "Citect/User/"},
      {"d/MASTER.dbf", "d/MASTER.DBF"},
      {"citect/USER/New.Dbf", "Citect/User/New.Dbf"},
      {"CITECT/newdir/", "Citect/newdir/"},
      {"D/nosuch/A.DBF", "D/nosuch/A.DBF"},
      {"nosuch/A.DBF", "nosuch/A.DBF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolveCase(env_.Path(c.asked).string()), env_.Path(c.found));
  EXPECT_EQ(ResolveCase(""), "");
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(env_.root());
  const auto relative = ResolveCase("citect/user/trend.dbf");
  std::filesystem::current_path(old);
  EXPECT_EQ(relative, "Citect/User/TREND.DBF");
}

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

// The index against a map of the same names through growth, erasures and names coming back:
// each name is found in any case at the position it was first given, and nothing erased is.
TEST(NoCaseIndex, FindsWhatAMapFindsThroughGrowthAndErasures) {
  std::vector<std::string> names;
  const auto name_of = [&](NoCaseIndex::Pos pos) { return std::string_view(names[pos]); };
  NoCaseIndex index;
  std::map<std::string, NoCaseIndex::Pos> expected;  // by lower-cased name
  const auto add = [&](const std::string& name) {
    names.push_back(name);
    const auto pos = static_cast<NoCaseIndex::Pos>(names.size() - 1);
    const auto [stored, added] = index.TryEmplace(name, pos, name_of);
    const auto [it, fresh] = expected.try_emplace(AsciiLower(name), pos);
    EXPECT_EQ(added, fresh) << name;
    EXPECT_EQ(*stored, it->second) << name;
  };
  for (int i = 0; i < 3000; ++i) add("Section" + std::to_string(i % 2000));
  for (int i = 0; i < 2000; i += 3) {
    index.Erase(index.Find("SECTION" + std::to_string(i), name_of));
    expected.erase("section" + std::to_string(i));
  }
  for (int i = 0; i < 600; i += 2) add("section" + std::to_string(i));
  EXPECT_EQ(index.size(), expected.size());
  for (int i = 0; i < 2100; ++i) {
    const std::string name = "sEcTiOn" + std::to_string(i);
    const NoCaseIndex::Pos* found = index.Find(name, name_of);
    const auto it = expected.find(AsciiLower(name));
    ASSERT_EQ(found != nullptr, it != expected.end()) << name;
    if (found) {
      EXPECT_EQ(*found, it->second) << name;
    }
  }
}

}  // namespace
}  // namespace kz::platform
