#include <gtest/gtest.h>

#include "projfiles/cancel_dlg.h"
#include "support/scripted_ui.h"

namespace kz::projfiles {
namespace {

class CancelDlgTest : public ::testing::Test {
 protected:
  test::ScriptedUi ui_;
  CCancelDlg dlg_{ui_};
};

TEST_F(CancelDlgTest, CancelBetweenChecksIsSeenAtTheNextCheckAndEachCheckPumpsFiveMs) {
  dlg_.Show();
  EXPECT_FALSE(dlg_.CheckCancel());
  dlg_.OnCancel();
  dlg_.OnCancel();  // a second press changes nothing
  EXPECT_TRUE(dlg_.CheckCancel());
  EXPECT_TRUE(dlg_.CheckCancel());
  EXPECT_EQ(ui_.pumps, std::vector<std::chrono::milliseconds>(3, std::chrono::milliseconds(5)));
}

TEST_F(CancelDlgTest, PressDuringTheEventPumpIsSeenByThatCheck) {
  ui_.during_pump.push_back([&] { dlg_.OnCancel(); });
  EXPECT_TRUE(dlg_.CheckCancel());
}

TEST_F(CancelDlgTest, LinesRefreshTheWindowWhichIsClosedOnceWhenTheDialogEnds) {
  {
    CCancelDlg dlg(ui_);
    dlg.Show();
    dlg.Show();
    dlg.Hide();
    dlg.Show();
    dlg.SetLine1("Resolving trend tags");
    dlg.SetLine2("Reading variable tags...");
    EXPECT_EQ(dlg.m_strLine1, "Resolving trend tags");  // one line does not clear the other
    EXPECT_EQ(ui_.modeless_refreshed, 2);
  }
  EXPECT_EQ(ui_.modeless_shown, 2);
  EXPECT_EQ(ui_.modeless_closed, 2);
}

}  // namespace
}  // namespace kz::projfiles
