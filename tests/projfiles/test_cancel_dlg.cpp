// The progress window's life and its Cancel press; where the checks fall and how long each pumps
// is tested with tag resolution (tests/citect/test_tag_resolver_cancel.cpp).
#include <gtest/gtest.h>

#include "projfiles/cancel_dlg.h"
#include "support/scripted_ui.h"

namespace kz::projfiles {
namespace {

TEST(CancelDlgTest, WindowIsShownOnceRefreshedByEachLineAndClosedWhenTheDialogEnds) {
  test::ScriptedUi ui;
  {
    CCancelDlg dlg(ui);
    dlg.Show();
    dlg.Show();
    dlg.Hide();
    dlg.Show();
    dlg.SetLine1("Resolving trend tags");
    dlg.SetLine2("Reading variable tags...");
    EXPECT_EQ(dlg.m_strLine1, "Resolving trend tags");  // one line does not clear the other
    EXPECT_EQ(ui.modeless_refreshed, 2);
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
