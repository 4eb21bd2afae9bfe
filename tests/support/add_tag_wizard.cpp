#include "support/add_tag_wizard.h"

#include <algorithm>

namespace kz::test {

void AddTagWizardTest::SetUp() {
  install_.user_folder = env_.Path("citect/User");
  install_.projects = {
      {"Water",
       "",
       {{"Level", "Pump1_Level"}, {"", "Unnamed"}, {"Flow", "Pump1_Flow"}, {"Old", "x", true},
        {"Speed", "Pump1_Speed"}},
       {{"Pump1_Level", "Alpha"}, {"Pump1_Flow", "Alpha"}}},
      {"Archive", "Archive of 2019", {{"Stale", "S"}}, {}},
      {"power", "", {{"Volts", "Feeder_Volts"}}, {}}};
  ASSERT_TRUE(WriteCitectInstall(install_));
}

void AddTagWizardTest::ToPage2(const std::string& project) {
  sheet_.OnInitDialog();
  auto& list = sheet_.page1().m_projects;
  const auto found = std::find(list.begin(), list.end(), project);
  ASSERT_NE(found, list.end()) << project;
  sheet_.page1().m_nSelected = static_cast<int>(found - list.begin());
  ASSERT_TRUE(sheet_.OnWizardNext());
  ASSERT_EQ(sheet_.GetActiveIndex(), 1);
}

void AddTagWizardTest::SelectTrends(const std::vector<std::string>& names) {
  citect::CCitectTagGrid& grid = *sheet_.page2().grid();
  for (const auto& name : names) {
    for (int row = 0; row < grid.GetNumberRows(); ++row) {
      if (grid.GetText(row, 0) != name) continue;
      for (int col = 0; col < grid.GetNumberCols(); ++col) grid.m_selection.push_back({col, row});
    }
  }
}

void AddTagWizardTest::ManualToPage4() {
  ASSERT_TRUE(sheet_.OnWizardNext());
  sheet_.page3().m_nResolveMode = citect::CCitectAddTagPage3::kManual;
  ASSERT_TRUE(sheet_.OnWizardNext());
  ASSERT_EQ(sheet_.GetActiveIndex(), 3);
}

std::vector<std::string> AddTagWizardTest::TagsToAdd() const {
  std::vector<std::string> names;
  for (const auto* tag : sheet_.GetResult()) names.push_back(tag->m_strTrendVar);
  return names;
}

}  // namespace kz::test
