// UiService: everything a presenter needs a person for. Presenters (src/editor, src/citect,
// src/projfiles, src/shell) call it; src/ui/qt implements it with Qt Widgets, and tests use a
// scripted implementation (tests/support/scripted_ui.h) that records and answers.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kz::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class Icon { None, Exclamation, Question, Information, Stop };
enum class Answer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };
enum class DialogResult { Ok, Cancel };

// Base of every presenter that a view can show. The UI service picks the view by the presenter's
// dynamic type (src/ui/qt/view_registry.h); the presenter never knows its view.
class Window {
 public:
  virtual ~Window() = default;
};

// A file-open dialog as the common file dialog describes it.
struct FileDialog {
  std::string title;
  // "Name (*.a)|*.a|All Files (*.*)|*.*||": pairs of a description and its patterns.
  std::string filter;
  // Appended (after a dot) to a typed name that has no extension; "" for none.
  std::string default_ext;
  // The folder to open in ("" for the chooser's own choice) and the name shown at first.
  std::string initial_dir;
  std::string initial_name;
  bool must_exist = false;        // the chosen file and its folder must exist
  bool overwrite_prompt = false;  // ask before an existing file is chosen
};

class UiService {
 public:
  virtual ~UiService() = default;

  // False when no window can be shown (no display): callers refuse instead of hanging.
  virtual bool CanShowWindows() const = 0;

  // Bracket one call of the host (Configure, StartServer, ...). Whatever a service sets up to
  // show windows may live from the outermost BeginCall to its EndCall and no longer: a module's
  // state must not outlive the host's call, nor wait for the process's exit. Pairs nest.
  virtual void BeginCall() {}
  virtual void EndCall() {}

  // A modal message box owned by no window. An empty caption means the application's title.
  virtual Answer MessageBox(std::string_view text, std::string_view caption, Buttons buttons,
                            Icon icon) = 0;

  // Runs the presenter's view modally; returns how it was closed.
  virtual DialogResult RunModal(Window& presenter) = 0;

  // Modeless windows (the progress dialog): shown, refreshed after the presenter changed its
  // state, and closed. The presenter must outlive the window.
  virtual void ShowModeless(Window& presenter) = 0;
  virtual void Refresh(Window& presenter) = 0;
  virtual void CloseModeless(Window& presenter) = 0;

  // Dispatches the thread's pending events and keeps dispatching them as they arrive until
  // `duration` has passed; blocks while there is nothing to do (never spins).
  virtual void PumpEvents(std::chrono::milliseconds duration) = 0;

  // Opens a help file at a topic; does nothing when the file does not exist.
  virtual void ShowHelp(const std::string& file, std::uint32_t context_id) = 0;

  // File-open and folder choosers; nullopt when the user cancels.
  virtual std::optional<std::string> ChooseOpenFile(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> ChooseFolder(std::string_view title,
                                                  std::string_view initial_path) = 0;
};

// Holds one BeginCall/EndCall pair for a scope.
class CallScope {
 public:
  explicit CallScope(UiService& ui) : ui_(ui) { ui_.BeginCall(); }
  ~CallScope() { ui_.EndCall(); }
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;

 private:
  UiService& ui_;
};

}  // namespace kz::ui
