// CConnectionCfg: one client transfer, a transfer of datalog records that a station starts by
// itself: which station and transfer ID, which datalog file in the station, and the data file on
// this computer that the server stores the records in, with its new-file method. The
// configuration model owns these records and indexes them by "%d.%d" of station number and ID.
#pragma once

#include <string>
#include <string_view>

#include "config/cfg_result.h"
#include "platform/profile.h"
#include "platform/profile_document.h"

namespace kz::config {

class DataFileIndex;

class CConnectionCfg {
 public:
  CConnectionCfg() = default;
  CConnectionCfg(const CConnectionCfg&) = delete;
  CConnectionCfg& operator=(const CConnectionCfg&) = delete;

  int GetStationNumber() const { return m_nStationNumber; }
  void SetStationNumber(int value) { m_nStationNumber = value; }
  int GetID() const { return m_nID; }
  void SetID(int value) { m_nID = value; }
  std::string GetDatalogFile() const { return m_strDatalogFile; }
  void SetDatalogFile(std::string value) { m_strDatalogFile = std::move(value); }
  // Daily files: seconds after midnight; weekly files: 0 Sunday to 6 Saturday.
  int GetNewFileSynchMode() const { return m_nNewFileSynchMode; }
  void SetNewFileSynchMode(int value) { m_nNewFileSynchMode = value; }
  // 0 same file, 1 daily, 2 weekly, 3 monthly.
  int GetNewFileMode() const { return m_nNewFileMode; }
  void SetNewFileMode(int value) { m_nNewFileMode = value; }
  std::string GetDataFile() const { return m_strDataFile; }
  // Both keep the owning model's data file index in step.
  void SetDataFile(std::string value);
  bool IsRemoved() const { return m_bRemoved != 0; }
  void SetRemoved(bool removed);

  // The model that takes the record enters it in its data file index (not owned), which the
  // record then keeps in step; null detaches it without telling the index.
  void AttachIndex(DataFileIndex* index);
  bool IsIndexedBy(const DataFileIndex* index) const { return m_pIndex && m_pIndex == index; }

  // Reads the six keys of the section; every field is assigned, so a missing key gives 0 or the
  // empty text (not the initial value).
  void Load(const platform::ProfileDocument& doc, std::string_view section);
  // Writes "new file mode", "new file synch mode", "data file", "station number", "ID",
  // "datalog file" in that order.
  void Save(platform::ProfileBatch& batch, std::string_view section) const;
  // Load or save the section of the file at `path` on its own. Returns kCfgOk, or kCfgFailed
  // when a save could not replace the file.
  int ReadWrite(const std::string& path, const std::string& section, bool save);

 private:
  int m_nStationNumber = -1;
  int m_nID = -1;
  std::string m_strDatalogFile;
  int m_nNewFileSynchMode = -1;
  int m_nNewFileMode = 0;
  std::string m_strDataFile;
  int m_bRemoved = 0;  // never stored: a removed transfer is not written
  DataFileIndex* m_pIndex = nullptr;  // the owning model's, not owned
};

}  // namespace kz::config
