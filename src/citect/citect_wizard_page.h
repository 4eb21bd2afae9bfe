// CCitectWizardPage: one page of the add trend tags wizard. The sheet holds its pages by value
// and each page borrows the sheet (for the other pages, the UI service and resolution), which
// outlives it.
//
// Besides what every sheet page does (editor::CSheetPage), a wizard page is left only forwards
// (Next: OnWizardNext, false keeps the page) or backwards (Back, which never asks).
#pragma once

#include "editor/sheet_page.h"

namespace kz::citect {

class CCitectAddTagPSheet;

class CCitectWizardPage : public editor::CSheetPage {
 public:
  explicit CCitectWizardPage(CCitectAddTagPSheet& sheet) : m_sheet(sheet) {}

  virtual bool OnWizardNext() { return true; }

  CCitectAddTagPSheet& sheet() const { return m_sheet; }

 private:
  CCitectAddTagPSheet& m_sheet;
};

}  // namespace kz::citect
