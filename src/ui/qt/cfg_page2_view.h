// The UDP/TCP Ports page's view: a PortPageView on CCfgPage2.
#pragma once

#include <QWidget>

#include "editor/cfg_page2.h"
#include "ui/qt/page_view.h"

namespace kz::qtui {

class QtUiService;

// The page's widget, owned by `parent`; `page` is borrowed and outlives it.
PageView* MakeCfgPage2View(editor::CCfgPage2& page, QtUiService& ui, QWidget* parent);

}  // namespace kz::qtui
