#include "editor/cfg_page5.h"

namespace kz::editor {

CCfgPage5::CCfgPage5(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

}  // namespace kz::editor
