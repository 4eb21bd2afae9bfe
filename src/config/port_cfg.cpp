#include "config/port_cfg.h"

#include "config/record_io.h"

namespace kz::config {

int CPortCfg::ReadWrite(const std::string& path, const std::string& section, bool save) {
  return ReadWriteRecord(*this, path, section, save);
}

}  // namespace kz::config
