#include "ui/qt/cancel_dlg_view.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "projfiles/cancel_dlg.h"
#include "ui/qt/qt_ui_service.h"
#include "ui/qt/text.h"

namespace kz::qtui {

CancelDlgView::CancelDlgView(projfiles::CCancelDlg& presenter, QWidget* owner)
    : presenter_(presenter), window_(new QDialog(owner)) {
  window_->setModal(false);
  window_->setAccessibleName(QStringLiteral("Progress"));
  line1_ = new QLabel(window_);
  line2_ = new QLabel(window_);
  // The phase lines name long paths: they may wrap rather than widen the window without end.
  line2_->setWordWrap(true);
  progress_ = new QProgressBar(window_);
  progress_->setAccessibleName(QStringLiteral("Progress"));
  progress_->setTextVisible(false);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), window_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(window_);
  layout->addWidget(line1_);
  layout->addWidget(line2_);
  layout->addWidget(progress_);
  layout->addLayout(buttons);

  // Escape and the close button reject the window, as Cancel does.
  QObject::connect(cancel_, &QPushButton::clicked, window_, &QDialog::reject);
  QObject::connect(window_, &QDialog::rejected, window_, [this] { presenter_.OnCancel(); });

  window_->setMinimumWidth(window_->fontMetrics().averageCharWidth() * 60);
  Refresh();
  window_->show();
}

CancelDlgView::~CancelDlgView() {
  // The owner may have taken the window with it already.
  delete window_.data();
}

void CancelDlgView::Refresh() {
  if (!window_) return;
  line1_->setText(ToQString(presenter_.m_strLine1));
  line2_->setText(ToQString(presenter_.m_strLine2));
  progress_->setVisible(presenter_.m_bProgressVisible);
  if (window_->isVisible()) window_->repaint();
}

std::unique_ptr<ModelessView> MakeCancelDlgView(projfiles::CCancelDlg& presenter, QtUiService& ui) {
  return std::make_unique<CancelDlgView>(presenter, ui.BusyWindow());
}

}  // namespace kz::qtui
