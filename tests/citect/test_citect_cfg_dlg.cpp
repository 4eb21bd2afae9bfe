#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "citect/citect_add_tag_psheet.h"
#include "citect/citect_cfg_dlg.h"
#include "citect/tag_verifier.h"
#include "citect/warning_list_dlg.h"
#include "platform/ascii_case.h"
#include "platform/file_faults.h"
#include "projfiles/cancel_dlg.h"
#include "support/kpj_project.h"
#include "support/scripted_ui.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"

namespace kz::citect {
namespace {

using Box = test::ScriptedUi::Box;

// Also keeps every line that the progress dialog showed, in order.
class ProgressUi : public test::ScriptedUi {
 public:
  void Refresh(ui::Window& w) override {
    ScriptedUi::Refresh(w);
    if (auto* p = dynamic_cast<projfiles::CCancelDlg*>(&w)) {
      lines.push_back(p->m_strLine1 + " | " + p->m_strLine2);
      progress_hidden = !p->m_bProgressVisible;
    }
  }
  std::vector<std::string> lines;
  bool progress_hidden = false;
};

class CfgDlgTest : public test::TempEnvTest {
 protected:
  void SetUp() override {
    bool ok = false;
    store_ = test::WriteTrendSetup(env_.root(),
                                   {{"A", "Ea"}, {"B", "Eb"}, {"C", "Ec"}, {"D", "Ed"}}, ok);
    ASSERT_TRUE(ok);
    test::KpjProject project;
    project.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly"}}};
    project.datalogs = {{"Hourly", {}, {"Flow"}}};
    ASSERT_TRUE(test::WriteKpjProject(kpj_, project));
  }
  std::string Store() const { return store_.string(); }
  // Saves complete bindings but for the expression (which the load attaches).
  void SaveStore(const std::vector<std::string>& trend_vars, const std::string& project = "Water") {
    std::vector<CCitectTrendTag> tags;
    for (const auto& name : trend_vars) {
      tags.push_back(test::WaterBinding(name, kpj_));
      tags.back().m_strCitectProj = project;
    }
    ASSERT_TRUE(test::SaveBindings(store_, tags));
  }
  std::vector<std::string> Listed(const CCitectCfgDlg& dlg) const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < dlg.tags().size(); ++i) out.push_back(dlg.tags()[i].m_strTrendVar);
    return out;
  }

  ProgressUi ui_;
  std::filesystem::path store_;
  std::string kpj_ = env_.Path("Site.kpj").string();
};

TEST_F(CfgDlgTest, OpensFilledAndVerifiesWithPhasesThenTheWarnings) {
  SaveStore({"A", "B", "B"});
  std::vector<std::uint32_t> help;
  CCitectCfgDlg dlg(ui_, [&](std::uint32_t id) { help.push_back(id); });
  dlg.OnInitDialog();
  ASSERT_NE(dlg.grid(), nullptr);
  EXPECT_TRUE(dlg.grid()->m_bMultiSelect);
  ASSERT_EQ(dlg.grid()->GetNumberRows(), 3);
  EXPECT_EQ(dlg.grid()->GetText(2, kCitectTrendVarCol), "B");
  // The later record of a duplicated trend tag takes the expression.
  EXPECT_EQ(dlg.tags()[0].m_strExpr + "/" + dlg.tags()[1].m_strExpr + "/" + dlg.tags()[2].m_strExpr,
            "Ea//Eb");

  std::string shown;
  ui_.on_modal = [&](ui::Window& w) {
    auto& list = dynamic_cast<CWarningListDlg&>(w);
    list.OnInitDialog();
    shown = list.m_strText;
    return ui::DialogResult::Ok;
  };
  dlg.OnVerifyTags();
  EXPECT_EQ(shown,
            "Tag configuration incomplete: trend tag name = B, Citect project = Water.\r\n"
            "Citect trend tag `Expression` field not complete: trend tag name = B, Citect "
            "project = Water.\r\n"
            "Duplicate trend tags found: trend tag name = B, Citect project = Water.\r\n\r\n"
            "3 warning(s) found.");
  const std::string first = std::string(kVerifyingTags) + " | ";
  EXPECT_EQ(ui_.lines,
            (std::vector<std::string>{
                " | ", first, first + std::string(kBuildingLookup),
                first + std::string(kReadingProjectFiles), first + std::string(kCheckingTagNames),
                first + "Checking " + platform::AsciiLower(kpj_) + "/north/hourly..."}));
  EXPECT_TRUE(ui_.progress_hidden);
  EXPECT_EQ(ui_.modeless_shown, 1);
  EXPECT_EQ(ui_.modeless_closed, 1);
  EXPECT_TRUE(ui_.pumps.empty()) << "verification is never polled for Cancel";
  EXPECT_TRUE(ui_.boxes.empty());

  dlg.OnHelp();
  EXPECT_EQ(help, (std::vector<std::uint32_t>{0x200D9}));
}

TEST_F(CfgDlgTest, EmptyListVerifiesWithoutWarnings) {
  CCitectCfgDlg dlg(ui_);
  dlg.OnInitDialog();  // no store yet: an empty list, no message
  EXPECT_TRUE(ui_.boxes.empty());
  dlg.OnVerifyTags();
  EXPECT_EQ(ui_.boxes, (std::vector<Box>{{"No warnings found.", "Verified"}}));
  EXPECT_TRUE(ui_.modal_runs.empty());
}

TEST_F(CfgDlgTest, UnreadableProjectTableIsReportedAndTheListStillOpens) {
  SaveStore({"A"}, "Gone");
  CCitectCfgDlg dlg(ui_);
  dlg.OnInitDialog();
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_EQ(ui_.boxes[0].text.rfind(
                "Unable to access trend tag list - the file may be in use by Citect.\n\n", 0),
            0u);
  EXPECT_EQ(ui_.boxes[0].caption, "Error");
  EXPECT_EQ(dlg.grid()->GetNumberRows(), 1);
}

struct RemoveCase {
  const char* name;
  bool sort_first;  // by "Trend Tag", which shows D C B A
  std::vector<CCitectTagGrid::Cell> selection;
  ui::Answer answer;
  std::vector<std::string> left;
  std::vector<std::string> asked;
};

const RemoveCase kRemoveCases[] = {
    {"NothingSelected", false, {}, ui::Answer::Yes, {"A", "B", "C", "D"}, {"No tags selected."}},
    {"OnlyHeadingCells",
     false,
     {{1, -1}, {3, -2}},
     ui::Answer::Yes,
     {"A", "B", "C", "D"},
     {"No tags selected."}},
    {"AnsweredNo",
     false,
     {{0, 1}},
     ui::Answer::No,
     {"A", "B", "C", "D"},
     {"Remove selected tags?"}},
    {"CellsOfOneRowRemoveOneRecord",
     false,
     {{0, 1}, {4, 1}, {2, -1}},
     ui::Answer::Yes,
     {"A", "C", "D"},
     {"Remove selected tags?"}},
    {"SortedRowsRemoveTheRecordsShown",
     true,
     {{5, 0}, {1, 2}},
     ui::Answer::Yes,
     {"A", "C"},
     {"Remove selected tags?"}},
};

class RemoveTest : public CfgDlgTest, public ::testing::WithParamInterface<RemoveCase> {};

void PrintTo(const RemoveCase& c, std::ostream* os) {
  *os << c.name;
}

TEST_P(RemoveTest, RemovesTheSelectedRowsRecordsAfterAsking) {
  const RemoveCase& c = GetParam();
  SaveStore({"A", "B", "C", "D"});
  CCitectCfgDlg dlg(ui_);
  dlg.OnInitDialog();
  if (c.sort_first) dlg.grid()->OnTitleClick(kCitectTrendVarCol);
  dlg.grid()->m_selection = c.selection;
  ui_.answers = {c.answer};
  dlg.OnRemove();
  EXPECT_EQ(Listed(dlg), c.left);
  EXPECT_EQ(ui_.Texts(), c.asked);
  if (!ui_.boxes.empty()) {
    const Box& box = ui_.boxes[0];
    EXPECT_EQ(box.caption, c.left.size() == 4 && c.asked[0][0] == 'N' ? "Error" : "Confirm Remove");
    EXPECT_EQ(box.icon, c.asked[0][0] == 'N' ? ui::Icon::Exclamation : ui::Icon::Question);
  }
  EXPECT_EQ(dlg.grid()->GetNumberRows(), static_cast<int>(c.left.size()));
  EXPECT_TRUE(dlg.grid()->m_bUpdatesEnabled);
}

INSTANTIATE_TEST_SUITE_P(Cases, RemoveTest, ::testing::ValuesIn(kRemoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CfgDlgTest, AddedTagsJoinTheListOnlyOnFinishAndOnlyOkWritesThem) {
  SaveStore({"A", "B"});
  const std::string before = test::ReadFile(Store());
  bool finish = false;
  const auto wizard = [&](CCitectTrendTagArray& result) {
    if (!finish) return false;
    for (const char* name : {"X", "A"}) {
      CCitectTrendTag& t = result.Add();
      t.m_strCitectProj = "Water";
      t.m_strTrendVar = name;
      t.m_strExpr = "E";
    }
    return true;
  };
  for (const bool ok : {false, true}) {
    CCitectCfgDlg dlg(ui_, {}, wizard);
    dlg.OnInitDialog();
    finish = false;
    dlg.OnAddNew();
    EXPECT_EQ(Listed(dlg), (std::vector<std::string>{"A", "B"}));
    finish = true;
    dlg.grid()->OnTitleClick(kCitectTrendVarCol);
    dlg.OnAddNew();
    // Appended in the wizard's order, duplicates included, and shown in list order again.
    EXPECT_EQ(Listed(dlg), (std::vector<std::string>{"A", "B", "X", "A"}));
    EXPECT_EQ(dlg.grid()->GetText(2, kCitectTrendVarCol), "X");
    dlg.grid()->m_selection = {{0, 0}};
    dlg.OnRemove();
    if (ok) {
      EXPECT_TRUE(dlg.OnOK());
    }
  }
  // Cancel (the first dialog) wrote nothing; OK did.
  projfiles::CCitectDataMgr saved(ui_);
  saved.ReadWrite(Store(), false);
  std::vector<std::string> names;
  for (std::size_t i = 0; i < saved.m_tags.size(); ++i)
    names.push_back(saved.m_tags[i].m_strTrendVar);
  EXPECT_EQ(names, (std::vector<std::string>{"B", "X", "A"}));
  EXPECT_NE(test::ReadFile(Store()), before);
}

// The wizard's records belong to its sheet: the list gets copies, and only after Finish.
TEST_F(CfgDlgTest, AddNewCopiesWhatTheWizardFinishedWith) {
  SaveStore({"A"});
  CCitectCfgDlg dlg(ui_);
  dlg.OnInitDialog();
  for (const bool finish : {false, true}) {
    ui_.on_modal = [finish](ui::Window& w) {
      auto& sheet = dynamic_cast<CCitectAddTagPSheet&>(w);
      sheet.OnInitDialog();
      sheet.page1().m_nSelected = 0;  // "Water", the only project
      EXPECT_TRUE(sheet.OnWizardNext());
      CCitectTagGrid& candidates = *sheet.page2().grid();
      candidates.m_selection = {{0, 3}, {0, 1}};
      EXPECT_TRUE(sheet.OnWizardNext());
      sheet.page3().m_nResolveMode = CCitectAddTagPage3::kManual;
      EXPECT_TRUE(sheet.OnWizardNext());
      if (!finish) return ui::DialogResult::Cancel;
      EXPECT_TRUE(sheet.OnWizardFinish());
      return ui::DialogResult::Ok;
    };
    dlg.OnAddNew();
  }
  // In the wizard's order, which is the order the user picked them in.
  ASSERT_EQ(Listed(dlg), (std::vector<std::string>{"A", "D", "B"}));
  EXPECT_EQ(dlg.tags()[1].m_strExpr, "Ed");
  EXPECT_EQ(dlg.grid()->GetNumberRows(), 3);
}

TEST_F(CfgDlgTest, CancelLeavesTheStoreAsItWas) {
  SaveStore({"A", "B"});
  const std::string before = test::ReadFile(Store());
  {
    CCitectCfgDlg dlg(ui_, {}, [](CCitectTrendTagArray& result) {
      result.Add().m_strTrendVar = "New";
      return true;
    });
    dlg.OnInitDialog();
    dlg.OnAddNew();
    dlg.grid()->m_selection = {{1, 0}};
    dlg.OnRemove();
    dlg.grid()->OnEditFinish(0, kCitectStaNameCol, "South");
  }
  EXPECT_EQ(test::ReadFile(Store()), before);
}

// A failing device or a full disk must not lose the user's work silently.
TEST_F(CfgDlgTest, FailedSaveSaysSoAndKeepsTheDialogOpen) {
  SaveStore({"A"});
  const std::string before = test::ReadFile(Store());
  CCitectCfgDlg dlg(ui_);
  dlg.OnInitDialog();
  dlg.grid()->OnEditFinish(0, kCitectStaNameCol, "South");
  platform::SetFileFaultHook(
      [](platform::FileStep step) { return step == platform::FileStep::Rename; });
  const bool closed = dlg.OnOK();
  platform::SetFileFaultHook(nullptr);
  EXPECT_FALSE(closed);
  EXPECT_EQ(ui_.boxes, (std::vector<Box>{{"Failed to save the trend tag list to " + Store() + ".",
                                          "Error", ui::Buttons::Ok, ui::Icon::Exclamation}}));
  EXPECT_EQ(test::ReadFile(Store()), before);
  // The edit is still there to be saved once the fault is gone.
  EXPECT_TRUE(dlg.OnOK());
  EXPECT_NE(test::ReadFile(Store()), before);
}

}  // namespace
}  // namespace kz::citect
