// The trend tags of a Citect project as the add trend tags wizard offers them: one record per
// named trend tag of the project's trend.dbf, in file order. The wizard's trend tag page reads
// them each time it shows; the host's `trend resolve` reads them too.
#pragma once

#include <string_view>

#include "citect/record/citect_trend_tag.h"
#include "ui/ui_service.h"

namespace kz::citect {

// Empties `out`, then appends a record (project, NAME, EXPR) for each live record of the
// project's trend.dbf whose NAME is not empty. The user folder is found as the wizard's project
// page finds it (the installed version's). False, with a message through `ui`, when there is no
// user folder or the table cannot be opened; `out` then stays empty.
bool ReadCandidateTags(ui::UiService& ui, std::string_view project, CCitectTrendTagArray& out);

}  // namespace kz::citect
