// The view of "Record Storage Options" (editor::CRecStorageDlg): storage method, file location
// with "Browse...", the new-file method and when new files start. Borrows its presenter.
#pragma once

#include "ui/qt/editor_view_support.h"
#include "ui/ui_service.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QTimeEdit;

namespace kz::editor {
class CRecStorageDlg;
}

namespace kz::qtui {

class QtUiService;

class RecStorageView : public EditorDialogView {
 public:
  // Runs the presenter's OnInitDialog and shows its state.
  RecStorageView(editor::CRecStorageDlg& presenter, QWidget* parent);

  void Refresh() override;
  void Collect() override;

  QLineEdit* path() const { return path_; }
  QComboBox* mode() const { return mode_; }
  QComboBox* weekday() const { return weekday_; }
  QTimeEdit* time() const { return time_; }

 private:
  editor::CRecStorageDlg& presenter_;
  QFormLayout* form_ = nullptr;
  QLabel* starting_label_ = nullptr;
  QLineEdit* path_ = nullptr;
  QComboBox* mode_ = nullptr;
  QComboBox* weekday_ = nullptr;
  QTimeEdit* time_ = nullptr;
};

ui::DialogResult RunRecStorageView(editor::CRecStorageDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
