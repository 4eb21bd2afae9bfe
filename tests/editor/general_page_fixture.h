// A configuration sheet of either edition over a model loaded from [general] lines, with a
// scripted UI, for the General page and its view. The standard page's sample is dated 2027-03-09.
#pragma once

#include <chrono>
#include <string>

#include "config/cfg_mgr.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_psheet.h"
#include "platform/profile_document.h"
#include "support/scripted_ui.h"

namespace kz::editor {

struct GeneralPage {
  explicit GeneralPage(const char* options, const std::string& general = "")
      : sheet(&model, options, ui) {
    model.Load(platform::ProfileDocument("[general]\r\n" + general));
    sheet.page1().SetToday([] {
      using namespace std::chrono_literals;
      return std::chrono::year_month_day{2027y / 3 / 9};
    });
  }
  // The page, filled.
  CCfgGeneralPage& Open() {
    sheet.OnInitDialog();
    return static_cast<CCfgGeneralPage&>(sheet.GetPage(CCfgPSheet::kGeneralPage));
  }

  config::CCfgMgr model;
  kz::test::ScriptedUi ui;
  CCfgPSheet sheet;
};

}  // namespace kz::editor
