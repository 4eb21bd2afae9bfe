// CPropertyPage: one page of the configuration sheet. The sheet owns its pages; a page borrows its
// sheet (for the model, the edition, the UI service and help), which outlives it.
//
// Besides what every sheet page does (CSheetPage), a tab has a title and may refuse to be left:
// OnKillActive runs each time it is left (tab switch or OK), and false keeps it active.
#pragma once

#include "editor/sheet_page.h"

namespace kz::editor {

class CCfgPSheet;

class CPropertyPage : public CSheetPage {
 public:
  explicit CPropertyPage(CCfgPSheet& sheet) : m_sheet(sheet) {}

  // The tab's title.
  virtual const char* Title() const = 0;
  virtual bool OnKillActive() { return true; }

  CCfgPSheet& sheet() const { return m_sheet; }

 private:
  CCfgPSheet& m_sheet;
};

}  // namespace kz::editor
