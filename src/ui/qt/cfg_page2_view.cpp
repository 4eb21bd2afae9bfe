#include "ui/qt/cfg_page2_view.h"

#include "ui/qt/port_page_view.h"

namespace kz::qtui {

PageView* MakeCfgPage2View(editor::CCfgPage2& page, QtUiService& /*ui*/, QWidget* parent) {
  return new PortPageView(page, QObject::tr("&UDP/TCP ports to listen on:"), parent);
}

}  // namespace kz::qtui
