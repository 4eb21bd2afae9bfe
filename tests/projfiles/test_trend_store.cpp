#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "platform/profile.h"
#include "projfiles/trend_store.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

class TrendStoreTest : public test::TempEnvTest {};

TEST_F(TrendStoreTest, StoreLivesInTheToolsProjectsFolder) {
  platform::WritePrivateProfileString("Installation Directory", "Path32", "/opt/tool/",
                                      "velmora.ini");
  EXPECT_EQ(LocateTrendStore(), "/opt/tool/Projects/kztrendvars.dbf");
}

TEST_F(TrendStoreTest, WithoutToolInstallationTheCurrentFolderIsUsed) {
  char cwd[PATH_MAX];
  ASSERT_TRUE(getcwd(cwd, sizeof cwd));
  EXPECT_EQ(LocateTrendStore(), std::string(cwd) + "/kztrendvars.dbf");
}

}  // namespace
}  // namespace kz::projfiles
