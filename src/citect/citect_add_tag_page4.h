// CCitectAddTagPage4: the wizard's last page, the review of the trend tags to add. Its grid shows
// the selected candidates of page 2 with the six standard columns, where the user may edit the
// bindings before Finish.
//
// m_tagsToAdd borrows page 2's candidates (not owned); it is refilled each time the page becomes
// active and dropped whenever page 2 rebuilds its candidates, so it never holds a pointer to a
// deleted record.
#pragma once

#include <vector>

#include "citect/citect_add_tag_grid_page.h"
#include "citect/record/citect_trend_tag.h"

namespace kz::citect {

class CCitectAddTagPage4 : public CCitectAddTagGridPage {
 public:
  static constexpr int kTemplateId = 112;
  static constexpr const char* kIntroText =
      "The list below shows the trend tags that are to be added. You can change the properties of "
      "any tag now or click \"Finish\" to complete the process.";

  explicit CCitectAddTagPage4(CCitectAddTagPSheet& sheet)
      : CCitectAddTagGridPage(sheet, kTemplateId, kIntroText) {}

  // Creates the grid over the list.
  void OnInitDialog() override;
  // Takes the selected tags again.
  void OnSetActive() override;
  // Empties the list (and the grid's rows): page 2 is about to delete the records it points to.
  void DropTags();

  std::vector<CCitectTrendTag*> m_tagsToAdd;
};

}  // namespace kz::citect
