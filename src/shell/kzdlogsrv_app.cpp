#include "shell/kzdlogsrv_app.h"

#include <cstdio>

#include "citect/citect_cfg_dlg.h"
#include "config/cfg_mgr.h"
#include "config/options_path.h"
#include "editor/cfg_psheet.h"
#include "platform/ascii_case.h"
#include "platform/registry.h"
#include "platform/server_channel.h"
#include "platform/system_dirs.h"
#include "platform/tick.h"
#include "shell/options.h"

namespace kz::shell {
namespace {

bool IsRunningStatus(int status) {
  return status != 0 && status != 1;
}

std::string InitialHelpFilePath(const std::string& module_path) {
  if (module_path.empty()) return {};
  const std::size_t slash = module_path.rfind('/');
  const std::size_t dot = module_path.rfind('.');
  const bool has_ending = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (has_ending ? module_path.substr(0, dot) : module_path) + ".hlp";
}

}  // namespace

std::string ReplaceHelpFileName(const std::string& path, std::string_view name) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return path;
  return path.substr(0, slash + 1) + std::string(name);
}

std::string CompiledHelpFile(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  std::size_t name_end = path.rfind('.');
  if (name_end == std::string::npos || name_end < name_start) name_end = path.size();
  return path.substr(0, name_end) + ".chm";
}

CKzdlogsrvApp::CKzdlogsrvApp(ui::UiService& ui, std::string module_path,
                             std::unique_ptr<OemProvider> oem, TickSource tick)
    : ui_(ui),
      oem_(oem ? std::move(oem) : MakeDefaultOemProvider()),
      tick_(tick ? std::move(tick) : TickSource(platform::GetTickCount)),
      m_strHelpFilePath(InitialHelpFilePath(module_path)) {}

CKzdlogsrvApp::~CKzdlogsrvApp() = default;

bool CKzdlogsrvApp::InitInstance() {
  using platform::AppProfile;
  m_bCitectHelp = false;
  if (AppProfile::GetString(kSettingsSection, kServerPathEntry, "").empty()) {
    // So that the value exists for the user to fill in.
    AppProfile::WriteString(kSettingsSection, kServerPathEntry, "");
  }
  m_nServerInitTimeMs = AppProfile::GetInt(kSettingsSection, kServerInitTimeEntry, -1);
  if (m_nServerInitTimeMs == -1) {
    m_nServerInitTimeMs = kDefaultServerInitTimeMs;
    AppProfile::WriteInt(kSettingsSection, kServerInitTimeEntry, kDefaultServerInitTimeMs);
  }
  if (auto block = platform::SharedStatus::Open()) {
    m_pSharedStatus = std::make_unique<platform::SharedStatus>(std::move(*block));
  } else {
    ui_.MessageBox(kSharedDataFailed, kModuleCaption, ui::Buttons::Ok, ui::Icon::None);
  }
  return true;
}

int CKzdlogsrvApp::ExitInstance() {
  m_pSharedStatus.reset();
  return 0;
}

void CKzdlogsrvApp::WinHelp(std::uint32_t context_id, std::uint32_t /*command*/) {
  if (context_id == kIgnoredHelpContext) return;
  ui_.ShowHelp(CompiledHelpFile(m_strHelpFilePath), context_id);
}

int CKzdlogsrvApp::Configure(const std::string& options) {
  if (!ui_.CanShowWindows()) {
    std::fputs("kzdlogsrv: cannot configure the datalog server: no display to show its windows\n",
               stderr);
    return -1;
  }
  // The first warning follows the equality test, the rest of the operation the substring test.
  if (IsRunningStatus(GetServerStatus(options))) {
    ui_.MessageBox(kServerRunningText, kServerRunningCaption, ui::Buttons::Ok,
                   ui::Icon::Exclamation);
  }
  const Edition& edition = EditionByKeyword(options);
  if (edition.citect) {
    m_strHelpFilePath = ReplaceHelpFileName(m_strHelpFilePath, "kzdlgcit.hlp");
    m_bCitectHelp = true;
  } else {
    const std::string oem = GetOEMInfo();
    m_strHelpFilePath = ReplaceHelpFileName(
        m_strHelpFilePath,
        platform::EqualsNoCase(oem, "Ravenholt") ? "wndlgsrv.chm" : "kzdlgsrv.hlp");
    m_bCitectHelp = false;
  }

  if (HasOption(options, kTrendOption)) {
    citect::CCitectCfgDlg dialog(ui_, [this](std::uint32_t id) { WinHelp(id); });
    ui_.RunModal(dialog);
    return 0;
  }

  const std::string windows_dir = platform::WindowsDirectory().string();
  const std::string path = config::ConfigPathFromOptions(options, windows_dir);
  config::CCfgMgr model;
  model.ReadWrite(path, false);

  editor::CCfgPSheet sheet(&model, std::string(edition.sheet_options), ui_,
                           [this](std::uint32_t id) { WinHelp(id); });
  if (HasOption(options, kScheduledPageOption)) {
    sheet.SetStartPage(editor::CCfgPSheet::kScheduledTransfersPage);
  }
  if (ui_.RunModal(sheet) != ui::DialogResult::Ok) return 0;

  if (IsRunningStatus(GetServerStat(sheet.GetOptions().c_str())) &&
      ui_.MessageBox(kSaveChangesText, kSaveChangesCaption, ui::Buttons::YesNo,
                     ui::Icon::Question) != ui::Answer::Yes) {
    return 0;
  }
  if (!HasOption(options, kFileOption)) platform::CreateWindowsDirectory();
  // A failed save leaves the old file; the user must know the changes were not kept.
  if (model.ReadWrite(path, true) != config::kCfgOk) {
    ui_.MessageBox("Failed to save the configuration file " + path + ".", kErrorCaption,
                   ui::Buttons::Ok, ui::Icon::Exclamation);
  }
  return 0;
}

bool CKzdlogsrvApp::FindServerWindow(const std::string& options) const {
  return platform::ServerListening(EditionByEquality(options).server_title);
}

int CKzdlogsrvApp::StartServer(const std::string& options) {
  if (!FindServerWindow(options) || GetServerStatus(options) == 0) {
    const int launched = LaunchServer(options);
    if (launched < 0) return launched;
  }
  if (FindServerWindow(options)) {
    platform::SendServerCode(EditionByEquality(options).server_title, kMsgServerStart);
  }
  return 0;
}

int CKzdlogsrvApp::SendServerMessage(const std::string& options, std::uint32_t code) {
  return platform::SendServerCode(EditionByEquality(options).server_title, code) ? 0 : -1;
}

int CKzdlogsrvApp::GetServerStatus(const std::string& options) const {
  return GetServerStat(options.c_str());
}

int CKzdlogsrvApp::GetServerStat(const char* options) const {
  if (!m_pSharedStatus) return -1;
  return m_pSharedStatus->Load(EditionByEquality(options ? options : "").status_word);
}

int CKzdlogsrvApp::SetServerStat(const char* options, int value) {
  if (!m_pSharedStatus) return 0;
  m_pSharedStatus->Store(EditionByEquality(options ? options : "").status_word, value);
  return 1;
}

std::string CKzdlogsrvApp::GetOEMInfo() {
  const OemAnswer answer = oem_->Query();
  switch (answer.status) {
    case OemAnswer::Status::Ok:
      return answer.name;
    case OemAnswer::Status::CallFailed:
      ui_.MessageBox(kOemNotFound, "", ui::Buttons::Ok, ui::Icon::Exclamation);
      break;
    case OemAnswer::Status::Unavailable:
      break;
  }
  return std::string(kMakerName);
}

}  // namespace kz::shell
