#include "editor/add_from_file_dlg.h"

#include <algorithm>
#include <utility>

#include "config/cfg_mgr.h"
#include "config/number_text.h"
#include "editor/cfg_psheet.h"
#include "editor/project_file_choice.h"
#include "editor/rec_storage_dlg.h"
#include "editor/rec_storage_summary.h"
#include "platform/ascii_case.h"

namespace kz::editor {
namespace {

// The order of a sorted list box: letters without case first, bytes to break ties.
void SortByText(std::vector<std::string>& items) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(items.size());
  for (std::string& item : items) {
    std::string key = platform::AsciiLower(item);
    keyed.emplace_back(std::move(key), std::move(item));
  }
  std::sort(keyed.begin(), keyed.end());
  items.clear();
  for (auto& [key, item] : keyed) items.push_back(std::move(item));
}

// The selected item, or "" with none.
std::string Selected(const std::vector<std::string>& items, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < items.size()
             ? items[static_cast<std::size_t>(index)]
             : std::string();
}

// Selects the first item of a list that has any.
int FirstOf(const std::vector<std::string>& items) {
  return items.empty() ? -1 : 0;
}

}  // namespace

CAddFromFileDlg::CAddFromFileDlg(CCfgPSheet& sheet, std::string project_path)
    : m_strProjectPath(std::move(project_path)), m_sheet(sheet) {}

void CAddFromFileDlg::OnInitDialog() {
  m_bShowStorage = !m_sheet.IsCitect();
  m_project.Load(m_strProjectPath);
  FillAll();
}

void CAddFromFileDlg::FillAll() {
  FillStations();
  OnStationChange();
}

void CAddFromFileDlg::FillStations() {
  m_stations.clear();
  if (!m_strProjectPath.empty()) m_project.GetStationNames(m_stations);
  SortByText(m_stations);
  m_nStation = FirstOf(m_stations);
}

void CAddFromFileDlg::ShowStationNumber() {
  m_strStationNumber =
      m_nStation < 0 ? ""
                     : std::to_string(m_project.GetStationNumber(Selected(m_stations, m_nStation)));
}

void CAddFromFileDlg::FillDatalogs() {
  m_datalogs.clear();
  if (m_nStation >= 0) m_project.GetDatalogNames(Selected(m_stations, m_nStation), m_datalogs);
  SortByText(m_datalogs);
  m_nDatalog = FirstOf(m_datalogs);
}

void CAddFromFileDlg::FillTransfers() {
  m_transfers.clear();
  if (m_nDatalog >= 0) {
    m_project.GetTransferNames(Selected(m_stations, m_nStation), Selected(m_datalogs, m_nDatalog),
                               m_transfers);
  }
  SortByText(m_transfers);
  m_nTransfer = FirstOf(m_transfers);
}

void CAddFromFileDlg::ShowDetails() {
  const std::string datalog = Selected(m_datalogs, m_nDatalog);
  m_strDatalogFileName = datalog.empty() ? "" : datalog + ".kdl";
  // Without a transfer there is no log ID: nothing is shown and OK refuses, rather than
  // carrying over the previous choice's ID.
  m_nLogIDType.reset();
  m_strDatalogId.clear();
  const projfiles::CClientXferData* transfer =
      m_nTransfer < 0 ? nullptr
                      : m_project.GetTransfer(Selected(m_stations, m_nStation), datalog,
                                              Selected(m_transfers, m_nTransfer));
  if (!transfer || !transfer->m_nLogIDType) return;
  m_nLogID = transfer->m_nLogID;
  m_nLogIDType = transfer->m_nLogIDType;
  switch (*m_nLogIDType) {
    case projfiles::LOGID_STATION:
    case projfiles::LOGID_FIXED:
      m_strDatalogId = std::to_string(m_nLogID);
      break;
    case projfiles::LOGID_AX:
      m_strDatalogId = "Value of AX" + std::to_string(m_nLogID);
      break;
    case projfiles::LOGID_AY:
      m_strDatalogId = "Value of AY" + std::to_string(m_nLogID);
      break;
    default:
      break;  // a type this server does not know: OK refuses it
  }
}

void CAddFromFileDlg::OnStationChange() {
  FillDatalogs();
  ShowStationNumber();
  OnDatalogChange();
}

void CAddFromFileDlg::OnDatalogChange() {
  FillTransfers();
  ShowDetails();
}

void CAddFromFileDlg::OnTransferChange() {
  ShowDetails();
}

void CAddFromFileDlg::OnChooseProject() {
  std::optional<std::string> path = ChooseProjectFile(m_sheet.ui());
  if (!path) return;
  m_strProjectPath = std::move(*path);
  m_project.Load(m_strProjectPath);
  FillAll();
}

void CAddFromFileDlg::OnEditStorage() {
  CRecStorageDlg storage(m_sheet);
  storage.m_strPath = m_strStoragePath;
  storage.m_nMode = m_nNewFileMode;
  if (m_nNewFileMode == kNewFileWeekly) {
    storage.m_nWeekday = m_nSynch;
  } else {
    storage.m_nDailyTime = m_nSynch;
  }
  if (m_sheet.ui().RunModal(storage) != ui::DialogResult::Ok) return;
  m_strStoragePath = storage.m_strPath;
  m_nNewFileMode = storage.m_nMode;
  if (m_nNewFileMode == kNewFileDaily) m_nSynch = storage.m_nDailyTime;
  if (m_nNewFileMode == kNewFileWeekly) m_nSynch = storage.m_nWeekday;
  if (auto summary = RecStorageSummary(m_nNewFileMode, m_strStoragePath, m_nSynch)) {
    m_strStorageSummary = std::move(*summary);
  }
}

bool CAddFromFileDlg::Refuse(const char* message) {
  m_sheet.ui().MessageBox(message, "", ui::Buttons::Ok, ui::Icon::None);
  return false;
}

// The storage and selection checks stop at their first failure; the model's checks run after
// them whatever they found, so one OK reports a clash as well as a missing path.
bool CAddFromFileDlg::OnOK() {
  const bool citect = m_sheet.IsCitect();
  bool ok = true;
  if (!citect && m_strStoragePath.empty()) {
    ok = Refuse(kNoStoragePath);
    SetFocus(kEditStorage);
    OnEditStorage();
  } else if (m_nStation < 0) {
    ok = Refuse(kNoStation);
    SetFocus(kStationList);
  } else if (m_nDatalog < 0) {
    ok = Refuse(kNoDatalog);
    SetFocus(kDatalogList);
  } else if (!m_nLogIDType) {
    ok = Refuse(kNoTransfer);
    SetFocus(kTransferList);
  }
  const config::CCfgMgr* model = m_sheet.GetCfgMgr();
  if (model && m_nLogIDType) {
    if (*m_nLogIDType != projfiles::LOGID_STATION && *m_nLogIDType != projfiles::LOGID_FIXED) {
      ok = Refuse(kUnsupportedLogId);
    } else {
      const int result = model->ValidateConnection(config::ParseLeadingInt(m_strStationNumber),
                                                   config::ParseLeadingInt(m_strDatalogId),
                                                   m_strStoragePath, nullptr);
      if (result == config::kDuplicateTransfer) {
        ok = Refuse(kPairInUse);
      } else if (result == config::kDuplicateDataFile && !citect) {
        ok = Refuse(kDataFileInUse);
      }
    }
  }
  return ok;
}

void CAddFromFileDlg::OnHelp() const {
  m_sheet.ShowHelp(HelpContextId());
}

std::unique_ptr<config::CConnectionCfg> CAddFromFileDlg::BuildTransfer() const {
  auto transfer = std::make_unique<config::CConnectionCfg>();
  transfer->SetDataFile(m_strStoragePath);
  transfer->SetNewFileMode(m_nNewFileMode);
  transfer->SetNewFileSynchMode(m_nSynch);
  transfer->SetDatalogFile(m_strDatalogFileName);
  transfer->SetID(m_nLogID);
  transfer->SetStationNumber(config::ParseLeadingInt(m_strStationNumber));
  return transfer;
}

}  // namespace kz::editor
