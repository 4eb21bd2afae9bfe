// CCitectAddTagPage1: the wizard's first page, the choice of a Citect project. It lists the
// projects of the installation's master project list (master.dbf in the Citect user folder) and
// remembers the project chosen for the next run.
#pragma once

#include <string>
#include <vector>

#include "citect/citect_wizard_page.h"

namespace kz::citect {

inline constexpr const char* kLastCitectProjEntry = "last citect proj";

class CCitectAddTagPage1 : public CCitectWizardPage {
 public:
  static constexpr int kTemplateId = 109;
  static constexpr const char* kIntroText =
      "This wizard will guide you through the process of adding Citect trend tags to the datalog "
      "server. The trend tags must be pre-configured within an existing Citect project.";
  static constexpr const char* kProjectLabel = "Citect project:";
  static constexpr const char* kInfoPrefix = "Projects location: ";
  static constexpr const char* kNoUserFolder = "Unable to locate the Citect master project list.";
  static constexpr const char* kNoMasterTable = "Unable to access the Citect master project list.";
  static constexpr const char* kSelectProject = "Please select a project.";
  static constexpr const char* kSelectProjectCaption = "Select Project";

  explicit CCitectAddTagPage1(CCitectAddTagPSheet& sheet)
      : CCitectWizardPage(sheet, kTemplateId, kIntroText) {}

  // Lists the projects and selects the remembered one.
  void OnInitDialog() override;
  // Stores and remembers the selected project; false (after a message) when none is selected.
  bool OnWizardNext() override;

  // The project chosen on Next.
  std::string m_strProject;
  // The drop-down list: its entries in alphabetical order and the selected index (-1 for none).
  std::vector<std::string> m_projects;
  int m_nSelected = -1;
  // The information line: where the projects were found.
  std::string m_strInfo;

 private:
  // Inserts an entry where a sorted list puts it.
  void AddProject(std::string name);
};

}  // namespace kz::citect
