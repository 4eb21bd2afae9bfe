#include "ui/qt/port_dialog_view.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

namespace kz::qtui {

PortDialogView::PortDialogView(editor::CPortDialog& presenter, const QString& title)
    : QDialog(QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                : QApplication::activeWindow()),
      presenter_(presenter),
      form_(new QFormLayout) {
  setWindowTitle(title);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                       QDialogButtonBox::Help);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { presenter_.OnHelp(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a form: it does not stretch
}

ui::DialogResult PortDialogView::Run() {
  return exec() == QDialog::Accepted ? ui::DialogResult::Ok : ui::DialogResult::Cancel;
}

void PortDialogView::Show() {
  Refresh();
  if (QWidget* focus = Control(presenter_.focus())) focus->setFocus();
  presenter_.ClearFocus();
}

void PortDialogView::accept() {
  Collect();
  if (OnOK()) {
    QDialog::accept();
  } else {
    Show();
  }
}

}  // namespace kz::qtui
