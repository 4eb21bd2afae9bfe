#include "editor/cfg_com.h"

#include <algorithm>
#include <cstdint>

#include "config/cfg_mgr.h"
#include "config/number_text.h"
#include "config/serial_cfg.h"

namespace kz::editor {
namespace {

template <std::size_t N>
int FindChoice(const std::array<CCfgCOM::Choice, N>& choices, const std::string& stored,
               int unknown) {
  for (std::size_t i = 0; i < N; ++i) {
    if (stored == choices[i].stored) return static_cast<int>(i);
  }
  return unknown;
}

// The stored text of the chosen entry; `current` when nothing valid is chosen.
template <std::size_t N>
std::string StoredChoice(const std::array<CCfgCOM::Choice, N>& choices, int index,
                         std::string current) {
  if (index < 0 || index >= static_cast<int>(N)) return current;
  return choices[static_cast<std::size_t>(index)].stored;
}

}  // namespace

CCfgCOM::CCfgCOM(CPropertyPage& page, config::CSerialCfg& port, config::CCfgMgr& model)
    : CPortDialog(page, model), m_port(port) {}

void CCfgCOM::OnInitDialog() {
  m_strComNumber = std::to_string(m_port.GetComNumber());
  m_nBaud = FindChoice(kBauds, m_port.GetBaud(), 0);
  m_nDataBits = FindChoice(kDataBits, m_port.GetDataBits(), 1);
  m_nParity = FindChoice(kParities, m_port.GetParity(), 0);
  m_nStopBits = FindChoice(kStopBits, m_port.GetStopBits(), 0);
  m_nFlow = FindChoice(kFlows, m_port.GetFlow(), 0);
  m_bFlowVisible = false;
}

void CCfgCOM::OnSpin(int steps) {
  const std::int64_t value =
      static_cast<std::int64_t>(config::ParseLeadingInt(m_strComNumber)) + steps;
  m_strComNumber = std::to_string(std::clamp<std::int64_t>(value, kSpinMin, kSpinMax));
}

bool CCfgCOM::OnOK() {
  if (m_strComNumber.empty()) return Refuse(kNoNumber, kComNumberEdit);
  const int number = config::ParseLeadingInt(m_strComNumber);
  if (model().IsComPortInUse(number, &m_port)) return Refuse(kDuplicateNumber, kComNumberEdit);

  m_port.SetComNumber(number);
  m_port.SetBaud(StoredChoice(kBauds, m_nBaud, m_port.GetBaud()));
  m_port.SetDataBits(StoredChoice(kDataBits, m_nDataBits, m_port.GetDataBits()));
  m_port.SetParity(StoredChoice(kParities, m_nParity, m_port.GetParity()));
  m_port.SetStopBits(StoredChoice(kStopBits, m_nStopBits, m_port.GetStopBits()));
  m_port.SetFlow(kStoredFlow);
  return true;
}

}  // namespace kz::editor
