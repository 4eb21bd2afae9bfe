// Finding files named by Windows-made data whatever their letter case.
#include <gtest/gtest.h>

#include "platform/file_lookup.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

class ResolveCaseTest : public test::TempEnvTest {
 protected:
  std::string P(std::string_view rel) const { return env_.Path(rel).string(); }
};

TEST_F(ResolveCaseTest, EveryComponentIsMatchedWithoutCase) {
  test::WriteFile(env_.Path("Citect/User/Proj/TREND.DBF"), "x");
  EXPECT_EQ(ResolveCase(P("Citect/User/Proj/TREND.DBF")), P("Citect/User/Proj/TREND.DBF"));
  EXPECT_EQ(ResolveCase(P("citect/USER/proj/trend.dbf")), P("Citect/User/Proj/TREND.DBF"));
  // A folder, and a trailing separator.
  EXPECT_EQ(ResolveCase(P("CITECT/user/")), P("Citect/User/"));
}

TEST_F(ResolveCaseTest, SeveralMatchesGiveTheFirstInSortedOrder) {
  test::WriteFile(env_.Path("d/master.dbf"), "x");
  test::WriteFile(env_.Path("d/MASTER.DBF"), "x");
  test::WriteFile(env_.Path("d/Master.dbf"), "x");
  EXPECT_EQ(ResolveCase(P("d/MASTER.dbf")), P("d/MASTER.DBF"));
}

TEST_F(ResolveCaseTest, NewFileGoesIntoTheFoldersThatExistInAnotherCase) {
  test::WriteFile(env_.Path("Tool/Projects/a.dbf"), "x");
  EXPECT_EQ(ResolveCase(P("tool/PROJECTS/New.Dbf")), P("Tool/Projects/New.Dbf"));
  EXPECT_EQ(ResolveCase(P("TOOL/newdir/")), P("Tool/newdir/"));
}

TEST_F(ResolveCaseTest, MissingFolderLeavesThePathUnchanged) {
  test::WriteFile(env_.Path("d/a.dbf"), "x");
  EXPECT_EQ(ResolveCase(P("D/nosuch/A.DBF")), P("D/nosuch/A.DBF"));
  EXPECT_EQ(ResolveCase(P("nosuch/A.DBF")), P("nosuch/A.DBF"));
  EXPECT_EQ(ResolveCase(""), "");
}

TEST_F(ResolveCaseTest, RelativePathsResolveFromTheCurrentFolder) {
  test::WriteFile(env_.Path("Rel/File.Txt"), "x");
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(env_.root());
  const auto resolved = ResolveCase("rel/file.txt");
  std::filesystem::current_path(old);
  EXPECT_EQ(resolved, "Rel/File.Txt");
}

}  // namespace
}  // namespace kz::platform
