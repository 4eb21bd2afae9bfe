// The views of this build. Each window's view adds one line here, e.g.
//   registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "ui/qt/cfg_page1_view.h"
#include "ui/qt/cfg_page5_view.h"
#include "ui/qt/view_registry.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& registry) {
  registry.AddPage<editor::CCfgPage1>(MakeCfgPage1View);
  registry.AddPage<editor::CCfgPage5>(MakeCfgPage5View);
}

}  // namespace kz::qtui
