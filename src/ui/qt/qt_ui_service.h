// QtUiService: the UiService of the module, with Qt 6 Widgets.
//
// It uses the host's QApplication when there is one and otherwise creates its own on the first
// window it must show, but only when a display can be had (CanShowWindows): creating one without
// a display would abort the process. Without a display, message boxes are written as one line on
// stderr and answered with their default button, modal windows end with Cancel, choosers answer
// nothing and PumpEvents just sleeps.
#pragma once

#include <QApplication>
#include <map>
#include <memory>

#include "ui/qt/view_registry.h"
#include "ui/ui_service.h"

namespace kz::qtui {

// Shown by RunModal for a presenter that has no view in this build.
inline constexpr std::string_view kWindowNotAvailable =
    "This window is not available in this build.";

// True when Qt can open windows here: a QApplication exists already, or QT_QPA_PLATFORM names a
// platform that needs no display (offscreen, minimal, ...), or an X11 or Wayland display is
// reachable for the chosen (or default) platform.
bool DisplayAvailable();

class QtUiService final : public ui::UiService {
 public:
  QtUiService();  // shows nothing and creates no QApplication yet
  ~QtUiService() override;
  QtUiService(const QtUiService&) = delete;
  QtUiService& operator=(const QtUiService&) = delete;

  bool CanShowWindows() const override;
  ui::Answer MessageBox(std::string_view text, std::string_view caption, ui::Buttons buttons,
                        ui::Icon icon) override;
  ui::DialogResult RunModal(ui::Window& presenter) override;
  void ShowModeless(ui::Window& presenter) override;
  void Refresh(ui::Window& presenter) override;
  void CloseModeless(ui::Window& presenter) override;
  void PumpEvents(std::chrono::milliseconds duration) override;
  void ShowHelp(const std::string& file, std::uint32_t context_id) override;
  std::optional<std::string> ChooseOpenFile(const ui::FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(std::string_view title,
                                          std::string_view initial_path) override;

  ViewRegistry& views() { return views_; }

 private:
  // The QApplication to show windows with; null when no display can be had.
  QApplication* Application();

  ViewRegistry views_;
  int argc_ = 1;
  char arg0_[10] = "kzdlogsrv";
  char* argv_[2] = {arg0_, nullptr};
  std::unique_ptr<QApplication> own_app_;
  std::map<ui::Window*, std::unique_ptr<ModelessView>> modeless_;
};

// A chooser filter of the form "Name (*.a)|*.a|All Files (*.*)|*.*||" in Qt's form
// "Name (*.a);;All Files (*.*)".
QString QtFileFilter(std::string_view filter);

}  // namespace kz::qtui
