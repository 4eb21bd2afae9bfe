#include <gtest/gtest.h>

#include "citect/candidate_tags.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

using CandidateTest = test::TempEnvTest;

// Named live records in file order, the project folder found without case; a failed read says
// why and leaves no candidate, not even one from before.
TEST_F(CandidateTest, ListsTheProjectsNamedLiveTrendTagsElseSaysWhy) {
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
  ASSERT_TRUE(test::WriteCitectInstall(install));
  test::ScriptedUi ui;
  CCitectTrendTagArray out;
  const auto listed = [&out] {
    std::string text;
    for (std::size_t i = 0; i < out.size(); ++i) {
      const CCitectTrendTag& t = out[i];
      text += t.m_strCitectProj + " " + t.m_strTrendVar + " " + t.m_strExpr + t.m_strStaName +
              t.m_strProjFile + t.m_strTagName + "|";
    }
    return text;
  };
  out.Add().m_strTrendVar = "Earlier";
  EXPECT_TRUE(ReadCandidateTags(ui, "WATER", out));
  EXPECT_EQ(listed(), "WATER PumpFlow Pump1_Flow|WATER Level Tank_Level|WATER Alpha |");
  ASSERT_TRUE(std::filesystem::remove(env_.Path("citect/User/Water/trend.dbf")));
  EXPECT_FALSE(ReadCandidateTags(ui, "Water", out));
  EXPECT_EQ(listed(), "");
  ASSERT_TRUE(std::filesystem::remove(env_.Path("windows/citect.ini")));
  out.Add();
  EXPECT_FALSE(ReadCandidateTags(ui, "Water", out));
  EXPECT_EQ(listed(), "");
  using Box = test::ScriptedUi::Box;
  EXPECT_EQ(ui.boxes, (std::vector<Box>{{"Unable to access the trend tag list.", "Error",
                                         ui::Buttons::Ok, ui::Icon::Exclamation},
                                        {"Unable to locate the trend tag list.", "Error",
                                         ui::Buttons::Ok, ui::Icon::Exclamation}}));
}

}  // namespace
}  // namespace kz::citect
