// The general settings of a model by their file keys, to tell which ones a page stored, and a
// sheet to check a General page on.
#pragma once

#include <map>
#include <set>
#include <string>

#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"
#include "support/scripted_ui.h"

namespace kz::editor::test {

inline std::map<std::string, std::string> GeneralSettings(const config::CCfgMgr& m) {
  return {
      {"mode", std::to_string(m.GetMode())},
      {"new file mode", std::to_string(m.GetNewFileMode())},
      {"new file synch mode", std::to_string(m.GetNewFileSynchMode())},
      {"auto mode data path", m.GetAutoModeDataPath()},
      {"auto mode base name choice", std::to_string(m.GetAutoModeBaseNameChoice())},
      {"set sta clock", std::to_string(m.GetSetStaClock())},
      {"clock tolerance", std::to_string(m.GetClockTolerance())},
      {"pc time format", std::to_string(m.GetPcTimeFormat())},
      {"enable log", std::to_string(m.GetEnableLog())},
      {"log dir", m.GetLogDir()},
      {"use scaling", std::to_string(m.GetUseScaling())},
      {"check duplicates", std::to_string(m.GetCheckDuplicates())},
  };
}

// Fills every general setting with a value no control of a General page can give back, so that
// every setting a page stores shows as changed.
inline void SetUnreachableSettings(config::CCfgMgr& m) {
  m.SetMode(5);
  m.SetNewFileMode(9);
  m.SetNewFileSynchMode(-5);
  m.SetAutoModeDataPath("unset");
  m.SetAutoModeBaseNameChoice(9);
  m.SetSetStaClock(7);
  m.SetClockTolerance(-1);
  m.SetPcTimeFormat(9);
  m.SetEnableLog(7);
  m.SetLogDir("unset");
  m.SetUseScaling(7);
  m.SetCheckDuplicates(7);
}

inline std::set<std::string> ChangedKeys(const std::map<std::string, std::string>& before,
                                         const std::map<std::string, std::string>& after) {
  std::set<std::string> changed;
  for (const auto& [key, value] : after) {
    if (before.at(key) != value) changed.insert(key);
  }
  return changed;
}

// A sheet of the edition `options` chooses, shown on its General page, over a model of its own.
struct GeneralPageSheet {
  explicit GeneralPageSheet(const char* options) : sheet(&model, options, ui) {}
  // The General page, filled (from a model of unreachable settings when `unreachable`).
  template <typename Page>
  Page& Open(bool unreachable) {
    if (unreachable) SetUnreachableSettings(model);
    sheet.OnInitDialog();
    return static_cast<Page&>(sheet.GetPage(CCfgPSheet::kGeneralPage));
  }

  config::CCfgMgr model;
  kz::test::ScriptedUi ui;
  CCfgPSheet sheet;
};

}  // namespace kz::editor::test
