// CCitectWizardPage: one page of the add trend tags wizard. The sheet holds its pages by value
// and each page borrows the sheet (for the other pages, the UI service and resolution), which
// outlives it.
//
// Besides what every sheet page does (editor::CSheetPage), a wizard page shows its text above its
// controls, is left only forwards (Next: OnWizardNext, false keeps the page) or backwards (Back,
// which never asks), and keeps the user's choices for the next run in the wizard's section of the
// application profile.
#pragma once

#include <string>

#include "editor/sheet_page.h"

namespace kz::citect {

class CCitectAddTagPSheet;

class CCitectWizardPage : public editor::CSheetPage {
 public:
  // `intro_text` is a static text.
  CCitectWizardPage(CCitectAddTagPSheet& sheet, int template_id, const char* intro_text)
      : m_sheet(sheet), m_nTemplateId(template_id), m_pszIntroText(intro_text) {}

  int TemplateId() const final { return m_nTemplateId; }
  // The text above the page's controls.
  const char* IntroText() const { return m_pszIntroText; }

  virtual bool OnWizardNext() { return true; }

  CCitectAddTagPSheet& sheet() const { return m_sheet; }

 protected:
  // A fault the user must mend before going on: "Error", with the exclamation icon.
  void ShowError(const char* text) const;

  // The choice remembered under `entry`, or `fallback` when none is.
  static std::string Recall(const char* entry, const char* fallback = "");
  static int Recall(const char* entry, int fallback);
  static void Remember(const char* entry, const std::string& value);
  static void Remember(const char* entry, int value);

 private:
  CCitectAddTagPSheet& m_sheet;
  int m_nTemplateId;
  const char* m_pszIntroText;
};

}  // namespace kz::citect
