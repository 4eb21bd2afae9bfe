#include "editor/cfg_page3.h"

#include "config/cfg_mgr.h"
#include "config/serial_cfg.h"
#include "editor/cfg_com.h"
#include "editor/cfg_psheet.h"

namespace kz::editor {

CCfgPage3::CCfgPage3(CCfgPSheet& sheet) : CPortPage(sheet) {}

bool CCfgPage3::Lists(const config::CPortCfg& port) const {
  return port.GetType() == config::PORT_SERIAL;
}

void CCfgPage3::OnAdd() {
  config::CPortCfg* port = model().AddPort(config::PORT_SERIAL);
  if (!port) return;
  CCfgCOM dialog(*this, static_cast<config::CSerialCfg&>(*port), model());
  if (sheet().ui().RunModal(dialog) != ui::DialogResult::Ok) {
    model().DiscardLastPort();
    return;
  }
  m_nSelected = AddLine(*port, model().GetPortCount() - 1);
}

void CCfgPage3::OnConfigure() {
  config::CPortCfg* port = SelectedPort();
  if (!port || !Lists(*port)) return;
  CCfgCOM dialog(*this, static_cast<config::CSerialCfg&>(*port), model());
  if (sheet().ui().RunModal(dialog) != ui::DialogResult::Ok) return;
  // The line keeps its place, as a list box's insert at a position does.
  m_lines[static_cast<std::size_t>(m_nSelected)].text = port->DisplayText();
}

}  // namespace kz::editor
