// CCfgGeneralPage: what the two General pages share (CCfgPage1 of the standard edition, CCfgPage5
// of the Citect edition): the client connection mode, the clock adjustment of stations and the
// error log, with their fill, enable rules, checks and messages. Each variant adds its own
// controls and fixes the order in which the shared parts are filled and stored.
//
// The page edits the model of its sheet (not owned); its messages are plain boxes with an OK
// button and the application's title as caption.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "editor/property_page.h"

namespace kz::config {
class CCfgMgr;
}

namespace kz::editor {

class CCfgGeneralPage : public CPropertyPage {
 public:
  // Client connection modes: the radio pair's buttons.
  static constexpr int kModeSpecifiedStations = 0;
  static constexpr int kModeAutomatic = 1;
  static constexpr std::array<const char*, 2> kModeNames = {
      "Only allow specified stations to log data",
      "Allow new clients to automatically connect/log data"};
  // "Time format:" list, by the stored "pc time format".
  static constexpr std::array<const char*, 2> kTimeFormatNames = {"Compare/Set Local Time",
                                                                  "Compare/Set GMT"};
  static constexpr int kMinClockTolerance = 1;
  static constexpr int kMaxClockTolerance = 604800;

  static constexpr const char* kNoToleranceMessage = "Please enter a clock tolerance in seconds.";
  static constexpr const char* kToleranceRangeMessage =
      "Please enter a clock tolerance in seconds (1 to 604800).";
  static constexpr const char* kNoLogDirMessage =
      "Please enter a directory to store the log files in.";
  static constexpr const char* kLogFolderTitle = "Select the directory for log files:";

  // The controls of both pages, for focus(); the Citect page has only the first six.
  enum Control {
    kModeRadio,
    kSetStaClockCheck,
    kToleranceEdit,
    kTimeFormatList,
    kEnableLogCheck,
    kLogDirEdit,
    kNewFileModeList,
    kWeekdayList,
    kStartTimePicker,
    kDataDirEdit,
    kBaseNameList,
  };

  // The radio buttons and the two check boxes: the enable rules run again.
  void OnModeClicked() { UpdateEnables(); }
  void OnSetStaClockClicked() { UpdateEnables(); }
  void OnEnableLogClicked() { UpdateEnables(); }
  // "..." beside the log directory: a chosen folder replaces the text.
  void OnBrowseLogDir();

  // Control state, as the view shows it.
  int m_nMode = kModeSpecifiedStations;  // radio pair; -1 when neither button is set
  bool m_bSetStaClock = false;
  std::string m_strClockTolerance;  // digits only, as typed
  int m_nPcTimeFormat = -1;         // "Time format:" selection
  bool m_bEnableLog = false;
  std::string m_strLogDir;
  // With the clock check box: the tolerance edit, its "seconds" label and the time format list.
  bool m_bClockEnabled = true;
  // With the log check box: the log directory edit, its "..." button and its "Directory:" label.
  bool m_bLogDirEnabled = true;

 protected:
  using CPropertyPage::CPropertyPage;

  config::CCfgMgr& model() const;

  // The list index `value` selects, or -1 when it is none of the `count` entries.
  static int ListIndex(int value, std::size_t count);

  // Fill: the radio pair; the clock check box, tolerance, time format, log check box and log
  // directory.
  void FillMode();
  void FillClockAndLog();

  // The clock and log rules; the standard page adds its own.
  virtual void UpdateEnables();

  // Store: "mode"; "set sta clock" and, when ticked, "clock tolerance" and "pc time format" (the
  // time format also when the tolerance is refused); "enable log" and, when ticked, "log dir".
  // False after a refusal, whose message was shown.
  void StoreMode();
  bool StoreClock();
  bool StoreLog();

  // Shows a refusal and points the focus at the control to mend.
  void Refuse(const char* message, Control control);
  // Runs the folder browser on `text`; true when a folder was chosen (it is then in `text`).
  bool ChooseFolderInto(const char* title, std::string& text);
};

}  // namespace kz::editor
