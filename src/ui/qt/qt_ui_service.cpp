#include "ui/qt/qt_ui_service.h"

#include <sys/stat.h>

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "ui/console_message.h"
#include "ui/qt/text.h"

namespace kz::qtui {
namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

bool IsSocket(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// A local X display (":0", "unix:0.0") must have its server socket; a remote one is trusted.
bool X11Reachable() {
  const std::string display = Env("DISPLAY");
  if (display.empty()) return false;
  const std::size_t colon = display.rfind(':');
  if (colon == std::string::npos) return false;
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix") return true;
  std::string number = display.substr(colon + 1);
  number = number.substr(0, number.find('.'));
  return IsSocket("/tmp/.X11-unix/X" + number);
}

bool WaylandReachable() {
  const std::string name = Env("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  if (name.front() == '/') return IsSocket(name);
  const std::string runtime = Env("XDG_RUNTIME_DIR");
  return !runtime.empty() && IsSocket(runtime + "/" + name);
}

QMessageBox::StandardButtons QtButtons(ui::Buttons buttons) {
  switch (buttons) {
    case ui::Buttons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case ui::Buttons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case ui::Buttons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case ui::Buttons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case ui::Buttons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case ui::Buttons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon QtIcon(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::Exclamation:
      return QMessageBox::Warning;
    case ui::Icon::Question:
      return QMessageBox::Question;
    case ui::Icon::Information:
      return QMessageBox::Information;
    case ui::Icon::Stop:
      return QMessageBox::Critical;
    case ui::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

ui::Answer FromQtButton(int button, ui::Buttons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return ui::Answer::Ok;
    case QMessageBox::Cancel:
      return ui::Answer::Cancel;
    case QMessageBox::Yes:
      return ui::Answer::Yes;
    case QMessageBox::No:
      return ui::Answer::No;
    case QMessageBox::Retry:
      return ui::Answer::Retry;
    case QMessageBox::Abort:
      return ui::Answer::Abort;
    case QMessageBox::Ignore:
      return ui::Answer::Ignore;
    default:
      // Closed by the window manager: the box's escape answer.
      return buttons == ui::Buttons::Ok      ? ui::Answer::Ok
             : buttons == ui::Buttons::YesNo ? ui::Answer::No
                                             : ui::Answer::Cancel;
  }
}

}  // namespace

bool DisplayAvailable() {
  if (QCoreApplication::instance())
    return qobject_cast<QApplication*>(QCoreApplication::instance());
  std::string platform = Env("QT_QPA_PLATFORM");
  platform = platform.substr(0, platform.find(':'));
  if (platform.empty()) return X11Reachable() || WaylandReachable();
  if (platform == "xcb") return X11Reachable();
  if (platform.rfind("wayland", 0) == 0) return WaylandReachable();
  return platform == "offscreen" || platform == "minimal" || platform == "vnc" ||
         platform == "linuxfb" || platform == "eglfs";
}

QString QtFileFilter(std::string_view filter) {
  QStringList parts;
  std::string_view rest = filter;
  while (!rest.empty()) {
    const std::size_t bar = rest.find('|');
    const std::string_view name = rest.substr(0, bar);
    if (name.empty()) break;
    std::string_view patterns;
    if (bar != std::string_view::npos) {
      rest.remove_prefix(bar + 1);
      const std::size_t next = rest.find('|');
      patterns = rest.substr(0, next);
      rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    } else {
      rest = {};
    }
    // Qt reads the patterns from the parentheses, so the name's own are replaced.
    std::string label(name.substr(0, name.find('(')));
    while (!label.empty() && label.back() == ' ') label.pop_back();
    std::string globs(patterns.empty() ? "*" : patterns);
    for (char& c : globs) {
      if (c == ';') c = ' ';
    }
    parts << ToQString(label + " (" + globs + ")");
  }
  return parts.join(QStringLiteral(";;"));
}

QtUiService::QtUiService() {
  RegisterAllViews(views_);
}

QtUiService::~QtUiService() {
  // Reached when the module is unloaded or the process exits. Every call has ended by then, so
  // an application or window still here was left by a fault; the toolkit may be half torn down
  // (its platform plugin's statics go first at exit), so they are left to the process rather
  // than destroyed.
  if (own_app_ || !QCoreApplication::instance()) {
    for (auto& entry : modeless_) (void)entry.second.release();
    (void)own_app_.release();
  }
  modeless_.clear();
}

bool QtUiService::CanShowWindows() const {
  return DisplayAvailable();
}

QtUiService::AppUse::AppUse(QtUiService& ui) : ui_(ui), app_(ui.Acquire()) {}

QtUiService::AppUse::~AppUse() {
  ui_.Release();
}

void QtUiService::BeginCall() {
  if (uses_++ == 0 && qobject_cast<QApplication*>(QCoreApplication::instance())) {
    host_modal_ = QApplication::activeModalWidget();
  }
}

void QtUiService::EndCall() {
  Release();
}

QApplication* QtUiService::Acquire() {
  BeginCall();
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return app;
  if (QCoreApplication::instance() || !DisplayAvailable()) return nullptr;
  own_app_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setApplicationName(ToQString(kApplicationTitle));
  QApplication::setQuitOnLastWindowClosed(false);
  return own_app_.get();
}

void QtUiService::Release() {
  if (uses_ > 0) --uses_;
  if (uses_ > 0 || !modeless_.empty()) return;
  host_modal_.clear();
  own_app_.reset();
}

QWidget* QtUiService::BusyWindow() const {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
  QWidget* modal = QApplication::activeModalWidget();
  return modal == host_modal_ ? nullptr : modal;
}

ui::Answer QtUiService::MessageBox(std::string_view text, std::string_view caption,
                                   ui::Buttons buttons, ui::Icon icon) {
  const AppUse use(*this);
  if (!use.application()) {
    std::fputs(ui::ConsoleMessageLine(text, caption).c_str(), stderr);
    return ui::DefaultAnswer(buttons);
  }
  QMessageBox box(QtIcon(icon), ToQString(caption.empty() ? kApplicationTitle : caption),
                  ToQString(text), QtButtons(buttons), BusyWindow());
  return FromQtButton(box.exec(), buttons);
}

ui::DialogResult QtUiService::RunModal(ui::Window& presenter) {
  const AppUse use(*this);
  const auto* run = views_.FindModal(presenter);
  if (!run || !use.application()) {
    MessageBox(kWindowNotAvailable, "", ui::Buttons::Ok, ui::Icon::Information);
    return ui::DialogResult::Cancel;
  }
  return (*run)(presenter, *this);
}

void QtUiService::ShowModeless(ui::Window& presenter) {
  const AppUse use(*this);
  const auto* make = views_.FindModeless(presenter);
  if (!make || !use.application()) return;
  // The window keeps the application alive until CloseModeless.
  modeless_[&presenter] = (*make)(presenter, *this);
}

void QtUiService::Refresh(ui::Window& presenter) {
  const auto it = modeless_.find(&presenter);
  if (it != modeless_.end() && it->second) it->second->Refresh();
}

void QtUiService::CloseModeless(ui::Window& presenter) {
  if (modeless_.erase(&presenter) == 0) return;
  // The last window of a finished call takes the application with it.
  BeginCall();
  Release();
}

void QtUiService::PumpEvents(std::chrono::milliseconds duration) {
  if (duration.count() <= 0) return;
  if (!QCoreApplication::instance()) {
    std::this_thread::sleep_for(duration);
    return;
  }
  // Each wait blocks until an event arrives; the timer's event ends the last one on time. A timer
  // may fire a little early, so it is started again for whatever time is left.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  QElapsedTimer elapsed;
  elapsed.start();
  for (qint64 left = duration.count(); left > 0; left = duration.count() - elapsed.elapsed()) {
    if (!wake.isActive()) wake.start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

void QtUiService::ShowHelp(const std::string& file, std::uint32_t /*context_id*/) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;
  // The desktop's viewer of compiled help files opens at their start: it takes no topic.
  const AppUse use(*this);
  if (use.application()) QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(file)));
}

std::optional<std::string> QtUiService::ChooseOpenFile(const ui::FileDialog& d) {
  const AppUse use(*this);
  if (!use.application()) return std::nullopt;
  QFileDialog chooser(BusyWindow(), ToQString(d.title), ToQString(d.initial_dir),
                      QtFileFilter(d.filter));
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(d.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  chooser.setDefaultSuffix(ToQString(d.default_ext));
  // A pattern is no name to preselect: the filter already shows what it would match.
  if (!d.initial_name.empty() && d.initial_name.find('*') == std::string::npos) {
    chooser.selectFile(ToQString(d.initial_name));
  }
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  const QString chosen = chooser.selectedFiles().front();
  if (d.overwrite_prompt && QFileInfo::exists(chosen) &&
      MessageBox(FromQString(chosen) + " already exists.\nDo you want to replace it?", d.title,
                 ui::Buttons::YesNo, ui::Icon::Exclamation) != ui::Answer::Yes) {
    return std::nullopt;
  }
  return FromQString(chosen);
}

std::optional<std::string> QtUiService::ChooseFolder(std::string_view title,
                                                     std::string_view initial_path) {
  const AppUse use(*this);
  if (!use.application()) return std::nullopt;
  QFileDialog chooser(BusyWindow(), ToQString(title), ToQString(initial_path));
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::Directory);
  chooser.setOption(QFileDialog::ShowDirsOnly);
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return FromQString(chooser.selectedFiles().front());
}

}  // namespace kz::qtui
