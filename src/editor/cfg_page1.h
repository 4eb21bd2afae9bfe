// CCfgPage1: the General page of the standard edition. Besides what both General pages edit
// (CCfgGeneralPage) it sets up the data files of clients that connect on their own (creation
// method, start, directory, base name, with a live sample of the name), scaling and the duplicate
// check.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <utility>

#include "editor/cfg_general_page.h"

namespace kz::editor {

class CCfgPage1 : public CCfgGeneralPage {
 public:
  static constexpr int kTemplateId = 104;

  static constexpr const char* kNoFileModeMessage = "Please select a file creation mode.";
  static constexpr const char* kNoBaseNameMessage = "Please select a base file name mode.";
  static constexpr const char* kNoDataDirMessage =
      "Please enter a path for the data file(s) to be stored.";
  static constexpr const char* kDuplicatesWarning =
      "Warning: Using the 'Check for duplicate records' feature may reduce performance "
      "significantly. It is recommended that users perform these operations offline using 3rd "
      "party software.";
  static constexpr const char* kDataFolderTitle = "Select the directory for data files:";

  // The day the sample is dated with.
  using TodayFn = std::function<std::chrono::year_month_day()>;

  explicit CCfgPage1(CCfgPSheet& sheet);

  int TemplateId() const override { return kTemplateId; }
  const char* Title() const override { return "General"; }

  // Fills the controls from the model, then runs the enable rules and the sample.
  void OnInitDialog() override;
  // Stores the controls into the model; false (after one message) keeps the page.
  bool OnKillActive() override;

  // "Create new files:" changed: starts weekly files on Sunday again.
  void OnNewFileModeChanged();
  void OnBaseNameChanged() { UpdateSample(); }
  void OnDataDirChanged() { UpdateSample(); }
  // "..." beside the data directory.
  void OnBrowseDataDir();

  // Replaces the local date (tests date the sample on a known day).
  void SetToday(TodayFn today) { m_today = std::move(today); }

  int m_nNewFileMode = -1;     // "Create new files:" selection
  int m_nWeekday = -1;         // "Starting:" weekday selection, 0 Sunday
  int m_nStartTime = 0;        // "Starting:" time picker, seconds since midnight
  std::string m_strDataDir;    // data file "Directory:"
  int m_nBaseName = -1;        // "Data file base name:" selection
  std::string m_strSample;     // "Sample:"
  bool m_bUseScaling = false;  // "Store scaled data"
  bool m_bCheckDuplicates = false;
  // With the automatic connection mode: every control of the "New file creation method:" and
  // "Data file location:" groups, their labels and the group titles.
  bool m_bAutoEnabled = true;
  // By the creation method: "Starting:", the time picker, the weekday list.
  bool m_bStartingVisible = false;
  bool m_bStartTimeVisible = false;
  bool m_bWeekdayVisible = false;

 protected:
  void UpdateEnables() override;

 private:
  void UpdateSample();
  // The settings of automatic clients' data files; false after a refusal.
  bool StoreDataFileSettings();
  void StoreDuplicateCheck();

  TodayFn m_today;
};

}  // namespace kz::editor
