#include "ui/qt/cfg_page5_view.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "editor/cfg_page5.h"
#include "ui/qt/cfg_general_view.h"

namespace kz::qtui {

namespace {

class CfgPage5View final : public GeneralPageView {
 public:
  CfgPage5View(editor::CCfgPage5& page, QWidget* parent) : GeneralPageView(page, parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildModeGroup());
    layout->addWidget(BuildClockGroup());
    layout->addWidget(BuildLogGroup());
    layout->addStretch(1);
    Refresh();
  }
};

}  // namespace

PageView* MakeCfgPage5View(editor::CCfgPage5& page, QtUiService& /*ui*/, QWidget* parent) {
  return new CfgPage5View(page, parent);
}

}  // namespace kz::qtui
