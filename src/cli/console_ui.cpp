#include "cli/console_ui.h"

#include <thread>

#include "ui/console_message.h"

namespace kz::cli {

ui::Answer ConsoleUi::MessageBox(std::string_view text, std::string_view caption,
                                 ui::Buttons buttons, ui::Icon /*icon*/) {
  err_ << ui::ConsoleMessageLine(text, caption);
  return ui::DefaultAnswer(buttons);
}

void ConsoleUi::PumpEvents(std::chrono::milliseconds duration) {
  // No events without windows: the wait still lasts as long as a caller expects.
  std::this_thread::sleep_for(duration);
}

}  // namespace kz::cli
