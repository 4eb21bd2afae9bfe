#include "ui/qt/edit_transfer_view.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/edit_transfer_dlg.h"
#include "ui/qt/editor_view_support.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using editor::CEditTransferDlg;

EditTransferView::EditTransferView(CEditTransferDlg& presenter, QWidget* parent)
    : EditorDialogView(parent), presenter_(presenter) {
  setWindowTitle(QStringLiteral("Edit Transfer"));
  auto* form = new QFormLayout;
  station_ = new QLineEdit(this);
  form->addRow(QStringLiteral("&Station number:"), station_);
  datalog_ = new QLineEdit(this);
  form->addRow(QStringLiteral("&Datalog file:"), datalog_);
  id_ = new QLineEdit(this);
  form->addRow(QStringLiteral("Transfer &ID:"), id_);

  storage_ = AddStorageRow(*this, *form);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  AddButtons(
      *layout, [this] { return presenter_.OnOK(); }, [this] { presenter_.OnHelp(); });
  connect(storage_.edit, &QPushButton::clicked, this,
          [this] { Handle([this] { presenter_.OnEditStorage(); }); });

  presenter_.OnInitDialog();
  Refresh();
  station_->setFocus();
}

void EditTransferView::Refresh() {
  station_->setText(ToQString(presenter_.m_strStationNumber));
  datalog_->setText(ToQString(presenter_.m_strDatalogFile));
  id_->setText(ToQString(presenter_.m_strTransferId));
  storage_.summary->setText(ToQString(presenter_.m_strStorageSummary));
  storage_.SetVisible(presenter_.m_bShowStorage);
  ApplyFocus(presenter_, {{CEditTransferDlg::kStationNumber, station_},
                          {CEditTransferDlg::kDatalogFile, datalog_},
                          {CEditTransferDlg::kTransferId, id_},
                          {CEditTransferDlg::kEditStorage, storage_.edit}});
}

void EditTransferView::Collect() {
  presenter_.m_strStationNumber = FromQString(station_->text(), presenter_.m_strStationNumber);
  presenter_.m_strDatalogFile = FromQString(datalog_->text(), presenter_.m_strDatalogFile);
  presenter_.m_strTransferId = FromQString(id_->text(), presenter_.m_strTransferId);
}

ui::DialogResult RunEditTransferView(CEditTransferDlg& presenter, QtUiService& /*ui*/) {
  return RunDialogView<EditTransferView>(presenter);
}

}  // namespace kz::qtui
