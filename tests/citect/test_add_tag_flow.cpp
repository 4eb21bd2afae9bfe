// The add trend tags wizard as a whole: its buttons and help per page, the way the selection
// becomes the tags to add, resolution, going back, and Finish.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/add_tag_wizard.h"
#include "support/kpj_project.h"

namespace kz::citect {
namespace {

using test::AddTagWizardTest;
using Sheet = CCitectAddTagPSheet;

TEST_F(AddTagWizardTest, EachPageOffersItsButtonsAndHelpTopic) {
  struct Step {
    int buttons;
    std::uint32_t help;
  };
  const Step steps[] = {{Sheet::kWizNext, 0x2006D},
                        {Sheet::kWizBack | Sheet::kWizNext, 0x2006E},
                        {Sheet::kWizBack | Sheet::kWizNext, 0x2006F},
                        {Sheet::kWizBack | Sheet::kWizFinish, 0x20070}};
  ToPage2();
  SelectTrends({"Flow"});
  ManualToPage4();
  // Walk back from the last page, checking each on the way.
  for (int page = 3; page >= 0; --page) {
    SCOPED_TRACE(page);
    ASSERT_EQ(sheet_.GetActiveIndex(), page);
    EXPECT_EQ(sheet_.GetWizardButtons(), steps[page].buttons);
    sheet_.OnHelp();
    EXPECT_EQ(help_.back(), steps[page].help);
    EXPECT_EQ(sheet_.OnWizardBack(), page > 0);
  }
  EXPECT_FALSE(sheet_.OnWizardFinish());  // only the last page finishes
}

TEST_F(AddTagWizardTest, SortedSelectionAddsExactlyTheSelectedRowsEachOnce) {
  ToPage2();
  CCitectTagGrid& grid = *sheet_.page2().grid();
  grid.OnTitleClick(0);  // Z to A: Speed, Level, Flow
  ASSERT_EQ(grid.GetText(0, 0), "Speed");
  // Two cells of the Flow row and one of the Speed row.
  grid.m_selection = {{0, 2}, {1, 2}, {1, 0}};
  ManualToPage4();
  EXPECT_EQ(TagsToAdd(), (std::vector<std::string>{"Flow", "Speed"}));
  EXPECT_EQ(sheet_.page4().grid()->GetNumberRows(), 2);
  EXPECT_EQ(sheet_.page4().grid()->GetNumberCols(), 6);
}

TEST_F(AddTagWizardTest, ManualModeFinishesWithUnboundTags) {
  ui_.on_modal = [this](ui::Window& window) {
    EXPECT_EQ(&window, &sheet_);
    ToPage2();
    SelectTrends({"Level", "Speed"});
    ManualToPage4();
    EXPECT_TRUE(sheet_.OnWizardFinish());
    return ui::DialogResult::Ok;
  };
  EXPECT_EQ(sheet_.DoModal(), Sheet::kIdWizFinish);
  const auto result = sheet_.GetResult();
  ASSERT_EQ(result.size(), 2u);
  for (const auto* tag : result) {
    EXPECT_EQ(tag->m_strCitectProj, "Water");
    EXPECT_TRUE(tag->m_strStaName.empty() && tag->m_strProjFile.empty() &&
                tag->m_strDatalog.empty() && tag->m_strTagName.empty());
    EXPECT_FALSE(tag->IsComplete());
  }
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(AddTagWizardTest, ClosingWithoutFinishIsCancel) {
  ui_.on_modal = [](ui::Window&) { return ui::DialogResult::Ok; };
  EXPECT_EQ(sheet_.DoModal(), Sheet::kIdCancel);
}

class AddTagResolveTest : public AddTagWizardTest {
 public:
  void SetUp() override {
    AddTagWizardTest::SetUp();
    ASSERT_TRUE(test::WriteKpjProject(
        env_.Path("kpj/Site.kpj"),
        {{{"Alpha", test::KpjStationList::kZel, 7, {"Hourly"}}}, {{"Hourly", {}, {"Level", "Flow"}}}}));
  }
  // From page 2 with the selection made: automatic mode over the kpj folder.
  void ResolveToPage4() {
    ASSERT_TRUE(sheet_.OnWizardNext());
    sheet_.page3().m_nResolveMode = CCitectAddTagPage3::kAutomatic;
    sheet_.page3().m_strFolderDisplay = env_.Path("kpj").string() + "/";
    ASSERT_TRUE(sheet_.OnWizardNext());
    ASSERT_EQ(sheet_.GetActiveIndex(), 3);
  }
};

TEST_F(AddTagResolveTest, AutomaticModeBindsTheSelectionWhileTheWizardIsDisabled) {
  std::vector<bool> enabled;
  sheet_.SetEnabledListener([&](bool on) { enabled.push_back(on); });
  ToPage2();
  SelectTrends({"Level", "Speed"});
  ResolveToPage4();
  EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
  EXPECT_TRUE(sheet_.IsEnabled());
  ASSERT_EQ(TagsToAdd(), (std::vector<std::string>{"Level", "Speed"}));
  const auto result = sheet_.GetResult();
  EXPECT_EQ(result[0]->m_strStaName, "Alpha");
  EXPECT_EQ(result[0]->m_strDatalog, "Hourly");
  EXPECT_EQ(result[0]->m_strTagName, "Level");
  EXPECT_EQ(result[1]->m_strTagName, "");  // Pump1_Speed is no variable of the project
}

TEST_F(AddTagResolveTest, GoingBackToTheTrendTagsDropsEarlierBindings) {
  ToPage2();
  SelectTrends({"Level"});
  ResolveToPage4();
  sheet_.page4().grid()->OnEditFinish(0, kCitectStaNameCol, "Edited");
  ASSERT_TRUE(sheet_.OnWizardBack());
  ASSERT_TRUE(sheet_.OnWizardBack());
  // Page 2 deleted the records page 4 showed: nothing may still point at them.
  EXPECT_TRUE(sheet_.GetResult().empty());
  EXPECT_EQ(sheet_.page4().grid()->GetNumberRows(), 0);
  EXPECT_TRUE(sheet_.page2().grid()->m_selection.empty());

  SelectTrends({"Level"});
  ManualToPage4();
  ASSERT_EQ(TagsToAdd(), (std::vector<std::string>{"Level"}));
  EXPECT_EQ(sheet_.GetResult()[0]->m_strStaName, "");
  EXPECT_EQ(sheet_.GetResult()[0]->m_strTagName, "");
}

}  // namespace
}  // namespace kz::citect
