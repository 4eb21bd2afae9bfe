#include "ui/qt/warning_list_view.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "citect/warning_list_dlg.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {

using citect::CWarningListDlg;

WarningListView::WarningListView(CWarningListDlg& presenter, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromLatin1(CWarningListDlg::kCaption));
  setSizeGripEnabled(true);
  presenter.OnInitDialog();

  auto* heading = new QLabel(QStringLiteral("The &following warnings have been found:"), this);
  text_ = new QPlainTextEdit(this);
  text_->setReadOnly(true);
  // Long paths stay on one line each; the text scrolls sideways instead.
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The presenter's lines end in CR LF; the text gets bare line feeds, whatever the widget
  // would make of the carriage returns.
  text_->setPlainText(ToQString(presenter.m_strText).replace(QStringLiteral("\r\n"), "\n"));
  heading->setBuddy(text_);

  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(text_, 1);
  layout->addWidget(box);

  const QFontMetrics metrics = fontMetrics();
  resize(metrics.averageCharWidth() * 90, metrics.height() * 24);
  text_->setFocus();
}

ui::DialogResult RunWarningListView(CWarningListDlg& presenter, QtUiService& ui) {
  WarningListView view(presenter, ui.BusyWindow());
  view.exec();
  return ui::DialogResult::Ok;
}

}  // namespace kz::qtui
