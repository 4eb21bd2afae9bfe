// The trend configuration dialog, the warnings dialog and the progress window on screen: binding
// and flow only (the rules are the presenters' tests).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QTableView>
#include <QTest>

#include "citect/citect_cfg_dlg.h"
#include "citect/citect_grid_col.h"
#include "projfiles/cancel_dlg.h"
#include "qt_view_test.h"
#include "support/temp_env.h"
#include "support/trend_setup.h"
#include "ui/qt/citect_cfg_dlg_view.h"
#include "ui/qt/citect_grid_header.h"
#include "ui/qt/citect_tag_grid_view.h"
#include "ui/qt/qt_ui_service.h"

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
  test::TempEnv env_;
  std::filesystem::path store_;
  QtUiService ui_;
};

// Opened as the host opens it; Verify shows the warnings dialog, a heading sorts, Remove asks and
// removes the selected row, OK accepts (what the presenter saves is its own test).
TEST_F(CitectViewTest, DialogOpensFilledAndItsButtonsReachThePresenter) {
  citect::CCitectCfgDlg presenter(ui_);
  WhenModal<QDialog>([&](QDialog& dialog) {
    auto& view = dynamic_cast<CitectCfgDlgView&>(dialog);
    EXPECT_EQ(view.windowTitle(), "Citect Trend Configuration");
    QTableView* table = view.grid()->table();
    QString warnings;
    WhenModal<QDialog>([&](QDialog& box) {
      auto* text = test::Named<QPlainTextEdit>(&box, "The following warnings have been found:");
      if (!text) return box.reject();
      warnings = text->toPlainText();
      EXPECT_TRUE(text->isReadOnly() && text->lineWrapMode() == QPlainTextEdit::NoWrap);
      box.accept();
    });
    view.verify()->click();
    // The presenter's lines end in CR LF: the text shows plain line breaks.
    EXPECT_TRUE(warnings.endsWith(".\n\n2 warning(s) found.")) << warnings.toStdString();

    // A click on the group band over "Trend Tag" does not sort; one on its title does, Z to A.
    auto* header = static_cast<CitectGridHeader*>(table->horizontalHeader());
    const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 2));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() - 3));
    EXPECT_TRUE(header->sort_section() == 1 && !header->sort_ascending());
    table->selectRow(0);  // B
    AnswerNextBox(QMessageBox::Yes);
    view.remove()->click();
    ASSERT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, citect::kCitectTrendVarCol).data().toString(), "A");
    test::Press(view, QDialogButtonBox::Ok);
  });
  EXPECT_EQ(ui_.RunModal(presenter), ui::DialogResult::Ok);
}

TEST_F(CitectViewTest, ProgressWindowFollowsTheLinesAndCancels) {
  projfiles::CCancelDlg presenter(ui_);
  presenter.ShowProgress(false);
  presenter.SetLine1("Verifying tags...");
  presenter.Show();
  QPointer<QWidget> window;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->accessibleName() == "Progress") window = w;
  }
  ASSERT_NE(window, nullptr);
  presenter.SetLine2("Reading project files...");
  const QList<QLabel*> lines = window->findChildren<QLabel*>();
  EXPECT_EQ(lines.at(0)->text() + lines.at(1)->text(), "Verifying tags...Reading project files...");
  EXPECT_FALSE(window->findChild<QProgressBar*>()->isVisibleTo(window));
  window->findChild<QPushButton*>()->click();
  EXPECT_TRUE(presenter.CheckCancel());
  presenter.Hide();
  EXPECT_EQ(window, nullptr) << "closed, not only hidden by Cancel";
}

}  // namespace
}  // namespace kz::qtui
