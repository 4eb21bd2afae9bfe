// Finding files named by Windows-made data whatever their letter case.
#include <gtest/gtest.h>

#include "platform/file_lookup.h"
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

}  // namespace
}  // namespace kz::platform
