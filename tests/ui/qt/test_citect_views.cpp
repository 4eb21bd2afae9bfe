// The trend configuration dialog, the warnings dialog and the progress window on screen: binding
// and flow only (the rules are the presenters' tests).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>

#include "citect/citect_cfg_dlg.h"
#include "citect/warning_list_dlg.h"
#include "projfiles/cancel_dlg.h"
#include "projfiles/citect_data_mgr.h"
#include "qt_view_test.h"
#include "shell/kzdlogsrv_app.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"
#include "ui/qt/citect_cfg_dlg_view.h"
#include "ui/qt/citect_tag_grid_view.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/warning_list_view.h"

namespace kz::qtui {
namespace {

class CitectViewTest : public test::QtViewTest {
 protected:
  void SetUp() override {
    bool ok = false;
    store_ = test::WriteTrendSetup(env_.root(), {{"A", "Ea"}, {"B", "Eb"}}, ok);
    ASSERT_TRUE(ok);
    // Incomplete: no binding fields.
    ASSERT_TRUE(
        test::SaveBindings(store_, {test::WaterBinding("A", ""), test::WaterBinding("B", "")}));
  }
  std::string Store() const { return store_.string(); }

  // Runs `act` on the next modal dialog.
  static void WhenDialog(std::function<void(QDialog&)> act) { WhenModal<QDialog>(std::move(act)); }

  test::TempEnv env_;
  std::filesystem::path store_;
  QtUiService ui_;
};

TEST_F(CitectViewTest, DialogOpensFilledAndItsButtonsReachThePresenter) {
  citect::CCitectCfgDlg presenter(ui_);
  CitectCfgDlgView view(presenter, ui_, nullptr);
  EXPECT_EQ(view.windowTitle(), "Citect Trend Configuration");
  QTableView* table = view.grid()->table();
  ASSERT_EQ(table->model()->rowCount(), 2);

  // Verify: the warnings of the two incomplete records, in the warnings dialog.
  QString warnings;
  WhenDialog([&](QDialog& dialog) {
    auto* text = dialog.findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    warnings = text->toPlainText();
    dialog.accept();
  });
  view.verify()->click();
  EXPECT_TRUE(warnings.endsWith("\n\n2 warning(s) found.")) << warnings.toStdString();

  // Remove: the selected row, after the question.
  table->selectRow(0);
  QString question;
  AnswerNextBox(QMessageBox::Yes, &question);
  view.remove()->click();
  EXPECT_EQ(question, "Remove selected tags?");
  ASSERT_EQ(presenter.tags().size(), 1u);
  EXPECT_EQ(table->model()->rowCount(), 1);

  // OK saves and closes.
  test::Press(view, QDialogButtonBox::Ok);
  EXPECT_EQ(view.result(), QDialog::Accepted);
  projfiles::CCitectDataMgr saved(ui_);
  saved.ReadWrite(Store(), false);
  ASSERT_EQ(saved.m_tags.size(), 1u);
  EXPECT_EQ(saved.m_tags[0].m_strTrendVar, "B");
}

TEST_F(CitectViewTest, WarningsDialogShowsTheTextUnwrapped) {
  citect::CWarningListDlg presenter({"First.", "Second."});
  WarningListView view(presenter, nullptr);
  EXPECT_EQ(view.windowTitle(), "Warnings");
  EXPECT_EQ(view.text()->toPlainText(), "First.\nSecond.\n\n2 warning(s) found.");
  EXPECT_TRUE(view.text()->isReadOnly());
  EXPECT_EQ(view.text()->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(test::Named<QPlainTextEdit>(&view, "The following warnings have been found:"),
            view.text());
}

TEST_F(CitectViewTest, ProgressWindowFollowsTheLinesAndCancels) {
  projfiles::CCancelDlg presenter(ui_);
  presenter.ShowProgress(false);
  presenter.SetLine1("Verifying tags...");
  presenter.Show();
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->accessibleName() == "Progress") {
      ++shown;
      presenter.SetLine2("Reading project files...");
      EXPECT_EQ(w->findChildren<QLabel*>().at(0)->text(), "Verifying tags...");
      EXPECT_EQ(w->findChildren<QLabel*>().at(1)->text(), "Reading project files...");
      EXPECT_FALSE(w->findChild<QProgressBar*>()->isVisibleTo(w));
      w->findChild<QPushButton*>()->click();
    }
  }
  ASSERT_EQ(shown, 1) << "one progress window";
  EXPECT_TRUE(presenter.CheckCancel());
  presenter.Hide();
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(w->isVisible() && w->accessibleName() == "Progress");
  }
}

// configure "product=citect type=trend" opens the dialog on the stand-in installation and touches
// nothing when it is cancelled.
TEST_F(CitectViewTest, ConfigureForTrendsOpensTheTrendDialog) {
  const std::string before = test::ReadFile(Store());
  shell::CKzdlogsrvApp app(ui_, env_.Path("bin/libkzdlogsrv.so").string());
  app.InitInstance();
  QString title;
  int rows = -1;
  WhenDialog([&](QDialog& dialog) {
    title = dialog.windowTitle();
    if (auto* table = dialog.findChild<QTableView*>()) rows = table->model()->rowCount();
    dialog.reject();
  });
  EXPECT_EQ(app.Configure("product=citect type=trend"), 0);
  EXPECT_EQ(title, "Citect Trend Configuration");
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(test::ReadFile(Store()), before);
  EXPECT_FALSE(std::filesystem::exists(env_.windir() / "kzcitectsrv.cfg"));
  app.ExitInstance();
}

}  // namespace
}  // namespace kz::qtui
