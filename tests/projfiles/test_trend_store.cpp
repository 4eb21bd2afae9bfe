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

TEST_F(TrendStoreTest, FieldsMakeTheFixedLayout) {
  const auto fields = TrendStoreFields();
  ASSERT_EQ(fields.size(), 6u);
  EXPECT_EQ(fields[0].Name(), "CITECTPRJ");
  EXPECT_EQ(fields[5].Name(), "KZTAGNAME");
  int record = 1;
  for (const auto& f : fields) record += f.m_nLength;
  EXPECT_EQ(record, 623);
}

}  // namespace
}  // namespace kz::projfiles
