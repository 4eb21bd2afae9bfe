// The view of "Warnings" (citect::CWarningListDlg): the heading, the warnings in a read-only text
// that scrolls both ways, and "Close". Borrows its presenter.
#pragma once

#include <QDialog>

#include "ui/ui_service.h"

class QPlainTextEdit;

namespace kz::citect {
class CWarningListDlg;
}

namespace kz::qtui {

class QtUiService;

class WarningListView : public QDialog {
 public:
  // Runs the presenter's OnInitDialog (which builds the text) and shows the text.
  WarningListView(citect::CWarningListDlg& presenter, QWidget* parent);

  QPlainTextEdit* text() const { return text_; }

 private:
  QPlainTextEdit* text_ = nullptr;
};

ui::DialogResult RunWarningListView(citect::CWarningListDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
