#include "editor/cfg_page4.h"

namespace kz::editor {

CCfgPage4::CCfgPage4(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

}  // namespace kz::editor
