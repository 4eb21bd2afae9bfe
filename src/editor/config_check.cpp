// CheckConfig: what OK in the editor would refuse in the stored configuration, found by running
// every page and dialog check on what is stored, as if the user confirmed each unchanged.
#include "config/cfg_mgr.h"
#include "config/ip_port_cfg.h"
#include "config/serial_cfg.h"
#include "editor/apply_steps.h"
#include "editor/cfg_com.h"
#include "editor/cfg_page2.h"
#include "editor/cfg_page3.h"
#include "editor/cfg_psheet.h"
#include "editor/cfg_udp.h"
#include "editor/edit_transfer_dlg.h"

namespace kz::editor {
namespace {

void CheckGeneral(CCfgPSheet& sheet, RecordingUi& ui, std::vector<ConfigProblem>& problems) {
  ui.boxes.clear();
  CPropertyPage& page = sheet.GetActivePage();
  if (page.OnKillActive()) return;
  problems.push_back(
      {FieldPath("general", kGeneralKeys[GeneralKeyOfControl(page.focus())].name),
       LastMessage(ui)});
}

void CheckTransfers(config::CCfgMgr& model, CCfgPSheet& sheet, RecordingUi& ui,
                    std::vector<ConfigProblem>& problems) {
  std::size_t k = 0;
  for (int i = 0; i < model.GetConnectionCount(); ++i) {
    config::CConnectionCfg& record = *model.GetConnection(i);
    if (record.IsRemoved()) continue;
    const std::string path = ItemPath("transfers", k++);
    ui.boxes.clear();
    CEditTransferDlg dialog(sheet, model, record);
    dialog.OnInitDialog();
    if (!dialog.OnOK()) problems.push_back({path, LastMessage(ui)});
    TransferValueProblems(record, path, problems);
  }
}

void CheckPorts(config::CCfgMgr& model, CCfgPSheet& sheet, RecordingUi& ui,
                std::vector<ConfigProblem>& problems) {
  std::size_t k = 0;
  for (int i = model.GetFirstPort(); i != -1; i = model.GetNextPort(i)) {
    config::CPortCfg& port = *model.GetPort(i);
    const std::string path = ItemPath("ports", k++);
    ui.boxes.clear();
    bool ok = true;
    if (auto* com = dynamic_cast<config::CSerialCfg*>(&port)) {
      CCfgCOM dialog(sheet.page3(), *com, model);
      dialog.OnInitDialog();
      ok = dialog.OnOK();
    } else {
      CCfgUDP dialog(sheet.page2(), static_cast<config::CIpPortCfg&>(port), model);
      dialog.OnInitDialog();
      ok = dialog.OnOK();
    }
    if (!ok) problems.push_back({path, LastMessage(ui)});
  }
}

void CheckScheduled(const config::CCfgMgr& model, std::vector<ConfigProblem>& problems) {
  const auto live = LivePortTexts(model);
  std::size_t k = 0;
  for (int i = model.GetFirstScheduledXfer(); i != -1; i = model.GetNextScheduledXfer(i), ++k) {
    if (auto bad = ScheduledPortProblem(live, model.GetScheduledXfer(i)->GetPort())) {
      problems.push_back({ItemPath("scheduled", k), std::move(*bad)});
    }
  }
}

}  // namespace

std::vector<ConfigProblem> CheckConfig(config::CCfgMgr& model, const std::string& options) {
  std::vector<ConfigProblem> problems;
  RecordingUi ui;
  CCfgPSheet sheet(&model, options, ui);
  // The mode as stored: storing the General page may change it.
  const bool keeps_transfers = model.GetMode() == 0;
  // Scheduled transfers before the port dialogs, which may change what a port is.
  CheckScheduled(model, problems);
  sheet.OnInitDialog();
  CheckGeneral(sheet, ui, problems);
  if (keeps_transfers) CheckTransfers(model, sheet, ui, problems);
  CheckPorts(model, sheet, ui, problems);
  return problems;
}

}  // namespace kz::editor
