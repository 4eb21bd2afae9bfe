// kzdlogsrv ini get / set / delete, run as the built host.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz {
namespace {

using test::ReadFile;
using test::RunHost;
using test::WriteFile;

class IniCommandTest : public test::TempEnvTest {
 protected:
  std::string Path(std::string_view name) const { return env_.Path(name).string(); }
};

// What the reader returns is its own tests' business; these pin the arguments and the output.
TEST_F(IniCommandTest, GetPrintsTheValueCutToSizeOrTheDefault) {
  WriteFile(Path("a.cfg"), "[General]\r\nLog Dir = /var/log\r\n");
  auto r = RunHost({"ini", "get", Path("a.cfg"), "general", "log dir", "--size", "5"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "/var\n");
  EXPECT_EQ(r.err, "");
  r = RunHost({"ini", "get", Path("none.cfg"), "s", "k", "--default", "d"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "d\n");
  EXPECT_FALSE(std::filesystem::exists(Path("none.cfg")));
}

TEST_F(IniCommandTest, SetAndDeleteWriteTheFile) {
  WriteFile(Path("a.cfg"), "[s]\r\nk=1\r\n[t]\r\nx=1\r\n");
  EXPECT_EQ(RunHost({"ini", "set", Path("a.cfg"), "S", "K", "2"}).exit_code, 0);
  EXPECT_EQ(RunHost({"ini", "delete", Path("a.cfg"), "t"}).exit_code, 0);
  EXPECT_EQ(RunHost({"ini", "delete", Path("a.cfg"), "s", "nosuch"}).exit_code, 0);
  EXPECT_EQ(ReadFile(Path("a.cfg")), "[s]\r\nk=2\r\n");
}

TEST_F(IniCommandTest, RefusedOrFailedWriteExitsOneNamingTheFile) {
  WriteFile(Path("a.cfg"), "[s]\r\nk=1\r\n");
  auto r = RunHost({"ini", "set", Path("a.cfg"), "s", "k", "2\nmode=1"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "kzdlogsrv: " + Path("a.cfg") +
                       ": the value holds a line break, which would add lines to the file; "
                       "nothing written\n");
  r = RunHost({"ini", "set", Path("a.cfg"), "s", "a=b", "2"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("key name would not read back"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(Path("a.cfg")), "[s]\r\nk=1\r\n");

  r = RunHost({"ini", "set", Path("nosuch/a.cfg"), "s", "k", "v"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "kzdlogsrv: " + Path("nosuch/a.cfg") +
                       ": No such file or directory; no file was made\n");
}

TEST_F(IniCommandTest, FailureWithoutAReasonIsNotReportedAsSuccess) {
  ASSERT_EQ(mkfifo(Path("pipe.ini").c_str(), 0600), 0);
  const auto r = RunHost({"ini", "set", Path("pipe.ini"), "s", "k", "v"}, 10000);
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err.rfind("kzdlogsrv: " + Path("pipe.ini") + ": ", 0), 0u) << r.err;
  EXPECT_EQ(r.err.find("Success"), std::string::npos) << r.err;
  EXPECT_EQ(RunHost({"ini", "get", Path("pipe.ini"), "s", "k"}, 10000).err,
            "kzdlogsrv: " + Path("pipe.ini") + ": cannot be read: not a regular file (a FIFO, device or socket)\n");
}

TEST_F(IniCommandTest, GetOfAFileThatCannotBeReadFailsNamingIt) {
  std::filesystem::create_directories(Path("folder.ini"));
  auto r = RunHost({"ini", "get", Path("folder.ini"), "s", "k", "--default", "d"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kzdlogsrv: " + Path("folder.ini") + ": cannot be read: Is a directory\n");
  if (geteuid() == 0) return;  // reads any file regardless of its mode
  WriteFile(Path("locked.ini"), "[s]\r\nk=1\r\n");
  chmod(Path("locked.ini").c_str(), 0);
  r = RunHost({"ini", "get", Path("locked.ini"), "s", "k"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.err, "kzdlogsrv: " + Path("locked.ini") + ": cannot be read: Permission denied\n");
}

TEST_F(IniCommandTest, UsageErrorsExitTwo) {
  EXPECT_EQ(RunHost({"ini"}).exit_code, 2);
  EXPECT_EQ(RunHost({"ini", "get", Path("a.cfg"), "s"}).exit_code, 2);
  EXPECT_EQ(RunHost({"ini", "set", Path("a.cfg"), "s", "k"}).exit_code, 2);
  const auto r = RunHost({"ini", "get", Path("a.cfg"), "s", "k", "--size", "-1"});
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_EQ(r.err, "kzdlogsrv: --size: not a buffer size (a whole number from 0): -1\n");
  EXPECT_EQ(RunHost({"ini", "delete", Path("a.cfg"), "s", "k", "extra"}).exit_code, 2);
  EXPECT_FALSE(std::filesystem::exists(Path("a.cfg")));
}

}  // namespace
}  // namespace kz
