#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QBrush>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "citect/citect_tag_grid.h"
#include "qt_view_test.h"
#include "support/kpj_project.h"
#include "support/temp_env.h"
#include "ui/qt/citect_grid_delegate.h"
#include "ui/qt/citect_grid_header.h"
#include "ui/qt/citect_tag_grid_model.h"
#include "ui/qt/citect_tag_grid_view.h"
#include "ui/qt/qt_ui_service.h"

namespace kz::qtui {
namespace {

using citect::CCitectTagGrid;

class TagGridViewTest : public test::QtViewTest {
 protected:
  void Add(const char* project, const char* trend, const char* station) {
    citect::CCitectTrendTag& tag = tags_.Add();
    tag.m_strCitectProj = project;
    tag.m_strTrendVar = trend;
    tag.m_strStaName = station;
  }
  // Shows the grid over the records added so far.
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
  QWidget* Focused() { return QApplication::focusWidget(); }

  test::TempEnv env_;
  QtUiService ui_;
  citect::CCitectTrendTagArray tags_;
  CCitectTagGrid grid_{tags_, ui_};
  std::unique_ptr<CitectTagGridView> view_;
};

TEST_F(TagGridViewTest, OpensWithThePresentersRowsHeadingsAndGroups) {
  Add("Water", "Level", "North");
  Add("Water", "Flow", "");
  Open();
  QAbstractItemModel& model = *table().model();
  ASSERT_EQ(model.rowCount(), 2);
  ASSERT_EQ(model.columnCount(), 6);
  EXPECT_EQ(Text(1, 1), "Flow");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Trend Tag");
  EXPECT_EQ(model.headerData(5, Qt::Horizontal).toString(), "Tag Name");
  const int group = CitectTagGridModel::kGroupLabelRole;
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, group).toString(), "Citect");
  EXPECT_EQ(model.headerData(2, Qt::Horizontal, group).toString(), "KALDEN");
  EXPECT_EQ(table().columnWidth(1), grid_.GetColWidth(1));
  EXPECT_EQ(table().accessibleName(), "Trend tags");

  // The empty station asks for attention; the filled one keeps the theme's colours.
  EXPECT_EQ(At(1, 3).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::yellow));
  EXPECT_EQ(At(1, 3).data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
  EXPECT_FALSE(At(0, 3).data(Qt::BackgroundRole).isValid());
  EXPECT_FALSE(At(0, 1).flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(At(0, 3).flags() & Qt::ItemIsEditable);

  // A screen reader reads the titles over the cells.
  QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&table());
  ASSERT_NE(access, nullptr);
  ASSERT_NE(access->tableInterface(), nullptr);
  QAccessibleInterface* cell = access->tableInterface()->cellAt(0, 5);
  ASSERT_NE(cell, nullptr);
  // Qt makes these header cells for the caller without registering them; registered, they can
  // be deleted as every interface is.
  const QList<QAccessibleInterface*> titles = cell->tableCellInterface()->columnHeaderCells();
  ASSERT_EQ(titles.size(), 1);
  EXPECT_EQ(titles.front()->text(QAccessible::Name), "Tag Name");
  for (QAccessibleInterface* title : titles) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(title));
  }

  // While the owner has updates off, the table keeps what it shows.
  grid_.EnableUpdate(false);
  Add("Water", "Pressure", "South");
  grid_.ReloadTags();
  view_->Refresh();
  EXPECT_EQ(model.rowCount(), 2);
  grid_.EnableUpdate(true);
  view_->Refresh();
  EXPECT_EQ(model.rowCount(), 3);
}

TEST_F(TagGridViewTest, TypingStartsAnEditThatIsStoredEvenWhenCancelled) {
  Add("Water", "Level", "North");
  Open();
  table().setCurrentIndex(At(0, 5));
  QTest::keyClicks(&table(), "F");  // opens the editor with the character
  ASSERT_NE(table().indexWidget(At(0, 5)), nullptr);
  QTest::keyClicks(Focused(), "low");
  QTest::keyClick(Focused(), Qt::Key_Escape);
  EXPECT_EQ(tags_[0].m_strTagName, "Flow");
  EXPECT_EQ(Text(0, 5), "Flow");
  EXPECT_EQ(table().currentIndex(), At(0, 5));  // the edit did not move on

  table().setCurrentIndex(At(0, 3));
  QTest::keyClick(&table(), Qt::Key_F2);
  QTest::keyClicks(Focused(), "South");
  QTest::keyClick(Focused(), Qt::Key_Return);
  EXPECT_EQ(tags_[0].m_strStaName, "South");
  EXPECT_EQ(table().currentIndex(), At(0, 3));
}

TEST_F(TagGridViewTest, PickingFromTheDropListStoresTheChoice) {
  const auto kpj = env_.Path("Site.kpj");
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 1, {"Hourly"}},
                      {"South", test::KpjStationList::kBrenmark, 2, {"Hourly"}}};
  project.datalogs = {{"Hourly", {}, {"Flow"}}};
  ASSERT_TRUE(test::WriteKpjProject(kpj, project));
  Add("Water", "Level", "");
  tags_[0].m_strProjFile = kpj.string();
  Open();
  table().setCurrentIndex(At(0, 3));
  QTest::keyClick(&table(), Qt::Key_Down, Qt::AltModifier);  // the editor, with its list open
  auto* combo = qobject_cast<QComboBox*>(table().indexWidget(At(0, 3)));
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(1), "South");
  ASSERT_TRUE(combo->view()->isVisible());
  QTest::keyClick(combo->view(), Qt::Key_Down);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_EQ(tags_[0].m_strStaName, "South");
  EXPECT_EQ(Text(0, 3), "South");
  EXPECT_EQ(table().indexWidget(At(0, 3)), nullptr);
}

TEST_F(TagGridViewTest, TheProjectFileIsShownCompactedAndEditedWhole) {
  Add("Water", "Level", "North");
  const std::string path = "/home/operator/projects/water/stations/north/Site.kpj";
  tags_[0].m_strProjFile = path;
  Open();
  auto* delegate = static_cast<CitectGridDelegate*>(table().itemDelegate());
  const QString shown = delegate->ShownText(At(0, 2), table().fontMetrics(), 100);
  EXPECT_TRUE(shown.contains("/.../") || shown.startsWith(".../")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("Site.kpj"));
  EXPECT_EQ(delegate->ShownText(At(0, 1), table().fontMetrics(), 10), "Level");

  table().setCurrentIndex(At(0, 2));
  QTest::keyClick(&table(), Qt::Key_F2);
  auto* line = qobject_cast<QLineEdit*>(table().indexWidget(At(0, 2)));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->text().toStdString(), path);
  QTest::keyClick(line, Qt::Key_Return);
  EXPECT_EQ(tags_[0].m_strProjFile, path);

  // F4 in the editor stores what was typed, then opens the chooser.
  const auto chosen = env_.Path("Chosen.kpj");
  ASSERT_TRUE(test::WriteKpjProject(chosen, {}));
  QTest::keyClick(&table(), Qt::Key_F2);
  line = qobject_cast<QLineEdit*>(table().indexWidget(At(0, 2)));
  ASSERT_NE(line, nullptr);
  line->setText("/typed.kpj");
  QString title;
  WhenModal<QFileDialog>([&](QFileDialog& chooser) {
    title = chooser.windowTitle();
    EXPECT_EQ(tags_[0].m_strProjFile, "/typed.kpj");
    chooser.selectFile(QString::fromStdString(chosen.string()));
    static_cast<QDialog&>(chooser).accept();  // the chooser's own checks run
  });
  QTest::keyClick(line, Qt::Key_F4);
  EXPECT_EQ(title, "Select a project file:");
  EXPECT_EQ(tags_[0].m_strProjFile, chosen.string());
  EXPECT_EQ(Text(0, 2).toStdString(), chosen.string());
}

TEST_F(TagGridViewTest, ClickingATitleSortsByThePresentersOrder) {
  Add("P", "alpha", "S");
  Add("P", "Charlie", "S");
  Add("P", "bravo", "S");
  Open();
  auto* header = static_cast<CitectGridHeader*>(table().horizontalHeader());
  const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
  // The group band above the titles does not sort.
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 2));
  EXPECT_EQ(Text(0, 1), "alpha");

  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() - 3));
  EXPECT_EQ(Text(0, 1), "Charlie");
  EXPECT_EQ(Text(1, 1), "bravo");
  EXPECT_EQ(Text(2, 1), "alpha");
  EXPECT_EQ(header->sort_section(), 1);
  EXPECT_FALSE(header->sort_ascending());
}

TEST_F(TagGridViewTest, SelectionReachesThePresenterInSelectionOrder) {
  for (const char* trend : {"a", "b", "c"}) Add("P", trend, "S");
  grid_.m_bMultiSelect = true;
  Open();
  auto click = [&](int row, int col, Qt::KeyboardModifiers keys) {
    QTest::mouseClick(table().viewport(), Qt::LeftButton, keys,
                      table().visualRect(At(row, col)).center());
  };
  click(2, 3, {});
  click(0, 1, Qt::ControlModifier);
  ASSERT_EQ(grid_.m_selection.size(), 2u);
  EXPECT_EQ(grid_.m_selection[0].row, 2);
  EXPECT_EQ(grid_.m_selection[0].col, 3);
  EXPECT_EQ(grid_.m_selection[1].row, 0);
  click(2, 3, Qt::ControlModifier);  // deselected
  EXPECT_EQ(grid_.GetSelectedRows(), std::vector<int>{0});

  // Rows, and one at a time.
  grid_.m_bMultiSelect = false;
  grid_.m_bHighlightRow = true;
  view_->Refresh();
  click(1, 4, {});
  click(2, 0, Qt::ControlModifier);
  EXPECT_EQ(grid_.GetSelectedRows(), std::vector<int>{2});
  EXPECT_TRUE(table().selectionModel()->isRowSelected(2, {}));

  // The presenter's selection is shown again after a refresh.
  grid_.m_selection = {{0, 1}};
  view_->Refresh();
  EXPECT_TRUE(table().selectionModel()->isRowSelected(1, {}));
  EXPECT_FALSE(table().selectionModel()->isRowSelected(2, {}));
}

}  // namespace
}  // namespace kz::qtui
