// CKzdlogsrvApp::LaunchServer: locating, starting and waiting for the datalog server.
#include <chrono>

#include "platform/process.h"
#include "platform/registry.h"
#include "platform/tick.h"
#include "platform/tool_install.h"
#include "shell/kzdlogsrv_app.h"
#include "shell/options.h"

namespace kz::shell {

int CKzdlogsrvApp::LaunchServer(const std::string& options) {
  const Edition& edition = EditionByEquality(options);
  std::string path = platform::AppProfile::GetString(kSettingsSection, kServerPathEntry, "");
  if (path.empty()) {
    const std::string tool_dir = platform::ToolInstallDirectory(260);
    // Appended as it stands: a folder ending in '/' gives two of them, which the file system
    // reads as one.
    if (!tool_dir.empty()) path = tool_dir + "/programs/" + std::string(edition.server_program);
  }
  if (path.empty()) {
    const auto found = platform::SearchProgram(edition.server_program);
    if (!found) {
      ui_.MessageBox(kLocateFailed, kErrorCaption, ui::Buttons::Ok, ui::Icon::None);
      return -1;
    }
    path = *found;
  }
  if (!platform::StartDetached(path)) {
    ui_.MessageBox(kRunFailed, kErrorCaption, ui::Buttons::Ok, ui::Icon::None);
    return -1;
  }
  WaitPumping(m_nServerInitTimeMs);
  return 0;
}

void CKzdlogsrvApp::WaitPumping(int milliseconds) {
  const std::uint32_t deadline = tick_() + static_cast<std::uint32_t>(milliseconds);
  // Events keep flowing while the server comes up; the pump blocks until one arrives or the time
  // is over, so this never spins.
  for (std::uint32_t now = tick_(); !platform::TickReached(now, deadline); now = tick_()) {
    ui_.PumpEvents(std::chrono::milliseconds(static_cast<std::int32_t>(deadline - now)));
  }
}

}  // namespace kz::shell
