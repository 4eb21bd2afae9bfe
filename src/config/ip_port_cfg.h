// CIpPortCfg: the part that UDP and TCP port records share, an IP port number. They have no
// section of their own: their entry "UDP%d" / "TCP%d" in the "ports" section is all of them.
#pragma once

#include <string>
#include <string_view>

#include "config/port_cfg.h"

namespace kz::config {

class CIpPortCfg : public CPortCfg {
 public:
  int GetPortNumber() const { return m_nPortNumber; }
  void SetPortNumber(int number) { m_nPortNumber = number; }

  int GetNumber() const override { return m_nPortNumber; }
  std::string EntryText() const override {
    return std::string(prefix_) + std::to_string(m_nPortNumber);
  }

 protected:
  CIpPortCfg(int type, std::string_view prefix) : CPortCfg(type), prefix_(prefix) {}

 private:
  int m_nPortNumber = -1;
  std::string_view prefix_;  // "UDP" or "TCP", a literal
};

}  // namespace kz::config
