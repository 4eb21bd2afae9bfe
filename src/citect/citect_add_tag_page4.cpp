#include "citect/citect_add_tag_page4.h"

#include "citect/citect_add_tag_psheet.h"

namespace kz::citect {

CCitectAddTagPage4::CCitectAddTagPage4(CCitectAddTagPSheet& sheet) : CCitectWizardPage(sheet) {}

CCitectAddTagPage4::~CCitectAddTagPage4() = default;

void CCitectAddTagPage4::OnInitDialog() {
  sheet().page2().GetSelectedTags(m_tagsToAdd);
  m_pGrid = std::make_unique<CCitectTagGrid>(m_tagsToAdd, sheet().ui());
  m_pGrid->ReloadTags();
}

void CCitectAddTagPage4::OnSetActive() {
  m_pGrid->EnableUpdate(false);
  sheet().page2().GetSelectedTags(m_tagsToAdd);
  m_pGrid->EnableUpdate(true);
  m_pGrid->ReloadTags();
}

void CCitectAddTagPage4::DropTags() {
  m_tagsToAdd.clear();
  if (m_pGrid) m_pGrid->ReloadTags();
}

}  // namespace kz::citect
