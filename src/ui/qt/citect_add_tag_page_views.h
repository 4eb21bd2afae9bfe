// The views of the add trend tags wizard's four pages: each page's text over a separator, then
// its controls (page 1 the project list and where it was found, pages 2 and 4 the trend tag grid,
// page 3 the binding mode and the station project file folder). Each view's widget is owned by
// `parent`; its page presenter is borrowed and outlives it.
#pragma once

#include <QWidget>

#include "citect/citect_add_tag_page1.h"
#include "citect/citect_add_tag_page2.h"
#include "citect/citect_add_tag_page3.h"
#include "citect/citect_add_tag_page4.h"
#include "ui/qt/page_view.h"

class QVBoxLayout;

namespace kz::qtui {

class QtUiService;

PageView* MakeCitectAddTagPage1View(citect::CCitectAddTagPage1& page, QtUiService& ui,
                                    QWidget* parent);
PageView* MakeCitectAddTagPage2View(citect::CCitectAddTagPage2& page, QtUiService& ui,
                                    QWidget* parent);
PageView* MakeCitectAddTagPage3View(citect::CCitectAddTagPage3& page, QtUiService& ui,
                                    QWidget* parent);
PageView* MakeCitectAddTagPage4View(citect::CCitectAddTagPage4& page, QtUiService& ui,
                                    QWidget* parent);

// Lays the page's text and a separator into a new layout of `page` and returns the layout, for
// the page's own controls to follow.
QVBoxLayout* AddWizardPageText(QWidget& page, const char* text);

}  // namespace kz::qtui
