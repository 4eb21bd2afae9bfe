#include "citect/citect_add_tag_page3.h"

#include "citect/citect_add_tag_psheet.h"
#include "platform/system_dirs.h"
#include "platform/tool_install.h"

namespace kz::citect {

void CCitectAddTagPage3::OnInitDialog() {
  std::string folder = Recall(kLastKpjPathEntry);
  const int mode = Recall(kResolveModeEntry, kManual);
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
  Remember(kResolveModeEntry, m_nResolveMode);
  if (m_nResolveMode != kAutomatic) return true;
  if (m_strFolderDisplay.empty()) {
    ShowError(kNoFolder);
    return false;
  }
  m_strProjFileDir = m_strFolderDisplay;
  Remember(kLastKpjPathEntry, m_strProjFileDir);
  sheet().ResolveTags();
  return true;
}

}  // namespace kz::citect
