// Outside files that are not regular files: every reader and writer refuses them at once and
// replaces nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/atomic_file.h"
#include "platform/file_io.h"
#include "platform/file_lock.h"
#include "platform/profile.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using Type = std::filesystem::file_type;

// Makes `path` a FIFO, a character device like /dev/null, or a folder.
void Make(Type type, const std::filesystem::path& path) {
  if (type == Type::fifo) {
    ASSERT_EQ(mkfifo(path.c_str(), 0666), 0);
  } else if (type == Type::directory) {
    std::filesystem::create_directory(path);
  } else if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    std::filesystem::create_symlink("/dev/null", path);  // without the privilege to make one
  }
}

class NotAFileTest : public test::TempEnvTest, public ::testing::WithParamInterface<Type> {};

TEST_P(NotAFileTest, IsRefusedByEveryReaderAndWriterWithoutBlocking) {
  const Type type = GetParam();
  const auto expected =
      type == Type::directory ? Status::Kind::kIsFolder : Status::Kind::kNotRegularFile;
  const auto path = env_.Path("x.ini");
  Make(type, path);
  // Named in another letter case, as a Windows-made path would name it.
  const std::string other_case = env_.Path("X.INI").string();

  std::string bytes;
  ProfileBatch batch(other_case);
  batch.Write("s", "k", "v");
  const Status refusals[] = {
      ReadWholeFile(path, bytes),
      FileUpdateLock::Acquire(path).status(),
      WriteProfileString("s", "k", "v", other_case),
      batch.Commit(),
      WriteFileAtomically(path, "x"),
  };
  for (const Status& s : refusals) {
    EXPECT_EQ(s.kind(), expected) << s.message();
    EXPECT_EQ(s.file(), path) << s.message();
  }
  EXPECT_EQ(GetPrivateProfileString("s", "k", "def", 16, other_case), "def");
  EXPECT_EQ(std::filesystem::status(path).type(), type);
  EXPECT_FALSE(std::filesystem::exists(other_case));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAFileTest,
                         ::testing::Values(Type::fifo, Type::character, Type::directory));

}  // namespace
}  // namespace kz::platform
