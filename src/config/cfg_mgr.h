// CCfgMgr: the in-memory form of one datalog server configuration: general settings, client
// transfers, ports and scheduled transfers, loaded from and saved to the server's configuration
// file. The configure operation creates one per call, loads it, lets the editor change it and
// saves it when the user accepts. It shows nothing to the user: it reports through results.
//
// Ownership: the model owns every record in its three arrays, removed or not, until it is
// reloaded or destroyed. Pointers it hands out stay valid until then. Removing a record only sets
// its removed mark; iteration, the uniqueness checks and saving skip marked records.
//
// File layout (section and key names without regard to case):
//   [general]    the twelve settings below, by their key names
//   [transfers]  0=xfer0, 1=xfer1, ...   each naming a section [xfer%d] (CConnectionCfg)
//   [ports]      0=COM1, 1=UDP1658, 2=TCP1700, ...   a serial port has a section [COM%d]
//   [scheduled]  0=<line>, 1=<line>, ...   (CScheduledXfer)
// A list ends at its first missing or empty key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/cfg_result.h"
#include "config/connection_cfg.h"
#include "config/data_file_index.h"
#include "config/port_cfg.h"
#include "config/scheduled_xfer.h"
#include "platform/profile.h"
#include "platform/profile_document.h"

namespace kz::config {

class CCfgMgr {
 public:
  CCfgMgr() = default;
  virtual ~CCfgMgr();
  CCfgMgr(const CCfgMgr&) = delete;
  CCfgMgr& operator=(const CCfgMgr&) = delete;

  // --- Loading and saving ---

  // `path` is taken as the profile calls take it: a name without '/' lies in the Windows
  // directory. save false: empties the model and loads the file (a missing or unreadable file loads
  // as empty); returns kCfgOk. save true: builds the whole new file (old list sections cleared,
  // lists renumbered from 0, removed records left out, no client transfers in mode 1) and
  // replaces the file in one step; returns kCfgOk, or kCfgFailed when a value could not be
  // written (it holds CR or LF) or the file could not be replaced; the old file is then
  // untouched. In mode 1 a save first deletes every client transfer of the model.
  int ReadWrite(const std::string& path, bool save);
  // The save of ReadWrite, failing with why the file was not replaced.
  Status SaveFile(const std::string& path);
  // The same on a parsed file, for callers that already hold one (load) or batch more writes
  // (save; the caller commits).
  void Load(const platform::ProfileDocument& doc);
  void Save(platform::ProfileBatch& batch);

  // --- General settings ---

  int GetUseScaling() const { return m_bUseScaling; }
  void SetUseScaling(int value) { m_bUseScaling = value; }
  std::string GetLogDir() const { return m_strLogDir; }
  void SetLogDir(std::string value) { m_strLogDir = std::move(value); }
  int GetPcTimeFormat() const { return m_nPcTimeFormat; }  // 0 local time, 1 GMT
  void SetPcTimeFormat(int value) { m_nPcTimeFormat = value; }
  int GetClockTolerance() const { return m_nClockTolerance; }  // seconds
  void SetClockTolerance(int value) { m_nClockTolerance = value; }
  int GetSetStaClock() const { return m_bSetStaClock; }
  void SetSetStaClock(int value) { m_bSetStaClock = value; }
  std::string GetAutoModeDataPath() const { return m_strAutoModeDataPath; }
  void SetAutoModeDataPath(std::string value) { m_strAutoModeDataPath = std::move(value); }
  // Index into "<Station Name>", "<Station Number>", "<Datalog Cfg Name>",
  // "<Station Name_Datalog Cfg Name>", "<Datalog Cfg Name_Station Number>",
  // "<Datalog Cfg Name_Station ID>".
  int GetAutoModeBaseNameChoice() const { return m_nAutoModeBaseNameChoice; }
  void SetAutoModeBaseNameChoice(int value) { m_nAutoModeBaseNameChoice = value; }
  int GetNewFileMode() const { return m_nNewFileMode; }  // 0 same, 1 daily, 2 weekly, 3 monthly
  void SetNewFileMode(int value) { m_nNewFileMode = value; }
  // Daily: seconds after midnight; weekly: 0 Sunday to 6 Saturday.
  std::int32_t GetNewFileSynchMode() const { return m_lNewFileSynchMode; }
  void SetNewFileSynchMode(std::int32_t value) { m_lNewFileSynchMode = value; }
  int GetEnableLog() const { return m_bEnableLog; }
  void SetEnableLog(int value) { m_bEnableLog = value; }
  int GetCheckDuplicates() const { return m_bCheckDuplicates; }
  void SetCheckDuplicates(int value) { m_bCheckDuplicates = value; }
  // 0 only the configured client transfers may log; 1 any client may connect.
  int GetMode() const { return m_nMode; }
  void SetMode(int value) { m_nMode = value; }

  // --- Client transfers ---

  static std::string MakeConnectionKey(int station_number, int id);  // "%d.%d"

  // Checks the transfer against the others (ValidateConnection with itself excluded). On
  // kCfgOk the model takes it (`transfer` is left empty) and indexes it under its key; on
  // kDuplicateTransfer or kDuplicateDataFile it stays with the caller. An empty `transfer` gives
  // kCfgFailed.
  int AddConnection(std::unique_ptr<CConnectionCfg>& transfer);
  // Marks the transfer at `index` removed and drops it from the index; another live transfer
  // under the same key (loaded from a file) is indexed in its place. Ignores a bad index.
  void RemoveConnection(int index);
  // After the editor changed a transfer's station number or ID: index it under its new key.
  void RekeyConnection(CConnectionCfg* transfer, const std::string& old_key);
  // The transfer indexed under `key`, or nullptr.
  CConnectionCfg* FindConnection(const std::string& key) const;

  // kCfgOk, kDuplicateTransfer (station and ID held by a live transfer other than `exclude`) or
  // kDuplicateDataFile. With `exclude` (adding a built record or editing one), an empty data file
  // is always accepted and only live transfers other than `exclude` count. Without `exclude` (a
  // transfer not built yet), every transfer's data file counts, removed ones too, and an empty
  // data file clashes with another empty one. Data files are compared after ASCII lower-casing.
  int ValidateConnection(int station_number, int id, const std::string& data_file,
                         const CConnectionCfg* exclude) const;
  int ValidateConnection(const CConnectionCfg& transfer) const;
  // A live transfer other than `exclude` stores to `data_file` (compared lower-cased).
  bool IsDataFileInUse(const std::string& data_file, const CConnectionCfg* exclude) const;

  // The transfer is one of the model's (removed or not).
  bool Owns(const CConnectionCfg& transfer) const { return transfer.IsIndexedBy(&m_dataFiles); }

  int GetConnectionCount() const { return static_cast<int>(m_connections.size()); }
  // The transfer at `index` (removed ones included), or nullptr for a bad index.
  CConnectionCfg* GetConnection(int index) const;

  // --- Ports ---

  // Creates a port of the type (PORT_UDP, PORT_SERIAL, PORT_TCP) with the next free number: one
  // above the highest number of the same type ever held, removed ports included, starting at
  // 1658 for UDP and TCP and 1 for COM. Returns it (owned by the model), or nullptr for an
  // unknown type.
  CPortCfg* AddPort(int type);
  // Deletes the last port outright (a cancelled Add).
  void DiscardLastPort();
  // Inserts before `index` (clamped to the array) and takes ownership.
  void InsertPort(int index, std::unique_ptr<CPortCfg> port);
  // Marks the port at `index` removed. Ignores a bad index.
  void RemovePort(int index);
  // Index of the first live port (after `index`), or -1 when there is none.
  int GetFirstPort() const;
  int GetNextPort(int index) const;
  int GetPortCount() const { return static_cast<int>(m_ports.size()); }
  CPortCfg* GetPort(int index) const;  // nullptr for a bad index
  // A live port of the type, other than `exclude`, has the number.
  bool IsComPortInUse(int number, const CPortCfg* exclude) const;
  bool IsUDPPortInUse(int number, const CPortCfg* exclude) const;
  bool IsTCPPortInUse(int number, const CPortCfg* exclude) const;

  // --- Scheduled transfers ---

  void AddScheduledXfer(std::unique_ptr<CScheduledXfer> xfer);
  // Marks the scheduled transfer at `index` removed. Ignores a bad index.
  void RemoveScheduledXfer(int index);
  int GetFirstScheduledXfer() const;  // -1 when there is none
  int GetNextScheduledXfer(int index) const;
  int GetScheduledXferCount() const { return static_cast<int>(m_scheduledXfers.size()); }
  CScheduledXfer* GetScheduledXfer(int index) const;  // nullptr for a bad index

 private:
  static std::uint64_t PackConnectionKey(int station_number, int id);
  void Clear();
  void ClearConnections();
  // Gives `transfer` its key's index entry; an earlier holder of the key waits behind it.
  void IndexConnection(CConnectionCfg* transfer);
  // Takes `transfer` out of key `key`; when it held the entry, the latest holder waiting behind
  // it takes the entry over.
  void UnindexConnection(const CConnectionCfg* transfer, std::uint64_t key);
  bool IsPortInUse(int type, int number, const CPortCfg* exclude) const;
  void LoadGeneral(const platform::ProfileDocument& doc);
  void SaveGeneral(platform::ProfileBatch& batch) const;

  int m_bUseScaling = 1;
  std::string m_strLogDir;
  int m_nPcTimeFormat = 0;
  int m_nClockTolerance = 60;
  int m_bSetStaClock = 0;
  std::string m_strAutoModeDataPath;
  int m_nAutoModeBaseNameChoice = 0;
  int m_nNewFileMode = 0;
  std::int32_t m_lNewFileSynchMode = 0;
  int m_bEnableLog = 0;
  std::vector<std::unique_ptr<CConnectionCfg>> m_connections;
  std::vector<std::unique_ptr<CPortCfg>> m_ports;
  // Keyed by PackConnectionKey: a number hashes and compares without touching a string.
  std::unordered_map<std::uint64_t, CConnectionCfg*> m_connectionIndex;  // not owning
  // Live transfers under a key whose entry a later one holds, oldest first (not owning).
  std::unordered_map<std::uint64_t, std::vector<CConnectionCfg*>> m_shadowedHolders;
  // The data files of m_connections, kept in step by the transfers themselves.
  DataFileIndex m_dataFiles;
  std::vector<std::unique_ptr<CScheduledXfer>> m_scheduledXfers;
  int m_bCheckDuplicates = 0;
  int m_nMode = 0;
};

}  // namespace kz::config
