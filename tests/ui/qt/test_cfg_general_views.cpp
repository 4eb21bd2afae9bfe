#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <memory>
#include <tuple>

#include "editor/cfg_page5.h"
#include "editor/general_page_fixture.h"
#include "qt_view_test.h"
#include "ui/qt/cfg_page1_view.h"
#include "ui/qt/cfg_page5_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using test::Named;

class CfgGeneralViewTest : public test::QtViewTest {
 protected:
  // The General page of the edition, filled, in a view under the widget returned.
  std::unique_ptr<QWidget> Show(const char* options) {
    page_ = std::make_unique<editor::GeneralPage>(
        options, "mode=1\r\nnew file mode=1\r\nnew file synch mode=37800\r\n"
                 "auto mode data path=/srv/data\r\nauto mode base name choice=1\r\n"
                 "set sta clock=1\r\nclock tolerance=90\r\n");
    page_->Open();
    auto parent = std::make_unique<QWidget>();
    editor::CCfgPSheet& sheet = page_->sheet;
    view_ = sheet.IsCitect() ? MakeCfgPage5View(sheet.page5(), qt_ui_, parent.get())
                             : MakeCfgPage1View(sheet.page1(), qt_ui_, parent.get());
    return parent;
  }

  QtUiService qt_ui_;
  std::unique_ptr<editor::GeneralPage> page_;
  PageView* view_ = nullptr;  // owned by the widget Show returns
};

// Opened filled from the presenter; the method swaps the start picker; what is typed (the
// tolerance takes digits only) reaches the presenter through Collect.
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
  EXPECT_EQ(page_->sheet.page1().m_nNewFileMode, 2);
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
  const editor::CCfgPage1& p = page_->sheet.page1();
  EXPECT_EQ(std::tie(p.m_strClockTolerance, p.m_strDataDir, p.m_nStartTime, p.m_bUseScaling),
            std::make_tuple("120", "/var/data", 6 * 3600 + 15 * 60, false));
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
  EXPECT_TRUE(page_->sheet.page5().m_bEnableLog);
  EXPECT_TRUE(log_dir->isEnabled());
}

}  // namespace
}  // namespace kz::qtui
