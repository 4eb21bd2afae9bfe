#include "editor/cfg_page3.h"

namespace kz::editor {

CCfgPage3::CCfgPage3(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

}  // namespace kz::editor
