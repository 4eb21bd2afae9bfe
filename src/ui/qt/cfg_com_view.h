// The COM Port Configuration dialog's view: the COM number with its spin buttons, "Baud:",
// "Data bits:", "Parity:", "Stop bits:" and the hidden "Flow control:" over a CCfgCOM.
#pragma once

#include "editor/cfg_com.h"
#include "ui/ui_service.h"

namespace kz::qtui {

class QtUiService;

// Builds the dialog on `dialog` (borrowed), runs it modally and says how it closed.
ui::DialogResult RunCfgComView(editor::CCfgCOM& dialog, QtUiService& ui);

}  // namespace kz::qtui
