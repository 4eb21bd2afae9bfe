// CClientXferData: one client transfer of a datalog configuration in a station project file
// (kpj_format.h): its name and where its log ID comes from. Plain data; CClientXferArray holds a
// configuration's transfers in file order and owns them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::projfiles {

// Log ID types: where a transfer's log ID comes from.
inline constexpr std::int32_t LOGID_AX = 0;         // the value of analog register AX m_nLogID
inline constexpr std::int32_t LOGID_AY = 1;         // the value of register AY m_nLogID
inline constexpr std::int32_t LOGID_STATION = 128;  // the station number
inline constexpr std::int32_t LOGID_FIXED = 129;    // m_nLogID itself

class CClientXferData {
 public:
  CClientXferData() = default;
  virtual ~CClientXferData() = default;
  CClientXferData(const CClientXferData&) = default;
  CClientXferData& operator=(const CClientXferData&) = default;
  CClientXferData(CClientXferData&&) noexcept = default;
  CClientXferData& operator=(CClientXferData&&) noexcept = default;

  // Reads the transfer under `key` of `section` of the station project file at `path` (found as
  // the profile calls find files, without case): the name line `key` and the detail line `key`
  // followed by "a". A missing or empty name line leaves the record as it was; a missing detail
  // line leaves the log ID and its type as they were.
  void Read(const std::string& path, const std::string& section, const std::string& key);

  // Read's work on the two lines once they are read (each empty when missing). Lines longer than
  // the read buffer are cut as it cuts them.
  void Parse(std::string_view name_line, std::string_view detail_line);

  // Text before the first comma of the name line, backquotes removed; empty when the line has
  // no comma or starts with one.
  std::string m_strName;
  // Field 12 of the detail line; for LOGID_STATION the project data puts the station number here.
  std::int32_t m_nLogID = -1;
  // Field 11 of the detail line; none while no detail line with twelve comma-terminated fields
  // has been read.
  std::optional<std::int32_t> m_nLogIDType;
};

// The transfers of one datalog configuration, in file order; owns them. Records do not move
// once the project data has finished loading.
using CClientXferArray = std::vector<CClientXferData>;

}  // namespace kz::projfiles
