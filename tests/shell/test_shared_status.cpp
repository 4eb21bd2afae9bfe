#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/shared_status.h"
#include "platform/system_dirs.h"
#include "support/scoped_user_id.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

class SharedStatusTest : public test::TempEnvTest {
 protected:
  std::filesystem::path BlockPath() const { return RuntimeDirectory() / SharedStatus::kName; }

  // Runs `body` in a child process that opens the block, reports through a pipe that it is
  // ready, then waits to be killed. Returns the child's pid.
  pid_t SpawnHolder(std::int32_t word0) {
    int ready[2];
    EXPECT_EQ(pipe(ready), 0);
    const pid_t pid = fork();
    if (pid == 0) {
      close(ready[0]);
      auto block = SharedStatus::Open();
      char ok = block ? 1 : 0;
      if (block) block->Store(0, word0);
      (void)!write(ready[1], &ok, 1);
      for (;;) pause();
    }
    close(ready[1]);
    char ok = 0;
    EXPECT_EQ(read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 1);
    close(ready[0]);
    return pid;
  }

  static void Kill(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
};

TEST_F(SharedStatusTest, FirstOpenerCreatesPrivateZeroedBlock) {
  auto block = SharedStatus::Open();
  ASSERT_TRUE(block);
  for (std::size_t i = 0; i < SharedStatus::kWords; ++i) EXPECT_EQ(block->Load(i), 0);
  struct stat st;
  ASSERT_EQ(stat(BlockPath().c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 16);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST_F(SharedStatusTest, WordsAreSharedWithAnotherProcessAndSurviveWhileHeld) {
  const pid_t holder = SpawnHolder(42);
  {
    auto block = SharedStatus::Open();
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Load(0), 42);  // not zeroed: the other process still holds it
    block->Store(1, 7);
    auto again = SharedStatus::Open();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->Load(1), 7);
  }
  Kill(holder);
}

// Once every holder has gone, whether it closed the block or was killed.
TEST_F(SharedStatusTest, BlockIsZeroedAgainOnceEveryHolderHasGone) {
  {
    auto block = SharedStatus::Open();
    ASSERT_TRUE(block);
    block->Store(3, 9);
  }
  Kill(SpawnHolder(5));
  auto reopened = SharedStatus::Open();
  ASSERT_TRUE(reopened);
  EXPECT_EQ(reopened->Load(0), 0);
  EXPECT_EQ(reopened->Load(3), 0);
}

TEST_F(SharedStatusTest, ForeignLookingFilesCountAsNoBlock) {
  std::filesystem::create_directories(BlockPath().parent_path());
  test::WriteFile(BlockPath(), std::string(8, '\0'));
  chmod(BlockPath().c_str(), 0600);
  EXPECT_FALSE(SharedStatus::Open()) << "wrong size";
  EXPECT_EQ(test::ReadFile(BlockPath()).size(), 8u) << "a block of someone else is not resized";

  test::WriteFile(BlockPath(), std::string(16, '\0'));
  chmod(BlockPath().c_str(), 0644);
  EXPECT_FALSE(SharedStatus::Open()) << "readable by others";

  std::filesystem::remove(BlockPath());
  const auto target = env_.Path("elsewhere");
  test::WriteFile(target, std::string(16, '\0'));
  chmod(target.c_str(), 0600);
  std::filesystem::create_symlink(target, BlockPath());
  EXPECT_FALSE(SharedStatus::Open()) << "symbolic link";
}

TEST_F(SharedStatusTest, BlockOwnedBySomeoneElseIsNeitherUsedNorZeroed) {
  auto mine = SharedStatus::Open();
  ASSERT_TRUE(mine);
  mine->Store(0, 2);
  {
    test::ScopedUserId other;
    EXPECT_FALSE(SharedStatus::OpenAt(BlockPath()));
  }
  EXPECT_EQ(mine->Load(0), 2);
}

TEST_F(SharedStatusTest, FullFileSystemGivesNoBlockAndTheNextOpenerStartsAfresh) {
  std::filesystem::create_directories(BlockPath().parent_path());
  const auto full = [](int, off_t, off_t) { return ENOSPC; };
  EXPECT_FALSE(SharedStatus::OpenAt(BlockPath(), full));
  EXPECT_EQ(std::filesystem::file_size(BlockPath()), 0u);
  auto block = SharedStatus::OpenAt(BlockPath());
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Load(0), 0);
}

}  // namespace
}  // namespace kz::platform
