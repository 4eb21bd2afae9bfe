// The COM Ports page's view: a PortPageView on CCfgPage3.
#pragma once

#include <QWidget>

#include "editor/cfg_page3.h"
#include "ui/qt/page_view.h"

namespace kz::qtui {

class QtUiService;

// The page's widget, owned by `parent`; `page` is borrowed and outlives it.
PageView* MakeCfgPage3View(editor::CCfgPage3& page, QtUiService& ui, QWidget* parent);

}  // namespace kz::qtui
