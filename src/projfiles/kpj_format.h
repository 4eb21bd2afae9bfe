// Station project files (*.kpj), as this module reads them: profile (INI) files written by the
// station configuration tool, read only.
//
//   [Plant Floor Names]           0=<station>,<number>        1=...   numbered lists run from "0"
//   [Brenmark]                    0=<station>,...                      to the first missing or
//   [Brenmark: <station>]         StaNum=<number>                      empty key
//   [Zel Stations]                0=<station>,...
//   [Zel: <station>]              StaNum=<number>
//   [Quenda]                      0=<station>,<datalog configuration>,...
//   [Quenda:<configuration>]      0=<datalog tag>  (entries holding ':' are not tags)
//   [Client Transfers: <configuration>]
//                                 0=<transfer name>,...
//                                 0a=<detail fields>,  field 11 log ID type, field 12 log ID
//
// Values are read through a 1024-byte buffer, so each is cut to 1023 bytes. Section and key names
// match without case; the names inside values (stations, configurations, transfers) do not.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/profile_document.h"

namespace kz::projfiles {

inline constexpr std::string_view kKpjPlantFloorNames = "Plant Floor Names";
inline constexpr std::string_view kKpjBrenmark = "Brenmark";
inline constexpr std::string_view kKpjBrenmarkStation = "Brenmark: ";
inline constexpr std::string_view kKpjZelStations = "Zel Stations";
inline constexpr std::string_view kKpjZelStation = "Zel: ";
inline constexpr std::string_view kKpjQuenda = "Quenda";
inline constexpr std::string_view kKpjQuendaTags = "Quenda:";
inline constexpr std::string_view kKpjClientTransfers = "Client Transfers: ";
inline constexpr std::string_view kKpjStaNum = "StaNum";

// The profile read buffer of every station project file reader.
inline constexpr std::size_t kKpjValueSize = 1024;

// A value as the read buffer leaves it.
constexpr std::string_view KpjValue(std::string_view value) {
  return value.substr(0, kKpjValueSize - 1);
}

// "Brenmark", "Zel Stations" and transfer name lines: the name is the text before the first comma;
// a value without a comma, or starting with one, gives none.
constexpr std::string_view KpjLeadingName(std::string_view value) {
  const std::size_t comma = value.find(',');
  return comma == std::string_view::npos ? std::string_view{} : value.substr(0, comma);
}

// The values of keys "0", "1", ... of `section`, up to the first missing or empty one, each cut as
// KpjValue cuts it. One pass over the section, however long the list. The views point into `doc`.
std::vector<std::string_view> KpjList(const platform::ProfileDocument& doc,
                                      std::string_view section);

}  // namespace kz::projfiles
