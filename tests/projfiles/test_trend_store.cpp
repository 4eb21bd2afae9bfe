#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "projfiles/trend_store.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
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

// Two records of one trend tag: the expression goes to the later one only.
TEST_F(TrendStoreTest, LaterRecordOfADuplicateTrendTagTakesTheExpression) {
  test::CitectInstall install;
  install.user_folder = env_.Path("User");
  install.projects = {{"Water", "", {{"PumpFlow", "Pump1_Flow"}}, {}}};
  ASSERT_TRUE(test::WriteCitectInstall(install));
  test::ScriptedUi ui;
  CCitectDataMgr mgr(ui);
  for (const char* station : {"North", "South"}) {
    auto& t = mgr.m_tags.Add();
    t.m_strCitectProj = "Water";
    t.m_strTrendVar = "PumpFlow";
    t.m_strStaName = station;
  }
  const std::string path = env_.Path("kztrendvars.dbf").string();
  ASSERT_EQ(mgr.ReadWrite(path, true), kDataOk);
  ASSERT_EQ(mgr.ReadWrite(path, false), kDataOk);
  ASSERT_EQ(mgr.m_tags.size(), 2u);
  EXPECT_EQ(mgr.m_tags[0].m_strExpr, "");
  EXPECT_EQ(mgr.m_tags[1].m_strStaName, "South");
  EXPECT_EQ(mgr.m_tags[1].m_strExpr, "Pump1_Flow");
}

}  // namespace
}  // namespace kz::projfiles
