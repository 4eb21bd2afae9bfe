// The file commands (ini, dbf, trend, kpj, config show/rewrite) run as the built host: exit codes,
// one-line messages naming the file, usage errors and the JSON printed. What the readers return
// is their own tests' business.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>
#include <tuple>

#include "support/run_command.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::test {
namespace {

using nlohmann::ordered_json;

class FileCommandTest : public TempEnvTest {
 protected:
  std::string Path(std::string_view name) const { return env_.Path(name).string(); }
};

TEST_F(FileCommandTest, IniGetSetAndDeleteReachTheFile) {
  const auto a = Path("a.cfg");
  WriteFile(a, "[General]\r\nLog Dir=/var/log\r\n[t]\r\nx=1\r\n");
  const auto r = RunHost({"ini", "get", a, "general", "log dir", "--size", "5"});
  EXPECT_EQ(std::tie(r.exit_code, r.out, r.err), std::make_tuple(0, std::string("/var\n"), ""));
  EXPECT_EQ(RunHost({"ini", "get", Path("none.cfg"), "s", "k", "--default", "d"}).out, "d\n");
  EXPECT_EQ(RunHost({"ini", "set", a, "GENERAL", "LOG DIR", "2"}).exit_code, 0);
  EXPECT_EQ(RunHost({"ini", "delete", a, "t"}).exit_code, 0);
  EXPECT_EQ(ReadFile(a), "[General]\r\nLog Dir=2\r\n");
}

// Each failure: exit 1 when refused or failed, 2 for a usage error; nothing on stdout; on stderr
// one line naming the file (`err` is the whole of it, or a part when `part` is set); and the files
// as they were. A FIFO fails at once (devices take the same path, which the platform's own tests
// cover); an upper-case name reaches the lower-case file as a Windows-made path would.
TEST_F(FileCommandTest, FailuresExitWithOneLineAndChangeNothing) {
  const auto a = Path("a.cfg"), folder = Path("folder.ini"), fifo = Path("ff");
  WriteFile(a, "[s]\r\nk=1\r\n");
  std::filesystem::create_directories(folder);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const auto named = [](const std::string& file, const std::string& why) {
    return "kzdlogsrv: " + file + ": " + why + "\n";
  };
  const std::string fifo_err = "not a regular file", empty_err = ": names no file (an empty path)\n";
  const struct {
    std::vector<std::string> args;
    int code;
    std::string err;
    bool part = false;
  } cases[] = {
      {{"ini", "set", a, "s", "k", "2\nmode=1"}, 1,
       named(a, "the value holds a line break, which would add lines to the file; nothing written")},
      {{"ini", "set", a, "s", "a=b", "2"}, 1, "key name would not read back", true},
      {{"ini", "set", Path("nosuch/a.cfg"), "s", "k", "v"}, 1,
       named(Path("nosuch/a.cfg"), "No such file or directory; no file was made")},
      {{"ini", "get", folder, "s", "k", "--default", "d"}, 1,
       named(folder, "cannot be read: Is a directory")},
      {{"dbf", "show", Path("none.dbf"), "--json"}, 1,
       named(Path("none.dbf"), "No such file or directory")},
      {{"trend", "show", "--file", Path("none/kztrendvars.dbf")}, 1,
       named(Path("none/kztrendvars.dbf"), "No such file or directory")},
      {{"kpj", "show", Path("none.kpj"), "--json"}, 1,
       named(Path("none.kpj"), "No such file or directory")},
      {{"config", "show", "--file", Path("none.cfg")}, 1, named(Path("none.cfg"), "no such file")},
      {{"config", "rewrite", "--file", Path("none.cfg")}, 1, "kzdlogsrv: " + Path("none.cfg"), true},
      {{"config", "show", "--file", fifo}, 1, fifo_err, true},
      {{"config", "rewrite", "--file", Path("FF")}, 1, fifo_err, true},
      {{"kpj", "show", fifo}, 1, fifo_err, true},
      {{"dbf", "show", fifo}, 1, fifo_err, true},
      {{"ini", "get", a, "s", "k", "--size", "-1"}, 2,
       "kzdlogsrv: --size: not a buffer size (a whole number from 0): -1\n"},
      {{"config", "show", "--file", ""}, 2, empty_err, true},
      {{"ini", "get", "", "s", "k"}, 2, empty_err, true},
      {{"trend", "show", "--file", ""}, 2, empty_err, true},
      {{"ini"}, 2, "", true},
      {{"config", "show", "--file", "a", "--options", "b"}, 2, "", true},
      {{"message", "476"}, 2, "", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "")
                                    << " " << (c.args.size() > 2 ? c.args[2] : ""));
    const auto r = RunHost(c.args, 10000);
    EXPECT_EQ(r.exit_code, c.code);
    EXPECT_EQ(r.out, "");
    if (c.part) {
      EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    } else {
      EXPECT_EQ(r.err, c.err);
    }
    if (c.code == 1) {
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
  EXPECT_EQ(ReadFile(a), "[s]\r\nk=1\r\n");
  for (const char* made : {"FF", "none.cfg", "nosuch"}) EXPECT_FALSE(std::filesystem::exists(Path(made)));
}

TEST_F(FileCommandTest, DbfShowPrintsLayoutAndLiveRecordsAsRead) {
  // Two fields (C 3, N 4), header length 32n + 33, one deleted record, a Latin-1 byte.
  std::string bytes("\x03\x7e\x0c\x06\x03\0\0\0\x61\0\x08\0", 12);
  bytes += std::string(20, '\0');
  bytes += std::string("NAME\0\0\0\0\0\0\0C\0\0\0\0\x03", 17) + std::string(15, '\0');
  bytes += std::string("RAW\0\0\0\0\0\0\0\0N\0\0\0\0\x04", 17) + std::string(15, '\0');
  bytes += std::string("\x0d ab    7*zz    8 \xe9    12\x1a");
  WriteFile(Path("t.dbf"), bytes);
  const auto run = RunHost({"dbf", "show", Path("t.dbf"), "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::parse(R"({"record count": 3, "header length": 97, "record length": 8,
                "fields": [{"name": "NAME", "type": "C", "length": 3},
                           {"name": "RAW", "type": "N", "length": 4}],
                "live records": [["ab", "   7"], [{"hex": "e9"}, "  12"]]})"));
}

// Names that are not UTF-8 print as hex, also where they are keys.
TEST_F(FileCommandTest, KpjShowPrintsStationsDatalogsAndTransfers) {
  WriteFile(Path("Site.kpj"),
            "[Zel Stations]\r\n0=Caf\xe9,1\r\n[Zel: Caf\xe9]\r\nStaNum=7\r\n"
            "[Quenda]\r\n0=Caf\xe9,Hourly\r\n1=Caf\xe9,D\xe9\r\n[Client Transfers: Hourly]\r\n"
            "0=`Sta`,\r\n0a=,,,,,,,,,,,128,0,\r\n1=`No detail`,\r\n");
  const auto run = RunHost({"kpj", "show", Path("SITE.KPJ"), "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const ordered_json hourly = {{{"name", "Sta"}, {"log id type", 128}, {"log id", 7}},
                               {{"name", "No detail"}, {"log id type", nullptr}, {"log id", -1}}};
  const ordered_json datalogs = {{"{\"hex\":\"44e9\"}", ordered_json::array()}, {"Hourly", hourly}};
  EXPECT_EQ(
      ordered_json::parse(run.out),
      (ordered_json{{"stations",
                     {{{"name", {{"hex", "436166e9"}}}, {"number", 7}, {"datalogs", datalogs}}}}}));
}

// The default store (where it lies is the store's own test), a project whose table cannot be
// read: exit 1 with the store's message, and every row still printed.
TEST_F(FileCommandTest, TrendShowPrintsTheStoreAndNamesAnUnreadableProjectTable) {
  bool ok = false;
  const auto store = WriteTrendSetup(env_.root(), {{"PumpFlow", "Pump1_Flow"}}, ok);
  auto other = WaterBinding("PumpFlow", "/data/Site.kpj");
  other.m_strCitectProj = "Zzz";  // projects are read in name order
  ASSERT_TRUE(ok && SaveBindings(store, {WaterBinding("PumpFlow", "/data/Site.kpj"), other}));
  const auto run = RunHost({"trend", "show", "--json"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "kzdlogsrv: Error: Unable to access trend tag list - the file may be in use by "
            "Citect. " +
                Path("citect/User/zzz/trend.dbf") + "\n");
  const auto row = [](const std::string& project, const std::string& expr) {
    return ordered_json{{"citect project", project}, {"trend tag", "PumpFlow"},
                        {"project file", "/data/Site.kpj"}, {"station name", "North"},
                        {"datalog", "Hourly"}, {"tag name", "Flow"}, {"expression", expr}};
  };
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::array({row("Water", "Pump1_Flow"), row("Zzz", "")}));
}

}  // namespace
}  // namespace kz::test
