// Profile calls on files: bare names, the parsed-file cache, batches.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/profile.h"
#include "support/file_faults.h"
#include "support/temp_env.h"

namespace kz::platform {
namespace {

using test::ReadFile;
using test::WriteFile;

class ProfileTest : public test::TempEnvTest {
 protected:
  std::string Cfg() const { return env_.Path("kzdlogrcv.cfg").string(); }
};

TEST_F(ProfileTest, BareNameReachesTheWindowsDirectoryWithoutRegardToCase) {
  std::filesystem::remove_all(env_.windir());
  ASSERT_TRUE(WritePrivateProfileString("s", "k", "v", "new.ini"));  // creates the folder
  EXPECT_EQ(ReadFile(env_.windir() / "new.ini"), "[s]\r\nk=v\r\n");
  WriteFile(env_.windir() / "Velmora.INI", "[Installation Directory]\r\nPath32=C:\\Tool\r\n");
  EXPECT_EQ(GetPrivateProfileString("installation directory", "path32", "", 1024, "velmora.ini"),
            "C:\\Tool");
}

TEST_F(ProfileTest, MissingFileReadsTheDefaultAndOnlyAValueCreatesIt) {
  EXPECT_EQ(GetPrivateProfileString("general", "clock tolerance", "60", 256, Cfg()), "60");
  EXPECT_TRUE(WritePrivateProfileString("general", "mode", std::nullopt, Cfg()));
  {
    ProfileBatch batch(Cfg());  // holds the file's update lock while it lives
    batch.Write("ports", std::nullopt, std::nullopt);
    EXPECT_TRUE(batch.Commit());
  }
  EXPECT_FALSE(std::filesystem::exists(Cfg()));
  ASSERT_TRUE(WritePrivateProfileString("general", "mode", "1", Cfg()));
  EXPECT_EQ(ReadFile(Cfg()), "[general]\r\nmode=1\r\n");
}

// Each refusal names why and leaves the file, or its absence, as it was.
TEST_F(ProfileTest, RefusedWriteSaysWhyAndLeavesTheFileAsItWas) {
  const auto missing = env_.Path("nosuch/dir/x.cfg");
  EXPECT_TRUE(WriteProfileString("s", "k", "v", missing.string()).Is(Status::Kind::kNotFound));
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
  const std::string kept = "[s]\r\nk=1\r\n";
  WriteFile(Cfg(), kept);
  EXPECT_TRUE(WriteProfileString("s", "k", "2\r\nj=9", Cfg()).Is(Status::Kind::kInvalidArgument));
  EXPECT_FALSE(WritePrivateProfileString("s", "k", "2\nj=9", Cfg()));
  if (geteuid() != 0) {  // root reads files of any mode
    chmod(Cfg().c_str(), 0200);
    EXPECT_TRUE(WriteProfileString("s", "k", "2", Cfg()).Is(Status::Kind::kPermissionDenied));
    chmod(Cfg().c_str(), 0600);
  }
  ProfileBatch batch(Cfg());  // a refused write fails the whole batch
  ASSERT_TRUE(batch.Write("s", "k", "2"));
  EXPECT_FALSE(batch.Write("s", "j", "line\nbreak"));
  EXPECT_TRUE(batch.Commit().Is(Status::Kind::kInvalidArgument));
  EXPECT_EQ(ReadFile(Cfg()), kept);
}

TEST_F(ProfileTest, CacheSeesEveryRewrite) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  const auto snapshot = ProfileSnapshot(Cfg());
  struct stat before {};
  stat(Cfg().c_str(), &before);
  WriteFile(Cfg(), "[s]\r\nk=2\r\n");  // same inode, same size, within the same tick
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 256, Cfg()), "2");
  EXPECT_EQ(snapshot->GetString("s", "k", "", 256), "1") << "a snapshot never changes";
  // Once the change is old, the stamp decides; a rewrite of the same size that puts back the
  // old modification time is still seen, as its change time moves.
  timespec old_time[2] = {before.st_mtim, before.st_mtim};
  old_time[0].tv_sec = old_time[1].tv_sec -= 10;
  utimensat(AT_FDCWD, Cfg().c_str(), old_time, 0);
  EXPECT_EQ(ProfileSnapshot(Cfg()), ProfileSnapshot(Cfg()));
  WriteFile(Cfg(), "[s]\r\nk=3\r\n");
  utimensat(AT_FDCWD, Cfg().c_str(), old_time, 0);
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 256, Cfg()), "3");
}

// A commit that fails at any step leaves the file and keeps the writes for the next one.
TEST_F(ProfileTest, BatchReadsSeeItsPendingWritesAndCommitWritesOnce) {
  const std::string before = "; server configuration\r\n[general]\r\nmode=0\r\n[xfer0]\r\nID=1\r\n";
  WriteFile(Cfg(), before);
  const auto reader = ProfileSnapshot(Cfg());  // the batch edits a document of its own
  ProfileBatch batch(Cfg());
  ASSERT_TRUE(batch.Write("xfer0", std::nullopt, std::nullopt));
  ASSERT_TRUE(batch.Write("general", "mode", "1"));
  ASSERT_TRUE(batch.Write("transfers", "0", "xfer0"));
  ASSERT_TRUE(batch.Write("xfer0", "ID", "7"));
  EXPECT_EQ(batch.GetString("general", "mode", "", 10), "1");
  EXPECT_EQ(batch.GetString("xfer0", "ID", "", 256), "7");
  EXPECT_EQ(GetPrivateProfileString("general", "mode", "", 10, Cfg()), "0") << "not yet on disk";
  EXPECT_EQ(reader->Serialize(), before);
  const auto commit = [&] { return batch.Commit().ok(); };
  const auto kept = [&](const std::string& step) { EXPECT_EQ(ReadFile(Cfg()), before) << step; };
  EXPECT_GT(test::FailEachStepInTurn(commit, kept), 0);
  EXPECT_EQ(ReadFile(Cfg()),
            "; server configuration\r\n[general]\r\nmode=1\r\n[transfers]\r\n0=xfer0\r\n"
            "[xfer0]\r\nID=7\r\n");
  EXPECT_EQ(test::FailEachStepInTurn(commit, {}), 0) << "nothing new to write";
}

// One writer uses single writes, the other batches; the file starts missing, so the first
// writers also race to create it.
TEST_F(ProfileTest, WritersInTwoProcessesLoseNoChange) {
  constexpr int kPerWriter = 100;
  EXPECT_TRUE(test::InChildProcesses(2, [&](int writer) {
    bool ok = true;
    for (int i = 0; i < kPerWriter; ++i) {
      const std::string key = "k" + std::to_string(i);
      if (writer == 0) {
        ok &= WritePrivateProfileString("single", key, std::to_string(i), Cfg());
      } else {
        ProfileBatch batch(Cfg());
        ok &= batch.Write("batch", key, std::to_string(i)) && batch.Commit().ok();
      }
    }
    return ok;
  }));
  const auto doc = ProfileSnapshot(Cfg());
  EXPECT_EQ(doc->KeyNames("single").size(), std::size_t{kPerWriter});
  EXPECT_EQ(doc->KeyNames("batch").size(), std::size_t{kPerWriter});
  EXPECT_EQ(test::FileNames(env_.root()), std::vector<std::string>{"kzdlogrcv.cfg"});
}

}  // namespace
}  // namespace kz::platform
