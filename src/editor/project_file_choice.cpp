#include "editor/project_file_choice.h"

#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "platform/tool_install.h"

namespace kz::editor {

std::string ProjectFileFolder() {
  std::string folder =
      platform::AppProfile::GetString(kProjectSettingsSection, kLastProjectFilePathEntry, "");
  if (!folder.empty()) return folder;
  const std::string tool = platform::ToolInstallDirectory(1024);
  if (tool.empty()) return {};
  return platform::JoinPath(tool, "Projects/");
}

std::optional<std::string> ChooseProjectFile(ui::UiService& ui) {
  ui::FileDialog dialog;
  dialog.title = kProjectFileTitle;
  dialog.filter = kProjectFileFilter;
  dialog.default_ext = "kpj";
  dialog.initial_dir = ProjectFileFolder();
  dialog.initial_name = "*.kpj";
  dialog.must_exist = true;
  std::optional<std::string> chosen = ui.ChooseOpenFile(dialog);
  if (!chosen) return std::nullopt;
  // The folder with its trailing separator, as the next dialog expects it.
  const std::size_t slash = chosen->rfind('/');
  const std::string folder = slash == std::string::npos ? "" : chosen->substr(0, slash + 1);
  platform::AppProfile::WriteString(kProjectSettingsSection, kLastProjectFilePathEntry, folder);
  return chosen;
}

}  // namespace kz::editor
