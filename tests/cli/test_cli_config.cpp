// kzdlogsrv config show / config rewrite, run as the built host.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "config/cfg_mgr.h"
#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz {
namespace {

using nlohmann::ordered_json;

const std::filesystem::path kSamples = test::SourcePath("samples");

class ConfigCommandTest : public test::TempEnvTest {
 protected:
  std::string Write(std::string_view name, std::string_view bytes) {
    const auto path = env_.Path(name);
    test::WriteFile(path, bytes);
    return path.string();
  }
};

TEST_F(ConfigCommandTest, ShowPrintsTheLiveRecordsAsJson) {
  const std::string path = Write(
      "a.cfg",
      "[general]\r\nlog dir=/var/\xe9t\xe9\r\nclock tolerance=30\r\n"
      "[transfers]\r\n0=xfer0\r\n[xfer0]\r\nstation number=12\r\nID=1\r\n"
      "data file=/d/a.csv\r\ndatalog file=a.kdl\r\nnew file mode=1\r\nnew file synch mode=60\r\n"
      "[ports]\r\n0=UDP1658\r\n1=COM3\r\n[COM3]\r\nparity=E\r\n"
      "[scheduled]\r\n0=1,0,15,1800,1,12,1,`North, hill`,r,COM3,1\r\n");
  const auto run = test::RunHost({"config", "show", "--file", path, "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // Every key of every record kind, in the file's order; bytes that are not UTF-8 as hex.
  const auto expected = ordered_json::parse(R"({
    "general": {"mode": 0, "new file mode": 0, "new file synch mode": 0,
      "auto mode data path": "", "auto mode base name choice": 0, "set sta clock": 0,
      "clock tolerance": 30, "pc time format": 0, "enable log": 0,
      "log dir": {"hex": "2f7661722fe974e9"}, "use scaling": 0, "check duplicates": 0},
    "transfers": [{"station number": 12, "ID": 1, "datalog file": "a.kdl", "new file mode": 1,
      "new file synch mode": 60, "data file": "/d/a.csv"}],
    "ports": [{"type": "UDP", "number": 1658},
      {"type": "COM", "number": 3, "baud": "9600", "data_bits": "8", "stop_bits": "1",
       "parity": "e", "flow": "n"}],
    "scheduled": [{"sync polling": 1, "sync clock": 0, "poll interval": 15,
      "sync start time": 1800, "interval unit": 1, "station number": 12, "clock source": 1,
      "description": "North, hill", "reserved": "r", "port": "COM3", "xfer id": 1}]})");
  EXPECT_EQ(ordered_json::parse(run.out).dump(), expected.dump());
}

// Without --file the options text picks the file as Configure does (the rule itself is pinned by
// its own tests); a relative name where the current folder has been deleted is a usage error.
TEST_F(ConfigCommandTest, FileIsTakenFromTheOptionsOrNamedForWhyItCannotBe) {
  test::WriteFile(env_.windir() / "kzcitectsrv.cfg", "[general]\r\nclock tolerance=11\r\n");
  auto run = test::RunHost({"config", "show", "--options", "product=citect"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ordered_json::parse(run.out)["general"]["clock tolerance"], 11);

  const auto gone = env_.Path("gone");
  std::filesystem::create_directories(gone);
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(gone);
  std::filesystem::remove(gone);
  run = test::RunHost({"config", "rewrite", "--file", "a.cfg"});
  std::filesystem::current_path(saved);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err,
            "kzdlogsrv: a.cfg: a relative path, but the current folder cannot be found: No such "
            "file or directory\n");
}

TEST_F(ConfigCommandTest, RewriteClearsStaleListsAsASaveWithoutChangesDoes) {
  const std::string sample = test::ReadFile(kSamples / "gaps.cfg");
  ASSERT_NE(sample, "");
  const std::string by_host = Write("host.cfg", sample);
  const std::string in_process = Write("model.cfg", sample);
  const auto run = test::RunHost({"config", "rewrite", "--file", by_host});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "");
  config::CCfgMgr model;
  model.ReadWrite(in_process, false);
  ASSERT_EQ(model.ReadWrite(in_process, true), config::kCfgOk);
  const std::string rewritten = test::ReadFile(by_host);
  EXPECT_EQ(rewritten, test::ReadFile(in_process));
  EXPECT_NE(rewritten, sample);  // what a save clears is pinned byte for byte by the model's tests
}

// A file size limit makes the save fail even for root, for whom permissions do not.
TEST_F(ConfigCommandTest, RewriteThatCannotWriteFailsAndKeepsTheFile) {
  const std::string sample = test::ReadFile(kSamples / "kzdlogrcv.cfg");
  const std::string path = Write("big.cfg", sample);
  const auto run = test::RunCommand(
      {"/bin/sh", "-c", "trap '' XFSZ; ulimit -f 0; exec \"$0\" config rewrite --file \"$1\"",
       test::BuildPath("bin/kzdlogsrv").string(), path});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err.rfind("kzdlogsrv: " + path + ": not saved", 0), 0u) << run.err;
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
  EXPECT_EQ(test::ReadFile(path), sample);
}

}  // namespace
}  // namespace kz
