#include "citect/add_tags_wizard.h"

namespace kz::citect {

bool RunAddTagsWizard(ui::UiService& /*ui*/, CCitectTrendTagArray& /*result*/) {
  // This build has no add trend tags wizard: nothing is added.
  return false;
}

}  // namespace kz::citect
