#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page1.h"
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

}  // namespace
}  // namespace kz::editor
