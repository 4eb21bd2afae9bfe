// The view of the Client Transfers page (editor::CCfgPage4): the transfer list, "Edit..." and
// "Remove" beside it, the two Add buttons with their notes, and the notice of the automatic
// connection mode. The list is a table view over the presenter's rows, so filling it costs one
// model reset whatever the number of transfers. Borrows its presenter.
#pragma once

#include "ui/qt/page_view.h"

class QLabel;
class QPushButton;
class QTableView;

namespace kz::editor {
class CCfgPage4;
}

namespace kz::qtui {

class QtUiService;
class TransferTableModel;

class CfgPage4View : public PageView {
 public:
  CfgPage4View(editor::CCfgPage4& presenter, QWidget* parent);

  void Refresh() override;
  void Collect() override;

  QTableView* list() const { return list_; }
  QPushButton* edit() const { return edit_; }
  QPushButton* remove() const { return remove_; }
  QPushButton* add_from_file() const { return add_from_file_; }
  QPushButton* add_custom() const { return add_custom_; }
  QLabel* notice() const { return notice_; }
  QWidget* controls() const { return controls_; }

 private:
  template <typename F>
  void Handle(F handler);
  void SizeColumns();

  editor::CCfgPage4& presenter_;
  TransferTableModel* model_ = nullptr;
  QWidget* controls_ = nullptr;
  QTableView* list_ = nullptr;
  QPushButton* edit_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* add_from_file_ = nullptr;
  QPushButton* add_custom_ = nullptr;
  QLabel* notice_ = nullptr;
  int sized_columns_ = -1;
};

PageView* MakeCfgPage4View(editor::CCfgPage4& presenter, QtUiService& ui, QWidget* parent);

}  // namespace kz::qtui
