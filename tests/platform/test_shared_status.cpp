#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/shared_status.h"
#include "support/file_faults.h"
#include "support/scoped_user_id.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

class SharedStatusTest : public test::TempEnvTest {
 protected:
  std::filesystem::path BlockPath() const {
    return env_.runtime() / "kzdlogsrv" / SharedStatus::kName;
  }
};

// The first opener makes a private zeroed block; words are shared while any process holds it,
// and zeroed again once every holder has gone, whether it closed the block or just ended.
TEST_F(SharedStatusTest, WordsAreSharedWhileHeldAndZeroedOnceEveryHolderHasGone) {
  {
    auto block = SharedStatus::Open();
    ASSERT_TRUE(block);
    for (std::size_t i = 0; i < SharedStatus::kWords; ++i) EXPECT_EQ(block->Load(i), 0);
    EXPECT_EQ(std::filesystem::file_size(BlockPath()), 16u);
    EXPECT_EQ(std::filesystem::status(BlockPath()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    block->Store(0, 42);
    EXPECT_TRUE(test::InChildProcesses(1, [](int) {
      auto shared = SharedStatus::Open();
      if (!shared || shared->Load(0) != 42) return false;
      shared->Store(1, 7);
      return true;
    }));
    EXPECT_EQ(block->Load(1), 7);
  }
  EXPECT_TRUE(test::InChildProcesses(1, [](int) {
    auto block = SharedStatus::Open();
    return block && block->Load(0) == 0 && (block->Store(3, 9), true);
  }));
  auto block = SharedStatus::Open();
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Load(3), 0);
}

TEST_F(SharedStatusTest, ForeignLookingFilesCountAsNoBlock) {
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
