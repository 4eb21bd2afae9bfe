// CCitectAddTagPage2: the wizard's second page, the choice of trend tags. It lists the trend tags
// of the chosen project's trend.dbf in a two-column grid and yields the selected ones.
//
// Owns the candidates (and, as every grid page, their grid). The candidates are rebuilt each time
// the page becomes active, which deletes the earlier ones: every pointer that GetSelectedTags
// handed out is then gone, so the sheet's last page drops its list first.
#pragma once

#include <vector>

#include "citect/citect_add_tag_grid_page.h"
#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

class CCitectAddTagPage2 : public CCitectAddTagGridPage {
 public:
  static constexpr int kTemplateId = 110;
  static constexpr const char* kIntroText =
      "Select the trend tags you wish to add to the server. Trend tags must be configured (using "
      "Citect) prior to running this wizard in order for them to appear in the list below.";
  static constexpr const char* kNoneSelected =
      "At least one trend tag must be selected to continue.";
  static constexpr int kColumnWidth = 150;

  explicit CCitectAddTagPage2(CCitectAddTagPSheet& sheet)
      : CCitectAddTagGridPage(sheet, kTemplateId, kIntroText) {}

  // Creates the grid over the candidates.
  void OnInitDialog() override;
  // Clears the selection and reads the project's trend tags again.
  void OnSetActive() override;
  // False (after a message) when no trend tag is selected.
  bool OnWizardNext() override;

  // Fills `tags` with the candidates of the selected rows, through the grid's row order, each
  // once. The pointers stay valid until the page becomes active again or is destroyed.
  void GetSelectedTags(std::vector<CCitectTrendTag*>& tags) const;

  CCitectTrendTagArray m_candidates;
};

}  // namespace kz::citect
