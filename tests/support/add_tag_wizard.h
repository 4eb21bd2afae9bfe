// The add trend tags wizard's test sample, and a fixture with a scripted UI, a sheet whose help
// requests are recorded and steps that walk the sheet as a user would.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "citect/citect_add_tag_psheet.h"
#include "support/citect_install.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"

namespace kz::test {

// Below `env`: a Citect installation with three projects (Archive has a title, so is not offered;
// the folder of "power" is "Power", whose trend tags but Volts are unnamed or deleted), and
// kpj/Site.kpj where station Alpha logs Level and Flow (bound to Alpha in Water) in "Hourly".
inline CitectInstall WriteAddTagSample(const TempEnv& env) {
  CitectInstall install;
  install.user_folder = env.Path("citect/User");
  install.projects = {
      {"Water",
       "",
       {{"Level", "Pump1_Level"}, {"Flow", "Pump1_Flow"}, {"Speed", "Pump1_Speed"}},
       {{"Pump1_Level", "Alpha"}, {"Pump1_Flow", "Alpha"}}},
      {"Archive", "Archive of 2019", {{"Stale", "S"}}, {}},
      {"power", "", {{"Volts", "Feeder_Volts"}, {"", "Unnamed"}, {"Old", "Gone", true}}, {}}};
  EXPECT_TRUE(WriteCitectInstall(install));
  std::filesystem::rename(install.user_folder / "power", install.user_folder / "Power");
  EXPECT_TRUE(WriteKpjProject(
      env.Path("kpj/Site.kpj"),
      {{{"Alpha", KpjStationList::kZel, 7, {"Hourly"}}}, {{"Hourly", {}, {"Level", "Flow"}}}}));
  return install;
}

class AddTagWizardTest : public TempEnvTest {
 protected:
  void SetUp() override { install_ = WriteAddTagSample(env_); }

  // Page 1 shown, `project` selected (by its text), Next pressed; asserts page 2 is active.
  void ToPage2(const std::string& project = "Water") {
    sheet_.OnInitDialog();
    const auto& list = sheet_.page1().m_projects;
    sheet_.page1().m_nSelected =
        static_cast<int>(std::find(list.begin(), list.end(), project) - list.begin());
    ASSERT_TRUE(sheet_.OnWizardNext());
  }
  // Selects the candidate rows that show these trend tags, each cell of each row.
  void SelectTrends(const std::vector<std::string>& names) {
    citect::CCitectTagGrid& grid = *sheet_.page2().grid();
    for (int row = 0; row < grid.GetNumberRows(); ++row) {
      if (std::find(names.begin(), names.end(), grid.GetText(row, 0)) == names.end()) continue;
      for (int col = 0; col < grid.GetNumberCols(); ++col) grid.m_selection.push_back({col, row});
    }
  }
  // From page 2: Next, `mode` on page 3 (automatic over kpj/), Next; asserts both are taken.
  void ToPage4(int mode = citect::CCitectAddTagPage3::kManual) {
    ASSERT_TRUE(sheet_.OnWizardNext());
    sheet_.page3().m_nResolveMode = mode;
    sheet_.page3().m_strFolderDisplay = env_.Path("kpj/").string();
    ASSERT_TRUE(sheet_.OnWizardNext());
  }

  CitectInstall install_;
  ScriptedUi ui_;
  std::vector<std::uint32_t> help_;
  citect::CCitectAddTagPSheet sheet_{ui_, [this](std::uint32_t id) { help_.push_back(id); }};
};

}  // namespace kz::test
