// CKzdlogsrvApp: the module's one application object. It lives from the module's load
// (InitInstance) to its unload (ExitInstance), keeps the module's registry settings and the
// mapping of the server status block, holds the help file path, and carries the operations that
// the IDlogServer methods and the exported status functions forward to.
//
// Everything runs on the caller's thread; every window is modal and goes through the UiService.
// The UiService, the OEM provider and the tick source are injected so tests can drive the object
// without a display; the UiService is borrowed and must outlive the object.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/shared_status.h"
#include "shell/oem_provider.h"
#include "ui/ui_service.h"

namespace kz::shell {

// Command messages of the datalog server.
inline constexpr std::uint32_t kMsgServer475 = 0x475;
inline constexpr std::uint32_t kMsgServerStart = 0x476;  // sent right after a start
inline constexpr std::uint32_t kMsgServer477 = 0x477;
inline constexpr std::uint32_t kMsgServer478 = 0x478;

// Help commands of WinHelp.
inline constexpr std::uint32_t kHelpContext = 0x0001;
inline constexpr std::uint32_t kIgnoredHelpContext = 0x20080;

// Registry settings (application profile, section "settings").
inline constexpr std::string_view kSettingsSection = "settings";
inline constexpr std::string_view kServerPathEntry = "server path";
inline constexpr std::string_view kServerInitTimeEntry = "server init time ms";
inline constexpr int kDefaultServerInitTimeMs = 1500;

// Texts the user sees.
inline constexpr std::string_view kSharedDataFailed = "Failed to create shared data.";
inline constexpr std::string_view kModuleCaption = "kzdlogsrv.dll";
inline constexpr std::string_view kServerRunningText =
    "The server is currently running. Any changes made to the configuration will not be used "
    "until the server is restarted.";
inline constexpr std::string_view kServerRunningCaption = "Server Running";
inline constexpr std::string_view kSaveChangesText =
    "The server is currently running and cannot use any changes that may have been made.\n"
    "If you choose to save changes now, they will not be used until the server is stopped, and "
    "restarted.\n\nSave changes now?";
inline constexpr std::string_view kSaveChangesCaption = "Save Changes?";
inline constexpr std::string_view kOemNotFound = "OEM information not found.";
inline constexpr std::string_view kLocateFailed = "Failed to locate kzdlogrcv.exe in search paths.";
inline constexpr std::string_view kRunFailed = "Failed to run the datalog server.";
inline constexpr std::string_view kErrorCaption = "Error";

// The module's own name, used when the OEM component answers nothing.
inline constexpr std::string_view kMakerName = "KALDEN";

using TickSource = std::function<std::uint32_t()>;

class CKzdlogsrvApp {
 public:
  // `module_path`: the module file; the help file path starts as that path with the ending
  // ".hlp". `oem` null: MakeDefaultOemProvider(). `tick` empty: platform::GetTickCount.
  CKzdlogsrvApp(ui::UiService& ui, std::string module_path,
                std::unique_ptr<OemProvider> oem = nullptr, TickSource tick = nullptr);
  ~CKzdlogsrvApp();
  CKzdlogsrvApp(const CKzdlogsrvApp&) = delete;
  CKzdlogsrvApp& operator=(const CKzdlogsrvApp&) = delete;

  // Start-up: registry settings, then the status block ("Failed to create shared data." when it
  // cannot be had; the object then works without one). Returns true.
  bool InitInstance();
  // Shut-down: releases the status block. Returns 0.
  int ExitInstance();

  // Opens the edition's compiled help file (the help file path with the ending ".chm") at the
  // topic; the context id 0x20080 is ignored.
  void WinHelp(std::uint32_t context_id, std::uint32_t command = kHelpContext);

  // The configure operation: loads the configuration file, runs the configuration sheet (or,
  // with "type=trend", the trend dialog) and saves after OK. Returns 0; -1 without a display,
  // after one line on stderr.
  int Configure(const std::string& options);
  // True when the edition's server (equality test) is running and reachable.
  bool FindServerWindow(const std::string& options) const;
  // Launches the server when none is found or its status is 0, then sends it 0x476. Returns 0,
  // or the launcher's -1.
  int StartServer(const std::string& options);
  // 0 when the server was found and acknowledged the code; -1 otherwise.
  int SendServerMessage(const std::string& options, std::uint32_t code);
  // The edition's status word (equality test), -1 without a status block.
  int GetServerStatus(const std::string& options) const;
  // The OEM name, or "KALDEN".
  std::string GetOEMInfo();
  // Locates and starts the server, then waits "server init time ms" while pumping events.
  // 0, or -1 after a message box when it was not found or could not be started.
  int LaunchServer(const std::string& options);

  // The work of the exported GetServerStat and SetServerStat; a null options text is "".
  int GetServerStat(const char* options) const;
  int SetServerStat(const char* options, int value);

  const std::string& help_file_path() const { return m_strHelpFilePath; }
  void set_help_file_path(std::string path) { m_strHelpFilePath = std::move(path); }
  bool citect_help() const { return m_bCitectHelp; }
  int server_init_time_ms() const { return m_nServerInitTimeMs; }
  bool has_status_block() const { return m_pSharedStatus != nullptr; }
  ui::UiService& ui() const { return ui_; }

 private:
  void WaitPumping(int milliseconds);

  ui::UiService& ui_;
  std::unique_ptr<OemProvider> oem_;
  TickSource tick_;
  std::string m_strHelpFilePath;
  bool m_bCitectHelp = false;
  std::unique_ptr<platform::SharedStatus> m_pSharedStatus;
  int m_nServerInitTimeMs = kDefaultServerInitTimeMs;
};

// The help file path with its file name part (after the last '/') replaced by `name`; a path
// without '/' stays as it is.
std::string ReplaceHelpFileName(const std::string& path, std::string_view name);
// The compiled help file of a help file path: its folder and name with the ending ".chm".
std::string CompiledHelpFile(const std::string& path);

}  // namespace kz::shell
