// The view of "Add From File" (editor::CAddFromFileDlg): the project file with "...", the three
// linked lists (station, datalog configuration, client transfer), what the new transfer gets, and
// (standard edition) the record storage summary with "Edit...". Borrows its presenter.
#pragma once

#include "ui/qt/editor_view_support.h"
#include "ui/ui_service.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kz::editor {
class CAddFromFileDlg;
}

namespace kz::qtui {

class QtUiService;

class AddFromFileView : public EditorDialogView {
 public:
  // Runs the presenter's OnInitDialog (which reads the project file) and shows its state.
  AddFromFileView(editor::CAddFromFileDlg& presenter, QWidget* parent);

  void Refresh() override;
  void Collect() override;

  QComboBox* stations() const { return stations_; }
  QComboBox* datalogs() const { return datalogs_; }
  QComboBox* transfers() const { return transfers_; }
  QLabel* station_number() const { return station_number_; }
  QLabel* datalog_file() const { return datalog_file_; }
  QLabel* datalog_id() const { return datalog_id_; }

 private:
  editor::CAddFromFileDlg& presenter_;
  QLineEdit* project_ = nullptr;
  QPushButton* choose_project_ = nullptr;
  QComboBox* stations_ = nullptr;
  QComboBox* datalogs_ = nullptr;
  QComboBox* transfers_ = nullptr;
  QLabel* station_number_ = nullptr;
  QLabel* datalog_file_ = nullptr;
  QLabel* datalog_id_ = nullptr;
  StorageRow storage_;
};

ui::DialogResult RunAddFromFileView(editor::CAddFromFileDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
