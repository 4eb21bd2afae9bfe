#include "editor/cfg_page5.h"

namespace kz::editor {

CCfgPage5::CCfgPage5(CCfgPSheet& sheet) : CCfgGeneralPage(sheet) {}

void CCfgPage5::OnInitDialog() {
  FillMode();
  FillClockAndLog();
  UpdateEnables();
}

bool CCfgPage5::OnKillActive() {
  StoreMode();
  return StoreClock() && StoreLog();
}

}  // namespace kz::editor
