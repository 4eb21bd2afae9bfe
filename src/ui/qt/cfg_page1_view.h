// The Qt view of the General page of the standard edition (editor::CCfgPage1): the shared groups
// of GeneralPageView and the "New file creation method:", "Data file location:" and "Data Format:"
// groups.
#pragma once

#include "ui/qt/page_view.h"

class QWidget;

namespace kz::editor {
class CCfgPage1;
}

namespace kz::qtui {

class QtUiService;

// The page's widget, parented to (owned by) `parent`; `page` is borrowed and outlives it.
PageView* MakeCfgPage1View(editor::CCfgPage1& page, QtUiService& ui, QWidget* parent);

}  // namespace kz::qtui
