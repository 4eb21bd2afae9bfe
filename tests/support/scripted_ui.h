// ScriptedUi: the UiService of tests. Records every message box, modal run, pump and help
// request, and answers from scripts instead of a person.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/ui_service.h"

namespace kz::test {

class ScriptedUi : public ui::UiService {
 public:
  struct Box {
    std::string text;
    std::string caption;
    ui::Buttons buttons = ui::Buttons::Ok;
    ui::Icon icon = ui::Icon::None;
    bool operator==(const Box&) const = default;
    // For GoogleTest's failure messages.
    friend void PrintTo(const Box& b, std::ostream* os) {
      *os << '[' << b.caption << "] " << b.text << " (buttons " << static_cast<int>(b.buttons)
          << ", icon " << static_cast<int>(b.icon) << ')';
    }
  };

  // Answers for the next message boxes, in order; when empty, a box is answered with its first
  // button (Ok, Yes, Retry or Abort).
  std::deque<ui::Answer> answers;
  // Handler for RunModal; when unset, a modal run ends with Cancel.
  std::function<ui::DialogResult(ui::Window&)> on_modal;
  // Actions run during the next PumpEvents calls, one per call (a button pressed meanwhile).
  std::deque<std::function<void()>> during_pump;
  std::deque<std::optional<std::string>> chosen_files;
  std::deque<std::optional<std::string>> chosen_folders;
  bool can_show_windows = true;

  std::vector<Box> boxes;
  std::vector<ui::Window*> modal_runs;
  std::vector<std::chrono::milliseconds> pumps;
  std::vector<std::pair<std::string, std::uint32_t>> help_requests;
  std::vector<ui::FileDialog> file_dialogs;  // every file dialog shown, as asked for
  std::vector<std::pair<std::string, std::string>> folder_dialogs;  // title, initial path
  int call_depth = 0;                                               // open BeginCall/EndCall pairs
  int calls = 0;                                                    // outermost BeginCall calls
  int modeless_shown = 0;
  int modeless_refreshed = 0;
  int modeless_closed = 0;

  bool CanShowWindows() const override { return can_show_windows; }
  void BeginCall() override { calls += call_depth++ == 0; }
  void EndCall() override { --call_depth; }
  ui::Answer MessageBox(std::string_view text, std::string_view caption, ui::Buttons buttons,
                        ui::Icon icon) override;
  ui::DialogResult RunModal(ui::Window& presenter) override;
  void ShowModeless(ui::Window&) override { ++modeless_shown; }
  void Refresh(ui::Window&) override { ++modeless_refreshed; }
  void CloseModeless(ui::Window&) override { ++modeless_closed; }
  void PumpEvents(std::chrono::milliseconds duration) override;
  void ShowHelp(const std::string& file, std::uint32_t context_id) override {
    help_requests.emplace_back(file, context_id);
  }
  std::optional<std::string> ChooseOpenFile(const ui::FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override;

  // The texts of the boxes shown so far, for compact assertions.
  std::vector<std::string> Texts() const;
};

}  // namespace kz::test
