// CRecStorageDlg: the presenter of the dialog "Record Storage Options", which edits where one
// client transfer's records are stored (a CSV file) and when new files start. The Edit Transfer
// and Add From File dialogs fill its inputs, run it through UiService::RunModal and read the same
// members back after OK.
//
// Borrows the sheet (UI service, help), which must outlive it.
#pragma once

#include <string>

#include "editor/editor_dialog.h"

namespace kz::editor {

class CCfgPSheet;

class CRecStorageDlg : public CEditorDialog {
 public:
  static constexpr int kTemplateId = 209;
  enum Control { kPath, kBrowse, kMode, kWeekday, kTime };

  static constexpr const char* kStorageMethod = "CSV File";
  static constexpr const char* kNoPath = "Please enter a path name for the record storage file.";
  static constexpr const char* kErrorCaption = "Error";
  static constexpr const char* kBrowseTitle = "Store Records in:";
  static constexpr const char* kBrowseFilter =
      "CSV Files (*.csv) | *.csv | All Files (*.*) | *.* ||";

  explicit CRecStorageDlg(CCfgPSheet& sheet) : m_sheet(sheet) {}

  int TemplateId() const override { return kTemplateId; }

  void OnInitDialog();
  // "Create new files:" changed: starts over on Sunday.
  void OnModeChange();
  void OnWeekdayChange();
  void OnBrowse();
  // False while the path is empty (the message was shown).
  bool OnOK();
  void OnHelp() const;

  // In and out. The mode is an index into kNewFileModeNames (-1 none); the weekday 0 Sunday to 6
  // Saturday (-1 none) counts for every mode but Daily, the daily start time (seconds after
  // midnight) for Daily.
  std::string m_strPath;
  int m_nMode = -1;
  int m_nWeekday = -1;
  int m_nDailyTime = 0;

  // Which of "Starting:", the weekday list and the time picker show.
  bool m_bShowStarting = false;
  bool m_bShowWeekday = false;
  bool m_bShowTime = false;

 private:
  void ApplyVisibility();

  CCfgPSheet& m_sheet;
};

}  // namespace kz::editor
