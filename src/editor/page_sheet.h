// CPageSheet: what the configuration sheet and the add trend tags wizard share: the UI service
// and help they borrow, which of their pages is active, and making a page active. The derived
// sheet owns its pages and decides how the active one is left (a tab may refuse to be left; a
// wizard page is left by Next, which may refuse, or Back).
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "editor/sheet_page.h"
#include "ui/ui_service.h"

namespace kz::editor {

class CPageSheet : public ui::Window {
 public:
  // Opens a help topic by context id (the application's WinHelp with the edition's help file).
  using HelpFn = std::function<void(std::uint32_t context_id)>;

  CPageSheet(const CPageSheet&) = delete;
  CPageSheet& operator=(const CPageSheet&) = delete;

  ui::UiService& ui() const { return m_ui; }
  int GetActiveIndex() const { return m_nActive; }
  // A help topic by context id, for the sheet, its pages and their dialogs.
  void ShowHelp(std::uint32_t context_id) const {
    if (m_help) m_help(context_id);
  }

 protected:
  // `ui` is not owned and must outlive the sheet.
  CPageSheet(ui::UiService& ui, HelpFn help) : m_ui(ui), m_help(std::move(help)) {}

  // Makes the page at `index` the active one, filling it on its first show.
  void Activate(int index) {
    m_nActive = index;
    PageAt(index).MakeActive();
  }

 private:
  // The page at an index of the derived sheet's own order.
  virtual CSheetPage& PageAt(int index) = 0;

  ui::UiService& m_ui;
  HelpFn m_help;
  int m_nActive = 0;
};

}  // namespace kz::editor
