// The trend configuration's surroundings for tests: where it finds kztrendvars.dbf, a stand-in
// Citect installation with the project "Water", stored bindings, and a UI that watches the
// progress window.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "projfiles/cancel_dlg.h"
#include "support/citect_install.h"
#include "support/scripted_ui.h"

namespace kz::test {

// Sets velmora.ini's Path32 (in the Windows directory of the current TempEnv) to root/tool,
// creates root/tool/Projects, writes below root/citect an installation whose project "Water"
// has `water_trends`, and root/Site.kpj whose station "North" has datalog "Hourly" with the tag
// "Flow". Returns the path of the trend tag store; false in `ok` when something could
// not be written.
std::filesystem::path WriteTrendSetup(const std::filesystem::path& root,
                                      const std::vector<CitectTrend>& water_trends, bool& ok);

// A binding of project "Water": the trend tag, fed by tag "Flow" of datalog "Hourly" of station
// "North" in `kpj`.
citect::CCitectTrendTag WaterBinding(const std::string& trend_var, const std::string& kpj);

// Writes the bindings as the trend tag store at `path`; false when it could not.
bool SaveBindings(const std::filesystem::path& path,
                  const std::vector<citect::CCitectTrendTag>& tags);

// Keeps each new pair of the progress window's lines ("line 1 | line 2") and whether its bar is
// shown; presses its Cancel during a chosen check.
class ProgressUi : public ScriptedUi {
 public:
  void Refresh(ui::Window& w) override {
    dlg_ = &dynamic_cast<projfiles::CCancelDlg&>(w);
    std::string line = dlg_->m_strLine1 + " | " + dlg_->m_strLine2;
    if (lines.empty() || lines.back() != line) lines.push_back(std::move(line));
    progress_shown = dlg_->m_bProgressVisible;
  }
  // `check` counts from 1.
  void PressCancelAtCheck(int check) {
    during_pump.resize(check - 1, [] {});
    during_pump.push_back([this] { dlg_->OnCancel(); });
  }
  std::vector<std::string> lines;
  bool progress_shown = true;

 private:
  projfiles::CCancelDlg* dlg_ = nullptr;  // not owned
};

}  // namespace kz::test
