// PageView: the widget of one page of a property sheet. The sheet's view creates one per page
// through the ViewRegistry (AddPage), lays it into its tab and owns it as a Qt child; the page's
// presenter is borrowed and outlives it.
//
// Refresh copies the presenter's state into the widgets (after every handler the view forwarded);
// Collect copies the widgets back into the presenter (before a handler, and before the page is
// left or the sheet's OK runs).
#pragma once

#include <QWidget>

namespace kz::qtui {

class PageView : public QWidget {
 public:
  using QWidget::QWidget;
  virtual void Refresh() = 0;
  virtual void Collect() = 0;
};

}  // namespace kz::qtui
