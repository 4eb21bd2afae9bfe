#include "editor/cfg_page4.h"

#include <memory>

#include "config/cfg_mgr.h"
#include "editor/add_from_file_dlg.h"
#include "editor/cfg_psheet.h"
#include "editor/edit_transfer_dlg.h"
#include "editor/project_file_choice.h"

namespace kz::editor {

CCfgPage4::CCfgPage4(CCfgPSheet& sheet) : CPropertyPage(sheet) {}

void CCfgPage4::OnInitDialog() {
  m_columns = {{"Sta Num", 55}, {"Datalog File", 100}, {"Xfer ID", 55}};
  if (!sheet().IsCitect()) m_columns.push_back({"Store Records In", 400});
  FillList();
}

void CCfgPage4::OnSetActive() {
  const config::CCfgMgr* model = sheet().GetCfgMgr();
  m_bShowControls = !model || model->GetMode() == 0;
  m_bShowAutoNotice = !m_bShowControls;
}

void CCfgPage4::FillList() {
  m_rows.clear();
  m_nSelected = -1;
  const config::CCfgMgr* model = sheet().GetCfgMgr();
  if (!model) return;
  const bool with_storage = m_columns.size() > 3;
  m_rows.reserve(static_cast<std::size_t>(model->GetConnectionCount()));
  for (int i = 0; i < model->GetConnectionCount(); ++i) {
    const config::CConnectionCfg* transfer = model->GetConnection(i);
    if (transfer->IsRemoved()) continue;
    Row& row = m_rows.emplace_back();
    row.model_index = i;
    row.cells.reserve(m_columns.size());
    row.cells.push_back(std::to_string(transfer->GetStationNumber()));
    row.cells.push_back(transfer->GetDatalogFile());
    row.cells.push_back(std::to_string(transfer->GetID()));
    if (with_storage) row.cells.push_back(transfer->GetDataFile());
  }
}

int CCfgPage4::SelectedModelIndex() const {
  const config::CCfgMgr* model = sheet().GetCfgMgr();
  if (!model || m_nSelected < 0 || static_cast<std::size_t>(m_nSelected) >= m_rows.size()) {
    return -1;
  }
  const int index = m_rows[static_cast<std::size_t>(m_nSelected)].model_index;
  return index < model->GetConnectionCount() ? index : -1;
}

void CCfgPage4::OnAddCustom() {
  config::CCfgMgr* model = sheet().GetCfgMgr();
  if (!model) return;
  auto transfer = std::make_unique<config::CConnectionCfg>();
  CEditTransferDlg dialog(sheet(), *model, *transfer);
  // A refused record is dropped with `transfer`.
  if (sheet().ui().RunModal(dialog) == ui::DialogResult::Ok) model->AddConnection(transfer);
  FillList();
}

void CCfgPage4::OnAddFromFile() {
  std::optional<std::string> path = ChooseProjectFile(sheet().ui());
  if (!path) return;
  CAddFromFileDlg dialog(sheet(), std::move(*path));
  if (sheet().ui().RunModal(dialog) == ui::DialogResult::Ok) {
    std::unique_ptr<config::CConnectionCfg> transfer = dialog.BuildTransfer();
    if (config::CCfgMgr* model = sheet().GetCfgMgr()) model->AddConnection(transfer);
  }
  FillList();
}

void CCfgPage4::OnEdit() {
  const int index = SelectedModelIndex();
  if (index < 0) return;
  config::CCfgMgr& model = *sheet().GetCfgMgr();
  CEditTransferDlg dialog(sheet(), model, *model.GetConnection(index));
  sheet().ui().RunModal(dialog);
  FillList();
}

void CCfgPage4::OnRemove() {
  const int index = SelectedModelIndex();
  if (index < 0) return;
  if (sheet().ui().MessageBox(kRemoveQuestion, "", ui::Buttons::YesNo, ui::Icon::Question) !=
      ui::Answer::Yes) {
    return;
  }
  sheet().GetCfgMgr()->RemoveConnection(index);
  FillList();
}

}  // namespace kz::editor
