#include <gtest/gtest.h>

#include <tuple>

#include "editor/cfg_page4.h"
#include "editor/edit_transfer_dlg.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

class CfgPage4Test : public TransferTest {
 protected:
  // The sheet opened on the page.
  CCfgPage4& Page(bool citect = false) {
    Sheet(citect).SetStartPage(CCfgPSheet::kClientTransfersPage);
    Sheet().OnInitDialog();
    return Sheet().page4();
  }

  static std::vector<int> ModelIndexes(const CCfgPage4& page) {
    std::vector<int> out;
    for (const auto& row : page.m_rows) out.push_back(row.model_index);
    return out;
  }
};

TEST_F(CfgPage4Test, ListsLiveTransfersInModelOrderWithTheEditionsColumns) {
  AddTransfer(12, 3, "/d/a.csv");
  AddTransfer(7, 1, "/d/b.csv");
  AddTransfer(9, 2, "/d/c.csv");
  model_.RemoveConnection(1);
  for (const bool citect : {false, true}) {
    SCOPED_TRACE(citect);
    sheet_.reset();
    CCfgPage4& page = Page(citect);
    std::vector<std::string> titles;
    for (const auto& column : page.m_columns) titles.push_back(column.title);
    std::vector<std::string> expected = {"Sta Num", "Datalog File", "Xfer ID"};
    if (!citect) expected.push_back("Store Records In");
    EXPECT_EQ(titles, expected);
    EXPECT_EQ(ModelIndexes(page), (std::vector<int>{0, 2}));
    std::vector<std::string> first = {"12", "CFG1.kdl", "3"};
    if (!citect) first.push_back("/d/a.csv");
    EXPECT_EQ(page.m_rows[0].cells, first);
  }
}

TEST_F(CfgPage4Test, AutomaticModeShowsOnlyTheNotice) {
  model_.SetMode(1);
  CCfgPage4& page = Page();
  EXPECT_EQ(std::tie(page.m_bShowControls, page.m_bShowAutoNotice), std::make_tuple(false, true));
  // The General page stored mode 0 when it was left.
  model_.SetMode(0);
  page.OnSetActive();
  EXPECT_EQ(std::tie(page.m_bShowControls, page.m_bShowAutoNotice), std::make_tuple(true, false));
}

TEST_F(CfgPage4Test, AddCustomEntersTheModelOnlyOnOk) {
  CCfgPage4& page = Page(/*citect=*/true);
  for (const bool ok : {false, true}) {
    OnModal<CEditTransferDlg>([ok](CEditTransferDlg& d) {
      d.OnInitDialog();
      d.m_strStationNumber = "4";
      d.m_strDatalogFile = "CFG1";
      d.m_strTransferId = "2";
      return Ended(ok && d.OnOK());
    });
    page.OnAddCustom();
    EXPECT_EQ(model_.GetConnectionCount(), ok ? 1 : 0);
  }
  EXPECT_EQ(model_.FindConnection("4.2"), model_.GetConnection(0));
  ASSERT_EQ(page.m_rows.size(), 1u);
  EXPECT_EQ(page.m_rows[0].cells[1], "CFG1.kdl");
}

TEST_F(CfgPage4Test, EditAndRemoveActOnTheSelectedLineOnly) {
  AddTransfer(1, 1, "/a.csv");
  AddTransfer(2, 1, "/b.csv");
  CCfgPage4& page = Page();
  page.OnEdit();
  page.OnRemove();
  EXPECT_TRUE(ui_.modal_runs.empty());
  EXPECT_TRUE(ui_.boxes.empty());

  OnModal<CEditTransferDlg>([](CEditTransferDlg& d) {
    d.OnInitDialog();
    d.m_strTransferId = "8";
    return Ended(d.OnOK());
  });
  page.m_nSelected = 1;
  page.OnEdit();
  EXPECT_EQ(model_.GetConnection(1)->GetID(), 8);
  EXPECT_EQ(page.m_rows[1].cells[2], "8");

  ui_.answers = {ui::Answer::No, ui::Answer::Yes};
  page.m_nSelected = 0;
  page.OnRemove();
  EXPECT_FALSE(model_.GetConnection(0)->IsRemoved());
  page.m_nSelected = 0;
  page.OnRemove();
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>(2, "Remove selected transfer?"));
  EXPECT_TRUE(model_.GetConnection(0)->IsRemoved());
  EXPECT_EQ(ModelIndexes(page), std::vector<int>{1});
}

}  // namespace
}  // namespace kz::editor
