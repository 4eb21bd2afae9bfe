// Running the add trend tags wizard for the trend configuration dialog: the dialog sees only the
// records the user finished with, so its tests can script them without the wizard's pages.
#pragma once

#include <cstdint>
#include <functional>

#include "citect/record/citect_trend_tag.h"
#include "ui/ui_service.h"

namespace kz::citect {

// Runs the wizard (CCitectAddTagPSheet) modally, owned by no window; `help` opens its pages'
// help topics. When it ends with Finish, appends to `result` a copy of each record of the
// wizard's result, in its order, and returns true; false when the user cancelled, with `result`
// unchanged.
bool RunAddTagsWizard(ui::UiService& ui, const std::function<void(std::uint32_t)>& help,
                      CCitectTrendTagArray& result);

}  // namespace kz::citect
