#include "citect/citect_add_tag_page4.h"

#include "citect/citect_add_tag_psheet.h"

namespace kz::citect {

void CCitectAddTagPage4::OnInitDialog() {
  // Filled as the page becomes active, which follows at once.
  m_pGrid = std::make_unique<CCitectTagGrid>(m_tagsToAdd, sheet().ui());
}

void CCitectAddTagPage4::OnSetActive() {
  Refill([this] { sheet().page2().GetSelectedTags(m_tagsToAdd); });
}

void CCitectAddTagPage4::DropTags() {
  m_tagsToAdd.clear();
  ReloadRows();
}

}  // namespace kz::citect
