// CSheetPage: what a page has in common whichever sheet shows it, the configuration sheet's tabs
// or a wizard's steps: it is filled once, when first shown (a page never shown reads and writes
// nothing), and told each time it becomes the active page. How a page is left is its sheet's own
// affair.
#pragma once

#include "editor/editor_dialog.h"

namespace kz::editor {

class CSheetPage : public CEditorDialog {
 public:
  CSheetPage() = default;
  CSheetPage(const CSheetPage&) = delete;
  CSheetPage& operator=(const CSheetPage&) = delete;

  virtual void OnInitDialog() {}
  virtual void OnSetActive() {}

  // For the sheet that shows the page: fills it on its first show, then tells it it is active.
  void MakeActive() {
    if (!m_bInitialized) {
      m_bInitialized = true;
      OnInitDialog();
    }
    OnSetActive();
  }
  bool initialized() const { return m_bInitialized; }

 private:
  bool m_bInitialized = false;
};

}  // namespace kz::editor
