#include "support/scripted_ui.h"

#include "ui/console_message.h"

namespace kz::test {

ui::Answer ScriptedUi::MessageBox(std::string_view text, std::string_view caption,
                                  ui::Buttons buttons, ui::Icon icon) {
  boxes.push_back({std::string(text), std::string(caption), buttons, icon});
  if (!answers.empty()) {
    ui::Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  return ui::DefaultAnswer(buttons);
}

ui::DialogResult ScriptedUi::RunModal(ui::Window& presenter) {
  modal_runs.push_back(&presenter);
  return on_modal ? on_modal(presenter) : ui::DialogResult::Cancel;
}

void ScriptedUi::PumpEvents(std::chrono::milliseconds duration) {
  pumps.push_back(duration);
  if (!during_pump.empty()) {
    auto action = std::move(during_pump.front());
    during_pump.pop_front();
    action();
  }
}

std::optional<std::string> ScriptedUi::ChooseOpenFile(const ui::FileDialog& dialog) {
  file_dialogs.push_back(dialog);
  if (chosen_files.empty()) return std::nullopt;
  auto f = chosen_files.front();
  chosen_files.pop_front();
  return f;
}

std::optional<std::string> ScriptedUi::ChooseFolder(std::string_view title,
                                                    std::string_view initial_path) {
  folder_dialogs.emplace_back(title, initial_path);
  if (chosen_folders.empty()) return std::nullopt;
  auto f = chosen_folders.front();
  chosen_folders.pop_front();
  return f;
}

std::vector<std::string> ScriptedUi::Texts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.text);
  return out;
}

}  // namespace kz::test
