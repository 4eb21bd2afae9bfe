// The add trend tags wizard's page rules: the project list, the candidates, the remembered
// choices and every failure message.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "support/add_tag_wizard.h"

namespace kz::citect {
namespace {

using Box = test::ScriptedUi::Box;
using test::AddTagWizardTest;
using Page1 = CCitectAddTagPage1;
using Page3 = CCitectAddTagPage3;

TEST_F(AddTagWizardTest, ProjectListSkipsTitledProjectsSortsWithoutCaseAndNamesTheFolder) {
  sheet_.OnInitDialog();
  EXPECT_EQ(sheet_.page1().m_projects, (std::vector<std::string>{"power", "Water"}));
  EXPECT_EQ(sheet_.page1().m_nSelected, -1);
  EXPECT_EQ(sheet_.page1().m_strInfo, "Projects location: " + install_.user_folder.string() + "/");
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(AddTagWizardTest, RememberedProjectIsSelectedWithoutRegardToCase) {
  struct Case {
    const char* remembered;
    int selected;
  };
  for (const Case& c : {Case{"WATER", 1}, Case{"Power", 0}, Case{"Archive", -1}, Case{"", -1}}) {
    SCOPED_TRACE(c.remembered);
    platform::AppProfile::WriteString(kCitectAddTagSection, kLastCitectProjEntry, c.remembered);
    CCitectAddTagPSheet sheet(ui_);
    sheet.OnInitDialog();
    EXPECT_EQ(sheet.page1().m_nSelected, c.selected);
  }
}

TEST_F(AddTagWizardTest, CandidatesAreTheLiveNamedTrendTagsOfTheProject) {
  ToPage2();
  const CCitectTrendTagArray& tags = sheet_.page2().m_candidates;
  ASSERT_EQ(tags.size(), 3u);
  EXPECT_EQ(tags[0].m_strTrendVar, "Level");
  EXPECT_EQ(tags[1].m_strTrendVar, "Flow");
  EXPECT_EQ(tags[2].m_strExpr, "Pump1_Speed");
  EXPECT_EQ(tags[2].m_strCitectProj, "Water");
  const CCitectTagGrid& grid = *sheet_.page2().grid();
  EXPECT_EQ(grid.GetNumberRows(), 3);
  ASSERT_EQ(grid.GetNumberCols(), 2);
  EXPECT_EQ(grid.GetColumn(1).Id(), kCitectExprCol);
  EXPECT_EQ(grid.GetColWidth(0), 150);
  EXPECT_EQ(grid.GetColWidth(1), 150);
  EXPECT_TRUE(grid.m_bMultiSelect && grid.m_bHighlightRow);
  EXPECT_EQ(grid.m_nCurrentCellMode, 2);
}

namespace fs = std::filesystem;

struct FailureCase {
  const char* name;
  std::function<void(AddTagWizardTest&)> act;
  Box box;
  int page;  // where the wizard stays
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

Box Error(const char* text) {
  return Box{text, "Error", ui::Buttons::Ok, ui::Icon::Exclamation};
}

const FailureCase kFailures[] = {
    {"NoUserFolderForTheProjectList",
     [](AddTagWizardTest& t) {
       fs::remove(platform::WindowsDirectory() / "citect.ini");
       t.sheet_.OnInitDialog();
     },
     Error(Page1::kNoUserFolder), 0},
    {"MasterTableMissing",
     [](AddTagWizardTest& t) {
       fs::remove(t.install_.user_folder / "master.dbf");
       t.sheet_.OnInitDialog();
     },
     Error(Page1::kNoMasterTable), 0},
    {"EveryProjectTitledThenNext",
     [](AddTagWizardTest& t) {
       for (auto& p : t.install_.projects) p.title = "Titled";
       ASSERT_TRUE(test::WriteCitectInstall(t.install_));
       t.sheet_.OnInitDialog();
       ASSERT_TRUE(t.sheet_.page1().m_projects.empty());
       EXPECT_FALSE(t.sheet_.OnWizardNext());
     },
     Box{Page1::kSelectProject, "Select Project", ui::Buttons::Ok, ui::Icon::None}, 0},
    {"NoUserFolderForTheTrendTags",
     [](AddTagWizardTest& t) {
       t.sheet_.OnInitDialog();
       t.sheet_.page1().m_nSelected = 1;
       fs::remove(platform::WindowsDirectory() / "citect.ini");
       EXPECT_TRUE(t.sheet_.OnWizardNext());
       EXPECT_TRUE(t.sheet_.page2().m_candidates.empty());
     },
     Error("Unable to locate the trend tag list."), 1},
    {"TrendTableMissing",
     [](AddTagWizardTest& t) {
       fs::remove(t.install_.user_folder / "Water" / "trend.dbf");
       t.ToPage2();
     },
     Error("Unable to access the trend tag list."), 1},
    {"NoTrendTagSelectedThenNext",
     [](AddTagWizardTest& t) {
       t.ToPage2();
       t.sheet_.page2().grid()->m_selection = {{0, -1}};  // a heading is no trend tag
       EXPECT_FALSE(t.sheet_.OnWizardNext());
     },
     Error(CCitectAddTagPage2::kNoneSelected), 1},
    {"AutomaticModeWithoutAFolderThenNext",
     [](AddTagWizardTest& t) {
       t.ToPage2();
       t.SelectTrends({"Level"});
       ASSERT_TRUE(t.sheet_.OnWizardNext());
       t.sheet_.page3().m_nResolveMode = Page3::kAutomatic;
       t.sheet_.page3().m_strFolderDisplay.clear();
       EXPECT_FALSE(t.sheet_.OnWizardNext());
     },
     Error(Page3::kNoFolder), 2},
};

class WizardFailureTest : public AddTagWizardTest,
                          public ::testing::WithParamInterface<FailureCase> {};

// Each failure shows its one message and keeps the wizard where the user can mend it.
TEST_P(WizardFailureTest, ShowsItsMessageOnceAndStays) {
  GetParam().act(*this);
  EXPECT_EQ(ui_.boxes, std::vector<Box>{GetParam().box});
  EXPECT_EQ(sheet_.GetActiveIndex(), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(AddTagWizard, WizardFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddTagWizardTest, FolderControlsFollowTheModeAndBrowseAddsTheSeparator) {
  ToPage2();
  SelectTrends({"Level"});
  ASSERT_TRUE(sheet_.OnWizardNext());
  Page3& page = sheet_.page3();
  EXPECT_FALSE(page.m_bFolderEnabled);
  page.m_nResolveMode = Page3::kAutomatic;
  page.OnModeClicked();
  EXPECT_TRUE(page.m_bFolderEnabled);
  ui_.chosen_folders = {"/data/kpj", std::nullopt};
  page.OnBrowse();
  EXPECT_EQ(page.m_strFolderDisplay, "/data/kpj/");
  page.OnBrowse();  // cancelled: nothing changes
  EXPECT_EQ(page.m_strFolderDisplay, "/data/kpj/");
  ASSERT_EQ(ui_.folder_dialogs.size(), 2u);
  EXPECT_EQ(ui_.folder_dialogs[0].first, "Select the directory for .kpj files:");
  page.m_nResolveMode = Page3::kManual;
  page.OnModeClicked();
  EXPECT_FALSE(page.m_bFolderEnabled);
}

TEST_F(AddTagWizardTest, ChoicesAreRememberedAndPresetTheNextRun) {
  ToPage2("power");
  SelectTrends({"Volts"});
  ASSERT_TRUE(sheet_.OnWizardNext());
  sheet_.page3().m_nResolveMode = Page3::kAutomatic;
  sheet_.page3().m_strFolderDisplay = env_.Path("kpj/").string();
  ASSERT_TRUE(sheet_.OnWizardNext());
  EXPECT_EQ(platform::AppProfile::GetString(kCitectAddTagSection, "last citect proj", ""), "power");
  EXPECT_EQ(platform::AppProfile::GetInt(kCitectAddTagSection, "resolve mode", -1), 1);
  EXPECT_EQ(platform::AppProfile::GetString(kCitectAddTagSection, "last kpj path", ""),
            env_.Path("kpj/").string());

  CCitectAddTagPSheet next(ui_);
  next.OnInitDialog();
  EXPECT_EQ(next.page1().m_projects[static_cast<std::size_t>(next.page1().m_nSelected)], "power");
  next.page3().OnInitDialog();
  EXPECT_EQ(next.page3().m_nResolveMode, Page3::kAutomatic);
  EXPECT_EQ(next.page3().m_strFolderDisplay, env_.Path("kpj/").string());
  EXPECT_TRUE(next.page3().m_bFolderEnabled);
}

TEST_F(AddTagWizardTest, WithoutARememberedFolderTheToolsProjectsFolderIsShown) {
  struct Case {
    const char* path32;
    const char* shown;
  };
  for (const Case& c : {Case{"/opt/tool", "/opt/tool/Projects/"},
                        Case{"/opt/tool/", "/opt/tool/Projects/"}, Case{"", ""}}) {
    SCOPED_TRACE(c.path32);
    platform::WritePrivateProfileString("Installation Directory", "Path32", c.path32,
                                        "velmora.ini");
    CCitectAddTagPSheet sheet(ui_);
    sheet.page3().OnInitDialog();
    EXPECT_EQ(sheet.page3().m_strFolderDisplay, c.shown);
    EXPECT_EQ(sheet.page3().m_nResolveMode, Page3::kManual);
  }
}

}  // namespace
}  // namespace kz::citect
