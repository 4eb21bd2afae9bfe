#include <gtest/gtest.h>

#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using Dlg = CEditTransferDlg;

class EditTransferTest : public TransferTest {
 protected:
  // Opens the dialog on `record`, types the three fields and presses OK.
  bool TypeAndOk(config::CConnectionCfg& record, const std::string& station,
                 const std::string& datalog, const std::string& id, bool citect = false) {
    Dlg dialog(Sheet(citect), model_, record);
    dialog.OnInitDialog();
    dialog.m_strStationNumber = station;
    dialog.m_strDatalogFile = datalog;
    dialog.m_strTransferId = id;
    const bool ok = dialog.OnOK();
    focus_ = dialog.focus();
    return ok;
  }

  int focus_ = CEditorDialog::kNoFocus;
};

TEST_F(EditTransferTest, StationNumberMustLieBetween0And15999) {
  const struct {
    const char* station;
    bool accepted;
  } cases[] = {{"0", true}, {"15999", true}, {"16000", false},
               {"", false}, {"-1", false},   {"12a", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.station);
    ui_.boxes.clear();
    config::CConnectionCfg record;
    record.SetDataFile("/data/a.csv");
    EXPECT_EQ(TypeAndOk(record, c.station, "CFG1", "1"), c.accepted);
    if (c.accepted) {
      EXPECT_TRUE(ui_.boxes.empty());
      EXPECT_EQ(std::to_string(record.GetStationNumber()), c.station);
    } else {
      EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Dlg::kBadStation});
      EXPECT_EQ(focus_, Dlg::kStationNumber);
      EXPECT_EQ(record.GetStationNumber(), -1);
    }
  }
}

TEST_F(EditTransferTest, DatalogFileGetsKdlOnceAndKeepsItWhenALaterCheckRefuses) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {{"CFG1", "CFG1.kdl"},
               {"x.KDL", "x.KDL"},
               {"b.kDl", "b.kDl"},
               {"abc", "abc"},
               {"abcd", "abcd.kdl"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    config::CConnectionCfg record;
    record.SetDataFile("/data/a.csv");
    EXPECT_TRUE(TypeAndOk(record, "5", c.typed, "1"));
    EXPECT_EQ(record.GetDatalogFile(), c.stored);
  }
  {
    // Refused after the completion: the record keeps it.
    config::CConnectionCfg record;
    record.SetDataFile("/data/a.csv");
    EXPECT_FALSE(TypeAndOk(record, "5", "CFG1", ""));
    EXPECT_EQ(focus_, Dlg::kTransferId);
    EXPECT_EQ(record.GetDatalogFile(), "CFG1.kdl");
  }
  ui_.boxes.clear();
  config::CConnectionCfg record;
  EXPECT_FALSE(TypeAndOk(record, "5", "", "1"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Dlg::kNoDatalogFile});
  EXPECT_EQ(focus_, Dlg::kDatalogFile);
}

TEST_F(EditTransferTest, RecordStorageFileIsUniqueWithoutCaseAndFreedByRemoval) {
  AddTransfer(1, 1, "C:/Data/A.csv");
  config::CConnectionCfg record;
  record.SetDataFile("c:/data/a.csv");
  EXPECT_FALSE(TypeAndOk(record, "2", "CFG2", "1"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Dlg::kStorageFileInUse});
  EXPECT_EQ(focus_, Dlg::kDatalogFile);

  model_.RemoveConnection(0);
  ui_.boxes.clear();
  EXPECT_TRUE(TypeAndOk(record, "2", "CFG2", "1"));
  EXPECT_TRUE(ui_.boxes.empty());
}

TEST_F(EditTransferTest, OnlyTheStandardEditionNeedsAStorageFile) {
  config::CConnectionCfg standard;
  EXPECT_FALSE(TypeAndOk(standard, "2", "CFG2", "1"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Dlg::kNoStorageFile});
  EXPECT_EQ(focus_, Dlg::kEditStorage);

  sheet_.reset();
  ui_.boxes.clear();
  config::CConnectionCfg citect;
  EXPECT_TRUE(TypeAndOk(citect, "2", "CFG2", "1", /*citect=*/true));
  EXPECT_TRUE(ui_.boxes.empty());
  Dlg dialog(Sheet(true), model_, citect);
  dialog.OnInitDialog();
  EXPECT_FALSE(dialog.m_bShowStorage);
}

// A refused pair (then Cancel) leaves the record where the index holds it; a new ID frees the
// old pair.
TEST_F(EditTransferTest, PairIsCheckedAgainstOthersOnlyAndMovesInTheIndex) {
  config::CConnectionCfg* a = AddTransfer(5, 1, "/a.csv");
  config::CConnectionCfg* b = AddTransfer(5, 2, "/b.csv");
  EXPECT_TRUE(TypeAndOk(*a, "5", "CFG1.kdl", "1"));  // never its own clash
  EXPECT_FALSE(TypeAndOk(*a, "5", "CFG1.kdl", "2"));
  EXPECT_EQ(ui_.Texts(), std::vector<std::string>{Dlg::kPairInUse});
  EXPECT_EQ(focus_, Dlg::kStationNumber);
  EXPECT_EQ(a->GetID(), 1);
  EXPECT_EQ(model_.FindConnection("5.1"), a);
  EXPECT_EQ(model_.FindConnection("5.2"), b);
  EXPECT_TRUE(TypeAndOk(*a, "5", "CFG1.kdl", "3"));
  EXPECT_EQ(model_.FindConnection("5.3"), a);
  EXPECT_EQ(model_.FindConnection("5.1"), nullptr);
  config::CConnectionCfg* c = AddTransfer(5, 1, "/c.csv");
  EXPECT_EQ(model_.FindConnection("5.1"), c);
}

TEST_F(EditTransferTest, OpensWithTheRecordAndItsStorageSummary) {
  config::CConnectionCfg fresh;
  Dlg blank(Sheet(), model_, fresh);
  blank.OnInitDialog();
  EXPECT_EQ(blank.m_strStationNumber, "");
  EXPECT_EQ(blank.m_strTransferId, "");
  EXPECT_EQ(blank.m_strStorageSummary, "");
  EXPECT_TRUE(blank.m_bShowStorage);

  config::CConnectionCfg daily;
  daily.SetStationNumber(0);
  daily.SetID(0);
  daily.SetDataFile("/d/a.csv");
  daily.SetNewFileMode(kNewFileDaily);
  daily.SetNewFileSynchMode(37800);
  Dlg dialog(Sheet(), model_, daily);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.m_strStationNumber, "0");
  EXPECT_EQ(dialog.m_strTransferId, "0");
  EXPECT_EQ(dialog.m_strStorageSummary, "'/d/a.csv'\n(Create new files daily at 10:30:00 AM)");
}

TEST_F(EditTransferTest, StorageEditHandsTheSynchValueByModeAndStoresOnOkOnly) {
  config::CConnectionCfg record;
  record.SetDataFile("/old.csv");
  record.SetNewFileMode(kNewFileDaily);
  record.SetNewFileSynchMode(3600);
  Dlg dialog(Sheet(), model_, record);
  dialog.OnInitDialog();

  bool ok = false;
  OnModal<CRecStorageDlg>([&](CRecStorageDlg& s) {
    s.OnInitDialog();
    EXPECT_EQ(s.m_strPath, "/old.csv");
    EXPECT_EQ(s.m_nMode, kNewFileDaily);
    EXPECT_EQ(s.m_nDailyTime, 3600);
    s.m_strPath = "/new.csv";
    s.m_nMode = kNewFileWeekly;
    s.OnModeChange();
    s.m_nWeekday = 3;
    return Ended(ok && s.OnOK());
  });
  dialog.OnEditStorage();
  EXPECT_EQ(record.GetDataFile(), "/old.csv");
  EXPECT_EQ(record.GetNewFileSynchMode(), 3600);

  ok = true;
  dialog.OnEditStorage();
  EXPECT_EQ(record.GetDataFile(), "/new.csv");
  EXPECT_EQ(record.GetNewFileMode(), kNewFileWeekly);
  EXPECT_EQ(record.GetNewFileSynchMode(), 3);
  EXPECT_EQ(dialog.m_strStorageSummary, "'/new.csv'\n(Create new files weekly starting Wednesday)");
}

TEST(RecStorageSummaryTest, ShowsThePathAndWhenNewFilesStart) {
  const struct {
    int mode;
    const char* path;
    int synch;
    std::optional<std::string> summary;
  } cases[] = {
      {-1, "/a.csv", 0, std::nullopt},
      {kNewFileSame, "/a.csv", 0, "Always use '/a.csv'"},
      {kNewFileSame, "", 0, std::nullopt},
      {kNewFileDaily, "/a.csv", 0, "'/a.csv'\n(Create new files daily at 12:00:00 AM)"},
      {kNewFileDaily, "/a.csv", 13 * 3600 + 5, "'/a.csv'\n(Create new files daily at 01:00:05 PM)"},
      {kNewFileDaily, "/a.csv", -1, "'/a.csv'\n(Create new files daily at 11:59:59 PM)"},
      {kNewFileWeekly, "/a.csv", 0, "'/a.csv'\n(Create new files weekly starting Sunday)"},
      {kNewFileWeekly, "/a.csv", 7, "'/a.csv'\n(Create new files weekly starting )"},
      {kNewFileMonthly, "/a.csv", 0, "'/a.csv'\n(Create new files monthly)"},
      {kNewFileMonthly, "", 0, std::nullopt},
      {4, "/a.csv", 0, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(RecStorageSummary(c.mode, c.path, c.synch), c.summary);
  }
}

class RecStorageTest : public TransferTest {};

TEST_F(RecStorageTest, ModeDecidesWhatStartingShows) {
  const struct {
    int mode;
    bool starting, weekday, time;
  } cases[] = {{kNewFileSame, false, false, false},
               {kNewFileDaily, true, false, true},
               {kNewFileWeekly, true, true, false},
               {kNewFileMonthly, false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    CRecStorageDlg dialog(Sheet());
    dialog.m_nMode = c.mode;
    dialog.m_nWeekday = 4;
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_nWeekday, 4);
    EXPECT_EQ(dialog.m_bShowStarting, c.starting);
    EXPECT_EQ(dialog.m_bShowWeekday, c.weekday);
    EXPECT_EQ(dialog.m_bShowTime, c.time);
    // No method chosen: what shows stays.
    dialog.m_nMode = -1;
    dialog.OnModeChange();
    EXPECT_EQ(dialog.m_nWeekday, 0);
    EXPECT_EQ(dialog.m_bShowWeekday, c.weekday);
  }
}

TEST_F(RecStorageTest, OkNeedsAPathAndBrowseOffersCsvFiles) {
  CRecStorageDlg dialog(Sheet());
  dialog.m_nMode = kNewFileSame;
  dialog.OnInitDialog();
  EXPECT_FALSE(dialog.OnOK());
  ASSERT_EQ(ui_.boxes.size(), 1u);
  EXPECT_EQ(ui_.boxes[0].text, CRecStorageDlg::kNoPath);
  EXPECT_EQ(ui_.boxes[0].caption, "Error");
  EXPECT_EQ(dialog.focus(), CRecStorageDlg::kPath);

  ui_.chosen_files = {std::nullopt, "/data/site.csv"};
  dialog.OnBrowse();
  EXPECT_EQ(dialog.m_strPath, "");
  dialog.OnBrowse();
  EXPECT_EQ(dialog.m_strPath, "/data/site.csv");
  const ui::FileDialog& shown = ui_.file_dialogs.at(0);
  EXPECT_EQ(shown.title, "Store Records in:");
  EXPECT_EQ(shown.default_ext, "csv");
  EXPECT_EQ(shown.initial_name, "*.csv");
  EXPECT_TRUE(shown.overwrite_prompt);
  EXPECT_FALSE(shown.must_exist);
  EXPECT_TRUE(dialog.OnOK());
}

}  // namespace
}  // namespace kz::editor
