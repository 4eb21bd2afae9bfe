#include <gtest/gtest.h>

#include <filesystem>

#include "citect/candidate_tags.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

struct CandidateCase {
  const char* name;
  bool install;
  bool trend_table;
  std::string project;  // as chosen
  bool ok;
  std::vector<std::string> texts;
  std::vector<std::pair<std::string, std::string>> tags;  // trend tag, expression
};

void PrintTo(const CandidateCase& c, std::ostream* os) { *os << c.name; }

const CandidateCase kCandidateCases[] = {
    {"NamedLiveRecordsInFileOrder", true, true, "Water", true, {},
     {{"PumpFlow", "Pump1_Flow"}, {"Level", "Tank_Level"}, {"Alpha", ""}}},
    {"ProjectFolderFoundWithoutCase", true, true, "WATER", true, {},
     {{"PumpFlow", "Pump1_Flow"}, {"Level", "Tank_Level"}, {"Alpha", ""}}},
    {"NoUserFolder", false, false, "Water", false, {"Unable to locate the trend tag list."}, {}},
    {"NoTrendTable", true, false, "Water", false, {"Unable to access the trend tag list."}, {}},
};

class CandidateTest : public test::TempEnvTest,
                      public ::testing::WithParamInterface<CandidateCase> {};

TEST_P(CandidateTest, ListsTheProjectsTrendTags) {
  const CandidateCase& c = GetParam();
  test::CitectInstall install;
  install.user_folder = env_.Path("citect/User");
  install.projects = {{"Water",
                       "",
                       {{"PumpFlow", "Pump1_Flow"},
                        {"", "Unnamed"},
                        {"Old", "Gone", true},
                        {"Level", "Tank_Level"},
                        {"Alpha", ""}},
                       {}}};
  if (c.install) {
    ASSERT_TRUE(test::WriteCitectInstall(install));
  }
  if (!c.trend_table) std::filesystem::remove(install.user_folder / "Water" / "trend.dbf");

  test::ScriptedUi ui;
  CCitectTrendTagArray out;
  out.Add().m_strTrendVar = "Earlier";
  EXPECT_EQ(ReadCandidateTags(ui, c.project, out), c.ok);
  EXPECT_EQ(ui.Texts(), c.texts);
  for (const auto& box : ui.boxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.icon, ui::Icon::Exclamation);
  }
  std::vector<std::pair<std::string, std::string>> got;
  for (std::size_t i = 0; i < out.size(); ++i) {
    got.emplace_back(out[i].m_strTrendVar, out[i].m_strExpr);
    EXPECT_EQ(out[i].m_strCitectProj, c.project);
    EXPECT_EQ(out[i].m_strStaName + out[i].m_strProjFile + out[i].m_strTagName, "");
  }
  EXPECT_EQ(got, c.tags);
}

INSTANTIATE_TEST_SUITE_P(Candidates, CandidateTest, ::testing::ValuesIn(kCandidateCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kz::citect
