// RecordingUi: the UiService under which the editor's presenters run without a person: message
// boxes are recorded instead of shown (questions are answered Yes, and recorded too), modal runs
// go to a handler that plays the user's part, and nothing can be chosen or shown.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/ui_service.h"

namespace kz::editor {

class RecordingUi : public ui::UiService {
 public:
  struct Box {
    std::string text;
    std::string caption;
    ui::Buttons buttons;
  };

  // Plays the user in a nested modal dialog; without one, the dialog is cancelled.
  std::function<ui::DialogResult(ui::Window&)> on_modal;
  std::vector<Box> boxes;

  bool CanShowWindows() const override { return false; }
  ui::Answer MessageBox(std::string_view text, std::string_view caption, ui::Buttons buttons,
                        ui::Icon) override {
    boxes.push_back({std::string(text), std::string(caption), buttons});
    return buttons == ui::Buttons::YesNo || buttons == ui::Buttons::YesNoCancel ? ui::Answer::Yes
                                                                                : ui::Answer::Ok;
  }
  ui::DialogResult RunModal(ui::Window& presenter) override {
    return on_modal ? on_modal(presenter) : ui::DialogResult::Cancel;
  }
  void ShowModeless(ui::Window&) override {}
  void Refresh(ui::Window&) override {}
  void CloseModeless(ui::Window&) override {}
  void PumpEvents(std::chrono::milliseconds) override {}
  void ShowHelp(const std::string&, std::uint32_t) override {}
  std::optional<std::string> ChooseOpenFile(const ui::FileDialog&) override {
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override {
    return std::nullopt;
  }
};

}  // namespace kz::editor
