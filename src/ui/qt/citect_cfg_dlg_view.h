// The view of "Citect Trend Configuration" (citect::CCitectCfgDlg): the explanation, the trend
// tag grid (CitectTagGridView over the presenter's grid), "Add New...", "Verify Tags", "Remove"
// and OK, Cancel, Help. Resizable; the grid takes the room. Borrows its presenter.
#pragma once

#include "ui/qt/editor_view_support.h"
#include "ui/ui_service.h"

class QPushButton;

namespace kz::citect {
class CCitectCfgDlg;
}

namespace kz::qtui {

class CitectTagGridView;
class QtUiService;

class CitectCfgDlgView : public EditorDialogView {
 public:
  // Runs the presenter's OnInitDialog (which loads the list) and shows it.
  CitectCfgDlgView(citect::CCitectCfgDlg& presenter, QtUiService& ui, QWidget* parent);

  void Refresh() override;
  // The grid keeps the selection in its presenter as it changes: nothing to copy.
  void Collect() override {}

  CitectTagGridView* grid() const { return grid_; }
  QPushButton* add_new() const { return add_new_; }
  QPushButton* remove() const { return remove_; }
  QPushButton* verify() const { return verify_; }

 private:
  citect::CCitectCfgDlg& presenter_;
  CitectTagGridView* grid_ = nullptr;
  QPushButton* add_new_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* verify_ = nullptr;
};

ui::DialogResult RunCitectCfgDlgView(citect::CCitectCfgDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
