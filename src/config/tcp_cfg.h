// CTCPCfg: a TCP port the server listens on.
#pragma once

#include "config/ip_port_cfg.h"

namespace kz::config {

class CTCPCfg : public CIpPortCfg {
 public:
  CTCPCfg() : CIpPortCfg(PORT_TCP, "TCP") {}
};

}  // namespace kz::config
