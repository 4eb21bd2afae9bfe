// The sheet and its Client Transfers page.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page4.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using CfgPSheetTest = TransferTest;

// The edition chooses the General page. The sheet opens on its start page, filling no other.
// Help opens the topic of the active page (the Citect General page opens the standard one's) or
// of the dialog asked.
TEST_F(CfgPSheetTest, EditionStartPageAndHelpOfEachTab) {
  for (const bool citect : {false, true}) {
    SCOPED_TRACE(citect);
    help_.clear();
    sheet_.reset();
    EXPECT_EQ(Sheet(citect).GetPage(0).TemplateId(), citect ? 213 : 104);
    Sheet().SetStartPage(citect ? CCfgPSheet::kScheduledTransfersPage : 0);
    Sheet().OnInitDialog();
    EXPECT_EQ(std::make_tuple(Sheet().GetActiveIndex(), Sheet().GetActivePage().initialized(),
                              Sheet().GetPage(0).initialized(), Sheet().GetPage(1).initialized()),
              std::make_tuple(citect ? 2 : 0, true, !citect, false));
    for (int i = 0; i < CCfgPSheet::kPageCount; ++i) {
      ASSERT_TRUE(Sheet().SetActivePage(i));
      Sheet().OnHelp();
    }
    EXPECT_EQ(help_, (std::vector<std::uint32_t>{0x20000 + 104, 0x20000 + 107, 0x20000 + 105,
                                                 0x20000 + 106}));
  }
  help_.clear();
  config::CConnectionCfg record;
  CEditTransferDlg(Sheet(), model_, record).OnHelp();
  CRecStorageDlg(Sheet()).OnHelp();
  CAddFromFileDlg(Sheet(), "").OnHelp();
  EXPECT_EQ(help_, (std::vector<std::uint32_t>{0x20000 + 212, 0x20000 + 209, 0x20000 + 208}));
}

using CfgPage4Test = TransferTest;

// Mode 1 shows only the notice; then one pass over the buttons (Citect edition: no record storage
// to give, three columns). Each Edit Transfer dialog types what `typed` holds and presses OK,
// ending with Cancel when OK refuses.
TEST_F(CfgPage4Test, ButtonsActOnTheSelectedLineThroughTheirDialogs) {
  AddTransfer(12, 1, "/a.csv");
  model_.SetMode(1);
  CCfgPage4& page = Page4(/*citect=*/true);
  EXPECT_EQ(std::tie(page.m_bShowControls, page.m_bShowAutoNotice), std::make_tuple(false, true));
  model_.SetMode(0);  // as the General page stores it when left
  page.OnSetActive();
  EXPECT_EQ(std::tie(page.m_bShowControls, page.m_bShowAutoNotice), std::make_tuple(true, false));
  page.OnEdit();
  page.OnRemove();
  EXPECT_TRUE(ui_.modal_runs.empty());
  EXPECT_TRUE(ui_.boxes.empty());

  std::array<std::string, 3> typed;  // station, datalog file, ID
  OnModal<CEditTransferDlg>([&](CEditTransferDlg& d) {
    d.OnInitDialog();
    d.m_strStationNumber = typed[0];
    d.m_strDatalogFile = typed[1];
    d.m_strTransferId = typed[2];
    return d.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
  for (const auto& [station, id, count] : {std::tuple{"12", "1", 1}, {"4", "2", 2}}) {
    typed = {station, "CFG1", id};
    page.OnAddCustom();
    EXPECT_EQ(model_.GetConnectionCount(), count);
  }
  config::CConnectionCfg* added = model_.GetConnection(1);
  EXPECT_EQ(page.m_rows.at(1).cells, (std::vector<std::string>{"4", "CFG1.kdl", "2"}));

  // A taken pair leaves the record as the index holds it; its own pair never clashes; a new pair
  // frees the old one.
  for (const auto& [station, id, held] : {std::tuple{"12", "1", 2}, {"4", "2", 2}, {"4", "8", 8}}) {
    typed = {station, "CFG1", id};
    page.m_nSelected = 1;
    page.OnEdit();
    EXPECT_EQ(added->GetID(), held);
  }
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>(2, CEditTransferDlg::kPairInUse));
  EXPECT_EQ(model_.FindConnection("4.8"), added);
  EXPECT_EQ(model_.FindConnection("4.2"), nullptr);
  EXPECT_EQ(page.m_rows.at(1).cells[2], "8");

  ui_.boxes.clear();
  ui_.answers = {ui::Answer::No, ui::Answer::Yes};
  for (const bool removed : {false, true}) {
    page.m_nSelected = 0;
    page.OnRemove();
    EXPECT_EQ(model_.GetConnection(0)->IsRemoved(), removed);
  }
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>(2, CCfgPage4::kRemoveQuestion));
  EXPECT_EQ(page.m_rows.at(0).model_index, 1);
}

}  // namespace
}  // namespace kz::editor
