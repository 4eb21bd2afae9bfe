#include "citect/add_tags_wizard.h"

#include "citect/citect_add_tag_psheet.h"

namespace kz::citect {

bool RunAddTagsWizard(ui::UiService& ui, const std::function<void(std::uint32_t)>& help,
                      CCitectTrendTagArray& result) {
  CCitectAddTagPSheet sheet(ui, help);
  if (sheet.DoModal() != CCitectAddTagPSheet::kIdWizFinish) return false;
  // The result's records belong to the sheet: copied before it goes.
  for (const CCitectTrendTag* tag : sheet.GetResult()) result.Add().CopyFrom(*tag);
  return true;
}

}  // namespace kz::citect
