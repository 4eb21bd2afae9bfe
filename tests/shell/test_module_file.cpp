#include <filesystem>

#include "shell/com.h"
#include "shell/module_file.h"
#include "support/temp_env.h"

namespace kz::shell {
namespace {

using ModuleFileTest = test::TempEnvTest;

TEST_F(ModuleFileTest, BesideTheProgramWinsThenTheInstalledLibraryFolder) {
  struct Case {
    bool beside;
    bool installed;
    const char* expected;  // below the root
  };
  for (const Case c :
       {Case{true, true, "usr/bin/libkzdlogsrv.so"}, Case{true, false, "usr/bin/libkzdlogsrv.so"},
        Case{false, true, "usr/lib/x86_64-linux-gnu/libkzdlogsrv.so"},
        Case{false, false, "usr/bin/libkzdlogsrv.so"}}) {
    SCOPED_TRACE(testing::Message() << "beside " << c.beside << ", installed " << c.installed);
    std::filesystem::remove_all(env_.Path("usr"));
    const auto bin = env_.Path("usr/bin");
    const auto lib = env_.Path("usr/lib/x86_64-linux-gnu");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(lib);
    if (c.beside) test::WriteFile(bin / com::kModuleFileName, "");
    if (c.installed) test::WriteFile(lib / com::kModuleFileName, "");
    EXPECT_EQ(ModuleFileFor(bin, "../lib/x86_64-linux-gnu"), env_.Path(c.expected).string());
  }
}

}  // namespace
}  // namespace kz::shell
