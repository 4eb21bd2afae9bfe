// CUDPCfg: a UDP port the server listens on.
#pragma once

#include "config/ip_port_cfg.h"

namespace kz::config {

class CUDPCfg : public CIpPortCfg {
 public:
  CUDPCfg() : CIpPortCfg(PORT_UDP, "UDP") {}
};

}  // namespace kz::config
