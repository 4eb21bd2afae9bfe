// The trend tag grid on screen: editors, keys, headings, colours and names as a user meets them
// (what each cell holds and offers is the presenter's, tested there).
#include <gtest/gtest.h>

#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "citect/citect_tag_grid.h"
#include "qt_view_test.h"
#include "support/kpj_project.h"
#include "support/temp_env.h"
#include "ui/qt/citect_tag_grid_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

class TagGridViewTest : public test::QtViewTest {
 protected:
  void Add(const char* trend) { tags_.Add().m_strTrendVar = trend; }
  // Shows the grid over the records added so far, focused.
  void Open() {
    grid_.ReloadTags();
    view_ = std::make_unique<CitectTagGridView>(grid_, ui_, nullptr);
    view_->resize(800, 300);
    view_->show();
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    view_->table()->setFocus();
  }
  QTableView& table() { return *view_->table(); }
  QModelIndex At(int row, int col) { return table().model()->index(row, col); }
  QString Text(int row, int col) { return At(row, col).data().toString(); }

  test::TempEnv env_;
  QtUiService ui_;
  citect::CCitectTrendTagArray tags_;
  citect::CCitectTagGrid grid_{tags_, ui_};
  std::unique_ptr<CitectTagGridView> view_;
};

// The empty cell stands out; typing starts an edit, and every end of an edit stores its text
// (Escape included) and stays on the cell. F4 in the project file's editor stores what was typed,
// then opens the chooser; the table is told of the chosen file, or it would go on drawing the
// old one.
TEST_F(TagGridViewTest, EditsByKeyboardAreStoredAndShown) {
  const auto kpj = env_.Path("Site.kpj");
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 1, {}},
                      {"South", test::KpjStationList::kBrenmark, 2, {}}};
  ASSERT_TRUE(test::WriteKpjProject(kpj, project));
  Add("Level");
  tags_[0].m_strProjFile = kpj.string();
  Open();
  EXPECT_EQ(table().accessibleName(), "Trend tags");
  EXPECT_EQ(At(0, 3).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::yellow));
  EXPECT_EQ(At(0, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
  EXPECT_FALSE(At(0, 1).data(Qt::BackgroundRole).isValid());
  table().setCurrentIndex(At(0, 5));
  QTest::keyClicks(&table(), "F");  // opens the editor with the character
  ASSERT_NE(table().indexWidget(At(0, 5)), nullptr);
  QTest::keyClicks(QApplication::focusWidget(), "low");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_EQ(tags_[0].m_strTagName, "Flow");
  EXPECT_EQ(table().currentIndex(), At(0, 5));

  // Alt+Down opens the station's list; a pick is stored and closes the editor.
  table().setCurrentIndex(At(0, 3));
  QTest::keyClick(&table(), Qt::Key_Down, Qt::AltModifier);
  auto* combo = qobject_cast<QComboBox*>(table().indexWidget(At(0, 3)));
  ASSERT_NE(combo, nullptr);
  ASSERT_TRUE(combo->view()->isVisible());
  EXPECT_EQ(combo->accessibleName(), "Station Name");
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_EQ(Text(0, 3), "South");
  EXPECT_EQ(table().indexWidget(At(0, 3)), nullptr);

  const auto chosen = env_.Path("Chosen.kpj");
  ASSERT_TRUE(test::WriteKpjProject(chosen, {}));
  table().setCurrentIndex(At(0, 2));
  QTest::keyClick(&table(), Qt::Key_F2);
  auto* line = qobject_cast<QLineEdit*>(table().indexWidget(At(0, 2)));
  ASSERT_NE(line, nullptr);
  line->setText("/typed.kpj");
  QSignalSpy reset(table().model(), &QAbstractItemModel::modelReset);
  QSignalSpy changed(table().model(), &QAbstractItemModel::dataChanged);
  WhenModal<QFileDialog>([&](QFileDialog& chooser) {
    EXPECT_EQ(tags_[0].m_strProjFile, "/typed.kpj");
    reset.clear();
    changed.clear();
    chooser.selectFile(QString::fromStdString(chosen.string()));
    static_cast<QDialog&>(chooser).accept();  // the chooser's own checks run
  });
  QTest::keyClick(line, Qt::Key_F4);
  EXPECT_EQ(Text(0, 2).toStdString(), chosen.string());
  EXPECT_GT(reset.count() + changed.count(), 0) << "the table was not told";
}

}  // namespace
}  // namespace kz::qtui
