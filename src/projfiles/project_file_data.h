// CProjectFileData: the stations, datalog configurations and client transfers of one station
// project file (kpj_format.h), as the add-from-file dialog lists them. CDatalogStation is one
// station with its configurations; the project data owns its stations, each station its
// configurations' transfer arrays.
//
// Every name inside the file (station, configuration, transfer) compares exactly, letter case
// included; section and key names match without case, as in every profile file.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile_document.h"
#include "projfiles/client_xfer_data.h"

namespace kz::projfiles {

// Datalog configuration name (exact) -> its transfers, in name order.
using CDatalogCfgMap = std::map<std::string, CClientXferArray, std::less<>>;

class CDatalogStation {
 public:
  virtual ~CDatalogStation() = default;

  std::int32_t m_nStationNumber = -1;  // -1 when the file gives the station no number
  std::string m_strName;
  CDatalogCfgMap m_datalogs;
};

class CProjectFileData {
 public:
  CProjectFileData() = default;
  virtual ~CProjectFileData() = default;
  CProjectFileData(const CProjectFileData&) = delete;
  CProjectFileData& operator=(const CProjectFileData&) = delete;
  // Records keep their addresses through a move.
  CProjectFileData(CProjectFileData&&) = default;
  CProjectFileData& operator=(CProjectFileData&&) = default;

  // Replaces the contents with those of the file at `path` (found as the profile calls find
  // files, without case). Reports nothing: a missing, unreadable or empty file, or one that is
  // not a regular file, leaves no stations.
  void Load(const std::string& path);
  // The same over the file's bytes.
  void LoadBytes(std::string_view bytes);

  // Names of all stations, in m_stations order; `names` is emptied first.
  void GetStationNames(std::vector<std::string>& names) const;
  // The station's datalog configuration names, in no defined order; empty for an unknown station.
  void GetDatalogNames(std::string_view station, std::vector<std::string>& names) const;
  // The station's number, or -1 for an unknown station.
  std::int32_t GetStationNumber(std::string_view station) const;
  // Names of the configuration's transfers in file order; empty when there is no such station or
  // configuration.
  void GetTransferNames(std::string_view station, std::string_view datalog,
                        std::vector<std::string>& names) const;
  // The configuration's transfer of that name (the last of several), or nullptr. Owned by the
  // project data; valid until the next load or its end.
  const CClientXferData* GetTransfer(std::string_view station, std::string_view datalog,
                                     std::string_view transfer) const;

  // Read these; Load keeps them consistent.
  // Stations in the order of their first "Quenda" line; owned.
  std::vector<std::unique_ptr<CDatalogStation>> m_stations;
  // Station name -> its station in m_stations; not owned.
  std::map<std::string, CDatalogStation*, std::less<>> m_stationIndex;
  // Station name -> number, from "Plant Floor Names", "Brenmark" and "Zel Stations".
  std::map<std::string, std::int32_t, std::less<>> m_stationNumbers;

  // A station appears once per "Quenda" line that names it with a configuration, and each such
  // line copies the configuration's transfers, so a small file can name far more transfers than
  // it holds. A load keeps copying only while the copies stay within a budget proportional to the
  // file's size (well above what real projects need); later lines still add their stations and
  // configurations, but no more transfers. True when the last load stopped copying.
  bool TransfersCut() const { return transfers_cut_; }

 private:
  void Fill(const platform::ProfileDocument& doc);
  const CDatalogStation* FindStation(std::string_view station) const;
  const CClientXferArray* FindTransfers(std::string_view station, std::string_view datalog) const;

  bool transfers_cut_ = false;
};

}  // namespace kz::projfiles
