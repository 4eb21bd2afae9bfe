// The views of this build. Each window's view adds one line here, e.g.
//   registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
#include "editor/cfg_page1.h"
#include "editor/cfg_page5.h"
#include "editor/cfg_psheet.h"
#include "ui/qt/cfg_com_view.h"
#include "ui/qt/cfg_page1_view.h"
#include "ui/qt/cfg_page2_view.h"
#include "ui/qt/cfg_page3_view.h"
#include "ui/qt/cfg_page5_view.h"
#include "ui/qt/cfg_psheet_view.h"
#include "ui/qt/cfg_udp_view.h"
#include "ui/qt/view_registry.h"

namespace kz::qtui {

void RegisterAllViews(ViewRegistry& registry) {
  registry.AddPage<editor::CCfgPage2>(MakeCfgPage2View);
  registry.AddPage<editor::CCfgPage3>(MakeCfgPage3View);
  registry.AddModal<editor::CCfgUDP>(RunCfgUdpView);
  registry.AddModal<editor::CCfgCOM>(RunCfgComView);
  registry.AddPage<editor::CCfgPage1>(MakeCfgPage1View);
  registry.AddPage<editor::CCfgPage5>(MakeCfgPage5View);
  registry.AddModal<editor::CCfgPSheet>(RunCfgPSheetView);
}

}  // namespace kz::qtui
