// CCitectAddTagPage3: the wizard's third page, manual or automatic binding of the selected trend
// tags. In automatic mode Next runs the sheet's tag resolution over the station project files of
// the folder chosen here. Remembers the mode and the folder for the next run.
#pragma once

#include <string>

#include "citect/citect_wizard_page.h"

namespace kz::citect {

inline constexpr const char* kResolveModeEntry = "resolve mode";
inline constexpr const char* kLastKpjPathEntry = "last kpj path";

class CCitectAddTagPage3 : public CCitectWizardPage {
 public:
  static constexpr int kTemplateId = 111;
  static constexpr int kManual = 0;
  static constexpr int kAutomatic = 1;
  static constexpr const char* kIntroText =
      "The selected trend tags must correspond with tags within a datalog configuration. You can "
      "choose to manually associate these tags or have this software attempt to resolve them "
      "automatically.";
  static constexpr const char* kManualText = "Manually resolve tags";
  static constexpr const char* kAutomaticText = "Automatically resolve tags";
  static constexpr const char* kFolderLabel = "Project file location (*.kpj):";
  static constexpr const char* kBrowseText = "Browse...";
  static constexpr const char* kBrowseTitle = "Select the directory for .kpj files:";
  static constexpr const char* kNoFolder = "Please select a project file directory.";

  explicit CCitectAddTagPage3(CCitectAddTagPSheet& sheet)
      : CCitectWizardPage(sheet, kTemplateId, kIntroText) {}

  // Shows the remembered mode and folder (else the tool's "Projects" folder).
  void OnInitDialog() override;
  // A click on either radio button (m_nResolveMode already holds the new mode).
  void OnModeClicked();
  // The folder browser; a chosen folder is shown with a trailing '/'.
  void OnBrowse();
  // Remembers the mode; in automatic mode remembers the folder and resolves. False (after a
  // message) in automatic mode without a folder.
  bool OnWizardNext() override;

  // The folder used by the last resolution.
  std::string m_strProjFileDir;
  int m_nResolveMode = kManual;
  // The folder display (read-only) and whether the folder label, display and Browse are enabled.
  std::string m_strFolderDisplay;
  bool m_bFolderEnabled = false;

 private:
  void UpdateFolderControls();
};

}  // namespace kz::citect
