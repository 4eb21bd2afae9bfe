// CCancelDlg: the presenter of the small modeless progress window that long operations show
// while they run on the host's thread: two lines of text, a progress bar that its users hide, and
// a Cancel button. The operation drives it: it sets the lines between its phases and, where it
// allows cancelling, polls CheckCancel, which is also when the window repaints and its button
// reacts.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "ui/ui_service.h"

namespace kz::projfiles {

class CCancelDlg : public ui::Window {
 public:
  static constexpr int kTemplateId = 216;
  static constexpr std::chrono::milliseconds kCheckDuration{5};

  // `ui` shows the window; it must outlive the dialog.
  explicit CCancelDlg(ui::UiService& ui) : ui_(ui) {}
  // Closes the window if it is shown.
  ~CCancelDlg() override;
  CCancelDlg(const CCancelDlg&) = delete;
  CCancelDlg& operator=(const CCancelDlg&) = delete;

  // Shows the window (modeless); Hide takes it away, e.g. while the operation shows a message.
  void Show();
  void Hide();

  // Store one line and refresh the window; the other line stays.
  void SetLine1(std::string_view text);
  void SetLine2(std::string_view text);
  void ShowProgress(bool visible);

  // Lets the window handle its events for 5 ms, then tells whether Cancel was pressed.
  bool CheckCancel();

  // The Cancel button. The flag is never cleared.
  void OnCancel() { m_bCancelled = true; }

  bool m_bCancelled = false;
  bool m_bProgressVisible = true;
  std::string m_strLine1;
  std::string m_strLine2;

 private:
  ui::UiService& ui_;
  bool shown_ = false;
};

}  // namespace kz::projfiles
