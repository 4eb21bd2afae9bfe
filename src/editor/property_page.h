// CPropertyPage: one page of the configuration sheet. The sheet owns its pages; a page borrows its
// sheet (for the model, the edition, the UI service and help), which outlives it.
//
// Life of a page: OnInitDialog once, when the page is first shown (a page never shown never
// reads or writes the model); OnSetActive each time it becomes the active page; OnKillActive
// each time it is left (tab switch or OK): false keeps it active.
#pragma once

#include "editor/editor_dialog.h"

namespace kz::editor {

class CCfgPSheet;

class CPropertyPage : public CEditorDialog {
 public:
  explicit CPropertyPage(CCfgPSheet& sheet) : m_sheet(sheet) {}
  CPropertyPage(const CPropertyPage&) = delete;
  CPropertyPage& operator=(const CPropertyPage&) = delete;

  // The tab's title.
  virtual const char* Title() const = 0;
  virtual void OnInitDialog() {}
  virtual void OnSetActive() {}
  virtual bool OnKillActive() { return true; }

  CCfgPSheet& sheet() const { return m_sheet; }
  bool initialized() const { return m_bInitialized; }

 private:
  friend class CCfgPSheet;  // marks the page filled when it first shows it
  CCfgPSheet& m_sheet;
  bool m_bInitialized = false;
};

}  // namespace kz::editor
