// The Qt view of the General page of the Citect edition (editor::CCfgPage5): the groups both
// General pages share (GeneralPageView), one below the other.
#pragma once

#include "ui/qt/page_view.h"

class QWidget;

namespace kz::editor {
class CCfgPage5;
}

namespace kz::qtui {

class QtUiService;

// The page's widget, parented to (owned by) `parent`; `page` is borrowed and outlives it.
PageView* MakeCfgPage5View(editor::CCfgPage5& page, QtUiService& ui, QWidget* parent);

}  // namespace kz::qtui
