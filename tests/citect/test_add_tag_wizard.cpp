// The add trend tags wizard's rules: project list, selection, resolution, buttons and help, going
// back, remembered choices, Cancel and every failure message.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "support/add_tag_wizard.h"

namespace kz::citect {
namespace {

using Box = test::ScriptedUi::Box;
using Page3 = CCitectAddTagPage3;
using Profile = platform::AppProfile;
using Sheet = CCitectAddTagPSheet;
using test::AddTagWizardTest;

TEST_F(AddTagWizardTest, ProjectListSkipsTitledProjectsSortsWithoutCaseAndSelectsTheLastOne) {
  sheet_.OnInitDialog();
  EXPECT_EQ(sheet_.page1().m_projects, (std::vector<std::string>{"power", "Water"}));
  EXPECT_EQ(sheet_.page1().m_strInfo, "Projects location: " + install_.user_folder.string() + "/");
  for (const auto& [remembered, selected] :
       {std::pair{"WATER", 1}, {"Power", 0}, {"Archive", -1}}) {
    Profile::WriteString(kCitectAddTagSection, kLastCitectProjEntry, remembered);
    Sheet sheet(ui_);
    sheet.OnInitDialog();
    EXPECT_EQ(sheet.page1().m_nSelected, selected);
  }
}

// Then each page's buttons and help, on the way back, which drops the bindings.
TEST_F(AddTagWizardTest, AutomaticModeBindsTheSelectionWithTheWizardSwitchedOff) {
  std::vector<bool> enabled;
  bool refused = false;
  sheet_.SetEnabledListener([&](bool on) {
    enabled.push_back(on);
    // Events pumped meanwhile may press the wizard's buttons: none may move or close it.
    if (!on) refused = !sheet_.OnWizardBack() && !sheet_.OnWizardNext() && !sheet_.OnCancel();
  });
  ToPage2();
  CCitectTagGrid& grid = *sheet_.page2().grid();
  EXPECT_TRUE(grid.m_bMultiSelect && grid.m_bHighlightRow);
  grid.OnTitleClick(0);                                 // Speed Level Flow
  grid.m_selection = {{0, 2}, {0, 0}, {1, 1}, {2, 2}};  // each record once, in the order selected
  ToPage4(Page3::kAutomatic);
  EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
  EXPECT_TRUE(refused && sheet_.OnCancel());
  ASSERT_EQ(sheet_.GetResult().size(), 3u);
  const CCitectTrendTag& flow = *sheet_.GetResult()[0];
  EXPECT_EQ(flow.m_strStaName + "/" + flow.m_strDatalog + "/" + flow.m_strTagName,
            "Alpha/Hourly/Flow");
  EXPECT_EQ(sheet_.GetResult()[1]->m_strTagName, "");  // Pump1_Speed is no variable

  const int buttons[] = {Sheet::kWizNext, Sheet::kWizBack | Sheet::kWizNext,
                         Sheet::kWizBack | Sheet::kWizNext, Sheet::kWizBack | Sheet::kWizFinish};
  for (int page = 3; page >= 0; --page) {  // back from the last page
    ASSERT_EQ(sheet_.GetActiveIndex(), page);
    EXPECT_EQ(sheet_.GetWizardButtons(), buttons[page]);
    sheet_.OnHelp();
    EXPECT_EQ(help_.back(), 0x2006Du + static_cast<std::uint32_t>(page));
    EXPECT_EQ(sheet_.OnWizardBack(), page > 0);
  }
  EXPECT_FALSE(sheet_.OnWizardFinish());  // only the last page finishes
  // Page 2 deleted the records page 4 showed: nothing may still point at them.
  EXPECT_TRUE(sheet_.GetResult().empty());
  EXPECT_EQ(sheet_.page4().grid()->GetNumberRows(), 0);
  ASSERT_TRUE(sheet_.OnWizardNext());
  EXPECT_TRUE(sheet_.page2().grid()->m_selection.empty());
  SelectTrends({"Level"});
  ToPage4();
  EXPECT_EQ(sheet_.GetResult().at(0)->m_strStaName, "");  // a record read again
}

TEST_F(AddTagWizardTest, ChoicesAreRememberedAndPresetTheNextRun) {
  ToPage2("power");
  EXPECT_EQ(sheet_.page2().grid()->GetNumberRows(), 1);  // Volts alone
  SelectTrends({"Volts"});
  ASSERT_TRUE(sheet_.OnWizardNext());
  Page3& page = sheet_.page3();
  page.m_nResolveMode = Page3::kAutomatic;
  ui_.chosen_folders = {env_.Path("kpj").string(), std::nullopt};
  page.OnBrowse();
  page.OnBrowse();  // cancelled: nothing changes
  EXPECT_EQ(ui_.folder_dialogs.at(1).first, "Select the directory for .kpj files:");
  ASSERT_TRUE(sheet_.OnWizardNext());
  const std::string kpj = env_.Path("kpj/").string();
  EXPECT_EQ(Profile::GetString(kCitectAddTagSection, "last citect proj", ""), "power");
  EXPECT_EQ(Profile::GetString(kCitectAddTagSection, "last kpj path", ""), kpj);

  // The next run shows them; without a remembered folder, the tool's own "Projects" folder.
  for (const auto& [remembered, path32, shown] : {std::tuple{kpj, "/opt/tool", kpj},
                                                  {"", "/opt/tool", "/opt/tool/Projects/"},
                                                  {"", "/opt/tool/", "/opt/tool/Projects/"},
                                                  {"", "", ""}}) {
    Profile::WriteString(kCitectAddTagSection, kLastKpjPathEntry, remembered);
    platform::WritePrivateProfileString("Installation Directory", "Path32", path32, "velmora.ini");
    Sheet next(ui_);
    next.page3().OnInitDialog();
    EXPECT_EQ(next.page3().m_strFolderDisplay, shown);
    EXPECT_TRUE(next.page3().m_nResolveMode == Page3::kAutomatic && next.page3().m_bFolderEnabled);
  }
}

Box Error(std::string_view text) {
  return Box{std::string(text), "Error", ui::Buttons::Ok, ui::Icon::Exclamation};
}

// Each failure shows its one message and keeps the wizard where the user can mend it.
TEST_F(AddTagWizardTest, FailuresSayWhyAndStay) {
  const auto next_stays_at = [this](int page) {
    EXPECT_FALSE(sheet_.OnWizardNext());
    EXPECT_EQ(sheet_.GetActiveIndex(), page);
  };
  sheet_.OnInitDialog();
  next_stays_at(0);                // no project selected
  sheet_.page1().m_nSelected = 1;  // Water
  ASSERT_TRUE(sheet_.OnWizardNext());
  sheet_.page2().grid()->m_selection = {{0, -1}};  // a heading: no trend tag
  next_stays_at(1);
  SelectTrends({"Level"});
  ASSERT_TRUE(sheet_.OnWizardNext());
  sheet_.page3().m_nResolveMode = Page3::kAutomatic;
  sheet_.page3().m_strFolderDisplay.clear();
  next_stays_at(2);
  // Page 2 lists nothing, not even what it listed before, when it cannot read the trend tags.
  ASSERT_TRUE(sheet_.OnWizardBack() && sheet_.OnWizardBack());
  for (const auto& file :
       {install_.user_folder / "Water/trend.dbf", install_.user_folder / "master.dbf",
        platform::WindowsDirectory() / "citect.ini"}) {
    std::filesystem::remove(file);
    Sheet(ui_).OnInitDialog();
    ASSERT_TRUE(sheet_.OnWizardNext());
    EXPECT_EQ(sheet_.page2().grid()->GetNumberRows(), 0);
    ASSERT_TRUE(sheet_.OnWizardBack());
  }
  EXPECT_EQ(ui_.boxes,
            (std::vector<Box>{
                {"Please select a project.", "Select Project", ui::Buttons::Ok, ui::Icon::None},
                Error("At least one trend tag must be selected to continue."),
                Error("Please select a project file directory."),
                Error("Unable to access the trend tag list."),
                Error("Unable to access the Citect master project list."),
                Error("Unable to access the trend tag list."),
                Error("Unable to locate the Citect master project list."),
                Error("Unable to locate the trend tag list.")}));
}

}  // namespace
}  // namespace kz::citect
