// Atomic replacement of files, with every step made to fail in turn.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

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

TEST_F(AtomicFileTest, CreatesAndReplacesWithExactBytesOrFailsWithTheReason) {
  const auto path = env_.Path("d/f.cfg");
  std::filesystem::create_directories(path.parent_path());
  ASSERT_TRUE(WriteFileAtomically(path, std::string("a\0b\r\n", 5)));
  EXPECT_EQ(ReadFile(path), std::string("a\0b\r\n", 5));
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadFile(path), "");
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
  const Status missing = WriteFileAtomically(env_.Path("nosuch/f.cfg"), "x");
  EXPECT_TRUE(missing.Is(Status::Kind::kNotFound)) << missing.message();
}

TEST_F(AtomicFileTest, EveryFailingStepReportsFalseAndLeavesTheOldBytes) {
  const auto path = env_.Path("d/f.cfg");
  WriteFile(path, "old contents");
  chmod(path.c_str(), 0640);             // so that the mode is set too
  const std::string bytes(200000, 'x');  // large enough for several write calls on some systems
  Status last;
  const int steps = test::FailEachStepInTurn(
      [&] {
        last = WriteFileAtomically(path, bytes);
        return last.ok();
      },
      [&](const std::string& step) {
        EXPECT_EQ(last.error(), EIO) << step;
        EXPECT_FALSE(last.file().empty()) << step;
        EXPECT_EQ(ReadFile(path), "old contents") << step;
        EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"}) << step;
      });
  EXPECT_GE(steps, 6);  // open, mode, write, sync, close, rename
  EXPECT_EQ(ReadFile(path), bytes);
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

TEST_F(AtomicFileTest, SymbolicLinkIsWrittenThroughAndANewFileGetsTheUmasksPermissions) {
  const auto target = env_.Path("d/real.cfg");
  WriteFile(target, "old");
  std::filesystem::create_symlink("real.cfg", env_.Path("d/link.cfg"));
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/link.cfg"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/link.cfg")));
  EXPECT_EQ(ReadFile(target), "new");
  // A dangling link gets its target created; a loop of links fails and stays.
  std::filesystem::create_symlink("made.cfg", env_.Path("d/dangling.cfg"));
  ASSERT_TRUE(WriteFileAtomically(env_.Path("d/dangling.cfg"), "made"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/dangling.cfg")));
  EXPECT_EQ(ReadFile(env_.Path("d/made.cfg")), "made");
  std::filesystem::create_symlink("loop.cfg", env_.Path("d/loop.cfg"));
  EXPECT_FALSE(WriteFileAtomically(env_.Path("d/loop.cfg"), "x"));
  EXPECT_TRUE(std::filesystem::is_symlink(env_.Path("d/loop.cfg")));
  const mode_t old = umask(022);
  const Status written = WriteFileAtomically(env_.Path("d/new.cfg"), "x");
  umask(old);
  ASSERT_TRUE(written) << written.message();
  struct stat st {};
  ASSERT_EQ(stat(env_.Path("d/new.cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

// Runs `check` in a child process as the unprivileged account 65534; its result.
bool AsNobody(const std::function<bool()>& check) {
  return test::InChildProcesses(
      1, [&](int) { return setgid(65534) == 0 && setuid(65534) == 0 && check(); });
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
  const std::filesystem::path path_ = env_.Path("d/f.cfg");
};

TEST_F(AtomicFileOwnershipTest, ReplacedFileKeepsOwnerGroupAndMode) {
  WriteFile(path_, "old");
  ASSERT_EQ(chown(path_.c_str(), 65534, 65534), 0);
  ASSERT_EQ(chmod(path_.c_str(), 0604), 0);
  ASSERT_TRUE(WriteFileAtomically(path_, "new"));
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(ReadFile(path_), "new");
}

TEST_F(AtomicFileOwnershipTest, FileTheSaverCannotWriteIsNotReplaced) {
  WriteFile(path_, "old");
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  EXPECT_TRUE(AsNobody(
      [&] { return WriteFileAtomically(path_, "new").Is(Status::Kind::kPermissionDenied); }));
  EXPECT_EQ(ReadFile(path_), "old");
  struct stat st {};
  ASSERT_EQ(stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(Listing(), std::vector<std::string>{"f.cfg"});
}

// At every step, no file in the folder other than the old one holds content under another mode
// than the old one's, whether it has a name yet or not.
TEST_F(AtomicFileTest, NewContentIsNeverUnderOtherPermissions) {
  const auto path = env_.Path("d/f.cfg");
  WriteFile(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0600), 0);
  struct stat target {};
  ASSERT_EQ(stat(path.c_str(), &target), 0);
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
  EXPECT_TRUE(WriteFileAtomically(path, std::string(100000, 'n')));
  SetFileFaultHook(nullptr);
  umask(old_umask);
  EXPECT_GT(checked, 0);
}

TEST_F(AtomicFileTest, NextSaveRemovesTheTemporaryFilesOfEndedSaves) {
  const auto path = env_.Path("d/f.cfg");
  WriteFile(path, "old");
  const pid_t ended = fork();
  if (ended == 0) _exit(0);
  ASSERT_GT(ended, 0);
  waitpid(ended, nullptr, 0);
  const std::string dead = ".f.cfg.kztmp-" + std::to_string(ended) + "-0";
  const std::string live = ".f.cfg.kztmp-" + std::to_string(getppid()) + "-0";
  const std::string other = ".g.cfg.kztmp-" + std::to_string(ended) + "-0";
  const std::string earlier = "f.cfg.tmp-" + std::to_string(ended) + "-0-123";
  for (const auto& name : {dead, live, other, earlier}) {
    WriteFile(env_.Path("d/" + name), "partial");
  }
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  std::vector<std::string> expected = {"f.cfg", live, other};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Listing(), expected);
}

}  // namespace
}  // namespace kz::platform
