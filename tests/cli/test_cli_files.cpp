// kzdlogsrv ini / dbf / trend / kpj, run as the built host: arguments, output, messages and exit
// codes. What the readers return is their own tests' business.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "support/citect_install.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::test {
namespace {

using nlohmann::ordered_json;

class FileCommandTest : public TempEnvTest {
 protected:
  std::string Path(std::string_view name) const { return env_.Path(name).string(); }
  // Expects `args` to fail with exit code `code` and exactly `err`, printing nothing.
  static void ExpectFailure(const std::vector<std::string>& args, int code,
                            const std::string& err) {
    const auto r = RunHost(args, 10000);
    EXPECT_EQ(r.exit_code, code) << args[0] << " " << args[1];
    EXPECT_EQ(r.err, err) << args[0] << " " << args[1];
    EXPECT_EQ(r.out, "");
  }
};

TEST_F(FileCommandTest, IniGetSetAndDelete) {
  WriteFile(Path("a.cfg"), "[General]\r\nLog Dir=/var/log\r\n[t]\r\nx=1\r\n");
  auto r = RunHost({"ini", "get", Path("a.cfg"), "general", "log dir", "--size", "5"});
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_EQ(r.out, "/var\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(RunHost({"ini", "get", Path("none.cfg"), "s", "k", "--default", "d"}).out, "d\n");
  EXPECT_FALSE(std::filesystem::exists(Path("none.cfg")));
  EXPECT_EQ(RunHost({"ini", "set", Path("a.cfg"), "GENERAL", "LOG DIR", "2"}).exit_code, 0);
  EXPECT_EQ(RunHost({"ini", "delete", Path("a.cfg"), "t"}).exit_code, 0);
  EXPECT_EQ(RunHost({"ini", "delete", Path("a.cfg"), "s", "nosuch"}).exit_code, 0);
  EXPECT_EQ(ReadFile(Path("a.cfg")), "[General]\r\nLog Dir=2\r\n");
}

TEST_F(FileCommandTest, RefusedOrFailedCommandsExitOneNamingTheFile) {
  WriteFile(Path("a.cfg"), "[s]\r\nk=1\r\n");
  std::filesystem::create_directories(Path("folder.ini"));
  const auto a = Path("a.cfg");
  ExpectFailure({"ini", "set", a, "s", "k", "2\nmode=1"}, 1,
                "kzdlogsrv: " + a +
                    ": the value holds a line break, which would add lines to the file; "
                    "nothing written\n");
  const auto r = RunHost({"ini", "set", a, "s", "a=b", "2"});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("key name would not read back"), std::string::npos) << r.err;
  EXPECT_EQ(ReadFile(a), "[s]\r\nk=1\r\n");
  ExpectFailure(
      {"ini", "set", Path("nosuch/a.cfg"), "s", "k", "v"}, 1,
      "kzdlogsrv: " + Path("nosuch/a.cfg") + ": No such file or directory; no file was made\n");
  ExpectFailure({"ini", "get", Path("folder.ini"), "s", "k", "--default", "d"}, 1,
                "kzdlogsrv: " + Path("folder.ini") + ": cannot be read: Is a directory\n");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"dbf", "show", Path("none.dbf"), "--json"},
           {"trend", "show", "--file", Path("none/kztrendvars.dbf")},
           {"kpj", "show", Path("none.kpj"), "--json"}}) {
    ExpectFailure(args, 1,
                  "kzdlogsrv: " + args[2 + (args[0] == "trend")] + ": No such file or directory\n");
  }
  ExpectFailure({"kpj", "show", Path("folder.ini")}, 1,
                "kzdlogsrv: " + Path("folder.ini") + ": Is a directory\n");
}

TEST_F(FileCommandTest, UsageErrorsExitTwo) {
  const std::vector<std::vector<std::string>> commands = {
      {"ini"},
      {"ini", "get", Path("a.cfg"), "s"},
      {"ini", "set", Path("a.cfg"), "s", "k"},
      {"ini", "delete", Path("a.cfg"), "s", "k", "extra"},
      {"dbf", "show"},
      {"kpj", "show"},
      {"config", "rewrite"},
      {"config", "show", "--file", "a", "--options", "b"},
      {"message", "476"},
      {"set-status"}};
  for (const auto& args : commands) EXPECT_EQ(RunHost(args).exit_code, 2) << args[0];
  ExpectFailure({"ini", "get", Path("a.cfg"), "s", "k", "--size", "-1"}, 2,
                "kzdlogsrv: --size: not a buffer size (a whole number from 0): -1\n");
  EXPECT_FALSE(std::filesystem::exists(Path("a.cfg")));
  for (const auto& args : std::vector<std::vector<std::string>>{{"config", "show", "--file", ""},
                                                                {"config", "rewrite", "--file", ""},
                                                                {"ini", "get", "", "s", "k"},
                                                                {"dbf", "show", ""},
                                                                {"trend", "show", "--file", ""}}) {
    const auto r = RunHost(args);
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find(": names no file (an empty path)\n"), std::string::npos) << r.err;
  }
  const auto help = RunHost({"kpj", "show", "--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_NE(help.out.find("FILE"), std::string::npos);
}

// Every command that reads or writes a named file, given a FIFO (devices take the same path,
// which the platform's own tests cover): a prompt failure that says why, and the FIFO still in
// place. An upper-case name reaches the lower-case file as a Windows-made path would.
TEST_F(FileCommandTest, FifoFailsAtOnceAndIsReplacedByNothing) {
  const std::string fifo = Path("ff");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  const std::vector<std::vector<std::string>> commands = {
      {"config", "show", "--file", fifo},
      {"config", "rewrite", "--file", Path("FF")},
      {"dbf", "show", fifo},
      {"trend", "show", "--file", fifo},
      {"kpj", "show", fifo},
      {"ini", "get", fifo, "s", "k"},
      {"ini", "set", Path("FF"), "s", "k", "v"},
  };
  for (const auto& args : commands) {
    const auto run = RunHost(args, 10000);
    EXPECT_EQ(run.exit_code, 1) << args[0] << " " << args[1];
    EXPECT_NE(run.err.find("not a regular file"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("Success"), std::string::npos) << run.err;
  }
  struct stat st {};
  ASSERT_EQ(stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_FALSE(std::filesystem::exists(Path("FF")));
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
  const ordered_json expected = {{"record count", 3},
                                 {"header length", 97},
                                 {"record length", 8},
                                 {"fields",
                                  {{{"name", "NAME"}, {"type", "C"}, {"length", 3}},
                                   {{"name", "RAW"}, {"type", "N"}, {"length", 4}}}},
                                 {"live records", {{"ab", "   7"}, {{{"hex", "e9"}}, "  12"}}}};
  EXPECT_EQ(ordered_json::parse(run.out), expected);
  EXPECT_EQ(run.err, "");
}

TEST_F(FileCommandTest, KpjShowPrintsStationsDatalogsAndTransfers) {
  WriteFile(Path("Site.kpj"),
            "[Zel Stations]\r\n0=North,1\r\n[Zel: North]\r\nStaNum=7\r\n"
            "[Quenda]\r\n0=North,Hourly\r\n1=Caf\xe9,Hourly\r\n2=North,D\xe9\r\n"
            "[Client Transfers: Hourly]\r\n0=`Sta`,\r\n0a=,,,,,,,,,,,128,0,\r\n"
            "1=`No detail`,\r\n");
  const auto run = RunHost({"kpj", "show", Path("SITE.KPJ"), "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto hourly = [](int log_id) {
    return ordered_json{{{"name", "Sta"}, {"log id type", 128}, {"log id", log_id}},
                        {{"name", "No detail"}, {"log id type", nullptr}, {"log id", -1}}};
  };
  const ordered_json expected = {
      {"stations",
       {{{"name", "North"},
         {"number", 7},
         {"datalogs", {{"{\"hex\":\"44e9\"}", ordered_json::array()}, {"Hourly", hourly(7)}}}},
        {{"name", {{"hex", "436166e9"}}},
         {"number", -1},
         {"datalogs", {{"Hourly", hourly(-1)}}}}}}};
  EXPECT_EQ(ordered_json::parse(run.out), expected);
  EXPECT_EQ(run.err, "");
}

class TrendCommandTest : public TempEnvTest {
 protected:
  void SetUp() override {
    install_.user_folder = env_.Path("User");
    install_.projects = {{"Water", "", {{"PumpFlow", "Pump1_Flow"}}, {}}};
    ASSERT_TRUE(WriteCitectInstall(install_));
  }
  void Save(const std::filesystem::path& path, std::vector<std::string> projects) {
    ScriptedUi ui;
    projfiles::CCitectDataMgr mgr(ui);
    for (const auto& p : projects) {
      auto& t = mgr.m_tags.Add();
      t.m_strCitectProj = p;
      t.m_strTrendVar = "PumpFlow";
      t.m_strProjFile = "/data/Site.kpj";
      t.m_strStaName = "North";
      t.m_strDatalog = "Hourly";
      t.m_strTagName = "Flow";
    }
    std::filesystem::create_directories(path.parent_path());
    ASSERT_EQ(mgr.ReadWrite(path.string(), true), projfiles::kDataOk);
  }
  static ordered_json Row(const std::string& project, const std::string& expr) {
    return {
        {"citect project", project}, {"trend tag", "PumpFlow"}, {"project file", "/data/Site.kpj"},
        {"station name", "North"},   {"datalog", "Hourly"},     {"tag name", "Flow"},
        {"expression", expr}};
  }
  CitectInstall install_;
};

TEST_F(TrendCommandTest, ShowPrintsTheDefaultStoreWithExpressions) {
  platform::WritePrivateProfileString("Installation Directory", "Path32",
                                      env_.Path("Tool").string(), "velmora.ini");
  Save(env_.Path("Tool/projects/KZTRENDVARS.DBF"), {"Water"});  // found without case
  const auto run = RunHost({"trend", "show", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ordered_json::parse(run.out), ordered_json::array({Row("Water", "Pump1_Flow")}));
}

TEST_F(TrendCommandTest, UnreadableProjectTableIsReportedOnStderrAndFails) {
  const auto path = env_.Path("kztrendvars.dbf");
  Save(path, {"Water", "Zzz"});  // projects are read in name order
  const auto run = RunHost({"trend", "show", "--file", path.string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "kzdlogsrv: Error: Unable to access trend tag list - the file may be in use by "
            "Citect. " +
                install_.user_folder.string() + "/zzz/trend.dbf\n");
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::array({Row("Water", "Pump1_Flow"), Row("Zzz", "")}));
}

}  // namespace
}  // namespace kz::test
