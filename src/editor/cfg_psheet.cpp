#include "editor/cfg_psheet.h"

#include <utility>

namespace kz::editor {

CCfgPSheet::CCfgPSheet(config::CCfgMgr* model, std::string options)
    : m_pCfgMgr(model), m_strOptions(std::move(options)) {}

bool CCfgPSheet::IsCitect() const {
  return m_strOptions.find("product=citect") != std::string::npos;
}

}  // namespace kz::editor
