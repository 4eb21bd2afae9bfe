// CCitectAddTagPSheet: the presenter of the add trend tags wizard behind "Add New..." of the trend
// configuration dialog. Four pages lead the user from a Citect project to its trend tags, to
// manual or automatic binding, to a review of the bindings; Finish ends the wizard with the
// reviewed records as its result.
//
// Usage: construct, DoModal (or UiService::RunModal), and on kIdWizFinish copy GetResult before
// the sheet is destroyed: the result's records belong to the sheet's second page.
//
// Holds its four pages by value; borrows the UI service, which must outlive it. Writes nothing
// but its remembered choices in the application profile (section "citect add tag").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "citect/citect_add_tag_page1.h"
#include "citect/citect_add_tag_page2.h"
#include "citect/citect_add_tag_page3.h"
#include "citect/citect_add_tag_page4.h"
#include "citect/record/citect_trend_tag.h"
#include "editor/page_sheet.h"

namespace kz::citect {

class CCitectAddTagPSheet : public editor::CPageSheet {
 public:
  static constexpr const char* kCaption = "Wizard";
  static constexpr int kPageCount = 4;

  // Wizard buttons, as flags.
  static constexpr int kWizBack = 0x1;
  static constexpr int kWizNext = 0x2;
  static constexpr int kWizFinish = 0x4;

  // How DoModal ends: Finish, or any way of cancelling.
  static constexpr int kIdWizFinish = 0x3025;
  static constexpr int kIdCancel = 2;

  // `ui` is not owned and must outlive the sheet.
  explicit CCitectAddTagPSheet(ui::UiService& ui, HelpFn help = {});
  ~CCitectAddTagPSheet() override;

  // Runs the wizard through the UI service: kIdWizFinish when Finish ended it, else kIdCancel.
  int DoModal();

  // --- what the view calls
  // The view is about to show: activates the first page.
  void OnInitDialog();
  // Next: the active page may refuse (false; it stays active).
  bool OnWizardNext();
  // Back: the page before the active one becomes active (false on the first page).
  bool OnWizardBack();
  // Finish, offered on the last page only: ends the wizard with kIdWizFinish.
  bool OnWizardFinish();
  // Cancel, Escape or the window's close button: true when the wizard may close. Refused while
  // resolution runs (the progress window's own Cancel stops that).
  bool OnCancel() const { return m_bEnabled; }
  // The Help button: the active page's topic.
  void OnHelp();

  // The buttons the active page offers (kWizBack | kWizNext | kWizFinish).
  int GetWizardButtons() const;
  CCitectWizardPage& GetPage(int index);
  CCitectWizardPage& GetActivePage() { return GetPage(GetActiveIndex()); }
  // kIdWizFinish once Finish was pressed, else kIdCancel.
  int GetResultCode() const { return m_nResult; }

  // False while automatic resolution runs: the view then takes no input.
  bool IsEnabled() const { return m_bEnabled; }
  // Called with the new state whenever it changes (the view disables itself); may be empty.
  void SetEnabledListener(std::function<void(bool)> listener) {
    m_enabledListener = std::move(listener);
  }

  // Binds the trend tags selected on page 2 to datalog tags of the station project files in
  // page 3's folder; disables the wizard meanwhile. 0 when the run completed, -1 when the
  // Citect user folder or variable.dbf was not found, -2 when the user cancelled.
  int ResolveTags();

  // The records to add: page 4's list, borrowed from page 2 (not owned); valid while the sheet
  // exists and page 2 is not shown again. Empty before page 4 was shown.
  std::vector<CCitectTrendTag*> GetResult() const { return m_page4.m_tagsToAdd; }

  CCitectAddTagPage1& page1() { return m_page1; }
  CCitectAddTagPage2& page2() { return m_page2; }
  CCitectAddTagPage3& page3() { return m_page3; }
  CCitectAddTagPage4& page4() { return m_page4; }

 private:
  editor::CSheetPage& PageAt(int index) override { return GetPage(index); }
  void SetEnabled(bool enabled);

  int m_nResult = kIdCancel;
  bool m_bEnabled = true;
  std::function<void(bool)> m_enabledListener;
  CCitectAddTagPage1 m_page1;
  CCitectAddTagPage2 m_page2;
  CCitectAddTagPage3 m_page3;
  CCitectAddTagPage4 m_page4;
};

}  // namespace kz::citect
