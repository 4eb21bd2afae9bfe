#include <gtest/gtest.h>

#include "citect/citect_add_tag_psheet.h"
#include "citect/citect_cfg_dlg.h"
#include "citect/warning_list_dlg.h"
#include "platform/ascii_case.h"
#include "support/file_faults.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::citect {
namespace {

using Box = test::ScriptedUi::Box;
using Names = std::vector<std::string>;

// The store holds bindings of the trend tags of project "Water" (A to D) to "Flow" of Site.kpj.
// The wizard finishes with `added` unless that is empty.
class CfgDlgTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    bool ok = false;
    store_ = test::WriteTrendSetup(env_.root(),
                                   {{"A", "Ea"}, {"B", "Eb"}, {"C", "Ec"}, {"D", "Ed"}}, ok);
    ASSERT_TRUE(ok);
  }
  void Open(const Names& trend_vars) {
    std::vector<CCitectTrendTag> tags;
    for (const auto& name : trend_vars) tags.push_back(test::WaterBinding(name, kpj_));
    ASSERT_TRUE(test::SaveBindings(store_, tags));
    dlg_.OnInitDialog();
  }
  // The trend tag names, one letter each, run together.
  static std::string Listed(const CCitectTrendTagArray& tags) {
    std::string out;
    for (std::size_t i = 0; i < tags.size(); ++i) out += tags[i].m_strTrendVar;
    return out;
  }
  std::string Stored() {
    projfiles::CCitectDataMgr saved(ui_);
    saved.ReadWrite(store_.string(), false);
    return Listed(saved.m_tags);
  }

  test::ProgressUi ui_;
  std::filesystem::path store_;
  std::string kpj_ = env_.Path("Site.kpj").string();
  Names added;
  CCitectCfgDlg dlg_{ui_, {}, [this](CCitectTrendTagArray& result) {
                       for (const auto& name : added)
                         result.Add() = {"", "", "", "", name, "Water", ""};
                       return !added.empty();
                     }};
};

TEST_F(CfgDlgTest, VerifiesShowingEachPhaseThenTheWarningsOrThatThereAreNone) {
  Open({"A"});
  dlg_.OnVerifyTags();
  EXPECT_EQ(ui_.boxes, (std::vector<Box>{{"No warnings found.", "Verified"}}));
  ui_.lines.clear();
  added = {"B"};  // incomplete
  dlg_.OnAddNew();
  std::vector<std::string> shown;
  ui_.on_modal = [&](ui::Window& w) {
    shown = dynamic_cast<CWarningListDlg&>(w).m_warnings;
    return ui::DialogResult::Ok;
  };
  dlg_.OnVerifyTags();
  EXPECT_EQ(shown.size(), 2u);
  // The title over each of the verifier's phases, up to the last datalog checked.
  EXPECT_EQ(ui_.lines.size(), 6u);
  EXPECT_EQ(ui_.lines.back(),
            "Verifying tags... | Checking " + platform::AsciiLower(kpj_) + "/north/hourly...");
  EXPECT_FALSE(ui_.progress_shown);
  EXPECT_EQ(ui_.modeless_closed, 2);
}

TEST_F(CfgDlgTest, UnreadableProjectTableIsReportedAndTheListStillOpens) {
  std::filesystem::remove(env_.Path("citect/User/Water/trend.dbf"));
  Open({"A"});
  EXPECT_EQ(ui_.boxes.size(), 1u);  // the store's own message
  EXPECT_EQ(dlg_.grid()->GetNumberRows(), 1);
}

// After sorting by "Trend Tag" (D C B A): nothing but a heading selected, or No answered, removes
// nothing; two cells of one row are one record, and the records of the rows shown go.
TEST_F(CfgDlgTest, RemoveAsksAndRemovesTheRecordsOfTheSelectedRows) {
  const Box none{"No tags selected.", "Error", ui::Buttons::Ok, ui::Icon::Exclamation};
  const Box ask{"Remove selected tags?", "Confirm Remove", ui::Buttons::YesNo, ui::Icon::Question};
  const struct {
    std::vector<CCitectTagGrid::Cell> selection;
    ui::Answer answer;
    std::string left;
    Box asked;
  } cases[] = {{{{0, -1}}, ui::Answer::Yes, "ABCD", none},
               {{{0, 1}}, ui::Answer::No, "ABCD", ask},
               {{{5, 0}, {1, 2}, {3, 0}}, ui::Answer::Yes, "AC", ask}};
  for (const auto& c : cases) {
    Open({"A", "B", "C", "D"});
    dlg_.grid()->OnTitleClick(kCitectTrendVarCol);
    dlg_.grid()->m_selection = c.selection;
    ui_.answers = {c.answer};
    ui_.boxes.clear();
    dlg_.OnRemove();
    EXPECT_EQ(Listed(dlg_.tags()), c.left);
    EXPECT_EQ(ui_.boxes, std::vector<Box>{c.asked});
    EXPECT_EQ(dlg_.grid()->GetNumberRows(), static_cast<int>(c.left.size()));
    EXPECT_TRUE(dlg_.grid()->m_bUpdatesEnabled);
  }
}

// Added tags join the list (in the wizard's order, duplicates included) only on Finish; only OK
// writes the list, and a failed write says so and keeps the dialog and its edits.
TEST_F(CfgDlgTest, OnlyOkWritesAndAFailedWriteKeepsTheDialogOpen) {
  Open({"A", "B"});
  added = {"X", "A"};
  dlg_.grid()->OnTitleClick(kCitectTrendVarCol);
  dlg_.OnAddNew();
  EXPECT_EQ(dlg_.grid()->GetText(2, kCitectTrendVarCol), "X");
  dlg_.grid()->m_selection = {{0, 0}};
  dlg_.OnRemove();
  EXPECT_EQ(Stored(), "AB");  // so Cancel, which saves nothing, leaves the list as it was
  EXPECT_FALSE(test::WithFailingStep(platform::FileStep::Rename, [&] { return dlg_.OnOK(); }));
  EXPECT_EQ(ui_.boxes.back(), (Box{"Failed to save the trend tag list to " + store_.string() + ".",
                                   "Error", ui::Buttons::Ok, ui::Icon::Exclamation}));
  EXPECT_EQ(Stored(), "AB");
  EXPECT_TRUE(dlg_.OnOK());
  EXPECT_EQ(Stored(), "BXA");
}

// The wizard's records belong to its sheet: the list gets copies, and only on Finish (closing it
// any other way is Cancel); unbound in manual mode.
TEST_F(CfgDlgTest, AddNewAppendsCopiesOfTheWizardsSelectionOnlyOnFinish) {
  std::vector<std::uint32_t> help;
  CCitectCfgDlg dlg(ui_, [&help](std::uint32_t id) { help.push_back(id); });
  dlg.OnInitDialog();
  for (const bool finish : {false, true}) {
    ui_.on_modal = [finish](ui::Window& w) {
      auto& sheet = dynamic_cast<CCitectAddTagPSheet&>(w);
      sheet.OnInitDialog();
      sheet.page1().m_nSelected = 0;
      EXPECT_TRUE(sheet.OnWizardNext());
      sheet.page2().grid()->m_selection = {{0, 3}, {0, 1}};  // D, B
      EXPECT_TRUE(sheet.OnWizardNext() && sheet.OnWizardNext());
      EXPECT_TRUE(!finish || sheet.OnWizardFinish());
      return ui::DialogResult::Ok;
    };
    dlg.OnAddNew();
  }
  ASSERT_EQ(Listed(dlg.tags()), "DB");
  const CCitectTrendTag& d = dlg.tags()[0];
  EXPECT_EQ(d.m_strCitectProj + "/" + d.m_strExpr + "/" + d.m_strStaName + d.m_strTagName,
            "Water/Ed/");
  dlg.OnHelp();
  EXPECT_EQ(help, (std::vector<std::uint32_t>{0x200D9}));
}

}  // namespace
}  // namespace kz::citect
