#include "editor/edit_transfer_dlg.h"

#include "config/cfg_mgr.h"
#include "editor/cfg_psheet.h"
#include "editor/decimal_field.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "platform/ascii_case.h"

namespace kz::editor {
namespace {

constexpr std::string_view kDatalogExtension = ".kdl";

// Names of up to three characters are taken as typed.
bool NeedsDatalogExtension(std::string_view name) {
  return name.size() > 3 &&
         !platform::EqualsNoCase(name.substr(name.size() - kDatalogExtension.size()),
                                 kDatalogExtension);
}

}  // namespace

CEditTransferDlg::CEditTransferDlg(CCfgPSheet& sheet, config::CCfgMgr& model,
                                   config::CConnectionCfg& record)
    : m_sheet(sheet), m_model(model), m_record(record) {}

void CEditTransferDlg::OnInitDialog() {
  m_bShowStorage = !m_sheet.IsCitect();
  m_strDatalogFile = m_record.GetDatalogFile();
  m_strStationNumber =
      m_record.GetStationNumber() == -1 ? "" : std::to_string(m_record.GetStationNumber());
  m_strTransferId = m_record.GetID() < 0 ? "" : std::to_string(m_record.GetID());
  if (auto summary = RecStorageSummary(m_record.GetNewFileMode(), m_record.GetDataFile(),
                                       m_record.GetNewFileSynchMode())) {
    m_strStorageSummary = std::move(*summary);
  }
}

void CEditTransferDlg::OnEditStorage() {
  CRecStorageDlg storage(m_sheet);
  storage.m_strPath = m_record.GetDataFile();
  storage.m_nMode = m_record.GetNewFileMode();
  if (storage.m_nMode == kNewFileDaily) {
    storage.m_nDailyTime = m_record.GetNewFileSynchMode();
  } else {
    storage.m_nWeekday = m_record.GetNewFileSynchMode();
  }
  if (m_sheet.ui().RunModal(storage) != ui::DialogResult::Ok) return;
  m_record.SetDataFile(storage.m_strPath);
  m_record.SetNewFileMode(storage.m_nMode);
  m_record.SetNewFileSynchMode(storage.m_nMode == kNewFileDaily ? storage.m_nDailyTime
                                                              : storage.m_nWeekday);
  if (auto summary = RecStorageSummary(m_record.GetNewFileMode(), m_record.GetDataFile(),
                                       m_record.GetNewFileSynchMode())) {
    m_strStorageSummary = std::move(*summary);
  }
}

bool CEditTransferDlg::Refuse(const char* message, Control focus) {
  m_sheet.ui().MessageBox(message, "", ui::Buttons::Ok, ui::Icon::None);
  SetFocus(focus);
  return false;
}

bool CEditTransferDlg::IsModelRecord() const {
  return m_model.Owns(m_record);
}

bool CEditTransferDlg::OnOK() {
  const std::optional<int> station = ParseDecimalField(m_strStationNumber);
  if (!station || *station < 0 || *station > kMaxStationNumber) {
    return Refuse(kBadStation, kStationNumber);
  }
  if (m_strDatalogFile.empty()) return Refuse(kNoDatalogFile, kDatalogFile);
  if (NeedsDatalogExtension(m_strDatalogFile)) {
    m_strDatalogFile += kDatalogExtension;
    m_record.SetDatalogFile(m_strDatalogFile);
  }
  if (!m_sheet.IsCitect()) {
    const std::string data_file = m_record.GetDataFile();
    if (data_file.empty()) return Refuse(kNoStorageFile, kEditStorage);
    if (m_model.IsDataFileInUse(data_file, &m_record)) {
      return Refuse(kStorageFileInUse, kDatalogFile);
    }
  }
  // A text that is no number is no ID either.
  const std::optional<int> id = ParseDecimalField(m_strTransferId);
  if (!id) return Refuse(kNoTransferId, kTransferId);
  if (m_model.ValidateConnection(*station, *id, m_record.GetDataFile(), &m_record) ==
      config::kDuplicateTransfer) {
    return Refuse(kPairInUse, kStationNumber);
  }
  // Station number and ID move together, and only now: a refused pair leaves the record under
  // the key the index holds it by.
  const std::string old_key =
      config::CCfgMgr::MakeConnectionKey(m_record.GetStationNumber(), m_record.GetID());
  m_record.SetID(*id);
  m_record.SetStationNumber(*station);
  m_record.SetDatalogFile(m_strDatalogFile);
  // A record that the model does not own yet is indexed when the page adds it.
  if (IsModelRecord()) m_model.RekeyConnection(&m_record, old_key);
  return true;
}

void CEditTransferDlg::OnHelp() const {
  m_sheet.ShowHelp(HelpContextId());
}

}  // namespace kz::editor
