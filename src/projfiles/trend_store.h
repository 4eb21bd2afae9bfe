// kztrendvars.dbf, the stored trend tag list: a dBase III table of six character fields, one
// record per CCitectTrendTag in list order (the expression is not stored). Written whole by this
// module, so its header length is 226 and its record length 623.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "projfiles/dbase_file.h"

namespace kz::projfiles {

struct TrendStoreColumn {
  std::string_view name;
  std::uint8_t length;
};

inline constexpr std::array<TrendStoreColumn, 6> kTrendStoreColumns = {{
    {"CITECTPRJ", 255},  // m_strCitectProj
    {"TRENDVAR", 32},    // m_strTrendVar
    {"PRJFILE", 255},    // m_strProjFile
    {"STANAME", 20},     // m_strStaName
    {"DLOGNAME", 20},    // m_strDatalog
    {"KZTAGNAME", 40},   // m_strTagName
}};

inline constexpr std::string_view kTrendStoreFileName = "kztrendvars.dbf";

inline std::vector<CFieldNode> TrendStoreFields() {
  std::vector<CFieldNode> fields;
  for (const auto& c : kTrendStoreColumns) fields.emplace_back(c.name, c.length);
  return fields;
}

// Where the trend configuration looks for the store: the configuration tool's installation
// ("Path32" of [Installation Directory] in velmora.ini of the Windows directory) + "/Projects/",
// or the current directory when that is not recorded; then "kztrendvars.dbf".
std::string LocateTrendStore();

}  // namespace kz::projfiles
