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
    const char* message;         // nullptr: accepted
    const char* stored_datalog;  // "" when refused before the datalog file
    int focus = Dlg::kNoFocus;
  };
  const Case cases[] = {
      {"0", "CFG1", "1", "/a.csv", false, nullptr, "CFG1.kdl"},
      {"15999", "x.KDL", "1", "/a.csv", false, nullptr, "x.KDL"},
      {"5", "abc", "1", "/a.csv", false, nullptr, "abc"},
      {"16000", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, "", Dlg::kStationNumber},
      {"-1", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, "", Dlg::kStationNumber},
      {"", "CFG1", "1", "/a.csv", false, Dlg::kBadStation, "", Dlg::kStationNumber},
      {"5", "", "1", "/a.csv", false, Dlg::kNoDatalogFile, "", Dlg::kDatalogFile},
      // Refused after the completion, which the record keeps; no number is no ID either.
      {"5", "CFG1", "1x", "/a.csv", false, Dlg::kNoTransferId, "CFG1.kdl", Dlg::kTransferId},
      {"5", "CFG1", "1", "", false, Dlg::kNoStorageFile, "CFG1.kdl", Dlg::kEditStorage},
      {"5", "CFG1", "1", "", true, nullptr, "CFG1.kdl"},
      {"5", "CFG1", "1", "c:/data/a.csv", false, Dlg::kStorageFileInUse, "CFG1.kdl",
       Dlg::kDatalogFile},
      {"5", "CFG1", "2", "/a.csv", false, Dlg::kPairInUse, "CFG1.kdl", Dlg::kStationNumber},
  };
  AddTransfer(5, 2, "C:/Data/A.csv");
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    sheet_.reset();
    ui_.boxes.clear();
    config::CConnectionCfg record;
    record.SetDataFile(c.data_file);
    Dlg dialog(Sheet(c.citect), model_, record);
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_strStationNumber + dialog.m_strTransferId, "");
    EXPECT_EQ(dialog.m_bShowStorage, !c.citect);
    dialog.m_strStationNumber = c.station;
    dialog.m_strDatalogFile = c.datalog;
    dialog.m_strTransferId = c.id;
    EXPECT_EQ(dialog.OnOK(), c.message == nullptr);
    EXPECT_EQ(ui_.Texts(),
              c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    EXPECT_EQ(dialog.focus(), c.focus);
    EXPECT_EQ(record.GetDatalogFile(), c.stored_datalog);
    EXPECT_EQ(record.GetStationNumber(), c.message ? -1 : std::stoi(c.station));
  }
}

// The storage goes to Record Storage Options and comes back on its OK only; that dialog restarts
// the week on Sunday when the method changes, needs a path for OK and browses for CSV files.
TEST_F(TransferTest, EditTransferEditsTheStorageThroughRecordStorageOnOkOnly) {
  config::CConnectionCfg& record = *AddTransfer(0, 0, "/old.csv");
  record.SetNewFileMode(kNewFileDaily);
  record.SetNewFileSynchMode(37800);
  Dlg dialog(Sheet(), model_, record);
  dialog.OnInitDialog();
  EXPECT_EQ(dialog.m_strStationNumber + dialog.m_strTransferId, "00");
  EXPECT_EQ(dialog.m_strStorageSummary, "'/old.csv'\n(Create new files daily at 10:30:00 AM)");
  bool ok = false;
  OnModal<CRecStorageDlg>([&](CRecStorageDlg& s) {
    s.OnInitDialog();
    EXPECT_EQ(std::tie(s.m_strPath, s.m_nMode, s.m_nDailyTime, s.m_bShowTime, s.m_bShowWeekday),
              std::make_tuple(std::string("/old.csv"), kNewFileDaily, 37800, true, false));
    s.m_nMode = kNewFileWeekly;
    s.OnModeChange();
    EXPECT_EQ(std::tie(s.m_nWeekday, s.m_bShowTime, s.m_bShowWeekday),
              std::make_tuple(kSunday, false, true));
    s.m_nWeekday = 3;
    s.m_strPath = "";
    if (!ok) return ui::DialogResult::Cancel;
    EXPECT_FALSE(s.OnOK());
    EXPECT_EQ(ui_.boxes,
              (std::vector<test::ScriptedUi::Box>{
                  {CRecStorageDlg::kNoPath, "Error", ui::Buttons::Ok, ui::Icon::Exclamation}}));
    EXPECT_EQ(s.focus(), CRecStorageDlg::kPath);
    ui_.chosen_files = {"/new.csv"};
    s.OnBrowse();
    const ui::FileDialog& shown = ui_.file_dialogs.at(0);
    EXPECT_EQ(
        std::tie(shown.default_ext, shown.initial_name, shown.overwrite_prompt, shown.must_exist),
        std::make_tuple("csv", "*.csv", true, false));
    return s.OnOK() ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
  });
  dialog.OnEditStorage();  // cancelled
  EXPECT_EQ(record.GetNewFileSynchMode(), 37800);
  ok = true;
  dialog.OnEditStorage();
  EXPECT_EQ(dialog.m_strStorageSummary, "'/new.csv'\n(Create new files weekly starting Wednesday)");
  EXPECT_EQ(
      std::make_tuple(record.GetDataFile(), record.GetNewFileMode(), record.GetNewFileSynchMode()),
      std::make_tuple("/new.csv", kNewFileWeekly, 3));
}

TEST(RecStorageSummaryTest, ShowsThePathAndWhenNewFilesStart) {
  const std::tuple<int, const char*, int, std::optional<std::string>> cases[] = {
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
  };
  for (const auto& [mode, path, synch, summary] : cases) {
    EXPECT_EQ(RecStorageSummary(mode, path, synch), summary);
  }
}

}  // namespace
}  // namespace kz::editor
