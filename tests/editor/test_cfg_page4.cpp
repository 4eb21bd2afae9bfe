#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "editor/cfg_page4.h"
#include "editor/edit_transfer_dlg.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

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
    return Ended(d.OnOK());
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
