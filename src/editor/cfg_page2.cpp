#include "editor/cfg_page2.h"

namespace kz::editor {

CCfgPage2::CCfgPage2(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

}  // namespace kz::editor
