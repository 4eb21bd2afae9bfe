#include "editor/rec_storage_dlg.h"

#include "editor/cfg_psheet.h"
#include "editor/new_file_mode.h"
#include "editor/rec_storage_summary.h"

namespace kz::editor {

void CRecStorageDlg::OnInitDialog() {
  if (m_nMode < 0 || m_nMode >= static_cast<int>(kNewFileModeNames.size())) m_nMode = -1;
  if (m_nWeekday < 0 || m_nWeekday >= static_cast<int>(kWeekdayNames.size())) m_nWeekday = -1;
  m_nDailyTime = TimeOfDay(m_nDailyTime);
  ApplyVisibility();
}

void CRecStorageDlg::ApplyVisibility() {
  if (const auto shown = StartingVisibilityFor(m_nMode)) {
    m_bShowStarting = shown->label;
    m_bShowTime = shown->time_picker;
    m_bShowWeekday = shown->weekday_list;
  }
}

void CRecStorageDlg::OnModeChange() {
  m_nWeekday = 0;
  ApplyVisibility();
}

void CRecStorageDlg::OnWeekdayChange() {
  ApplyVisibility();
}

void CRecStorageDlg::OnBrowse() {
  ui::FileDialog dialog;
  dialog.title = kBrowseTitle;
  dialog.filter = kBrowseFilter;
  dialog.default_ext = "csv";
  dialog.initial_name = "*.csv";
  dialog.overwrite_prompt = true;
  if (auto chosen = m_sheet.ui().ChooseOpenFile(dialog)) m_strPath = std::move(*chosen);
}

bool CRecStorageDlg::OnOK() {
  if (m_strPath.empty()) {
    m_sheet.ui().MessageBox(kNoPath, kErrorCaption, ui::Buttons::Ok, ui::Icon::Exclamation);
    SetFocus(kPath);
    return false;
  }
  if (m_nWeekday >= static_cast<int>(kWeekdayNames.size())) m_nWeekday = -1;
  m_nDailyTime = TimeOfDay(m_nDailyTime);
  return true;
}

void CRecStorageDlg::OnHelp() const {
  m_sheet.ShowHelp(HelpContextId());
}

}  // namespace kz::editor
