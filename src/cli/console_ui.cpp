#include "cli/console_ui.h"

#include <thread>

namespace kz::cli {

ui::Answer ConsoleUi::MessageBox(std::string_view text, std::string_view caption,
                                 ui::Buttons buttons, ui::Icon /*icon*/) {
  // One line per message, so scripts can read stderr line by line.
  std::string line;
  bool pending_blank = false;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      pending_blank = !line.empty();
      continue;
    }
    if (pending_blank) line += ' ';
    pending_blank = false;
    line += c;
  }
  err_ << "kzdlogsrv: " << (caption.empty() ? "message" : caption) << ": " << line << '\n';
  switch (buttons) {
    case ui::Buttons::YesNo:
    case ui::Buttons::YesNoCancel:
      return ui::Answer::Yes;
    case ui::Buttons::RetryCancel:
      return ui::Answer::Retry;
    case ui::Buttons::AbortRetryIgnore:
      return ui::Answer::Abort;
    default:
      return ui::Answer::Ok;
  }
}

void ConsoleUi::PumpEvents(std::chrono::milliseconds duration) {
  // No events without windows: the wait still lasts as long as a caller expects.
  std::this_thread::sleep_for(duration);
}

}  // namespace kz::cli
