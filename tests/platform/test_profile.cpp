// Profile calls on files: bare names, the parsed-file cache, batches.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_faults.h"
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
  EXPECT_EQ(ProfilePath("velmora.ini"), env_.windir() / "Velmora.INI");
  EXPECT_EQ(GetPrivateProfileString("installation directory", "path32", "", 1024, "velmora.ini"),
            "C:\\Tool");
}

TEST_F(ProfileTest, MissingFileReadsTheDefaultAndIsCreatedByAWrite) {
  EXPECT_EQ(GetPrivateProfileString("general", "clock tolerance", "60", 256, Cfg()), "60");
  EXPECT_TRUE(WritePrivateProfileString("general", "mode", std::nullopt, Cfg()));
  EXPECT_TRUE(WritePrivateProfileString("general", std::nullopt, std::nullopt, Cfg()));
  EXPECT_FALSE(std::filesystem::exists(Cfg()));
  ASSERT_TRUE(WritePrivateProfileString("general", "mode", "1", Cfg()));
  EXPECT_EQ(ReadFile(Cfg()), "[general]\r\nmode=1\r\n");
}

// Each refusal names why and leaves the file, or its absence, as it was.
TEST_F(ProfileTest, RefusedWriteSaysWhyAndLeavesTheFileAsItWas) {
  const std::string kept = "[s]\r\nk=1\r\nother=keep\r\n";
  const struct {
    const char* name;
    std::string file;
    mode_t mode;  // 0: no file
    const char* value;
    Status::Kind kind;
  } cases[] = {
      {"missing folder", env_.Path("nosuch/dir/x.cfg").string(), 0, "v", Status::Kind::kNotFound},
      {"line break in the value", Cfg(), 0600, "2\r\nmode=9", Status::Kind::kInvalidArgument},
      {"no read permission", Cfg(), 0200, "2", Status::Kind::kPermissionDenied},
  };
  for (const auto& c : cases) {
    if (c.mode == 0200 && geteuid() == 0) continue;  // root reads files of any mode
    if (c.mode) {
      WriteFile(c.file, kept);
      chmod(c.file.c_str(), c.mode);
      EXPECT_EQ(GetPrivateProfileString("s", "other", "d", 16, c.file),
                c.mode & 0400 ? "keep" : "d");
    }
    const Status s = WriteProfileString("s", "k", c.value, c.file);
    EXPECT_EQ(s.kind(), c.kind) << c.name << ": " << s.message();
    EXPECT_FALSE(WritePrivateProfileString("s", "k", c.value, c.file)) << c.name;
    if (c.mode) {
      chmod(c.file.c_str(), 0600);
      EXPECT_EQ(ReadFile(c.file), kept) << c.name;
    } else {
      EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(c.file).parent_path())) << c.name;
    }
  }
}

TEST_F(ProfileTest, ReplacedFileKeepsItsPermissions) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  chmod(Cfg().c_str(), 0640);
  ASSERT_TRUE(WritePrivateProfileString("s", "k", "2", Cfg()));
  struct stat st {};
  ASSERT_EQ(stat(Cfg().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProfileTest, CacheSeesAFileRewrittenInPlaceWithTheSameSize) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 256, Cfg()), "1");
  struct stat before {};
  stat(Cfg().c_str(), &before);
  WriteFile(Cfg(), "[s]\r\nk=2\r\n");  // same inode, same size, within the same tick
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 256, Cfg()), "2");
  // Once the change is old, the stamp alone decides and the same parsed form is handed out.
  timespec old_time[2] = {before.st_mtim, before.st_mtim};
  old_time[0].tv_sec -= 10;
  old_time[1].tv_sec -= 10;
  utimensat(AT_FDCWD, Cfg().c_str(), old_time, 0);
  const auto first = ProfileSnapshot(Cfg());
  EXPECT_EQ(first, ProfileSnapshot(Cfg()));
  EXPECT_EQ(first->GetString("s", "k", "", 256), "2");
  // A rewrite with the same size that also restores the old modification time is seen too
  // (its change time moves).
  WriteFile(Cfg(), "[s]\r\nk=3\r\n");
  utimensat(AT_FDCWD, Cfg().c_str(), old_time, 0);
  EXPECT_EQ(GetPrivateProfileString("s", "k", "", 256, Cfg()), "3");
}

TEST_F(ProfileTest, CacheKeepsOnlyTheFilesReadLast) {
  std::vector<std::shared_ptr<const ProfileDocument>> first;
  for (int i = 0; i < 40; ++i) {
    const auto path = env_.Path("p" + std::to_string(i) + ".kpj").string();
    WriteFile(path, "[s]\r\nk=" + std::to_string(i) + "\r\n");
    first.push_back(ProfileSnapshot(path));
  }
  const auto last = env_.Path("p39.kpj").string();
  EXPECT_EQ(ProfileSnapshot(last), first[39]);  // still parsed
  const auto again = ProfileSnapshot(env_.Path("p0.kpj").string());
  EXPECT_NE(again, first[0]);  // parsed anew: it had been dropped
  EXPECT_EQ(again->GetString("s", "k", "", 16), "0");
}

TEST_F(ProfileTest, SnapshotStaysUnchangedWhenTheFileChanges) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  const auto snapshot = ProfileSnapshot(Cfg());
  ASSERT_TRUE(WritePrivateProfileString("s", "k", "2", Cfg()));
  EXPECT_EQ(snapshot->GetString("s", "k", "", 256), "1");
  EXPECT_EQ(ProfileSnapshot(Cfg())->GetString("s", "k", "", 256), "2");
}

TEST_F(ProfileTest, BatchReadsSeeItsPendingWritesAndCommitWritesOnce) {
  WriteFile(Cfg(), "; server configuration\r\n[general]\r\nmode=0\r\n[xfer0]\r\nID=1\r\n");
  ProfileBatch batch(Cfg());
  ASSERT_TRUE(batch.Write("xfer0", std::nullopt, std::nullopt));
  ASSERT_TRUE(batch.Write("general", "mode", "1"));
  ASSERT_TRUE(batch.Write("transfers", "0", "xfer0"));
  ASSERT_TRUE(batch.Write("xfer0", "ID", "7"));
  EXPECT_EQ(batch.GetString("general", "mode", "", 10), "1");
  EXPECT_EQ(batch.GetString("xfer0", "ID", "", 256), "7");
  // Nothing reached the disk yet.
  EXPECT_EQ(GetPrivateProfileString("general", "mode", "", 10, Cfg()), "0");
  int steps = 0;
  SetFileFaultHook([&](FileStep) { return ++steps, false; });
  ASSERT_TRUE(batch.Commit());
  SetFileFaultHook(nullptr);
  EXPECT_GT(steps, 0);
  EXPECT_EQ(ReadFile(Cfg()),
            "; server configuration\r\n[general]\r\nmode=1\r\n[transfers]\r\n0=xfer0\r\n"
            "[xfer0]\r\nID=7\r\n");
  // A second Commit without new writes touches nothing.
  steps = 0;
  SetFileFaultHook([&](FileStep) { return ++steps, false; });
  EXPECT_TRUE(batch.Commit());
  SetFileFaultHook(nullptr);
  EXPECT_EQ(steps, 0);
}

TEST_F(ProfileTest, BatchWithARefusedWriteFailsItsCommitAndLeavesTheFile) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  ProfileBatch batch(Cfg());
  ASSERT_TRUE(batch.Write("s", "k", "2"));
  EXPECT_FALSE(batch.Write("s", "j", "line\nbreak"));
  ASSERT_TRUE(batch.Write("s", "m", "3"));
  EXPECT_TRUE(batch.Commit().Is(Status::Kind::kInvalidArgument));
  EXPECT_EQ(ReadFile(Cfg()), "[s]\r\nk=1\r\n");
}

TEST_F(ProfileTest, BatchOfDeletionsOnAMissingFileCreatesNothing) {
  ProfileBatch batch(Cfg());
  batch.Write("ports", std::nullopt, std::nullopt);
  batch.Write("general", "mode", std::nullopt);
  EXPECT_TRUE(batch.Commit());
  EXPECT_FALSE(std::filesystem::exists(Cfg()));
}

TEST_F(ProfileTest, FailedCommitLeavesTheFileAndReportsFalse) {
  WriteFile(Cfg(), "[s]\r\nk=1\r\n");
  ProfileBatch batch(Cfg());
  ASSERT_TRUE(batch.Write("s", "k", "2"));
  SetFileFaultHook([](FileStep step) { return step == FileStep::Write; });
  EXPECT_FALSE(batch.Commit());
  SetFileFaultHook(nullptr);
  EXPECT_EQ(ReadFile(Cfg()), "[s]\r\nk=1\r\n");
  ASSERT_TRUE(batch.Commit());  // the batch still holds its writes
  EXPECT_EQ(ReadFile(Cfg()), "[s]\r\nk=2\r\n");
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
  for (const auto& e : std::filesystem::directory_iterator(env_.root())) {
    EXPECT_TRUE(e.path() == Cfg() || e.is_directory()) << e.path();  // no lock or temporary file
  }
}

}  // namespace
}  // namespace kz::platform
