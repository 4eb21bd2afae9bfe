// Atomic replacement of files, with every step made to fail in turn.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "platform/atomic_file.h"
#include "platform/file_faults.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using test::ReadFile;
using test::WriteFile;

class AtomicFileTest : public test::TempEnvTest {
 protected:
  std::vector<std::string> Listing() const { return test::FileNames(env_.Path("d")); }
  static mode_t Mode(const std::filesystem::path& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
  }
  const std::filesystem::path path_ = env_.Path("d/f.cfg");
};

// Exact bytes through a symbolic link; a new file gets the umask's permissions, a replaced one
// keeps its own, also after every step of the save has failed in turn.
TEST_F(AtomicFileTest, ReplacesWithExactBytesOrLeavesTheOldOnesAtEveryFailingStep) {
  WriteFile(path_, "old contents");
  std::filesystem::create_symlink("f.cfg", env_.Path("d/link.cfg"));
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/link.cfg"), std::string("a\0b\r\n", 5)));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/link.cfg")));
  EXPECT_EQ(ReadFile(path_), std::string("a\0b\r\n", 5));
  std::filesystem::remove(env_.Path("d/link.cfg"));
  // A dangling link gets its target created; a loop of links fails and stays.
  std::filesystem::create_symlink("made.cfg", env_.Path("d/dangling.cfg"));
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/dangling.cfg"), "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/dangling.cfg")));
  EXPECT_EQ(ReadFile(env_.Path("d/made.cfg")), "made");
  std::filesystem::create_symlink("loop.cfg", env_.Path("d/loop.cfg"));
  EXPECT_FALSE(WriteFileAtomically(env_.Path("d/loop.cfg"), "x"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/loop.cfg")));
  for (const char* name : {"dangling.cfg", "made.cfg", "loop.cfg"}) {
    std::filesystem::remove(env_.Path("d") / name);
  }
  const mode_t old = umask(027);
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/new.cfg"), "x"));
  umask(old);
  EXPECT_EQ(Mode(env_.Path("d/new.cfg")), 0640u);
  std::filesystem::remove(env_.Path("d/new.cfg"));
  WriteFile(path_, "old contents");
  EXPECT_TRUE(WriteFileAtomically(env_.Path("nosuch/f.cfg"), "x").Is(Status::Kind::kNotFound));

  ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
  const std::string bytes(200000, 'x');  // large enough for several write calls on some systems
  Status last;
  const int steps = test::FailEachStepInTurn(
      [&] {
        last = WriteFileAtomically(path_, bytes);
        return last.ok();
      },
      [&](const std::string& step) {
        EXPECT_EQ(last.error(), EIO) << step;
        EXPECT_FALSE(last.file().empty()) << step;
        EXPECT_EQ(ReadFile(path_), "old contents") << step;
        EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"}) << step;
      });
  EXPECT_GE(steps, 6);  // open, mode, write, sync, close, rename
  EXPECT_EQ(ReadFile(path_), bytes);
  EXPECT_EQ(Mode(path_), 0640u);
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

class AtomicFileOwnershipTest : public AtomicFileTest {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to hand files to another account";
    // A folder the other account may write in, as a shared configuration folder is.
    std::filesystem::create_directories(env_.Path("d"));
    chmod(env_.root().c_str(), 0755);
    chmod(env_.Path("d").c_str(), 0777);
  }
};

// The saver replaces a file of another account keeping owner, group and mode, and refuses a
// file it may not write.
TEST_F(AtomicFileOwnershipTest, ReplacedFileKeepsOwnerGroupAndModeAndAReadOnlyOneIsRefused) {
  WriteFile(path_, "old");
  ASSERT_EQ(chown(path_.c_str(), 65534, 65534), 0);
  ASSERT_EQ(chmod(path_.c_str(), 0604), 0);
  ASSERT_TRUE(WriteFileAtomically(path_, "new"));
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(65534u, 65534u));
  EXPECT_EQ(Mode(path_), 0604u);
  ASSERT_EQ(chown(path_.c_str(), 0, 0), 0);
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  EXPECT_TRUE(test::InChildProcesses(1, [&](int) {
    return setgid(65534) == 0 && setuid(65534) == 0 &&
           WriteFileAtomically(path_, "newer").Is(Status::Kind::kPermissionDenied);
  }));
  EXPECT_EQ(ReadFile(path_), "new");
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

// At every step, no file in the folder other than the old one holds content under another mode
// than the old one's, whether it has a name yet or not.
TEST_F(AtomicFileTest, NewContentIsNeverUnderOtherPermissions) {
  WriteFile(path_, "old");
  ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
  struct stat target {};
  ASSERT_EQ(stat(path_.c_str(), &target), 0);
  const mode_t old_umask = umask(0);
  int checked = 0;
  SetFileFaultHook([&](FileStep) {
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
      // Open files of the folder only; an unnamed one shows as "FOLDER/#INODE (deleted)".
      std::error_code ec;
      const auto open_file = std::filesystem::read_symlink(e.path(), ec).string();
      struct stat st {};
      if (ec || !open_file.starts_with(env_.Path("d/").string()) ||
          stat(e.path().c_str(), &st) != 0 || st.st_size == 0 || st.st_ino == target.st_ino) {
        continue;
      }
      ++checked;
      EXPECT_EQ(st.st_mode & 07777, 0600u) << open_file;
    }
    return false;
  });
  EXPECT_TRUE(WriteFileAtomically(path_, std::string(100000, 'n')));
  SetFileFaultHook(nullptr);
  umask(old_umask);
  EXPECT_GT(checked, 0);
}

TEST_F(AtomicFileTest, NextSaveRemovesTheTemporaryFilesOfEndedSaves) {
  WriteFile(path_, "old");
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  waitpid(ended, nullptr, 0);
  const std::string dead = ".f.cfg.kztmp-" + std::to_string(ended) + "-0";
  const std::string live = ".f.cfg.kztmp-" + std::to_string(getppid()) + "-0";
  const std::string other = ".g.cfg.kztmp-" + std::to_string(ended) + "-0";
  const std::string earlier = "f.cfg.tmp-" + std::to_string(ended) + "-0-123";
  for (const auto& name : {dead, live, other, earlier}) WriteFile(env_.Path("d/" + name), "x");
  ASSERT_TRUE(WriteFileAtomically(path_, "new"));
  std::vector<std::string> expected = {"f.cfg", live, other};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Listing(), expected);
}

}  // namespace
}  // namespace kz::platform
