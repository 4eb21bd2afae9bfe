// How a message box reads where no window can be shown: one line on stderr, answered with the
// box's default button. Shared by every UiService that may run without a display.
#pragma once

#include <string>
#include <string_view>

#include "ui/ui_service.h"

namespace kz::ui {

// "kzdlogsrv: <caption>: <text>\n" with each run of line breaks folded into one blank; an empty
// caption reads "message".
std::string ConsoleMessageLine(std::string_view text, std::string_view caption);

// The first button: Ok, Yes, Retry or Abort.
Answer DefaultAnswer(Buttons buttons);

}  // namespace kz::ui
