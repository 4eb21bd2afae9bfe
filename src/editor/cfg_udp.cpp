#include "editor/cfg_udp.h"

#include <memory>

#include "config/cfg_mgr.h"
#include "config/number_text.h"
#include "config/tcp_cfg.h"
#include "config/udp_cfg.h"

namespace kz::editor {
namespace {

int IndexOfPort(const config::CCfgMgr& model, const config::CPortCfg& port) {
  for (int i = 0; i < model.GetPortCount(); ++i) {
    if (model.GetPort(i) == &port) return i;
  }
  return -1;
}

}  // namespace

CCfgUDP::CCfgUDP(CPropertyPage& page, config::CIpPortCfg& port, config::CCfgMgr& model)
    : CPortDialog(page, model), m_pPort(&port) {}

void CCfgUDP::OnInitDialog() {
  m_strPortNumber = std::to_string(m_pPort->GetPortNumber());
  m_nType = m_pPort->GetType() == config::PORT_UDP ? kTypeUdp : kTypeTcp;
}

bool CCfgUDP::OnOK() {
  if (m_strPortNumber.empty()) return Refuse(kNoNumber, kPortNumberEdit);
  const int number = config::ParseLeadingInt(m_strPortNumber);
  if (number < kMinPortNumber || number > kMaxPortNumber) {
    return Refuse(kNumberOutOfRange, kPortNumberEdit);
  }
  const int type = m_nType == kTypeUdp ? config::PORT_UDP : config::PORT_TCP;
  // Excluding the record itself also serves a change of kind: it is of the other kind then.
  const bool in_use = type == config::PORT_UDP ? model().IsUDPPortInUse(number, m_pPort)
                                               : model().IsTCPPortInUse(number, m_pPort);
  if (in_use) return Refuse(kDuplicateNumber, kPortNumberEdit);

  // The kind changes only now that nothing can refuse, so that Cancel after a refusal finds the
  // port list as it was (a cancelled Add discards the last port, which must be the added one).
  if (type != m_pPort->GetType()) {
    std::unique_ptr<config::CIpPortCfg> replacement;
    if (type == config::PORT_UDP) {
      replacement = std::make_unique<config::CUDPCfg>();
    } else {
      replacement = std::make_unique<config::CTCPCfg>();
    }
    config::CIpPortCfg* next = replacement.get();
    const int index = IndexOfPort(model(), *m_pPort);
    model().RemovePort(index);
    model().InsertPort(index, std::move(replacement));
    m_pPort = next;
  }
  m_pPort->SetPortNumber(number);
  return true;
}

}  // namespace kz::editor
