#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using CfgPSheetTest = TransferTest;

// Help opens the topic of the active page or of the dialog asked; the Citect General page opens
// the standard General topic.
TEST_F(CfgPSheetTest, EditionChoosesTheGeneralPageAndHelpFollowsTheActiveTab) {
  for (const bool citect : {false, true}) {
    SCOPED_TRACE(citect);
    help_.clear();
    sheet_.reset();
    EXPECT_EQ(Sheet(citect).GetPage(0).TemplateId(), citect ? 213 : 104);
    Sheet().OnInitDialog();
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

TEST_F(CfgPSheetTest, StartPageLeavesTheOtherPagesUnfilled) {
  Sheet().SetStartPage(CCfgPSheet::kScheduledTransfersPage);
  Sheet().OnInitDialog();
  EXPECT_EQ(Sheet().GetActiveIndex(), 2);
  EXPECT_TRUE(Sheet().GetPage(2).initialized());
  EXPECT_FALSE(Sheet().GetPage(0).initialized());
  EXPECT_FALSE(Sheet().GetPage(1).initialized());
}

}  // namespace
}  // namespace kz::editor
