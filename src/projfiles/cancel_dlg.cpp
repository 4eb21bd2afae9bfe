#include "projfiles/cancel_dlg.h"

namespace kz::projfiles {

CCancelDlg::~CCancelDlg() {
  Hide();
}

void CCancelDlg::Show() {
  if (shown_) return;
  ui_.ShowModeless(*this);
  shown_ = true;
}

void CCancelDlg::Hide() {
  if (!shown_) return;
  ui_.CloseModeless(*this);
  shown_ = false;
}

void CCancelDlg::SetLine1(std::string_view text) {
  m_strLine1 = text;
  ui_.Refresh(*this);
}

void CCancelDlg::SetLine2(std::string_view text) {
  m_strLine2 = text;
  ui_.Refresh(*this);
}

void CCancelDlg::ShowProgress(bool visible) {
  m_bProgressVisible = visible;
  ui_.Refresh(*this);
}

bool CCancelDlg::CheckCancel() {
  // The pump blocks on the event loop for the whole period, so a check costs 5 ms even with
  // nothing to do and never spins.
  ui_.PumpEvents(kCheckDuration);
  return m_bCancelled;
}

}  // namespace kz::projfiles
