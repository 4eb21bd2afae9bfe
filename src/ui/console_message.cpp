#include "ui/console_message.h"

namespace kz::ui {

std::string ConsoleMessageLine(std::string_view text, std::string_view caption) {
  // One line per message, so scripts can read stderr line by line.
  std::string line = "kzdlogsrv: ";
  line += caption.empty() ? std::string_view("message") : caption;
  line += ": ";
  const std::size_t start = line.size();
  bool pending_blank = false;
  for (char c : text) {
    if (c == '\n' || c == '\r') {
      pending_blank = line.size() > start;
      continue;
    }
    if (pending_blank) line += ' ';
    pending_blank = false;
    line += c;
  }
  line += '\n';
  return line;
}

Answer DefaultAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
      return Answer::Yes;
    case Buttons::RetryCancel:
      return Answer::Retry;
    case Buttons::AbortRetryIgnore:
      return Answer::Abort;
    case Buttons::Ok:
    case Buttons::OkCancel:
      break;
  }
  return Answer::Ok;
}

}  // namespace kz::ui
