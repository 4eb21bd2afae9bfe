// kzdlogsrv dbf show / trend show, run as the built host.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "citect/record/citect_trend_tag.h"
#include "platform/profile.h"
#include "projfiles/citect_data_mgr.h"
#include "support/citect_install.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz {
namespace {

using nlohmann::ordered_json;

class DbfCommandTest : public test::TempEnvTest {};

TEST_F(DbfCommandTest, ShowPrintsLayoutAndLiveRecordsAsRead) {
  // Two fields (C 3, N 4), header length 32n + 33, one deleted record, a Latin-1 byte.
  std::string bytes("\x03\x7e\x0c\x06\x03\0\0\0\x61\0\x08\0", 12);
  bytes += std::string(20, '\0');
  bytes += std::string("NAME\0\0\0\0\0\0\0C\0\0\0\0\x03", 17) + std::string(15, '\0');
  bytes += std::string("RAW\0\0\0\0\0\0\0\0N\0\0\0\0\x04", 17) + std::string(15, '\0');
  bytes += "\x0d";
  bytes += std::string(" ab    7") + "*zz    8" + " \xe9    12" + "\x1a";
  const auto path = env_.Path("t.dbf");
  test::WriteFile(path, bytes);
  const auto run = test::RunHost({"dbf", "show", path.string(), "--json"});
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

TEST_F(DbfCommandTest, MissingFileFailsWithOneLineNamingIt) {
  const auto path = env_.Path("none.dbf").string();
  const auto run = test::RunHost({"dbf", "show", path, "--json"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "kzdlogsrv: " + path + ": No such file or directory\n");
  EXPECT_EQ(run.out, "");
}

TEST_F(DbfCommandTest, ShowWithoutFileIsAUsageError) {
  EXPECT_EQ(test::RunHost({"dbf", "show"}).exit_code, 2);
}

class TrendCommandTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    install_.user_folder = env_.Path("User");
    install_.projects = {{"Water", "", {{"PumpFlow", "Pump1_Flow"}}, {}}};
    ASSERT_TRUE(test::WriteCitectInstall(install_));
  }
  void Save(const std::filesystem::path& path, std::vector<std::string> projects) {
    test::ScriptedUi ui;
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
  test::CitectInstall install_;
};

TEST_F(TrendCommandTest, ShowPrintsTheDefaultStoreWithExpressions) {
  platform::WritePrivateProfileString("Installation Directory", "Path32",
                                      env_.Path("Tool").string(), "velmora.ini");
  Save(env_.Path("Tool/projects/KZTRENDVARS.DBF"), {"Water"});  // found without case
  const auto run = test::RunHost({"trend", "show", "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ordered_json::parse(run.out), ordered_json::array({Row("Water", "Pump1_Flow")}));
}

TEST_F(TrendCommandTest, UnreadableProjectTableIsReportedOnStderrAndFails) {
  const auto path = env_.Path("kztrendvars.dbf");
  Save(path, {"Water", "Zzz"});  // projects are read in name order
  const auto run = test::RunHost({"trend", "show", "--file", path.string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "kzdlogsrv: Error: Unable to access trend tag list - the file may be in use by "
            "Citect. " +
                install_.user_folder.string() + "/zzz/trend.dbf\n");
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::array({Row("Water", "Pump1_Flow"), Row("Zzz", "")}));
}

TEST_F(TrendCommandTest, MissingStoreFailsWithOneLineNamingIt) {
  const auto path = env_.Path("none/kztrendvars.dbf").string();
  const auto run = test::RunHost({"trend", "show", "--file", path});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "kzdlogsrv: " + path + ": No such file or directory\n");
}

}  // namespace
}  // namespace kz
