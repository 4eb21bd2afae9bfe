// CEditTransferDlg: the presenter of the dialog "Edit Transfer", which edits one client transfer
// of the configuration model: its station number, transfer ID, datalog file and (standard
// edition) its record storage settings. The Client Transfers page runs it on a record of the
// model (Edit) or on a new record that the page adds after OK (Add Custom).
//
// Borrows the sheet (UI service, help, edition), the model and the record, which must outlive it.
// Writes into the record as it goes: the record storage settings when "Edit..." is confirmed and
// the ".kdl" completion at OK stay even when the dialog is cancelled afterwards; the station
// number and transfer ID change only together, when OK succeeds, so the model's index never
// loses sight of the record.
#pragma once

#include <string>

#include "editor/editor_dialog.h"

namespace kz::config {
class CCfgMgr;
class CConnectionCfg;
}  // namespace kz::config

namespace kz::editor {

class CCfgPSheet;

class CEditTransferDlg : public CEditorDialog {
 public:
  static constexpr int kTemplateId = 212;
  enum Control { kStationNumber, kDatalogFile, kTransferId, kEditStorage };

  static constexpr int kMaxStationNumber = 15999;
  static constexpr const char* kBadStation =
      "Please enter the station number of the unit sending the datalog messages (0 to 15999).";
  static constexpr const char* kNoDatalogFile =
      "Please enter the name of the datalog file in the station.\n(Usually the datalog "
      "configuration name followed by .kdl)";
  static constexpr const char* kNoStorageFile =
      "Please enter the location of the record storage file.";
  static constexpr const char* kStorageFileInUse =
      "The selected record storage file is already in use by another transfer.";
  static constexpr const char* kNoTransferId = "Please enter an ID value for this transfer.";
  static constexpr const char* kPairInUse =
      "The selected station number /ID combination is already in use by another transfer.";

  CEditTransferDlg(CCfgPSheet& sheet, config::CCfgMgr& model, config::CConnectionCfg& record);

  int TemplateId() const override { return kTemplateId; }

  void OnInitDialog();
  // "Edit..." beside the record storage summary.
  void OnEditStorage();
  // True when the record took the fields and the dialog may close.
  bool OnOK();
  void OnHelp() const;

  std::string m_strStationNumber;
  std::string m_strDatalogFile;
  std::string m_strTransferId;
  std::string m_strStorageSummary;
  // "Store records in file:", its summary and "Edit..." (hidden in the Citect edition).
  bool m_bShowStorage = true;

 private:
  bool Refuse(const char* message, Control focus);
  bool IsModelRecord() const;

  CCfgPSheet& m_sheet;
  config::CCfgMgr& m_model;
  config::CConnectionCfg& m_record;
};

}  // namespace kz::editor
