// QtUiService: the UiService of the module, with Qt 6 Widgets.
//
// It uses the host's QApplication when there is one. Otherwise it creates its own when a window
// must be shown, but only when a display can be had (CanShowWindows): creating one without a
// display would abort the process. Its own application lives while a host call (BeginCall ..
// EndCall), a window method or a modeless window needs it, and is destroyed as soon as none does:
// never by a static destructor at the process's exit (the platform plugin it loaded is gone by
// then) and never after the host unloaded the module. Without a display, message boxes are
// written as one line on stderr and answered with their default button, modal windows end with
// Cancel, choosers answer nothing and PumpEvents just sleeps.
//
// Every window is parented to the busy window (BusyWindow): the innermost modal window this
// service runs, so that a dialog opened from a dialog, its message boxes and a progress window
// shown meanwhile stay on top of it and usable.
#pragma once

#include <QApplication>
#include <QPointer>
#include <map>
#include <memory>

#include "ui/qt/view_registry.h"
#include "ui/ui_service.h"

namespace kz::qtui {

// Shown by RunModal for a presenter that has no view in this build.
inline constexpr std::string_view kWindowNotAvailable =
    "This window is not available in this build.";

// The caption of a message box that gives none: the application's title, the module's name.
inline constexpr std::string_view kApplicationTitle = "kzdlogsrv";

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
  void BeginCall() override;
  void EndCall() override;
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

  // The window new windows belong to: the innermost modal window open in this call (a dialog run
  // by a view, a message box), or null at the top, where windows are owned by no window (not by
  // the host's either). Modal views parent their QDialog to it; modeless views their window.
  QWidget* BusyWindow() const;

  // True while this service holds a QApplication of its own.
  bool OwnsApplication() const { return own_app_ != nullptr; }

 private:
  // Keeps the QApplication for its scope; application() is null when no display can be had.
  class AppUse {
   public:
    explicit AppUse(QtUiService& ui);
    ~AppUse();
    AppUse(const AppUse&) = delete;
    AppUse& operator=(const AppUse&) = delete;
    QApplication* application() const { return app_; }

   private:
    QtUiService& ui_;
    QApplication* app_;
  };

  QApplication* Acquire();
  void Release();

  ViewRegistry views_;
  int uses_ = 0;  // open calls and window methods
  // The host's modal window when the outermost call began: ours are not its.
  QPointer<QWidget> host_modal_;
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
