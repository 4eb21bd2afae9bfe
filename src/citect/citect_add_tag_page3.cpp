#include "citect/citect_add_tag_page3.h"

#include "citect/citect_add_tag_psheet.h"
#include "citect/citect_tag_grid.h"
#include "platform/registry.h"
#include "platform/system_dirs.h"
#include "platform/tool_install.h"

namespace kz::citect {

void CCitectAddTagPage3::OnInitDialog() {
  std::string folder = platform::AppProfile::GetString(kCitectAddTagSection, kLastKpjPathEntry, "");
  const int mode = platform::AppProfile::GetInt(kCitectAddTagSection, kResolveModeEntry, kManual);
  m_nResolveMode = mode == kAutomatic ? kAutomatic : kManual;
  if (folder.empty()) {
    const std::string tool = platform::ToolInstallDirectory(1024);
    if (!tool.empty()) folder = platform::JoinPath(tool, "Projects/");
  }
  m_strFolderDisplay = folder;
  UpdateFolderControls();
}

void CCitectAddTagPage3::OnModeClicked() {
  UpdateFolderControls();
}

void CCitectAddTagPage3::UpdateFolderControls() {
  m_bFolderEnabled = m_nResolveMode == kAutomatic;
}

void CCitectAddTagPage3::OnBrowse() {
  std::optional<std::string> chosen = sheet().ui().ChooseFolder(kBrowseTitle, m_strFolderDisplay);
  if (!chosen || chosen->empty()) return;
  if (chosen->back() != '/') *chosen += '/';
  m_strFolderDisplay = std::move(*chosen);
}

bool CCitectAddTagPage3::OnWizardNext() {
  platform::AppProfile::WriteInt(kCitectAddTagSection, kResolveModeEntry, m_nResolveMode);
  if (m_nResolveMode != kAutomatic) return true;
  if (m_strFolderDisplay.empty()) {
    sheet().ui().MessageBox(kNoFolder, "Error", ui::Buttons::Ok, ui::Icon::Exclamation);
    return false;
  }
  m_strProjFileDir = m_strFolderDisplay;
  platform::AppProfile::WriteString(kCitectAddTagSection, kLastKpjPathEntry, m_strProjFileDir);
  sheet().ResolveTags();
  return true;
}

}  // namespace kz::citect
