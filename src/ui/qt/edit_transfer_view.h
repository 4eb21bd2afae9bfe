// The view of "Edit Transfer" (editor::CEditTransferDlg): station number, datalog file, transfer
// ID and (standard edition) the record storage summary with "Edit...". Borrows its presenter.
#pragma once

#include "ui/qt/editor_view_support.h"
#include "ui/ui_service.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kz::editor {
class CEditTransferDlg;
}

namespace kz::qtui {

class QtUiService;

class EditTransferView : public EditorDialogView {
 public:
  // Runs the presenter's OnInitDialog and shows its state.
  EditTransferView(editor::CEditTransferDlg& presenter, QWidget* parent);

  void Refresh() override;
  void Collect() override;

  QLineEdit* station() const { return station_; }
  QLineEdit* datalog() const { return datalog_; }
  QLineEdit* transfer_id() const { return id_; }
  QLabel* summary() const { return storage_.summary; }
  QPushButton* edit_storage() const { return storage_.edit; }

 private:
  editor::CEditTransferDlg& presenter_;
  QLineEdit* station_ = nullptr;
  QLineEdit* datalog_ = nullptr;
  QLineEdit* id_ = nullptr;
  StorageRow storage_;
};

ui::DialogResult RunEditTransferView(editor::CEditTransferDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
