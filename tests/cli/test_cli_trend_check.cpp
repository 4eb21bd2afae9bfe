// kzdlogsrv trend verify and trend resolve, run as the built host: exit codes, the shape of what
// they print, one-line messages naming the file, and resolve --add saving. Which warnings and
// bindings there are is the verifier's and the resolver's own tests' business.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/run_command.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::test {
namespace {

using nlohmann::ordered_json;

// Trend tags A and B of project "Water" are fed by variables of station North, whose tag "Flow"
// of datalog "Hourly" is in Site.kpj; the located store holds A bound to it.
class TrendCheckTest : public TempEnvTest {
 protected:
  void SetUp() override {
    bool ok = false;
    store_ = WriteTrendSetup(env_.root(), {{"A", "P_Flow"}, {"B", "Q_Flow"}}, ok).string();
    ASSERT_TRUE(ok);
    ASSERT_TRUE(WriteVariableTable(env_.Path("citect/User/Water/variable.dbf"),
                                   {{"P_Flow", "North"}, {"Q_Flow", "North"}}));
    ASSERT_TRUE(SaveBindings(store_, {WaterBinding("A", Kpj())}));
  }
  std::string Kpj() const { return env_.Path("Site.kpj").string(); }
  std::vector<std::string> Resolve(std::vector<std::string> more) const {
    more.insert(more.begin(),
                {"trend", "resolve", "--project", "Water", "--folder", env_.root().string()});
    return more;
  }

  std::string store_;
};

TEST_F(TrendCheckTest, VerifyExitsOneOnWarningsAndPrintsTheirCount) {
  auto run = RunHost({"trend", "verify"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "No warnings found.\n");
  ASSERT_TRUE(SaveBindings(store_, {WaterBinding("A", Kpj()), WaterBinding("B", "")}));
  run = RunHost({"trend", "verify", "--file", store_});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(run.out.ends_with(".\n\n1 warning(s) found.\n")) << run.out;
}

TEST_F(TrendCheckTest, ResolvePrintsTheNamedTagsOnceInTheOrderAskedAndAddSavesThem) {
  const auto run = RunHost(Resolve({"--tag", "B", "--tag", "A", "--tag", "B", "--add"}));
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const auto row = [this](const std::string& trend, const std::string& expr) {
    return ordered_json{{"citect project", "Water"}, {"trend tag", trend},  {"project file", Kpj()},
                        {"station name", "North"},   {"datalog", "Hourly"}, {"tag name", "Flow"},
                        {"expression", expr}};
  };
  EXPECT_EQ(ordered_json::parse(run.out),
            ordered_json::array({row("B", "Q_Flow"), row("A", "P_Flow")}));
  // Appended after the stored A; of two records of one trend tag the later takes the expression.
  EXPECT_EQ(ordered_json::parse(RunHost({"trend", "show", "--json"}).out),
            ordered_json::array({row("A", ""), row("B", "Q_Flow"), row("A", "P_Flow")}));
}

// Exit 1 with a last line naming the file, the store as it was and no folder made.
TEST_F(TrendCheckTest, FailuresNameTheFileAndSaveNothing) {
  const std::string root = env_.root().string();
  const struct {
    std::vector<std::string> args;
    const char* removed;  // below the test's folder, before the run; "" for nothing
    std::string err;      // the last line on stderr, without "kzdlogsrv: "
  } cases[] = {
      {Resolve({"--add", "--file", root + "/none/kztrendvars.dbf"}), "",
       "Error: Failed to save the trend tag list to " + root + "/none/kztrendvars.dbf."},
      {Resolve({"--add"}), "citect/User/Water/variable.dbf",
       root + "/citect/User/Water/variable.dbf: No such file or directory"},
  };
  for (const auto& c : cases) {
    if (*c.removed) {
      ASSERT_TRUE(std::filesystem::remove(env_.Path(c.removed)));
    }
    const std::string before = ReadFile(store_);
    const auto run = RunHost(c.args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_TRUE(run.err.ends_with("kzdlogsrv: " + c.err + "\n")) << run.err;
    EXPECT_EQ(ReadFile(store_), before);
    EXPECT_FALSE(std::filesystem::exists(env_.Path("none")));
  }
}

}  // namespace
}  // namespace kz::test
