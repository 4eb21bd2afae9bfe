// CCitectWizardPage: one page of the add trend tags wizard. The sheet holds its pages by value
// and each page borrows the sheet (for the other pages, the UI service and resolution), which
// outlives it. The editor's property page serves a sheet of tabs; this one serves a wizard, whose
// pages are left only forwards (Next, which may refuse) or backwards (Back, which never does).
//
// Life of a page: OnInitDialog once, when the page is first shown; OnSetActive each time it
// becomes the active page; OnWizardNext when the user presses Next (false keeps the page).
#pragma once

#include <cstdint>

#include "ui/ui_service.h"

namespace kz::citect {

class CCitectAddTagPSheet;

// Help topics are the dialog template number above this base.
inline constexpr std::uint32_t kWizardHelpContextBase = 0x20000;

class CCitectWizardPage : public ui::Window {
 public:
  explicit CCitectWizardPage(CCitectAddTagPSheet& sheet) : m_sheet(sheet) {}
  CCitectWizardPage(const CCitectWizardPage&) = delete;
  CCitectWizardPage& operator=(const CCitectWizardPage&) = delete;

  virtual int TemplateId() const = 0;
  std::uint32_t HelpContextId() const {
    return kWizardHelpContextBase + static_cast<std::uint32_t>(TemplateId());
  }

  virtual void OnInitDialog() {}
  virtual void OnSetActive() {}
  virtual bool OnWizardNext() { return true; }

  CCitectAddTagPSheet& sheet() const { return m_sheet; }
  bool initialized() const { return m_bInitialized; }

 private:
  friend class CCitectAddTagPSheet;  // marks the page filled when it first shows it
  CCitectAddTagPSheet& m_sheet;
  bool m_bInitialized = false;
};

}  // namespace kz::citect
