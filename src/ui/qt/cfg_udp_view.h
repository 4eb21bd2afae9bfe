// The UDP/TCP Port Configuration dialog's view: "Type:" and "Port number:" over a CCfgUDP.
#pragma once

#include "editor/cfg_udp.h"
#include "ui/ui_service.h"

namespace kz::qtui {

class QtUiService;

// Builds the dialog on `dialog` (borrowed), runs it modally and says how it closed.
ui::DialogResult RunCfgUdpView(editor::CCfgUDP& dialog, QtUiService& ui);

}  // namespace kz::qtui
