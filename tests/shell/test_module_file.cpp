#include <filesystem>

#include "shell/com.h"
#include "shell/module_file.h"
#include "support/temp_env.h"

namespace kz::shell {
namespace {

using ModuleFileTest = test::TempEnvTest;

// The module beside the program wins, then the installed library folder; with neither, the
// path beside the program is named.
TEST_F(ModuleFileTest, BesideTheProgramWinsThenTheInstalledLibraryFolder) {
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

}  // namespace
}  // namespace kz::shell
