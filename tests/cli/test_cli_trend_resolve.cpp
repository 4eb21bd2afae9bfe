// kzdlogsrv trend resolve, run as the built host: selection, output, progress on stderr, exit
// codes and saving with --add. How tags are bound is the resolver's own tests' business.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "projfiles/citect_data_mgr.h"
#include "support/citect_install.h"
#include "support/run_command.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::test {
namespace {

using nlohmann::ordered_json;

class TrendResolveCommandTest : public TempEnvTest {
 protected:
  void SetUp() override {
    install_.user_folder = env_.Path("User");
    install_.projects = {{"Water",
                          "",
                          {{"PumpFlow", "Pump1_Flow"}, {"Level", "Tank_Level"}},
                          {{"Pump1_Flow", "North"}, {"Tank_Level", "North"}}}};
    ASSERT_TRUE(WriteCitectInstall(install_));
    WriteFile(env_.Path("kpj/site.kpj"),
              "[Zel Stations]\r\n0=North,1,0\r\n[Quenda]\r\n0=North,Hourly,60\r\n"
              "[Quenda:Hourly]\r\n0=Flow\r\n1=Level\r\n");
  }
  std::vector<std::string> Args(std::vector<std::string> more) const {
    std::vector<std::string> args = {"trend", "resolve", "--project", "Water", "--folder",
                                     env_.Path("kpj").string()};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }
  ordered_json Row(const std::string& trend, const std::string& expr, const std::string& tag) {
    return {{"citect project", "Water"},
            {"trend tag", trend},
            {"project file", env_.Path("kpj").string() + "/site.kpj"},
            {"station name", "North"},
            {"datalog", "Hourly"},
            {"tag name", tag},
            {"expression", expr}};
  }
  std::string Store() const { return env_.Path("kztrendvars.dbf").string(); }

  CitectInstall install_;
};

TEST_F(TrendResolveCommandTest, PrintsTheNamedTagsBoundInTheOrderAskedWithProgressOnStderr) {
  const auto run = RunHost(Args({"--tag", "Level", "--tag", "PumpFlow", "--tag", "Level"}));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::array({Row("Level", "Tank_Level", "Level"),
                                 Row("PumpFlow", "Pump1_Flow", "Flow")}));
  EXPECT_EQ(run.err,
            "kzdlogsrv: Resolving trend tags...\nkzdlogsrv: Reading variable.dbf...\n"
            "kzdlogsrv: Finding station names...\nkzdlogsrv: Building .kpj lookup table...\n"
            "kzdlogsrv: Sorting by station name...\n"
            "kzdlogsrv: Resolving tag names for North...\n");
}

TEST_F(TrendResolveCommandTest, AddAppendsEveryTagToTheStoredList) {
  {
    ScriptedUi ui;
    projfiles::CCitectDataMgr mgr(ui);
    auto& old = mgr.m_tags.Add();
    old.m_strCitectProj = "Water";
    old.m_strTrendVar = "Old";
    ASSERT_EQ(mgr.ReadWrite(Store(), true), projfiles::kDataOk);
  }
  const auto run = RunHost(Args({"--add", "--file", Store()}));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  ScriptedUi ui;
  projfiles::CCitectDataMgr mgr(ui);
  ASSERT_EQ(mgr.ReadWrite(Store(), false), projfiles::kDataOk);
  ASSERT_EQ(mgr.m_tags.size(), 3u);
  EXPECT_EQ(mgr.m_tags[0].m_strTrendVar, "Old");
  EXPECT_EQ(mgr.m_tags[1].m_strTrendVar, "PumpFlow");
  EXPECT_EQ(mgr.m_tags[1].m_strTagName, "Flow");
  EXPECT_EQ(mgr.m_tags[2].m_strTrendVar, "Level");
  EXPECT_EQ(mgr.m_tags[2].m_strDatalog, "Hourly");
}

TEST_F(TrendResolveCommandTest, FailedSaveIsReportedWithThePath) {
  const std::string store = env_.Path("none/kztrendvars.dbf").string();
  const auto run = RunHost(Args({"--add", "--file", store}));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.err.ends_with("kzdlogsrv: Error: Failed to save the trend tag list to " +
                                store + ".\n"))
      << run.err;
  EXPECT_FALSE(std::filesystem::exists(store));
}

TEST_F(TrendResolveCommandTest, MissingVariableTableIsOneLineNamingItAndNothingIsSaved) {
  const auto variables = install_.user_folder / "Water" / "variable.dbf";
  ASSERT_TRUE(std::filesystem::remove(variables));
  const auto run = RunHost(Args({"--add", "--file", Store()}));
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "kzdlogsrv: " + variables.string() + ": No such file or directory\n");
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(std::filesystem::exists(Store()));
}

}  // namespace
}  // namespace kz::test
