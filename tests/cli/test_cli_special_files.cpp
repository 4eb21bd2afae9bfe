// Every command that reads or writes a named file, given a FIFO or a device: a prompt failure
// that says why, and the FIFO or device still in place.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz {
namespace {

class SpecialFileCommandTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkfifo(env_.Path("ff").c_str(), 0666), 0);
    // Creating a device needs privilege; a link to the real one reads the same.
    if (mknod(env_.Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
      std::filesystem::create_symlink("/dev/null", env_.Path("null"));
    }
  }
};

TEST_F(SpecialFileCommandTest, FailsAtOnceAndReplacesNothing) {
  const std::string fifo = env_.Path("ff").string();
  const std::string device = env_.Path("null").string();
  // Upper-case names reach the lower-case files as Windows-made paths would.
  const std::vector<std::vector<std::string>> commands = {
      {"config", "show", "--file", fifo},
      {"config", "show", "--file", device},
      {"config", "rewrite", "--file", env_.Path("NULL").string()},
      {"dbf", "show", fifo},
      {"trend", "show", "--file", fifo},
      {"ini", "set", env_.Path("FF").string(), "s", "k", "v"},
      {"ini", "set", env_.Path("NULL").string(), "s", "k", "v"},
  };
  for (const auto& args : commands) {
    const auto run = test::RunHost(args, 10000);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(run.exit_code, 1) << shown;
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << shown << ": " << run.err;
  }
  struct stat st {};
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  ASSERT_EQ(stat(device.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_FALSE(std::filesystem::exists(env_.Path("FF")));
  EXPECT_FALSE(std::filesystem::exists(env_.Path("NULL")));
}

}  // namespace
}  // namespace kz
