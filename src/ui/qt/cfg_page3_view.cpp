#include "ui/qt/cfg_page3_view.h"

#include "ui/qt/port_page_view.h"

namespace kz::qtui {

PageView* MakeCfgPage3View(editor::CCfgPage3& page, QtUiService& /*ui*/, QWidget* parent) {
  return new PortPageView(page, QObject::tr("COM &ports to listen on:"), parent);
}

}  // namespace kz::qtui
