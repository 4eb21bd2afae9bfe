#include "editor/cfg_page1.h"

#include <utility>

#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"
#include "editor/data_file_name.h"
#include "editor/new_file_mode.h"

namespace kz::editor {

CCfgPage1::CCfgPage1(CCfgPSheet& sheet) : CCfgGeneralPage(sheet), m_today(LocalToday) {}

void CCfgPage1::OnInitDialog() {
  const config::CCfgMgr& cfg = model();
  FillMode();
  m_nWeekday = ListIndex(cfg.GetNewFileSynchMode(), kWeekdayNames.size());
  m_nNewFileMode = ListIndex(cfg.GetNewFileMode(), kNewFileModeNames.size());
  m_strDataDir = cfg.GetAutoModeDataPath();
  FillClockAndLog();
  m_bUseScaling = cfg.GetUseScaling() != 0;
  m_bCheckDuplicates = cfg.GetCheckDuplicates() != 0;
  // The picker shows the daily start; for any other method it rests at midnight.
  m_nStartTime = cfg.GetNewFileMode() == kNewFileDaily ? TimeOfDay(cfg.GetNewFileSynchMode()) : 0;
  m_nBaseName = ListIndex(cfg.GetAutoModeBaseNameChoice(), kBaseNameChoices.size());
  UpdateEnables();
  UpdateSample();
}

void CCfgPage1::UpdateEnables() {
  CCfgGeneralPage::UpdateEnables();
  m_bAutoEnabled = m_nMode == kModeAutomatic;
  if (const auto shown = StartingVisibilityFor(m_nNewFileMode)) {
    m_bStartingVisible = shown->label;
    m_bStartTimeVisible = shown->time_picker;
    m_bWeekdayVisible = shown->weekday_list;
  }
}

void CCfgPage1::UpdateSample() {
  m_strSample = SampleDataFileName(m_strDataDir, m_nNewFileMode, m_nBaseName, m_today());
}

void CCfgPage1::OnNewFileModeChanged() {
  m_nWeekday = kSunday;
  UpdateEnables();
  UpdateSample();
}

void CCfgPage1::OnBrowseDataDir() {
  if (ChooseFolderInto(kDataFolderTitle, m_strDataDir)) UpdateSample();
}

bool CCfgPage1::OnKillActive() {
  StoreMode();
  // A refusal ends the list; scaling is stored whatever happened before it.
  const bool ok =
      (m_nMode != kModeAutomatic || StoreDataFileSettings()) && StoreClock() && StoreLog();
  if (ok) StoreDuplicateCheck();
  model().SetUseScaling(m_bUseScaling ? 1 : 0);
  return ok;
}

bool CCfgPage1::StoreDataFileSettings() {
  config::CCfgMgr& cfg = model();
  if (ListIndex(m_nNewFileMode, kNewFileModeNames.size()) < 0) {
    Refuse(kNoFileModeMessage, kNewFileModeList);
    return false;
  }
  cfg.SetNewFileMode(m_nNewFileMode);
  if (ListIndex(m_nBaseName, kBaseNameChoices.size()) < 0) {
    Refuse(kNoBaseNameMessage, kBaseNameList);
    return false;
  }
  cfg.SetAutoModeBaseNameChoice(m_nBaseName);
  if (m_strDataDir.empty()) {
    Refuse(kNoDataDirMessage, kDataDirEdit);
    return false;
  }
  cfg.SetAutoModeDataPath(m_strDataDir);
  // The weekday is kept for every method but daily, even where its list is hidden.
  cfg.SetNewFileSynchMode(m_nNewFileMode == kNewFileDaily ? TimeOfDay(m_nStartTime) : m_nWeekday);
  return true;
}

void CCfgPage1::StoreDuplicateCheck() {
  model().SetCheckDuplicates(m_bCheckDuplicates ? 1 : 0);
  if (m_bCheckDuplicates) {
    sheet().ui().MessageBox(kDuplicatesWarning, "", ui::Buttons::Ok, ui::Icon::None);
  }
}

}  // namespace kz::editor
