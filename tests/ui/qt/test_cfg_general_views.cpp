#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <memory>

#include "config/cfg_mgr.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "qt_view_test.h"
#include "support/scripted_ui.h"
#include "ui/qt/cfg_page1_view.h"
#include "ui/qt/cfg_page5_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using test::Named;

class CfgGeneralViewTest : public test::QtViewTest {
 protected:
  void SetUp() override {
    model_.SetMode(1);
    model_.SetNewFileMode(1);
    model_.SetNewFileSynchMode(37800);
    model_.SetAutoModeDataPath("/srv/data");
    model_.SetAutoModeBaseNameChoice(1);
    model_.SetSetStaClock(1);
    model_.SetClockTolerance(90);
  }

  std::unique_ptr<QWidget> Show(const char* options) {
    sheet_ = std::make_unique<editor::CCfgPSheet>(&model_, options, ui_);
    sheet_->OnInitDialog();
    auto parent = std::make_unique<QWidget>();
    if (sheet_->IsCitect()) {
      view_ = MakeCfgPage5View(sheet_->page5(), qt_ui_, parent.get());
    } else {
      sheet_->page1().SetToday([] {
        return std::chrono::year_month_day{std::chrono::year{2027}, std::chrono::month{3},
                                           std::chrono::day{9}};
      });
      sheet_->page1().OnDataDirChanged();  // redate the sample on the fixed day
      view_ = MakeCfgPage1View(sheet_->page1(), qt_ui_, parent.get());
    }
    return parent;
  }

  config::CCfgMgr model_;
  kz::test::ScriptedUi ui_;
  QtUiService qt_ui_;
  std::unique_ptr<editor::CCfgPSheet> sheet_;
  PageView* view_ = nullptr;  // owned by the widget Show returns
};

// Opened filled from the presenter; the method swaps the start picker; what is typed (the
// tolerance takes digits only) reaches the model through Collect.
TEST_F(CfgGeneralViewTest, StandardPageBindsEachControlBothWays) {
  auto root = Show("");
  EXPECT_TRUE(Named<QRadioButton>(root.get(), "Allow new clients to automatically connect/log data")
                  ->isChecked());
  auto* time = Named<QTimeEdit>(root.get(), "Starting:");
  auto* weekday = Named<QComboBox>(root.get(), "Starting:");
  auto* dir = Named<QLineEdit>(root.get(), "Directory:");
  auto* tolerance = Named<QLineEdit>(root.get(), "seconds");
  EXPECT_EQ(time->time(), QTime(10, 30, 0));
  EXPECT_EQ(dir->text(), "/srv/data");
  EXPECT_EQ(tolerance->text(), "90");
  auto* mode = Named<QComboBox>(root.get(), "Create new files:");
  EXPECT_EQ(mode->currentText(), "Daily");
  EXPECT_TRUE(time->isVisibleTo(root.get()));
  EXPECT_FALSE(weekday->isVisibleTo(root.get()));
  QTest::keyClick(mode, Qt::Key_Down);  // Weekly
  EXPECT_EQ(sheet_->page1().m_nNewFileMode, 2);
  EXPECT_TRUE(weekday->isVisibleTo(root.get()));
  EXPECT_FALSE(time->isVisibleTo(root.get()));
  QTest::keyClick(mode, Qt::Key_Up);

  tolerance->selectAll();
  QTest::keyClicks(tolerance, "1x2-0");
  dir->selectAll();
  QTest::keyClicks(dir, "/var/data");
  EXPECT_EQ(Named<QLabel>(root.get(), "Sample:")->text(), "/var/data/Sta#_20270309.csv");
  time->setTime(QTime(6, 15, 0));
  Named<QCheckBox>(root.get(), "Store scaled data")->setChecked(false);
  view_->Collect();
  ASSERT_TRUE(sheet_->page1().OnKillActive());
  EXPECT_EQ(model_.GetClockTolerance(), 120);
  EXPECT_EQ(model_.GetAutoModeDataPath(), "/var/data");
  EXPECT_EQ(model_.GetNewFileSynchMode(), 6 * 3600 + 15 * 60);
  EXPECT_EQ(model_.GetUseScaling(), 0);
}

TEST_F(CfgGeneralViewTest, CitectPageShowsOnlyModeClockAndLog) {
  auto root = Show("product=citect");
  EXPECT_EQ(Named<QLineEdit>(root.get(), "seconds")->text(), "90");
  EXPECT_TRUE(
      Named<QCheckBox>(root.get(), "Set station's clock when out of tolerance:")->isChecked());
  EXPECT_TRUE(root->findChildren<QTimeEdit*>().isEmpty());
  auto* log = Named<QCheckBox>(root.get(), "Log errors:");
  auto* log_dir = Named<QLineEdit>(root.get(), "Directory:");
  EXPECT_FALSE(log_dir->isEnabled());
  QTest::mouseClick(log, Qt::LeftButton);
  EXPECT_TRUE(sheet_->page5().m_bEnableLog);
  EXPECT_TRUE(log_dir->isEnabled());
}

}  // namespace
}  // namespace kz::qtui
