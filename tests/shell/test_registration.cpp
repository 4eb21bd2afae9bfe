#include "platform/registry.h"
#include "shell/com.h"
#include "shell/guid.h"
#include "shell/module_file.h"
#include "shell/registration.h"
#include "support/temp_env.h"

namespace kz::shell {
namespace {

using platform::Hive;
using platform::Registry;

constexpr const char* kClassKey = "CLSID\\{6D45C34E-6429-11D6-8835-0050BA580AEB}";

using RegistrationTest = test::TempEnvTest;

// The class key is replaced whole; other classes survive both registering and unregistering.
TEST_F(RegistrationTest, ModulePathIsFoundThroughTheProgIdUntilUnregistered) {
  ASSERT_TRUE(Registry::SetString(Hive::ClassesRoot, std::string(kClassKey) + "\\Stale", "", "x"));
  ASSERT_TRUE(Registry::SetString(Hive::ClassesRoot, "CLSID\\{0}", "", "Other Class"));
  ASSERT_EQ(RegisterServer("/opt/kz dir/libkzdlogsrv.so"), com::S_OK);
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), "/opt/kz dir/libkzdlogsrv.so");
  EXPECT_FALSE(Registry::Load(Hive::ClassesRoot).KeyExists(std::string(kClassKey) + "\\Stale"));
  ASSERT_EQ(UnregisterServer(), com::S_OK);
  EXPECT_EQ(Registry::Load(Hive::ClassesRoot).Serialize(),
            "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CLASSES_ROOT\\CLSID]\r\n"
            "\r\n[HKEY_CLASSES_ROOT\\CLSID\\{0}]\r\n@=\"Other Class\"\r\n");
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), std::nullopt);
  // Broken CLSID text is no registration either.
  ASSERT_TRUE(
      Registry::SetString(Hive::ClassesRoot, "Kzdlogsrv.DlogServer.1\\CLSID", "", "{junk}"));
  EXPECT_EQ(RegisteredModulePath("Kzdlogsrv.DlogServer.1"), std::nullopt);
}

// The module beside the program wins, then the installed library folder; with neither, the
// path beside the program is named.
TEST_F(RegistrationTest, BesideTheProgramWinsThenTheInstalledLibraryFolder) {
  const auto bin = env_.Path("usr/bin");
  const auto lib = env_.Path("usr/lib/x86_64-linux-gnu");
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(lib);
  EXPECT_EQ(ModuleFileFor(bin, "../lib/x86_64-linux-gnu"), (bin / com::kModuleFileName).string());
  test::WriteFile(lib / com::kModuleFileName, "");
  EXPECT_EQ(ModuleFileFor(bin, "../lib/x86_64-linux-gnu"), (lib / com::kModuleFileName).string());
  test::WriteFile(bin / com::kModuleFileName, "");
  EXPECT_EQ(ModuleFileFor(bin, "../lib/x86_64-linux-gnu"), (bin / com::kModuleFileName).string());
}

TEST(GuidTest, FormatsAndParsesTheRegistryForm) {
  EXPECT_EQ(FormatGuid(com::CLSID_DlogServer), "{6D45C34E-6429-11D6-8835-0050BA580AEB}");
  EXPECT_EQ(ParseGuid("{6d45c34e-6429-11d6-8835-0050ba580aeb}"), com::CLSID_DlogServer);
  for (const char* bad :
       {"", "6D45C34E-6429-11D6-8835-0050BA580AEB", "{6D45C34E-6429-11D6-8835-0050BA580AEG}",
        "{6D45C34E-6429-11D6-88350-050BA580AEB}", "{6D45C34E-6429-11D6-8835}"}) {
    EXPECT_EQ(ParseGuid(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace kz::shell
