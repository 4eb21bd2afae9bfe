#include "citect/citect_cfg_dlg.h"

namespace kz::citect {

CCitectCfgDlg::CCitectCfgDlg() = default;

}  // namespace kz::citect
