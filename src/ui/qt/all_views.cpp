// The views of this build. Each window's view adds one line here, e.g.
//   registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
#include "editor/cfg_psheet.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/view_registry.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& registry) {
  registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
}

}  // namespace kz::qtui
