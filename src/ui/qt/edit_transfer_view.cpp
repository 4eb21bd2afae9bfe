#include "ui/qt/edit_transfer_view.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
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
    : QDialog(parent), presenter_(presenter) {
  setWindowTitle(QStringLiteral("Edit Transfer"));
  auto* form = new QFormLayout;
  station_ = new QLineEdit(this);
  form->addRow(QStringLiteral("&Station number:"), station_);
  datalog_ = new QLineEdit(this);
  form->addRow(QStringLiteral("&Datalog file:"), datalog_);
  id_ = new QLineEdit(this);
  form->addRow(QStringLiteral("Transfer &ID:"), id_);

  summary_ = new QLabel(this);
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  edit_storage_ = new QPushButton(QStringLiteral("&Edit..."), this);
  auto* storage = new QHBoxLayout;
  storage->addWidget(summary_, 1);
  storage->addWidget(edit_storage_, 0, Qt::AlignTop);
  storage_label_ = new QLabel(QStringLiteral("Store records in file:"), this);
  summary_->setAccessibleName(storage_label_->text());
  edit_storage_->setAccessibleName(QStringLiteral("Edit record storage"));
  form->addRow(storage_label_, storage);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addStretch(1);
  layout->addWidget(MakeDialogButtons(
      *this,
      [this] {
        Collect();
        const bool ok = presenter_.OnOK();
        Refresh();
        return ok;
      },
      [this] { presenter_.OnHelp(); }));

  connect(edit_storage_, &QPushButton::clicked, this, [this] {
    Collect();
    presenter_.OnEditStorage();
    Refresh();
  });

  presenter_.OnInitDialog();
  Refresh();
  station_->setFocus();
}

void EditTransferView::Refresh() {
  station_->setText(ToQString(presenter_.m_strStationNumber));
  datalog_->setText(ToQString(presenter_.m_strDatalogFile));
  id_->setText(ToQString(presenter_.m_strTransferId));
  summary_->setText(ToQString(presenter_.m_strStorageSummary));
  for (QWidget* w : {static_cast<QWidget*>(storage_label_), static_cast<QWidget*>(summary_),
                     static_cast<QWidget*>(edit_storage_)}) {
    w->setVisible(presenter_.m_bShowStorage);
  }
  ApplyFocus(presenter_, {{CEditTransferDlg::kStationNumber, station_},
                          {CEditTransferDlg::kDatalogFile, datalog_},
                          {CEditTransferDlg::kTransferId, id_},
                          {CEditTransferDlg::kEditStorage, edit_storage_}});
}

void EditTransferView::Collect() {
  presenter_.m_strStationNumber = FromQString(station_->text(), presenter_.m_strStationNumber);
  presenter_.m_strDatalogFile = FromQString(datalog_->text(), presenter_.m_strDatalogFile);
  presenter_.m_strTransferId = FromQString(id_->text(), presenter_.m_strTransferId);
}

ui::DialogResult RunEditTransferView(CEditTransferDlg& presenter, QtUiService& /*ui*/) {
  EditTransferView view(presenter, QApplication::activeWindow());
  return view.exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

}  // namespace kz::qtui
