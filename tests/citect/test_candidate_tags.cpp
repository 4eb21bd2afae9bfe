#include <gtest/gtest.h>

#include "citect/candidate_tags.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::citect {
namespace {

using Tags = std::vector<std::pair<std::string, std::string>>;  // trend tag, expression

struct CandidateCase {
  const char* name;
  const char* removed;  // below the test's folder; "" for nothing
  std::string project;  // as chosen
  const char* error;    // nullptr when the read succeeds
  Tags tags;
};

const Tags kLive = {{"PumpFlow", "Pump1_Flow"}, {"Level", "Tank_Level"}, {"Alpha", ""}};

const CandidateCase kCases[] = {
    {"NamedLiveRecordsInFileOrder", "", "Water", nullptr, kLive},
    {"ProjectFolderFoundWithoutCase", "", "WATER", nullptr, kLive},
    {"NoUserFolder", "windows/citect.ini", "Water", "Unable to locate the trend tag list.", {}},
    {"NoTrendTable",
     "citect/User/Water/trend.dbf",
     "Water",
     "Unable to access the trend tag list.",
     {}},
};

class CandidateTest : public test::TempEnvTest,
                      public ::testing::WithParamInterface<CandidateCase> {};

TEST_P(CandidateTest, ListsTheProjectsNamedLiveTrendTags) {
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
  ASSERT_TRUE(test::WriteCitectInstall(install));
  if (*c.removed) {
    ASSERT_TRUE(std::filesystem::remove(env_.Path(c.removed)));
  }

  test::ScriptedUi ui;
  CCitectTrendTagArray out;
  out.Add().m_strTrendVar = "Earlier";
  EXPECT_EQ(ReadCandidateTags(ui, c.project, out), c.error == nullptr);
  std::vector<test::ScriptedUi::Box> boxes;
  if (c.error) boxes.push_back({c.error, "Error", ui::Buttons::Ok, ui::Icon::Exclamation});
  EXPECT_EQ(ui.boxes, boxes);
  Tags got;
  for (std::size_t i = 0; i < out.size(); ++i) {
    got.emplace_back(out[i].m_strTrendVar, out[i].m_strExpr);
    EXPECT_EQ(out[i].m_strCitectProj, c.project);
    EXPECT_EQ(out[i].m_strStaName + out[i].m_strProjFile + out[i].m_strTagName, "");
  }
  EXPECT_EQ(got, c.tags);
}

INSTANTIATE_TEST_SUITE_P(Candidates, CandidateTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kz::citect
