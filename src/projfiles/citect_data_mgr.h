// CCitectDataMgr: owns the trend tag list, loads it from and saves it to kztrendvars.dbf
// (trend_store.h), attaches each trend tag's expression from its Citect project's trend.dbf, and
// answers, with caches, which stations, datalog configurations and datalog tags a station project
// file (*.kpj) defines.
//
// Paths of Windows-made names (Citect project folders and tables, station project files) find
// their files without regard to letter case (platform/file_lookup.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "citect/record/citect_trend_tag.h"
#include "platform/profile_document.h"
#include "platform/status.h"
#include "ui/ui_service.h"

namespace kz::projfiles {

// Results of ReadWrite and ReadTrendExpressions.
inline constexpr int kDataOk = 0;
inline constexpr int kDataFailed = -1;

// One station of a project file.
class CStaInfo {
 public:
  std::string m_strName;
  std::int32_t m_nStationNumber = 0;
  std::vector<std::string> m_datalogNames;
};

class CCitectDataMgr {
 public:
  // `ui` shows the manager's messages; it must outlive the manager.
  explicit CCitectDataMgr(ui::UiService& ui) : ui_(ui) {}
  virtual ~CCitectDataMgr() = default;
  CCitectDataMgr(const CCitectDataMgr&) = delete;
  CCitectDataMgr& operator=(const CCitectDataMgr&) = delete;

  // save false: replaces m_tags with the live records of the table (records without a Citect
  // project or trend tag are dropped) and empties the caches; kDataFailed when the table cannot
  // be opened (the list stays empty, nothing is shown) or a project's trend.dbf cannot be read
  // (its message is shown once, later projects are not read, the records stay loaded).
  // save true: writes m_tags in list order, replacing the file atomically; kDataFailed when it
  // cannot be written (the old file is then whole), or when the last load found a store it could
  // not read whole. No message either way.
  int ReadWrite(const std::string& path, bool save);
  // Why the last load could not open or read the table itself; ok when it could.
  const Status& StoreStatus() const { return m_storeStatus; }

  // Fills `expressions` (trend tag name -> EXPR; later records win) from the project's trend.dbf.
  // kDataFailed, with a message, when the user folder is unknown or the table cannot be opened.
  int ReadTrendExpressions(std::string_view project,
                           std::unordered_map<std::string, std::string>& expressions);

  // The stations of "Zel Stations" and then "Brenmark". Cached by the path text exactly as
  // given; the vector stays owned by the manager and is the same one for the same text until the
  // next load or the manager's end.
  const std::vector<CStaInfo>& GetStations(const std::string& path);
  // The station's datalog configurations from "Quenda". Cached by the lower-cased path and
  // station; owned by the manager as above.
  const std::vector<std::string>& GetDatalogConfigs(const std::string& path,
                                                    const std::string& station);
  // The entries without a colon of "Quenda:<datalog>". Cached by the lower-cased path and
  // datalog; owned by the manager as above.
  const std::vector<std::string>& GetDatalogTags(const std::string& path,
                                                 const std::string& datalog);

  // Appends a copy of each record of `other`, in order.
  void AppendCopies(const citect::CCitectTrendTagArray& other);

  citect::CCitectTrendTagArray m_tags;

 private:
  int Load(const std::string& path);
  Status m_storeStatus;
  int Save(const std::string& path);

  ui::UiService& ui_;
  std::unordered_map<std::string, std::vector<CStaInfo>> m_stationCache;
  std::unordered_map<std::string, std::vector<std::string>> m_datalogCache;
  std::unordered_map<std::string, std::vector<std::string>> m_tagCache;
  // "Quenda" of each project file read so far (by lower-cased path), grouped by lower-cased
  // station name, so that listing a file's stations reads the section once, not once a station.
  // Kept with the parsed file it came from and grouped again when the file has changed since.
  // Emptied with the caches.
  struct QuendaGroups {
    std::shared_ptr<const platform::ProfileDocument> source;
    std::unordered_map<std::string, std::vector<std::string>> by_station;
  };
  std::unordered_map<std::string, QuendaGroups> m_quendaByStation;
};

}  // namespace kz::projfiles
