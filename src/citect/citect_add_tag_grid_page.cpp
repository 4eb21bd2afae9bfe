#include "citect/citect_add_tag_grid_page.h"

namespace kz::citect {

void CCitectAddTagGridPage::Refill(const std::function<void()>& refill) {
  if (m_pGrid) m_pGrid->EnableUpdate(false);
  refill();
  if (m_pGrid) m_pGrid->EnableUpdate(true);
  ReloadRows();
}

void CCitectAddTagGridPage::ReloadRows() {
  if (m_pGrid) m_pGrid->ReloadTags();
}

}  // namespace kz::citect
