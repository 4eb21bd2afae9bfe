// kzdlogsrv trend verify, run as the built host: what it prints and its exit status. Which
// warnings there are is the verifier's own tests' business.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/kpj_project.h"
#include "support/run_command.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::test {
namespace {

struct VerifyRun {
  const char* name;
  std::vector<std::string> tags;  // trend tag names of project "Water", bound to "Flow"
  bool by_file;                   // --file, else the located store
  int exit_code;
  std::string out;
};

void PrintTo(const VerifyRun& r, std::ostream* os) {
  *os << r.name;
}

const VerifyRun kRuns[] = {
    {"CleanListExitsZero", {"A", "B"}, true, 0, "No warnings found.\n"},
    {"EmptyListAtTheLocatedStore", {}, false, 0, "No warnings found.\n"},
    {"WarningsAsTheWindowListsThem",
     {"A", "Nope"},
     false,
     1,
     "Tag configuration incomplete: trend tag name = Nope, Citect project = Water.\n"
     "Citect trend tag `Expression` field not complete: trend tag name = Nope, Citect project = "
     "Water.\n\n2 warning(s) found.\n"},
};

class TrendVerifyTest : public TempEnvTest, public ::testing::WithParamInterface<VerifyRun> {
 protected:
  void SetUp() override {
    bool ok = false;
    store_ = WriteTrendSetup(env_.root(), {{"A", "Ea"}, {"B", "Eb"}}, ok);
    ASSERT_TRUE(ok);
    KpjProject project;
    project.stations = {{"North", KpjStationList::kZel, 1, {"Hourly"}}};
    project.datalogs = {{"Hourly", {}, {"Flow"}}};
    ASSERT_TRUE(WriteKpjProject(env_.Path("Site.kpj"), project));
  }
  void SaveStore(const std::filesystem::path& path, const std::vector<std::string>& names) {
    std::filesystem::create_directories(path.parent_path());
    std::vector<citect::CCitectTrendTag> tags;
    for (const auto& name : names)
      tags.push_back(WaterBinding(name, env_.Path("Site.kpj").string()));
    ASSERT_TRUE(SaveBindings(path, tags));
  }

  std::filesystem::path store_;
};

TEST_P(TrendVerifyTest, PrintsTheWarningsTextAndFailsOnWarnings) {
  const VerifyRun& run = GetParam();
  const auto path =
      run.by_file ? env_.Path("elsewhere/list.dbf") : env_.Path("tool/Projects/kztrendvars.dbf");
  SaveStore(path, run.tags);
  std::vector<std::string> args{"trend", "verify"};
  if (run.by_file) args.insert(args.end(), {"--file", path.string()});
  const auto r = RunHost(args);
  EXPECT_EQ(r.exit_code, run.exit_code);
  EXPECT_EQ(r.out, run.out);
  EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(Runs, TrendVerifyTest, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrendVerifyTest, UnreadableListIsOneLineNamingIt) {
  const std::string missing = env_.Path("none/kztrendvars.dbf").string();
  const auto r = RunHost({"trend", "verify", "--file", missing});
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "kzdlogsrv: " + missing + ": No such file or directory\n");
}

}  // namespace
}  // namespace kz::test
