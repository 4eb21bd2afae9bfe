// kzdlogsrv config apply / config check, run as the built host: what reaches the user, exit
// statuses, and that a refused or dry run leaves the file alone. The rules themselves are the
// editor's and are tested there (tests/editor/test_config_apply.cpp).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_command.h"
#include "support/temp_env.h"

namespace kz {
namespace {

constexpr const char* kConfig =
    "[general]\r\nmode=0\r\nset sta clock=1\r\nclock tolerance=60\r\n"
    "[transfers]\r\n0=xfer0\r\n[xfer0]\r\nstation number=12\r\nID=1\r\ndatalog file=a.kdl\r\n"
    "data file=/d/a.csv\r\nnew file mode=0\r\nnew file synch mode=-1\r\n"
    "[ports]\r\n0=UDP1658\r\n1=COM1\r\n[COM1]\r\nbaud=9600\r\n"
    "[scheduled]\r\n0=1,0,1,0,0,12,0,`North`,,COM1,1\r\n";

class ConfigApplyCommandTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    path_ = env_.Path("kzdlogrcv.cfg").string();
    test::WriteFile(path_, kConfig);
  }
  test::CommandResult Apply(std::string_view json, std::vector<std::string> extra = {}) {
    const auto desired = env_.Path("desired.json");
    test::WriteFile(desired, json);
    extra.insert(extra.begin(), {"config", "apply", "--file", path_});
    extra.push_back(desired.string());
    return test::RunHost(extra);
  }

  std::string path_;
};

// Exit 1, one line per problem (a message with a line break on one), nothing on stdout, and the
// file as it was.
TEST_F(ConfigApplyCommandTest, RefusedApplyExitsOneWithOneLinePerProblemAndLeavesTheFile) {
  const std::pair<const char*, const char*> cases[] = {
      {R"({"transfers": [{"station number": 5, "ID": 1, "data file": "/d/b.csv"}]})",
       "transfers[0]: Please enter the name of the datalog file in the station. "
       "(Usually the datalog configuration name followed by .kdl)\n"},
      {R"({"general": {"clock tolerance": "60", "colour": 1},
          "ports": [{"type": "UDP", "number": 99999999999, "baud": "9600"}], "scheduled": {}})",
       "general[\"clock tolerance\"]: Must be a whole number (-2147483648 to 2147483647).\n"
       "general[\"colour\"]: Unknown key.\n"
       "ports[0][\"number\"]: Out of range: must lie within -2147483648 to 2147483647.\n"
       "ports[0][\"baud\"]: Unknown key.\n"
       "scheduled: Must be a list.\n"},
      // Transfers are read while parsing: faults still come in document order, a list of
      // that name elsewhere is no transfer list, and of two lists the later holds.
      {R"({"general": {"mode": "1", "transfers": [1]}, "transfers": [7, {"ID": 1}],
          "transfers": [{"ID": 2, "x": 0}]})",
       "general[\"mode\"]: Must be a whole number (-2147483648 to 2147483647).\n"
       "general[\"transfers\"]: Unknown key.\n"
       "transfers[0][\"x\"]: Unknown key.\n"
       "transfers[0][\"station number\"]: Missing: this key is required.\n"},
      {"{\"general\": ",
       "$: Not JSON: parse error at line 1, column 13: syntax error while parsing value - "
       "unexpected end of input; expected '[', '{', or a literal\n"},
      // A number beyond every type is the parser's own refusal, not a crash.
      {R"({"general": {"clock tolerance": 88800E344}})",
       "$: Not JSON: number overflow parsing '88800E344'\n"},
  };
  for (const auto& [json, err] : cases) {
    SCOPED_TRACE(json);
    const auto run = Apply(json);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, err);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::ReadFile(path_), kConfig);
  }
}

// A dry run prints the changes and writes nothing; the real one saves them and, with no server
// running, says when they take effect; applied again, the same state changes nothing.
TEST_F(ConfigApplyCommandTest, AcceptedApplyPrintsTheChangesAndSavesThem) {
  const char* json =
      R"({"general": {"clock tolerance": 90}, "ports": [{"type": "UDP", "number": 1658},
      {"type": "COM", "number": 1}, {"type": "TCP", "number": 1700}]})";
  const std::string changes = "general[\"clock tolerance\"]: 60 -> 90\nports[2]: added TCP1700\n";
  const std::string reload =
      "reload: no datalog server is running; it reads the file when it starts\n";
  const struct {
    const char* option;
    std::string out;
    bool writes;
  } runs[] = {{"--dry-run", changes, false}, {"--reload", changes + reload, true},
              {"--reload", "", false}};
  for (const auto& r : runs) {
    const std::string before = test::ReadFile(path_);
    const auto run = Apply(json, {r.option});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, r.out);
    EXPECT_EQ(test::ReadFile(path_) != before, r.writes) << r.option;
  }
}

TEST_F(ConfigApplyCommandTest, ShowPipedIntoApplyLeavesEveryFileByteForByte) {
  std::vector<std::filesystem::path> files;
  for (const char* sample : {"samples/kzdlogrcv.cfg", "samples/gaps.cfg"}) {
    files.push_back(env_.Path("copy-" + std::filesystem::path(sample).filename().string()));
    std::filesystem::copy_file(test::SourcePath(sample), files.back());
  }
  // 10,000 transfers, the last two sharing a station and ID: a fault of the stored file, which
  // an unchanged state does not bring up.
  std::string big = "[general]\r\nclock tolerance=60\r\n[transfers]\r\n";
  std::string sections;
  for (int i = 0; i < 10000; ++i) {
    const std::string n = std::to_string(i);
    big += n + "=xfer" + n + "\r\n";
    sections += "[xfer" + n + "]\r\nstation number=" + std::to_string(i < 9999 ? i : i - 1) +
                "\r\nID=1\r\ndata file=/d/" + n + ".csv\r\ndatalog file=d.kdl\r\n";
  }
  files.push_back(env_.Path("big.cfg"));
  test::WriteFile(files.back(), big + sections + "[scheduled]\r\n0=1,0,1,0,0,5,0,`a`,,COM9,1\r\n");
  // `config show --json | config apply -` through a real pipe.
  for (const auto& file : files) {
    const std::string before = test::ReadFile(file);
    const auto run = test::RunCommand({"/bin/sh", "-c",
                                       "\"$0\" config show --file \"$1\" --json | \"$0\" config "
                                       "apply --allow-no-ports --file \"$1\" -",
                                       test::BuildPath("bin/kzdlogsrv").string(), file.string()});
    EXPECT_EQ(run.exit_code, 0) << file << ": " << run.err;
    EXPECT_EQ(run.out, "") << file;
    EXPECT_EQ(test::ReadFile(file), before) << file;
  }
}

TEST_F(ConfigApplyCommandTest, CheckListsTheStoredFilesProblems) {
  auto run = test::RunHost({"config", "check", "--file", path_});
  EXPECT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_EQ(run.out, "");
  test::WriteFile(path_,
                  "[transfers]\r\n0=xfer0\r\n1=xfer1\r\n"
                  "[xfer0]\r\nstation number=12\r\nID=1\r\ndatalog file=a.kdl\r\ndata file=/d/a.csv\r\n"
                  "[xfer1]\r\nstation number=13\r\nID=1\r\ndatalog file=b.kdl\r\ndata file=/D/A.csv\r\n"
                  "[ports]\r\n0=UDP1658\r\n");
  run = test::RunHost({"config", "check", "--file", path_});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out,
            "transfers[0]: The selected record storage file is already in use by another "
            "transfer.\n"
            "transfers[1]: The selected record storage file is already in use by another "
            "transfer.\n");
}

}  // namespace
}  // namespace kz
