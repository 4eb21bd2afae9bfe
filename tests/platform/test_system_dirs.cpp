// Where the Windows folders live.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system_dirs.h"
#include "support/scoped_user_id.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

class SystemDirsTest : public test::TempEnvTest {};

TEST_F(SystemDirsTest, VariablesNameTheFoldersAndConfigHomeIsTheFallback) {
  EXPECT_EQ(WindowsDirectory(), env_.windir());
  EXPECT_EQ(RegistryDirectory(), env_.registry());
  env_.SetVar("KZDLOGSRV_WINDIR", nullptr);
  env_.SetVar("KZDLOGSRV_REGISTRY", nullptr);
  EXPECT_EQ(RegistryDirectory(), env_.root() / "config" / "kzdlogsrv" / "registry");
  ASSERT_TRUE(CreateWindowsDirectory());
  EXPECT_TRUE(std::filesystem::is_directory(env_.root() / "config" / "kzdlogsrv"));
  // A relative XDG_CONFIG_HOME is ignored, as XDG says.
  env_.SetVar("XDG_CONFIG_HOME", "relative");
  env_.SetVar("HOME", env_.root().c_str());
  EXPECT_EQ(WindowsDirectory(), env_.root() / ".config" / "kzdlogsrv");
}

TEST_F(SystemDirsTest, RuntimeDirectoryIsCreatedPrivateAndRefusedWhenOpenToOthers) {
  const auto dir = env_.runtime() / "kzdlogsrv";
  const auto made = RuntimeDirectory();
  ASSERT_TRUE(made) << made.status().message();
  ASSERT_EQ(*made, dir);
  EXPECT_EQ(std::filesystem::status(dir).permissions(), std::filesystem::perms::owner_all);
  chmod(dir.c_str(), 0755);
  EXPECT_EQ(RuntimeDirectory().status().message(),
            dir.string() + ": is not a folder of this user's alone (mode 0700, not a link)");
  std::filesystem::remove(dir);
  std::filesystem::create_directory_symlink(env_.root(), dir);
  EXPECT_TRUE(RuntimeDirectory().status().Is(Status::Kind::kNotOwned));
}

TEST_F(SystemDirsTest, WithoutARuntimeDirectoryThePrivateFolderLiesInTheUsersHome) {
  env_.SetVar("XDG_RUNTIME_DIR", nullptr);
  env_.SetVar("XDG_STATE_HOME", nullptr);
  env_.SetVar("HOME", env_.root().c_str());
  const auto made = RuntimeDirectory();
  ASSERT_TRUE(made) << made.status().message();
  const auto dir = *made;
  ASSERT_EQ(dir.parent_path(), env_.root() / ".local" / "state" / "kzdlogsrv");
  EXPECT_TRUE(dir.filename().string().starts_with("run-")) << dir;
  EXPECT_EQ(std::filesystem::symlink_status(dir).permissions(), std::filesystem::perms::owner_all);

  env_.SetVar("XDG_STATE_HOME", env_.Path("state").c_str());
  EXPECT_EQ(RuntimeDirectory().status().message(), "ok");
  EXPECT_EQ(*RuntimeDirectory(), env_.Path("state") / "kzdlogsrv" / dir.filename());
  test::ScopedUserId other;
  EXPECT_FALSE(RuntimeDirectory()) << "taken by someone else first";
}

}  // namespace
}  // namespace kz::platform
