// The Edit Transfer and Record Storage Options dialogs: what OK refuses, where it points the
// focus, and what it stores.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/edit_transfer_dlg.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "transfer_fixture.h"

namespace kz::editor {
namespace {

using Dlg = CEditTransferDlg;

// Each case types the three fields over a fresh record (storage file `data_file`) and presses OK;
// another live transfer holds 5.2 and "C:/Data/A.csv".
TEST_F(TransferTest, EditTransferOkChecksEachFieldInTurn) {
  struct Case {
    const char *station, *datalog, *id, *data_file;
    bool citect;
    const char* message;  // nullptr: accepted
    int focus;
    const char* stored_datalog;  // "" when refused before the datalog file
  };
  const Case cases[] = {
      {"0", "CFG1", "1", "/a.csv", false, nullptr, 0, "CFG1.kdl"},
      {"15999", "x.KDL", "1", "/a.csv", false, nullptr, 0, "x.KDL"},
      {"5", "abc", "1", "/a.csv", false, nullptr, 0, "abc"},
      {"16000", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, Dlg::kStationNumber, ""},
      {"-1", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, Dlg::kStationNumber, ""},
      {"12a", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, Dlg::kStationNumber, ""},
      {"5", "", "1", "/a.csv", false, Dlg::kNoDatalogFile, Dlg::kDatalogFile, ""},
      // Refused after the completion: the record keeps it.
      {"5", "CFG1", "", "/a.csv", false, Dlg::kNoTransferId, Dlg::kTransferId, "CFG1.kdl"},
      {"5", "CFG1", "1", "", false, Dlg::kNoStorageFile, Dlg::kEditStorage, "CFG1.kdl"},
      {"5", "CFG1", "1", "", true, nullptr, 0, "CFG1.kdl"},
      {"5", "CFG1", "1", "c:/data/a.csv", false, Dlg::kStorageFileInUse, Dlg::kDatalogFile,
       "CFG1.kdl"},
      {"5", "CFG1", "1", "c:/data/a.csv", true, nullptr, 0, "CFG1.kdl"},
      {"5", "CFG1", "2", "/a.csv", false, Dlg::kPairInUse, Dlg::kStationNumber, "CFG1.kdl"},
  };
  AddTransfer(5, 2, "C:/Data/A.csv");
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.station << " " << c.datalog << " " << c.id << " "
                                    << c.data_file << (c.citect ? " citect" : ""));
    sheet_.reset();
    ui_.boxes.clear();
    config::CConnectionCfg record;
    record.SetDataFile(c.data_file);
    Dlg dialog(Sheet(c.citect), model_, record);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_bShowStorage, !c.citect);
    dialog.m_strStationNumber = c.station;
    dialog.m_strDatalogFile = c.datalog;
    dialog.m_strTransferId = c.id;
    EXPECT_EQ(dialog.OnOK(), c.message == nullptr);
    EXPECT_EQ(ui_.Texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(record.GetDatalogFile(), c.stored_datalog);
    if (c.message) {
      EXPECT_EQ(dialog.focus(), c.focus);
    }
    EXPECT_EQ(record.GetStationNumber(), c.message ? -1 : std::stoi(c.station));
  }
}

// The edited transfer never clashes with itself; a refused pair leaves its ID as it was. (How the
// model's index follows a new key is the model's own test.)
TEST_F(TransferTest, EditedTransferClashesOnlyWithOthers) {
  config::CConnectionCfg* a = AddTransfer(5, 1, "/a.csv");
  AddTransfer(5, 2, "/b.csv");
  for (const auto& [id, ok] : {std::pair{"1", true}, {"2", false}}) {
    Dlg dialog(Sheet(), model_, *a);
    dialog.OnInitDialog();
    dialog.m_strTransferId = id;
    EXPECT_EQ(dialog.OnOK(), ok) << id;
    EXPECT_EQ(a->GetID(), 1);
  }
}

TEST_F(TransferTest, EditTransferShowsTheRecordAndEditsItsStorageOnOkOnly) {
  config::CConnectionCfg fresh;
  Dlg blank(Sheet(), model_, fresh);
  blank.OnInitDialog();
  EXPECT_EQ(blank.m_strStationNumber + blank.m_strTransferId + blank.m_strStorageSummary, "");

  config::CConnectionCfg record;
  record.SetStationNumber(0);
  record.SetID(0);
  record.SetDataFile("/old.csv");
  record.SetNewFileMode(kNewFileDaily);
  record.SetNewFileSynchMode(37800);
  Dlg dialog(Sheet(), model_, record);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.m_strStationNumber + dialog.m_strTransferId, "00");
  bool ok = false;
  OnModal<CRecStorageDlg>([&](CRecStorageDlg& s) {
    s.OnInitDialog();
    EXPECT_EQ(std::tie(s.m_strPath, s.m_nMode, s.m_nDailyTime),
              std::make_tuple(std::string("/old.csv"), kNewFileDaily, 37800));
    s.m_strPath = "/new.csv";
    s.m_nMode = kNewFileWeekly;
    s.OnModeChange();
    s.m_nWeekday = 3;
    return Ended(ok && s.OnOK());
  });
  dialog.OnEditStorage();  // cancelled
  EXPECT_EQ(dialog.m_strStorageSummary, "'/old.csv'\n(Create new files daily at 10:30:00 AM)");
  EXPECT_EQ(record.GetNewFileSynchMode(), 37800);
  ok = true;
  dialog.OnEditStorage();
  EXPECT_EQ(dialog.m_strStorageSummary, "'/new.csv'\n(Create new files weekly starting Wednesday)");
  EXPECT_EQ(record.GetNewFileSynchMode(), 3);
  EXPECT_EQ(record.GetDataFile(), "/new.csv");
  EXPECT_EQ(record.GetNewFileMode(), kNewFileWeekly);
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

// Which controls a method shows is StartingVisibilityFor's; here, that the dialog follows it, a
// new method restarts the week on Sunday and no method leaves the controls as they were. OK needs
// a path; Browse offers CSV files.
TEST_F(TransferTest, RecordStorageFollowsTheModeAndOkNeedsAPath) {
  CRecStorageDlg dialog(Sheet());
  dialog.m_nMode = kNewFileWeekly;
  dialog.m_nWeekday = 4;
  dialog.OnInitDialog();
  EXPECT_EQ(std::tie(dialog.m_nWeekday, dialog.m_bShowStarting, dialog.m_bShowWeekday,
                     dialog.m_bShowTime),
            std::make_tuple(4, true, true, false));
  dialog.m_nMode = -1;
  dialog.OnModeChange();
  EXPECT_EQ(std::tie(dialog.m_nWeekday, dialog.m_bShowWeekday), std::make_tuple(0, true));

  EXPECT_FALSE(dialog.OnOK());
  EXPECT_EQ(ui_.boxes,
            (std::vector<test::ScriptedUi::Box>{
                {CRecStorageDlg::kNoPath, "Error", ui::Buttons::Ok, ui::Icon::Exclamation}}));
  EXPECT_EQ(dialog.focus(), CRecStorageDlg::kPath);
  ui_.chosen_files = {std::nullopt, "/data/site.csv"};
  dialog.OnBrowse();
  EXPECT_EQ(dialog.m_strPath, "");
  dialog.OnBrowse();
  EXPECT_EQ(dialog.m_strPath, "/data/site.csv");
  const ui::FileDialog& shown = ui_.file_dialogs.at(0);
  EXPECT_EQ(std::tie(shown.default_ext, shown.initial_name, shown.overwrite_prompt,
                     shown.must_exist),
            std::make_tuple("csv", "*.csv", true, false));
  EXPECT_TRUE(dialog.OnOK());
}

}  // namespace
}  // namespace kz::editor
