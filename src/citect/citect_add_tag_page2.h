// CCitectAddTagPage2: the wizard's second page, the choice of trend tags. It lists the trend tags
// of the chosen project's trend.dbf in a two-column grid and yields the selected ones.
//
// Owns the candidates and their grid. The candidates are rebuilt each time the page becomes
// active, which deletes the earlier ones: every pointer that GetSelectedTags handed out is then
// gone, so the sheet's last page drops its list first.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "citect/citect_tag_grid.h"
#include "citect/citect_wizard_page.h"
#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

class CCitectAddTagPage2 : public CCitectWizardPage {
 public:
  static constexpr int kTemplateId = 110;
  static constexpr const char* kIntroText =
      "Select the trend tags you wish to add to the server. Trend tags must be configured (using "
      "Citect) prior to running this wizard in order for them to appear in the list below.";
  static constexpr const char* kNoneSelected =
      "At least one trend tag must be selected to continue.";
  static constexpr int kColumnWidth = 150;

  explicit CCitectAddTagPage2(CCitectAddTagPSheet& sheet);
  ~CCitectAddTagPage2() override;
  int TemplateId() const override { return kTemplateId; }

  // Creates the grid over the candidates.
  void OnInitDialog() override;
  // Clears the selection and reads the project's trend tags again.
  void OnSetActive() override;
  // False (after a message) when no trend tag is selected.
  bool OnWizardNext() override;

  // Fills `tags` with the candidates of the selected rows, through the grid's row order, each
  // once. The pointers stay valid until the page becomes active again or is destroyed.
  void GetSelectedTags(std::vector<CCitectTrendTag*>& tags) const;

  // The grid, once the page was first shown (null before).
  CCitectTagGrid* grid() const { return m_pGrid.get(); }

  CCitectTrendTagArray m_candidates;

 private:
  std::unique_ptr<CCitectTagGrid> m_pGrid;
};

}  // namespace kz::citect
