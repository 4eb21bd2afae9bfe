// SilentUi: the UI service of the benchmarks: shows no window and answers every question with
// Cancel or nothing, so that only the work measured runs.
#pragma once

#include "ui/ui_service.h"

namespace kz::bench {

class SilentUi : public ui::UiService {
 public:
  bool CanShowWindows() const override { return false; }
  ui::Answer MessageBox(std::string_view, std::string_view, ui::Buttons, ui::Icon) override {
    return ui::Answer::Cancel;
  }
  ui::DialogResult RunModal(ui::Window&) override { return ui::DialogResult::Cancel; }
  void ShowModeless(ui::Window&) override {}
  void Refresh(ui::Window&) override {}
  void CloseModeless(ui::Window&) override {}
  void PumpEvents(std::chrono::milliseconds) override {}
  void ShowHelp(const std::string&, std::uint32_t) override {}
  std::optional<std::string> ChooseOpenFile(const ui::FileDialog&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override {
    return {};
  }
};

}  // namespace kz::bench
