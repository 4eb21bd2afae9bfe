#include "citect/citect_add_tag_psheet.h"

#include "citect/tag_resolver.h"

namespace kz::citect {

CCitectAddTagPSheet::CCitectAddTagPSheet(ui::UiService& ui, HelpFn help)
    : CPageSheet(ui, std::move(help)),
      m_page1(*this),
      m_page2(*this),
      m_page3(*this),
      m_page4(*this) {}

CCitectAddTagPSheet::~CCitectAddTagPSheet() {
  // Page 4 borrows page 2's records, and members die in reverse order: drop them first.
  m_page4.DropTags();
}

int CCitectAddTagPSheet::DoModal() {
  m_nResult = kIdCancel;
  const ui::DialogResult closed = ui().RunModal(*this);
  return closed == ui::DialogResult::Ok && m_nResult == kIdWizFinish ? kIdWizFinish : kIdCancel;
}

CCitectWizardPage& CCitectAddTagPSheet::GetPage(int index) {
  switch (index) {
    case 0:
      return m_page1;
    case 1:
      return m_page2;
    case 2:
      return m_page3;
    default:
      return m_page4;
  }
}

void CCitectAddTagPSheet::OnInitDialog() {
  Activate(0);
}

bool CCitectAddTagPSheet::OnWizardNext() {
  // Events pumped while resolution runs must not move the wizard under it.
  const int active = GetActiveIndex();
  if (!m_bEnabled || active >= kPageCount - 1) return false;
  if (!GetActivePage().OnWizardNext()) return false;
  Activate(active + 1);
  return true;
}

bool CCitectAddTagPSheet::OnWizardBack() {
  if (!m_bEnabled || GetActiveIndex() == 0) return false;
  Activate(GetActiveIndex() - 1);
  return true;
}

bool CCitectAddTagPSheet::OnWizardFinish() {
  if (!m_bEnabled || GetActiveIndex() != kPageCount - 1) return false;
  m_nResult = kIdWizFinish;
  return true;
}

void CCitectAddTagPSheet::OnHelp() {
  ShowHelp(GetActivePage().HelpContextId());
}

int CCitectAddTagPSheet::GetWizardButtons() const {
  if (GetActiveIndex() == 0) return kWizNext;
  if (GetActiveIndex() == kPageCount - 1) return kWizBack | kWizFinish;
  return kWizBack | kWizNext;
}

void CCitectAddTagPSheet::SetEnabled(bool enabled) {
  if (m_bEnabled == enabled) return;
  m_bEnabled = enabled;
  if (m_enabledListener) m_enabledListener(enabled);
}

int CCitectAddTagPSheet::ResolveTags() {
  ResolveRequest request;
  request.project = m_page1.m_strProject;
  m_page2.GetSelectedTags(request.tags);
  request.folder = m_page3.m_strProjFileDir;
  const int result =
      citect::ResolveTags(ui(), request, [this](bool enabled) { SetEnabled(enabled); });
  // A run that stopped early must not leave the wizard dead.
  SetEnabled(true);
  return result;
}

}  // namespace kz::citect
