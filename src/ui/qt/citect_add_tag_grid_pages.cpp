// The wizard's grid pages: the trend tags to choose from (page 2) and to add (page 4).
#include <QVBoxLayout>

#include "ui/qt/citect_add_tag_page_views.h"
#include "ui/qt/citect_tag_grid_view.h"

namespace kz::qtui {
namespace {

// A page's text over its grid. The grid presenter comes into being when the page is first shown,
// so its view is made on the first Refresh that finds it.
class GridPageView : public WizardPageView {
 public:
  GridPageView(citect::CCitectAddTagGridPage& page, QtUiService& ui, QWidget* parent)
      : WizardPageView(page, parent), page_(page), ui_(ui) {}

  void Refresh() override {
    if (!view_) {
      citect::CCitectTagGrid* grid = page_.grid();
      if (!grid) return;
      view_ = new CitectTagGridView(*grid, ui_, this);
      // Several lines in sight from the start, however the window was sized.
      view_->setMinimumHeight(view_->fontMetrics().height() * 10);
      column()->addWidget(view_, 1);
      setFocusProxy(view_);
    }
    view_->Refresh();
  }

  // The grid view keeps the selection and the edits in the presenter as they happen.
  void Collect() override {}

 private:
  citect::CCitectAddTagGridPage& page_;
  QtUiService& ui_;
  CitectTagGridView* view_ = nullptr;
};

}  // namespace

PageView* MakeCitectAddTagGridPageView(citect::CCitectAddTagGridPage& page, QtUiService& ui,
                                       QWidget* parent) {
  return new GridPageView(page, ui, parent);
}

}  // namespace kz::qtui
