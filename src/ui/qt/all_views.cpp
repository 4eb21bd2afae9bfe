// The views of this build. Each window's view adds one line here, e.g.
//   registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
#include "ui/qt/view_registry.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& /*registry*/) {}

}  // namespace kz::qtui
