#include "editor/cfg_page2.h"

#include "config/cfg_mgr.h"
#include "config/ip_port_cfg.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"

namespace kz::editor {

CCfgPage2::CCfgPage2(CCfgPSheet& sheet) : CPortPage(sheet) {}

bool CCfgPage2::Lists(const config::CPortCfg& port) const {
  return port.GetType() == config::PORT_UDP || port.GetType() == config::PORT_TCP;
}

void CCfgPage2::OnAdd() {
  if (config::CPortCfg* port = model().AddPort(config::PORT_UDP)) RunDialog(*port, true);
}

void CCfgPage2::OnConfigure() {
  config::CPortCfg* port = SelectedPort();
  if (port && Lists(*port)) RunDialog(*port, false);
}

void CCfgPage2::RunDialog(config::CPortCfg& port, bool added) {
  CCfgUDP dialog(*this, static_cast<config::CIpPortCfg&>(port), model());
  if (sheet().ui().RunModal(dialog) != ui::DialogResult::Ok) {
    if (added) model().DiscardLastPort();
    return;
  }
  Fill();
  m_nSelected = FindLine(dialog.port());
}

}  // namespace kz::editor
