#include "support/scripted_ui.h"

#include "ui/console_message.h"

namespace kz::test {
namespace {

// The first of `queue`, taken out; `otherwise` when it is empty.
template <typename T>
T TakeFirst(std::deque<T>& queue, T otherwise) {
  if (queue.empty()) return otherwise;
  T first = std::move(queue.front());
  queue.pop_front();
  return first;
}

}  // namespace

ui::Answer ScriptedUi::MessageBox(std::string_view text, std::string_view caption,
                                  ui::Buttons buttons, ui::Icon icon) {
  boxes.push_back({std::string(text), std::string(caption), buttons, icon});
  return TakeFirst(answers, ui::DefaultAnswer(buttons));
}

ui::DialogResult ScriptedUi::RunModal(ui::Window& presenter) {
  modal_runs.push_back(&presenter);
  return on_modal ? on_modal(presenter) : ui::DialogResult::Cancel;
}

void ScriptedUi::PumpEvents(std::chrono::milliseconds duration) {
  pumps.push_back(duration);
  if (auto action = TakeFirst(during_pump, {})) action();
}

std::optional<std::string> ScriptedUi::ChooseOpenFile(const ui::FileDialog& dialog) {
  file_dialogs.push_back(dialog);
  return TakeFirst(chosen_files, {});
}

std::optional<std::string> ScriptedUi::ChooseFolder(std::string_view title,
                                                    std::string_view initial_path) {
  folder_dialogs.emplace_back(title, initial_path);
  return TakeFirst(chosen_folders, {});
}

std::vector<std::string> ScriptedUi::Texts() const {
  std::vector<std::string> out;
  for (const auto& b : boxes) out.push_back(b.text);
  return out;
}

}  // namespace kz::test
