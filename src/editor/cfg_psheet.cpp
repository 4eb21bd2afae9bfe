#include "editor/cfg_psheet.h"

#include <utility>

#include "config/options_path.h"

namespace kz::editor {

CCfgPSheet::CCfgPSheet(config::CCfgMgr* model, std::string options)
    : m_pCfgMgr(model), m_strOptions(std::move(options)) {}

bool CCfgPSheet::IsCitect() const {
  return config::IsCitectEdition(m_strOptions);
}

}  // namespace kz::editor
