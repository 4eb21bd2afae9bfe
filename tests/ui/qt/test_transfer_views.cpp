#include <QAbstractItemModel>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimeEdit>

#include "editor/add_from_file_dlg.h"
#include "editor/cfg_page4.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "editor/transfer_fixture.h"
#include "qt_view_test.h"
#include "support/kpj_project.h"
#include "ui/qt/add_from_file_view.h"
#include "ui/qt/cfg_page4_view.h"
#include "ui/qt/edit_transfer_view.h"
#include "ui/qt/rec_storage_view.h"

namespace kz::qtui {
namespace {

using test::Press;

class TransferViewTest : public editor::TransferTest {
 protected:
  static void SetUpTestSuite() { test::EnsureApplication(); }
  void SetUp() override { Sheet(); }
};

// The page binds the presenter's lines to the table, its Remove button to the selected line and a
// line's activation to Edit; in automatic mode only the notice shows.
TEST_F(TransferViewTest, PageListsTransfersAndActsOnTheSelectedLine) {
  AddTransfer(12, 3, "/d/a.csv");
  AddTransfer(7, 1, "/d/b.csv");
  sheet_->SetStartPage(editor::CCfgPSheet::kClientTransfersPage);
  sheet_->OnInitDialog();
  CfgPage4View view(sheet_->page4(), nullptr);
  QAbstractItemModel* table = view.list()->model();
  ASSERT_EQ(table->rowCount(), 2);
  EXPECT_EQ(table->headerData(3, Qt::Horizontal).toString(), "Store Records In");
  EXPECT_EQ(table->index(1, 0).data().toString(), "7");
  view.list()->selectRow(1);
  ui_.answers = {ui::Answer::Yes};
  view.remove()->click();
  EXPECT_EQ(table->rowCount(), 1);
  std::string edited;
  OnModal<editor::CEditTransferDlg>([&](editor::CEditTransferDlg& d) {
    d.OnInitDialog();
    edited = d.m_strStationNumber;
    return ui::DialogResult::Cancel;
  });
  view.list()->selectRow(0);
  emit view.list()->activated(table->index(0, 0));
  EXPECT_EQ(edited, "12");
  EXPECT_TRUE(view.controls()->isVisibleTo(&view));
  EXPECT_FALSE(view.notice()->isVisibleTo(&view));
  model_.SetMode(1);
  sheet_->page4().OnSetActive();
  view.Refresh();
  EXPECT_FALSE(view.controls()->isVisibleTo(&view));
  EXPECT_TRUE(view.notice()->isVisibleTo(&view));
}

// What is typed reaches the record through OK only.
TEST_F(TransferViewTest, EditTransferTypesIntoTheRecordOnOkOnly) {
  config::CConnectionCfg* record = AddTransfer(5, 1, "/d/a.csv");
  for (const auto button : {QDialogButtonBox::Cancel, QDialogButtonBox::Ok}) {
    editor::CEditTransferDlg presenter(*sheet_, model_, *record);
    EditTransferView view(presenter, nullptr);
    EXPECT_EQ(view.station()->text(), "5");
    EXPECT_EQ(view.transfer_id()->text(), "1");
    view.station()->clear();
    QTest::keyClicks(view.station(), "6");
    view.datalog()->setText("CFG9");
    QTest::keyClicks(view.transfer_id(), "2");  // after "1"
    Press(view, button);
    EXPECT_EQ(view.result(),
              button == QDialogButtonBox::Ok ? QDialog::Accepted : QDialog::Rejected);
  }
  EXPECT_EQ(model_.FindConnection("6.12"), record);
  EXPECT_EQ(record->GetDatalogFile(), "CFG9.kdl");
}

// The start picker follows the method chosen by keyboard.
TEST_F(TransferViewTest, RecordStorageShowsTheStartForTheModeAndReturnsWhatWasChosen) {
  editor::CRecStorageDlg presenter(*sheet_);
  presenter.m_strPath = "/d/a.csv";
  presenter.m_nMode = editor::kNewFileDaily;
  presenter.m_nDailyTime = 37800;
  RecStorageView view(presenter, nullptr);
  EXPECT_EQ(view.path()->text(), "/d/a.csv");
  EXPECT_EQ(view.time()->time(), QTime(10, 30, 0));
  EXPECT_FALSE(view.weekday()->isVisibleTo(&view));
  view.mode()->setFocus();
  QTest::keyClick(view.mode(), Qt::Key_Down);  // Weekly
  EXPECT_TRUE(view.weekday()->isVisibleTo(&view));
  EXPECT_FALSE(view.time()->isVisibleTo(&view));
  QTest::keyClick(view.weekday(), Qt::Key_Down);
  Press(view, QDialogButtonBox::Ok);
  EXPECT_EQ(presenter.m_nMode, editor::kNewFileWeekly);
  EXPECT_EQ(presenter.m_nWeekday, 1);
}

// The fields follow the station chosen in the list; what OK does is the presenter's.
TEST_F(TransferViewTest, AddFromFileFollowsTheChosenStation) {
  test::KpjProject project;
  project.stations = {{"North", test::KpjStationList::kZel, 12, {"CFG1"}},
                      {"alpha", test::KpjStationList::kBrenmark, 3, {"CFG2"}}};
  project.datalogs = {{"CFG1", {{"Main", 129, 7}}, {}}, {"CFG2", {{"Other", 0, 2}}, {}}};
  const std::string path = env_.Path("site.kpj").string();
  ASSERT_TRUE(test::WriteKpjProject(path, project));
  editor::CAddFromFileDlg presenter(*sheet_, path);
  AddFromFileView view(presenter, nullptr);
  EXPECT_EQ(view.stations()->currentText(), "alpha");
  EXPECT_EQ(view.datalog_id()->text(), "Value of AX2");
  view.stations()->setCurrentIndex(1);
  EXPECT_EQ(view.station_number()->text(), "12");
  EXPECT_EQ(view.datalogs()->currentText(), "CFG1");
  EXPECT_EQ(view.datalog_file()->text(), "CFG1.kdl");
  EXPECT_EQ(view.datalog_id()->text(), "7");
}

}  // namespace
}  // namespace kz::qtui
