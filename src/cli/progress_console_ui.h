// ProgressConsoleUi: the console UI of a long headless operation that reports through a progress
// window (projfiles/cancel_dlg.h). Each new text of the window becomes a line on stderr
// ("kzdlogsrv: <text>"), and its cancel checks return at once: the wait of a check exists for a
// window to repaint and its Cancel button to react, and a console has neither (an interrupt
// ends the process instead). Messages are ConsoleUi's.
#pragma once

#include <ostream>
#include <string>

#include "cli/console_ui.h"

namespace kz::cli {

class ProgressConsoleUi : public ConsoleUi {
 public:
  explicit ProgressConsoleUi(std::ostream& err) : ConsoleUi(err), err_(err) {}

  void Refresh(ui::Window& presenter) override;
  void PumpEvents(std::chrono::milliseconds) override {}

 private:
  std::ostream& err_;
  std::string line1_, line2_;  // as last printed
};

}  // namespace kz::cli
