// Atomic replacement of files, with every step made to fail in turn.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/atomic_file.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using test::ReadFile;
using test::WriteFile;

class AtomicFileTest : public test::TempEnvTest {
 protected:
  void TearDown() override { SetAtomicWriteFaultHook(nullptr); }
  // Names in the folder, to prove that no temporary file is left behind.
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(env_.Path("d"))) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytes) {
  const auto path = env_.Path("d/f.cfg");
  std::filesystem::create_directories(path.parent_path());
  ASSERT_TRUE(WriteFileAtomically(path, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(ReadFile(path), std::string("a\0b\r\n", 5));
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

TEST_F(AtomicFileTest, EveryFailingStepReportsFalseAndLeavesTheOldBytes) {
  const auto path = env_.Path("d/f.cfg");
  WriteFile(path, "old contents");
  const std::string bytes(200000, 'x');  // large enough for several write calls on some systems
  int failing = 1;
  for (;; ++failing) {
    ASSERT_LT(failing, 1000) << "the write never completes";
    SetAtomicWriteFaultHook([failing](int step) { return step == failing; });
    errno = 0;
    if (WriteFileAtomically(path, bytes)) break;
    EXPECT_EQ(errno, EIO) << "step " << failing;
    EXPECT_EQ(ReadFile(path), "old contents") << "step " << failing;
    EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"}) << "step " << failing;
  }
  EXPECT_GE(failing, 5);  // open, write, chmod, sync, close, rename
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

TEST_F(AtomicFileTest, MissingFolderFailsWithItsReason) {
  errno = 0;
  EXPECT_FALSE(WriteFileAtomically(env_.Path("nosuch/f.cfg"), "x"));
  EXPECT_EQ(errno, ENOENT);
}

TEST_F(AtomicFileTest, SymbolicLinkIsWrittenThroughAndStaysALink) {
  const auto target = env_.Path("d/real.cfg");
  WriteFile(target, "old");
  std::filesystem::create_symlink("real.cfg", env_.Path("d/link.cfg"));
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/link.cfg"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/link.cfg")));
  EXPECT_EQ(ReadFile(target), "new");
}

TEST_F(AtomicFileTest, NewFileGetsTheUmasksPermissions) {
  std::filesystem::create_directories(env_.Path("d"));
  const mode_t old = umask(022);
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/f"), "x"));
  umask(old);
  struct stat st {};
  ASSERT_EQ(stat(env_.Path("d/f").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

}  // namespace
}  // namespace kz::platform
