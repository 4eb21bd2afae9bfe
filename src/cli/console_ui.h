// ConsoleUi: the UiService of the host when it runs without windows. A message box becomes one
// line on stderr ("kzdlogsrv: <caption>: <text>", the text's line breaks folded into blanks)
// and is answered with its default (first) button; windows cannot be shown, choosers cancel.
#pragma once

#include <ostream>

#include "ui/ui_service.h"

namespace kz::cli {

class ConsoleUi : public ui::UiService {
 public:
  explicit ConsoleUi(std::ostream& err) : err_(err) {}

  bool CanShowWindows() const override { return false; }
  ui::Answer MessageBox(std::string_view text, std::string_view caption, ui::Buttons buttons,
                        ui::Icon icon) override;
  ui::DialogResult RunModal(ui::Window&) override { return ui::DialogResult::Cancel; }
  void ShowModeless(ui::Window&) override {}
  void Refresh(ui::Window&) override {}
  void CloseModeless(ui::Window&) override {}
  void PumpEvents(std::chrono::milliseconds duration) override;
  void ShowHelp(const std::string&, std::uint32_t) override {}
  std::optional<std::string> ChooseOpenFile(const ui::FileDialog&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }

 private:
  std::ostream& err_;
};

}  // namespace kz::cli
