// CCitectAddTagGridPage: a wizard page whose control is one trend tag grid: the trend tags to
// choose from (page 2) and the ones to add (page 4). Owns the grid, which the derived page makes
// when first shown over records it keeps itself.
#pragma once

#include <functional>
#include <memory>

#include "citect/citect_tag_grid.h"
#include "citect/citect_wizard_page.h"

namespace kz::citect {

class CCitectAddTagGridPage : public CCitectWizardPage {
 public:
  using CCitectWizardPage::CCitectWizardPage;

  // The grid, once the page was first shown (null before).
  CCitectTagGrid* grid() const { return m_pGrid.get(); }

 protected:
  // Changes the grid's records: the grid draws nothing while `refill` runs, and reads its rows
  // again after.
  void Refill(const std::function<void()>& refill);
  // The grid's rows read again, after its records changed.
  void ReloadRows();

  std::unique_ptr<CCitectTagGrid> m_pGrid;
};

}  // namespace kz::citect
