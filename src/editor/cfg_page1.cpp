#include "editor/cfg_page1.h"

namespace kz::editor {

CCfgPage1::CCfgPage1(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

}  // namespace kz::editor
