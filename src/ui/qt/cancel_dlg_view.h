// The view of the progress window (projfiles::CCancelDlg): modeless, owned by the busy window; two
// lines of text, a progress bar that the presenter may hide, and Cancel. Closing it (Cancel,
// Escape, the window's close button) tells the presenter, which its operation sees at its next
// check. Borrows its presenter; owns its window.
#pragma once

#include <QPointer>
#include <memory>

#include "ui/qt/view_registry.h"

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;

namespace kz::projfiles {
class CCancelDlg;
}

namespace kz::qtui {

class QtUiService;

class CancelDlgView : public ModelessView {
 public:
  CancelDlgView(projfiles::CCancelDlg& presenter, QWidget* owner);
  ~CancelDlgView() override;

  // Shows the presenter's lines and the bar's visibility, painted at once: an operation that
  // never lets events through still shows its current phase.
  void Refresh() override;

  QDialog* window() const { return window_; }
  QLabel* line1() const { return line1_; }
  QLabel* line2() const { return line2_; }
  QProgressBar* progress() const { return progress_; }
  QPushButton* cancel() const { return cancel_; }

 private:
  projfiles::CCancelDlg& presenter_;
  QPointer<QDialog> window_;
  QLabel* line1_ = nullptr;
  QLabel* line2_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

std::unique_ptr<ModelessView> MakeCancelDlgView(projfiles::CCancelDlg& presenter, QtUiService& ui);

}  // namespace kz::qtui
