#include "citect/citect_wizard_page.h"

#include "citect/citect_add_tag_psheet.h"
#include "citect/citect_tag_grid.h"
#include "platform/registry.h"

namespace kz::citect {

void CCitectWizardPage::ShowError(const char* text) const {
  sheet().ui().MessageBox(text, "Error", ui::Buttons::Ok, ui::Icon::Exclamation);
}

std::string CCitectWizardPage::Recall(const char* entry, const char* fallback) {
  return platform::AppProfile::GetString(kCitectAddTagSection, entry, fallback);
}

int CCitectWizardPage::Recall(const char* entry, int fallback) {
  return platform::AppProfile::GetInt(kCitectAddTagSection, entry, fallback);
}

void CCitectWizardPage::Remember(const char* entry, const std::string& value) {
  platform::AppProfile::WriteString(kCitectAddTagSection, entry, value);
}

void CCitectWizardPage::Remember(const char* entry, int value) {
  platform::AppProfile::WriteInt(kCitectAddTagSection, entry, value);
}

}  // namespace kz::citect
