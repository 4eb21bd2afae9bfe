// The progress window's life and its Cancel press; where the checks fall is tested with tag
// resolution.
#include <gtest/gtest.h>

#include "projfiles/cancel_dlg.h"
#include "support/scripted_ui.h"

namespace kz::projfiles {
namespace {

TEST(CancelDlgTest, WindowIsShownOnceAndClosedWhenTheDialogEnds) {
  test::ScriptedUi ui;
  {
    CCancelDlg dlg(ui);
    dlg.Show();
    dlg.Show();
    dlg.Hide();
    dlg.Show();
    EXPECT_FALSE(dlg.CheckCancel());
    dlg.OnCancel();
    EXPECT_TRUE(dlg.CheckCancel());
    EXPECT_TRUE(dlg.CheckCancel());  // a press stays seen
  }
  EXPECT_EQ(ui.modeless_shown, 2);
  EXPECT_EQ(ui.modeless_closed, 2);
}

}  // namespace
}  // namespace kz::projfiles
