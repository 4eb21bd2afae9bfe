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

enum class Kind { Fifo, Device, Folder };

// Makes `path` a FIFO, a character device like /dev/null, or a folder.
void Make(Kind kind, const std::filesystem::path& path) {
  switch (kind) {
    case Kind::Fifo:
      ASSERT_EQ(mkfifo(path.c_str(), 0666), 0);
      break;
    case Kind::Device:
      // Creating a device needs privilege; a link to the real one reads the same.
      if (mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        std::filesystem::create_symlink("/dev/null", path);
      }
      break;
    case Kind::Folder:
      std::filesystem::create_directory(path);
      break;
  }
}

bool StillThere(Kind kind, const std::filesystem::path& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return kind == Kind::Fifo     ? S_ISFIFO(st.st_mode)
         : kind == Kind::Device ? S_ISCHR(st.st_mode)
                                : S_ISDIR(st.st_mode);
}

class NotAFileTest : public test::TempEnvTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(NotAFileTest, IsRefusedByEveryReaderAndWriterWithoutBlocking) {
  const Kind kind = GetParam();
  const auto expected =
      kind == Kind::Folder ? Status::Kind::kIsFolder : Status::Kind::kNotRegularFile;
  const auto path = env_.Path("x.ini");
  Make(kind, path);
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
  EXPECT_TRUE(StillThere(kind, path));
  EXPECT_FALSE(std::filesystem::exists(other_case));
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAFileTest,
                         ::testing::Values(Kind::Fifo, Kind::Device, Kind::Folder));

}  // namespace
}  // namespace kz::platform
