#include <gtest/gtest.h>

#include "platform/profile.h"
#include "platform/registry.h"
#include "projfiles/citect_install.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::projfiles {
namespace {

class CitectInstallTest : public test::TempEnvTest {
 protected:
  void Install(std::string version, std::vector<std::string> others = {}) {
    install_.user_folder = env_.Path("User");
    install_.version = std::move(version);
    install_.other_versions = std::move(others);
    ASSERT_TRUE(test::WriteCitectInstall(install_));
  }
  test::CitectInstall install_;
  test::ScriptedUi ui_;
};

TEST_F(CitectInstallTest, VersionIsTheNewestNumericSubkeyElseTheLegacyKey) {
  const struct {
    const char* version;  // "6.10" alone writes the legacy key, "" no key
    std::vector<std::string> others;
    const char* want;
  } cases[] = {
      {"7.10", {"6.10", "Tools", "7.2", "7.1"}, "7.2"}, {"6.10", {}, "6.10"}, {"", {}, ""}};
  for (const auto& c : cases) {
    test::TempEnv fresh;
    Install(c.version, c.others);
    EXPECT_EQ(GetCitectVersion(), c.want) << c.version;
  }
}

TEST_F(CitectInstallTest, VersionsCompareByTheirNumbers) {
  EXPECT_EQ(CompareVersions("6.10", "7.10"), -1);
  EXPECT_EQ(CompareVersions("7.20", "7.10"), 1);
  EXPECT_EQ(CompareVersions("7.10", "7.1"), 1);  // minor numbers 10 and 1
  EXPECT_EQ(CompareVersions("7.10", "7.10.0"), 0);
  EXPECT_EQ(CompareVersions("7.2", "7.10"), -1);
  EXPECT_EQ(CompareVersions("7.10.1", "7.10"), 1);
  EXPECT_EQ(CompareVersions("abc", "ABC"), 0);
}

// Older versions read citect.ini of the Windows directory, newer ones the ini the registry names;
// a missing version key or ini path is reported, with the application's title as caption.
TEST_F(CitectInstallTest, UserFolderComesFromTheIniOfTheVersion) {
  Install("6.10");
  EXPECT_EQ(GetCitectUserFolder("6.10", ui_), install_.user_folder.string());
  EXPECT_EQ(GetCitectUserFolder("", ui_), install_.user_folder.string());
  install_.ini_path = env_.Path("Config/Citect.ini");
  Install("7.10");
  platform::WritePrivateProfileString("CTEDIT", "USER", "/wrong", "citect.ini");
  EXPECT_EQ(GetCitectUserFolder("7.10", ui_), install_.user_folder.string());
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(GetCitectUserFolder("7.20", ui_), "");
  ASSERT_TRUE(
      platform::Registry::Modify(platform::Hive::LocalMachine, [](platform::RegistryHive& hive) {
        hive.DeleteValue("Software\\Citect\\SCADA Installs\\7.10\\CitectSCADA", "DefaultINIPath");
      }));
  EXPECT_EQ(GetCitectUserFolder("7.10", ui_), "");
  EXPECT_EQ(ui_.boxes, (std::vector<test::ScriptedUi::Box>{
                           {"Failed to open registry item\\LocalMachine\\Software\\Citect\\SCADA "
                            "Installs\\7.20\\CitectSCADA\\",
                            ""},
                           {"DefaultINIPath not found in registry.", ""}}));
}

}  // namespace
}  // namespace kz::projfiles
