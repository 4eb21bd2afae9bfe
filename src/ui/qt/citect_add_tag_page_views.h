// The views of the add trend tags wizard's four pages: each page's text over a separator, then
// its controls (page 1 the project list and where it was found, pages 2 and 4 the trend tag grid,
// page 3 the binding mode and the station project file folder). Each view's widget is owned by
// `parent`; its page presenter is borrowed and outlives it.
#pragma once

#include <QWidget>
#include <functional>

#include "citect/citect_add_tag_grid_page.h"
#include "citect/citect_add_tag_page1.h"
#include "citect/citect_add_tag_page3.h"
#include "ui/qt/page_view.h"

class QFormLayout;
class QVBoxLayout;

namespace kz::qtui {

class QtUiService;

PageView* MakeCitectAddTagPage1View(citect::CCitectAddTagPage1& page, QtUiService& ui,
                                    QWidget* parent);
PageView* MakeCitectAddTagPage3View(citect::CCitectAddTagPage3& page, QtUiService& ui,
                                    QWidget* parent);
// Pages 2 and 4: the page's grid, made once its presenter exists.
PageView* MakeCitectAddTagGridPageView(citect::CCitectAddTagGridPage& page, QtUiService& ui,
                                       QWidget* parent);

// The frame every page's view shares: the page's text and a separator in a column that the page's
// own controls continue.
class WizardPageView : public PageView {
 protected:
  WizardPageView(const citect::CCitectWizardPage& page, QWidget* parent);

  // The column below the text.
  QVBoxLayout* column() const { return column_; }
  // A form in the column with the room left below it; the page adds its rows to it.
  QFormLayout* AddForm();
  // A control's event: the page's handler runs between Collect and Refresh.
  void Forward(const std::function<void()>& handler);

 private:
  QVBoxLayout* column_;
};

}  // namespace kz::qtui
