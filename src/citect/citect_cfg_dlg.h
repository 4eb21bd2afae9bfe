// CCitectCfgDlg: the presenter of the modal dialog "Citect Trend Configuration", the editor of the
// Citect edition's trend tag list. The configure operation runs it through UiService::RunModal
// when its options ask for "type=trend"; it touches no configuration file.
#pragma once

#include "ui/ui_service.h"

namespace kz::citect {

class CCitectCfgDlg : public ui::Window {
 public:
  static constexpr const char* kCaption = "Citect Trend Configuration";

  CCitectCfgDlg();
};

}  // namespace kz::citect
