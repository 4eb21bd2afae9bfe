#include "editor/cfg_psheet.h"

#include <utility>

#include "config/cfg_mgr.h"
#include "config/options_path.h"
#include "editor/cfg_page1.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_page4.h"
#include "editor/cfg_page5.h"

namespace kz::editor {

namespace {

// Help topics by tab: the Citect General page shares the standard one's topic.
constexpr std::array<int, CCfgPSheet::kPageCount> kPageHelpTemplates = {
    CCfgPage1::kTemplateId, CCfgPage4::kTemplateId, CCfgPage2::kTemplateId,
    CCfgPage3::kTemplateId};

}  // namespace

CCfgPSheet::CCfgPSheet(config::CCfgMgr* model, std::string options, ui::UiService& ui,
                       HelpFn help)
    : CPageSheet(ui, std::move(help)),
      m_pCfgMgr(model),
      m_strOptions(std::move(options)),
      m_pPage1(std::make_unique<CCfgPage1>(*this)),
      m_pPage2(std::make_unique<CCfgPage2>(*this)),
      m_pPage3(std::make_unique<CCfgPage3>(*this)),
      m_pPage4(std::make_unique<CCfgPage4>(*this)),
      m_pPage5(std::make_unique<CCfgPage5>(*this)) {
  m_pages = {IsCitect() ? static_cast<CPropertyPage*>(m_pPage5.get()) : m_pPage1.get(),
             m_pPage4.get(), m_pPage2.get(), m_pPage3.get()};
}

CCfgPSheet::~CCfgPSheet() = default;

bool CCfgPSheet::IsCitect() const {
  return config::IsCitectEdition(m_strOptions);
}

CPropertyPage& CCfgPSheet::GetPage(int index) const {
  return *m_pages.at(static_cast<std::size_t>(index));
}

CSheetPage& CCfgPSheet::PageAt(int index) {
  return GetPage(index);
}

void CCfgPSheet::OnInitDialog() {
  Activate(m_nStartPage >= 0 && m_nStartPage < kPageCount ? m_nStartPage : 0);
}

bool CCfgPSheet::SetActivePage(int index) {
  if (index < 0 || index >= kPageCount) return false;
  if (index == GetActiveIndex()) return true;
  if (!GetActivePage().OnKillActive()) return false;
  Activate(index);
  return true;
}

bool CCfgPSheet::OnOK() {
  const bool any_live_port = m_pCfgMgr && m_pCfgMgr->GetFirstPort() >= 0;
  if (!any_live_port && ui().MessageBox(kNoPortQuestion, kWarningCaption, ui::Buttons::YesNo,
                                        ui::Icon::Question) != ui::Answer::Yes) {
    return false;
  }
  return GetActivePage().OnKillActive();
}

void CCfgPSheet::OnHelp() const {
  ShowHelp(kHelpContextBase + static_cast<std::uint32_t>(
                                  kPageHelpTemplates[static_cast<std::size_t>(GetActiveIndex())]));
}

}  // namespace kz::editor
