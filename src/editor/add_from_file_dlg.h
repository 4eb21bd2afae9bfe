// CAddFromFileDlg: the presenter of the dialog "Add From File", which turns a client transfer
// configured in a station project file (*.kpj) into a client transfer of the configuration: the
// user picks a station, one of its datalog configurations and one of its client transfers, and
// (standard edition) where the records are stored. The Client Transfers page runs it after the
// user chose a project file, and adds BuildTransfer()'s record after OK.
//
// Owns the project file's data while it is open; borrows the sheet (UI service, help, edition,
// model, which may be absent), which must outlive it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/editor_dialog.h"
#include "projfiles/project_file_data.h"

namespace kz::config {
class CConnectionCfg;
}

namespace kz::editor {

class CCfgPSheet;

class CAddFromFileDlg : public CEditorDialog {
 public:
  static constexpr int kTemplateId = 208;
  enum Control { kChooseProject, kStationList, kDatalogList, kTransferList, kEditStorage };

  static constexpr const char* kNoStoragePath =
      "Please enter a location for the record storage file.";
  static constexpr const char* kNoStation = "Please select a station.";
  static constexpr const char* kNoDatalog = "Please select a datalog configuration.";
  static constexpr const char* kNoTransfer = "Please select a client transfer.";
  static constexpr const char* kUnsupportedLogId =
      "The log ID type (using analog register value) is not supported by this server.";
  static constexpr const char* kPairInUse =
      "A transfer with the same station number and ID has already been added.";
  static constexpr const char* kDataFileInUse =
      "The data file selected is already in use by another transfer.";

  CAddFromFileDlg(CCfgPSheet& sheet, std::string project_path);

  int TemplateId() const override { return kTemplateId; }

  void OnInitDialog();
  void OnStationChange();
  void OnDatalogChange();
  void OnTransferChange();
  // "...": another project file.
  void OnChooseProject();
  // "Edit...": the record storage settings.
  void OnEditStorage();
  // Every check runs (see the .cpp); true when none refused.
  bool OnOK();
  void OnHelp() const;

  // The record that OK describes, for the page to add.
  std::unique_ptr<config::CConnectionCfg> BuildTransfer() const;

  std::string m_strProjectPath;
  // The three lists, each sorted by text, with their selections (-1 none).
  std::vector<std::string> m_stations;
  int m_nStation = -1;
  std::vector<std::string> m_datalogs;
  int m_nDatalog = -1;
  std::vector<std::string> m_transfers;
  int m_nTransfer = -1;
  // The texts after "Station number:", "Datalog file name:" and "Datalog ID:".
  std::string m_strStationNumber;
  std::string m_strDatalogFileName;
  std::string m_strDatalogId;

  // The chosen transfer's log ID and its type (projfiles::LOGID_*); no type while no transfer
  // with a known log ID is chosen.
  std::int32_t m_nLogID = -1;
  std::optional<std::int32_t> m_nLogIDType;

  // Record storage of the new transfer and its summary after "Store records in file:".
  std::string m_strStoragePath;
  int m_nNewFileMode = 0;
  int m_nSynch = 0;
  std::string m_strStorageSummary;
  bool m_bShowStorage = true;

 private:
  void FillAll();
  void FillStations();
  void ShowStationNumber();
  void FillDatalogs();
  void FillTransfers();
  void ShowDetails();
  bool Refuse(const char* message);

  CCfgPSheet& m_sheet;
  projfiles::CProjectFileData m_project;
};

}  // namespace kz::editor
