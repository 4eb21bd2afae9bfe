#include "editor/cfg_general_page.h"

#include <charconv>

#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"

namespace kz::editor {

namespace {

// The tolerance as the edit holds it: decimal digits only. Anything else, or a number beyond
// the limits, is out of range; nothing is guessed from a part of the text.
bool ParseTolerance(const std::string& text, int& value) {
  const char* end = text.data() + text.size();
  if (text.empty() || text.front() < '0' || text.front() > '9') return false;
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end && value >= CCfgGeneralPage::kMinClockTolerance &&
         value <= CCfgGeneralPage::kMaxClockTolerance;
}

}  // namespace

config::CCfgMgr& CCfgGeneralPage::model() const {
  return *sheet().GetCfgMgr();
}

int CCfgGeneralPage::ListIndex(int value, std::size_t count) {
  return value >= 0 && static_cast<std::size_t>(value) < count ? value : -1;
}

void CCfgGeneralPage::FillMode() {
  m_nMode = ListIndex(model().GetMode(), kModeNames.size());
}

void CCfgGeneralPage::FillClockAndLog() {
  const config::CCfgMgr& cfg = model();
  m_bSetStaClock = cfg.GetSetStaClock() != 0;
  m_strClockTolerance = std::to_string(cfg.GetClockTolerance());
  m_nPcTimeFormat = ListIndex(cfg.GetPcTimeFormat(), kTimeFormatNames.size());
  m_bEnableLog = cfg.GetEnableLog() != 0;
  m_strLogDir = cfg.GetLogDir();
}

void CCfgGeneralPage::UpdateEnables() {
  m_bClockEnabled = m_bSetStaClock;
  m_bLogDirEnabled = m_bEnableLog;
}

void CCfgGeneralPage::StoreMode() {
  model().SetMode(m_nMode);
}

bool CCfgGeneralPage::StoreClock() {
  config::CCfgMgr& cfg = model();
  cfg.SetSetStaClock(m_bSetStaClock ? 1 : 0);
  if (!m_bSetStaClock) return true;
  bool ok = true;
  int tolerance = 0;
  if (m_strClockTolerance.empty()) {
    Refuse(kNoToleranceMessage, kToleranceEdit);
    ok = false;
  } else if (!ParseTolerance(m_strClockTolerance, tolerance)) {
    Refuse(kToleranceRangeMessage, kToleranceEdit);
    ok = false;
  } else {
    cfg.SetClockTolerance(tolerance);
  }
  cfg.SetPcTimeFormat(m_nPcTimeFormat);
  return ok;
}

bool CCfgGeneralPage::StoreLog() {
  config::CCfgMgr& cfg = model();
  cfg.SetEnableLog(m_bEnableLog ? 1 : 0);
  if (!m_bEnableLog) return true;
  if (m_strLogDir.empty()) {
    Refuse(kNoLogDirMessage, kLogDirEdit);
    return false;
  }
  cfg.SetLogDir(m_strLogDir);
  return true;
}

void CCfgGeneralPage::Refuse(const char* message, Control control) {
  sheet().ui().MessageBox(message, "", ui::Buttons::Ok, ui::Icon::None);
  SetFocus(control);
}

bool CCfgGeneralPage::ChooseFolderInto(const char* title, std::string& text) {
  const auto folder = sheet().ui().ChooseFolder(title, text);
  if (!folder || folder->empty()) return false;
  text = *folder;
  return true;
}

void CCfgGeneralPage::OnBrowseLogDir() {
  ChooseFolderInto(kLogFolderTitle, m_strLogDir);
}

}  // namespace kz::editor
