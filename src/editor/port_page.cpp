#include "editor/port_page.h"

#include <algorithm>

#include "config/cfg_mgr.h"
#include "config/port_cfg.h"
#include "editor/cfg_psheet.h"

namespace kz::editor {

config::CCfgMgr& CPortPage::model() const {
  return *sheet().GetCfgMgr();
}

config::CPortCfg* CPortPage::SelectedPort() const {
  if (m_nSelected < 0 || m_nSelected >= static_cast<int>(m_lines.size())) return nullptr;
  return model().GetPort(m_lines[static_cast<std::size_t>(m_nSelected)].index);
}

void CPortPage::OnInitDialog() {
  Fill();
  m_nSelected = m_lines.empty() ? -1 : 0;
}

void CPortPage::Fill() {
  m_lines.clear();
  m_nSelected = -1;
  const config::CCfgMgr& cfg = model();
  for (int i = cfg.GetFirstPort(); i >= 0; i = cfg.GetNextPort(i)) {
    const config::CPortCfg& port = *cfg.GetPort(i);
    if (Lists(port)) AddLine(port, i);
  }
}

int CPortPage::AddLine(const config::CPortCfg& port, int index) {
  PortLine line{port.DisplayText(), index};
  // Byte order, as a sorted list box compares these upper-case texts: UDP10000 before UDP1658.
  // A linear search, since a configured COM line keeps its place and may break the order.
  const auto at = std::find_if(m_lines.begin(), m_lines.end(),
                               [&](const PortLine& other) { return line.text < other.text; });
  const auto position = at - m_lines.begin();
  m_lines.insert(at, std::move(line));
  return static_cast<int>(position);
}

int CPortPage::FindLine(const config::CPortCfg& port) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (model().GetPort(m_lines[i].index) == &port) return static_cast<int>(i);
  }
  return -1;
}

void CPortPage::OnRemove() {
  if (!SelectedPort()) return;
  if (sheet().ui().MessageBox(kRemoveQuestion, "", ui::Buttons::YesNo, ui::Icon::Question) !=
      ui::Answer::Yes) {
    return;
  }
  model().RemovePort(m_lines[static_cast<std::size_t>(m_nSelected)].index);
  m_lines.erase(m_lines.begin() + m_nSelected);
  m_nSelected = -1;
}

}  // namespace kz::editor
