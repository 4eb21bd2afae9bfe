// The wizard's grid pages: the trend tags to choose from (page 2) and to add (page 4).
#include <QVBoxLayout>
#include <functional>

#include "ui/qt/citect_add_tag_page_views.h"
#include "ui/qt/citect_tag_grid_view.h"

namespace kz::qtui {
namespace {

// A page's text over its grid. The grid presenter comes into being when the page is first shown,
// so its view is made on the first Refresh that finds it.
class GridPageView : public PageView {
 public:
  using GridOf = std::function<citect::CCitectTagGrid*()>;

  GridPageView(const char* text, GridOf grid, QtUiService& ui, QWidget* parent)
      : PageView(parent), grid_of_(std::move(grid)), ui_(ui) {
    layout_ = AddWizardPageText(*this, text);
  }

  void Refresh() override {
    if (!view_) {
      citect::CCitectTagGrid* grid = grid_of_();
      if (!grid) return;
      view_ = new CitectTagGridView(*grid, ui_, this);
      // Several lines in sight from the start, however the window was sized.
      view_->setMinimumHeight(view_->fontMetrics().height() * 10);
      layout_->addWidget(view_, 1);
      setFocusProxy(view_);
    }
    view_->Refresh();
  }

  // The grid view keeps the selection and the edits in the presenter as they happen.
  void Collect() override {}

 private:
  GridOf grid_of_;
  QtUiService& ui_;
  QVBoxLayout* layout_;
  CitectTagGridView* view_ = nullptr;
};

}  // namespace

PageView* MakeCitectAddTagPage2View(citect::CCitectAddTagPage2& page, QtUiService& ui,
                                    QWidget* parent) {
  return new GridPageView(citect::CCitectAddTagPage2::kIntroText, [&page] { return page.grid(); },
                          ui, parent);
}

PageView* MakeCitectAddTagPage4View(citect::CCitectAddTagPage4& page, QtUiService& ui,
                                    QWidget* parent) {
  return new GridPageView(citect::CCitectAddTagPage4::kIntroText, [&page] { return page.grid(); },
                          ui, parent);
}

}  // namespace kz::qtui
