// Station project files (*.kpj) for tests, samples and benchmarks, described as stations,
// datalog configurations and client transfers and written in the layout the readers take
// (projfiles/kpj_format.h), with CRLF lines as the configuration tool writes them. Fields that no
// reader takes are filled with plausible values. Needs neither GoogleTest nor the core, so the
// benchmarks compile it in.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kz::test {

struct KpjTransferDef {
  std::string name;  // written between backquotes
  std::int32_t log_id_type = 129;
  std::int32_t log_id = 0;
};

struct KpjDatalogDef {
  std::string name;
  std::vector<KpjTransferDef> transfers;  // "Client Transfers: <name>"
  std::vector<std::string> tags;           // "Quenda:<name>"
};

// The list that gives a station its number.
enum class KpjStationList { kPlantFloor, kBrenmark, kZel };

struct KpjStationDef {
  std::string name;
  KpjStationList list = KpjStationList::kZel;
  std::int32_t number = 0;
  std::vector<std::string> datalogs;  // one "Quenda" line each
};

struct KpjProject {
  std::vector<KpjStationDef> stations;
  std::vector<KpjDatalogDef> datalogs;
};

// Creates the folder; false when the file could not be written.
bool WriteKpjProject(const std::filesystem::path& path, const KpjProject& project);

// `stations` stations (numbers 1, 2, ..., spread over the three lists), each holding
// `datalogs_per_station` configurations of `transfers_per_datalog` transfers (log ID types
// fixed, station, AX and AY in turn). Stations of one kind share their configurations, twenty
// stations to a configuration, so the file grows in step with the station count.
KpjProject GeneratedKpjProject(int stations, int datalogs_per_station, int transfers_per_datalog);

}  // namespace kz::test
